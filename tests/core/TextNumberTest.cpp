#include <gtest/gtest.h>

#include <cfloat>

#include "core/TextNumber.hpp"

using velarion::numberToText;
using velarion::textToNumber;

TEST(TextToNumber, ReadsTheNumberAtTheStart) {
    struct Case {
        const char* text;
        double expected;
    } cases[] = {
        {"", 0},         {"abc", 0},         {"200", 200},       {"  \t42", 42},   {"-7", -7},
        {"+3", 3},       {"180.9", 180.9},   {".5", 0.5},        {"5.", 5},        {".", 0},
        {"-", 0},        {"- 5", 0},         {"12abc", 12},      {"1.5e3", 1500},  {"2E-2", 0.02},
        {"1e", 1},       {"1e+", 1},         {"3e+x", 3},        {"0x1A", 0},      {"inf", 0},
        {"nan", 0},      {"1,5", 1},         {"007", 7},         {"10秒", 10},     {"秒10", 0},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(textToNumber(c.text), c.expected) << c.text;
}

TEST(TextToNumber, TakesFullWidthFormsAsSingleByteOnes) {
    EXPECT_DOUBLE_EQ(textToNumber("１２３"), 123);
    EXPECT_DOUBLE_EQ(textToNumber("－５"), -5);
    EXPECT_DOUBLE_EQ(textToNumber("＋１．５"), 1.5);
    EXPECT_DOUBLE_EQ(textToNumber("　　８"), 8);      // full-width spaces are blanks
    EXPECT_DOUBLE_EQ(textToNumber("２ｅ３"), 2000);    // full-width exponent letter
    EXPECT_DOUBLE_EQ(textToNumber("1２3"), 123);       // mixed widths
    EXPECT_DOUBLE_EQ(textToNumber("１二"), 1);          // another double-byte character ends it
}

TEST(TextToNumber, ValuesBeyondADoubleStayFinite) {
    EXPECT_DOUBLE_EQ(textToNumber("1e999"), DBL_MAX);
    EXPECT_DOUBLE_EQ(textToNumber("-1e999"), -DBL_MAX);
    EXPECT_DOUBLE_EQ(textToNumber("1e-999"), 0.0);
    EXPECT_DOUBLE_EQ(textToNumber("0.0000001"), 1e-7);
}

TEST(NumberToText, WholeNumbersPlainAndFractionsWithThirteenDigits) {
    EXPECT_EQ(numberToText(59LL), "59");
    EXPECT_EQ(numberToText(-1), "-1");
    EXPECT_EQ(numberToText(0), "0");
    EXPECT_EQ(numberToText(59.0), "59");
    EXPECT_EQ(numberToText(-1.0), "-1");
    EXPECT_EQ(numberToText(0.0), "0");
    EXPECT_EQ(numberToText(-0.0), "0");
    EXPECT_EQ(numberToText(0.1), "0.1");
    EXPECT_EQ(numberToText(180.9), "180.9");
    EXPECT_EQ(numberToText(1.0 / 3.0), "0.3333333333333");
    EXPECT_EQ(numberToText(1e20), "1e+20");
    EXPECT_EQ(numberToText(1234567890123.0), "1234567890123");
    EXPECT_EQ(numberToText(1234567890123456.0), "1.234567890123e+15");  // rounded, two exponent digits
    EXPECT_EQ(numberToText(0.00001), "1e-05");
}
