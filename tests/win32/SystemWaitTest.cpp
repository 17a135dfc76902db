// Waiting with events: messages are handled inside the wait, and the wait sleeps
// between them instead of spinning.

#include <gtest/gtest.h>

#include <thread>

#include "tests/win32/helpers/SystemTestSupport.hpp"

namespace velarion::testing {
namespace {

int timerTicks = 0;
void CALLBACK countTick(HWND, UINT, UINT_PTR, DWORD) { ++timerTicks; }

ULONGLONG cpuMilliseconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto value = [](FILETIME t) { return (ULONGLONG(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 10000; };
    return value(kernel) + value(user);
}

// Whether this system reports the CPU time of the process at all. On a busy
// machine the spin gets only a share of a core, so it runs until the CPU time
// has visibly moved or two seconds have passed.
bool cpuTimeIsMeasured() {
    const ULONGLONG before = cpuMilliseconds();
    const ULONGLONG start = GetTickCount64();
    volatile unsigned sink = 0;
    while (GetTickCount64() - start < 2000) {
        sink = sink + 1;
        if (cpuMilliseconds() - before >= 50) return true;
    }
    return false;
}

TEST(SystemWait, TimerTicksRunInsideTheWaitWhichSleepsMeanwhile) {
    win32::Win32System system(nullptr);
    timerTicks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, countTick);
    ASSERT_NE(timer, 0u);
    const ULONGLONG cpuBefore = cpuMilliseconds();
    const ULONGLONG start = GetTickCount64();
    system.waitWithEvents(1000);
    const ULONGLONG elapsed = GetTickCount64() - start;
    const ULONGLONG cpu = cpuMilliseconds() - cpuBefore;
    KillTimer(nullptr, timer);

    EXPECT_GE(elapsed, 1000u);
    EXPECT_LT(elapsed, 1500u);
    EXPECT_GE(timerTicks, 5);
    if (cpuTimeIsMeasured()) {
        EXPECT_LT(cpu, 250u) << "the wait spins";
    } else {
        GTEST_SKIP() << "CPU time is not measured here; the wait's sleeping is unchecked";
    }
}

struct PostedArrival {
    static inline ULONGLONG at = 0;
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
        if (message == WM_APP) at = GetTickCount64();
        return DefWindowProcW(window, message, w, l);
    }
};

TEST(SystemWait, AMessageFromElsewhereIsHandledAsSoonAsItArrives) {
    win32::Win32System system(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = PostedArrival::procedure;
    windowClass.lpszClassName = L"VelarionWaitTest";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    PostedArrival::at = 0;
    const ULONGLONG start = GetTickCount64();
    std::thread poster([window] {
        Sleep(300);
        PostMessageW(window, WM_APP, 0, 0);
    });
    system.waitWithEvents(1500);
    poster.join();
    DestroyWindow(window);
    // Handled well before the wait is over: the wait woke up for it.
    ASSERT_NE(PostedArrival::at, 0u);
    EXPECT_LT(PostedArrival::at - start, 1000u);
    EXPECT_GE(GetTickCount64() - start, 1500u);
}

TEST(SystemWait, NothingToWaitForAndQuitRequests) {
    win32::Win32System system(nullptr);
    ULONGLONG start = GetTickCount64();
    system.waitWithEvents(0);
    system.waitWithEvents(-5);
    EXPECT_LT(GetTickCount64() - start, 50u);

    // A quit request ends the wait and stays queued for the message loop.
    PostQuitMessage(3);
    start = GetTickCount64();
    system.waitWithEvents(1000);
    EXPECT_LT(GetTickCount64() - start, 500u);
    MSG message{};
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 3u);
}

}  // namespace
}  // namespace velarion::testing
