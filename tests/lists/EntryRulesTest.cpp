#include "entry/rules/Editing.h"
#include "entry/rules/EnterPath.h"
#include "entry/rules/KeyPress.h"
#include "lists/Failure.h"

#include "CaseFile.h"

#include <gtest/gtest.h>

namespace zorbic {
namespace {

// A box written as its text with "|" at the caret or "[" "]" around the selection.
BoxState Box(std::string marked) {
    const auto start = marked.find_first_of("|["), end = marked.find(']');
    marked.erase(start, 1);
    if (end != std::string::npos) marked.erase(end - 1, 1);
    return {std::u16string(marked.begin(), marked.end()), static_cast<Integer>(start),
            static_cast<Integer>(end == std::string::npos ? 0 : end - 1 - start)};
}

std::string Marked(const BoxState &box) {
    std::string text(box.text.begin(), box.text.end());
    if (box.SelLength > 0) text.insert(box.SelStart + box.SelLength, "]");
    return text.insert(box.SelStart, box.SelLength > 0 ? "[" : "|");
}

// The box after a key press, inserting whatever the rules passed on, as the window does.
std::string Typed(const KeyPressOutcome &out) {
    return Marked(out.key != 0 ? InsertTyped(out.box, out.key) : out.box);
}

TEST(KeyPress, CaseRows) {
    for (const test::CaseRow &row : test::ReadCases(ZORBIC_LISTS_CASES "/keypress.tsv", 7)) {
        SCOPED_TRACE("keypress.tsv" + test::Trace(row));
        const auto &f = row.fields;
        const char16_t key = f[1] == "enter" ? kKeyEnter : f[1][0];
        const auto out = Text1_KeyPress(Box(f[0]), key, f[2] == "1", f[3] == "1");
        EXPECT_EQ(Typed(out), f[4]);
        EXPECT_EQ(out.key, f[5] == "none" ? 0 : f[5][0]);
        EXPECT_EQ(out.bFreshResult, f[6] == "1");
        EXPECT_EQ(out.runEnter, key == kKeyEnter);
    }
    // A selection reported beyond the end is cut at the end.
    EXPECT_EQ(Typed(Text1_KeyPress({u"12", 1, 9}, u'*', false, true)), "1(2)*|");
    // Positions count UTF-16 units, not bytes.
    EXPECT_EQ(Text1_KeyPress({u"\u00e9*", 2, 0}, u'*', false, true).box, (BoxState{u"\u00e9^", 2}));
    EXPECT_THROW(Text1_KeyPress({std::u16string(32768, u'1'), 0, 0}, u'1', false, true), Failure);
    EXPECT_NO_THROW(Text1_KeyPress({std::u16string(32767, u'1'), 32767, 0}, u'1', false, true));
}

TEST(Editing, InsertDirectSurroundSelectionAndForwardedKeys) {
    for (const test::CaseRow &row : test::ReadCases(ZORBIC_LISTS_CASES "/editing.tsv", 3)) {
        SCOPED_TRACE("editing.tsv" + test::Trace(row));
        const auto &f = row.fields;
        if (f[1] == "forward") {
            EXPECT_EQ(ForwardedOperator(static_cast<char16_t>(f[0][0])), f[2]);
        } else {
            const BoxState before = Box(f[0]);
            EXPECT_EQ(Marked(f[1] == "surround" ? SurroundSelection(before)
                                                : InsertDirect(before, u"SIN")),
                      f[2]);
        }
    }
    EXPECT_EQ(Marked(InsertDirect({u"2+3", 2, 9}, u"SIN")), "2+SIN(3)|");
    EXPECT_EQ(Marked(SurroundSelection({u"2\r\n+3", 0, 5})), "(2+3)|");
    EXPECT_EQ(InsertDirect({u"2*", 2, 0}, u"-1.5E-10").text, u"2*-1.5E-10"); // results go in as is
    EXPECT_THROW(InsertDirect({std::u16string(32760, u'1'), 0, 0}, u"ASINHASINH"), Failure);
}

// The evaluation itself is covered by the engine's case files; these rows check what the Enter
// path makes of it: the tidied box, the history row, or the error message and no row.
TEST(EnterPath, CaseRows) {
    for (const test::CaseRow &row : test::ReadCases(ZORBIC_LISTS_CASES "/enterpath.tsv", 8)) {
        SCOPED_TRACE("enterpath.tsv" + test::Trace(row));
        const auto &f = row.fields;
        const bool fixed = f[2] != "n";
        int faults = 0;
        EvalEnv env;
        env.fault = [&faults](const std::string &) { ++faults; };
        const auto out = RunEnterPath(f[0], f[1] == "d", fixed, fixed ? std::stoi(f[2]) : 4, env);
        EXPECT_EQ(out.boxText, f[3]);
        EXPECT_EQ(out.prepared, f[4]);
        EXPECT_EQ(out.ok, f[5] != "error") << out.errorMessage;
        EXPECT_EQ(out.faulted, f[5] == "fault");
        EXPECT_EQ(faults > 0, f[5] == "fault");
        EXPECT_EQ(out.strLastResult, f[6]);
        if (out.ok) {
            EXPECT_EQ(out.row, (Row{f[6], f[6] + " = " + f[4], f[4], f[7]}));
        } else {
            EXPECT_EQ(out.errorMessage.rfind(std::string(kEvaluationError) + "\r", 0), 0u);
            EXPECT_EQ(out.row, Row{});
        }
    }
    // Line breaks typed into the box go, as blanks do; a text beyond 16-bit positions fails.
    EXPECT_EQ(RunEnterPath(" 1 +\r\n 2 ", true, false, 4).row, (Row{"3", "3 = 1+2", "1+2", "3"}));
    EXPECT_THROW(RunEnterPath(std::string(32768, '1'), true, false, 4), TextOverflow);
}

} // namespace
} // namespace zorbic
