#include "platform/win32/ShownText.hpp"

#include "base/Gbk.hpp"
#include "platform/win32/Encoding.hpp"

namespace velarion::win32 {

std::wstring shownCaption(std::string_view gbkText) {
    std::size_t end = 0, characters = 0;
    while (end < gbkText.size() && characters < MaxShownCaption) {
        end += gbk::isLeadByte(static_cast<unsigned char>(gbkText[end])) ? 2 : 1;
        ++characters;
    }
    if (end >= gbkText.size()) return toWide(gbkText);
    // Cut: one character fewer, to make room for the ellipsis.
    std::size_t cut = 0;
    for (std::size_t i = 0; i + 1 < characters; ++i)
        cut += gbk::isLeadByte(static_cast<unsigned char>(gbkText[cut])) ? 2 : 1;
    return toWide(gbkText.substr(0, cut)) + L'\x2026';
}

}  // namespace velarion::win32
