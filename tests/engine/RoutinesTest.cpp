#include "engine/Routines.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace zorbic {
namespace {

TEST(Routines, PMatchFindsThePartner) {
    EXPECT_EQ(PMatch("(1+(2))*3"), 7);
    EXPECT_EQ(PMatch("()"), 2);
    EXPECT_EQ(PMatch("(()"), 0);
    EXPECT_EQ(PMatch("(1)(2)"), 3);
    EXPECT_EQ(PMatch("x(1)"), 0);
    EXPECT_EQ(PMatch(""), 0);
}

TEST(Routines, QInstrBSearchesBackwards) {
    const std::string_view text = "\"AB\"=\"AB\"";
    EXPECT_EQ(QInstrB(9, text, "\""), 9);
    EXPECT_EQ(QInstrB(8, text, "\""), 6);
    EXPECT_EQ(QInstrB(3, text, "\""), 1);
    EXPECT_EQ(QInstrB(0, text, "\""), 0);
    EXPECT_EQ(QInstrB(100, text, "="), 5);
    EXPECT_EQ(QInstrB(4, "ABC", "\""), 0);
}

TEST(Routines, CountsAndCodes) {
    EXPECT_EQ(InCount("((1)+(2)", "("), 3);
    EXPECT_EQ(InCount("", "("), 0);
    EXPECT_EQ(InCount("aaaa", "aa"), 2);
    EXPECT_EQ(ASCII("%5"), 37);
    EXPECT_NE(ASCII(""), 37);
    EXPECT_EQ(ASCII("\xe9"), 0xe9);
    EXPECT_EQ(Compact(" 1 +\t2 "), "1+\t2");
    EXPECT_EQ(MaxInt(-4, 1), 1);
    EXPECT_EQ(MinInt(-4, 1), -4);
}

TEST(Routines, Date2NumCountsFrom30December1899) {
    struct Case {
        const char *date;
        int day;
    };
    const Case cases[] = {{"12-30-1899", 0},     {"12-31-1899", 1},     {"01-01-1900", 2},
                          {"03-01-1900", 61},    {"01-01-2000", 36526}, {"02-29-2024", 45351},
                          {"12-06-2026", 46362}, {"12-29-1899", -1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.date);
        EXPECT_EQ(Date2Num(c.date), c.day);
    }
    for (const char *bad : {"02-29-1900", "13-01-2000", "00-10-2000", "1-1-2000", "01/01/2000",
                            "04-31-2000", "", "ab-cd-efgh"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(Date2Num(bad), std::invalid_argument);
    }
}

TEST(Routines, FactorialIsTheNearestDouble) {
    // Reference values: the exact n! rounded once to a double.
    EXPECT_EQ(Factorial(0), 1);
    EXPECT_EQ(Factorial(1), 1);
    EXPECT_EQ(Factorial(20), 2432902008176640000.0);
    EXPECT_EQ(Factorial(25), 1.5511210043330986e+25);
    EXPECT_EQ(Factorial(50), 3.0414093201713376e+64);
    EXPECT_EQ(Factorial(100), 9.332621544394415e+157);
    EXPECT_EQ(Factorial(170), 7.257415615307999e+306);
    EXPECT_THROW(Factorial(171), std::out_of_range);
    EXPECT_THROW(Factorial(-1), std::out_of_range);
}

} // namespace
} // namespace zorbic
