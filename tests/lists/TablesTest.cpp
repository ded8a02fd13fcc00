#include "TestRows.h"
#include "lists/Failure.h"
#include "lists/ListViews.h"
#include "lists/StoreDelete.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zorbic {
namespace {

using test::FillHistory;
using test::FillNumberedHistory;
using test::MakeRow;

std::vector<std::string> Texts(const std::vector<ListLine> &lines) {
    std::vector<std::string> texts;
    for (const ListLine &line : lines)
        texts.push_back(line.text);
    return texts;
}

// The result texts of rows 1 to count of a table.
template <class Table> std::vector<std::string> Results(const Table &table, int count) {
    std::vector<std::string> results;
    for (int r = 1; r <= count; ++r)
        results.push_back(table[r].resultText);
    return results;
}

// Three evaluations in Normal mode: 1+1, 2*3, 10/4.
ResultTables ThreeResults() {
    ResultTables tables;
    FillHistory(tables, {MakeRow("2", "1+1"), MakeRow("6", "2*3"), MakeRow("2.5", "10/4")});
    return tables;
}

// The lines of a list as the delete operations see them, with the given list indexes selected.
std::vector<ListItem> Items(const std::vector<ListLine> &lines, std::vector<int> selected) {
    std::vector<ListItem> items;
    for (const ListLine &line : lines)
        items.push_back({line.row, false});
    for (int index : selected)
        items.at(index).selected = true;
    return items;
}

// Normal mode shows the recorded line; Fixed mode rebuilds it from the reformatted result text.
TEST(Lists, NormalModeShowsRecordedLineFixedModeRebuildsIt) {
    ResultTables tables;
    AppendHistoryRow(tables, MakeRow(".25", "1/4", "0.25"));
    tables.strHistory[1].resultText = "0.25";
    tables.strStorage[1] = MakeRow("1", "a");
    tables.strStorage[2] = MakeRow("2", "b");
    tables.strStorage[2].resultText = "2.00";
    tables.intStorageCount = 2;
    EXPECT_EQ(HistoryLines(ThreeResults(), false)[0].text, "2.5 = 10/4"); // newest first
    EXPECT_EQ(HistoryLines(tables, false)[0].text, ".25 = 1/4");
    EXPECT_EQ(HistoryLines(tables, true)[0].text, "0.25 = 1/4");
    const auto recorded = StorageLines(tables, false); // oldest first
    EXPECT_EQ(Texts(recorded), (std::vector<std::string>{"1 = a", "2 = b"}));
    EXPECT_EQ(recorded[1].row, 2);
    EXPECT_EQ(Texts(StorageLines(tables, true)), (std::vector<std::string>{"1 = a", "2.00 = b"}));
}

TEST(Store, NothingSelectedStoresTheNewestRowOrAnEmptyOne) {
    ResultTables empty;
    fnHistory_Store(empty, {});
    ASSERT_EQ(empty.intStorageCount, 1);
    EXPECT_EQ(empty.strStorage[1], Row{});
    // The stored row is a copy that outlives its history row.
    ResultTables tables = ThreeResults();
    fnHistory_Store(tables, {});
    fnHistory_DeleteLines(tables, Items(HistoryLines(tables, false), {0, 1, 2}));
    EXPECT_EQ(Texts(StorageLines(tables, false)), std::vector<std::string>{"2.5 = 10/4"});
}

TEST(Store, SelectedRowsAreAppendedInListOrderNewestFirst) {
    ResultTables tables = ThreeResults();
    const std::vector<Integer> selected{2, 1}; // the lines 6 = 2*3 and 2 = 1+1
    fnHistory_Store(tables, selected);
    EXPECT_EQ(Texts(StorageLines(tables, false)), (std::vector<std::string>{"6 = 2*3", "2 = 1+1"}));
    EXPECT_EQ(tables.strStorage[1], tables.strHistory[2]);
}

TEST(Store, FailsAtTheFirstRowBeyondTheTableKeepingTheRowsBefore) {
    ResultTables tables = ThreeResults();
    tables.intStorageCount = 498;
    const std::vector<Integer> selected{3, 2, 1};
    try {
        fnHistory_Store(tables, selected);
        FAIL() << "store beyond row 500 succeeded";
    } catch (const Failure &failure) {
        EXPECT_STREQ(failure.what(), kSubscriptOutOfRange);
    }
    EXPECT_EQ(tables.intStorageCount, 500);
    EXPECT_EQ(tables.strStorage[499].resultText, "2.5");
    EXPECT_EQ(tables.strStorage[500].resultText, "6");
}

TEST(DeleteHistory, TableOfSelections) {
    struct Case {
        const char *name;
        std::vector<int> selected; // list indexes; the list shows rows 5, 4, 3, 2, 1
        std::vector<std::string> keptRows;
        std::optional<int> selectIndex;
    };
    const std::vector<Case> cases{
        {"middle line", {2}, {"1", "2", "4", "5"}, 2},
        {"top line", {0}, {"1", "2", "3", "4"}, 0},
        {"bottom line selects new bottom", {4}, {"2", "3", "4", "5"}, 3},
        {"two apart: line after the last deleted", {0, 3}, {"1", "3", "4"}, 2},
        {"bottom two", {3, 4}, {"3", "4", "5"}, 2},
        {"every line", {0, 1, 2, 3, 4}, {}, std::nullopt},
        {"nothing selected changes nothing", {}, {"1", "2", "3", "4", "5"}, std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ResultTables tables;
        FillNumberedHistory(tables, 5);
        const auto outcome =
            fnHistory_DeleteLines(tables, Items(HistoryLines(tables, false), c.selected));
        EXPECT_EQ(outcome.deleted, !c.selected.empty());
        EXPECT_EQ(Results(tables.strHistory, tables.intHistoryCount), c.keptRows);
        EXPECT_EQ(outcome.selectIndex, c.selectIndex);
    }
}

TEST(DeleteStorage, KeepsOldestFirstOrderAndSelectsTheFollowingLine) {
    ResultTables tables;
    for (int i = 1; i <= 4; ++i)
        tables.strStorage[i] = MakeRow(std::to_string(i), "s");
    tables.intStorageCount = 4;
    const auto outcome = fnStorage_DeleteLines(tables, Items(StorageLines(tables, false), {1}));
    EXPECT_TRUE(outcome.deleted);
    EXPECT_EQ(Results(tables.strStorage, tables.intStorageCount),
              (std::vector<std::string>{"1", "3", "4"}));
    EXPECT_EQ(outcome.selectIndex, 1);
}

TEST(DeleteStorage, BadItemDataFailsBeforeChangingAnything) {
    ResultTables tables;
    tables.strStorage[1] = MakeRow("1", "s");
    tables.intStorageCount = 1;
    const std::vector<ListItem> items{{1, true}, {600, false}};
    EXPECT_THROW(fnStorage_DeleteLines(tables, items), Failure);
    EXPECT_EQ(tables.intStorageCount, 1);
}

TEST(AppendHistory, FullHistoryDropsTheOldestRow) {
    ResultTables tables;
    FillNumberedHistory(tables, 1000);
    AppendHistoryRow(tables, MakeRow("new", "x"));
    EXPECT_EQ(tables.intHistoryCount, 1000);
    EXPECT_EQ(tables.strHistory[1].resultText, "2");
    EXPECT_EQ(tables.strHistory[999].resultText, "1000");
    EXPECT_EQ(tables.strHistory[1000].resultText, "new");
    EXPECT_EQ(tables.strHistory[0], Row{});
}

} // namespace
} // namespace zorbic
