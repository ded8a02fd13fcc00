#include "lists/Integer.h"

#include "lists/Failure.h"

#include <cmath>
#include <limits>

namespace zorbic {

Integer ToInteger(long long value) {
    if (value < std::numeric_limits<Integer>::min() || value > std::numeric_limits<Integer>::max())
        throw Failure(kOverflow);
    return static_cast<Integer>(value);
}

Integer RoundToInteger(double value) {
    // Range-check before converting to an integer type: out-of-range double conversions are UB.
    if (!std::isfinite(value) || value < -32768.5 || value > 32767.5) throw Failure(kOverflow);
    double whole = std::floor(value);
    double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
    return ToInteger(static_cast<long long>(whole));
}

} // namespace zorbic
