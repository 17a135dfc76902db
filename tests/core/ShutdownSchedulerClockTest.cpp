// Clock-time tasks: matching, the warning, a skipped target second, and what
// happens inside the warning's waits.

#include <algorithm>

#include <gtest/gtest.h>

#include "tests/core/ShutdownTestDoubles.hpp"

namespace velarion {
namespace {

using fakes::Beep;
using fakes::FakePage;
using fakes::PowerOff;
using fakes::remainingStatus;
using fakes::status;
using fakes::Wait1000;
using Log = std::vector<std::string>;

long long countOf(const Log& log, const std::string& entry) {
    return std::count(log.begin(), log.end(), entry);
}

bool isSubsequence(const Log& part, const Log& whole) {
    auto at = whole.begin();
    for (const std::string& entry : part) {
        at = std::find(at, whole.end(), entry);
        if (at == whole.end()) return false;
        ++at;
    }
    return true;
}

// The ten steps, each beep, wait, text; then the request and the closing status.
Log fullWarning() {
    Log log;
    for (int left = 9; left >= 0; --left)
        log.insert(log.end(), {Beep, Wait1000, remainingStatus(std::to_string(left))});
    log.insert(log.end(), {PowerOff, status(StatusClockArmed)});
    return log;
}

TEST(ShutdownClock, TypedValuesCompareAsNumbersWithinTheTolerance) {
    struct Case {
        const char *hour, *minute, *second;
        bool fires;
    } cases[] = {
        {"8", "5", "30", true},  {"08", "05", "030", true}, {" 8", "5.0", "3e1", true},
        {"8.00000005", "5", "30", true}, {"8.001", "5", "30", false}, {"20", "5", "30", false},
        {"8", "6", "30", false}, {"8", "5", "31", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.hour) + ":" + c.minute + ":" + c.second);
        FakePage page;
        page.timerConnected = false;
        page.clockTarget(c.hour, c.minute, c.second);
        page.tickAt(8, 5, 30);
        EXPECT_EQ(countOf(page.system.log, PowerOff), c.fires ? 1 : 0);
        EXPECT_EQ(page.statusValue, StatusClockArmed);
    }
}

TEST(ShutdownClock, TextWithoutANumberIsZero) {
    FakePage page;
    page.timerConnected = false;
    page.clockTarget("abc", "", "-0");
    page.tickAt(0, 0, 0);
    EXPECT_EQ(page.system.shutdownRequests, 1);
}

TEST(ShutdownClock, ValuesOutsideTheClockNeverMatchNorCatchUp) {
    struct Case {
        const char *hour, *minute, *second;
        int fromHour, fromMinute, fromSecond;
    } cases[] = {
        {"24", "0", "0", 23, 59, 30},   // would be the next midnight
        {"10", "60", "0", 10, 59, 30},  // would be 11:00:00
        {"10", "0", "60", 10, 0, 30},   // would be 10:01:00
        {"-1", "0", "0", 23, 59, 30},
        {"10", "0", "30.5", 10, 0, 0},  // between two seconds
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.hour) + ":" + c.minute + ":" + c.second);
        FakePage page;
        page.system.setClock(c.fromHour, c.fromMinute, c.fromSecond);
        page.clockTarget(c.hour, c.minute, c.second);
        page.press();
        page.system.advance(120000);
        EXPECT_EQ(page.system.log, Log(120, status(StatusClockArmed)));
        EXPECT_TRUE(page.tickingOn);
    }
}

// A live task for 08:00:00, armed a few seconds before.
void armForEight(FakePage& page, int secondsBefore) {
    page.system.setClock(7, 59, 60 - secondsBefore);
    page.clockTarget("8", "0", "0");
    page.press();
}

TEST(ShutdownWarning, StepsBeepWaitAndWriteThenRequestAndLeaveThePageSpent) {
    for (const bool accepted : {false, true}) {  // a refused request looks the same
        FakePage page;
        page.timerConnected = false;
        page.system.shutdownAccepted = accepted;
        page.clockTarget("8", "0", "0");
        page.press();
        page.tickAt(8, 0, 0);
        EXPECT_EQ(page.system.log, fullWarning());
        EXPECT_FALSE(page.tickingOn);
        EXPECT_TRUE(page.armedLookOn);
        EXPECT_EQ(page.statusValue, StatusClockArmed);

        page.press();  // still "停止"
        EXPECT_FALSE(page.armedLookOn);
        EXPECT_EQ(page.statusValue, StatusNoTask);
    }
}

TEST(ShutdownWarning, StopDuringTheWarningCancelsTheShutdown) {
    FakePage page;
    armForEight(page, 2);
    // The match comes at 08:00:00; "停止" is pressed in the fourth wait.
    page.system.after(5500, [&page] { page.press(); });
    page.system.advance(30000);

    const Log& log = page.system.log;
    EXPECT_EQ(page.system.shutdownRequests, 0);
    EXPECT_EQ(countOf(log, Beep), 4);
    EXPECT_EQ(log.back(), status(StatusNoTask));  // nothing written after stop
    EXPECT_FALSE(page.tickingOn);
    EXPECT_FALSE(page.armedLookOn);
}

TEST(ShutdownWarning, ATaskArmedAgainInsideACancelledWarningRunsOnItsOwn) {
    FakePage page;
    armForEight(page, 1);
    page.system.after(1500, [&page] {
        page.press();  // stop
        page.countdownFrom("3");
        page.press();  // arm again
    });
    page.system.advance(20000);
    EXPECT_EQ(countOf(page.system.log, Beep), 1);
    EXPECT_EQ(page.system.shutdownRequests, 1);  // the countdown's, at "0"
    EXPECT_EQ(page.remaining, "-15");
    EXPECT_TRUE(page.tickingOn);
}

TEST(ShutdownWarning, TicksInsideTheWaitsStartNoSecondWarningNorRequest) {
    FakePage page;
    armForEight(page, 1);
    // The match comes at 08:00:00. Inside the first wait a further tick falls in
    // the same second; later a switch to the countdown reaches "0" inside a wait.
    page.system.after(1100, [&page] { page.tickNow(); });
    page.system.after(8100, [&page] { page.countdownFrom("2"); });
    page.system.advance(30000);

    const Log& log = page.system.log;
    EXPECT_EQ(countOf(log, Beep), 10);
    EXPECT_EQ(page.system.shutdownRequests, 1);
    EXPECT_EQ(countOf(log, remainingStatus("0")), 2);  // the countdown's and the warning's last
    EXPECT_TRUE(isSubsequence(fullWarning(), log));
    EXPECT_FALSE(page.tickingOn);  // Spent
    EXPECT_TRUE(page.armedLookOn);
    EXPECT_EQ(page.statusValue, StatusClockArmed);
}

TEST(ShutdownCatchUp, ATargetSecondWithoutATickFiresOnTheNextTick) {
    struct Case {
        const char* name;
        int before[6], after[6];  // year, month, day, hour, minute, second
        const char* target[3];
        bool fires;
    } cases[] = {
        {"skipped second", {2024, 5, 17, 10, 0, 29}, {2024, 5, 17, 10, 0, 31}, {"10", "0", "30"}, true},
        {"over midnight", {2024, 5, 17, 23, 59, 59}, {2024, 5, 18, 0, 0, 1}, {"0", "0", "0"}, true},
        {"last second of the day", {2024, 5, 17, 23, 59, 58}, {2024, 5, 18, 0, 0, 0}, {"23", "59", "59"}, true},
        {"new year", {2024, 12, 31, 23, 59, 58}, {2025, 1, 1, 0, 0, 2}, {"0", "0", "0"}, true},
        {"delayed a minute", {2024, 5, 17, 10, 0, 0}, {2024, 5, 17, 10, 1, 0}, {"10", "0", "30"}, true},
        {"delayed longer", {2024, 5, 17, 10, 0, 0}, {2024, 5, 17, 10, 1, 1}, {"10", "0", "30"}, false},
        {"already past", {2024, 5, 17, 10, 0, 31}, {2024, 5, 17, 10, 0, 33}, {"10", "0", "30"}, false},
        {"clock set back", {2024, 5, 17, 10, 0, 31}, {2024, 5, 17, 10, 0, 29}, {"10", "0", "30"}, false},
        {"next day's", {2024, 5, 17, 10, 0, 29}, {2024, 5, 18, 10, 0, 31}, {"10", "0", "30"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePage page;
        page.timerConnected = false;
        page.clockTarget(c.target[0], c.target[1], c.target[2]);
        page.press();
        for (const int* at : {c.before, c.after}) {
            page.system.setClock(at[0], at[1], at[2], at[3], at[4], at[5]);
            page.tickNow();
        }
        EXPECT_EQ(page.system.shutdownRequests, c.fires ? 1 : 0);
    }
}

TEST(ShutdownCatchUp, OnlyTicksOfTheSameArmedTaskCount) {
    FakePage page;
    page.timerConnected = false;
    page.clockTarget("10", "0", "30");
    page.press();
    page.tickAt(10, 0, 29);
    page.press();  // stop
    page.press();  // and arm anew after the target second
    page.tickAt(10, 0, 31);
    EXPECT_EQ(page.system.shutdownRequests, 0);
}

}  // namespace
}  // namespace velarion
