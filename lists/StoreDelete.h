#pragma once

#include "lists/Integer.h"
#include "lists/ResultTables.h"

#include <optional>
#include <span>
#include <vector>

namespace zorbic {

// A line of a list as the delete operations see it: its item data and whether it is selected.
struct ListItem {
    Integer row = 0;
    bool selected = false;
};

// Stores into the storage table the history rows named by `selectedRows` (the item data of the
// selected lines of List1, top to bottom, so newest first). With nothing selected it stores the
// newest history row, which is row 0 (four empty texts) when the history is empty.
// Fails with "Subscript out of range" at the first row that would go beyond storage row 500; the
// rows stored before it stay.
void fnHistory_Store(ResultTables &tables, std::span<const Integer> selectedRows);

struct DeleteOutcome {
    bool deleted = false;           // false: no line was selected, nothing changed
    std::optional<int> selectIndex; // list index to select after the refill, if any
};

// Deletes the selected lines of List1 (`items` in list order, newest first). The kept rows keep
// their chronological order. After the refill the line that followed the last deleted line is to
// be selected, or the new last line when the deleted lines were at the bottom.
DeleteOutcome fnHistory_DeleteLines(ResultTables &tables, std::span<const ListItem> items);

// The same for List2 and the storage table (list order is oldest first).
DeleteOutcome fnStorage_DeleteLines(ResultTables &tables, std::span<const ListItem> items);

} // namespace zorbic
