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

using test::FillNumberedHistory;
using test::MakeRow;

ResultTables TwoResults() {
    ResultTables tables;
    AppendHistoryRow(tables, MakeRow("2", "1+1"));
    AppendHistoryRow(tables, MakeRow("6", "2*3"));
    return tables;
}

// The label clicks go Result, Expression, Expression=Result and back; each mode copies its text.
TEST(Copy, SelectedLinesJoinedByCrLfInListOrderInEachMode) {
    const ResultTables tables = TwoResults();
    const std::vector<Integer> selected{2, 1}; // List1 shows 6 = 2*3 above 2 = 1+1
    CopyMode mode = CopyMode::Result;
    for (const char *text : {"6\r\n2", "2*3\r\n1+1", "2*3 = 6\r\n1+1 = 2", "6\r\n2"}) {
        SCOPED_TRACE(text);
        CopyBuffer buffer;
        EXPECT_EQ(CopyLines(tables.strHistory, selected, mode, buffer), text);
        ASSERT_EQ(buffer.intCopyCount, 2);
        EXPECT_EQ(buffer.strCopyBuffer[1], tables.strHistory[2]);
        EXPECT_EQ(buffer.strCopyBuffer[2], tables.strHistory[1]);
        mode = NextCopyMode(mode);
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

// The buffer holds 40 rows; 41 fail and leave it as it was.
TEST(Copy, FortyLinesFitFortyOneFail) {
    ResultTables tables;
    FillNumberedHistory(tables, 41);
    CopyBuffer buffer;
    CopyLines(tables.strHistory, std::vector<Integer>{7}, CopyMode::Result, buffer);
    std::vector<Integer> fortyOne(41); // rows 41 down to 1, as List1 lists them
    std::iota(fortyOne.rbegin(), fortyOne.rend(), Integer{1});
    EXPECT_THROW(CopyLines(tables.strHistory, fortyOne, CopyMode::Result, buffer), Failure);
    EXPECT_EQ(buffer.intCopyCount, 1);
    EXPECT_EQ(buffer.strCopyBuffer[1].resultText, "7");
    fortyOne.pop_back();
    CopyLines(tables.strHistory, fortyOne, CopyMode::Result, buffer);
    EXPECT_EQ(buffer.intCopyCount, 40);
    EXPECT_EQ(buffer.strCopyBuffer[40].resultText, "2");
}

TEST(Paste, IntoEitherListAgainAndAgainOrNowhere) {
    ResultTables tables = TwoResults();
    CopyBuffer buffer;
    CopyLines(tables.strHistory, std::vector<Integer>{2, 1}, CopyMode::Result, buffer);
    EXPECT_EQ(PasteCopyBuffer(tables, buffer, "list1"), PasteTarget::History);
    // Pasted rows are the newest, shown in reverse copied order.
    const auto lines = HistoryLines(tables, false);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].text, "2 = 1+1");
    EXPECT_EQ(lines[1].text, "6 = 2*3");
    EXPECT_EQ(PasteCopyBuffer(tables, buffer, "list2"), PasteTarget::Storage);
    EXPECT_EQ(PasteCopyBuffer(tables, buffer, "list2"), PasteTarget::Storage);
    EXPECT_EQ(tables.intStorageCount, 4);
    EXPECT_EQ(tables.strStorage[3], tables.strHistory[2]);
    EXPECT_EQ(PasteCopyBuffer(tables, buffer, ""), PasteTarget::None);
    EXPECT_EQ(tables.intStorageCount, 4);
    EXPECT_EQ(tables.intHistoryCount, 4);
}

// Three rows into a list with room for three fill it exactly; with room for two, the third fails
// and the two that fitted stay.
TEST(Paste, UpToAFullListThenStopsAtTheFirstRowThatDoesNotFit) {
    struct Case {
        const char *target;
        Integer ResultTables::*count;
        Integer start, limit;
    };
    for (const Case &c : {Case{"list1", &ResultTables::intHistoryCount, 997, 1000},
                          Case{"list1", &ResultTables::intHistoryCount, 998, 1000},
                          Case{"list2", &ResultTables::intStorageCount, 497, 500},
                          Case{"list2", &ResultTables::intStorageCount, 498, 500}}) {
        SCOPED_TRACE(std::string(c.target) + " from " + std::to_string(c.start));
        ResultTables tables;
        FillNumberedHistory(tables, 3);
        CopyBuffer buffer;
        CopyLines(tables.strHistory, std::vector<Integer>{3, 2, 1}, CopyMode::Result, buffer);
        tables.*c.count = c.start;
        if (c.start + 3 > c.limit) {
            EXPECT_THROW(PasteCopyBuffer(tables, buffer, c.target), Failure);
        } else {
            PasteCopyBuffer(tables, buffer, c.target);
        }
        EXPECT_EQ(tables.*c.count, c.limit);
    }
}

} // namespace
} // namespace zorbic
