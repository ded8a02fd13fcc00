#pragma once

#include <functional>
#include <string>

namespace zorbic {

struct CivilDate {
    int year;
    int month;
    int day;
};

struct EvalEnv {
    std::function<void(const std::string &description)> fault; // fault sink, may be empty
    std::function<CivilDate()> today;                          // empty: the system's local date
};

// What happened besides the value: whether any level took the fault path, and why the error
// path was taken (empty when it was not).
struct EvalReport {
    bool faulted = false;
    std::string errorReason;
};

// The longest text the evaluator works on; positions are 16-bit.
inline constexpr std::size_t kMaxExpressionLength = 32767;

// Evaluates a prepared expression.
// Success: returns the value, `expression` unchanged.
// Error path: returns 0 and puts "%" in front of `expression`; report->errorReason says why.
// Fault path (an arithmetic fault, a text beyond 32,767 characters): env.fault is called with
// the description once per faulting level, that level gives 0 and `expression` stays unchanged;
// report->faulted is set.
double fnEvaluate(std::string &expression, bool degrees, const EvalEnv &env = {},
                  EvalReport *report = nullptr);

} // namespace zorbic
