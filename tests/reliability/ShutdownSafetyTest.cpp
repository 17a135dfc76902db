// Shutdown safety on the stand-in layer: "停止" pressed at any moment of a task
// (armed, during the warning, after the request) leaves no request to come; a
// refused request is made once and never again; and every setting changed up to
// the request is in kjfs.ini when the power-off is asked for.

#include <gtest/gtest.h>

#include <string>

#include "core/IniFile.hpp"
#include "tests/ui/AppHarness.hpp"

namespace velarion::testing {
namespace {

// The system stand-in that also keeps kjfs.ini as it was at each power-off request.
class RecordingSystem : public SimSystem {
public:
    std::vector<std::string> fileAtRequest;
    bool shutDownSystem(int mode, bool force) override {
        fileAtRequest.push_back(file(IniPath).value_or("<none>"));
        return SimSystem::shutDownSystem(mode, force);
    }
};

// The program on its settings page, with a system of its own.
struct SettingsProgram {
    RecordingSystem sys;
    SimWindows windows{sys};
    AppContext ctx{sys, windows};
    SimWindow* main = nullptr;

    SettingsProgram() {
        windows.load(mainWindowDecl(), makeBehaviours(ctx));
        main = windows.window("main");
        if (main) main->chooseFolder("卷帘式菜单1", 4);
    }
    void armClock(const std::string& h, const std::string& m, const std::string& s) {
        main->type("编辑框_时", h);
        main->type("编辑框_分", m);
        main->type("编辑框_秒", s);
        main->click("按钮1");
    }
    void armCountdown(const std::string& seconds) {
        main->click("单选框2");
        main->type("编辑框_秒计", seconds);
        main->click("按钮1");
    }
    // "停止" (按钮1 again) `at` ms from now; time runs to just after it.
    void stopAt(int at) {
        windows.post([this] { main->click("按钮1"); }, at);
        windows.advance(at + 1);
    }
};

class ShutdownSafety : public ::testing::Test, protected SettingsProgram {
protected:
    void SetUp() override { ASSERT_NE(main, nullptr); }
};

// The clock task matches on the first tick (at 1 s); its warning ends with the
// request at 11 s. "停止" at every quarter second from 0 to 13 s.
TEST_F(ShutdownSafety, StopAtAnyMomentOfAClockTaskLeavesNoRequestToCome) {
    for (int at = 0; at <= 13000; at += 250) {
        SCOPED_TRACE("停止 at " + std::to_string(at) + " ms");
        SettingsProgram program;
        program.sys.setClock({2024, 5, 20, 21, 59, 59});
        program.armClock("22", "0", "0");
        program.stopAt(at);
        const std::size_t requestsAtStop = program.sys.shutdowns.size();
        EXPECT_EQ(program.main->text("按钮1", Prop::Text), "确定");
        EXPECT_EQ(program.main->number("时钟1", Prop::Interval), 0);
        // A stop before the request's moment means none at all.
        if (at < 11000) {
            EXPECT_EQ(requestsAtStop, 0u);
        }
        // Nothing more, even when the same clock time comes round a day later.
        program.windows.advance(24LL * 3600 * 1000 + 20000);
        EXPECT_EQ(program.sys.shutdowns.size(), requestsAtStop);
        EXPECT_LE(requestsAtStop, 1u);
    }
}

TEST_F(ShutdownSafety, StopAtAnyMomentOfACountdownLeavesNoRequestToCome) {
    for (int at = 0; at <= 4000; at += 250) {
        SCOPED_TRACE("停止 at " + std::to_string(at) + " ms");
        SettingsProgram program;
        program.armCountdown("3");
        program.stopAt(at);
        const std::size_t requestsAtStop = program.sys.shutdowns.size();
        // (At 3000 ms the stop and the third tick fall together: either may come first.)
        if (at != 3000) {
            EXPECT_EQ(requestsAtStop, at < 3000 ? 0u : 1u);
        }
        program.windows.advance(60000);
        EXPECT_EQ(program.sys.shutdowns.size(), requestsAtStop);
    }
}

TEST_F(ShutdownSafety, ARefusedRequestIsMadeOnceAndNeverAgain) {
    sys.shutdownResult = false;  // the privilege refused: the system says no
    sys.setClock({2024, 5, 20, 7, 59, 59});
    armClock("8", "0", "0");
    windows.advance(60000);
    EXPECT_EQ(sys.shutdowns.size(), 1u);
    EXPECT_EQ(main->text("按钮1", Prop::Text), "停止");
    main->click("按钮1");
    windows.advance(24LL * 3600 * 1000);
    EXPECT_EQ(sys.shutdowns.size(), 1u);
}

// Settings changed while the warning runs (its waits handle events) are in the
// file when the power-off is requested.
TEST_F(ShutdownSafety, TheFileHoldsEverySettingBeforeThePowerOffIsRequested) {
    sys.setClock({2024, 5, 20, 7, 59, 59});
    armClock("8", "0", "0");
    windows.post([&] { main->sliderDrag("滑块条1", 77); }, 4000);
    windows.post([&] { main->click("选择框2"); }, 9500);
    windows.advance(12000);
    ASSERT_EQ(sys.fileAtRequest.size(), 1u);
    const std::string& file = sys.fileAtRequest[0];
    EXPECT_EQ(iniRead(file, SectionSettings, KeyOpacity), "77");
    EXPECT_EQ(iniRead(file, SectionSettings, KeyTopmost), "真");
}

TEST_F(ShutdownSafety, ACountdownRequestFindsTheFileComplete) {
    armCountdown("2");
    windows.post([&] { main->sliderDrag("滑块条1", 90); }, 1500);
    windows.advance(2500);
    ASSERT_EQ(sys.fileAtRequest.size(), 1u);
    EXPECT_EQ(iniRead(sys.fileAtRequest[0], SectionSettings, KeyOpacity), "90");
}

}  // namespace
}  // namespace velarion::testing
