#include "lists/ResultTables.h"

#include "lists/Failure.h"

#include <algorithm>

namespace zorbic {

const Row &RowAt(const std::vector<Row> &table, long long row) {
    if (row < 0 || row >= static_cast<long long>(table.size())) throw Failure(kSubscriptOutOfRange);
    return table[static_cast<std::size_t>(row)];
}

Row &RowAt(std::vector<Row> &table, long long row) {
    return const_cast<Row &>(RowAt(static_cast<const std::vector<Row> &>(table), row));
}

void AppendHistoryRow(ResultTables &tables, Row row) {
    if (tables.intHistoryCount >= ResultTables::kHistoryRows) {
        // Shift rows 2..1000 down to 1..999; row 0 stays untouched.
        std::move(tables.strHistory.begin() + 2,
                  tables.strHistory.begin() + 1 + ResultTables::kHistoryRows,
                  tables.strHistory.begin() + 1);
        tables.intHistoryCount = ResultTables::kHistoryRows - 1;
    }
    RowAt(tables.strHistory, tables.intHistoryCount + 1) = std::move(row);
    ++tables.intHistoryCount;
}

} // namespace zorbic
