#include "lists/Integer.h"
#include "lists/Failure.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zorbic {
namespace {

TEST(Integer, CheckedConversionRaisesOverflowOutsideSixteenBits) {
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
}

TEST(Integer, RoundsHalvesToTheEvenNeighbour) {
    struct Case {
        double in;
        Integer out;
    };
    for (const Case &c :
         {Case{2.5, 2}, Case{3.5, 4}, Case{2.6, 3}, Case{-2.5, -2}, Case{-3.5, -4}, Case{-0.4, 0},
          Case{32767.4, 32767}, Case{-32768.5, -32768}, Case{0.5, 0}, Case{1.5, 2}}) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(RoundToInteger(c.in), c.out);
    }
    for (double bad :
         {32767.5, -32768.6, 1e300, std::nan(""), std::numeric_limits<double>::infinity()}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(RoundToInteger(bad), Failure);
    }
}

} // namespace
} // namespace zorbic
