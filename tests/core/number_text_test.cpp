#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "core/numbers.h"

namespace morva {
namespace {

// The value rounded to `significant` digits, as the C library writes it.
std::string roundedTo(double value, int significant) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*e", significant - 1, value);
    return text;
}

TEST(PrintForm, IntegersHaveABlankOrMinusInFrontAndABlankBehind) {
    EXPECT_EQ(printForm(100), " 100 ");
    EXPECT_EQ(printForm(-1), "-1 ");
    EXPECT_EQ(printForm(0), " 0 ");
    EXPECT_EQ(printForm(32672), " 32672 ");
    EXPECT_EQ(printForm(std::numeric_limits<int64_t>::min()), "-9223372036854775808 ");
    EXPECT_EQ(numberText(-3), "-3");
    EXPECT_EQ(numberText(12345678901234), "12345678901234");
}

TEST(PrintForm, FractionsBelowOneHaveNoLeadingZero) {
    EXPECT_EQ(printFormSingle(0.5f), " .5 ");
    EXPECT_EQ(printFormSingle(-0.25f), "-.25 ");
    EXPECT_EQ(printFormDouble(0.5), " .5 ");
    EXPECT_EQ(printFormDouble(-1.25), "-1.25 ");
    EXPECT_EQ(printFormDouble(100.0), " 100 ");
    EXPECT_EQ(printFormSingle(0.0f), " 0 ");
    EXPECT_EQ(printFormSingle(-0.0f), " 0 ");
    EXPECT_EQ(printFormDouble(-0.0), " 0 ");
    EXPECT_EQ(numberTextSingle(0.5f), ".5");
    EXPECT_EQ(numberTextDouble(-0.75), "-.75");
    EXPECT_EQ(numberTextDouble(2.0), "2");
}

TEST(PrintForm, SinglesShowSevenAndDoublesFifteenSignificantDigits) {
    EXPECT_EQ(printFormSingle(0.1f), " .1 ");
    EXPECT_EQ(printFormSingle(1.0f / 3.0f), " .3333333 ");
    EXPECT_EQ(printFormSingle(2.0f / 3.0f), " .6666667 ");
    EXPECT_EQ(printFormSingle(12.34567f), " 12.34567 ");
    EXPECT_EQ(printFormSingle(123.456789f), " 123.4568 ");
    EXPECT_EQ(printFormDouble(0.1 + 0.2), " .3 ");
    EXPECT_EQ(printFormDouble(1.0 / 3.0), " .333333333333333 ");
    EXPECT_EQ(printFormDouble(2.0 / 3.0), " .666666666666667 ");
    // The same value as single and as double.
    EXPECT_EQ(printFormSingle(1.1f), " 1.1 ");
    EXPECT_EQ(printFormDouble(static_cast<double>(1.1f)), " 1.10000002384186 ");
    // Rounding may carry into a new leading digit.
    EXPECT_EQ(printFormDouble(0.9999999999999999), " 1 ");
    EXPECT_EQ(printFormSingle(1e11f), " 1E+11 ");  // the single is 99999997952
}

TEST(PrintForm, LargeValuesSwitchToTheExponentFormPastThePrecision) {
    EXPECT_EQ(printFormSingle(1234567.0f), " 1234567 ");
    EXPECT_EQ(printFormSingle(9999999.0f), " 9999999 ");
    EXPECT_EQ(printFormSingle(1e7f), " 1E+07 ");
    EXPECT_EQ(printFormSingle(12345678.0f), " 1.234568E+07 ");
    EXPECT_EQ(printFormSingle(-1.5e20f), "-1.5E+20 ");
    EXPECT_EQ(printFormSingle(99999999.0f), " 1E+08 ");
    EXPECT_EQ(printFormDouble(123456789012345.0), " 123456789012345 ");
    EXPECT_EQ(printFormDouble(1e15), " 1E+15 ");
    EXPECT_EQ(printFormDouble(1.5e20), " 1.5E+20 ");
    EXPECT_EQ(printFormDouble(1e100), " 1E+100 ");
    EXPECT_EQ(printFormDouble(-1.7976931348623157e308), "-1.79769313486232E+308 ");
}

TEST(PrintForm, SmallValuesSwitchWhenZerosAndDigitsExceedThePrecision) {
    EXPECT_EQ(printFormSingle(0.0001f), " .0001 ");
    EXPECT_EQ(printFormSingle(0.0000001f), " .0000001 ");
    EXPECT_EQ(printFormSingle(0.00000001f), " 1E-08 ");
    EXPECT_EQ(printFormSingle(0.0123f), " .0123 ");
    EXPECT_EQ(printFormSingle(0.01234567f), " 1.234567E-02 ");
    EXPECT_EQ(printFormSingle(-0.000012f), "-.000012 ");
    EXPECT_EQ(printFormDouble(1e-15), " .000000000000001 ");
    EXPECT_EQ(printFormDouble(1e-16), " 1E-16 ");
    EXPECT_EQ(printFormDouble(4.9406564584124654e-324), " 4.94065645841247E-324 ");
}

TEST(PrintForm, ValuesOutsideTheNumbersAreNamedAndReadBackAsZero) {
    EXPECT_EQ(printFormDouble(std::numeric_limits<double>::quiet_NaN()), " NaN ");
    EXPECT_EQ(printFormSingle(std::numeric_limits<float>::infinity()), " Inf ");
    EXPECT_EQ(printFormSingle(-std::numeric_limits<float>::infinity()), "-Inf ");
    EXPECT_EQ(parseLeadingNumber(printFormDouble(std::numeric_limits<double>::quiet_NaN())), 0);
    EXPECT_EQ(parseLeadingNumber(printFormSingle(-std::numeric_limits<float>::infinity())), 0);
}

// Random values over many magnitudes; the generator is seeded so a failure repeats.
class PrintFormRoundTrip : public ::testing::Test {
  protected:
    double randomValue() {
        const double mantissa = std::uniform_real_distribution<double>(1.0, 10.0)(generator_);
        const int exponent = std::uniform_int_distribution<int>(-12, 12)(generator_);
        const double sign = std::bernoulli_distribution(0.5)(generator_) ? -1.0 : 1.0;
        return sign * mantissa * std::pow(10.0, exponent);
    }
    std::mt19937 generator_{20240611};
};

TEST_F(PrintFormRoundTrip, SinglesReadBackToTheSameSevenDigits) {
    for (int i = 0; i < 20000; ++i) {
        const float value = static_cast<float>(randomValue());
        const std::string text = printFormSingle(value);
        ASSERT_EQ(roundedTo(parseLeadingNumber(text), 7), roundedTo(value, 7)) << text;
    }
}

TEST_F(PrintFormRoundTrip, SinglesWithAtMostSevenDigitsReadBackExactly) {
    // A single typed with up to seven digits comes back as the very same single.
    for (int i = 0; i < 20000; ++i) {
        const float value = std::stof(roundedTo(randomValue(), 1 + i % 7));
        const std::string text = printFormSingle(value);
        ASSERT_EQ(static_cast<float>(parseLeadingNumber(text)), value) << text;
    }
}

TEST_F(PrintFormRoundTrip, DoublesReadBackToTheSameFifteenDigits) {
    for (int i = 0; i < 20000; ++i) {
        const double value = randomValue();
        const std::string text = printFormDouble(value);
        ASSERT_EQ(roundedTo(parseLeadingNumber(text), 15), roundedTo(value, 15)) << text;
    }
}

TEST_F(PrintFormRoundTrip, IntegersReadBackExactly) {
    std::uniform_int_distribution<int64_t> any(-(int64_t{1} << 53), int64_t{1} << 53);
    for (int i = 0; i < 20000; ++i) {
        const int64_t value = any(generator_);
        ASSERT_EQ(parseLeadingNumber(printForm(value)), static_cast<double>(value));
    }
}

TEST(FormatFixed, RoundsTheShortestDecimalFormHalfAwayFromZero) {
    EXPECT_EQ(formatFixed(2.25, 1), "2.3");
    EXPECT_EQ(formatFixed(0.125, 2), "0.13");
    EXPECT_EQ(formatFixed(-1.25, 1), "-1.3");
    EXPECT_EQ(formatFixed(2.675, 2), "2.68");  // 2.67499999... as a binary double
    EXPECT_EQ(formatFixed(1.005, 2), "1.01");
    EXPECT_EQ(formatFixed(1234.5, 0), "1235");
    EXPECT_EQ(formatFixed(-0.5, 0), "-1");
    EXPECT_EQ(formatFixed(2.24999, 1), "2.2");
}

TEST(FormatFixed, WritesExactlyTheDecimalsAndOneIntegerDigitAtLeast) {
    EXPECT_EQ(formatFixed(0.0, 0), "0");
    EXPECT_EQ(formatFixed(0.0, 3), "0.000");
    EXPECT_EQ(formatFixed(0.5, 3), "0.500");
    EXPECT_EQ(formatFixed(12.0, 1), "12.0");
    EXPECT_EQ(formatFixed(0.04, 1), "0.0");
    EXPECT_EQ(formatFixed(0.05, 1), "0.1");
    EXPECT_EQ(formatFixed(9.995, 2), "10.00");
    EXPECT_EQ(formatFixed(-99.96, 1), "-100.0");
    EXPECT_EQ(formatFixed(1e20, 1), "100000000000000000000.0");
    EXPECT_EQ(formatFixed(1.5e-10, 3), "0.000");
    EXPECT_EQ(formatFixed(0.0006, 3), "0.001");
    EXPECT_EQ(formatFixed(3.14159, -2), "3");
    EXPECT_EQ(formatFixed(1.0, 5), "1.00000");
}

TEST(FormatFixed, NegativeValuesThatRoundToZeroLoseTheirSign) {
    EXPECT_EQ(formatFixed(-0.04, 1), "0.0");
    EXPECT_EQ(formatFixed(-0.0, 2), "0.00");
    EXPECT_EQ(formatFixed(-0.4, 0), "0");
    EXPECT_EQ(formatFixed(-1e-10, 3), "0.000");
    EXPECT_EQ(formatFixed(-0.0005, 3), "-0.001");
}

TEST(FormatFixed, SinglesRoundTheirOwnShortestForm) {
    EXPECT_EQ(formatFixed(0.45f, 1), "0.5");
    EXPECT_EQ(formatFixed(static_cast<double>(0.45f), 1), "0.4");  // 0.449999988...
    EXPECT_EQ(formatFixed(0.15f, 1), "0.2");
    EXPECT_EQ(formatFixed(-2.675f, 2), "-2.68");
    EXPECT_EQ(formatFixed(1.0f / 3.0f, 3), "0.333");
}

TEST(FormatFixed, IntegersGetZeroDecimals) {
    EXPECT_EQ(formatFixed(12345, 2), "12345.00");
    EXPECT_EQ(formatFixed(int16_t{-7}, 1), "-7.0");
    EXPECT_EQ(formatFixed(int32_t{0}, 0), "0");
    // Hundredths of a micrometre shown as micrometres.
    EXPECT_EQ(formatFixed(-125 / 100.0, 1), "-1.3");
}

}  // namespace
}  // namespace morva
