// The keyboard on the real windows, with key messages as the message loop gets
// them: the tab order of both windows against their declarations, the entry
// buttons reached by Tab and moved among by rows of four with the arrow keys,
// started with Enter or Space, scrolled into sight, and the focus drawn.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win32/WindowTestSupport.hpp"
#include "ui/ComponentNames.hpp"

namespace velarion::testing {
namespace {

class WindowKeyboardTest : public MainWindowTest {
protected:
    // Fills category page 0 with `count` entries placed as the category pages
    // place them (rows of four), and shows it; returns the buttons in position order.
    std::vector<HWND> fillFirstPage(int count) {
        constexpr int rowTops[] = {8, 66, 122, 180};
        std::vector<std::string> names;
        for (int p = 1; p <= count; ++p) {
            const std::string name = main->copyComponent("按钮_聊天");
            const int row = (p - 1) / 4, column = (p - 1) % 4;
            main->setText(name, Prop::Text, "条目" + std::to_string(p));
            main->setText(name, Prop::Tag, std::to_string(p));
            main->setFlag(name, Prop::Visible, true);
            main->setNumber(name, Prop::Left, 8 + 58 * column);
            main->setNumber(name, Prop::Top, row < 4 ? rowTops[row] : rowTops[3] + 58 * (row - 3));
            names.push_back(name);
        }
        const int rows = (count + 3) / 4;
        if (count > 16) main->setPageExtent("选择夹1", 0, rowTops[3] + 58 * (rows - 4) + 50 + 8);
        pump(layer, 100);  // the copies out of sight are made from the queue
        std::vector<HWND> buttons;
        for (const auto& name : names) buttons.push_back(handleOf(*main, name));
        return buttons;
    }

    void press(UINT key) {
        HWND focus = GetFocus();
        PostMessageW(focus, WM_KEYDOWN, key, 1);
        PostMessageW(focus, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
        pump(layer);
    }

    // The controls Tab visits from the focus, until it comes back to where it started.
    std::vector<HWND> tabCycle() {
        const HWND start = GetFocus();
        std::vector<HWND> seen{start};
        for (int i = 0; i < 64; ++i) {
            press(VK_TAB);
            if (GetFocus() == start) return seen;
            seen.push_back(GetFocus());
        }
        ADD_FAILURE() << "Tab never came back to where it started";
        return seen;
    }

    // The declared tab stops of `page` of 选择夹1 (or of the window when page < 0)
    // that can take the focus, in declared order, after the folder bar.
    std::vector<HWND> declaredTabStops(Window& window, int page) {
        std::vector<HWND> stops;
        for (const ComponentDecl& c : window.declaration().components) {
            if (!c.tabStop || c.disabled || !c.visible) continue;
            const ComponentDecl* onPage = &c;
            while (!onPage->container.empty() && onPage->page < 0) onPage = window.declaration().find(onPage->container);
            if (page >= 0 && onPage->page >= 0 && onPage->page != page) continue;
            stops.push_back(handleOf(window, c.name));
        }
        return stops;
    }

    HWND bar() { return handleOf(*main, "卷帘式菜单1"); }
    int scrollOfFirstPage() { return native(*main).makeNow("选择夹1")->scrollTop(0); }
};

TEST_F(WindowKeyboardTest, TabVisitsTheDeclaredStopsOfEachWindowInDeclaredOrder) {
    // Settings page: the folder bar, then the settings as declared (the disabled
    // countdown box is passed over).
    main->setNumber("选择夹1", Prop::CurrentPage, 4);
    pump(layer, 50);
    SetFocus(bar());
    const std::vector<HWND> settings = tabCycle();
    EXPECT_EQ(settings, declaredTabStops(*main, 4));
    EXPECT_EQ(settings.size(), 10u);

    // The add dialog: name, path, browse, category, OK, and round again; Esc closes it.
    Window* dialog = layer.load(addDialogDecl(), recorder.behaviours());
    ASSERT_NE(dialog, nullptr);
    pump(layer, 50);
    EXPECT_EQ(GetFocus(), declaredTabStops(*dialog, -1).front());
    EXPECT_EQ(tabCycle(), declaredTabStops(*dialog, -1));
    press(VK_ESCAPE);
    pump(layer, 50);
    EXPECT_TRUE(native(*dialog).closing());
}

TEST_F(WindowKeyboardTest, EntryButtonsAreReachedByTabAndMovedAmongByRows) {
    const std::vector<HWND> entries = fillFirstPage(22);  // rows of 4, the last with 2
    // The template stays hidden and out of the tab order; its copies are in it.
    EXPECT_FALSE(GetWindowLongPtrW(handleOf(*main, "按钮_聊天"), GWL_STYLE) & WS_TABSTOP);
    SetFocus(bar());
    std::vector<HWND> expected{bar()};
    expected.insert(expected.end(), entries.begin(), entries.end());
    EXPECT_EQ(tabCycle(), expected);

    // The focus is drawn once the keyboard moves it, however the window was opened.
    SendMessageW(hwnd, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    SetFocus(bar());
    press(VK_TAB);
    ASSERT_EQ(GetFocus(), entries[0]);
    EXPECT_FALSE(SendMessageW(entries[0], WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);

    auto at = [&](int position) { return entries[static_cast<std::size_t>(position - 1)]; };
    const struct {
        UINT key;
        int to;  // position after the key
    } moves[] = {
        {VK_LEFT, 1}, {VK_UP, 1},               // at the first entry nothing moves
        {VK_RIGHT, 2}, {VK_DOWN, 6}, {VK_DOWN, 10}, {VK_RIGHT, 11}, {VK_RIGHT, 12},
        {VK_RIGHT, 13},                         // on to the next row
        {VK_LEFT, 12}, {VK_UP, 8},
        {VK_DOWN, 12}, {VK_DOWN, 16}, {VK_DOWN, 20},
        {VK_DOWN, 22},                          // the last row is shorter: its last entry
        {VK_DOWN, 22}, {VK_RIGHT, 22},          // at the last entry nothing moves
        {VK_UP, 18}, {VK_UP, 14},
    };
    auto isDefault = [](HWND button) { return (GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON; };
    for (const auto& move : moves) {
        const HWND from = GetFocus();
        const bool wasDefault = isDefault(from);
        press(move.key);
        EXPECT_EQ(GetFocus(), at(move.to)) << "key " << move.key << " to " << move.to;
        if (from == GetFocus()) continue;
        // The focused entry is the one drawn as the default button, as after Tab.
        EXPECT_FALSE(isDefault(from));
        EXPECT_EQ(isDefault(GetFocus()), wasDefault);
    }

    // Down past the page's end scrolled the focused entry into sight; up scrolls back.
    press(VK_DOWN);
    press(VK_DOWN);
    ASSERT_EQ(GetFocus(), at(22));
    RECT page{}, button{};
    GetClientRect(GetParent(at(22)), &page);
    GetWindowRect(at(22), &button);
    MapWindowPoints(nullptr, GetParent(at(22)), reinterpret_cast<POINT*>(&button), 2);
    EXPECT_GT(scrollOfFirstPage(), 0);
    EXPECT_GE(button.top, 0);
    EXPECT_LE(button.bottom, page.bottom);
    for (int i = 0; i < 6; ++i) press(VK_UP);
    EXPECT_EQ(GetFocus(), at(2));
    EXPECT_EQ(scrollOfFirstPage(), 0);
}

TEST_F(WindowKeyboardTest, EnterAndSpaceStartTheFocusedEntryOnly) {
    const std::vector<HWND> entries = fillFirstPage(3);
    SetFocus(entries[1]);
    recorder.calls.clear();
    press(VK_RETURN);
    ASSERT_EQ(recorder.count(behaviour::launchEntryChat), 1);
    EXPECT_EQ(main->text(recorder.last(behaviour::launchEntryChat)->source, Prop::Tag), "2");
    press(VK_SPACE);
    ASSERT_EQ(recorder.count(behaviour::launchEntryChat), 2);
    EXPECT_EQ(main->text(recorder.last(behaviour::launchEntryChat)->source, Prop::Tag), "2");
    EXPECT_EQ(GetFocus(), entries[1]);
    // Enter elsewhere still does nothing; Esc leaves the main window alone.
    main->setNumber("选择夹1", Prop::CurrentPage, 4);
    SetFocus(handleOf(*main, "选择框1"));
    press(VK_RETURN);
    press(VK_ESCAPE);
    EXPECT_EQ(recorder.calls.size(), 2u);
    EXPECT_TRUE(IsWindowVisible(hwnd));
}

}  // namespace
}  // namespace velarion::testing
