#include "lists/DataFile.h"
#include "TestRows.h"
#include "lists/Failure.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zorbic {
namespace {

using test::FillNumberedHistory;
using test::MakeRow;

std::string Lines(const std::vector<std::string> &lines, const std::string &end = "\r\n") {
    std::string text;
    for (const std::string &line : lines)
        text += line + end;
    return text;
}

// Lines 1 to 7 of a file with the given count lines.
std::vector<std::string> Head(const std::string &history, const std::string &storage,
                              const std::string &decimals = " 4 ") {
    return {"v2_2_0", "d", "n", decimals, history, storage, "box"};
}

std::vector<std::string> RowLines(int first, int last) {
    std::vector<std::string> lines;
    for (int r = first; r <= last; ++r) {
        const std::string n = std::to_string(r);
        for (const std::string &field : {n, n + " = e" + n, "e" + n, n})
            lines.push_back(field);
    }
    return lines;
}

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string> &b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Loaded {
    LoadOutcome outcome;
    DataFileModes modes;
    std::string box = "before";
    ResultTables tables;
};

Loaded Load(std::optional<std::string_view> bytes) {
    Loaded l;
    l.outcome = ReadDataFile(bytes, l.modes, l.box, l.tables);
    return l;
}

// Every line ends in CR LF; line breaks inside a text are dropped so they cannot shift the layout.
TEST(DataFileWriter, ExactBytes) {
    ResultTables tables;
    AppendHistoryRow(tables, MakeRow("2", "1+1"));
    EXPECT_EQ(DataFileText(DataFileModes{}, "", tables),
              "v2_2_0\r\nd\r\nn\r\n 4 \r\n 1 \r\n 0 \r\n\r\n2\r\n2 = 1+1\r\n1+1\r\n2\r\n");
    tables.strHistory[1] = Row{"1\r\n", "1 = a\rb", "abcdefgh\nij", "1"};
    EXPECT_EQ(DataFileText(DataFileModes{false, false, -3}, "x\r\ny", tables),
              "v2_2_0\r\nr\r\nf\r\n-3 \r\n 1 \r\n 0 \r\nxy\r\n1\r\n1 = ab\r\nabcdefghij\r\n1\r\n");
}

TEST(DataFile, RoundTripKeepsEverything) {
    ResultTables tables;
    FillNumberedHistory(tables, 1000);
    tables.strHistory[5].expression = ""; // an empty field is an empty line, not the end
    for (int r = 1; r <= 500; ++r)
        tables.strStorage[r] = MakeRow(std::string("s").append(std::to_string(r)), "");
    tables.intStorageCount = 500;
    const DataFileModes modes{false, false, 12};
    const std::string box = "SIN(30)+2\xC3\xA9";

    const Loaded l = Load(DataFileText(modes, box, tables));
    ASSERT_EQ(l.outcome.status, LoadStatus::Loaded) << l.outcome.message;
    EXPECT_FALSE(l.modes.degrees || l.modes.normal);
    EXPECT_EQ(l.modes.intDecimals, 12);
    EXPECT_EQ(l.box, box);
    EXPECT_EQ(l.tables.intHistoryCount, 1000);
    EXPECT_EQ(l.tables.intStorageCount, 500);
    EXPECT_EQ(l.tables.strHistory, tables.strHistory);
    EXPECT_EQ(l.tables.strStorage, tables.strStorage);
}

TEST(DataFileReader, CorruptAndUnusualFiles) {
    struct Case {
        const char *name;
        std::optional<std::string> bytes;
        LoadStatus status;
        std::string message;
        Integer historyCount, storageCount;
    };
    const auto oneRow = Concat(Head(" 1 ", " 0 "), RowLines(1, 1));
    const std::vector<Case> cases{
        {"no file is silent", std::nullopt, LoadStatus::NoFile, "", 0, 0},
        {"wrong header", Lines({"v2_2_1", "r", "f", " 2 ", " 0 ", " 0 ", "box"}),
         LoadStatus::InvalidFormat, kInvalidDataFileFormat, 0, 0},
        {"header differing in case", Lines({"V2_2_0", "d", "n", " 4 ", " 0 ", " 0 ", ""}),
         LoadStatus::InvalidFormat, kInvalidDataFileFormat, 0, 0},
        {"header with a trailing blank", Lines({"v2_2_0 ", "d"}), LoadStatus::InvalidFormat,
         kInvalidDataFileFormat, 0, 0},
        {"empty file", "", LoadStatus::HeaderFailure, kInputPastEndOfFile, 0, 0},
        {"header only", "v2_2_0", LoadStatus::ReadFailure, kInputPastEndOfFile, 0, 0},
        {"rows cut short", Lines(Concat(Head(" 2 ", " 1 "), RowLines(1, 1))) + "2\r\n",
         LoadStatus::ReadFailure, kInputPastEndOfFile, 2, 1},
        {"history count beyond the table", Lines(Concat(Head(" 1200 ", " 0 "), RowLines(1, 1200))),
         LoadStatus::ReadFailure, kSubscriptOutOfRange, 1000, 0},
        {"storage count beyond the table", Lines(Concat(Head(" 0 ", " 501 "), RowLines(1, 501))),
         LoadStatus::ReadFailure, kSubscriptOutOfRange, 0, 500},
        {"count over 16 bits", Lines(Head(" 40000 ", " 0 ")), LoadStatus::ReadFailure, kOverflow, 0,
         0},
        {"decimals over 16 bits", Lines(Head(" 1 ", " 0 ", "32768")), LoadStatus::ReadFailure,
         kOverflow, 0, 0},
        {"negative counts read as 0", Lines(Head("-5 ", "-1 ")), LoadStatus::Loaded, "", 0, 0},
        {"CR-only lines", Lines(oneRow, "\r"), LoadStatus::Loaded, "", 1, 0},
        {"LF-only lines", Lines(oneRow, "\n"), LoadStatus::Loaded, "", 1, 0},
        {"no line end after the last line", Lines(oneRow).substr(0, Lines(oneRow).size() - 2),
         LoadStatus::Loaded, "", 1, 0},
        {"counts with blanks and letters", Lines(Concat(Head("  1  ", "0abc"), RowLines(1, 1))),
         LoadStatus::Loaded, "", 1, 0},
        {"count 1.5 rounds to even 2", Lines(Concat(Head("1.5", "0"), RowLines(1, 2))),
         LoadStatus::Loaded, "", 2, 0},
        {"count without a number reads 0", Lines(Head("abc", "")), LoadStatus::Loaded, "", 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Loaded l = Load(c.bytes);
        EXPECT_EQ(l.outcome.status, c.status);
        EXPECT_EQ(l.outcome.message, c.message);
        EXPECT_EQ(l.outcome.fillLists, c.status != LoadStatus::HeaderFailure);
        EXPECT_EQ(l.tables.intHistoryCount, c.historyCount);
        EXPECT_EQ(l.tables.intStorageCount, c.storageCount);
        if (c.historyCount > 0) {
            EXPECT_EQ(l.tables.strHistory[c.historyCount].resultText,
                      std::to_string(c.historyCount));
        }
        if (!c.bytes || c.status == LoadStatus::InvalidFormat) { // nothing more was read
            EXPECT_TRUE(l.modes.degrees && l.modes.normal && l.modes.intDecimals == 4);
            EXPECT_EQ(l.box, "before");
        }
    }
}

TEST(DataFileReader, FailureKeepsWhatWasReadBefore) {
    const Loaded l =
        Load(Lines(Concat({"v2_2_0", "r", "f", " 7 ", " 3 ", " 2 ", "1+2"}, RowLines(1, 1))) +
             "2\r\n2 = e2\r\n");
    EXPECT_EQ(l.outcome.status, LoadStatus::ReadFailure);
    EXPECT_FALSE(l.modes.degrees);
    EXPECT_FALSE(l.modes.normal);
    EXPECT_EQ(l.modes.intDecimals, 7);
    EXPECT_EQ(l.box, "1+2");
    EXPECT_EQ(l.tables.strHistory[1], MakeRow("1", "e1"));
    EXPECT_EQ(l.tables.strHistory[2], (Row{"2", "2 = e2", "", ""}));
    EXPECT_EQ(l.tables.strHistory[3], Row{});
    EXPECT_EQ(l.tables.strStorage[1], Row{});
}

// Mode lines must match exactly; negative decimals read as 0.
TEST(DataFileReader, ModeLines) {
    struct Case {
        const char *trig, *result, *decimals;
        bool degrees, normal;
        Integer intDecimals;
    };
    for (const Case &c :
         {Case{"d", "n", " 4 ", true, true, 4}, Case{"D", "N", "9", false, false, 9},
          Case{"r", "f", "-4 ", false, false, 0}, Case{"", "", "0", false, false, 0},
          Case{"d ", "n ", "0", false, false, 0}}) {
        SCOPED_TRACE(std::string(c.trig) + "/" + c.result + "/" + c.decimals);
        const Loaded l = Load(Lines({"v2_2_0", c.trig, c.result, c.decimals, " 0 ", " 0 ", ""}));
        EXPECT_EQ(l.outcome.status, LoadStatus::Loaded);
        EXPECT_EQ(l.modes.degrees, c.degrees);
        EXPECT_EQ(l.modes.normal, c.normal);
        EXPECT_EQ(l.modes.intDecimals, c.intDecimals);
    }
}

} // namespace
} // namespace zorbic
