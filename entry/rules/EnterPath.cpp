#include "entry/rules/EnterPath.h"

#include "engine/NumberText.h"
#include "engine/Prepare.h"
#include "lists/Trim.h"

#include <algorithm>

namespace zorbic {

namespace {

// The evaluator never puts line ends into its text, but the fields go into the one-line data
// file and list lines, so this is guaranteed here rather than assumed.
std::string WithoutLineEnds(std::string text) {
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    return text;
}

} // namespace

std::string ResultText(double value, bool fixedMode, Integer decimals) {
    return TrimBlanks(fixedMode ? FixedText(value, std::max<int>(decimals, 0)) : NormalText(value));
}

EnterOutcome RunEnterPath(std::string_view boxText, bool degrees, bool fixedMode, Integer decimals,
                          const EvalEnv &env) {
    EnterOutcome out;
    out.boxText = PrepareBoxText(boxText);
    std::string expression = out.boxText;
    try {
        fnConvertDegrees(expression);
    } catch (const TextOverflow &overflow) {
        // A prepared text beyond 32,767 characters cannot be evaluated whole; the rest of the
        // Enter path is abandoned with the fault's description.
        out.faulted = true;
        out.errorMessage = overflow.what();
        return out;
    }
    out.prepared = expression;

    EvalReport report;
    const double value = fnEvaluate(expression, degrees, env, &report);
    out.faulted = report.faulted;
    if (!expression.empty() && expression.front() == '%') {
        out.errorMessage = std::string(kEvaluationError) + "\r" + report.errorReason;
        return out;
    }
    out.ok = true;
    out.strLastResult = WithoutLineEnds(ResultText(value, fixedMode, decimals));
    out.row.resultText = out.strLastResult;
    out.row.expression = WithoutLineEnds(out.prepared);
    out.row.recordedLine = out.row.resultText + " = " + out.row.expression;
    out.row.rawValue = WithoutLineEnds(TrimBlanks(RawValueText(value)));
    return out;
}

} // namespace zorbic
