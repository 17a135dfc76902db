// The category pages: one button per entry at its place, the empty-page
// label, refills, and what a click starts.

#include <string>
#include <vector>

#include "AppHarness.hpp"

namespace velarion::testing {
namespace {

// "e1%$e2%$…" and "p1%$p2%$…" for n entries of one category.
std::vector<std::string> entryLines(const std::string& key, int n) {
    std::string names, paths;
    for (int i = 1; i <= n; ++i) {
        names += "e" + std::to_string(i) + "%$";
        paths += "p" + std::to_string(i) + "%$";
    }
    return {"[快捷方式]", key + "=" + names, "[快捷链接]", key + "=" + paths};
}

class CategoryPagesTest : public AppHarness {
protected:
    void givenEntries(const std::string& key, int n) {
        std::string bytes;
        for (const auto& line : entryLines(key, n)) bytes += line + "\r\n";
        sys.putFile(IniPath, bytes);
    }
};

const char* const Templates[] = {"按钮_聊天", "按钮_音乐", "按钮_游戏", "按钮_其他"};
const char* const Labels[] = {"标签_聊天", "标签_音乐", "标签_游戏", "标签_其他"};

TEST_F(CategoryPagesTest, EmptyCatalogShowsTheLabelOnEveryPage) {
    start();
    for (int page = 0; page < 4; ++page) {
        EXPECT_TRUE(main->flag(Labels[page], Prop::Visible)) << page;
        EXPECT_TRUE(main->copiesOf(Templates[page]).empty()) << page;
        EXPECT_FALSE(main->flag(Templates[page], Prop::Visible)) << page;
        EXPECT_LE(main->pageExtent("选择夹1", page), 0) << page;
    }
}

class LayoutTest : public CategoryPagesTest, public ::testing::WithParamInterface<int> {};

TEST_P(LayoutTest, ButtonsStandInRowsOfFour) {
    const int n = GetParam();
    givenEntries("游戏娱乐", n);
    start();
    main->chooseFolder("卷帘式菜单1", 2);

    const int lefts[] = {8, 66, 124, 182};
    const int tops[] = {8, 66, 122, 180, 238};
    const auto buttons = main->copiesOf("按钮_游戏");
    ASSERT_EQ(buttons.size(), static_cast<std::size_t>(n));
    for (int p = 1; p <= n; ++p) {
        const std::string& b = buttons[p - 1];
        EXPECT_EQ(main->text(b, Prop::Text), "e" + std::to_string(p));
        EXPECT_EQ(main->text(b, Prop::Tag), std::to_string(p));
        EXPECT_TRUE(main->flag(b, Prop::Visible));
        EXPECT_EQ(main->number(b, Prop::Left), lefts[(p - 1) % 4]) << p;
        EXPECT_EQ(main->number(b, Prop::Top), tops[(p - 1) / 4]) << p;
        EXPECT_EQ(main->component(b).decl.rect.width, 50);
    }
    EXPECT_FALSE(main->flag("标签_游戏", Prop::Visible));
    EXPECT_TRUE(main->flag("标签_聊天", Prop::Visible));
    EXPECT_TRUE(main->copiesOf("按钮_聊天").empty());

    // Past sixteen entries the page scrolls down to the last row and its margin.
    if (n > 16)
        EXPECT_EQ(main->pageExtent("选择夹1", 2), 238 + 50 + 8);
    else
        EXPECT_LE(main->pageExtent("选择夹1", 2), 0);
}

INSTANTIATE_TEST_SUITE_P(Counts, LayoutTest, ::testing::Values(1, 5, 13, 16, 17));

TEST_F(CategoryPagesTest, RowsGoOnDownwardAtTheButtonPitch) {
    givenEntries("聊天通讯", 30);
    start();
    const auto buttons = main->copiesOf("按钮_聊天");
    ASSERT_EQ(buttons.size(), 30u);
    EXPECT_EQ(main->number(buttons[28], Prop::Top), 180 + 58 * 4);  // 29th: eighth row
    EXPECT_EQ(main->number(buttons[29], Prop::Left), 66);
    EXPECT_EQ(main->pageExtent("选择夹1", 0), 180 + 58 * 4 + 58);
}

TEST_F(CategoryPagesTest, RefillsReuseTheButtonsOfEarlierFills) {
    givenEntries("聊天通讯", 2);
    start();
    addEntry("third", "C:\\t.exe", 1);
    addEntry("fourth", "C:\\f.exe", 1);
    addEntry("fifth", "C:\\v.exe", 1);

    const auto buttons = main->copiesOf("按钮_聊天");
    ASSERT_EQ(buttons.size(), 5u);
    EXPECT_EQ(main->text(buttons[3], Prop::Text), "fourth");
    EXPECT_EQ(main->number(buttons[4], Prop::Left), 8);
    EXPECT_EQ(main->number(buttons[4], Prop::Top), 66);
    for (int page = 1; page < 4; ++page) EXPECT_TRUE(main->copiesOf(Templates[page]).empty());
}

// The system refuses further buttons: the page shows those it could make, the
// window keeps its own caption (a refused copy has no name to write to), every
// click still starts its own entry, and a later fill makes the rest.
TEST_F(CategoryPagesTest, ButtonsTheSystemRefusesLeaveTheOthersRight) {
    givenEntries("聊天通讯", 6);
    windows.copiesAllowed = 4;
    start();
    const auto buttons = main->copiesOf("按钮_聊天");
    ASSERT_EQ(buttons.size(), 4u);
    for (const auto& button : buttons) main->click(button);
    EXPECT_EQ(sys.launches, (std::vector<std::string>{"p1", "p2", "p3", "p4"}));
    EXPECT_EQ(main->text("", Prop::Text), mainWindowDecl().title);
    EXPECT_EQ(main->text("", Prop::Tag), "");

    windows.copiesAllowed = -1;
    addEntry("e7", "p7", 1);
    ASSERT_EQ(main->copiesOf("按钮_聊天").size(), 7u);
    EXPECT_EQ(main->text(main->copiesOf("按钮_聊天")[6], Prop::Tag), "7");
}

TEST_F(CategoryPagesTest, AFileShortenedByHandHidesTheButtonsItNoLongerHolds) {
    givenEntries("聊天通讯", 3);
    start();
    givenEntries("聊天通讯", 1);
    addEntry("new", "C:\\n.exe", 1);

    const auto buttons = main->copiesOf("按钮_聊天");
    ASSERT_EQ(buttons.size(), 3u);
    EXPECT_EQ(main->text(buttons[1], Prop::Text), "new");
    EXPECT_TRUE(main->flag(buttons[1], Prop::Visible));
    EXPECT_FALSE(main->flag(buttons[2], Prop::Visible));
}

TEST_F(CategoryPagesTest, AClickStartsThePathAtTheButtonsPosition) {
    givenIni({"[快捷方式]", "聊天通讯=qq%$mail%$", "游戏娱乐=chess%$",
              "[快捷链接]", "聊天通讯=C:\\Program Files\\qq\\qq.exe%$C:\\mail.exe%$",
              "游戏娱乐=C:\\chess.exe%$"});
    start();
    main->chooseFolder("卷帘式菜单1", 2);
    main->click(main->copiesOf("按钮_游戏")[0]);
    main->chooseFolder("卷帘式菜单1", 0);
    main->click(main->copiesOf("按钮_聊天")[1]);
    main->click(main->copiesOf("按钮_聊天")[0]);

    // Unchanged command lines, the one with blanks included.
    EXPECT_EQ(sys.launches, (std::vector<std::string>{"C:\\chess.exe", "C:\\mail.exe",
                                                      "C:\\Program Files\\qq\\qq.exe"}));
}

TEST_F(CategoryPagesTest, NothingStartsForAnEmptyPathOrAPositionPastThePaths) {
    // Three names, but the second path is empty and there is no third.
    givenIni({"[快捷方式]", "其他应用=a%$b%$c%$", "[快捷链接]", "其他应用=C:\\a.exe%$%$"});
    start();
    main->chooseFolder("卷帘式菜单1", 3);
    const auto buttons = main->copiesOf("按钮_其他");
    ASSERT_EQ(buttons.size(), 3u);
    main->click(buttons[1]);
    main->click(buttons[2]);
    EXPECT_TRUE(sys.launches.empty());
    main->click(buttons[0]);
    EXPECT_EQ(sys.launches, std::vector<std::string>{"C:\\a.exe"});
}

}  // namespace
}  // namespace velarion::testing
