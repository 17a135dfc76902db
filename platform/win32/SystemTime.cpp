// Time: the local clock, and waiting while window messages keep being handled.

#include <windows.h>

#include "platform/win32/Win32System.hpp"

namespace velarion::win32 {

LocalClock Win32System::readLocalClock() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

// Dispatches every pending message until more than `milliseconds` have passed
// since the start, sleeping in between until a message arrives or the time is up.
// A quit request ends the wait and is left in the queue for the message loop.
void Win32System::waitWithEvents(int milliseconds) {
    if (milliseconds <= 0) return;
    const ULONGLONG start = GetTickCount64();
    const ULONGLONG span = static_cast<ULONGLONG>(milliseconds);
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            if (dispatch_) {
                dispatch_(message);
            } else {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        const ULONGLONG passed = GetTickCount64() - start;
        if (passed > span) return;
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(span - passed + 1), QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
    }
}

}  // namespace velarion::win32
