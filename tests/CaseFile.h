#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace zorbic::test {

// One row of a case file: its line number and its tab-separated fields.
struct CaseRow {
    int line;
    std::vector<std::string> fields;
};

// The rows of a case file; blank lines and lines starting with "#" are comments. Empty fields
// count, so every row must have exactly `columns` fields.
inline std::vector<CaseRow> ReadCases(const std::string &path, std::size_t columns) {
    std::ifstream in(path);
    EXPECT_TRUE(in.good()) << "cannot open " << path;
    std::vector<CaseRow> rows;
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        if (text.empty() || text[0] == '#') continue;
        CaseRow row{line, {}};
        std::size_t from = 0;
        for (std::size_t tab; (tab = text.find('\t', from)) != std::string::npos; from = tab + 1)
            row.fields.push_back(text.substr(from, tab - from));
        row.fields.push_back(text.substr(from));
        EXPECT_EQ(row.fields.size(), columns) << path << ":" << line << ": " << text;
        if (row.fields.size() == columns) rows.push_back(std::move(row));
    }
    EXPECT_FALSE(rows.empty()) << path;
    return rows;
}

// The text with each "\xNN" replaced by the byte NN: bytes a case file cannot hold as they are.
inline std::string Unescape(const std::string &text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\\x") == 0 && i + 3 < text.size()) {
            out += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

// ":line: first field | second field", for SCOPED_TRACE after the file's name. (Appended piece
// by piece: GCC 12 at -O2 warns falsely, -Wrestrict, about "literal" + string.)
inline std::string Trace(const CaseRow &row) {
    std::string trace = ":";
    trace.append(std::to_string(row.line)).append(": ").append(row.fields[0]);
    if (row.fields.size() > 1) trace.append(" | ").append(row.fields[1]);
    return trace;
}

} // namespace zorbic::test
