// No kjfs.ini makes the window stop answering: with the real window and file
// layers under Wine, a catalog holding a very long name shows, fills and
// repaints within a second, and what is stored stays whole, also in a line of 64 MB.

#include <windows.h>

#include <psapi.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/win32/WindowTestSupport.hpp"
#include "tests/win32/helpers/SystemTestSupport.hpp"
#include "ui/Behaviours.hpp"

namespace velarion::testing {
namespace {

// Milliseconds that `work` takes.
template <typename Work>
ULONGLONG timed(Work work) {
    const ULONGLONG start = GetTickCount64();
    work();
    return GetTickCount64() - start;
}

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

// One line of 64 MB (names of Chinese and ASCII, and a byte pair that is no
// character), then eight million empty lines: the window shows and takes an add
// through its handler, the file
// keeps every byte it had, and the memory used on the way stays a few times the
// file (a 32-bit program has 2 GB for everything). The times are printed, not
// held to a second: every value read reads the whole file again (about 0.3 s
// for 64 MB under Wine), and a start reads it seven times.
TEST(LargeFileWin32, ASingleLineOf64MegabytesShowsTakesAnAddAndStaysWhole) {
    const std::string name = repeated("名字name\x81\x20", (64u << 20) / 10);
    const std::string emptyLines(8u << 20, '\n');
    const std::string ini = "[快捷方式]\r\n聊天通讯=" + name + "%$\r\n" + emptyLines + "[快捷链接]\r\n聊天通讯=C:\\a.exe%$\r\n";
    const SIZE_T committedBefore = memoryUse().WorkingSetSize;
    StartedProgram program(ini);
    ASSERT_NE(program.main, nullptr);
    AppContext& ctx = program.ctx;
    const ULONGLONG add = timed([&] {
        EXPECT_TRUE(ctx.catalog.append(Category::Chat, "新的", "C:\\c.exe"));
        fillPages(ctx);
        pump(program.layer);
    });
    const SIZE_T peakMb = (memoryUse().PeakWorkingSetSize - committedBefore) >> 20;
    std::printf("start %llu ms, add %llu ms, repaint %llu ms, peak %zu MB above the start\n", program.startMs, add,
                program.repaintMs(), static_cast<std::size_t>(peakMb));
    EXPECT_LT(peakMb, 600u);
    EXPECT_EQ(ctx.entryButtons[0].size(), 2u);
    const std::string after = readBytes(program.scratch / L"kjfs.ini");
    EXPECT_TRUE(after == "[快捷方式]\r\n聊天通讯=" + name + "%$新的%$\r\n" + emptyLines +
                             "[快捷链接]\r\n聊天通讯=C:\\a.exe%$C:\\c.exe%$\r\n")
        << after.size() << " bytes";
}

}  // namespace
}  // namespace velarion::testing
