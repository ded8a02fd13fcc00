#include "lists/Reformat.h"
#include "TestRows.h"

#include <gtest/gtest.h>

namespace zorbic {
namespace {

using test::MakeRow;

// Rows 1 to 4 of the history, row 1 of the storage, and a stale row 5 beyond the count.
ResultTables Evaluated() {
    ResultTables tables;
    AppendHistoryRow(tables, MakeRow(".25", "1/4", "0.25"));
    AppendHistoryRow(tables, MakeRow("3.33333333333333", "10/3"));
    AppendHistoryRow(tables, MakeRow("3", "6/2"));
    AppendHistoryRow(tables, MakeRow("1E+20", "1E20"));
    tables.strHistory[5] = MakeRow("stale", "x", "9");
    tables.strStorage[1] = MakeRow("-.333", "-1/3", " -0.333333333333333 ");
    tables.intStorageCount = 1;
    return tables;
}

// Result texts are rebuilt from the raw value: Normal text, or Fixed with the decimals (whole
// values and exponent forms alone). The recorded line and the raw value keep the evaluation's.
TEST(Reformat, ResultTextsFollowTheModeFromTheRawValue) {
    struct Case {
        bool fixed;
        Integer decimals;
        std::vector<std::string> results; // history rows 1..4, then storage row 1
    };
    for (const Case &c :
         {Case{false, 4, {"0.25", "3.33333333333333", "3", "1E+20", "-0.333333333333333"}},
          Case{true, 2, {".25", "3.33", "3", "1E+20", "-.33"}},
          Case{true, 0, {".", "3.", "3", "1E+20", "-."}},
          Case{true, -2, {".", "3.", "3", "1E+20", "-."}}}) {
        SCOPED_TRACE(std::to_string(c.fixed) + "/" + std::to_string(c.decimals));
        ResultTables tables = Evaluated();
        ReformatResults(tables, c.fixed, c.decimals);
        std::vector<std::string> results;
        for (int r = 1; r <= 4; ++r)
            results.push_back(tables.strHistory[r].resultText);
        results.push_back(tables.strStorage[1].resultText);
        EXPECT_EQ(results, c.results);
        EXPECT_EQ(tables.strHistory[2].recordedLine, "3.33333333333333 = 10/3");
        EXPECT_EQ(tables.strHistory[2].rawValue, "3.33333333333333");
        EXPECT_EQ(tables.strHistory[5].resultText, "stale");
    }
}

} // namespace
} // namespace zorbic
