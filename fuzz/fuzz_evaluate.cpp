// fnEvaluate on any text: nothing crashes or hangs, the text is marked only on the error path,
// faults are reported, and the value's number text reads back.
#include "engine/Evaluate.h"
#include "engine/NumberText.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0) return 0;
    const bool degrees = (data[0] & 1) != 0;
    const std::string original(reinterpret_cast<const char *>(data) + 1, size - 1);
    int faults = 0;
    zorbic::EvalEnv env;
    env.fault = [&faults](const std::string &description) {
        Check(!description.empty());
        ++faults;
    };
    env.today = [] { return zorbic::CivilDate{2026, 12, 6}; };
    std::string expression = original;
    zorbic::EvalReport report;
    const double value = zorbic::fnEvaluate(expression, degrees, env, &report);
    Check(std::isfinite(value));
    Check(report.faulted == (faults > 0));
    if (!report.errorReason.empty()) {
        Check(expression == "%" + original);
        Check(value == 0);
    } else {
        Check(expression == original);
        const std::string text = zorbic::NumberText(value);
        Check(zorbic::NumberText(zorbic::ReadNumber(text)) == text);
    }
    if (original.size() > zorbic::kMaxExpressionLength && original.find(' ') == std::string::npos)
        Check(report.faulted && value == 0);
    // Nothing is kept from one evaluation to the next.
    std::string repeat = original;
    zorbic::EvalReport second;
    env.fault = nullptr;
    const double again = zorbic::fnEvaluate(repeat, degrees, env, &second);
    Check(again == value && repeat == expression && second.faulted == report.faulted);
    return 0;
}
