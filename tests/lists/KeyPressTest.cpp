#include "entry/rules/KeyPress.h"
#include "lists/Failure.h"

#include <gtest/gtest.h>

#include <string>

namespace zorbic {
namespace {

// The box, the key and the fresh-result flag; then the box after, the key passed on (0:
// swallowed) and the flag after.
struct Case {
    const char *name;
    std::u16string text;
    Integer selStart, selLength;
    char16_t key;
    bool fresh;
    std::u16string textAfter;
    Integer caretAfter;
    char16_t keyAfter;
    bool freshAfter;
};

// Runs a key press and lets the box insert whatever was not swallowed, as the window does.
BoxState Typed(const KeyPressOutcome &out) {
    return out.key != 0 ? InsertTyped(out.box, out.key) : out.box;
}

TEST(KeyPress, EditingRules) {
    const std::vector<Case> cases{
        {"= types +", u"2", 1, 0, u'=', true, u"2+", 2, u'+', true},
        {"doubled * is a power", u"3*", 2, 0, u'*', true, u"3^", 2, 0, true},
        {"doubled / is a percent", u"3/", 2, 0, u'/', true, u"3%", 2, 0, true},
        {"doubled * mid text", u"3*4", 2, 0, u'*', false, u"3^4", 2, 0, false},
        {"doubled + stays", u"3+", 2, 0, u'+', true, u"3++", 3, u'+', true},
        {"^ after * stays", u"3*", 2, 0, u'^', true, u"3*^", 3, u'^', true},
        {"* after / stays", u"3/", 2, 0, u'*', true, u"3/*", 3, u'*', true},
        {"* at position 0", u"*5", 0, 0, u'*', true, u"**5", 1, u'*', true},
        {". at the start", u"", 0, 0, u'.', false, u".", 1, u'.', false},
        {"- after an operator", u"2*", 2, 0, u'-', false, u"2*-", 3, u'-', false},
        {"* over a selection wraps it", u"12+34", 3, 2, u'*', true, u"12+(34)*", 8, 0, false},
        {"! over a selection", u"12+34", 3, 2, u'!', true, u"12+(34)!", 8, 0, false},
        {"% over the middle", u"12+34-5", 3, 2, u'%', true, u"12+(34)%-5", 8, 0, false},
        {"- over a selection appends", u"12+34", 3, 2, u'-', true, u"12+34-", 6, 0, false},
        {"( over a selection appends", u"12+34", 0, 2, u'(', true, u"12+34(", 6, 0, false},
        {") over a selection encloses", u"12+34", 3, 2, u')', true, u"(12+34)", 7, 0, true},
        {") keeps a stale flag", u"12+34", 3, 2, u')', false, u"(12+34)", 7, 0, false},
        {"digit replaces the selection", u"2+3", 0, 3, u'7', true, u"7", 1, u'7', false},
        {"= over a selection appends +", u"2+3", 0, 3, u'=', true, u"2+3+", 4, 0, false},
        {"after Enter * continues", u"2+3", 0, 3, u'*', true, u"(2+3)*", 6, 0, false},
        {"selection past the end is clamped", u"12", 1, 9, u'*', true, u"1(2)*", 5, 0, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const auto out = Text1_KeyPress({c.text, c.selStart, c.selLength}, c.key, false, c.fresh);
        EXPECT_EQ(out.key, c.keyAfter);
        EXPECT_EQ(out.bFreshResult, c.freshAfter);
        EXPECT_FALSE(out.runEnter);
        const BoxState after = Typed(out);
        EXPECT_TRUE(after.text == c.textAfter) << std::string(after.text.begin(), after.text.end());
        EXPECT_EQ(after.SelStart, c.caretAfter);
        EXPECT_EQ(after.SelLength, 0);
    }
}

TEST(KeyPress, EnterIsSwallowedAndRunsTheEnterPath) {
    const auto out = Text1_KeyPress({u"2+3", 3, 0}, kKeyEnter, false, false);
    EXPECT_TRUE(out.runEnter);
    EXPECT_EQ(out.key, 0);
    EXPECT_EQ(out.box.text, u"2+3");
}

TEST(KeyPress, FunctionSurroundModeSelectsEverythingFirst) {
    // With Check1 checked the key meets the whole text as a selection and Check1 is cleared.
    auto out = Text1_KeyPress({u"SIN(30)", 3, 0}, u'*', true, true);
    EXPECT_FALSE(out.check1);
    EXPECT_EQ(Typed(out).text, u"(SIN(30))*");
    out = Text1_KeyPress({u"SIN(30)", 3, 0}, u'5', true, true);
    EXPECT_EQ(Typed(out).text, u"5");
    EXPECT_FALSE(out.bFreshResult);
    out = Text1_KeyPress({u"SIN(30)", 3, 0}, u'5', false, true);
    EXPECT_EQ(Typed(out).text, u"SIN5(30)");
    EXPECT_FALSE(out.check1);
    EXPECT_TRUE(out.bFreshResult);
}

TEST(KeyPress, PositionsCountUtf16UnitsNotBytes) {
    const auto out = Text1_KeyPress({u"\u00e9*", 2, 0}, u'*', false, true);
    EXPECT_EQ(out.box.text, u"\u00e9^");
    EXPECT_EQ(out.box.SelStart, 2);
}

TEST(KeyPress, TextBeyondTheSixteenBitRangeIsAnOverflow) {
    const std::u16string longText(32768, u'1');
    EXPECT_THROW(Text1_KeyPress({longText, 0, 0}, u'1', false, true), Failure);
    const std::u16string limit(32767, u'1');
    EXPECT_NO_THROW(Text1_KeyPress({limit, 32767, 0}, u'1', false, true));
}

} // namespace
} // namespace zorbic
