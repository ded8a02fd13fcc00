#include "lists/CopyInsert.h"

#include "lists/Failure.h"

namespace zorbic {

std::string ModeText(const Row &row, CopyMode mode) {
    switch (mode) {
    case CopyMode::Result:
        return row.resultText;
    case CopyMode::Expression:
        return row.expression;
    case CopyMode::ExpressionResult:
        break;
    }
    return row.expression + " = " + row.resultText;
}

CopyModeLabel LabelFor(CopyMode mode) {
    switch (mode) {
    case CopyMode::Result:
        return {"Rslt", "Copy/Insert Result Only"};
    case CopyMode::Expression:
        return {"Expr", "Copy/Insert Expression Only"};
    case CopyMode::ExpressionResult:
        break;
    }
    return {"ExRs", "Copy/Insert Expression=Result"};
}

CopyMode NextCopyMode(CopyMode mode) {
    switch (mode) {
    case CopyMode::Result:
        return CopyMode::Expression;
    case CopyMode::Expression:
        return CopyMode::ExpressionResult;
    case CopyMode::ExpressionResult:
        break;
    }
    return CopyMode::Result;
}

std::string CopyLines(const std::vector<Row> &table, std::span<const Integer> selectedRows,
                      CopyMode mode, CopyBuffer &buffer) {
    // Built aside and committed only when every row fitted, so a failed copy leaves the buffer,
    // the clipboard and strLastResult as they were.
    CopyBuffer copy;
    std::string text;
    for (Integer row : selectedRows) {
        if (!text.empty()) text += "\r\n";
        if (copy.intCopyCount >= CopyBuffer::kRows) throw Failure(kSubscriptOutOfRange);
        const Row &source = RowAt(table, row);
        ++copy.intCopyCount;
        copy.strCopyBuffer[static_cast<std::size_t>(copy.intCopyCount)] = source;
        text += ModeText(source, mode);
    }
    buffer = std::move(copy);
    return text;
}

namespace {

void AppendRows(std::vector<Row> &table, Integer &count, Integer tableRows,
                const CopyBuffer &buffer) {
    for (int i = 1; i <= buffer.intCopyCount; ++i) {
        if (count >= tableRows) throw Failure(kSubscriptOutOfRange);
        RowAt(table, count + 1) = RowAt(buffer.strCopyBuffer, i);
        ++count;
    }
}

} // namespace

PasteTarget PasteCopyBuffer(ResultTables &tables, const CopyBuffer &buffer,
                            std::string_view strPopupList) {
    if (strPopupList == "list1") {
        AppendRows(tables.strHistory, tables.intHistoryCount, ResultTables::kHistoryRows, buffer);
        return PasteTarget::History;
    }
    if (strPopupList == "list2") {
        AppendRows(tables.strStorage, tables.intStorageCount, ResultTables::kStorageRows, buffer);
        return PasteTarget::Storage;
    }
    return PasteTarget::None;
}

} // namespace zorbic
