#pragma once
// Character level of the INI engine: which encoding a profile file is in, how its bytes
// form characters, and how GBK texts of the program are turned into and out of it.
//
// A file that starts with a byte-order mark is UTF-8 (EF BB BF), UTF-16 LE (FF FE) or
// UTF-16 BE (FE FF); any other file is GBK as it stands. The engine works on "units":
// one character each, with its code point and the bytes it spans in the file, so the
// syntax of the file is never found inside a double-byte character and every byte the
// engine does not touch stays as it was. Units are decoded where they are looked at,
// from a character boundary onwards; a file is never held as units.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velarion::ini {

enum class TextEncoding { Gbk, Utf8, Utf16Le, Utf16Be };

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

// Where the characters of the file end: its size, but for the last odd byte of a UTF-16
// file, which is no character.
std::size_t textEnd(std::string_view fileBytes, FileEncoding encoding);

// The character that starts at byte `at` (a character boundary before textEnd).
inline Unit decodeAt(std::string_view fileBytes, std::size_t at, TextEncoding encoding);

// The characters of the file after its byte-order mark, all at once (for small texts).
std::vector<Unit> decodeUnits(std::string_view fileBytes, FileEncoding encoding);

// The code points of a GBK text (lead bytes 0x81..0xFE take the byte after them).
std::u32string gbkToCodes(std::string_view gbk);
// A GBK text from code points; a character GBK lacks becomes '?'.
std::string codesToGbk(std::u32string_view codes);

// codesToGbk one code point at a time (a surrogate pair of a UTF-16 file is one
// character), so a long text is never held as code points.
class GbkBuilder {
public:
    void add(char32_t code);
    void reserve(std::size_t bytes) { text_.reserve(bytes); }
    // Bytes so far (a high surrogate waiting for its pair is not among them).
    std::size_t size() const { return text_.size(); }
    std::string take();

private:
    std::string text_;
    char32_t pendingHigh_ = 0;
};
// A GBK text in the bytes of the given encoding (no byte-order mark).
std::string encodeGbkText(std::string_view gbk, TextEncoding encoding);

// Whether a GBK byte starts a double-byte character in a profile file.
inline bool isGbkLead(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

namespace detail {
inline constexpr int GbkLeadCount = 0xFE - 0x81 + 1;
inline constexpr int GbkTrailCount = 0xFE - 0x40 + 1;
extern const char16_t gbkTable[GbkLeadCount][GbkTrailCount];
inline constexpr char32_t Unmapped = U'?';

// The character of a GBK byte pair ('?' for a pair that is none).
inline char32_t gbkPairCode(unsigned char lead, unsigned char trail) {
    if (trail < 0x40 || trail > 0xFE) return Unmapped;
    const char16_t code = gbkTable[lead - 0x81][trail - 0x40];
    return code ? code : Unmapped;
}

Unit decodeWiderAt(std::string_view fileBytes, std::size_t at, TextEncoding encoding);
}  // namespace detail

// What a scan of a GBK or UTF-8 file mostly meets is decoded here, in line.
inline Unit decodeAt(std::string_view fileBytes, std::size_t at, TextEncoding encoding) {
    const auto byte = static_cast<unsigned char>(fileBytes[at]);
    if (encoding == TextEncoding::Gbk || encoding == TextEncoding::Utf8) {
        if (byte < 0x80) return {byte, at, 1};
        if (encoding == TextEncoding::Gbk && isGbkLead(byte) && at + 1 < fileBytes.size())
            return {detail::gbkPairCode(byte, static_cast<unsigned char>(fileBytes[at + 1])), at, 2};
    }
    return detail::decodeWiderAt(fileBytes, at, encoding);
}

}  // namespace velarion::ini
