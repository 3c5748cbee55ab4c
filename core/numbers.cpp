#include "core/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace morva {

namespace {

// ---------------------------------------------------------------- parsing

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

double parseHexDigits(std::string_view text, size_t pos) {
    double value = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = hexDigitValue(text[pos]);
        if (digit < 0) break;
        value = value * 16 + digit;
    }
    return value;
}

// Decimal exponent of the first significant digit of a mantissa such as
// "0012.5" or ".003" (which has at least one non-zero digit), used only to
// tell an overflow from an underflow.
long long leadingDigitExponent(std::string_view mantissa) {
    const size_t point = mantissa.find('.');
    const std::string_view integerPart = mantissa.substr(0, point);
    const size_t firstNonZero = integerPart.find_first_not_of('0');
    if (firstNonZero != std::string_view::npos)
        return static_cast<long long>(integerPart.size() - firstNonZero) - 1;
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : mantissa.substr(point + 1);
    return -static_cast<long long>(fraction.find_first_not_of('0')) - 1;
}

template <typename Int>
std::optional<Int> parseStrictInteger(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    std::string_view number = text.substr(begin, end - begin);
    bool negative = false;
    if (!number.empty() && (number.front() == '+' || number.front() == '-')) {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    if (number.empty()) return std::nullopt;
    for (char c : number)
        if (!isDigit(c)) return std::nullopt;
    long long magnitude = 0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), magnitude);
    if (ec != std::errc{} || ptr != number.data() + number.size()) return std::nullopt;
    const long long value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<Int>::min() || value > std::numeric_limits<Int>::max())
        return std::nullopt;
    return static_cast<Int>(value);
}

// ---------------------------------------------------------------- decimal digits

// A finite non-zero value as significant digits d1 d2 ... dn (no trailing
// zeros) and the decimal exponent of d1: value = d1.d2...dn x 10^exponent.
struct DecimalDigits {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

// Reads the output of to_chars in scientific format, "-1.2345e+07".
DecimalDigits fromScientific(const char* first, const char* last) {
    DecimalDigits d;
    const char* p = first;
    if (p < last && *p == '-') {
        d.negative = true;
        ++p;
    }
    for (; p < last && *p != 'e'; ++p)
        if (isDigit(*p)) d.digits.push_back(*p);
    if (p < last) {
        ++p;
        if (p < last && *p == '+') ++p;
        std::from_chars(p, last, d.exponent);
    }
    const size_t lastNonZero = d.digits.find_last_not_of('0');
    d.digits.resize(lastNonZero == std::string::npos ? 1 : lastNonZero + 1);
    return d;
}

// `significant` 0 means the shortest form that reads back as the same value.
template <typename Float>
DecimalDigits decimalDigits(Float value, int significant) {
    char buffer[64];
    const auto result =
        significant > 0 ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific,
                                        significant - 1)
                        : std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    return fromScientific(buffer, result.ptr);
}

// "NaN", "Inf", "-Inf" for values outside the numbers; empty for finite ones.
template <typename Float>
std::string nonFiniteText(Float value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Inf" : "Inf";
    return {};
}

// The digits of a print statement, with "-" for a negative value and no blanks.
template <typename Float>
std::string printDigits(Float value, int significant) {
    if (std::string special = nonFiniteText(value); !special.empty()) return special;
    if (value == 0) return "0";
    const DecimalDigits d = decimalDigits(value, significant);
    const int count = static_cast<int>(d.digits.size());
    const int e = d.exponent;
    std::string text = d.negative ? "-" : "";
    if (e >= 0 && e < significant) {
        if (count <= e + 1) {
            text += d.digits;
            text.append(static_cast<size_t>(e + 1 - count), '0');
        } else {
            text += d.digits.substr(0, static_cast<size_t>(e + 1));
            text += '.';
            text += d.digits.substr(static_cast<size_t>(e + 1));
        }
    } else if (e < 0 && (-e - 1) + count <= significant) {
        text += '.';
        text.append(static_cast<size_t>(-e - 1), '0');
        text += d.digits;
    } else {
        text += d.digits[0];
        if (count > 1) {
            text += '.';
            text += d.digits.substr(1);
        }
        const int magnitude = e < 0 ? -e : e;
        text += e < 0 ? "E-" : "E+";
        if (magnitude < 10) text += '0';
        text += std::to_string(magnitude);
    }
    return text;
}

std::string withPrintBlanks(const std::string& digits) {
    if (!digits.empty() && digits.front() == '-') return digits + " ";
    return " " + digits + " ";
}

template <typename Float>
std::string formatFixedDigits(Float value, int decimals) {
    if (std::string special = nonFiniteText(value); !special.empty()) return special;
    // More fraction digits than any double carries add nothing but zeros.
    constexpr int kMostDecimals = 400;
    if (decimals < 0) decimals = 0;
    if (decimals > kMostDecimals) decimals = kMostDecimals;
    if (value == 0) return decimals == 0 ? "0" : "0." + std::string(static_cast<size_t>(decimals), '0');
    const DecimalDigits d = decimalDigits(value, 0);
    const int count = static_cast<int>(d.digits.size());
    // Digit of the value at decimal position p (10^p), 0 outside the digits.
    const auto digitAt = [&](int p) {
        const long long index = static_cast<long long>(d.exponent) - p;
        return index >= 0 && index < count ? d.digits[static_cast<size_t>(index)] : '0';
    };
    const int highest = d.exponent > 0 ? d.exponent : 0;
    std::string fixed;
    for (int p = highest; p >= -decimals; --p)
        fixed += digitAt(p);
    if (digitAt(-decimals - 1) >= '5') {
        // Half away from zero: the magnitude goes up.
        size_t i = fixed.size();
        while (i > 0 && fixed[i - 1] == '9')
            fixed[--i] = '0';
        if (i == 0)
            fixed.insert(fixed.begin(), '1');
        else
            ++fixed[i - 1];
    }
    const bool isZero = fixed.find_first_not_of('0') == std::string::npos;
    if (decimals > 0) fixed.insert(fixed.size() - static_cast<size_t>(decimals), ".");
    return d.negative && !isZero ? "-" + fixed : fixed;
}

}  // namespace

double parseLeadingNumber(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    if (pos + 1 < text.size() && text[pos] == '&' && (text[pos + 1] == 'H' || text[pos + 1] == 'h'))
        return parseHexDigits(text, pos + 2);

    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const size_t mantissaBegin = pos;
    bool seenPoint = false;
    bool seenDigit = false;
    for (; pos < text.size(); ++pos) {
        if (isDigit(text[pos])) {
            seenDigit = true;
        } else if (text[pos] == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!seenDigit) return 0;
    const std::string_view mantissa = text.substr(mantissaBegin, pos - mantissaBegin);
    std::string number(mantissa);

    long long exponent = 0;  // saturated, only to tell overflow from underflow
    if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e' || text[pos] == 'D' || text[pos] == 'd')) {
        size_t e = pos + 1;
        bool negativeExponent = false;
        if (e < text.size() && (text[e] == '+' || text[e] == '-')) {
            negativeExponent = text[e] == '-';
            ++e;
        }
        const size_t digitsBegin = e;
        while (e < text.size() && isDigit(text[e])) {
            if (exponent < 1'000'000'000) exponent = exponent * 10 + (text[e] - '0');
            ++e;
        }
        if (e > digitsBegin) {
            number += negativeExponent ? "e-" : "e";
            number += text.substr(digitsBegin, e - digitsBegin);
            if (negativeExponent) exponent = -exponent;
        } else {
            exponent = 0;
        }
    }

    double value = 0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range) {
        value = leadingDigitExponent(mantissa) + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (ec != std::errc{}) {
        value = 0;
    }
    return negative ? -value : value;
}

std::optional<int16_t> parseStrictInt16(std::string_view text) {
    return parseStrictInteger<int16_t>(text);
}
std::optional<int32_t> parseStrictInt32(std::string_view text) {
    return parseStrictInteger<int32_t>(text);
}

std::string numberText(int64_t value) {
    return std::to_string(value);
}
std::string numberTextSingle(float value) {
    return printDigits(value, 7);
}
std::string numberTextDouble(double value) {
    return printDigits(value, 15);
}

std::string printForm(int64_t value) {
    return withPrintBlanks(numberText(value));
}
std::string printFormSingle(float value) {
    return withPrintBlanks(numberTextSingle(value));
}
std::string printFormDouble(double value) {
    return withPrintBlanks(numberTextDouble(value));
}

std::string formatFixed(double value, int decimals) {
    return formatFixedDigits(value, decimals);
}
std::string formatFixed(float value, int decimals) {
    return formatFixedDigits(value, decimals);
}

}  // namespace morva
