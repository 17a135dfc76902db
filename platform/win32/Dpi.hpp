#pragma once
// DPI: the program is per-monitor aware (v2); its layout is declared in 96-DPI
// pixels and scaled by the window's DPI / 96. The newer functions are looked up
// at run time, so the program still starts on systems without them.

#include <windows.h>

namespace velarion::win32 {

inline constexpr int BaseDpi = 96;

// Declares the process per-monitor DPI aware unless its manifest already did.
void enablePerMonitorDpiAwareness();

// The DPI of the monitor the window is on (the system DPI where that is unknown).
int dpiOfWindow(HWND window);
// The DPI a new window on the primary monitor will have.
int systemDpi();

inline int scaleForDpi(int value, int dpi) { return MulDiv(value, dpi, BaseDpi); }
inline int unscaleForDpi(int value, int dpi) { return MulDiv(value, BaseDpi, dpi); }

int systemMetricForDpi(int index, int dpi);
// The system's message font at that DPI.
LOGFONTW messageFontForDpi(int dpi);

}  // namespace velarion::win32
