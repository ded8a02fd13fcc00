#pragma once

#include "engine/Evaluate.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorbic {

struct EvalOptions {
    bool radians = false;
    std::optional<int> fixedDecimals; // Fixed result mode with this many decimals
    std::optional<CivilDate> today;   // instead of the system date
};

// One typed line taken through the Enter path's text steps and the evaluator.
struct EvalRow {
    std::string typed;
    std::string box;      // blank-free, upper-cased: what the box shows
    std::string prepared; // what fnConvertDegrees made of it
    std::string outcome;  // "OK", "ERROR" or "FAULT"
    // Result text in the chosen mode and raw value text; both empty for ERROR and for a FAULT
    // of a text too long to prepare.
    std::string result;
    std::string raw;
    std::string errorReason;
    std::vector<std::string> faults;
};

EvalRow EvalLine(std::string_view typed, const EvalOptions &options);

// typed, box, prepared, outcome, result, raw, separated by tabs.
std::string FormatRow(const EvalRow &row);

} // namespace zorbic
