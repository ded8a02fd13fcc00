#include "lists/DataFile.h"

#include "engine/NumberText.h"
#include "lists/Failure.h"

#include <algorithm>

namespace zorbic {

namespace {

void AppendText(std::string &out, std::string_view text) {
    // CR and LF are left out (they would end the line early); the runs between go in whole.
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\r' || text[i] == '\n') {
            out.append(text.data() + start, i - start);
            start = i + 1;
        }
    out.append(text.data() + start, text.size() - start);
    out += "\r\n";
}

void AppendNumber(std::string &out, Integer value) {
    out += value < 0 ? "-" : " ";
    out += std::to_string(value < 0 ? -static_cast<int>(value) : static_cast<int>(value));
    out += " \r\n";
}

void AppendRows(std::string &out, const std::vector<Row> &table, Integer count) {
    for (int r = 1; r <= count; ++r) {
        const Row &row = RowAt(table, r);
        AppendText(out, row.resultText);
        AppendText(out, row.recordedLine);
        AppendText(out, row.expression);
        AppendText(out, row.rawValue);
    }
}

// Sequential line input over the file's bytes.
class LineReader {
public:
    explicit LineReader(std::string_view bytes) : bytes_(bytes) {}

    std::string Next() {
        if (pos_ >= bytes_.size()) throw Failure(kInputPastEndOfFile);
        const auto end = bytes_.find_first_of("\r\n", pos_);
        if (end == std::string_view::npos) {
            std::string line(bytes_.substr(pos_));
            pos_ = bytes_.size();
            return line;
        }
        std::string line(bytes_.substr(pos_, end - pos_));
        pos_ = end + 1;
        if (bytes_[end] == '\r' && pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
        return line;
    }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

// A number line: the leading number, halves to even, 16 bits or an overflow failure.
Integer ReadNumberLine(LineReader &in) {
    return RoundToInteger(ReadNumber(in.Next()));
}

void ReadRows(LineReader &in, std::vector<Row> &table, Integer countInFile) {
    for (int r = 1; r <= countInFile; ++r) {
        Row &row = RowAt(table, r); // the first row beyond the table fails here
        row.resultText = in.Next();
        row.recordedLine = in.Next();
        row.expression = in.Next();
        row.rawValue = in.Next();
    }
}

void ReadBody(LineReader &in, DataFileModes &modes, std::string &boxText, ResultTables &tables) {
    modes.degrees = in.Next() == "d";
    modes.normal = in.Next() == "n";
    modes.intDecimals = std::max<Integer>(ReadNumberLine(in), 0);
    const Integer history = std::max<Integer>(ReadNumberLine(in), 0);
    tables.intHistoryCount = std::min(history, ResultTables::kHistoryRows);
    const Integer storage = std::max<Integer>(ReadNumberLine(in), 0);
    tables.intStorageCount = std::min(storage, ResultTables::kStorageRows);
    boxText = in.Next();
    ReadRows(in, tables.strHistory, history);
    ReadRows(in, tables.strStorage, storage);
}

} // namespace

std::string DataFileText(const DataFileModes &modes, std::string_view boxText,
                         const ResultTables &tables) {
    std::string out;
    // Room for every row's four fields and line ends, so the text is never copied to grow.
    std::size_t size = 64 + boxText.size();
    for (const auto &[table, count] : {std::pair{&tables.strHistory, tables.intHistoryCount},
                                       std::pair{&tables.strStorage, tables.intStorageCount}})
        for (int r = 1; r <= count; ++r) {
            const Row &row = RowAt(*table, r);
            size += row.resultText.size() + row.recordedLine.size() + row.expression.size() +
                    row.rawValue.size() + 8;
        }
    out.reserve(size);
    AppendText(out, kDataFileHeader);
    AppendText(out, modes.degrees ? "d" : "r");
    AppendText(out, modes.normal ? "n" : "f");
    AppendNumber(out, modes.intDecimals);
    AppendNumber(out, tables.intHistoryCount);
    AppendNumber(out, tables.intStorageCount);
    AppendText(out, boxText);
    AppendRows(out, tables.strHistory, tables.intHistoryCount);
    AppendRows(out, tables.strStorage, tables.intStorageCount);
    return out;
}

LoadOutcome ReadDataFile(std::optional<std::string_view> bytes, DataFileModes &modes,
                         std::string &boxText, ResultTables &tables) {
    if (!bytes) return {LoadStatus::NoFile, {}, true};
    LineReader in(*bytes);
    try {
        if (in.Next() != kDataFileHeader)
            return {LoadStatus::InvalidFormat, kInvalidDataFileFormat, true, true};
    } catch (const Failure &failure) {
        // Only an empty file has no first line: there is nothing in it to keep.
        return {LoadStatus::HeaderFailure, failure.what(), false};
    }
    try {
        ReadBody(in, modes, boxText, tables);
    } catch (const Failure &failure) {
        return {LoadStatus::ReadFailure, failure.what(), true, true};
    }
    return {};
}

} // namespace zorbic
