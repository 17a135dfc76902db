#pragma once
// What a control is given to draw of a text that may be as long as kjfs.ini.

#include <string>

namespace velarion::win32 {

// The most of a push button's caption that the control is given: entry names
// come from the user's catalog and may hold hundreds of thousands of characters,
// and the system measures a caption whole at every paint, so such a name held
// the window up for minutes. A button shows a few characters of it; it is given
// the first ones and an ellipsis, while the caption itself stays whole.
inline constexpr std::size_t MaxShownCaption = 256;

// `text` (UTF-16) as the control gets it: unchanged when short enough, else cut
// at a whole character and ended with "…".
std::wstring shownCaption(std::wstring text);

}  // namespace velarion::win32
