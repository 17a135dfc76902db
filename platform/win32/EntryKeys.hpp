#pragma once
// The keyboard on the category pages. The entry buttons of a page stand in rows
// of four; Tab reaches them in position order (their windows are made in that
// order), the arrow keys move among them by rows, Enter starts an entry as Space
// does, and the page scrolls to keep the focused one in sight. The focus, once
// the keyboard moves it, is drawn.

#include <windows.h>

namespace velarion::win32 {

// A key for an entry button, handled before the dialog keys of the window; true
// when it was one (the message is then done with).
bool handleEntryKey(const MSG& message);

// After the key `message` was handled in the window `root`: a key that moves the
// focus makes focus rectangles show, and the page of the focused control scrolls
// it into sight.
void followKeyboardFocus(HWND root, const MSG& message);

}  // namespace velarion::win32
