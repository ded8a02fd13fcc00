#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Our own versions of the small text and number routines the evaluator is built on.
namespace zorbic {

// The text with every blank removed.
std::string Compact(std::string_view text);

// The character code of the first character (0 for an empty text).
int ASCII(std::string_view text);

// How many times `what` occurs in `text` (non-overlapping; 0 for an empty `what`).
int InCount(std::string_view text, std::string_view what);

// Given a text that begins with "(", the 1-based position of the ")" that closes it; 0 when
// there is none (or the text does not begin with "(").
int PMatch(std::string_view text);

std::int16_t MinInt(std::int16_t a, std::int16_t b);
std::int16_t MaxInt(std::int16_t a, std::int16_t b);

// The 1-based position of the last occurrence of `what` that begins at or before `start`; 0 when
// there is none or `start` < 1.
int QInstrB(int start, std::string_view text, std::string_view what);

// The serial day number of a date given as "mm-dd-yyyy"; 1899-12-30 is day 0, so 1900-01-01 is
// day 2 and 2000-01-01 is day 36526. Throws std::invalid_argument for any other text.
std::int32_t Date2Num(std::string_view mmddyyyy);

// n! for n from 0 to 170, as the double nearest to the exact value. Throws std::out_of_range
// outside that range.
double Factorial(std::int16_t n);

} // namespace zorbic
