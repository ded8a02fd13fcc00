#pragma once

#include "lists/Integer.h"
#include "lists/ResultTables.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zorbic {

// The copy/insert mode: which part of a row copying, clicking and inserting take.
enum class CopyMode { Result, Expression, ExpressionResult };

// The part of a row a mode takes: Result -> field 1; Expression -> field 3;
// Expression=Result -> field 3 " = " field 1 (expression first, unlike the list line).
std::string ModeText(const Row &row, CopyMode mode);

// Caption and tool tip of the mode label Label6.
struct CopyModeLabel {
    const char *caption;
    const char *toolTip;
};
CopyModeLabel LabelFor(CopyMode mode);

// Label6 click: Result -> Expression -> Expression=Result -> Result.
CopyMode NextCopyMode(CopyMode mode);

// The rows of the last copy from either list, with all four fields.
struct CopyBuffer {
    static constexpr Integer kRows = 40;
    std::vector<Row> strCopyBuffer = std::vector<Row>(kRows + 1); // row 0 unused
    Integer intCopyCount = 0;
};

// Copies the rows named by `selectedRows` (item data of the selected lines, top to bottom) of
// `table` (strHistory or strStorage) into the copy buffer and returns their mode texts joined by
// CR LF, with no line end after the last: the text for the clipboard and strLastResult.
// With no line selected the text and the buffer become empty. More than 40 rows fail with
// "Subscript out of range" before anything changes, so the buffer never holds more than 40 rows.
std::string CopyLines(const std::vector<Row> &table, std::span<const Integer> selectedRows,
                      CopyMode mode, CopyBuffer &buffer);

enum class PasteTarget { None, History, Storage };

// Appends the copy buffer to the table named by strPopupList ("list1": history, "list2": storage,
// anything else: nothing) and says which list to refill. The buffer is left as it is, so the same
// rows can be pasted again. Fails with "Subscript out of range" at the first row that does not
// fit; the rows that fitted stay and no count goes beyond its table.
PasteTarget PasteCopyBuffer(ResultTables &tables, const CopyBuffer &buffer,
                            std::string_view strPopupList);

} // namespace zorbic
