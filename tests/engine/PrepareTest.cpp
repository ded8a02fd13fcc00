#include "engine/Prepare.h"
#include "engine/Routines.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace zorbic {
namespace {

TEST(Prepare, BoxTextTidying) {
    EXPECT_EQ(fnStripBlanks("1 + 2\r\n* 3", false), "1+2\r\n*3");
    EXPECT_EQ(fnStripBlanks("\t1", true), "\t1");
    EXPECT_EQ(PrepareBoxText("\"abc\"=\"ABC\""), "\"ABC\"=\"ABC\"");
    EXPECT_EQ(PrepareBoxText("\xe4x"), "\xe4X"); // bytes beyond ASCII stay as they are
}

TEST(Prepare, FindAndReplaceNeverRescansInsertedText) {
    struct Case {
        const char *big, *replace, *with, *result;
    };
    for (const Case &c :
         {Case{"aaa", "a", "aa", "aaaaaa"}, Case{"ab", "abc", "x", "ab"}, Case{"", "a", "b", ""},
          Case{"a?b*", "?", "x", "axb*"}, Case{"xx", "xx", "", ""}, Case{"abc", "", "z", "abc"},
          Case{"ABA", "a", "*", "ABA"}}) {
        SCOPED_TRACE(c.big);
        EXPECT_EQ(fnFindAndReplace(c.big, c.replace, c.with), c.result);
    }
}

// Implied products all along a long text: each insertion is examined in turn and the text stays
// consistent to the end.
TEST(Prepare, ConvertDegreesOnALongText) {
    std::string expression;
    for (int i = 0; i < 8000; ++i)
        expression += "2(";
    expression += std::string(8000, ')');
    fnConvertDegrees(expression);
    EXPECT_EQ(expression.size(), 8000u * 3 + 8000);
    EXPECT_EQ(expression.substr(0, 9), "2*(2*(2*(");
}

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
