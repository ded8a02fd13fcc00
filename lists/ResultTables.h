#pragma once

#include "lists/Integer.h"

#include <string>
#include <vector>

namespace zorbic {

// One result row. Only resultText is ever rewritten (when the result mode changes); the other
// three fields keep what they got when the row was made.
struct Row {
    std::string resultText;   // field 1: the result as currently displayed, trimmed
    std::string recordedLine; // field 2: result " = " expression, as built when the row was made
    std::string expression;   // field 3: the prepared expression handed to the evaluator
    std::string rawValue;     // field 4: the full-precision raw value text, trimmed

    bool operator==(const Row &) const = default;
};

// The history and storage tables. Row 0 of each exists but is never written: a store from an
// empty history copies it and so adds a row of four empty texts.
struct ResultTables {
    static constexpr Integer kHistoryRows = 1000;
    static constexpr Integer kStorageRows = 500;

    std::vector<Row> strHistory = std::vector<Row>(kHistoryRows + 1);
    Integer intHistoryCount = 0;
    std::vector<Row> strStorage = std::vector<Row>(kStorageRows + 1);
    Integer intStorageCount = 0;
};

// Checked access to row `row` of a table (0..last row): Failure("Subscript out of range") beyond.
const Row &RowAt(const std::vector<Row> &table, long long row);
Row &RowAt(std::vector<Row> &table, long long row);

// Records a successful evaluation as the newest history row. With the table full (1000 rows) the
// oldest row is dropped first, so continuous use never fails and rows 1..1000 stay valid.
void AppendHistoryRow(ResultTables &tables, Row row);

} // namespace zorbic
