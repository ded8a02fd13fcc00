#pragma once

#include "lists/Integer.h"
#include "lists/ResultTables.h"

#include <optional>
#include <string>
#include <string_view>

namespace zorbic {

// The settings kept in the data file besides the tables and the expression box text.
struct DataFileModes {
    bool degrees = true;     // line 2: "d" when Degrees is checked, else "r"
    bool normal = true;      // line 3: "n" when Normal is checked, else "f"
    Integer intDecimals = 4; // line 4
};

inline constexpr const char *kDataFileHeader = "v2_2_0";
inline constexpr const char *kInvalidDataFileFormat = "Invalid Data File Format";

// The exact bytes of the data file (subSaveData): header, modes, decimals, counts, box text, then
// four lines per history row and per storage row, every line ended by CR LF. Number lines are
// " 4 " / "-4 ". Texts go out byte for byte (the caller's encoding, UTF-8 from the window).
// A CR or LF inside the box text or a field would shift every later line and corrupt the whole
// file, so the writer drops them; the window keeps them out of the box and the fields anyway.
std::string DataFileText(const DataFileModes &modes, std::string_view boxText,
                         const ResultTables &tables);

enum class LoadStatus {
    Loaded,        // every line read
    NoFile,        // silently nothing: the first save creates the file
    InvalidFormat, // header not exactly "v2_2_0": message, nothing read, lists filled (empty)
    HeaderFailure, // the header could not be read (empty file): message, lists not filled
    ReadFailure,   // failure after the header: message, what was read stays, lists filled
};

struct LoadOutcome {
    LoadStatus status = LoadStatus::Loaded;
    std::string message; // text of the OK message box; empty when nothing is to be shown
    bool fillLists = true;
    // The file holds data that was not read (a wrong header, reading stopped early): it must be
    // kept before a save replaces it with the tables in memory.
    bool keepFile = false;
};

// Reads the data file's bytes (nullopt: there is no file) into the modes, the box text and the
// tables (subLoadData + subReadDataFile). A line ends at CR LF, a lone CR or a lone LF; an empty
// line is data. Reading stops at the first failure and keeps what it had read; a count that fits
// 16 bits but not its table keeps the table full and fails at the first row beyond it.
// Corrections: negative decimals and negative counts read as 0, and no count ever exceeds its
// table, so later appends and list fills cannot index outside the tables.
LoadOutcome ReadDataFile(std::optional<std::string_view> bytes, DataFileModes &modes,
                         std::string &boxText, ResultTables &tables);

} // namespace zorbic
