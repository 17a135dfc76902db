#pragma once
// Whole-number entry for an edit box: of the typed printable characters only
// the digits 0 to 9 and the minus sign get through; control keys (Backspace,
// Ctrl+V and the like) work as usual, so pasted text is not filtered.

#include <windows.h>

namespace velarion::win32 {

void installNumberFilter(HWND edit);
// Whether a typed character reaches a whole-number box.
bool numberFilterAccepts(wchar_t typed);

}  // namespace velarion::win32
