// Start-up, hiding to the notification area and back, the slide-away at the
// top edge of the screen, folders and pages, the About box.

#include <algorithm>
#include <string>

#include "AppHarness.hpp"

namespace velarion::testing {
namespace {

using LifeCycleTest = AppHarness;

TEST_F(LifeCycleTest, StartUpMovesIntoTheExecutablesFolderAndBuildsTheWindow) {
    givenIni({"[快捷方式]", "音乐影视=player%$", "[快捷链接]", "音乐影视=C:\\p.exe%$",
              "[系统设置]", "前端=真"});
    EXPECT_EQ(runApplication(ctx), 0);

    EXPECT_EQ(sys.wholeFileReads, 1);  // the pages and the settings from one reading
    EXPECT_EQ(sys.directoryChanges, std::vector<std::string>{"C:\\Program Files\\Velarion"});
    main = windows.window("main");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ctx.main, main);
    EXPECT_TRUE(ctx.edgeHideArmed);
    // The shown page is filled; another keeps its entries until it first shows.
    EXPECT_TRUE(main->flag("标签_聊天", Prop::Visible));
    EXPECT_FALSE(main->flag("标签_音乐", Prop::Visible));
    EXPECT_TRUE(main->copiesOf("按钮_音乐").empty());
    main->chooseFolder("卷帘式菜单1", 1);
    ASSERT_EQ(main->copiesOf("按钮_音乐").size(), 1u);
    EXPECT_EQ(main->text(main->copiesOf("按钮_音乐")[0], Prop::Text), "player");
    main->chooseFolder("卷帘式菜单1", 0);
    EXPECT_TRUE(main->flag("选择框2", Prop::Checked));  // settings restored
    EXPECT_TRUE(sys.messageBoxes.empty());
}

TEST_F(LifeCycleTest, AWindowThatCannotBeLoadedIsReportedAndEndsTheProgram) {
    windows.failLoads = true;
    EXPECT_NE(runApplication(ctx), 0);
    ASSERT_EQ(sys.messageBoxes.size(), 1u);
    EXPECT_EQ(sys.messageBoxes[0].text, "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n");
    EXPECT_EQ(sys.messageBoxes[0].title, "错误");
    EXPECT_EQ(sys.messageBoxes[0].flags, MbIconStop);
}

TEST_F(LifeCycleTest, CloseHidesBehindOneIconAndALeftClickBringsTheWindowBack) {
    start();
    EXPECT_FALSE(main->requestClose());
    EXPECT_FALSE(main->requestClose());
    EXPECT_TRUE(main->isOpen());
    EXPECT_FALSE(main->flag("", Prop::Visible));
    EXPECT_TRUE(main->trayIcon().present);
    EXPECT_EQ(main->trayIcon().adds, 1);
    EXPECT_EQ(main->trayIcon().tip, "Velarion正在运行，实时保护您的计算机");

    main->trayEvent(2);
    main->trayEvent(3);
    EXPECT_FALSE(main->flag("", Prop::Visible));
    main->trayEvent(1);
    EXPECT_TRUE(main->flag("", Prop::Visible));
    EXPECT_TRUE(main->trayIcon().present);  // the icon stays
}

TEST_F(LifeCycleTest, AtTheTopEdgeTheWindowSlidesAwayAndTheStatusBarBringsItBack) {
    start();
    const int movesBefore = eventsOf(Event::PositionChanged);
    main->moveTo(300, 0);

    // 314 high: 31 steps of 10 pixels, each raising a nested position change.
    EXPECT_EQ(main->number("", Prop::Top), -310);
    EXPECT_EQ(main->number("", Prop::Left), 300);
    EXPECT_EQ(eventsOf(Event::PositionChanged) - movesBefore, 1 + 31);
    EXPECT_EQ(std::count(sys.waits.begin(), sys.waits.end(), 1), 31);
    EXPECT_FALSE(ctx.edgeHideArmed);

    main->mouseOver("状态条1", 5, 5);
    EXPECT_EQ(main->number("", Prop::Top), 1);  // revealed, and no new slide
    EXPECT_TRUE(ctx.edgeHideArmed);

    main->mouseOver("状态条1", 6, 5);
    EXPECT_EQ(main->number("", Prop::Top), 1);

    // Only a top edge of exactly 0 starts the next slide.
    main->moveTo(300, 2);
    EXPECT_EQ(main->number("", Prop::Top), 2);
    main->moveTo(300, 0);
    EXPECT_EQ(main->number("", Prop::Top), -310);
}

TEST_F(LifeCycleTest, EventsDuringTheSlideRunBetweenItsSteps) {
    start();
    // The mouse crosses the status bar in the middle of the slide; the slide
    // is still under way, so it does not count as a reveal.
    windows.post([&] { main->mouseOver("状态条1", 1, 1); }, 5);
    main->moveTo(100, 0);
    EXPECT_EQ(main->number("", Prop::Top), -310);
    EXPECT_FALSE(ctx.edgeHideArmed);
    EXPECT_EQ(eventsOf(Event::MouseMove), 1);
}

TEST_F(LifeCycleTest, EachFolderShowsItsPage) {
    start();
    for (int folder : {4, 1, 3, 0, 2}) {
        main->chooseFolder("卷帘式菜单1", folder);
        EXPECT_EQ(main->number("选择夹1", Prop::CurrentPage), folder);
    }
}

TEST_F(LifeCycleTest, AboutShowsTheSystemBoxAndHelpDoesNothing) {
    start();
    main->chooseMenu("菜单_帮助");
    EXPECT_TRUE(sys.aboutBoxes.empty());
    EXPECT_TRUE(sys.messageBoxes.empty());

    main->chooseMenu("菜单_关于作者");
    ASSERT_EQ(sys.aboutBoxes.size(), 1u);
    EXPECT_EQ(sys.aboutBoxes[0].applicationName, "Velarion");
    EXPECT_EQ(sys.aboutBoxes[0].otherText,
              "本软件可更好的为您使用计算机提供方便快捷简单的打开方式，可整合分类已有软件！" +
                  std::string(13, ' ') + "作者：Morvane");
}

}  // namespace
}  // namespace velarion::testing
