#pragma once
// The program's own window messages, in one list so that no two share a code.

#include <windows.h>

namespace velarion::win32::message {

inline constexpr UINT DeferredClose = WM_APP + 1;  // a window closes once the handler that asked returns
inline constexpr UINT MakeWaiting = WM_APP + 2;    // late creation makes a few waiting controls
inline constexpr UINT RevealChild = WM_APP + 3;    // a page scrolls the child window in wParam into sight
inline constexpr UINT PostedWork = WM_APP + 4;     // a window runs the oldest work posted to it

}  // namespace velarion::win32::message
