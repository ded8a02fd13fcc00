#pragma once

#include "lists/ResultTables.h"

#include <string>

namespace zorbic::test {

// A row as the Enter path records it: result text, "result = expression", expression, raw value.
inline Row MakeRow(const std::string &result, const std::string &expression,
                   const std::string &raw = {}) {
    return {result, result + " = " + expression, expression, raw.empty() ? result : raw};
}

// Rows "1", "2", ... "n" with expressions "e1", "e2", ...
inline void FillNumberedHistory(ResultTables &tables, int n) {
    for (int i = 1; i <= n; ++i) {
        std::string expression = "e"; // appended, not "e" + ...: GCC 12 -O2 warns falsely there
        expression += std::to_string(i);
        AppendHistoryRow(tables, MakeRow(std::to_string(i), expression));
    }
}

} // namespace zorbic::test
