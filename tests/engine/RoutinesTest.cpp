#include "engine/Routines.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace zorbic {
namespace {

TEST(Routines, Date2NumCountsFrom30December1899) {
    for (const auto &[date, day] : {std::pair{"12-30-1899", 0},
                                    {"01-01-1900", 2},
                                    {"03-01-1900", 61},
                                    {"02-29-2024", 45351},
                                    {"12-29-1899", -1}}) {
        SCOPED_TRACE(date);
        EXPECT_EQ(Date2Num(date), day);
    }
    for (const char *bad : {"02-29-1900", "13-01-2000", "04-31-2000", "1-1-2000", ""}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(Date2Num(bad), std::invalid_argument);
    }
}

// Reference values: the exact n! rounded once to a double.
TEST(Routines, FactorialIsTheNearestDouble) {
    EXPECT_EQ(Factorial(0), 1);
    EXPECT_EQ(Factorial(25), 1.5511210043330986e+25);
    EXPECT_EQ(Factorial(100), 9.332621544394415e+157);
    EXPECT_EQ(Factorial(170), 7.257415615307999e+306);
    EXPECT_THROW(Factorial(171), std::out_of_range);
    EXPECT_THROW(Factorial(-1), std::out_of_range);
}

} // namespace
} // namespace zorbic
