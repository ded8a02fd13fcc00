#include "lists/ListViews.h"

namespace zorbic {

std::string ShownLine(const Row &row) {
    return row.resultText + " = " + row.expression;
}

std::string HistoryLineText(const Row &row, bool fixedMode) {
    return fixedMode ? ShownLine(row) : row.recordedLine;
}

std::vector<ListLine> HistoryLines(const ResultTables &tables, bool fixedMode) {
    std::vector<ListLine> lines;
    for (int row = tables.intHistoryCount; row >= 1; --row)
        lines.push_back(
            {HistoryLineText(RowAt(tables.strHistory, row), fixedMode), static_cast<Integer>(row)});
    return lines;
}

std::vector<ListLine> StorageLines(const ResultTables &tables, bool bShownForm) {
    std::vector<ListLine> lines;
    for (int row = 1; row <= tables.intStorageCount; ++row) {
        const Row &r = RowAt(tables.strStorage, row);
        lines.push_back({bShownForm ? ShownLine(r) : r.recordedLine, static_cast<Integer>(row)});
    }
    return lines;
}

} // namespace zorbic
