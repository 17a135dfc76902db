// Virtual time in the stand-in layer: timer intervals, ticks, posted user
// actions and window work delivered inside waitWithEvents, nested deterministically.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/SimSystem.hpp"
#include "platform/sim/SimWindows.hpp"
#include "ui/BehaviourNames.hpp"
#include "ui/Declarations.hpp"

namespace velarion {
namespace {

class SimTime : public ::testing::Test {
protected:
    SimSystem system;
    SimWindows windows{system};
    std::vector<std::string> log;
    SimWindow* main = nullptr;
    long long t0 = 0;

    void load(Behaviours behaviours) {
        main = static_cast<SimWindow*>(windows.load(mainWindowDecl(), behaviours));
        ASSERT_NE(main, nullptr);
        t0 = windows.now();
    }
    std::string at(const std::string& what) {
        return what + "@" + std::to_string(windows.now() - t0);
    }
};

TEST_F(SimTime, IntervalSameValueKeepsPhaseZeroStopsOtherValueRestarts) {
    load({{behaviour::onShutdownTick, [&](EventContext&) {
        log.push_back(at("tick"));
        return true;
    }}});
    windows.advance(5000);
    EXPECT_TRUE(log.empty()) << "declared stopped";

    main->setNumber("时钟1", Prop::Interval, 1000);  // at 5000
    windows.advance(2500);                            // ticks 6000, 7000
    main->setNumber("时钟1", Prop::Interval, 1000);  // same value: next stays at 8000
    windows.advance(600);                             // to 8100
    main->setNumber("时钟1", Prop::Interval, 300);   // restart from 8100
    windows.advance(700);                             // 8400, 8700; now 8800
    main->setNumber("时钟1", Prop::Interval, 0);
    windows.advance(3000);
    main->setNumber("时钟1", Prop::Interval, 1000);
    main->setNumber("时钟1", Prop::Interval, -5);
    windows.advance(3000);

    EXPECT_EQ(log, (std::vector<std::string>{"tick@6000", "tick@7000", "tick@8000", "tick@8400",
                                             "tick@8700"}));
    EXPECT_EQ(main->number("时钟1", Prop::Interval), 0);
    EXPECT_EQ(windows.now() - t0, 14800);
}

// A tick handler that waits sees a posted click and its own timer's later
// ticks run inside the wait; the wait ends just past its length.
TEST_F(SimTime, TicksAndActionsRunInsideWaitWithEvents) {
    int depth = 0;
    load({
        {behaviour::onShutdownTick,
         [&](EventContext&) {
             log.push_back(at("tick" + std::to_string(depth)));
             if (depth == 0) {
                 ++depth;
                 system.waitWithEvents(2500);
                 --depth;
                 log.push_back(at("waited"));
             }
             return true;
         }},
        {behaviour::onAutostartClicked,
         [&](EventContext& e) {
             log.push_back(at(e.source + (e.window.flag(e.source, Prop::Checked) ? "+" : "-")));
             return true;
         }},
    });
    main->setNumber("时钟1", Prop::Interval, 1000);
    windows.post([&] { main->click("选择框1"); }, 1500);
    windows.advance(1000);

    EXPECT_EQ(log, (std::vector<std::string>{"tick0@1000", "选择框1+@1500", "tick1@2000",
                                             "tick1@3000", "waited@3501"}));
    EXPECT_EQ(windows.now() - t0, 3501);
}

// A wait of zero runs nothing; advance(0) delivers what is due now: work posted
// to a window takes its turn among the posted actions, and is dropped when its
// window has closed by then.
TEST_F(SimTime, WaitOfZeroRunsNothingAndAdvanceOfZeroDeliversWhatIsDue) {
    load({});
    windows.post([&] { log.push_back(at("action")); });
    windows.postWork(*main, [&] { log.push_back(at("work")); });
    windows.post([&] { log.push_back(at("later")); }, 10);
    system.waitWithEvents(0);
    EXPECT_TRUE(log.empty());
    windows.advance(0);
    EXPECT_EQ(log, (std::vector<std::string>{"action@0", "work@0"}));
    windows.postWork(*main, [&] { log.push_back(at("dropped")); });
    main->close();
    EXPECT_EQ(windows.run(), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"action@0", "work@0", "later@10"}));
}

// Writing the window's top raises PositionChanged at once, nested in the
// writer, as a window moved in steps with waits between them does.
TEST_F(SimTime, TopWritesRaiseNestedPositionChanges) {
    load({{behaviour::onWindowMoved, [&](EventContext& e) {
        const int top = e.window.number("", Prop::Top);
        log.push_back(at("moved" + std::to_string(top)));
        if (top == 0) {
            for (int step = 0; step < 3; ++step) {
                e.window.setNumber("", Prop::Top, e.window.number("", Prop::Top) - 10);
                system.waitWithEvents(1);
            }
            log.push_back(at("slid"));
        }
        return true;
    }}});
    main->setNumber("", Prop::Top, main->number("", Prop::Top));  // unchanged: no event
    EXPECT_TRUE(log.empty());
    ASSERT_TRUE(main->moveTo(main->number("", Prop::Left), 0));
    EXPECT_EQ(log, (std::vector<std::string>{"moved0@0", "moved-10@0", "moved-20@2", "moved-30@4",
                                             "slid@6"}));
    EXPECT_EQ(main->number("", Prop::Top), -30);
}

}  // namespace
}  // namespace velarion
