#include "lists/Integer.h"
#include "lists/Failure.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zorbic {
namespace {

TEST(Integer, SixteenBitsCheckedAndHalvesRoundedToEven) {
    EXPECT_EQ(ToInteger(32767), 32767);
    EXPECT_EQ(ToInteger(-32768), -32768);
    EXPECT_THROW(ToInteger(-32769), Failure);
    EXPECT_THROW(ToInteger(1LL << 40), Failure);
    try {
        ToInteger(32768);
        ADD_FAILURE() << "no failure";
    } catch (const Failure &failure) {
        EXPECT_STREQ(failure.what(), kOverflow);
    }
    const std::pair<double, Integer> rounded[] = {
        {2.5, 2},  {3.5, 4}, {2.6, 3}, {-2.5, -2},       {-3.5, -4},
        {-0.4, 0}, {0.5, 0}, {1.5, 2}, {32767.4, 32767}, {-32768.5, -32768}};
    for (const auto &[in, out] : rounded)
        EXPECT_EQ(RoundToInteger(in), out) << in;
    for (double bad :
         {32767.5, -32768.6, 1e300, std::nan(""), std::numeric_limits<double>::infinity()})
        EXPECT_THROW(RoundToInteger(bad), Failure) << bad;
}

} // namespace
} // namespace zorbic
