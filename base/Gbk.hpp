#pragma once
// Every text of the program is a byte string in GBK (code page 936). Sources are
// UTF-8 and the compiler turns narrow literals into GBK; this header refuses to
// compile when it does not.

#include <cstddef>
#include <string_view>

static_assert(sizeof("中") == 3 && static_cast<unsigned char>("中"[0]) == 0xD6 &&
                  static_cast<unsigned char>("中"[1]) == 0xD0,
              "narrow literals must be compiled as GBK (-fexec-charset=GBK)");

namespace velarion::gbk {

// A byte of 0x80 or more starts a two-byte character (the byte after it is its
// trail byte and is never taken as syntax).
inline bool isLeadByte(unsigned char c) { return c >= 0x80; }

// Position of the last `ch` (an ASCII byte) that is not a trail byte, or npos.
inline std::size_t findLastAscii(std::string_view text, char ch) {
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < text.size();) {
        if (isLeadByte(static_cast<unsigned char>(text[i]))) {
            i += 2;
            continue;
        }
        if (text[i] == ch) found = i;
        ++i;
    }
    return found;
}

}  // namespace velarion::gbk
