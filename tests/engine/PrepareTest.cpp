#include "engine/Prepare.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace zorbic
