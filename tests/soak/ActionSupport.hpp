#pragma once
// What the actions share: the stored settings, the program's windows and
// controls, and bringing the window and its settings page to view.

#include "tests/soak/Soak.hpp"

namespace velarion::soak {

// A value of kjfs.ini, read as the program reads it.
std::string stored(const char* section, const char* key);
bool visible(HWND window);
// The program's visible top-level window of that class and caption ("": any), waited for.
HWND waitForWindow(Soak& soak, const wchar_t* cls, const std::wstring& caption, int ms = 5000);
// A child of that class at that place (96-DPI pixels in its container).
HWND control(HWND root, const wchar_t* cls, int left, int top);
// Back from the tray when hidden.
void showWindow(Soak& soak);
void openFolder(Soak& soak, int folder);
// The settings page, opened; false (and a fault) when its controls do not come.
bool openSettings(Soak& soak);

// The add dialog opened from the menu, filled at random and ended at random (AddDialogActions.cpp).
void addDialog(Soak& soak);

}  // namespace velarion::soak
