#include "TestRows.h"
#include "lists/Failure.h"
#include "lists/ListViews.h"
#include "lists/StoreDelete.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zorbic {
namespace {

using test::FillNumberedHistory;
using test::MakeRow;

std::vector<std::string> Texts(const std::vector<ListLine> &lines) {
    std::vector<std::string> texts;
    for (const ListLine &line : lines)
        texts.push_back(line.text);
    return texts;
}

// The result texts of rows 1 to count of a table.
std::vector<std::string> Results(const std::vector<Row> &table, int count) {
    std::vector<std::string> results;
    for (int r = 1; r <= count; ++r)
        results.push_back(table[r].resultText);
    return results;
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
TEST(Lists, HistoryNewestFirstStorageOldestFirst) {
    ResultTables tables;
    FillNumberedHistory(tables, 2);
    tables.strHistory[2].resultText = "2.00";
    tables.strStorage[1] = MakeRow("1", "a");
    tables.strStorage[2] = MakeRow("2", "b");
    tables.strStorage[2].resultText = "2.00";
    tables.intStorageCount = 2;
    EXPECT_EQ(Texts(HistoryLines(tables, false)), (std::vector<std::string>{"2 = e2", "1 = e1"}));
    EXPECT_EQ(Texts(HistoryLines(tables, true)), (std::vector<std::string>{"2.00 = e2", "1 = e1"}));
    EXPECT_EQ(HistoryLines(tables, false)[0].row, 2);
    EXPECT_EQ(Texts(StorageLines(tables, false)), (std::vector<std::string>{"1 = a", "2 = b"}));
    EXPECT_EQ(Texts(StorageLines(tables, true)), (std::vector<std::string>{"1 = a", "2.00 = b"}));
    EXPECT_EQ(StorageLines(tables, false)[1].row, 2);
}

TEST(Store, NothingSelectedStoresTheNewestRowOrAnEmptyOne) {
    ResultTables empty;
    fnHistory_Store(empty, {});
    ASSERT_EQ(empty.intStorageCount, 1);
    EXPECT_EQ(empty.strStorage[1], Row{});
    // The stored row is a copy that outlives its history row.
    ResultTables tables;
    FillNumberedHistory(tables, 3);
    fnHistory_Store(tables, {});
    fnHistory_DeleteLines(tables, Items(HistoryLines(tables, false), {0, 1, 2}));
    EXPECT_EQ(Texts(StorageLines(tables, false)), std::vector<std::string>{"3 = e3"});
}

// Selected rows go in list order (newest first); storage holds 500 rows and a store that does
// not fit fails at the first row beyond, keeping the rows before.
TEST(Store, SelectedRowsUpToAFullStorage) {
    struct Case {
        Integer countBefore, countAfter;
        bool fails;
    };
    for (const Case &c : {Case{0, 3, false}, Case{497, 500, false}, Case{498, 500, true}}) {
        SCOPED_TRACE(c.countBefore);
        ResultTables tables;
        FillNumberedHistory(tables, 3);
        tables.intStorageCount = c.countBefore;
        const std::vector<Integer> selected{3, 1, 2};
        if (c.fails) {
            EXPECT_THROW(fnHistory_Store(tables, selected), Failure);
        } else {
            fnHistory_Store(tables, selected);
        }
        EXPECT_EQ(tables.intStorageCount, c.countAfter);
        EXPECT_EQ(tables.strStorage[c.countBefore + 1], tables.strHistory[3]);
        EXPECT_EQ(tables.strStorage[c.countBefore + 2].resultText, "1");
    }
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

TEST(DeleteStorage, KeepsOldestFirstOrderAndFailsOnBadItemsBeforeChangingAnything) {
    ResultTables tables;
    for (int i = 1; i <= 4; ++i)
        tables.strStorage[i] = MakeRow(std::to_string(i), "s");
    tables.intStorageCount = 4;
    const auto outcome = fnStorage_DeleteLines(tables, Items(StorageLines(tables, false), {1}));
    EXPECT_TRUE(outcome.deleted);
    EXPECT_EQ(Results(tables.strStorage, tables.intStorageCount),
              (std::vector<std::string>{"1", "3", "4"}));
    EXPECT_EQ(outcome.selectIndex, 1);
    const std::vector<ListItem> bad{{1, true}, {600, false}};
    EXPECT_THROW(fnStorage_DeleteLines(tables, bad), Failure);
    EXPECT_EQ(tables.intStorageCount, 3);
}

// History holds 1,000 rows: the 1,000th row is simply added, the next one drops the oldest.
TEST(AppendHistory, ExactlyFullThenOneMore) {
    ResultTables tables;
    FillNumberedHistory(tables, 999);
    AppendHistoryRow(tables, MakeRow("1000", "x"));
    EXPECT_EQ(tables.intHistoryCount, 1000);
    EXPECT_EQ(tables.strHistory[1].resultText, "1");
    EXPECT_EQ(tables.strHistory[1000].resultText, "1000");
    AppendHistoryRow(tables, MakeRow("new", "x"));
    EXPECT_EQ(tables.intHistoryCount, 1000);
    EXPECT_EQ(tables.strHistory[1].resultText, "2");
    EXPECT_EQ(tables.strHistory[999].resultText, "1000");
    EXPECT_EQ(tables.strHistory[1000].resultText, "new");
    EXPECT_EQ(tables.strHistory[0], Row{});
}

} // namespace
} // namespace zorbic
