#include "lists/DataFile.h"

#include "engine/NumberText.h"
#include "lists/Failure.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace zorbic {

namespace {

// Copies one word of Word bytes and tells whether it held no CR and no LF.
template <typename Word> bool CopyWord(const char *in, char *out) {
    constexpr auto ones = static_cast<Word>(0x0101010101010101u);
    constexpr auto highs = static_cast<Word>(0x8080808080808080u);
    Word word;
    std::memcpy(&word, in, sizeof word);
    std::memcpy(out, &word, sizeof word);
    // A byte equal to b makes word ^ (ones * b) have a zero byte, which the borrow trick finds.
    auto zeroByte = [&](Word x) { return static_cast<Word>((x - ones) & ~x & highs) != 0; };
    return !zeroByte(word ^ static_cast<Word>(ones * '\r')) &&
           !zeroByte(word ^ static_cast<Word>(ones * '\n'));
}

// Writes text and a CR LF, leaving out any CR or LF inside (they would end the line early).
// The caller has made room for the text and its line end: this only writes through a pointer.
// Texts of four bytes or more are copied a word at a time, the last word overlapping the one
// before, shorter ones by their first, middle and last bytes; only a text that holds a line
// break is copied byte by byte.
[[gnu::always_inline]] inline char *PutLine(char *out, std::string_view text) {
    const char *in = text.data();
    const std::size_t n = text.size();
    bool clean = n >= 4;
    if (n >= 8)
        for (std::size_t i = 0; clean && i < n; i += 8) {
            const std::size_t at = std::min(i, n - 8);
            clean = CopyWord<std::uint64_t>(in + at, out + at);
        }
    else if (clean)
        clean =
            CopyWord<std::uint32_t>(in, out) && CopyWord<std::uint32_t>(in + n - 4, out + n - 4);
    else if (n > 0) {
        // One to three bytes: the first, middle and last cover them all.
        const char first = in[0], middle = in[n / 2], last = in[n - 1];
        out[0] = first;
        out[n / 2] = middle;
        out[n - 1] = last;
        auto plain = [](char c) { return c != '\r' && c != '\n'; };
        clean = plain(first) && plain(middle) && plain(last);
    }
    if (clean)
        out += n;
    else
        for (const char c : text) {
            *out = c;
            out += c != '\r' && c != '\n';
        }
    *out++ = '\r';
    *out++ = '\n';
    return out;
}

char *PutNumber(char *out, Integer value) {
    *out++ = value < 0 ? '-' : ' ';
    const std::string digits =
        std::to_string(value < 0 ? -static_cast<int>(value) : static_cast<int>(value));
    out = std::copy(digits.begin(), digits.end(), out);
    *out++ = ' ';
    *out++ = '\r';
    *out++ = '\n';
    return out;
}

char *PutRows(char *out, const std::vector<Row> &table, Integer count) {
    if (count > 0) RowAt(table, count); // rows 1..count exist, or this fails as a row would
    for (int r = 1; r <= count; ++r) {
        const Row &row = table[static_cast<std::size_t>(r)];
        out = PutLine(out, row.resultText);
        out = PutLine(out, row.recordedLine);
        out = PutLine(out, row.expression);
        out = PutLine(out, row.rawValue);
    }
    return out;
}

std::size_t RowsSize(const std::vector<Row> &table, Integer count) {
    if (count > 0) RowAt(table, count); // rows 1..count exist, or this fails as a row would
    std::size_t size = 0;
    for (int r = 1; r <= count; ++r) {
        const Row &row = table[static_cast<std::size_t>(r)];
        size += row.resultText.size() + row.recordedLine.size() + row.expression.size() +
                row.rawValue.size() + 8;
    }
    return size;
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
    // Room for every line at its longest (no CR or LF left out) and the number lines; the text
    // is written in place, then cut to what was written.
    const std::size_t size = 64 + std::string_view(kDataFileHeader).size() + boxText.size() +
                             RowsSize(tables.strHistory, tables.intHistoryCount) +
                             RowsSize(tables.strStorage, tables.intStorageCount);
    std::string out(size, '\0');
    char *end = out.data();
    end = PutLine(end, kDataFileHeader);
    end = PutLine(end, modes.degrees ? "d" : "r");
    end = PutLine(end, modes.normal ? "n" : "f");
    end = PutNumber(end, modes.intDecimals);
    end = PutNumber(end, tables.intHistoryCount);
    end = PutNumber(end, tables.intStorageCount);
    end = PutLine(end, boxText);
    end = PutRows(end, tables.strHistory, tables.intHistoryCount);
    end = PutRows(end, tables.strStorage, tables.intStorageCount);
    out.resize(static_cast<std::size_t>(end - out.data()));
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
