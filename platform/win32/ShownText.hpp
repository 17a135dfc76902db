#pragma once
// What a control is given to draw of a text that may be as long as kjfs.ini.

#include <string>
#include <string_view>

namespace velarion::win32 {

// The most characters of a push button's caption that the control is given:
// entry names come from the user's catalog and may hold hundreds of thousands
// of characters, and the system measures a caption whole at every paint, so
// such a name held the window up for minutes. A button shows a few characters
// of it; it is given the first ones and an ellipsis, while the caption itself
// stays whole.
inline constexpr std::size_t MaxShownCaption = 256;

// A GBK caption as the control gets it (UTF-16): whole when short enough, else
// its first MaxShownCaption - 1 characters and "…". Only what is shown is
// converted, however long the caption.
std::wstring shownCaption(std::string_view gbkText);

}  // namespace velarion::win32
