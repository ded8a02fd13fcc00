#include "lists/CopyInsert.h"
#include "lists/DataFile.h"
#include "lists/Failure.h"
#include "lists/Integer.h"
#include "lists/ListViews.h"
#include "lists/Reformat.h"
#include "lists/StoreDelete.h"

#include "CaseFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <numeric>
#include <sstream>

namespace zorbic {
namespace {

using Texts = std::vector<std::string>;

// A row as the Enter path records it: result text, "result = expression", expression, raw value.
Row MakeRow(const std::string &result, const std::string &expression, const std::string &raw = {}) {
    return {result, result + " = " + expression, expression, raw.empty() ? result : raw};
}

// History rows "1 = e1", "2 = e2"... up to `history`; the storage holds the first `storage` too.
ResultTables Numbered(int history, int storage = 0) {
    ResultTables tables;
    for (int i = 1; i <= history; ++i)
        AppendHistoryRow(tables, MakeRow(std::to_string(i), std::string("e") + std::to_string(i)));
    std::copy_n(tables.strHistory.begin(), storage + 1, tables.strStorage.begin());
    tables.intStorageCount = static_cast<Integer>(storage);
    return tables;
}

// The result texts of rows 1 to count of a table.
Texts Results(const std::vector<Row> &table, int count) {
    Texts results;
    for (int r = 1; r <= count; ++r)
        results.push_back(table[r].resultText);
    return results;
}

// History holds 1,000 rows: the 1,000th row is simply added, the next one drops the oldest.
TEST(Lists, HistoryExactlyFullThenOneMore) {
    ResultTables tables = Numbered(999);
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

// Storing without a selection takes the newest row, even from an empty history.
TEST(Lists, StoreWithoutSelectionTakesTheNewestRow) {
    for (const int rows : {0, 3}) {
        ResultTables tables = Numbered(rows);
        fnHistory_Store(tables, {});
        ASSERT_EQ(tables.intStorageCount, 1);
        EXPECT_EQ(tables.strStorage[1], tables.strHistory[rows]);
    }
}

// History rows 3, 1, 2 stored or copied and pasted go in that order. Into a list with room for
// three they fill it exactly; with room for two the third fails and the two that fitted stay.
TEST(Lists, StoreAndPasteUpToAFullList) {
    const std::pair<std::string, Integer> cases[] = {{"store", 0},   {"store", 497}, {"store", 498},
                                                     {"list2", 497}, {"list2", 498}, {"list1", 997},
                                                     {"list1", 998}};
    for (const auto &[where, before] : cases) {
        const std::string &target = where; // a lambda below takes it (clang 14: no bindings)
        SCOPED_TRACE(target + " from " + std::to_string(before));
        ResultTables tables = Numbered(3);
        const bool history = target == "list1";
        Integer &count = history ? tables.intHistoryCount : tables.intStorageCount;
        const Integer limit = history ? 1000 : 500;
        const std::vector<Integer> selected{3, 1, 2};
        CopyBuffer buffer;
        CopyLines(tables.strHistory, selected, CopyMode::Result, buffer);
        count = before;
        const auto run = [&] {
            target == "store" ? fnHistory_Store(tables, selected)
                              : void(PasteCopyBuffer(tables, buffer, target));
        };
        if (before + 3 > limit) {
            EXPECT_THROW(run(), Failure);
        } else {
            EXPECT_NO_THROW(run());
        }
        EXPECT_EQ(count, std::min<Integer>(before + 3, limit));
        const std::vector<Row> &table = history ? tables.strHistory : tables.strStorage;
        EXPECT_EQ(table[before + 1], MakeRow("3", "e3"));
        EXPECT_EQ(table[before + 2].resultText, "1");
    }
}

// The words of a case field, split at blanks.
Texts Words(const std::string &field) {
    std::istringstream in(field);
    return {std::istream_iterator<std::string>(in), {}};
}

TEST(Lists, DeleteKeepsTheOrderAndSelectsTheLineAfter) {
    for (const test::CaseRow &row : test::ReadCases(ZORBIC_LISTS_CASES "/delete.tsv", 4)) {
        SCOPED_TRACE("delete.tsv" + test::Trace(row));
        const bool storage = row.fields[0] == "storage";
        ResultTables tables = Numbered(5, 5);
        std::vector<ListItem> items;
        for (const ListLine &line :
             storage ? StorageLines(tables, false) : HistoryLines(tables, false))
            items.push_back({line.row, false});
        for (const std::string &index : Words(row.fields[1]))
            items.at(std::stoul(index)).selected = true;
        const auto outcome =
            storage ? fnStorage_DeleteLines(tables, items) : fnHistory_DeleteLines(tables, items);
        EXPECT_EQ(outcome.deleted, !row.fields[1].empty());
        EXPECT_EQ(storage ? Results(tables.strStorage, tables.intStorageCount)
                          : Results(tables.strHistory, tables.intHistoryCount),
                  Words(row.fields[2]));
        EXPECT_EQ(outcome.selectIndex,
                  row.fields[3] == "-" ? std::nullopt : std::optional(std::stoi(row.fields[3])));
    }
}

// The label clicks go Result, Expression, Expression=Result and back; each mode copies its text.
TEST(Lists, CopySelectedLinesJoinedByCrLfInListOrderInEachMode) {
    ResultTables tables;
    AppendHistoryRow(tables, MakeRow("2", "1+1"));
    AppendHistoryRow(tables, MakeRow("6", "2*3"));
    const std::vector<Integer> selected{2, 1}; // List1 shows 6 = 2*3 above 2 = 1+1
    CopyMode mode = CopyMode::Result;
    for (const char *text : {"6\r\n2", "2*3\r\n1+1", "2*3 = 6\r\n1+1 = 2", "6\r\n2"}) {
        SCOPED_TRACE(text);
        CopyBuffer buffer;
        EXPECT_EQ(CopyLines(tables.strHistory, selected, mode, buffer), text);
        mode = NextCopyMode(mode);
    }
    // A paste can be repeated; one without a list does nothing.
    CopyBuffer buffer;
    CopyLines(tables.strHistory, selected, CopyMode::Result, buffer);
    EXPECT_EQ(PasteCopyBuffer(tables, buffer, "list2"), PasteTarget::Storage);
    EXPECT_EQ(PasteCopyBuffer(tables, buffer, "list2"), PasteTarget::Storage);
    EXPECT_EQ(PasteCopyBuffer(tables, buffer, "list1"), PasteTarget::History);
    EXPECT_EQ(PasteCopyBuffer(tables, buffer, ""), PasteTarget::None);
    EXPECT_EQ(tables.intStorageCount, 4);
    EXPECT_EQ(tables.intHistoryCount, 4);
}

// The buffer holds 40 rows; 41 fail and leave it as it was; copying nothing empties it.
TEST(Lists, CopyBufferHoldsFortyRows) {
    ResultTables tables = Numbered(41);
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
    EXPECT_EQ(CopyLines(tables.strHistory, {}, CopyMode::Result, buffer), "");
    PasteCopyBuffer(tables, buffer, "list1");
    EXPECT_EQ(tables.intHistoryCount, 41);
}

// Result texts are rebuilt from the raw value: Normal, or Fixed with the decimals (none when
// negative); a stale row beyond the count stays.
TEST(Lists, ReformatFollowsTheModeFromTheRawValue) {
    for (const auto &[fixed, decimals, results] :
         {std::tuple{false, 4, Texts{"0.25", "3.33333333333333", "-0.333333333333333"}},
          std::tuple{true, 2, Texts{".25", "3.33", "-.33"}},
          std::tuple{true, -2, Texts{".", "3.", "-."}}}) {
        SCOPED_TRACE(std::to_string(fixed) + "/" + std::to_string(decimals));
        ResultTables tables;
        AppendHistoryRow(tables, MakeRow(".25", "1/4", "0.25"));
        AppendHistoryRow(tables, MakeRow("3.33333333333333", "10/3"));
        tables.strHistory[3] = MakeRow("stale", "x", "9");
        tables.strStorage[1] = MakeRow("-.333", "-1/3", " -0.333333333333333 ");
        tables.intStorageCount = 1;
        ReformatResults(tables, fixed, static_cast<Integer>(decimals));
        Texts got = Results(tables.strHistory, 2);
        got.push_back(tables.strStorage[1].resultText);
        EXPECT_EQ(got, results);
        // Normal mode lists the recorded lines, Fixed mode lines rebuilt from the result texts.
        EXPECT_EQ(HistoryLines(tables, false)[0].text, "3.33333333333333 = 10/3");
        EXPECT_EQ(StorageLines(tables, false)[0].text, "-.333 = -1/3");
        EXPECT_EQ(HistoryLines(tables, true)[0].text, results[1] + " = 10/3");
        EXPECT_EQ(StorageLines(tables, true)[0].text, results[2] + " = -1/3");
        EXPECT_EQ(tables.strHistory[3].resultText, "stale");
    }
}

// Data file numbers are rounded to 16 bits, halves to even.
TEST(Integer, SixteenBitsCheckedAndHalvesRoundedToEven) {
    const std::pair<double, Integer> rounded[] = {
        {2.5, 2},  {3.5, 4}, {2.6, 3}, {-2.5, -2},       {-3.5, -4},
        {-0.4, 0}, {0.5, 0}, {1.5, 2}, {32767.4, 32767}, {-32768.5, -32768}};
    for (const auto &[in, out] : rounded)
        EXPECT_EQ(RoundToInteger(in), out) << in;
    for (double bad :
         {32767.5, -32768.6, 1e300, std::nan(""), std::numeric_limits<double>::infinity()})
        EXPECT_THROW(RoundToInteger(bad), Failure) << bad;
}

std::string Lines(const Texts &lines, const std::string &end = "\r\n") {
    std::string text;
    for (const std::string &line : lines)
        text += line + end;
    return text;
}

// A file with the given count lines, then `rows` rows (which the storage count reads too).
std::string File(const std::string &history, const std::string &storage, int rows,
                 const std::string &end = "\r\n") {
    Texts lines{"v2_2_0", "d", "n", " 4 ", history, storage, "box"};
    for (int r = 1; r <= rows; ++r) {
        const std::string n = std::to_string(r);
        for (const std::string &field : {n, n + " = e" + n, "e" + n, n})
            lines.push_back(field);
    }
    return Lines(lines, end);
}

struct LoadedFile {
    explicit LoadedFile(std::optional<std::string_view> bytes)
        : outcome(ReadDataFile(bytes, modes, box, tables)) {}
    DataFileModes modes;
    std::string box = "before";
    ResultTables tables;
    LoadOutcome outcome;
    // The mode lines as read, then the box: "dn4 before" when nothing was read.
    std::string Modes() const {
        std::string text{modes.degrees ? 'd' : 'r', modes.normal ? 'n' : 'f'};
        return text.append(std::to_string(modes.intDecimals)).append(" ").append(box);
    }
};

// Every line ends in CR LF; line breaks inside a text are dropped so they cannot shift the layout.
TEST(DataFile, WriterExactBytes) {
    ResultTables tables;
    AppendHistoryRow(tables, MakeRow("2", "1+1"));
    EXPECT_EQ(DataFileText(DataFileModes{}, "", tables),
              "v2_2_0\r\nd\r\nn\r\n 4 \r\n 1 \r\n 0 \r\n\r\n2\r\n2 = 1+1\r\n1+1\r\n2\r\n");
    tables.strHistory[1] = Row{"1\r\n", "1 = a\rb", "abcdefgh\nij", "1"};
    EXPECT_EQ(DataFileText(DataFileModes{false, false, -3}, "x\r\ny", tables),
              "v2_2_0\r\nr\r\nf\r\n-3 \r\n 1 \r\n 0 \r\nxy\r\n1\r\n1 = ab\r\nabcdefghij\r\n1\r\n");
}

TEST(DataFile, RoundTripKeepsEverything) {
    ResultTables tables = Numbered(1000, 500);
    std::reverse(tables.strStorage.begin() + 1, tables.strStorage.end()); // rows 500 down to 1
    tables.strHistory[5].expression = ""; // an empty field is an empty line, not the end
    const std::string box = "SIN(30)+2\xC3\xA9";
    const LoadedFile l(DataFileText(DataFileModes{true, true, 12}, box, tables));
    ASSERT_EQ(l.outcome.status, LoadStatus::Loaded) << l.outcome.message;
    EXPECT_EQ(l.Modes(), "dn12 " + box);
    EXPECT_EQ(l.tables.intHistoryCount, 1000);
    EXPECT_EQ(l.tables.intStorageCount, 500);
    EXPECT_EQ(l.tables.strHistory, tables.strHistory);
    EXPECT_EQ(l.tables.strStorage, tables.strStorage);
}

TEST(DataFile, ReaderOnCorruptAndUnusualFiles) {
    using enum LoadStatus;
    struct Case {
        const char *name;
        std::optional<std::string> bytes;
        LoadStatus status;
        std::string message;
        Integer historyCount, storageCount;
    };
    const std::string one = File(" 1 ", " 0 ", 1), invalid = kInvalidDataFileFormat;
    const std::string pastEnd = kInputPastEndOfFile, range = kSubscriptOutOfRange;
    const std::vector<Case> cases{
        {"no file is silent", std::nullopt, NoFile, "", 0, 0},
        {"wrong header", "v2_2_1\r\nd\r\nn\r\n 4 \r\n", InvalidFormat, invalid, 0, 0},
        {"header in capitals", "V2_2_0\r\nd\r\n", InvalidFormat, invalid, 0, 0},
        {"header with a trailing blank", "v2_2_0 \r\nd\r\n", InvalidFormat, invalid, 0, 0},
        {"empty file", "", HeaderFailure, pastEnd, 0, 0},
        {"rows cut short", File(" 2 ", " 1 ", 1) + "2\r\n", ReadFailure, pastEnd, 2, 1},
        {"history beyond the table", File(" 1200 ", " 0 ", 1200), ReadFailure, range, 1000, 0},
        {"storage beyond the table", File(" 0 ", " 501 ", 501), ReadFailure, range, 0, 500},
        {"count over 16 bits", File(" 40000 ", " 0 ", 0), ReadFailure, kOverflow, 0, 0},
        {"negative counts read as 0", File("-5 ", "-1 ", 0), Loaded, "", 0, 0},
        {"CR-only lines", File(" 1 ", " 0 ", 1, "\r"), Loaded, "", 1, 0},
        {"LF-only lines", File(" 1 ", " 0 ", 1, "\n"), Loaded, "", 1, 0},
        {"no line end after the last line", one.substr(0, one.size() - 2), Loaded, "", 1, 0},
        {"count 1.5 rounds to even 2", File("1.5", "0", 2), Loaded, "", 2, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const LoadedFile l(c.bytes);
        EXPECT_EQ(l.outcome.status, c.status);
        EXPECT_EQ(l.outcome.message, c.message);
        EXPECT_EQ(l.outcome.fillLists, c.status != HeaderFailure);
        EXPECT_EQ(l.outcome.keepFile, c.status == InvalidFormat || c.status == ReadFailure);
        EXPECT_EQ(l.tables.intHistoryCount, c.historyCount);
        EXPECT_EQ(l.tables.intStorageCount, c.storageCount);
        if (c.historyCount > 0) {
            EXPECT_EQ(l.tables.strHistory[c.historyCount].resultText,
                      std::to_string(c.historyCount));
        }
        if (!c.bytes || c.status == InvalidFormat) { // nothing more was read
            EXPECT_EQ(l.Modes(), "dn4 before");
        }
    }
}

// Reading stops at the first failure and keeps what was read before it. Mode lines must match
// exactly ("d" and "n" alone); negative decimals read as 0.
TEST(DataFile, FailureKeepsWhatWasReadBefore) {
    const LoadedFile l(Lines({"v2_2_0", "D", "n ", "-7 ", " 3 ", " 2 ", "1+2", "1", "1 = e1", "e1",
                              "1", "2", "2 = e2"}));
    EXPECT_EQ(l.outcome.status, LoadStatus::ReadFailure);
    EXPECT_EQ(l.Modes(), "rf0 1+2");
    EXPECT_EQ(l.tables.strHistory[1], MakeRow("1", "e1"));
    EXPECT_EQ(l.tables.strHistory[2], (Row{"2", "2 = e2", "", ""}));
    EXPECT_EQ(l.tables.strHistory[3], Row{});
    EXPECT_EQ(l.tables.strStorage[1], Row{});
}

} // namespace
} // namespace zorbic
