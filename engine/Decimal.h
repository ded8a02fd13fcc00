#pragma once

#include <cstddef>

// Internal to the engine: the decimal digits behind the number formats and the evaluator's
// allocation-free number text.
namespace zorbic::detail {

// |x| rounded to 15 significant digits: digits[0..count) without trailing zeros, the first digit
// having the place value 10^exponent. x must be finite and not zero.
struct Decimal15 {
    char digits[16];
    int count;
    int exponent;
    bool negative;
};
Decimal15 ToDecimal15(double x);

// Longest text WriteNumber can produce ("-1.23456789012345E-308" and the like).
inline constexpr std::size_t kNumberBufferSize = 32;

// Number text without the leading blank, written into buf (no terminator); returns its length.
// With leadingZero, values below 1 keep their "0" before the point (raw value text).
std::size_t WriteNumber(double x, char *buf, bool leadingZero = false);

} // namespace zorbic::detail
