// The shutdown request: privilege first, then the request with power off and
// force, through a stand-in for the last step (a real one ends the Wine prefix).

#include <gtest/gtest.h>

#include "tests/win32/helpers/SystemTestSupport.hpp"

namespace velarion::testing {
namespace {

void dropShutdownPrivilege() {
    HANDLE token = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token));
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid);
    privileges.Privileges[0].Attributes = 0;
    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    CloseHandle(token);
}

TEST(SystemShutdown, EnablesThePrivilegeThenAsksForAForcedPowerOff) {
    dropShutdownPrivilege();
    ASSERT_FALSE(RecordedExitWindows::shutdownPrivilegeEnabled());
    RecordedExitWindows exitWindows;
    win32::Win32System system(exitWindows.call());

    EXPECT_TRUE(system.shutDownSystem(ShutdownPowerOff, true));
    EXPECT_EQ(exitWindows.calls, 1);
    EXPECT_EQ(exitWindows.flags, static_cast<unsigned>(EWX_POWEROFF | EWX_FORCE));
    EXPECT_TRUE(exitWindows.privilegeHeld);
    EXPECT_NE(exitWindows.reason & SHTDN_REASON_FLAG_PLANNED, 0u);

    EXPECT_TRUE(system.shutDownSystem(ShutdownPowerOff, false));
    EXPECT_EQ(exitWindows.flags, static_cast<unsigned>(EWX_POWEROFF));
}

TEST(SystemShutdown, RefusalsAndUnknownModesComeBackAsFalse) {
    int calls = 0;
    win32::Win32System refusing([&](unsigned, unsigned long) {
        ++calls;
        return false;
    });
    EXPECT_FALSE(refusing.shutDownSystem(ShutdownPowerOff, true));
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(refusing.shutDownSystem(7, true));
    EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace velarion::testing
