#include "entry/rules/KeyPress.h"
#include "entry/rules/Editing.h"
#include "lists/Failure.h"

#include "CaseFile.h"

#include <gtest/gtest.h>

#include <string>

namespace zorbic {
namespace {

// A box written as its text with "|" at the caret or "[" "]" around the selection.
BoxState Box(const std::string &marked) {
    BoxState box;
    for (char c : marked) {
        if (c == '|' || c == '[') {
            box.SelStart = static_cast<Integer>(box.text.size());
        } else if (c == ']') {
            box.SelLength = static_cast<Integer>(box.text.size() - box.SelStart);
        } else {
            box.text += static_cast<char16_t>(c);
        }
    }
    return box;
}

std::string Marked(const BoxState &box) {
    std::string text(box.text.begin(), box.text.end());
    if (box.SelLength > 0) text.insert(box.SelStart + box.SelLength, "]");
    return text.insert(box.SelStart, box.SelLength > 0 ? "[" : "|");
}

// Runs a key press and lets the box insert whatever was not swallowed, as the window does.
BoxState Typed(const KeyPressOutcome &out) {
    return out.key != 0 ? InsertTyped(out.box, out.key) : out.box;
}

TEST(KeyPress, CaseRows) {
    for (const test::CaseRow &row : test::ReadCases(ZORBIC_LISTS_CASES "/keypress.tsv", 6)) {
        SCOPED_TRACE("keypress.tsv" + test::Trace(row));
        const auto &f = row.fields;
        const auto out = Text1_KeyPress(Box(f[0]), f[1][0], false, f[2] == "1");
        EXPECT_EQ(Marked(Typed(out)), f[3]);
        EXPECT_EQ(out.key, f[4] == "none" ? 0 : f[4][0]);
        EXPECT_EQ(out.bFreshResult, f[5] == "1");
        EXPECT_FALSE(out.runEnter);
    }
    // A selection reported beyond the end is cut at the end.
    EXPECT_EQ(Marked(Typed(Text1_KeyPress({u"12", 1, 9}, u'*', false, true))), "1(2)*|");
    // Positions count UTF-16 units, not bytes.
    EXPECT_EQ(Text1_KeyPress({u"\u00e9*", 2, 0}, u'*', false, true).box, (BoxState{u"\u00e9^", 2}));
}

TEST(KeyPress, EnterIsSwallowedAndRunsTheEnterPath) {
    const auto out = Text1_KeyPress({u"2+3", 3, 0}, kKeyEnter, false, false);
    EXPECT_TRUE(out.runEnter);
    EXPECT_EQ(out.key, 0);
    EXPECT_EQ(out.box.text, u"2+3");
}

// With Check1 checked the key meets the whole text as a selection and Check1 is cleared.
TEST(KeyPress, FunctionSurroundModeSelectsEverythingFirst) {
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

TEST(KeyPress, TextBeyondTheSixteenBitRangeIsAnOverflow) {
    EXPECT_THROW(Text1_KeyPress({std::u16string(32768, u'1'), 0, 0}, u'1', false, true), Failure);
    EXPECT_NO_THROW(Text1_KeyPress({std::u16string(32767, u'1'), 32767, 0}, u'1', false, true));
}

TEST(Editing, InsertDirectAndSurroundSelection) {
    for (const test::CaseRow &row : test::ReadCases(ZORBIC_LISTS_CASES "/editing.tsv", 3)) {
        SCOPED_TRACE("editing.tsv" + test::Trace(row));
        const BoxState before = Box(row.fields[0]);
        const BoxState after =
            row.fields[1] == "surround" ? SurroundSelection(before) : InsertDirect(before, u"SIN");
        EXPECT_EQ(Marked(after), row.fields[2]);
    }
    EXPECT_EQ(Marked(InsertDirect({u"2+3", 2, 9}, u"SIN")), "2+SIN(3)|");
    EXPECT_EQ(Marked(SurroundSelection({u"2\r\n+3", 0, 5})), "(2+3)|");
    EXPECT_EQ(InsertDirect({u"2*", 2, 0}, u"-1.5E-10").text, u"2*-1.5E-10"); // results go in as is
    EXPECT_THROW(InsertDirect({std::u16string(32760, u'1'), 0, 0}, u"ASINHASINH"), Failure);
}

// Operator keys forwarded to the box travel as key notation: its own characters in braces.
TEST(Editing, ForwardedOperatorsInNotation) {
    for (const auto &[key, notation] : {std::pair{u'+', "{+}"},
                                        {u'^', "{^}"},
                                        {u'%', "{%}"},
                                        {u'-', "-"},
                                        {u'.', "."},
                                        {u'/', "/"},
                                        {u'*', "*"},
                                        {u'7', ""},
                                        {u'(', ""},
                                        {u'=', ""},
                                        {u'a', ""},
                                        {u' ', ""}})
        EXPECT_EQ(ForwardedOperator(key), notation) << static_cast<char>(key);
}

} // namespace
} // namespace zorbic
