// Validation, arming and stopping, and the countdown.

#include <algorithm>

#include <gtest/gtest.h>

#include "tests/core/ShutdownTestDoubles.hpp"

namespace velarion {
namespace {

using fakes::FakePage;
using fakes::PowerOff;
using fakes::remainingStatus;
using fakes::status;
using Log = std::vector<std::string>;

TEST(ShutdownValidation, RefusesOnlyAnEmptyFieldOfTheSelectedMode) {
    struct Case {
        ShutdownMode mode;
        const char *hour, *minute, *second, *remaining;
        bool accepted;
    } cases[] = {
        {ShutdownMode::ClockTime, "8", "0", "0", "", true},
        {ShutdownMode::ClockTime, "x", " ", "99", "", true},  // no digits or ranges checked
        {ShutdownMode::ClockTime, "", "0", "0", "5", false},
        {ShutdownMode::ClockTime, "8", "", "0", "5", false},
        {ShutdownMode::ClockTime, "8", "0", "", "5", false},
        {ShutdownMode::Countdown, "", "", "", "-3", true},
        {ShutdownMode::Countdown, "8", "0", "0", "", false},
    };
    for (const Case& c : cases) {
        FakePage page;
        page.modeValue = c.mode;
        page.hour = c.hour, page.minute = c.minute, page.second = c.second, page.remaining = c.remaining;
        const auto refusal = page.press();
        SCOPED_TRACE(std::string(c.hour) + "|" + c.minute + "|" + c.second + "|" + c.remaining);
        EXPECT_EQ(!refusal, c.accepted);
        if (refusal) {
            EXPECT_EQ(*refusal, TaskRefused);
        }
        EXPECT_EQ(page.tickingOn, c.accepted);
        EXPECT_EQ(page.armedLookOn, c.accepted);
        EXPECT_TRUE(page.system.log.empty());  // neither refusing nor arming writes a status
    }
}

TEST(ShutdownArming, FirstStatusComesWithTheFirstTickAndStopReturnsToIdle) {
    FakePage page;
    page.system.setClock(10, 0, 0);
    page.clockTarget("23", "0", "0");
    ASSERT_FALSE(page.press());
    page.system.advance(999);
    EXPECT_EQ(page.statusValue, StatusNoTask);
    page.system.advance(1);
    EXPECT_EQ(page.statusValue, StatusClockArmed);
    page.system.advance(5000);
    EXPECT_EQ(page.system.log.size(), 6u);

    page.press();  // it reads "停止"
    EXPECT_FALSE(page.tickingOn);
    EXPECT_FALSE(page.armedLookOn);
    EXPECT_EQ(page.statusValue, StatusNoTask);
    page.system.advance(5000);
    EXPECT_EQ(page.system.log.size(), 7u);
}

TEST(ShutdownCountdown, RequestsOnceWhenTheTextReadsZeroAndCountsOnBelow) {
    FakePage page;
    page.countdownFrom("3");
    page.press();
    page.system.advance(2000);
    EXPECT_EQ(page.system.shutdownRequests, 0);
    page.system.advance(1000);
    EXPECT_EQ(page.system.shutdownRequests, 1);
    page.system.advance(2000);
    EXPECT_EQ(page.system.log, (Log{remainingStatus("2"), remainingStatus("1"), PowerOff,
                                    remainingStatus("0"), remainingStatus("-1"), remainingStatus("-2")}));
    EXPECT_EQ(page.remaining, "-2");
    EXPECT_TRUE(page.tickingOn);  // no end state
    EXPECT_TRUE(page.armedLookOn);
}

TEST(ShutdownCountdown, OnlyTheExactTextZeroRequests) {
    struct Case {
        const char* from;
        std::vector<const char*> written;
        int requests;
    } cases[] = {
        {"1", {"0", "-1"}, 1},
        {"01", {"0"}, 1},
        {"1e1", {"9", "8"}, 0},
        {"0", {"-1", "-2", "-3"}, 0},
        {"", {"-1"}, 0},
        {"abc", {"-1"}, 0},
        {"1.5", {"0.5", "-0.5"}, 0},  // never prints exactly "0"
        {"0.1", {"-0.9"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        FakePage page;
        page.timerConnected = false;
        page.countdownFrom(c.from);
        for (const char* expected : c.written) {
            page.tickNow();
            EXPECT_EQ(page.remaining, expected);
            EXPECT_EQ(page.statusValue, std::string(StatusRemainingPrefix) + expected + "秒");
        }
        EXPECT_EQ(page.system.shutdownRequests, c.requests);
    }
}

TEST(ShutdownCountdown, EditsAndModeSwitchesTakeEffectAtTheNextTick) {
    FakePage page;
    page.system.setClock(10, 0, 0);
    page.countdownFrom("5");
    page.hour = "23", page.minute = "0", page.second = "0";
    page.press();
    page.system.advance(1000);
    EXPECT_EQ(page.remaining, "4");
    page.remaining = "10";  // typed while running
    page.system.advance(1000);
    EXPECT_EQ(page.remaining, "9");

    page.modeValue = ShutdownMode::ClockTime;
    page.system.advance(1000);
    EXPECT_EQ(page.statusValue, StatusClockArmed);
    EXPECT_EQ(page.remaining, "9");

    page.modeValue = ShutdownMode::Countdown;  // resumes from the box
    page.remaining = "1";
    page.system.advance(1000);
    EXPECT_EQ(page.remaining, "0");
    EXPECT_EQ(page.system.shutdownRequests, 1);
}

TEST(ShutdownCountdown, AnEmptyBoxAfterSwitchingFromClockTimeNeverShutsDown) {
    FakePage page;
    page.system.setClock(10, 0, 0);
    page.clockTarget("10", "0", "30");
    page.press();
    page.system.advance(3000);
    page.modeValue = ShutdownMode::Countdown;
    page.system.advance(60000);  // over the target second as well
    EXPECT_EQ(page.remaining, "-60");
    EXPECT_EQ(page.system.shutdownRequests, 0);
    EXPECT_EQ(std::count(page.system.log.begin(), page.system.log.end(), fakes::Beep), 0);
}

}  // namespace
}  // namespace velarion
