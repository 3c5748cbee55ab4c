#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>
#include <limits>
#include <string>

#include "core/numbers.h"

namespace morva {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(1.5), 2);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
    EXPECT_EQ(roundHalfEven(-1.5), -2);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(-3.5), -4);
}

TEST(RoundHalfEven, OtherValuesGoToTheNearestInteger) {
    EXPECT_EQ(roundHalfEven(2.4999999), 2);
    EXPECT_EQ(roundHalfEven(2.5000001), 3);
    EXPECT_EQ(roundHalfEven(-2.5000001), -3);
    EXPECT_EQ(roundHalfEven(-0.4), 0);
    EXPECT_EQ(roundHalfEven(7), 7);
    // Beyond 2^53 every double is an integer and stays as it is.
    EXPECT_EQ(roundHalfEven(1e300), 1e300);
    EXPECT_EQ(roundHalfEven(4503599627370497.0), 4503599627370497.0);  // 2^52 + 1, odd
    EXPECT_EQ(roundHalfEven(4503599627370495.5), 4503599627370496.0);  // half below 2^52
    EXPECT_TRUE(std::isnan(roundHalfEven(std::nan(""))));
    EXPECT_EQ(roundHalfEven(-std::numeric_limits<double>::infinity()),
              -std::numeric_limits<double>::infinity());
}

// The shifted form the index loops use must agree with the conversion of
// the sum for every fraction class: below, above and exactly one half, with
// odd and even whole parts, negative offsets and huge ones.
TEST(NearShift, AgreesWithTheConversionOfTheSum) {
    const double offsets[] = {0.0,  0.25, 0.5,    0.75,  1.5,  100.5,      100.375,         100.625, -0.5,
                              -1.5, -2.5, -100.5, -7.25, 9.04, 1e11 + 0.5, 3.0f * 100.625f, 1e15,    -1e15};
    for (const double x : offsets) {
        const NearShift shift(x);
        for (int64_t k = -300; k <= 300; ++k) {
            const double expected = roundHalfEven(std::clamp(x, -1e12, 1e12) + static_cast<double>(k));
            ASSERT_EQ(static_cast<double>(shift.at(k)), expected) << "x " << x << " k " << k;
        }
    }
    EXPECT_EQ(NearShift(std::nan("")).at(5), 5);
}

TEST(IntegerConversion, RoundsHalvesToEvenThenClamps) {
    EXPECT_EQ(toInt16(2.5), 2);
    EXPECT_EQ(toInt32(3.5), 4);
    EXPECT_EQ(toInt32(-2.5), -2);
    EXPECT_EQ(toInt16(32767.4), 32767);
    EXPECT_EQ(toInt16(32767.5), 32767);  // rounds to 32768, clamped
    EXPECT_EQ(toInt16(-32768.5), -32768);
    EXPECT_EQ(toInt16(1e9), 32767);
    EXPECT_EQ(toInt16(-1e9), -32768);
    EXPECT_EQ(toInt32(2147483646.5), 2147483646);
    EXPECT_EQ(toInt32(2147483647.5), 2147483647);
    EXPECT_EQ(toInt32(-2147483648.0), -2147483648);
    EXPECT_EQ(toInt32(1e20), 2147483647);
    EXPECT_EQ(toInt32(-1e20), -2147483647 - 1);
    EXPECT_EQ(toInt32(std::numeric_limits<double>::infinity()), 2147483647);
    EXPECT_EQ(toInt16(std::nan("")), 0);
    EXPECT_EQ(toInt32(std::nan("")), 0);
}

TEST(LeadingNumber, TakesTheLongestNumericPrefix) {
    EXPECT_EQ(parseLeadingNumber("  12.5abc"), 12.5);
    EXPECT_EQ(parseLeadingNumber("\t 100 "), 100);
    EXPECT_EQ(parseLeadingNumber(" 100 "), 100);
    EXPECT_EQ(parseLeadingNumber("-.5"), -0.5);
    EXPECT_EQ(parseLeadingNumber(" .5 "), 0.5);
    EXPECT_EQ(parseLeadingNumber("+7"), 7);
    EXPECT_EQ(parseLeadingNumber("5."), 5);
    EXPECT_EQ(parseLeadingNumber("1.2.3"), 1.2);
    EXPECT_EQ(parseLeadingNumber("007"), 7);
    EXPECT_EQ(parseLeadingNumber("3,5"), 3);
    EXPECT_EQ(parseLeadingNumber("12345678901234567890"), 12345678901234567890.0);
}

TEST(LeadingNumber, ReadsExponentsWithEOrD) {
    EXPECT_EQ(parseLeadingNumber("1e3"), 1000);
    EXPECT_EQ(parseLeadingNumber("1E+03"), 1000);
    EXPECT_EQ(parseLeadingNumber("2.5E-2"), 0.025);
    EXPECT_EQ(parseLeadingNumber("1.5D+20"), 1.5e20);
    EXPECT_EQ(parseLeadingNumber("-4d2x"), -400);
    // An exponent mark without digits is not part of the number.
    EXPECT_EQ(parseLeadingNumber("7E"), 7);
    EXPECT_EQ(parseLeadingNumber("7e+"), 7);
    EXPECT_EQ(parseLeadingNumber("7Each"), 7);
}

TEST(LeadingNumber, TextWithoutANumberGivesZero) {
    EXPECT_EQ(parseLeadingNumber("abc"), 0);
    EXPECT_EQ(parseLeadingNumber(""), 0);
    EXPECT_EQ(parseLeadingNumber("   "), 0);
    EXPECT_EQ(parseLeadingNumber("."), 0);
    EXPECT_EQ(parseLeadingNumber("-"), 0);
    EXPECT_EQ(parseLeadingNumber("-.e5"), 0);
    EXPECT_EQ(parseLeadingNumber("e5"), 0);
    EXPECT_EQ(parseLeadingNumber("x12"), 0);
}

TEST(LeadingNumber, ABlankEndsTheNumber) {
    EXPECT_EQ(parseLeadingNumber("1 2"), 1);
    EXPECT_EQ(parseLeadingNumber("- 5"), 0);
    EXPECT_EQ(parseLeadingNumber("1.5 E3"), 1.5);
}

TEST(LeadingNumber, ReadsHexadecimal) {
    EXPECT_EQ(parseLeadingNumber("&H1F"), 31);
    EXPECT_EQ(parseLeadingNumber(" &hff rest"), 255);
    EXPECT_EQ(parseLeadingNumber("&HFFFF"), 65535);
    EXPECT_EQ(parseLeadingNumber("&H"), 0);
    EXPECT_EQ(parseLeadingNumber("&G1"), 0);
}

TEST(LeadingNumber, OnlyTheCharactersGivenAreRead) {
    // A value with a sixth digit of which only the first five characters are parsed.
    const std::string value = "123456";
    EXPECT_EQ(parseLeadingNumber(std::string_view(value).substr(0, 5)), 12345);
    const std::string longer = "1.5e3";
    EXPECT_EQ(parseLeadingNumber(std::string_view(longer).substr(0, 4)), 1.5);
}

TEST(LeadingNumber, OutOfRangeValuesSaturate) {
    EXPECT_EQ(parseLeadingNumber("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(parseLeadingNumber("-1e999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(parseLeadingNumber(std::string(400, '9')), std::numeric_limits<double>::infinity());
    EXPECT_EQ(parseLeadingNumber("1e-999"), 0);
    EXPECT_EQ(parseLeadingNumber("0.000001e-999"), 0);
    EXPECT_EQ(parseLeadingNumber("1e99999999999999999999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(parseLeadingNumber("1e-99999999999999999999"), 0);
    EXPECT_EQ(parseLeadingNumber("0e999999"), 0);
    EXPECT_EQ(toInt32(parseLeadingNumber("1e999")), 2147483647);
}

TEST(StrictInteger, AcceptsBlanksSignAndDigitsOnly) {
    EXPECT_EQ(parseStrictInt16("12"), 12);
    EXPECT_EQ(parseStrictInt16("  -12\t "), -12);
    EXPECT_EQ(parseStrictInt16("+9"), 9);
    EXPECT_EQ(parseStrictInt16("0009"), 9);
    EXPECT_EQ(parseStrictInt32(" 2147483647 "), 2147483647);
    EXPECT_EQ(parseStrictInt32("-2147483648"), -2147483647 - 1);

    for (const char* bad :
         {"", "   ", "-", "+", "1.0", "12a", "a12", "1 2", "1e3", "--1", "+-1", "&H1F", ". 5"}) {
        EXPECT_EQ(parseStrictInt16(bad), std::nullopt) << bad;
        EXPECT_EQ(parseStrictInt32(bad), std::nullopt) << bad;
    }
}

TEST(StrictInteger, RejectsValuesOutsideTheTarget) {
    EXPECT_EQ(parseStrictInt16("32767"), 32767);
    EXPECT_EQ(parseStrictInt16("-32768"), -32768);
    EXPECT_EQ(parseStrictInt16("32768"), std::nullopt);
    EXPECT_EQ(parseStrictInt16("-32769"), std::nullopt);
    EXPECT_EQ(parseStrictInt32("2147483648"), std::nullopt);
    EXPECT_EQ(parseStrictInt32("-2147483649"), std::nullopt);
    EXPECT_EQ(parseStrictInt32("99999999999999999999999"), std::nullopt);
}

}  // namespace
}  // namespace morva
