#include "platform/win32/ShownText.hpp"

namespace velarion::win32 {

std::wstring shownCaption(std::wstring text) {
    if (text.size() <= MaxShownCaption) return text;
    std::size_t cut = MaxShownCaption - 1;
    // Never half a surrogate pair.
    if (text[cut - 1] >= 0xD800 && text[cut - 1] <= 0xDBFF) --cut;
    text.resize(cut);
    text += L'\x2026';
    return text;
}

}  // namespace velarion::win32
