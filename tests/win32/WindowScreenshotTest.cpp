// Not a check but a picture: with VELARION_SCREENSHOTS naming a folder, asks
// scripts/screenshots for a picture of the main window on each of its five
// pages and of the add dialog. Skipped otherwise.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/win32/Encoding.hpp"
#include "tests/win32/WindowTestSupport.hpp"
#include "ui/Declarations.hpp"

namespace velarion::testing {
namespace {

constexpr UINT_PTR kShootTimer = 77;

std::string screenshotFolder() {
    const char* folder = std::getenv("VELARION_SCREENSHOTS");
    return folder ? folder : "";
}

// Asks for a picture of the window: a request file names the window's place
// on the screen; the script takes the picture from the X display and removes
// the request. Messages are handled meanwhile, so the window stays painted.
bool requestShot(HWND window, const std::string& path) {
    RECT r{};
    GetWindowRect(window, &r);
    FILE* out = std::fopen(path.c_str(), "w");
    if (!out) return false;
    std::fprintf(out, "%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
    std::fclose(out);
    for (int waited = 0; waited < 20000; waited += 20) {
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(20);
    }
    return false;
}

std::string shotPath(const std::string& name, int dpi) {
    return screenshotFolder() + "\\" + name + "-" + std::to_string(dpi) + "dpi.request";
}

void CALLBACK shootDialog(HWND dialog, UINT, UINT_PTR, DWORD) {
    KillTimer(dialog, kShootTimer);
    requestShot(dialog, shotPath("add-dialog", win32::dpiOfWindow(dialog)));
    PostMessageW(dialog, WM_CLOSE, 0, 0);
}

TEST(WindowScreenshotTest, SavesEveryPageAndTheAddDialog) {
    if (screenshotFolder().empty()) GTEST_SKIP() << "VELARION_SCREENSHOTS names no folder";
    ScriptedSystem system;
    Recorder recorder;
    win32::Win32WindowLayer layer{system, failOnUnknownComponent};
    Window* main = layer.load(mainWindowDecl(), recorder.behaviours());
    ASSERT_NE(main, nullptr);
    HWND hwnd = static_cast<HWND>(main->nativeHandle());
    const int dpi = native(*main).dpi();

    // Page 0 with entries, as the category pages place them; the others empty.
    const char* names[] = {"QQ", "微信", "飞书", "钉钉", "Outlook", "一个很长的应用名称"};
    for (int i = 0; i < 6; ++i) {
        const std::string copy = main->copyComponent("按钮_聊天");
        main->setText(copy, Prop::Text, names[i]);
        main->setNumber(copy, Prop::Left, 8 + 58 * (i % 4));
        main->setNumber(copy, Prop::Top, 8 + 58 * (i / 4));
        main->setFlag(copy, Prop::Visible, true);
    }
    for (const char* label : {"标签_音乐", "标签_游戏", "标签_其他"})
        main->setFlag(label, Prop::Visible, true);
    main->setNumber("滑块条1", Prop::Position, 200);
    main->setText("编辑框_时", Prop::Text, "23");
    main->setText("编辑框_分", Prop::Text, "-5");

    for (int page = 0; page < 5; ++page) {
        main->setNumber("卷帘式菜单1", Prop::Selection, page);
        main->setNumber("选择夹1", Prop::CurrentPage, page);
        SetForegroundWindow(hwnd);
        pump(layer, 400);
        EXPECT_TRUE(requestShot(hwnd, shotPath("main-page" + std::to_string(page), dpi)));
    }

    WindowDecl decl = addDialogDecl();
    decl.bindings.push_back({Event::Created, "shoot"});
    Behaviours behaviours = recorder.behaviours();
    behaviours["shoot"] = [](EventContext& context) {
        context.window.setText("编辑框2", Prop::Text, "记事本");
        context.window.setText("编辑框1", Prop::Text, "C:\\Windows\\notepad.exe");
        SetTimer(static_cast<HWND>(context.window.nativeHandle()), kShootTimer, 500, &shootDialog);
        return true;
    };
    layer.runModal(decl, behaviours, *main);
}

}  // namespace
}  // namespace velarion::testing
