#include "platform/win32/ShownText.hpp"

#include "base/Gbk.hpp"
#include "platform/win32/Encoding.hpp"

namespace velarion::win32 {

std::wstring shownCaption(std::string_view gbkText) {
    // `previous` is where the last character counted starts: the cut when the text is
    // longer, one character fewer, to make room for the ellipsis.
    std::size_t end = 0, previous = 0, characters = 0;
    while (end < gbkText.size() && characters < MaxShownCaption) {
        previous = end;
        end += gbk::isLeadByte(static_cast<unsigned char>(gbkText[end])) ? 2 : 1;
        ++characters;
    }
    if (end >= gbkText.size()) return toWide(gbkText);
    return toWide(gbkText.substr(0, previous)) + L'\x2026';
}

}  // namespace velarion::win32
