#pragma once
// The program's number conventions, one helper each. Every conversion of a
// floating value to an integer goes through roundHalfEven (2.5 -> 2,
// 3.5 -> 4); floor only where a computation says floor.

#include <algorithm>
#include <cmath>
#include <concepts>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace morva {

// Nearest integer, halves to the even neighbour, as a double (no range limit).
inline double roundHalfEven(double value) {
    if (!std::isfinite(value)) return value;
    const double lower = std::floor(value);
    const double fraction = value - lower;  // exact for every double
    if (fraction < 0.5) return lower;
    if (fraction > 0.5) return lower + 1;
    // An exact half exists only below 2^52, where the whole part fits an
    // integer: its lowest bit tells odd from even.
    return (static_cast<int64_t>(lower) & 1) == 0 ? lower : lower + 1;
}

// Conversion to a 16-bit or 32-bit integer: nearest, halves to even, then
// clamped to the target's range (NaN gives 0). The original program aborted
// on overflow; clamping keeps a bad file value from ending the program.
template <typename Int>
Int toClampedInteger(double value) {
    if (std::isnan(value)) return 0;
    const double rounded = roundHalfEven(value);
    if (rounded <= static_cast<double>(std::numeric_limits<Int>::min()))
        return std::numeric_limits<Int>::min();
    if (rounded >= static_cast<double>(std::numeric_limits<Int>::max()))
        return std::numeric_limits<Int>::max();
    return static_cast<Int>(rounded);
}
inline int16_t toInt16(double value) {
    return toClampedInteger<int16_t>(value);
}
inline int32_t toInt32(double value) {
    return toClampedInteger<int32_t>(value);
}

// near(x + k) for a fixed x and many whole k (index expressions such as
// "offset + sample number"), without a floating conversion per k: the whole
// part of x plus k, plus one when x's fraction is past the half, or exactly
// the half and that sum is odd. Equal to roundHalfEven(x + k) whenever x + k
// is exact in double, as it is for a single or a half and k below 2^28.
// x is limited to +-1e12 so that the integer arithmetic stays in range.
struct NearShift {
    int64_t whole = 0;
    int64_t up = 0;    // 1: fraction above one half
    int64_t half = 0;  // 1: fraction exactly one half
    explicit NearShift(double x = 0.0) {
        const double limited = std::isnan(x) ? 0.0 : std::clamp(x, -1e12, 1e12);
        const double lower = std::floor(limited);
        const double fraction = limited - lower;
        whole = static_cast<int64_t>(lower);
        up = fraction > 0.5 ? 1 : 0;
        half = fraction == 0.5 ? 1 : 0;
    }
    int64_t at(int64_t k) const {
        const int64_t lower = whole + k;
        return lower + (up | (half & lower));
    }
};

// Lenient leading-number parse of a text value: leading blanks (spaces,
// tabs) skipped, an optional sign, digits with at most one decimal point "."
// and an optional exponent (E or D, with optional sign and digits); anything
// after the longest such prefix is ignored. Text without a number gives 0.
// "&H" hexadecimal prefixes are read as hexadecimal ("&H1F" gives 31, always
// a non-negative value). A blank ends the number: "1 2" gives 1, "- 5" gives
// 0. A number too large for a double gives plus or minus infinity (which the
// integer conversions clamp), one too small gives 0.
double parseLeadingNumber(std::string_view text);

// Strict integer parse: optional blanks, an optional sign, decimal digits,
// optional blanks, nothing else. Returns nothing for any other text and for
// values outside [min, max] of the target, so the caller keeps its old value.
std::optional<int16_t> parseStrictInt16(std::string_view text);
std::optional<int32_t> parseStrictInt32(std::string_view text);

// The print form of a number, as a print statement writes it: a blank in
// front of a non-negative value (the minus sign in that place otherwise),
// the digits, one trailing blank. A value below 1 in magnitude has no
// leading zero: 0.5 -> " .5 ", -0.25 -> "-.25 ". Integers: 100 -> " 100 ".
// Singles show at most 7 significant digits, doubles at most 15; trailing
// zeros of the fraction are dropped; very large or small values use the
// exponent form "1.5E+20" / "1E-08" (two-digit exponent at least).
// The fixed form is used while it needs no more digits than the precision
// allows: the value rounded to 7 (15) significant digits is written plainly
// when it has fewer than 7 (15) integer digits, or, below 1, when the zeros
// after the point plus the significant digits come to at most 7 (15).
// So 1234567 -> " 1234567 ", 1E7 -> " 1E+07 ", .0000001 -> " .0000001 ",
// .00000001 -> " 1E-08 ", .01234567 -> " 1.234567E-02 " (singles).
// Zero (either sign) is " 0 "; a value that is not a number or infinite is
// written "NaN", "Inf" or "-Inf", which the lenient parse reads back as 0.
std::string printForm(int64_t value);
std::string printFormSingle(float value);
std::string printFormDouble(double value);

// The same digits without the surrounding blanks (the text a value gets
// when it is put into a caption): 0.5 -> ".5", -3 -> "-3".
std::string numberText(int64_t value);
std::string numberTextSingle(float value);
std::string numberTextDouble(double value);

// Fixed formats "0", "0.0", "0.00", "0.000": at least one integer digit,
// exactly `decimals` fraction digits, rounded half away from zero on the
// shortest decimal form of the number (2.25 -> "2.3", as a format function
// does); a negative value that rounds to zero is written without its sign.
// The float overload rounds the float's own shortest form, so 0.45f gives
// "0.5" with one decimal (as a double, 0.45f is 0.44999998...). Integers are
// written with `decimals` zeros. Negative `decimals` count as 0.
std::string formatFixed(double value, int decimals);
std::string formatFixed(float value, int decimals);
template <std::integral T>
std::string formatFixed(T value, int decimals) {
    return formatFixed(static_cast<double>(value), decimals);
}

}  // namespace morva
