#include "core/IniCodec.hpp"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace velarion::ini {

namespace {

constexpr char32_t Unmapped = U'?';
constexpr char32_t Replacement = 0xFFFD;

// Single bytes outside ASCII that code page 936 gives a character of their own.
constexpr unsigned char EuroByte = 0x80;
constexpr char32_t EuroCode = 0x20AC;
constexpr unsigned char LastByte = 0xFF;
constexpr char32_t LastByteCode = 0xF8F5;

char32_t gbkPairCode(unsigned char lead, unsigned char trail) {
    if (trail < 0x40 || trail > 0xFE) return Unmapped;
    char16_t code = detail::gbkTable[lead - 0x81][trail - 0x40];
    return code ? code : Unmapped;
}

char32_t gbkSingleCode(unsigned char byte) {
    if (byte < 0x80) return byte;
    if (byte == EuroByte) return EuroCode;
    if (byte == LastByte) return LastByteCode;
    return Unmapped;  // a lead byte without its trail byte
}

// From a code point back to its GBK bytes (0 when GBK has no such character): the
// double-byte ones as lead * 256 + trail. Built once from the table.
const std::vector<std::uint16_t>& reverseTable() {
    static const std::vector<std::uint16_t> table = [] {
        std::vector<std::uint16_t> t(0x10000, 0);
        for (int lead = 0; lead < detail::GbkLeadCount; ++lead) {
            for (int trail = 0; trail < detail::GbkTrailCount; ++trail) {
                char16_t code = detail::gbkTable[lead][trail];
                if (code && !t[code]) t[code] = static_cast<std::uint16_t>(((lead + 0x81) << 8) | (trail + 0x40));
            }
        }
        t[EuroCode] = EuroByte;
        t[LastByteCode] = LastByte;
        return t;
    }();
    return table;
}

void appendGbk(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
        return;
    }
    std::uint16_t bytes = code < 0x10000 ? reverseTable()[code] : 0;
    if (!bytes) {
        out += '?';
    } else if (bytes < 0x100) {
        out += static_cast<char>(bytes);
    } else {
        out += static_cast<char>(bytes >> 8);
        out += static_cast<char>(bytes & 0xFF);
    }
}

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

void appendUtf16(std::string& out, char32_t code, bool bigEndian) {
    auto put = [&](char16_t unit) {
        char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    };
    if (code >= 0x10000) {
        code -= 0x10000;
        put(static_cast<char16_t>(0xD800 + (code >> 10)));
        put(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    } else {
        put(static_cast<char16_t>(code));
    }
}

void decodeGbk(std::string_view bytes, std::size_t at, std::vector<Unit>& units) {
    while (at < bytes.size()) {
        auto byte = static_cast<unsigned char>(bytes[at]);
        if (isGbkLead(byte) && at + 1 < bytes.size()) {
            units.emplace_back(gbkPairCode(byte, static_cast<unsigned char>(bytes[at + 1])), at, 2);
            at += 2;
        } else {
            units.emplace_back(gbkSingleCode(byte), at, 1);
            ++at;
        }
    }
}

// One UTF-8 sequence; a malformed byte is one replacement character.
void decodeUtf8(std::string_view bytes, std::size_t at, std::vector<Unit>& units) {
    while (at < bytes.size()) {
        auto byte = static_cast<unsigned char>(bytes[at]);
        std::size_t length = byte < 0x80 ? 1 : byte >= 0xF0 && byte <= 0xF4 ? 4 : byte >= 0xE0 ? 3
                                               : byte >= 0xC2 && byte < 0xE0  ? 2
                                                                               : 0;
        char32_t code = length == 1 ? byte : length == 2 ? byte & 0x1F : length == 3 ? byte & 0x0F : byte & 0x07;
        bool valid = length > 0 && at + length <= bytes.size();
        for (std::size_t i = 1; valid && i < length; ++i) {
            auto next = static_cast<unsigned char>(bytes[at + i]);
            if ((next & 0xC0) != 0x80) valid = false;
            code = (code << 6) | (next & 0x3F);
        }
        if (valid && ((length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
                      (length == 4 && (code < 0x10000 || code > 0x10FFFF))))
            valid = false;
        if (!valid) {
            units.emplace_back(Replacement, at, 1);
            ++at;
        } else {
            units.emplace_back(code, at, length);
            at += length;
        }
    }
}

// UTF-16 code units one by one (a surrogate is a character of its own here: the syntax
// of the file is all ASCII). A last odd byte is left out.
void decodeUtf16(std::string_view bytes, std::size_t at, bool bigEndian, std::vector<Unit>& units) {
    for (; at + 1 < bytes.size(); at += 2) {
        auto first = static_cast<unsigned char>(bytes[at]), second = static_cast<unsigned char>(bytes[at + 1]);
        char32_t code = bigEndian ? (first << 8) | second : (second << 8) | first;
        units.emplace_back(code, at, 2);
    }
}

// How many units the file decodes to, so the vector is made once at its size.
std::size_t unitCount(std::string_view bytes, FileEncoding encoding) {
    const std::size_t size = bytes.size() - std::min(bytes.size(), encoding.markLength);
    switch (encoding.encoding) {
        case TextEncoding::Gbk: {
            std::size_t count = 0;
            for (std::size_t at = 0; at < bytes.size(); ++count)
                at += isGbkLead(static_cast<unsigned char>(bytes[at])) ? 2 : 1;
            return count;
        }
        case TextEncoding::Utf16Le:
        case TextEncoding::Utf16Be: return size / 2;
        case TextEncoding::Utf8: break;
    }
    return size;
}

}  // namespace

FileEncoding detectEncoding(std::string_view fileBytes) {
    if (fileBytes.starts_with("\xEF\xBB\xBF")) return {TextEncoding::Utf8, 3};
    if (fileBytes.starts_with("\xFF\xFE")) return {TextEncoding::Utf16Le, 2};
    if (fileBytes.starts_with("\xFE\xFF")) return {TextEncoding::Utf16Be, 2};
    return {TextEncoding::Gbk, 0};
}

std::vector<Unit> decodeUnits(std::string_view fileBytes, FileEncoding encoding) {
    std::vector<Unit> units;
    units.reserve(unitCount(fileBytes, encoding));
    switch (encoding.encoding) {
        case TextEncoding::Gbk: decodeGbk(fileBytes, encoding.markLength, units); break;
        case TextEncoding::Utf8: decodeUtf8(fileBytes, encoding.markLength, units); break;
        case TextEncoding::Utf16Le: decodeUtf16(fileBytes, encoding.markLength, false, units); break;
        case TextEncoding::Utf16Be: decodeUtf16(fileBytes, encoding.markLength, true, units); break;
    }
    return units;
}

std::u32string gbkToCodes(std::string_view gbk) {
    std::vector<Unit> units;
    decodeGbk(gbk, 0, units);
    std::u32string codes;
    codes.reserve(units.size());
    for (const Unit& unit : units) codes += unit.code;
    return codes;
}

std::string codesToGbk(std::u32string_view codes) {
    std::string out;
    out.reserve(codes.size() * 2);
    for (std::size_t i = 0; i < codes.size(); ++i) {
        char32_t code = codes[i];
        // A surrogate pair read from a UTF-16 file is one character.
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < codes.size() && codes[i + 1] >= 0xDC00 &&
            codes[i + 1] < 0xE000) {
            code = 0x10000 + ((code - 0xD800) << 10) + (codes[i + 1] - 0xDC00);
            ++i;
        }
        appendGbk(out, code);
    }
    return out;
}

std::string encodeGbkText(std::string_view gbk, TextEncoding encoding) {
    if (encoding == TextEncoding::Gbk) return std::string(gbk);
    std::string out;
    for (char32_t code : gbkToCodes(gbk)) {
        if (encoding == TextEncoding::Utf8)
            appendUtf8(out, code);
        else
            appendUtf16(out, code, encoding == TextEncoding::Utf16Be);
    }
    return out;
}

}  // namespace velarion::ini
