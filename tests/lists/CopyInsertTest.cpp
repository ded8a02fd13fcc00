#include "lists/CopyInsert.h"
#include "TestRows.h"
#include "lists/Failure.h"
#include "lists/ListViews.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

namespace zorbic {
namespace {

using test::FillHistory;
using test::FillNumberedHistory;
using test::MakeRow;

ResultTables TwoResults() {
    ResultTables tables;
    FillHistory(tables, {MakeRow("2", "1+1"), MakeRow("6", "2*3")});
    return tables;
}

TEST(CopyMode, LabelClicksCycleThroughTheThreeModes) {
    CopyMode mode = CopyMode::Result;
    std::vector<std::string> captions;
    for (int click = 0; click < 3; ++click) {
        mode = NextCopyMode(mode);
        captions.push_back(LabelFor(mode).caption);
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"Expr", "ExRs", "Rslt"}));
    EXPECT_EQ(mode, CopyMode::Result);
    EXPECT_STREQ(LabelFor(CopyMode::ExpressionResult).toolTip, "Copy/Insert Expression=Result");
}

TEST(Copy, SelectedLinesJoinedByCrLfInListOrder) {
    const ResultTables tables = TwoResults();
    const std::vector<Integer> selected{2, 1}; // List1 shows 6 = 2*3 above 2 = 1+1
    struct Case {
        CopyMode mode;
        std::string text;
    };
    for (const Case &c :
         {Case{CopyMode::Result, "6\r\n2"}, Case{CopyMode::Expression, "2*3\r\n1+1"},
          Case{CopyMode::ExpressionResult, "2*3 = 6\r\n1+1 = 2"}}) {
        SCOPED_TRACE(c.text);
        CopyBuffer buffer;
        EXPECT_EQ(CopyLines(tables.strHistory, selected, c.mode, buffer), c.text);
        ASSERT_EQ(buffer.intCopyCount, 2);
        EXPECT_EQ(buffer.strCopyBuffer[1], tables.strHistory[2]);
        EXPECT_EQ(buffer.strCopyBuffer[2], tables.strHistory[1]);
    }
}

TEST(Copy, NoSelectionEmptiesTextAndBufferSoNothingPastes) {
    ResultTables tables = TwoResults();
    CopyBuffer buffer;
    CopyLines(tables.strHistory, std::vector<Integer>{1}, CopyMode::Result, buffer);
    EXPECT_EQ(CopyLines(tables.strHistory, {}, CopyMode::Result, buffer), "");
    EXPECT_EQ(buffer.intCopyCount, 0);
    PasteCopyBuffer(tables, buffer, "list1");
    EXPECT_EQ(tables.intHistoryCount, 2);
}

TEST(Copy, FortyOneLinesFailAndLeaveTheBufferAsItWas) {
    ResultTables tables;
    FillNumberedHistory(tables, 41);
    CopyBuffer buffer;
    CopyLines(tables.strHistory, std::vector<Integer>{7}, CopyMode::Result, buffer);

    std::vector<Integer> fortyOne(41); // rows 41 down to 1, as List1 lists them
    std::iota(fortyOne.rbegin(), fortyOne.rend(), Integer{1});
    try {
        CopyLines(tables.strHistory, fortyOne, CopyMode::Result, buffer);
        FAIL() << "copying 41 lines succeeded";
    } catch (const Failure &failure) {
        EXPECT_STREQ(failure.what(), kSubscriptOutOfRange);
    }
    EXPECT_EQ(buffer.intCopyCount, 1);
    EXPECT_EQ(buffer.strCopyBuffer[1].resultText, "7");

    fortyOne.pop_back();
    CopyLines(tables.strHistory, fortyOne, CopyMode::Result, buffer);
    EXPECT_EQ(buffer.intCopyCount, 40);
    EXPECT_EQ(buffer.strCopyBuffer[40].resultText, "2");
}

TEST(Paste, IntoHistoryAppendsNewestRowsShownInReverseCopiedOrder) {
    ResultTables tables = TwoResults();
    CopyBuffer buffer;
    CopyLines(tables.strHistory, std::vector<Integer>{2, 1}, CopyMode::Result, buffer);
    EXPECT_EQ(PasteCopyBuffer(tables, buffer, "list1"), PasteTarget::History);
    const auto lines = HistoryLines(tables, false);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].text, "2 = 1+1");
    EXPECT_EQ(lines[1].text, "6 = 2*3");
    // The buffer stays, so the same rows paste again.
    PasteCopyBuffer(tables, buffer, "list1");
    EXPECT_EQ(tables.intHistoryCount, 6);
}

TEST(Paste, IntoStorageAndUnknownTarget) {
    ResultTables tables = TwoResults();
    CopyBuffer buffer;
    CopyLines(tables.strHistory, std::vector<Integer>{2}, CopyMode::Result, buffer);
    EXPECT_EQ(PasteCopyBuffer(tables, buffer, "list2"), PasteTarget::Storage);
    EXPECT_EQ(tables.intStorageCount, 1);
    EXPECT_EQ(tables.strStorage[1], tables.strHistory[2]);
    EXPECT_EQ(PasteCopyBuffer(tables, buffer, ""), PasteTarget::None);
    EXPECT_EQ(tables.intStorageCount, 1);
    EXPECT_EQ(tables.intHistoryCount, 2);
}

TEST(Paste, StopsAtTheFirstRowThatDoesNotFitKeepingTheRowsThatDid) {
    struct Case {
        const char *target;
        Integer ResultTables::*count;
        Integer start, limit;
    };
    for (const Case &c : {Case{"list1", &ResultTables::intHistoryCount, 998, 1000},
                          Case{"list2", &ResultTables::intStorageCount, 499, 500}}) {
        SCOPED_TRACE(c.target);
        ResultTables tables;
        FillNumberedHistory(tables, 3);
        CopyBuffer buffer;
        CopyLines(tables.strHistory, std::vector<Integer>{3, 2, 1}, CopyMode::Result, buffer);
        tables.*c.count = c.start;
        EXPECT_THROW(PasteCopyBuffer(tables, buffer, c.target), Failure);
        EXPECT_EQ(tables.*c.count, c.limit);
    }
}

} // namespace
} // namespace zorbic
