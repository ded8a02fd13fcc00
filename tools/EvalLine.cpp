#include "tools/EvalLine.h"

#include "engine/NumberText.h"
#include "engine/Prepare.h"
#include "lists/Trim.h"

namespace zorbic {

EvalRow EvalLine(std::string_view typed, const EvalOptions &options) {
    EvalRow row;
    row.typed = std::string(typed);
    std::string expression;
    try {
        row.box = PrepareBoxText(typed);
        expression = row.box;
        row.prepared = fnConvertDegrees(expression);
    } catch (const TextOverflow &overflow) {
        // Too long to prepare: the Enter key records nothing, so there is no result either.
        row.outcome = "FAULT";
        row.faults.emplace_back(overflow.what());
        return row;
    }

    EvalEnv env;
    env.fault = [&row](const std::string &description) { row.faults.push_back(description); };
    if (options.today) env.today = [date = *options.today] { return date; };
    EvalReport report;
    const double value = fnEvaluate(expression, !options.radians, env, &report);

    if (!expression.empty() && expression.front() == '%') {
        row.outcome = "ERROR";
        row.errorReason = report.errorReason;
        return row;
    }
    // A fault still records a result, 0 when the top level faulted, as the Enter path does.
    row.outcome = report.faulted ? "FAULT" : "OK";
    row.result = TrimBlanks(options.fixedDecimals ? FixedText(value, *options.fixedDecimals)
                                                  : NormalText(value));
    row.raw = RawValueText(value);
    return row;
}

std::string FormatRow(const EvalRow &row) {
    std::string line;
    for (const std::string *field :
         {&row.typed, &row.box, &row.prepared, &row.outcome, &row.result, &row.raw}) {
        if (!line.empty() || field != &row.typed) line += '\t';
        line += *field;
    }
    return line;
}

} // namespace zorbic
