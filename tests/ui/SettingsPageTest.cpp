// The settings page: restoring the three settings at start, and the slider
// and the two check boxes, each written at once.

#include <string>

#include "AppHarness.hpp"

namespace velarion::testing {
namespace {

const std::string RunValue = "software\\microsoft\\windows\\CurrentVersion\\Run\\Velarion";
const std::string Command = "\"C:\\Program Files\\Velarion\\velarion.exe\"";

using SettingsPageTest = AppHarness;

TEST_F(SettingsPageTest, WithoutAFileTheWindowStartsOpaqueAndNotOnTop) {
    start();
    EXPECT_FALSE(main->layered());
    EXPECT_EQ(main->number("滑块条1", Prop::Position), 255);
    EXPECT_FALSE(main->flag("", Prop::AlwaysOnTop));
    EXPECT_FALSE(main->flag("选择框1", Prop::Checked));
    EXPECT_FALSE(main->flag("选择框2", Prop::Checked));
    EXPECT_FALSE(sys.hasFile(IniPath));  // restoring writes nothing
}

TEST_F(SettingsPageTest, RestoringRaisesNoHandlerAndTouchesNoRegistry) {
    givenIni({"[系统设置]", "透明度=128", "开机启动=真", "前端=真"});
    start();
    EXPECT_EQ(eventsOf(Event::SliderMoved), 0);
    EXPECT_EQ(eventsOf(Event::Clicked), 0);
    EXPECT_EQ(sys.registryValueCount(), 0u);
    EXPECT_EQ(stored("系统设置", "透明度"), "128");
    EXPECT_TRUE(main->flag("选择框1", Prop::Checked));  // the file says so, registry or not
    EXPECT_TRUE(main->flag("选择框2", Prop::Checked));
    EXPECT_TRUE(main->flag("", Prop::AlwaysOnTop));
}

struct OpacityCase {
    const char* stored;
    bool applied;
    int slider;  // also the alpha when applied
};

class StoredOpacityTest : public AppHarness, public ::testing::WithParamInterface<OpacityCase> {};

TEST_P(StoredOpacityTest, IsBroughtIntoTheSlidersRange) {
    const OpacityCase& c = GetParam();
    givenIni({"[系统设置]", std::string("透明度=") + c.stored});
    start();
    EXPECT_EQ(main->number("滑块条1", Prop::Position), c.slider);
    EXPECT_EQ(main->layered(), c.applied);
    if (c.applied) {
        EXPECT_EQ(main->alpha(), c.slider);
    }
}

INSTANTIATE_TEST_SUITE_P(Values, StoredOpacityTest,
                         ::testing::Values(OpacityCase{"128", true, 128},
                                           OpacityCase{"128.9", true, 128},
                                           OpacityCase{"0", false, 255},
                                           OpacityCase{"abc", false, 255},
                                           OpacityCase{"", false, 255},
                                           OpacityCase{"10", true, 50},     // hand-edited
                                           OpacityCase{"-300", true, 50},
                                           OpacityCase{"999", true, 255},
                                           OpacityCase{"1e300", true, 255}));

TEST_F(SettingsPageTest, OnlyTheExactOnTextTurnsAFlagOn) {
    for (const char* text : {"1", "true", "", "假"}) {
        SimSystem system;
        SimWindows layer(system);
        AppContext app(system, layer);
        system.putFile(IniPath, std::string("[系统设置]\r\n开机启动=") + text + "\r\n前端=" +
                                    text + "\r\n");
        layer.load(mainWindowDecl(), makeBehaviours(app));
        SimWindow& window = *layer.window("main");
        EXPECT_FALSE(window.flag("选择框1", Prop::Checked)) << text;
        EXPECT_FALSE(window.flag("选择框2", Prop::Checked)) << text;
        EXPECT_FALSE(window.flag("", Prop::AlwaysOnTop)) << text;
    }
}

TEST_F(SettingsPageTest, EverySliderNotificationSetsTheAlphaAndWritesTheFile) {
    start();
    main->sliderDrag("滑块条1", 50);
    EXPECT_EQ(main->alpha(), 50);
    EXPECT_EQ(stored("系统设置", "透明度"), "50");

    const int callsBefore = main->opacityCalls();
    const int writesBefore = sys.replacements;
    main->sliderLine("滑块条1", 3);
    EXPECT_EQ(main->opacityCalls() - callsBefore, 3);
    EXPECT_EQ(sys.replacements - writesBefore, 3);
    EXPECT_EQ(main->alpha(), 53);
    EXPECT_EQ(stored("系统设置", "透明度"), "53");
}

TEST_F(SettingsPageTest, AlwaysOnTopFollowsItsBox) {
    start();
    main->click("选择框2");
    EXPECT_TRUE(main->flag("", Prop::AlwaysOnTop));
    EXPECT_EQ(stored("系统设置", "前端"), "真");
    main->click("选择框2");
    EXPECT_FALSE(main->flag("", Prop::AlwaysOnTop));
    EXPECT_EQ(stored("系统设置", "前端"), "假");
}

TEST_F(SettingsPageTest, StartWithWindowsWritesTheQuotedPathAndRemovesIt) {
    start();
    main->click("选择框1");
    EXPECT_EQ(stored("系统设置", "开机启动"), "真");
    EXPECT_EQ(sys.registryText(RegistryRoot::LocalMachine, RunValue), Command);
    EXPECT_FALSE(sys.registryText(RegistryRoot::CurrentUser, RunValue));

    main->click("选择框1");
    EXPECT_EQ(stored("系统设置", "开机启动"), "假");
    EXPECT_EQ(sys.registryValueCount(), 0u);
    EXPECT_TRUE(sys.messageBoxes.empty());
}

TEST_F(SettingsPageTest, AMachineWideRefusalFallsBackToTheUsersRunKey) {
    start();
    sys.refusedRoots = {RegistryRoot::LocalMachine};
    main->click("选择框1");
    EXPECT_TRUE(main->flag("选择框1", Prop::Checked));
    EXPECT_EQ(stored("系统设置", "开机启动"), "真");
    EXPECT_EQ(sys.registryText(RegistryRoot::CurrentUser, RunValue), Command);
    EXPECT_TRUE(sys.messageBoxes.empty());

    // Unchecking clears both places.
    sys.refusedRoots.clear();
    sys.writeRegistryText(RegistryRoot::LocalMachine, RunValue, Command);
    main->click("选择框1");
    EXPECT_EQ(sys.registryValueCount(), 0u);
}

TEST_F(SettingsPageTest, WhenNeitherRunKeyTakesTheValueTheBoxIsUncheckedAgain) {
    start();
    sys.refusedRoots = {RegistryRoot::LocalMachine, RegistryRoot::CurrentUser};
    main->click("选择框1");
    EXPECT_FALSE(main->flag("选择框1", Prop::Checked));
    EXPECT_EQ(stored("系统设置", "开机启动"), "假");
    ASSERT_EQ(sys.messageBoxes.size(), 1u);
    EXPECT_EQ(sys.messageBoxes[0].text, "无法设置开机自动启动");
    EXPECT_EQ(sys.messageBoxes[0].title, "错误");
}

TEST_F(SettingsPageTest, AValueThatCannotBeRemovedKeepsTheBoxCheckedAndSaysSo) {
    // An elevated run wrote the machine-wide value; this run may not change it.
    givenIni({"[系统设置]", "开机启动=真"});
    sys.writeRegistryText(RegistryRoot::LocalMachine, RunValue, Command);
    sys.writeRegistryText(RegistryRoot::CurrentUser, RunValue, Command);
    start();
    sys.refusedRoots = {RegistryRoot::LocalMachine};
    main->click("选择框1");
    EXPECT_TRUE(main->flag("选择框1", Prop::Checked));
    EXPECT_EQ(stored("系统设置", "开机启动"), "真");
    EXPECT_FALSE(sys.registryText(RegistryRoot::CurrentUser, RunValue));  // what could go, went
    ASSERT_EQ(sys.messageBoxes.size(), 1u);
    EXPECT_EQ(sys.messageBoxes[0].text, "无法取消开机自动启动");
    EXPECT_EQ(sys.messageBoxes[0].title, "错误");

    // A refused root without a value is no failure.
    sys.refusedRoots = {RegistryRoot::CurrentUser};
    main->click("选择框1");
    EXPECT_EQ(stored("系统设置", "开机启动"), "假");
    EXPECT_EQ(sys.messageBoxes.size(), 1u);
}

TEST_F(SettingsPageTest, UncheckingWithoutAValueStillWritesOff) {
    givenIni({"[系统设置]", "开机启动=真"});
    start();
    main->click("选择框1");
    EXPECT_EQ(stored("系统设置", "开机启动"), "假");
    EXPECT_EQ(sys.registryValueCount(), 0u);
}

}  // namespace
}  // namespace velarion::testing
