// The shutdown page on the scheduler: the button, the two radio buttons and
// the one-second timer, seen through the page's components.

#include <string>

#include "AppHarness.hpp"

namespace velarion::testing {
namespace {

class ShutdownPageTest : public AppHarness {
protected:
    void SetUp() override {
        start();
        main->chooseFolder("卷帘式菜单1", 4);
    }
    std::string status() const { return main->statusText("状态条1", 1); }
    std::string caption() const { return main->text("按钮1", Prop::Text); }
    bool playing() const { return main->flag("图片框2", Prop::PlayAnimation); }
    int interval() const { return main->number("时钟1", Prop::Interval); }
    void typeClock(const std::string& h, const std::string& m, const std::string& s) {
        main->type("编辑框_时", h);
        main->type("编辑框_分", m);
        main->type("编辑框_秒", s);
    }
};

TEST_F(ShutdownPageTest, RadioButtonsEnableTheirRow) {
    main->click("单选框2");
    EXPECT_FALSE(main->flag("编辑框_秒计", Prop::Disabled));
    for (const char* box : {"编辑框_时", "编辑框_分", "编辑框_秒"})
        EXPECT_TRUE(main->flag(box, Prop::Disabled)) << box;
    main->click("单选框2");  // already selected: the same again
    EXPECT_FALSE(main->flag("编辑框_秒计", Prop::Disabled));

    main->click("单选框1");
    EXPECT_TRUE(main->flag("编辑框_秒计", Prop::Disabled));
    for (const char* box : {"编辑框_时", "编辑框_分", "编辑框_秒"})
        EXPECT_FALSE(main->flag(box, Prop::Disabled)) << box;
}

TEST_F(ShutdownPageTest, MissingEntriesOfTheSelectedModeAreRefused) {
    typeClock("23", "", "10");
    main->click("按钮1");
    main->click("单选框2");
    main->click("按钮1");

    ASSERT_EQ(sys.messageBoxes.size(), 2u);
    for (const auto& box : sys.messageBoxes) {
        EXPECT_EQ(box.text, "您还没有设定时间，或您选择的模式错误！");
        EXPECT_EQ(box.title, "错误");
        EXPECT_EQ(box.flags, MbOk);
    }
    EXPECT_EQ(caption(), "确定");
    EXPECT_EQ(interval(), 0);
    EXPECT_FALSE(playing());
}

TEST_F(ShutdownPageTest, CountdownFromThreeRequestsOnePowerOffOnTheThirdTick) {
    main->click("单选框2");
    main->type("编辑框_秒计", "3");
    main->click("按钮1");
    EXPECT_EQ(caption(), "停止");
    EXPECT_TRUE(playing());
    EXPECT_EQ(interval(), 1000);
    EXPECT_EQ(status(), "暂无定时关机任务");  // the first text comes with the first tick

    windows.advance(1000);
    EXPECT_EQ(status(), "距离关机还有2秒");
    EXPECT_EQ(main->text("编辑框_秒计", Prop::Text), "2");
    windows.advance(1000);
    EXPECT_EQ(status(), "距离关机还有1秒");
    EXPECT_TRUE(sys.shutdowns.empty());
    windows.advance(1000);
    EXPECT_EQ(status(), "距离关机还有0秒");
    ASSERT_EQ(sys.shutdowns.size(), 1u);
    EXPECT_EQ(sys.shutdowns[0].mode, ShutdownPowerOff);
    EXPECT_TRUE(sys.shutdowns[0].force);

    windows.advance(2000);  // the count goes on below zero, without a second request
    EXPECT_EQ(main->text("编辑框_秒计", Prop::Text), "-2");
    EXPECT_EQ(sys.shutdowns.size(), 1u);
}

TEST_F(ShutdownPageTest, StopRestoresTheIdlePageAtOnce) {
    typeClock("8", "0", "0");
    main->click("按钮1");
    windows.advance(1000);
    EXPECT_EQ(status(), "正在定时关机");

    main->click("按钮1");
    EXPECT_EQ(caption(), "确定");
    EXPECT_FALSE(playing());
    EXPECT_EQ(interval(), 0);
    EXPECT_EQ(status(), "暂无定时关机任务");
    windows.advance(5000);
    EXPECT_EQ(status(), "暂无定时关机任务");
}

TEST_F(ShutdownPageTest, StopDuringTheWarningCancelsTheShutdown) {
    sys.setClock({2024, 5, 20, 21, 59, 58});
    typeClock("21", "59", "59");
    main->click("按钮1");
    // The first tick matches; "停止" is pressed four seconds into the warning,
    // while one of its waits is handling events.
    windows.post([&] { main->click("按钮1"); }, 5000);
    windows.advance(2000);

    EXPECT_TRUE(sys.shutdowns.empty());
    EXPECT_EQ(caption(), "确定");
    EXPECT_FALSE(playing());
    EXPECT_EQ(interval(), 0);
    EXPECT_EQ(status(), "暂无定时关机任务");
}

TEST_F(ShutdownPageTest, ClockTimeTaskWarnsThenRequestsAndStaysSpent) {
    sys.setClock({2024, 5, 20, 7, 59, 59});
    typeClock("08", "0", "0");
    main->click("按钮1");
    windows.advance(1000);  // 08:00:00: the ten-second warning runs inside this tick

    EXPECT_EQ(sys.beeps, 10);
    ASSERT_EQ(sys.shutdowns.size(), 1u);
    EXPECT_EQ(status(), "正在定时关机");
    EXPECT_EQ(interval(), 0);
    EXPECT_EQ(caption(), "停止");

    main->click("按钮1");
    EXPECT_EQ(caption(), "确定");
    EXPECT_EQ(status(), "暂无定时关机任务");
}

}  // namespace
}  // namespace velarion::testing
