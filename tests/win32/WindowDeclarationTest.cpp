// The real main window and add dialog, made from their declarations: every
// component of the right class, at its declared place (scaled by the DPI), in
// its declared state.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/win32/Encoding.hpp"
#include "platform/win32/FolderBar.hpp"
#include "tests/win32/WindowTestSupport.hpp"
#include "ui/Declarations.hpp"

namespace velarion::testing {
namespace {

using win32::toWide;

std::wstring expectedClass(const ComponentDecl& c) {
    switch (c.kind) {
    case Kind::Label: return c.shading ? L"VelarionShadedLabel" : L"Static";
    case Kind::Edit: return L"Edit";
    case Kind::Button:
    case Kind::CheckBox:
    case Kind::Radio: return L"Button";
    case Kind::Combo: return L"ComboBox";
    case Kind::Slider: return L"msctls_trackbar32";
    case Kind::Tabs: return L"VelarionPages";
    case Kind::PictureBox: return L"VelarionPicture";
    case Kind::GroupBox: return L"VelarionGroup";
    case Kind::FolderBar: return L"VelarionFolderBar";
    case Kind::StatusBar: return L"msctls_statusbar32";
    default: return L"";
    }
}

bool hasText(Kind kind) {
    return kind == Kind::Label || kind == Kind::Edit || kind == Kind::Button ||
           kind == Kind::CheckBox || kind == Kind::Radio || kind == Kind::GroupBox;
}

// Checks every windowed component of `window` against its declaration.
void checkComponents(Window& window, int dpi) {
    for (const ComponentDecl& c : window.declaration().components) {
        SCOPED_TRACE(c.name);
        const std::wstring cls = expectedClass(c);
        HWND control = handleOf(window, c.name);
        if (cls.empty()) {
            EXPECT_TRUE(window.has(c.name));
            EXPECT_EQ(control, nullptr);
            continue;
        }
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(_wcsicmp(classOf(control).c_str(), cls.c_str()), 0) << "class";
        const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
        EXPECT_EQ((style & WS_VISIBLE) != 0, c.visible) << "visible";
        EXPECT_EQ(IsWindowEnabled(control) != FALSE, !c.disabled) << "enabled";
        EXPECT_EQ((style & WS_TABSTOP) != 0, c.tabStop) << "tab stop";
        const Rect place = placeOf(control);
        const Rect want = scaled(c.rect, dpi);
        if (c.kind == Kind::Combo) {
            // Where the system keeps a closed combo box as high as its font needs, it is.
            EXPECT_EQ((Rect{place.left, place.top, place.width, 0}), (Rect{want.left, want.top, want.width, 0}));
            EXPECT_NEAR(place.height, want.height, win32::scaleForDpi(4, dpi)) << "height";
        } else if (c.kind != Kind::StatusBar) {
            EXPECT_EQ(place, want) << "place";
        }
        if (hasText(c.kind)) {
            EXPECT_EQ(textOf(control), toWide(c.text)) << "text";
        }
        if (c.kind == Kind::CheckBox || c.kind == Kind::Radio) {
            EXPECT_EQ(SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED, c.checked);
        }
        const HWND container = c.container.empty() ? static_cast<HWND>(window.nativeHandle())
                                                   : handleOf(window, c.container);
        if (c.page >= 0) {
            EXPECT_EQ(GetParent(GetParent(control)), container) << "on a page of its container";
        } else {
            EXPECT_EQ(GetParent(control), container) << "in its container";
        }
    }
}

// The child windows moved or resized while the hook is set (on this thread).
class ChildMoves {
public:
    ChildMoves() { hook_ = SetWindowsHookExW(WH_CALLWNDPROC, &record, nullptr, GetCurrentThreadId()); }
    ~ChildMoves() {
        if (hook_) UnhookWindowsHookEx(hook_);
    }
    static std::vector<std::wstring>& seen() {
        static std::vector<std::wstring> classes;
        return classes;
    }

private:
    static LRESULT CALLBACK record(int code, WPARAM wParam, LPARAM lParam) {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && call->message == WM_WINDOWPOSCHANGING &&
            (GetWindowLongPtrW(call->hwnd, GWL_STYLE) & WS_CHILD)) {
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(call->lParam);
            if ((pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE))
                seen().push_back(classOf(call->hwnd));
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK hook_ = nullptr;
};

class WindowDeclarationTest : public ::testing::Test {
protected:
    ScriptedSystem system;
    Recorder recorder;
    win32::Win32WindowLayer layer{system, failOnUnknownComponent};
};

TEST_F(WindowDeclarationTest, MainWindowHasEveryComponentInItsDeclaredState) {
    Window* main = nullptr;
    {
        // Every control is made in its place: none is moved while the window is made.
        ChildMoves moves;
        ChildMoves::seen().clear();
        main = layer.load(mainWindowDecl(), recorder.behaviours());
        EXPECT_EQ(ChildMoves::seen(), std::vector<std::wstring>{});
    }
    ASSERT_NE(main, nullptr);
    const int dpi = native(*main).dpi();
    if (expectedDpi()) {
        ASSERT_EQ(dpi, expectedDpi());
    }
    EXPECT_EQ(recorder.count(behaviour::onMainWindowCreated), 1);
    checkComponents(*main, dpi);

    HWND hwnd = static_cast<HWND>(main->nativeHandle());
    EXPECT_EQ(textOf(hwnd), L"Velarion - 系统辅助 - 工程测试版");
    RECT outer{};
    GetWindowRect(hwnd, &outer);
    EXPECT_EQ(outer.right - outer.left, win32::scaleForDpi(343, dpi));
    EXPECT_EQ(outer.bottom - outer.top, win32::scaleForDpi(314, dpi));
    // Centred on the work area.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR((outer.left + outer.right) / 2, (work.left + work.right) / 2, 1);
    EXPECT_NEAR((outer.top + outer.bottom) / 2, (work.top + work.bottom) / 2, 1);
    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowVisible(hwnd));

    // Menu bar: "文件" > "添加"; "关于" > "关于作者", "帮助".
    HMENU bar = GetMenu(hwnd);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    auto caption = [](HMENU menu, int index) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(index), text, 64, MF_BYPOSITION);
        return std::wstring(text);
    };
    EXPECT_EQ(caption(bar, 0), L"文件");
    EXPECT_EQ(caption(bar, 1), L"关于");
    ASSERT_EQ(GetMenuItemCount(GetSubMenu(bar, 0)), 1);
    EXPECT_EQ(caption(GetSubMenu(bar, 0), 0), L"添加");
    ASSERT_EQ(GetMenuItemCount(GetSubMenu(bar, 1)), 2);
    EXPECT_EQ(caption(GetSubMenu(bar, 1), 0), L"关于作者");
    EXPECT_EQ(caption(GetSubMenu(bar, 1), 1), L"帮助");

    // Kind-specific state.
    HWND slider = handleOf(*main, "滑块条1");
    EXPECT_EQ(SendMessageW(slider, TBM_GETRANGEMIN, 0, 0), 50);
    EXPECT_EQ(SendMessageW(slider, TBM_GETRANGEMAX, 0, 0), 255);
    EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), 255);
    EXPECT_EQ(SendMessageW(slider, TBM_GETLINESIZE, 0, 0), 1);
    EXPECT_EQ(SendMessageW(slider, TBM_GETPAGESIZE, 0, 0), 5);
    EXPECT_TRUE(GetWindowLongPtrW(slider, GWL_STYLE) & TBS_NOTICKS);
    EXPECT_EQ(main->number("滑块条1", Prop::Position), 255);

    HWND status = handleOf(*main, "状态条1");
    auto part = [&](int index) {
        wchar_t text[128] = {};
        SendMessageW(status, SB_GETTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
        return std::wstring(text);
    };
    EXPECT_EQ(SendMessageW(status, SB_GETPARTS, 0, 0), 2);
    int edges[2] = {};
    SendMessageW(status, SB_GETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    EXPECT_EQ(edges[0], win32::scaleForDpi(200, dpi));
    EXPECT_EQ(edges[1], -1);
    EXPECT_EQ(part(0), L"欢迎使用Velarion！");
    EXPECT_EQ(part(1), L"暂无定时关机任务");
    // Along the bottom of the client area, as wide as it, 20 pixels high.
    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(placeOf(status), (Rect{0, client.bottom - win32::scaleForDpi(20, dpi), client.right,
                                     win32::scaleForDpi(20, dpi)}));

    // Page 0 shown, the others hidden; no tab headers anywhere.
    HWND pages = handleOf(*main, "选择夹1");
    EXPECT_EQ(main->number("选择夹1", Prop::CurrentPage), 0);
    for (int page = 0; page < 5; ++page) {
        HWND pageWindow = native(*main).makeNow("选择夹1")->childParent(page);
        EXPECT_EQ(GetParent(pageWindow), pages);
        EXPECT_EQ(IsWindowVisible(pageWindow) != FALSE, page == 0) << page;
    }
    EXPECT_EQ(FindWindowExW(hwnd, nullptr, L"SysTabControl32", nullptr), nullptr);
    EXPECT_EQ(main->number("卷帘式菜单1", Prop::Selection), 0);
    EXPECT_EQ(main->number("时钟1", Prop::Interval), 0);
    EXPECT_FALSE(main->flag("图片框2", Prop::PlayAnimation));
    EXPECT_TRUE(main->flag("编辑框_秒计", Prop::Disabled));
    EXPECT_EQ(main->text("按钮1", Prop::Text), "确定");
}

// Controls of pages not shown are made natively late: when asked for, with their
// containers, or from the queue after the window shows. However late, the native
// windows of one parent stand in the declared order (tab order, stacking).
TEST_F(WindowDeclarationTest, LateMadeControlsKeepTheirContainersAndTheDeclaredOrder) {
    Window* main = layer.load(mainWindowDecl(), recorder.behaviours());
    ASSERT_NE(main, nullptr);
    // Only the shown page has a window yet; another gets its own when it shows or
    // something is made on it.
    int pageWindows = 0;
    for (HWND page = GetWindow(handleOf(*main, "选择夹1"), GW_CHILD); page; page = GetWindow(page, GW_HWNDNEXT))
        ++pageWindows;
    EXPECT_EQ(pageWindows, 1);
    // The shown page's hidden controls (the "no entries" label, the entry template)
    // wait too: until shown or needed, then in their declared place, before the
    // entry buttons made meanwhile.
    HWND firstPage = native(*main).makeNow("选择夹1")->childParent(0);
    EXPECT_EQ(GetWindow(firstPage, GW_CHILD), nullptr);
    std::vector<HWND> firstPageOrder;
    for (int p = 0; p < 2; ++p) {
        const std::string copy = main->copyComponent("按钮_聊天");
        main->setNumber(copy, Prop::Left, 8 + 58 * p);
        main->setFlag(copy, Prop::Visible, true);
        firstPageOrder.push_back(handleOf(*main, copy));
    }
    main->setFlag("标签_聊天", Prop::Visible, true);
    firstPageOrder.insert(firstPageOrder.begin(), {handleOf(*main, "标签_聊天"), handleOf(*main, "按钮_聊天")});
    std::vector<HWND> stackedOnFirst;
    for (HWND child = GetWindow(firstPage, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        stackedOnFirst.push_back(child);
    EXPECT_EQ(stackedOnFirst, firstPageOrder);
    // State given before the control is made reaches it, and no property makes one:
    // the settings page stays empty until it shows or one of its controls is needed.
    HWND settingsPage = native(*main).makeNow("选择夹1")->childParent(4);
    main->setNumber("滑块条1", Prop::Position, 300);
    EXPECT_EQ(main->number("滑块条1", Prop::Position), 255);  // kept in range, as the control does
    main->setNumber("滑块条1", Prop::Position, 120);
    main->setFlag("选择框1", Prop::Checked, true);
    main->setFlag("单选框2", Prop::Checked, true);  // clears 单选框1, made or not
    main->setText("编辑框_秒计", Prop::Text, "42");
    main->setFlag("编辑框_秒计", Prop::Disabled, false);
    EXPECT_EQ(main->number("滑块条1", Prop::Position), 120);
    EXPECT_TRUE(main->flag("选择框1", Prop::Checked));
    EXPECT_FALSE(main->flag("单选框1", Prop::Checked));
    EXPECT_EQ(main->text("编辑框_秒计", Prop::Text), "42");
    EXPECT_EQ(GetWindow(settingsPage, GW_CHILD), nullptr);
    // The last control of a group box on the settings page first.
    HWND topmost = handleOf(*main, "选择框2");
    ASSERT_NE(topmost, nullptr);
    EXPECT_EQ(GetParent(topmost), handleOf(*main, "分组框3"));
    pump(layer, 200);
    EXPECT_EQ(SendMessageW(handleOf(*main, "滑块条1"), TBM_GETPOS, 0, 0), 120);
    EXPECT_EQ(SendMessageW(handleOf(*main, "选择框1"), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(handleOf(*main, "单选框1"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(handleOf(*main, "单选框2"), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(IsWindowEnabled(handleOf(*main, "编辑框_秒计")));
    EXPECT_EQ(win32::toGbk(textOf(handleOf(*main, "编辑框_秒计"))), "42");

    std::map<HWND, std::vector<HWND>> declaredOrder;
    for (const ComponentDecl& c : mainWindowDecl().components) {
        HWND own = handleOf(*main, c.name);
        if (own && c.kind != Kind::StatusBar) declaredOrder[GetParent(own)].push_back(own);
    }
    for (const auto& [parent, declared] : declaredOrder) {
        std::vector<HWND> stacked;
        for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (std::find(declared.begin(), declared.end(), child) != declared.end()) stacked.push_back(child);
        EXPECT_EQ(stacked, declared) << "children of " << win32::toGbk(classOf(parent));
    }
}

TEST_F(WindowDeclarationTest, DeclaredFontsAreMadeAsDeclared) {
    Window* main = layer.load(mainWindowDecl(), recorder.behaviours());
    ASSERT_NE(main, nullptr);
    const int dpi = native(*main).dpi();
    auto fontOf = [&](const std::string& name) {
        LOGFONTW font{};
        auto handle = reinterpret_cast<HFONT>(SendMessageW(handleOf(*main, name), WM_GETFONT, 0, 0));
        GetObjectW(handle, sizeof font, &font);
        return font;
    };
    const LOGFONTW emptyLabel = win32::Fonts::describe(Font{"方正姚体", 48, true, CharsetGb2312}, dpi);
    EXPECT_EQ(emptyLabel.lfHeight, -win32::scaleForDpi(48, dpi));
    EXPECT_EQ(emptyLabel.lfWeight, FW_BOLD);
    EXPECT_EQ(emptyLabel.lfCharSet, GB2312_CHARSET);
    EXPECT_STREQ(emptyLabel.lfFaceName, L"方正姚体");
    // The add dialog's captions give the whole cell: a positive height.
    const LOGFONTW caption =
        win32::Fonts::describe(*addDialogDecl().find("标签1")->font, dpi);
    EXPECT_EQ(caption.lfHeight, win32::scaleForDpi(16, dpi));
    EXPECT_EQ(caption.lfCharSet, GB2312_CHARSET);
    // Components without a declared font share the window's default font.
    const LOGFONTW edit = fontOf("编辑框_时");
    const LOGFONTW message = win32::messageFontForDpi(dpi);
    EXPECT_STREQ(edit.lfFaceName, message.lfFaceName);
    EXPECT_EQ(edit.lfHeight, message.lfHeight);
}

TEST_F(WindowDeclarationTest, AddDialogIsModalWithEveryComponentInItsDeclaredState) {
    Window* main = layer.load(mainWindowDecl(), recorder.behaviours());
    ASSERT_NE(main, nullptr);
    HWND mainHandle = static_cast<HWND>(main->nativeHandle());

    WindowDecl decl = addDialogDecl();
    decl.bindings.push_back({Event::Created, "inspect"});
    Behaviours behaviours = recorder.behaviours();
    HWND dialogHandle = nullptr;
    bool ownerDisabled = false;
    behaviours["inspect"] = [&](EventContext& context) -> bool {
        Window& dialog = context.window;
        dialogHandle = static_cast<HWND>(dialog.nativeHandle());
        ownerDisabled = !IsWindowEnabled(mainHandle);
        const int dpi = native(dialog).dpi();
        checkComponents(dialog, dpi);
        EXPECT_EQ(textOf(dialogHandle), L"添加应用");
        RECT outer{};
        GetWindowRect(dialogHandle, &outer);
        EXPECT_EQ(outer.right - outer.left, win32::scaleForDpi(303, dpi));
        EXPECT_EQ(outer.bottom - outer.top, win32::scaleForDpi(204, dpi));
        const LONG_PTR style = GetWindowLongPtrW(dialogHandle, GWL_STYLE);
        const LONG_PTR exStyle = GetWindowLongPtrW(dialogHandle, GWL_EXSTYLE);
        EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
        EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
        EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
        EXPECT_EQ(GetWindow(dialogHandle, GW_OWNER), mainHandle);
        EXPECT_EQ(GetMenu(dialogHandle), nullptr);

        HWND combo = handleOf(dialog, "组合框1");
        EXPECT_EQ(GetWindowLongPtrW(combo, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
        const wchar_t* items[] = {L"-请选择-", L"聊天通讯", L"音乐影音", L"游戏娱乐", L"其它应用"};
        EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 5);
        for (int i = 0; i < 5; ++i) {
            wchar_t text[64] = {};
            SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            EXPECT_STREQ(text, items[i]);
        }
        EXPECT_EQ(dialog.number("组合框1", Prop::Selection), 0);
        EXPECT_TRUE(GetWindowLongPtrW(handleOf(dialog, "编辑框1"), GWL_STYLE) & ES_READONLY);
        // 标签1 and 按钮1 are the dialog's own, not the main window's.
        EXPECT_EQ(dialog.text("按钮1", Prop::Text), "浏览");
        EXPECT_EQ(dialog.text("标签1", Prop::Text), "应用名称：");
        // Esc closes the dialog.
        PostMessageW(handleOf(dialog, "编辑框2"), WM_KEYDOWN, VK_ESCAPE, 1);
        return true;
    };
    layer.runModal(decl, behaviours, *main);
    ASSERT_NE(dialogHandle, nullptr);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_FALSE(IsWindow(dialogHandle));
    EXPECT_TRUE(IsWindowEnabled(mainHandle));
    EXPECT_EQ(main->text("按钮1", Prop::Text), "确定");
}

TEST_F(WindowDeclarationTest, EscapeAndEnterLeaveTheMainWindowAlone) {
    Window* main = layer.load(mainWindowDecl(), recorder.behaviours());
    ASSERT_NE(main, nullptr);
    HWND edit = handleOf(*main, "编辑框_时");
    main->setNumber("选择夹1", Prop::CurrentPage, 4);
    SetFocus(edit);
    PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
    pump(layer, 50);
    EXPECT_EQ(recorder.count(behaviour::onCloseRequested), 0);
    EXPECT_TRUE(IsWindowVisible(static_cast<HWND>(main->nativeHandle())));
    EXPECT_EQ(GetFocus(), edit);
}

}  // namespace
}  // namespace velarion::testing
