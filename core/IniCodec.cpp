#include "core/IniCodec.hpp"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace velarion::ini {

namespace {

using detail::gbkPairCode;
using detail::Unmapped;
constexpr char32_t Replacement = 0xFFFD;

// Single bytes outside ASCII that code page 936 gives a character of their own.
constexpr unsigned char EuroByte = 0x80;
constexpr char32_t EuroCode = 0x20AC;
constexpr unsigned char LastByte = 0xFF;
constexpr char32_t LastByteCode = 0xF8F5;

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

Unit decodeGbkAt(std::string_view bytes, std::size_t at) {
    auto byte = static_cast<unsigned char>(bytes[at]);
    if (isGbkLead(byte) && at + 1 < bytes.size())
        return {gbkPairCode(byte, static_cast<unsigned char>(bytes[at + 1])), at, 2};
    return {gbkSingleCode(byte), at, 1};
}

// One UTF-8 sequence; a malformed byte is one replacement character.
Unit decodeUtf8At(std::string_view bytes, std::size_t at) {
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
    if (!valid) return {Replacement, at, 1};
    return {code, at, length};
}

// A UTF-16 code unit (a surrogate is a character of its own here: the syntax of the
// file is all ASCII).
Unit decodeUtf16At(std::string_view bytes, std::size_t at, bool bigEndian) {
    auto first = static_cast<unsigned char>(bytes[at]), second = static_cast<unsigned char>(bytes[at + 1]);
    return {static_cast<char32_t>(bigEndian ? (first << 8) | second : (second << 8) | first), at, 2};
}

}  // namespace

FileEncoding detectEncoding(std::string_view fileBytes) {
    if (fileBytes.starts_with("\xEF\xBB\xBF")) return {TextEncoding::Utf8, 3};
    if (fileBytes.starts_with("\xFF\xFE")) return {TextEncoding::Utf16Le, 2};
    if (fileBytes.starts_with("\xFE\xFF")) return {TextEncoding::Utf16Be, 2};
    return {TextEncoding::Gbk, 0};
}

std::size_t textEnd(std::string_view fileBytes, FileEncoding encoding) {
    const std::size_t size = fileBytes.size() - std::min(fileBytes.size(), encoding.markLength);
    const bool utf16 = encoding.encoding == TextEncoding::Utf16Le || encoding.encoding == TextEncoding::Utf16Be;
    return fileBytes.size() - (utf16 ? size % 2 : 0);
}

Unit detail::decodeWiderAt(std::string_view fileBytes, std::size_t at, TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8: return decodeUtf8At(fileBytes, at);
        case TextEncoding::Utf16Le: return decodeUtf16At(fileBytes, at, false);
        case TextEncoding::Utf16Be: return decodeUtf16At(fileBytes, at, true);
        case TextEncoding::Gbk: break;
    }
    return decodeGbkAt(fileBytes, at);
}

std::vector<Unit> decodeUnits(std::string_view fileBytes, FileEncoding encoding) {
    std::vector<Unit> units;
    for (std::size_t at = encoding.markLength, end = textEnd(fileBytes, encoding); at < end;)
        at = units.emplace_back(decodeAt(fileBytes, at, encoding.encoding)).end();
    return units;
}

std::u32string gbkToCodes(std::string_view gbk) {
    std::u32string codes;
    codes.reserve(gbk.size());
    for (std::size_t at = 0; at < gbk.size();) {
        const Unit unit = decodeGbkAt(gbk, at);
        codes += unit.code;
        at = unit.end();
    }
    return codes;
}

void GbkBuilder::add(char32_t code) {
    // A surrogate pair read from a UTF-16 file is one character.
    if (pendingHigh_) {
        const char32_t high = pendingHigh_;
        pendingHigh_ = 0;
        if (code >= 0xDC00 && code < 0xE000) {
            appendGbk(text_, 0x10000 + ((high - 0xD800) << 10) + (code - 0xDC00));
            return;
        }
        appendGbk(text_, high);
    }
    if (code >= 0xD800 && code < 0xDC00)
        pendingHigh_ = code;
    else
        appendGbk(text_, code);
}

std::string GbkBuilder::take() {
    if (pendingHigh_) appendGbk(text_, pendingHigh_);
    pendingHigh_ = 0;
    return std::move(text_);
}

std::string codesToGbk(std::u32string_view codes) {
    GbkBuilder builder;
    builder.reserve(codes.size() * 2);
    for (char32_t code : codes) builder.add(code);
    return builder.take();
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
