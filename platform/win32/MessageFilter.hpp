#pragma once
// A copy started "as administrator" runs at a higher integrity level than
// Explorer and than a copy the user starts normally, and Windows then drops the
// messages those send to its windows (User Interface Privilege Isolation). The
// few messages the program expects from them are let through, one by one.

#include <windows.h>

namespace velarion::win32 {

// Lets `message` reach `window` from processes of lower integrity. Windows 7 and
// later filter per window; Vista only for the whole process; earlier systems
// filter nothing. False when the system has the filter but refused the change.
bool allowFromLowerIntegrity(HWND window, UINT message);

}  // namespace velarion::win32
