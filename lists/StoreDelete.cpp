#include "lists/StoreDelete.h"

#include "lists/Failure.h"

#include <algorithm>

namespace zorbic {

namespace {

void StoreRow(ResultTables &tables, Integer historyRow) {
    const Row &source = RowAt(tables.strHistory, historyRow);
    if (tables.intStorageCount >= ResultTables::kStorageRows) throw Failure(kSubscriptOutOfRange);
    RowAt(tables.strStorage, tables.intStorageCount + 1) = source;
    ++tables.intStorageCount;
}

// The work-table algorithm shared by both lists: the kept lines are copied into a work table in
// list order; p is the number of kept lines above the last selected line.
DeleteOutcome DeleteLines(std::vector<Row> &table, Integer &count, std::span<const ListItem> items,
                          bool listShowsNewestFirst) {
    if (std::none_of(items.begin(), items.end(), [](const ListItem &i) { return i.selected; }))
        return {};
    std::vector<Row> work;
    work.reserve(items.size());
    int p = 0;
    for (const ListItem &item : items) {
        if (item.selected)
            p = static_cast<int>(work.size());
        else
            work.push_back(RowAt(table, item.row));
    }
    if (work.size() >= table.size()) throw Failure(kSubscriptOutOfRange);
    // The list shows history newest first, so its work table is copied back in reverse.
    if (listShowsNewestFirst) std::reverse(work.begin(), work.end());
    const auto k = static_cast<int>(work.size());
    for (int r = 1; r <= k; ++r)
        table[static_cast<std::size_t>(r)] = std::move(work[r - 1]);
    count = static_cast<Integer>(k);

    DeleteOutcome outcome{true, std::nullopt};
    if (p < k)
        outcome.selectIndex = p;
    else if (k > 0)
        outcome.selectIndex = k - 1;
    return outcome;
}

} // namespace

void fnHistory_Store(ResultTables &tables, std::span<const Integer> selectedRows) {
    if (selectedRows.empty()) {
        StoreRow(tables, tables.intHistoryCount);
        return;
    }
    for (Integer row : selectedRows)
        StoreRow(tables, row);
}

DeleteOutcome fnHistory_DeleteLines(ResultTables &tables, std::span<const ListItem> items) {
    return DeleteLines(tables.strHistory, tables.intHistoryCount, items, true);
}

DeleteOutcome fnStorage_DeleteLines(ResultTables &tables, std::span<const ListItem> items) {
    return DeleteLines(tables.strStorage, tables.intStorageCount, items, false);
}

} // namespace zorbic
