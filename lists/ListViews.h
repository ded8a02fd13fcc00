#pragma once

#include "lists/Integer.h"
#include "lists/ResultTables.h"

#include <string>
#include <vector>

namespace zorbic {

// One line of a list view and its item data: the number of the table row it shows. Operations
// that start from a list line read the row through `row`, never through the line's position.
struct ListLine {
    std::string text;
    Integer row = 0;

    bool operator==(const ListLine &) const = default;
};

// A line as the user sees it in a list: result first, then the expression.
std::string ShownLine(const Row &row);

// Lines of List1 (subFillHistoryList): newest row first. In Fixed mode each line is rebuilt from
// the current fields (field 1 " = " field 3); in Normal mode it is the recorded line (field 2),
// which keeps the text made when the row was evaluated.
std::vector<ListLine> HistoryLines(const ResultTables &tables, bool fixedMode);
// The text of one history row's line, as HistoryLines makes it.
std::string HistoryLineText(const Row &row, bool fixedMode);

// Lines of List2 (subFillStorageList): oldest row first. With bShownForm the lines are rebuilt
// from field 1 and field 3, else they are the recorded lines.
std::vector<ListLine> StorageLines(const ResultTables &tables, bool bShownForm);

} // namespace zorbic
