// No kjfs.ini makes the window stop answering: with the real window and file
// layers under Wine, a catalog holding a very long name shows, fills and
// repaints within a second, and what is stored stays whole, also in a line of
// 64 MB; a catalog of any length keeps the process to a few hundred native windows.

#include <windows.h>

#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/win32/WindowTestSupport.hpp"
#include "tests/win32/helpers/SystemTestSupport.hpp"
#include "ui/Behaviours.hpp"
#include "ui/Declarations.hpp"

namespace velarion::testing {
namespace {

// Milliseconds that `work` takes.
template <typename Work>
ULONGLONG timed(Work work) {
    const ULONGLONG start = GetTickCount64();
    work();
    return GetTickCount64() - start;
}

// Handles the messages waiting now; the longest any one of them took, in ms.
ULONGLONG longestMessage(win32::Win32WindowLayer& layer) {
    ULONGLONG longest = 0;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        longest = std::max(longest, timed([&] { layer.dispatch(message); }));
    return longest;
}

// `inner`, with the time its close takes. Under Wine on a display without a
// window manager (the tests' Xvfb) a window that hides waits up to 2 s for one
// to answer; on Windows, or with a window manager, it hides at once.
class CloseTimed final : public Window {
public:
    explicit CloseTimed(Window& inner) : inner_(inner) {}
    ULONGLONG closeMs = 0;

    const WindowDecl& declaration() const override { return inner_.declaration(); }
    bool has(const std::string& c) const override { return inner_.has(c); }
    std::string text(const std::string& c, Prop p) const override { return inner_.text(c, p); }
    void setText(const std::string& c, Prop p, std::string_view v) override { inner_.setText(c, p, v); }
    int number(const std::string& c, Prop p) const override { return inner_.number(c, p); }
    void setNumber(const std::string& c, Prop p, int v) override { inner_.setNumber(c, p, v); }
    bool flag(const std::string& c, Prop p) const override { return inner_.flag(c, p); }
    void setFlag(const std::string& c, Prop p, bool v) override { inner_.setFlag(c, p, v); }
    std::string copyComponent(const std::string& c) override { return inner_.copyComponent(c); }
    bool openFileDialog(const std::string& c) override { return inner_.openFileDialog(c); }
    void close() override { closeMs = timed([&] { inner_.close(); }); }
    void setPageExtent(const std::string& c, int page, int h) override { inner_.setPageExtent(c, page, h); }
    void* nativeHandle() const override { return inner_.nativeHandle(); }

private:
    Window& inner_;
};

PROCESS_MEMORY_COUNTERS memoryUse() {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}

std::string repeated(const std::string& piece, std::size_t times) {
    std::string text;
    text.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) text += piece;
    return text;
}

// The program's start on a kjfs.ini of the test's, timed, with the real layers.
struct StartedProgram {
    explicit StartedProgram(const std::string& iniBytes) {
        writeBytes(scratch / L"kjfs.ini", iniBytes);
        startMs = timed([&] { main = startApplication(ctx); pump(layer); });
    }
    HWND window() const { return static_cast<HWND>(main->nativeHandle()); }
    // Milliseconds for the window and all its controls to repaint.
    ULONGLONG repaintMs() const {
        return timed([&] {
            RedrawWindow(window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASE);
        });
    }

    ScratchFolder scratch;
    FolderSystem system{gbk(scratch.path() + L"\\")};
    win32::Win32WindowLayer layer{system, failOnUnknownComponent};
    AppContext ctx{system, layer};
    Window* main = nullptr;
    ULONGLONG startMs = 0;
};

TEST(LargeFileWin32, AVeryLongNameShowsAndRepaintsWithinASecondAndStaysWhole) {
    const std::string name = repeated("很长很长", 75000);  // 300,000 characters
    StartedProgram program("[快捷方式]\r\n聊天通讯=" + name + "%$短名%$\r\n[快捷链接]\r\n聊天通讯=C:\\a.exe%$C:\\b.exe%$\r\n");
    ASSERT_NE(program.main, nullptr);
    const ULONGLONG paint = program.repaintMs();
    std::printf("start %llu ms, repaint %llu ms\n", program.startMs, paint);
    EXPECT_LT(program.startMs, 1000u);
    EXPECT_LT(paint, 1000u);

    // The button is given a bounded part of the name; the name itself is kept
    // whole: in the caption, for the launch, and through a later add.
    AppContext& ctx = program.ctx;
    ASSERT_EQ(ctx.entryButtons[0].size(), 2u);
    const std::string& button = ctx.entryButtons[0][0];
    wchar_t shown[300] = {};
    GetWindowTextW(handleOf(*program.main, button), shown, 300);
    EXPECT_EQ(std::wstring(shown), win32::toWide(name.substr(0, 2 * 255)) + L'\x2026');  // 255 characters and "…"
    EXPECT_EQ(program.main->text(button, Prop::Text), name);
    EXPECT_TRUE(ctx.catalog.append(Category::Chat, "新的", "C:\\c.exe"));
    EXPECT_EQ(ctx.catalog.load(Category::Chat).names,
              (std::vector<std::string>{name, "短名", "新的"}));
    EXPECT_EQ(ctx.catalog.pathAt(Category::Chat, 1), "C:\\a.exe");
}

BOOL CALLBACK countOne(HWND, LPARAM counted) {
    ++*reinterpret_cast<int*>(counted);
    return TRUE;
}

// The window and every window inside it. (A lambda does not convert to a
// stdcall callback: the 32-bit build needs a named CALLBACK function.)
int windowsIn(HWND top) {
    int count = 1;
    EnumChildWindows(top, countOne, reinterpret_cast<LPARAM>(&count));
    return count;
}

class LaunchRecorder : public FolderSystem {
public:
    using FolderSystem::FolderSystem;
    bool runProgram(const std::string& commandLine) override {
        launches.push_back(commandLine);
        return true;
    }
    std::vector<std::string> launches;
};

// 79,000 entries, 70,000 of them chat: the system gives a process 10,000
// windows, and a WM_COMMAND names a control by 16 bits of its identifier.
// Every entry still has its button at its place while the page scrolls through,
// the process holds a few hundred windows throughout, and a click starts the
// entry of the button's position, near the start and at the very end (its
// identifier past 65,535).
TEST(LargeFileWin32, AnyCatalogKeepsAFewHundredWindowsAndEveryEntryStartsByItsPosition) {
    constexpr int perCategory = 70000, others = 3000;
    std::string names, paths, otherNames, otherPaths;
    for (int i = 1; i <= perCategory; ++i) {
        names += "e" + std::to_string(i) + "%$";
        paths += "C:\\p" + std::to_string(i) + ".exe%$";
        if (i == others) otherNames = names, otherPaths = paths;
    }
    std::string ini = "[快捷方式]\r\n聊天通讯=" + names + "\r\n";
    for (const char* key : {"音乐影视", "游戏娱乐", "其他应用"}) ini += std::string(key) + "=" + otherNames + "\r\n";
    ini += "[快捷链接]\r\n聊天通讯=" + paths + "\r\n";
    for (const char* key : {"音乐影视", "游戏娱乐", "其他应用"}) ini += std::string(key) + "=" + otherPaths + "\r\n";
    ScratchFolder scratch;
    writeBytes(scratch / L"kjfs.ini", ini);
    LaunchRecorder system(gbk(scratch.path() + L"\\"));
    win32::Win32WindowLayer layer(system, failOnUnknownComponent);
    AppContext ctx(system, layer);
    Window* main = nullptr;
    const ULONGLONG start = timed([&] { main = startApplication(ctx); pump(layer, 300); });
    ASSERT_NE(main, nullptr);
    const HWND window = static_cast<HWND>(main->nativeHandle());
    const std::vector<std::string>& buttons = ctx.entryButtons[0];
    ASSERT_EQ(buttons.size(), static_cast<std::size_t>(perCategory));
    int most = windowsIn(window);

    HWND page = native(*main).makeNow("选择夹1")->childParent(0);
    for (int step = 0; step < 60; ++step) {
        SendMessageW(page, WM_VSCROLL, step < 59 ? SB_PAGEDOWN : SB_BOTTOM, 0);
        pump(layer);
        most = std::max(most, windowsIn(window));
    }
    std::printf("start %llu ms, at most %d windows while scrolling through\n", start, most);
    EXPECT_LT(most, 500);
    // What shows at the bottom: the last rows, each button where its position puts it.
    RECT view{};
    GetClientRect(page, &view);
    int shown = 0;
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
        if (IsWindowVisible(child) && r.bottom > 0 && r.top < view.bottom) ++shown;
    }
    EXPECT_GE(shown, 4);
    const std::string& last = buttons.back();
    ASSERT_NE(handleOf(*main, last), nullptr);
    EXPECT_EQ(GetParent(handleOf(*main, last)), page);
    SendMessageW(handleOf(*main, last), BM_CLICK, 0, 0);
    SendMessageW(page, WM_VSCROLL, SB_TOP, 0);
    pump(layer);
    // Made again on the way back up, after the ones below them, the buttons
    // still stand in reading order (stacking, and so Tab).
    std::vector<std::pair<LONG, LONG>> stacked;
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(child, &r);
        if (IsWindowVisible(child)) stacked.emplace_back(r.top, r.left);
    }
    EXPECT_GT(stacked.size(), 20u);
    EXPECT_TRUE(std::is_sorted(stacked.begin(), stacked.end()));
    SendMessageW(handleOf(*main, buttons[5]), BM_CLICK, 0, 0);
    EXPECT_EQ(system.launches, (std::vector<std::string>{"C:\\p70000.exe", "C:\\p6.exe"}));
    EXPECT_LT(windowsIn(window), 500);
}

// One line of 64 MB (names of Chinese and ASCII, and a byte pair that is no
// character), then eight million empty lines: the window shows and takes an add
// through the add dialog, the file keeps every byte it had, and the memory used
// on the way stays a few times the file (a 32-bit program has 2 GB for everything).
// Every reading reads the whole file again (about 0.3 s for 64 MB under Wine), a
// start reads it twice (the pages and the settings), and fresh memory costs a page
// fault for every 4 KB: the start's time is printed, not held to a second. The add
// stores in the click and refills from a message of its own; each is held loosely
// below a second and a half, for slow machines (the click without the dialog's
// hiding, which waits here for a window manager: CloseTimed).
TEST(LargeFileWin32, ASingleLineOf64MegabytesShowsTakesAnAddAndStaysWhole) {
    const std::string name = repeated("名字name\x81\x20", (64u << 20) / 10);
    const std::string emptyLines(8u << 20, '\n');
    const std::string ini = "[快捷方式]\r\n聊天通讯=" + name + "%$\r\n" + emptyLines + "[快捷链接]\r\n聊天通讯=C:\\a.exe%$\r\n";
    const SIZE_T committedBefore = memoryUse().WorkingSetSize;
    StartedProgram program(ini);
    ASSERT_NE(program.main, nullptr);
    AppContext& ctx = program.ctx;

    // The dialog filled in as the user would, and its ＯＫ clicked.
    WindowDecl dialog = addDialogDecl();
    dialog.bindings.push_back({Event::Created, "fill in"});
    Behaviours behaviours = makeBehaviours(ctx);
    behaviours["fill in"] = [](EventContext& e) {
        e.window.setText("编辑框2", Prop::Text, "新的");
        e.window.setText("编辑框1", Prop::Text, "C:\\c.exe");
        e.window.setNumber("组合框1", Prop::Selection, 1);
        PostMessageW(handleOf(e.window, "按钮2"), BM_CLICK, 0, 0);
        return true;
    };
    ULONGLONG clicked = 0, closed = 0;
    const Behaviour confirm = behaviours[behaviour::onConfirmClicked];
    behaviours[behaviour::onConfirmClicked] = [&](EventContext& e) {
        CloseTimed dialog(e.window);
        EventContext timedEvent{dialog, e.source, e.args};
        bool result = true;
        clicked = timed([&] { result = confirm(timedEvent); });
        closed = dialog.closeMs;
        return result;
    };
    program.layer.runModal(dialog, behaviours, *program.main);
    EXPECT_EQ(ctx.entryButtons[0].size(), 1u) << "refilled inside the click";
    ULONGLONG refilled = 0;
    const ULONGLONG shown = timed([&] { refilled = longestMessage(program.layer); });
    const SIZE_T peakMb = (memoryUse().PeakWorkingSetSize - committedBefore) >> 20;
    std::printf("start %llu ms, add: click %llu ms (stored; closing the dialog %llu of it), then messages %llu ms "
                "(longest %llu: the refill), repaint %llu ms, peak %zu MB above the start\n",
                program.startMs, clicked, closed, shown, refilled, program.repaintMs(),
                static_cast<std::size_t>(peakMb));
    EXPECT_LT(clicked - closed, 1500u);
    EXPECT_LT(refilled, 1500u);
    EXPECT_LT(peakMb, 400u);  // the add and its fill copy a list of 64 MB at most twice
    EXPECT_EQ(ctx.entryButtons[0].size(), 2u);
    const std::string after = readBytes(program.scratch / L"kjfs.ini");
    EXPECT_TRUE(after == "[快捷方式]\r\n聊天通讯=" + name + "%$新的%$\r\n" + emptyLines +
                             "[快捷链接]\r\n聊天通讯=C:\\a.exe%$C:\\c.exe%$\r\n")
        << after.size() << " bytes";
}

}  // namespace
}  // namespace velarion::testing
