#include "core/TextNumber.hpp"

#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <cstdio>
#include <cstdlib>

namespace velarion {

namespace {

// Full-width forms in GBK: row 0xA3 holds ASCII 0x21..0x7E at 0xA3A1..0xA3FE, and 0xA1A1
// is the full-width space.
constexpr unsigned char FullWidthRow = 0xA3;
constexpr unsigned char SpaceRow = 0xA1;
constexpr unsigned char SpaceCell = 0xA1;

// The text with every full-width character replaced by its single-byte form; other
// double-byte characters stay as they are (and end a number).
std::string narrowed(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80 || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        auto trail = static_cast<unsigned char>(text[i + 1]);
        if (byte == FullWidthRow && trail >= 0xA1 && trail <= 0xFE) {
            out += static_cast<char>(trail - 0x80);
        } else if (byte == SpaceRow && trail == SpaceCell) {
            out += ' ';
        } else {
            out += text[i];
            out += text[i + 1];
        }
        ++i;
    }
    return out;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// A number beyond the range of a double: the largest double when it is too large, 0 when
// it is too small.
double outOfRange(const std::string& number) {
    std::size_t mark = number.find('e');
    std::string_view mantissa = std::string_view(number).substr(0, mark);
    long long order = 0;  // the power of ten of the first significant digit, plus one
    std::size_t point = mantissa.find('.');
    std::string_view whole = mantissa.substr(0, point);
    std::size_t firstSignificant = whole.find_first_not_of('0');
    if (firstSignificant != std::string_view::npos) {
        order = static_cast<long long>(whole.size() - firstSignificant);
    } else if (point != std::string_view::npos) {
        std::string_view fraction = mantissa.substr(point + 1);
        order = -static_cast<long long>(std::min(fraction.find_first_not_of('0'), fraction.size()));
    }
    if (mark != std::string::npos) {
        bool minus = number[mark + 1] == '-';
        long long exponent = 0;
        for (std::size_t i = mark + 1; i < number.size(); ++i)
            if (isDigit(number[i]) && exponent < 1000000) exponent = exponent * 10 + (number[i] - '0');
        order += minus ? -exponent : exponent;
    }
    return order > 0 ? DBL_MAX : 0.0;
}

}  // namespace

double textToNumber(std::string_view text) {
    std::string s = narrowed(text);
    std::size_t at = 0, n = s.size();
    while (at < n && isBlank(s[at])) ++at;

    // The number in plain form for from_chars, which takes no '+' and no blanks.
    bool negative = false;
    if (at < n && (s[at] == '+' || s[at] == '-')) negative = s[at++] == '-';
    std::string number;
    std::size_t digits = 0;
    while (at < n && isDigit(s[at])) number += s[at++], ++digits;
    if (at < n && s[at] == '.') {
        number += s[at++];
        while (at < n && isDigit(s[at])) number += s[at++], ++digits;
    }
    if (digits == 0) return 0.0;
    if (at < n && (s[at] == 'e' || s[at] == 'E')) {
        std::size_t mark = at + 1;
        std::string exponent = "e";
        if (mark < n && (s[mark] == '+' || s[mark] == '-')) exponent += s[mark++];
        if (mark < n && isDigit(s[mark])) {
            while (mark < n && isDigit(s[mark])) exponent += s[mark++];
            number += exponent;
        }
    }

    // strtod, not std::from_chars: that carries some 30 KB of its own into the program,
    // where the runtime's is there anyway (and the C locale, whose point is '.', never changes).
    errno = 0;
    double value = std::strtod(number.c_str(), nullptr);
    if (errno == ERANGE) value = outOfRange(number);
    return negative ? -value : value;
}

std::string numberToText(long long value) { return std::to_string(value); }

std::string numberToText(int value) { return std::to_string(value); }

// printf's "%.13g" (the program never changes the C locale, so the point is '.').
// Not std::to_chars with a precision: that carries some 100 KB of tables into the
// program, where the printf of the runtime is there anyway.
std::string numberToText(double value) {
    if (value == 0.0) value = 0.0;  // no "-0"
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, "%.13g", value);
    return length > 0 ? std::string(buffer, std::min<std::size_t>(static_cast<std::size_t>(length), sizeof buffer - 1))
                      : std::string("0");
}

}  // namespace velarion
