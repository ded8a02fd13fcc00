#include "engine/Prepare.h"

#include <gtest/gtest.h>

namespace zorbic {
namespace {

TEST(Prepare, StripBlanksDropsLineBreaksOnlyWhenAsked) {
    EXPECT_EQ(fnStripBlanks("1 + 2\r\n* 3", true), "1+2*3");
    EXPECT_EQ(fnStripBlanks("1 + 2\r\n* 3", false), "1+2\r\n*3");
    EXPECT_EQ(fnStripBlanks("\t1", true), "\t1");
}

TEST(Prepare, FindAndReplaceNeverRescansInsertedText) {
    struct Case {
        const char *big, *replace, *with, *result;
    };
    const Case cases[] = {
        {"5%%", "%", "/100", "5/100/100"},
        {"aaa", "a", "aa", "aaaaaa"},
        {"ab", "abc", "x", "ab"},
        {"", "a", "b", ""},
        {"a?b*", "?", "x", "axb*"},
        {"2x3x", "x", "*", "2*3*"},
        {"xx", "xx", "", ""},
        {"abc", "", "z", "abc"},
        {"ABA", "a", "*", "ABA"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.big);
        EXPECT_EQ(fnFindAndReplace(c.big, c.replace, c.with), c.result);
    }
}

TEST(Prepare, BoxTextIsStrippedAndUpperCased) {
    EXPECT_EQ(PrepareBoxText("sin 30\r\n"), "SIN30");
    EXPECT_EQ(PrepareBoxText("2 pi"), "2PI");
    EXPECT_EQ(PrepareBoxText("\"abc\"=\"ABC\""), "\"ABC\"=\"ABC\"");
    EXPECT_EQ(PrepareBoxText("\xe4x"), "\xe4X"); // bytes beyond ASCII stay as they are
}

TEST(Prepare, ConvertDegreesRewritesInPlace) {
    std::string expression = "2PI";
    const std::string returned = fnConvertDegrees(expression);
    EXPECT_EQ(expression, "2*3.14159265358979");
    EXPECT_EQ(returned, expression);
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
    EXPECT_EQ(expression.substr(expression.size() - 3), ")))");
}

} // namespace
} // namespace zorbic
