#pragma once
// Numbers typed by the user or stored in kjfs.ini, and their text forms.

#include <string>
#include <string_view>

namespace velarion {

// The number at the start of a text: full-width digits, signs, letters and the
// full-width space count as their single-byte forms; leading blanks are skipped;
// then an optional sign, digits with an optional point and an optional exponent.
// A text without a number gives 0.
double textToNumber(std::string_view text);

// A whole number in plain decimal without leading zeros.
std::string numberToText(long long value);
// A fractional value with "%.13g": whole values print without a point ("59", "-1").
std::string numberToText(double value);
std::string numberToText(int value);

}  // namespace velarion
