#pragma once

#include <cstdint>

namespace zorbic {

// Counts, row numbers, caret positions and decimals are 16-bit signed, as the data file and the
// text box arithmetic expect.
using Integer = std::int16_t;

// The one checked conversion into Integer: a value outside -32768..32767 raises
// Failure("Overflow").
Integer ToInteger(long long value);

// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4), then
// converts with ToInteger. NaN and infinities are an overflow too.
Integer RoundToInteger(double value);

} // namespace zorbic
