#pragma once

#include "engine/Evaluate.h"
#include "engine/Prepare.h"
#include "lists/Integer.h"
#include "lists/ResultTables.h"

#include <string>
#include <string_view>

namespace zorbic {

inline constexpr const char *kEvaluationError = "There was an Error Evaluating this Expression.";

// The text steps of the Enter path. The caller sets bFreshResult, puts boxText into the box fully
// selected, then on success appends `row` (AppendHistoryRow), takes strLastResult, refills List1
// and saves; on failure it shows errorMessage and changes nothing else.
struct EnterOutcome {
    std::string boxText;  // the tidied box text: no blanks, CR or LF, upper case
    std::string prepared; // the prepared expression handed to the evaluator
    bool ok = false;
    bool faulted = false;      // the evaluator reported a fault (through env.fault) and gave 0
    Row row;                   // success: the new history row
    std::string strLastResult; // success: the trimmed result text
    std::string errorMessage;  // failure: kEvaluationError, CR, and the reason if known
};

// Runs one evaluation of the box text in the given modes. A fault inside the evaluator is
// reported through env.fault and, as the evaluator returns 0 then, is recorded as the result 0.
// A prepared text longer than 32,767 characters is not evaluated: ok is false, faulted true and
// errorMessage "Overflow". A box text longer than that throws TextOverflow.
EnterOutcome RunEnterPath(std::string_view boxText, bool degrees, bool fixedMode, Integer decimals,
                          const EvalEnv &env = {});

// The result text of a value in the current result mode, trimmed (Normal or Fixed text).
std::string ResultText(double value, bool fixedMode, Integer decimals);

} // namespace zorbic
