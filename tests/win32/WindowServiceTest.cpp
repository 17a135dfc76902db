// The window services on a real window: opacity, the always-on-top band, the
// notification-area icon and the status bar's parts; and the picture box's
// animation and a scrolling page.

#include <gtest/gtest.h>

#include "platform/win32/PictureBox.hpp"
#include "tests/win32/WindowTestSupport.hpp"
#include "ui/Declarations.hpp"

namespace velarion::testing {
namespace {

class WindowServiceTest : public MainWindowTest {
protected:
    LONG_PTR exStyle() const { return GetWindowLongPtrW(hwnd, GWL_EXSTYLE); }
};

TEST_F(WindowServiceTest, OpacityAddsTheLayeredStyleOnceAndSetsTheAlpha) {
    const LONG_PTR before = exStyle();
    EXPECT_FALSE(before & WS_EX_LAYERED);
    layer.setWindowOpacity(*main, 255);  // full: an opaque window stays an ordinary one
    EXPECT_EQ(exStyle(), before);
    layer.setWindowOpacity(*main, 128);
    EXPECT_EQ(exStyle(), before | WS_EX_LAYERED);  // the other styles kept
    COLORREF key = 1;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(hwnd, &key, &alpha, &flags));
    EXPECT_EQ(alpha, 128);
    EXPECT_EQ(flags & LWA_ALPHA, static_cast<DWORD>(LWA_ALPHA));
    layer.setWindowOpacity(*main, 50);
    ASSERT_TRUE(GetLayeredWindowAttributes(hwnd, &key, &alpha, &flags));
    EXPECT_EQ(alpha, 50);
    EXPECT_EQ(exStyle(), before | WS_EX_LAYERED);
    // Out of range: the nearest alpha, not a wrapped one.
    layer.setWindowOpacity(*main, 300);
    ASSERT_TRUE(GetLayeredWindowAttributes(hwnd, &key, &alpha, &flags));
    EXPECT_EQ(alpha, 255);
}

TEST_F(WindowServiceTest, TopmostMovesTheWindowInAndOutOfTheTopmostBand) {
    HWND before = GetForegroundWindow();
    layer.setWindowTopmost(*main, false);
    EXPECT_FALSE(exStyle() & WS_EX_TOPMOST);
    EXPECT_FALSE(main->flag("", Prop::AlwaysOnTop));
    layer.setWindowTopmost(*main, true);
    EXPECT_TRUE(exStyle() & WS_EX_TOPMOST);
    EXPECT_TRUE(main->flag("", Prop::AlwaysOnTop));
    main->setFlag("", Prop::AlwaysOnTop, false);
    EXPECT_FALSE(exStyle() & WS_EX_TOPMOST);
    EXPECT_EQ(GetForegroundWindow(), before);  // never activated by it
    EXPECT_TRUE(recorder.calls.size() == 1u);  // Created only: no move reported
}

TEST_F(WindowServiceTest, TrayIconIsAddedThenReplacedDestroyingThePreviousIcon) {
    auto& tray = native(*main).tray();
    EXPECT_FALSE(tray.shown());
    layer.setTrayIcon(*main, "Velarion正在运行，实时保护您的计算机");
    ASSERT_TRUE(tray.shown()) << "the shell refused the icon";
    HICON first = tray.icon();
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(first, &info));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    layer.setTrayIcon(*main, "second tip");
    EXPECT_TRUE(tray.shown());
    EXPECT_NE(tray.icon(), first);
    EXPECT_FALSE(GetIconInfo(first, &info)) << "the first icon was not destroyed";
    // Explorer restarting broadcasts TaskbarCreated: the icon is added again.
    SendMessageW(hwnd, win32::Tray::taskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(tray.shown());
}

TEST_F(WindowServiceTest, StatusPartTextChangesOnlyThatPart) {
    HWND status = handleOf(*main, "状态条1");
    auto part = [&](int index) {
        wchar_t text[128] = {};
        SendMessageW(status, SB_GETTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
        return std::wstring(text);
    };
    layer.setStatusPartText(*main, "状态条1", 1, "距离关机还有59秒");
    EXPECT_EQ(part(0), L"欢迎使用Velarion！");
    EXPECT_EQ(part(1), L"距离关机还有59秒");
    layer.setStatusPartText(*main, "状态条1", 2, "nowhere");
    layer.setStatusPartText(*main, "状态条1", -1, "nowhere");
    EXPECT_NONFATAL_FAILURE(layer.setStatusPartText(*main, "no such bar", 0, "nowhere"),
                            "no such bar");
    EXPECT_EQ(part(0), L"欢迎使用Velarion！");
    EXPECT_EQ(part(1), L"距离关机还有59秒");
}

TEST_F(WindowServiceTest, TheAnimationPlaysAndStandsStillOnItsFrame) {
    auto* picture = dynamic_cast<win32::PictureBox*>(native(*main).makeNow("图片框2"));
    ASSERT_NE(picture, nullptr);
    ASSERT_TRUE(picture->hasPicture()) << "the program's animation is not among the resources";
    EXPECT_EQ(picture->currentFrame(), 0);
    pump(layer, 200);
    EXPECT_EQ(picture->currentFrame(), 0);
    main->setFlag("图片框2", Prop::PlayAnimation, true);
    EXPECT_TRUE(main->flag("图片框2", Prop::PlayAnimation));
    pump(layer, 400);
    const int frame = picture->currentFrame();
    EXPECT_GT(frame, 0);
    main->setFlag("图片框2", Prop::PlayAnimation, false);
    pump(layer, 300);
    EXPECT_EQ(picture->currentFrame(), frame);
}

TEST_F(WindowServiceTest, ATallPageScrollsAndKeepsPageCoordinates) {
    const int dpi = native(*main).dpi();
    std::string last;
    for (int i = 0; i < 17; ++i) {
        last = main->copyComponent("按钮_聊天");
        main->setNumber(last, Prop::Left, 8 + 58 * (i % 4));
        main->setNumber(last, Prop::Top, 8 + 58 * (i / 4));
        main->setFlag(last, Prop::Visible, true);
    }
    HWND page = native(*main).makeNow("选择夹1")->childParent(0);
    EXPECT_FALSE(GetWindowLongPtrW(page, GWL_STYLE) & WS_VSCROLL);
    main->setPageExtent("选择夹1", 0, 8 + 58 * 5);
    EXPECT_TRUE(GetWindowLongPtrW(page, GWL_STYLE) & WS_VSCROLL);
    HWND button = handleOf(*main, last);
    const int before = placeOf(button).top;
    EXPECT_EQ(before, win32::scaleForDpi(240, dpi));
    SendMessageW(button, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_LT(placeOf(button).top, before);
    EXPECT_EQ(main->number(last, Prop::Top), 240);
    main->setPageExtent("选择夹1", 0, 100);
    EXPECT_FALSE(GetWindowLongPtrW(page, GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(placeOf(button).top, before);
}

}  // namespace
}  // namespace velarion::testing
