// A short crash consistency run under Wine (scripts/crash-test runs 1,000 kills).

#include <gtest/gtest.h>

#include "tests/reliability/crash/CrashStorm.hpp"
#include "tests/win32/helpers/SystemTestSupport.hpp"

namespace velarion::testing {
namespace {

TEST(CrashConsistency, KillsDuringAWriteStormLeaveAWholeStateEveryTime) {
    ScratchFolder folder;
    const crash::CrashReport report =
        crash::runCrashStorm(folder.path(), folderOfThisProgram() + L"\\storm_helper.exe", 20, 20261208, 800);
    EXPECT_EQ(report.kills, 20) << report.firstProblem;
    EXPECT_EQ(report.torn, 0) << report.firstProblem;
    EXPECT_EQ(report.lost, 0) << report.firstProblem;
    EXPECT_EQ(report.strayTemporaries, 0) << report.firstProblem;
    EXPECT_GT(report.writes, 0);
}

}  // namespace
}  // namespace velarion::testing
