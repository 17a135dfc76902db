#pragma once
// Character level of the INI engine: which encoding a profile file is in, how its bytes
// form characters, and how GBK texts of the program are turned into and out of it.
//
// A file that starts with a byte-order mark is UTF-8 (EF BB BF), UTF-16 LE (FF FE) or
// UTF-16 BE (FE FF); any other file is GBK as it stands. The engine works on "units":
// one character each, with its code point and the bytes it spans in the file, so the
// syntax of the file is never found inside a double-byte character and every byte the
// engine does not touch stays as it was.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velarion::ini {

enum class TextEncoding { Gbk, Utf8, Utf16Le, Utf16Be };

// Eight bytes a character: a file is decoded whole for every read and write, and
// the units of a large file are the bulk of what that allocates.
struct Unit {
    char32_t code : 24;        // Unicode code point ('?' for a byte pair that is no character)
    std::uint32_t length : 8;  // how many bytes it spans (1 to 4)
    std::uint32_t begin;       // first byte in the file (files are far below 4 GB)

    Unit(char32_t c, std::size_t first, std::size_t bytes)
        : code(c), length(static_cast<std::uint32_t>(bytes)), begin(static_cast<std::uint32_t>(first)) {}
    std::size_t end() const { return std::size_t{begin} + length; }  // one past the last byte
};

// The encoding of a file and the length of its byte-order mark (0 for GBK).
struct FileEncoding {
    TextEncoding encoding = TextEncoding::Gbk;
    std::size_t markLength = 0;
};

FileEncoding detectEncoding(std::string_view fileBytes);

// The characters of the file after its byte-order mark.
std::vector<Unit> decodeUnits(std::string_view fileBytes, FileEncoding encoding);

// The code points of a GBK text (lead bytes 0x81..0xFE take the byte after them).
std::u32string gbkToCodes(std::string_view gbk);
// A GBK text from code points; a character GBK lacks becomes '?'.
std::string codesToGbk(std::u32string_view codes);
// A GBK text in the bytes of the given encoding (no byte-order mark).
std::string encodeGbkText(std::string_view gbk, TextEncoding encoding);

// Whether a GBK byte starts a double-byte character in a profile file.
inline bool isGbkLead(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

namespace detail {
inline constexpr int GbkLeadCount = 0xFE - 0x81 + 1;
inline constexpr int GbkTrailCount = 0xFE - 0x40 + 1;
extern const char16_t gbkTable[GbkLeadCount][GbkTrailCount];
}  // namespace detail

}  // namespace velarion::ini
