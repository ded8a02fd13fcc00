#include "lists/Reformat.h"
#include "TestRows.h"
#include "lists/ListViews.h"

#include <gtest/gtest.h>

namespace zorbic {
namespace {

using test::MakeRow;

ResultTables Evaluated() {
    ResultTables tables;
    AppendHistoryRow(tables, MakeRow(".25", "1/4", "0.25"));
    AppendHistoryRow(tables, MakeRow("3.33333333333333", "10/3", "3.33333333333333"));
    AppendHistoryRow(tables, MakeRow("3", "6/2", "3"));
    AppendHistoryRow(tables, MakeRow("1E+20", "1E20", "1E+20"));
    tables.strStorage[1] = MakeRow("-.333", "-1/3", " -0.333333333333333 ");
    tables.intStorageCount = 1;
    return tables;
}

TEST(Reformat, NormalRewritesResultTextFromTheRawValue) {
    ResultTables tables = Evaluated();
    ReformatResults(tables, false, 4);
    EXPECT_EQ(tables.strHistory[1].resultText, "0.25");
    EXPECT_EQ(tables.strStorage[1].resultText, "-0.333333333333333");
    // The recorded line, which List1 shows in Normal mode, keeps the text of the evaluation.
    EXPECT_EQ(HistoryLines(tables, false).back().text, ".25 = 1/4");
}

TEST(Reformat, FixedUsesTheDecimalsAndLeavesWholeValuesAlone) {
    struct Case {
        Integer decimals;
        std::vector<std::string> results; // rows 1..4
    };
    for (const Case &c :
         {Case{2, {".25", "3.33", "3", "1E+20"}}, Case{0, {".", "3.", "3", "1E+20"}},
          Case{-2, {".", "3.", "3", "1E+20"}}}) {
        SCOPED_TRACE(c.decimals);
        ResultTables tables = Evaluated();
        ReformatResults(tables, true, c.decimals);
        for (int r = 1; r <= 4; ++r)
            EXPECT_EQ(tables.strHistory[r].resultText, c.results[r - 1]);
        EXPECT_EQ(tables.strHistory[2].recordedLine, "3.33333333333333 = 10/3");
        EXPECT_EQ(tables.strHistory[2].rawValue, "3.33333333333333");
    }
}

TEST(Reformat, RowsBeyondTheCountsAreNotTouched) {
    ResultTables tables = Evaluated();
    tables.strHistory[5] = MakeRow("stale", "x", "9");
    ReformatResults(tables, true, 2);
    EXPECT_EQ(tables.strHistory[5].resultText, "stale");
}

} // namespace
} // namespace zorbic
