#pragma once

#include "lists/DataFile.h"

#include <string>

namespace zorbic::test {

// Full tables (1,000 history and 500 storage rows) whose every field names its row, so a
// reader can tell a complete file from a torn one.
inline ResultTables BigTables() {
    ResultTables tables;
    for (int r = 1; r <= ResultTables::kHistoryRows; ++r) {
        const std::string n = std::to_string(r);
        tables.strHistory[r] = {n, n + " = " + n + "*1", n + "*1", n};
    }
    tables.intHistoryCount = ResultTables::kHistoryRows;
    for (int r = 1; r <= ResultTables::kStorageRows; ++r) {
        const std::string n = std::to_string(r);
        tables.strStorage[r] = {"s" + n, "s" + n + " = " + n, n, n};
    }
    tables.intStorageCount = ResultTables::kStorageRows;
    return tables;
}

} // namespace zorbic::test
