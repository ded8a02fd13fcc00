#include "lists/Reformat.h"

#include "engine/NumberText.h"
#include "lists/Trim.h"

#include <algorithm>

namespace zorbic {

namespace {

void ReformatTable(std::vector<Row> &table, Integer count, bool fixedMode, int decimals) {
    for (int r = 1; r <= count; ++r) {
        Row &row = RowAt(table, r);
        row.resultText = fixedMode ? TrimBlanks(FixedText(ReadNumber(row.rawValue), decimals))
                                   : TrimBlanks(row.rawValue);
    }
}

} // namespace

void ReformatResults(ResultTables &tables, bool fixedMode, Integer decimals) {
    const int n = std::max<int>(decimals, 0);
    ReformatTable(tables.strHistory, tables.intHistoryCount, fixedMode, n);
    ReformatTable(tables.strStorage, tables.intStorageCount, fixedMode, n);
}

} // namespace zorbic
