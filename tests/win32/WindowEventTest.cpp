// Messages on the real controls become the events their declarations bind,
// with the component that raised them; property writes by behaviour raise none
// (the window's position excepted).

#include <gtest/gtest.h>

#include "platform/win32/FolderBar.hpp"
#include "platform/win32/NumberFilter.hpp"
#include "platform/win32/Tray.hpp"
#include "platform/win32/Win32System.hpp"
#include "tests/win32/WindowTestSupport.hpp"
#include "ui/Declarations.hpp"

namespace velarion::testing {
namespace {

class WindowEventTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        recorder.calls.clear();
    }
};

TEST_F(WindowEventTest, ButtonClicksReachTheirBindingWithTheirSource) {
    main->setNumber("选择夹1", Prop::CurrentPage, 4);
    SendMessageW(handleOf(*main, "按钮1"), BM_CLICK, 0, 0);
    ASSERT_EQ(recorder.calls.size(), 1u);
    EXPECT_EQ(recorder.calls[0].behaviour, behaviour::onShutdownButtonClicked);
    EXPECT_EQ(recorder.calls[0].source, "按钮1");

    // A copy of a template button carries its binding and names itself.
    main->setNumber("选择夹1", Prop::CurrentPage, 2);
    const std::string first = main->copyComponent("按钮_游戏");
    const std::string second = main->copyComponent("按钮_游戏");
    EXPECT_EQ(first, "按钮_游戏#1");
    EXPECT_EQ(second, "按钮_游戏#2");
    // Copies are found by their number (no map holds them): a copy of a copy counts
    // on, and names that only look like a copy's name none.
    EXPECT_EQ(main->copyComponent(first), "按钮_游戏#3");
    for (const char* other : {"按钮_游戏#03", "按钮_游戏#0", "按钮_游戏#4", "按钮_游戏#", "按钮_游戏#1x", "按钮_音乐#1"})
        EXPECT_FALSE(main->has(other)) << other;
    main->setText(second, Prop::Text, "记事本");
    main->setText(second, Prop::Tag, "2");
    main->setNumber(second, Prop::Left, 66);
    main->setFlag(second, Prop::Visible, true);
    HWND copy = handleOf(*main, second);
    EXPECT_EQ(GetParent(copy), native(*main).makeNow("选择夹1")->childParent(2));
    EXPECT_EQ(placeOf(copy), scaled(Rect{66, 8, 50, 50}, dpi()));
    EXPECT_EQ(textOf(copy), L"记事本");
    recorder.calls.clear();
    SendMessageW(copy, BM_CLICK, 0, 0);
    ASSERT_EQ(recorder.calls.size(), 1u);
    EXPECT_EQ(recorder.calls[0].behaviour, behaviour::launchEntryGames);
    EXPECT_EQ(recorder.calls[0].source, second);
    EXPECT_EQ(main->text(recorder.calls[0].source, Prop::Tag), "2");
}

TEST_F(WindowEventTest, RadioButtonsOfAContainerFormOneGroup) {
    main->setNumber("选择夹1", Prop::CurrentPage, 4);
    SendMessageW(handleOf(*main, "单选框2"), BM_CLICK, 0, 0);
    EXPECT_TRUE(main->flag("单选框2", Prop::Checked));
    EXPECT_FALSE(main->flag("单选框1", Prop::Checked));
    ASSERT_EQ(recorder.calls.size(), 1u);
    EXPECT_EQ(recorder.calls[0].behaviour, behaviour::onCountdownModeClicked);
    // Clicking the selected one again raises its event and keeps it selected.
    SendMessageW(handleOf(*main, "单选框2"), BM_CLICK, 0, 0);
    EXPECT_EQ(recorder.count(behaviour::onCountdownModeClicked), 2);
    EXPECT_TRUE(main->flag("单选框2", Prop::Checked));
    // Selecting by property clears the other and raises nothing.
    main->setFlag("单选框1", Prop::Checked, true);
    EXPECT_TRUE(main->flag("单选框1", Prop::Checked));
    EXPECT_FALSE(main->flag("单选框2", Prop::Checked));
    EXPECT_EQ(recorder.calls.size(), 2u);
}

TEST_F(WindowEventTest, CheckBoxHasChangedWhenItsHandlerRuns) {
    bool seen = false;
    Behaviours behaviours = recorder.behaviours();
    behaviours[behaviour::onTopmostClicked] = [&](EventContext& context) {
        seen = context.window.flag(context.source, Prop::Checked);
        return true;
    };
    Window* other = layer.load(mainWindowDecl(), behaviours);
    SendMessageW(handleOf(*other, "选择框2"), BM_CLICK, 0, 0);
    EXPECT_TRUE(seen);
}

TEST_F(WindowEventTest, EveryTrackbarNotificationButTheEndOfTrackingIsAMove) {
    HWND slider = handleOf(*main, "滑块条1");
    main->setNumber("滑块条1", Prop::Position, 100);
    EXPECT_EQ(recorder.calls.size(), 0u);
    HWND group = GetParent(slider);
    for (WPARAM code : {TB_LINEUP, TB_LINEDOWN, TB_PAGEUP, TB_PAGEDOWN, TB_THUMBTRACK,
                        TB_THUMBPOSITION, TB_TOP, TB_BOTTOM, TB_ENDTRACK})
        SendMessageW(group, WM_HSCROLL, code, reinterpret_cast<LPARAM>(slider));
    EXPECT_EQ(recorder.count(behaviour::onOpacityChanged), 8);
    EXPECT_EQ(recorder.last(behaviour::onOpacityChanged)->source, "滑块条1");

    // Keys move it by the declared steps, within the declared range.
    recorder.calls.clear();
    SetFocus(slider);
    SendMessageW(slider, WM_KEYDOWN, VK_NEXT, 0);
    SendMessageW(slider, WM_KEYUP, VK_NEXT, 0);
    EXPECT_EQ(main->number("滑块条1", Prop::Position), 105);
    SendMessageW(slider, WM_KEYDOWN, VK_LEFT, 0);
    SendMessageW(slider, WM_KEYUP, VK_LEFT, 0);
    EXPECT_EQ(main->number("滑块条1", Prop::Position), 104);
    EXPECT_EQ(recorder.count(behaviour::onOpacityChanged), 2);
    main->setNumber("滑块条1", Prop::Position, 10);
    EXPECT_EQ(main->number("滑块条1", Prop::Position), 50);
    main->setNumber("滑块条1", Prop::Position, 999);
    EXPECT_EQ(main->number("滑块条1", Prop::Position), 255);
    EXPECT_EQ(recorder.count(behaviour::onOpacityChanged), 2);
}

TEST_F(WindowEventTest, TimerTicksAtItsIntervalAndKeepsRunningWhenSetToTheSameValue) {
    main->setNumber("时钟1", Prop::Interval, 40);
    pump(layer, 300);
    const int ticks = recorder.count(behaviour::onShutdownTick);
    EXPECT_GE(ticks, 3);
    EXPECT_EQ(recorder.last(behaviour::onShutdownTick)->source, "时钟1");
    // The same value again, over and over faster than the period: still ticking.
    for (int i = 0; i < 15; ++i) {
        main->setNumber("时钟1", Prop::Interval, 40);
        pump(layer, 20);
    }
    EXPECT_GT(recorder.count(behaviour::onShutdownTick), ticks);
    main->setNumber("时钟1", Prop::Interval, 0);
    pump(layer, 10);
    const int stopped = recorder.count(behaviour::onShutdownTick);
    pump(layer, 150);
    EXPECT_EQ(recorder.count(behaviour::onShutdownTick), stopped);
    EXPECT_EQ(main->number("时钟1", Prop::Interval), 0);
}

TEST_F(WindowEventTest, ChoosingAFolderRaisesFolderChangedWithItsIndex) {
    HWND bar = handleOf(*main, "卷帘式菜单1");
    auto clickFolder = [&](int folder, int open) {
        const int y = win32::scaleForDpi(
            win32::FolderBar::headerTop(folder, open, 5, 240) + win32::FolderBar::HeaderHeight / 2, dpi());
        SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, y));
        SendMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(10, y));
    };
    clickFolder(3, 0);
    ASSERT_EQ(recorder.count(behaviour::onFolderChanged), 1);
    EXPECT_EQ(recorder.last(behaviour::onFolderChanged)->args.index, 3);
    EXPECT_EQ(recorder.last(behaviour::onFolderChanged)->source, "卷帘式菜单1");
    clickFolder(1, 3);
    EXPECT_EQ(recorder.last(behaviour::onFolderChanged)->args.index, 1);
    clickFolder(1, 1);  // the open folder again: no change
    EXPECT_EQ(recorder.count(behaviour::onFolderChanged), 2);
    pump(layer, 200);  // the slide ends
    clickFolder(4, 1);
    EXPECT_EQ(recorder.last(behaviour::onFolderChanged)->args.index, 4);
    EXPECT_EQ(main->number("卷帘式菜单1", Prop::Selection), 4);
    SetFocus(bar);
    SendMessageW(bar, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(recorder.last(behaviour::onFolderChanged)->args.index, 3);
}

TEST_F(WindowEventTest, CloseRequestsFromEveryRouteAskTheBindingWhichMayRefuse) {
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    PostMessageW(hwnd, WM_SYSKEYDOWN, VK_F4, static_cast<LPARAM>(1u << 29));  // Alt+F4
    pump(layer, 50);
    EXPECT_EQ(recorder.count(behaviour::onCloseRequested), 3);
    EXPECT_TRUE(IsWindow(hwnd));

    recorder.allowClose = true;
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    pump(layer, 20);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(WindowEventTest, LogOffAndShutdownAreNeverRefused) {
    EXPECT_EQ(SendMessageW(hwnd, WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_EQ(SendMessageW(hwnd, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    EXPECT_EQ(recorder.count(behaviour::onCloseRequested), 0);
}

TEST_F(WindowEventTest, OnlyTheWindowsPositionRaisesAnEventWhenWritten) {
    main->setText("编辑框_时", Prop::Text, "12");
    main->setFlag("选择框1", Prop::Checked, true);
    main->setNumber("选择夹1", Prop::CurrentPage, 3);
    main->setFlag("标签_其他", Prop::Visible, true);
    main->setNumber("卷帘式菜单1", Prop::Selection, 3);
    main->setFlag("图片框2", Prop::PlayAnimation, true);
    EXPECT_TRUE(recorder.calls.empty());
    EXPECT_EQ(main->text("编辑框_时", Prop::Text), "12");
    EXPECT_TRUE(main->flag("标签_其他", Prop::Visible));

    main->setNumber("", Prop::Top, 0);
    EXPECT_EQ(main->number("", Prop::Top), 0);
    ASSERT_EQ(recorder.count(behaviour::onWindowMoved), 1);
    EXPECT_EQ(recorder.calls.back().source, "");
    main->setNumber("", Prop::Top, -10);
    EXPECT_EQ(main->number("", Prop::Top), -10);
    EXPECT_EQ(recorder.count(behaviour::onWindowMoved), 2);
    EXPECT_EQ(main->number("", Prop::Height), win32::scaleForDpi(314, dpi()));

    // A name the window does not hold changes nothing, and the test hears of it.
    EXPECT_NONFATAL_FAILURE(main->setText("按钮9", Prop::Text, "x"), "按钮9");
    EXPECT_NONFATAL_FAILURE(main->flag("按钮9", Prop::Visible), "按钮9");
    EXPECT_NONFATAL_FAILURE(main->copyComponent("按钮_聊天 "), "按钮_聊天 ");
    EXPECT_EQ(recorder.count(behaviour::onWindowMoved), 2);
}

TEST_F(WindowEventTest, MenuItemsStatusBarAndTrayIconRaiseTheirEvents) {
    HMENU bar = GetMenu(hwnd);
    SendMessageW(hwnd, WM_COMMAND, GetMenuItemID(GetSubMenu(bar, 0), 0), 0);
    SendMessageW(hwnd, WM_COMMAND, GetMenuItemID(GetSubMenu(bar, 1), 0), 0);
    SendMessageW(hwnd, WM_COMMAND, GetMenuItemID(GetSubMenu(bar, 1), 1), 0);  // 帮助: unbound
    ASSERT_EQ(recorder.calls.size(), 2u);
    EXPECT_EQ(recorder.calls[0].behaviour, behaviour::onAddCommand);
    EXPECT_EQ(recorder.calls[0].source, "菜单_添加");
    EXPECT_EQ(recorder.calls[1].behaviour, behaviour::onAboutCommand);

    recorder.calls.clear();
    SendMessageW(handleOf(*main, "状态条1"), WM_MOUSEMOVE, MK_SHIFT, MAKELPARAM(12, 7));
    ASSERT_EQ(recorder.calls.size(), 1u);
    EXPECT_EQ(recorder.calls[0].behaviour, behaviour::onStatusBarMouseMove);
    EXPECT_EQ(recorder.calls[0].args.x, 12);
    EXPECT_EQ(recorder.calls[0].args.y, 7);
    EXPECT_EQ(recorder.calls[0].args.keys, MK_SHIFT);

    recorder.calls.clear();
    for (UINT mouse : {WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP, WM_CONTEXTMENU, WM_MOUSEMOVE,
                       WM_LBUTTONDOWN, WM_RBUTTONDOWN})
        SendMessageW(hwnd, win32::TrayCallbackMessage, win32::TrayIconId, mouse);
    ASSERT_EQ(recorder.calls.size(), 4u);
    EXPECT_EQ(recorder.calls[0].args.code, 1);
    EXPECT_EQ(recorder.calls[1].args.code, 2);
    EXPECT_EQ(recorder.calls[2].args.code, 3);
    EXPECT_EQ(recorder.calls[3].args.code, 3);
    EXPECT_EQ(recorder.calls[0].behaviour, behaviour::onTrayEvent);
}

TEST_F(WindowEventTest, NumberBoxesTakeOnlyDigitsAndMinusWhenTypedButAnyPaste) {
    EXPECT_TRUE(win32::numberFilterAccepts(L'7'));
    EXPECT_TRUE(win32::numberFilterAccepts(L'-'));
    EXPECT_TRUE(win32::numberFilterAccepts(L'\b'));
    EXPECT_FALSE(win32::numberFilterAccepts(L'a'));
    EXPECT_FALSE(win32::numberFilterAccepts(L' '));
    EXPECT_FALSE(win32::numberFilterAccepts(L'.'));
    EXPECT_FALSE(win32::numberFilterAccepts(L'３'));  // a full-width digit

    for (const char* name : {"编辑框_时", "编辑框_分", "编辑框_秒", "编辑框_秒计"}) {
        SCOPED_TRACE(name);
        main->setFlag(name, Prop::Disabled, false);
        HWND edit = handleOf(*main, name);
        for (wchar_t typed : std::wstring(L"1a -.2x"))
            SendMessageW(edit, WM_CHAR, typed, 1);
        EXPECT_EQ(textOf(edit), L"1-2");
        SendMessageW(edit, WM_CHAR, L'\b', 1);
        EXPECT_EQ(textOf(edit), L"1-");
    }

    // Pasting goes through unfiltered.
    HWND edit = handleOf(*main, "编辑框_时");
    SetWindowTextW(edit, L"");
    if (OpenClipboard(hwnd)) {
        EmptyClipboard();
        const wchar_t text[] = L"ab 3";
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof text);
        memcpy(GlobalLock(memory), text, sizeof text);
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
        CloseClipboard();
        SendMessageW(edit, WM_PASTE, 0, 0);
        EXPECT_EQ(textOf(edit), L"ab 3");
    }
}

TEST_F(WindowEventTest, ThePathBoxOfTheAddDialogRefusesTyping) {
    WindowDecl decl = addDialogDecl();
    decl.bindings.push_back({Event::Created, "inspect"});
    Behaviours behaviours = recorder.behaviours();
    behaviours["inspect"] = [&](EventContext& context) -> bool {
        Window& dialog = context.window;
        HWND path = handleOf(dialog, "编辑框1");
        SendMessageW(path, WM_CHAR, L'x', 1);
        EXPECT_EQ(textOf(path), L"");
        HWND name = handleOf(dialog, "编辑框2");
        SendMessageW(name, WM_CHAR, L'x', 1);
        SendMessageW(name, WM_CHAR, L' ', 1);
        EXPECT_EQ(textOf(name), L"x ");
        // Browse reaches its binding; then the dialog's own file dialog.
        SendMessageW(handleOf(dialog, "按钮1"), BM_CLICK, 0, 0);
        system.dialogAnswers = {"C:\\a.exe", ""};
        EXPECT_TRUE(dialog.openFileDialog("通用对话框1"));
        EXPECT_EQ(dialog.text("通用对话框1", Prop::FileName), "C:\\a.exe");
        EXPECT_FALSE(dialog.openFileDialog("通用对话框1"));
        EXPECT_EQ(dialog.text("通用对话框1", Prop::FileName), "C:\\a.exe");
        EXPECT_EQ(system.dialogFilters.back(), "任何文件都可以|*.*");
        EXPECT_EQ(system.dialogFlags.back(), 0x1806u);  // as declared
        SendMessageW(handleOf(dialog, "按钮2"), BM_CLICK, 0, 0);
        dialog.close();
        return true;
    };
    layer.runModal(decl, behaviours, *main);
    ASSERT_EQ(recorder.calls.size(), 2u);
    EXPECT_EQ(recorder.calls[0].behaviour, behaviour::onBrowseClicked);
    EXPECT_EQ(recorder.calls[0].source, "按钮1");
    EXPECT_EQ(recorder.calls[1].behaviour, behaviour::onConfirmClicked);
    EXPECT_EQ(recorder.calls[1].source, "按钮2");
}

TEST_F(WindowEventTest, EscDuringAWaitInsideAHandlerClosesTheDialogAtOnce) {
    // A handler that waits (the shutdown warning's ten seconds) holds the dialog's
    // loop: its keys must still work, and once asked to close it leaves the
    // screen and gives the owner its input back without waiting for the loop.
    WindowDecl decl = addDialogDecl();
    decl.bindings.push_back({Event::Created, "click"});
    Behaviours behaviours = recorder.behaviours();
    behaviours["click"] = [&](EventContext& context) {
        PostMessageW(handleOf(context.window, "按钮2"), BM_CLICK, 0, 0);
        return true;
    };
    win32::Win32System waiting{[](unsigned, unsigned long) { return false; }};
    waiting.setMessageDispatch([&](tagMSG& message) { layer.dispatch(message); });
    HWND owner = static_cast<HWND>(main->nativeHandle());
    bool shownAndOwnerDisabled = false, goneAndOwnerEnabled = false;
    behaviours[behaviour::onConfirmClicked] = [&](EventContext& context) {
        HWND dialog = static_cast<HWND>(context.window.nativeHandle());
        shownAndOwnerDisabled = IsWindowVisible(dialog) && !IsWindowEnabled(owner);
        HWND name = handleOf(context.window, "编辑框2");
        PostMessageW(name, WM_KEYDOWN, VK_ESCAPE, 1);
        PostMessageW(name, WM_KEYUP, VK_ESCAPE, 0xC0000001);
        waiting.waitWithEvents(300);
        goneAndOwnerEnabled = !IsWindowVisible(dialog) && IsWindowEnabled(owner);
        context.window.close();  // (ends the test when Esc did not)
        return true;
    };
    layer.runModal(decl, behaviours, *main);
    EXPECT_TRUE(shownAndOwnerDisabled);
    EXPECT_TRUE(goneAndOwnerEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

// Work posted to a window runs from a message of its own: after the messages
// waiting when it was posted, before the later ones. A dialog that closes takes
// its work with it.
TEST_F(WindowEventTest, PostedWorkTakesItsTurnInTheQueueAndGoesWithItsWindow) {
    const WPARAM about = GetMenuItemID(GetSubMenu(GetMenu(hwnd), 1), 0);
    std::vector<std::string> ran;
    PostMessageW(hwnd, WM_COMMAND, about, 0);
    layer.postWork(*main, [&] { ran.push_back("after " + std::to_string(recorder.calls.size())); });
    PostMessageW(hwnd, WM_COMMAND, about, 0);
    EXPECT_TRUE(ran.empty());

    WindowDecl decl = addDialogDecl();
    decl.bindings.push_back({Event::Created, "post and close"});
    Behaviours behaviours = recorder.behaviours();
    behaviours["post and close"] = [&](EventContext& context) {
        layer.postWork(context.window, [&] { ran.push_back("dialog"); });
        context.window.close();
        layer.postWork(context.window, [&] { ran.push_back("dialog, closing"); });
        return true;
    };
    layer.runModal(decl, behaviours, *main);
    pump(layer);
    EXPECT_EQ(ran, std::vector<std::string>{"after 1"});
    EXPECT_EQ(recorder.count(behaviour::onAboutCommand), 2);
}

}  // namespace
}  // namespace velarion::testing
