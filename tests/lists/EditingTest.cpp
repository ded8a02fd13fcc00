#include "entry/rules/Editing.h"
#include "lists/Failure.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zorbic {
namespace {

// "SIN" put in directly, or (surround) the selection put in parentheses without its blanks.
TEST(Editing, InsertDirectAndSurroundSelection) {
    struct Case {
        const char *name;
        bool surround;
        std::u16string text;
        Integer selStart, selLength;
        std::u16string textAfter;
        Integer caretAfter;
    };
    const std::vector<Case> cases{
        {"whole text selected", false, u"2+3", 0, 3, u"SIN(2+3)", 8},
        {"caret at the end lands at the end", false, u"2+3", 3, 0, u"2+3SIN", 6},
        {"caret mid text lands one beyond", false, u"2+3", 1, 0, u"2SIN+3", 5},
        {"part selected", false, u"1+2*3", 2, 3, u"1+SIN(2*3)", 10},
        {"selection past the end is cut", false, u"2+3", 2, 9, u"2+SIN(3)", 8},
        {"empty box", false, u"", 0, 0, u"SIN", 3},
        {"surround: blanks dropped, caret at the end", true, u" 2 + 3", 0, 6, u"(2+3)", 5},
        {"surround: inner part", true, u"1+2*3", 2, 3, u"1+(2*3)", 7},
        // The caret counts the dropped blanks, so it lands beyond the ")".
        {"surround: blanks inside a longer text", true, u"1+ 2 *3-4", 2, 5, u"1+(2*3)-4", 9},
        {"surround: line breaks dropped", true, u"2\r\n+3", 0, 5, u"(2+3)", 5},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const BoxState before{c.text, c.selStart, c.selLength};
        const BoxState after =
            c.surround ? SurroundSelection(before) : InsertDirect(before, u"SIN");
        EXPECT_EQ(after.text, c.textAfter);
        EXPECT_EQ(after.SelStart, c.caretAfter);
        EXPECT_EQ(after.SelLength, 0);
    }
    EXPECT_EQ(InsertDirect({u"2*", 2, 0}, u"-1.5E-10").text, u"2*-1.5E-10"); // results go in as is
    EXPECT_THROW(InsertDirect({std::u16string(32760, u'1'), 0, 0}, u"ASINHASINH"), Failure);
}

TEST(Keypad, TypedAndDirectButtons) {
    EXPECT_EQ(KeypadText(4).text, "{^}");
    EXPECT_EQ(KeypadText(28).text, "{HOME}{(}{END}{)}");
    EXPECT_TRUE(KeypadText(27).direct);
    EXPECT_FALSE(KeypadText(22).direct);
    int direct = 0;
    for (int i = 0; i < 44; ++i)
        direct += KeypadText(i).direct ? 1 : 0;
    EXPECT_EQ(direct, 17); // SIN, COS, TAN, LN, 1/x and the twelve picture functions
    EXPECT_THROW(KeypadText(44), std::out_of_range);
    EXPECT_THROW(KeypadText(-1), std::out_of_range);
}

TEST(ForwardedOperator, NotationCharactersGoInBraces) {
    EXPECT_EQ(ForwardedOperator(u'+'), "{+}");
    EXPECT_EQ(ForwardedOperator(u'^'), "{^}");
    EXPECT_EQ(ForwardedOperator(u'%'), "{%}");
    for (char16_t k : std::u16string(u"-./*"))
        EXPECT_EQ(ForwardedOperator(k), std::string(1, static_cast<char>(k)));
    for (char16_t k : std::u16string(u"7(=!a "))
        EXPECT_TRUE(ForwardedOperator(k).empty());
}

} // namespace
} // namespace zorbic
