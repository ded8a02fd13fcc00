#pragma once

#include "engine/Decimal.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Internal to the engine: the pieces the evaluator's stages share.
namespace zorbic::detail {

// Standard descriptions of the arithmetic faults.
inline constexpr const char *kOverflow = "Overflow";
inline constexpr const char *kDivisionByZero = "Division by zero";
inline constexpr const char *kInvalidCall = "Invalid procedure call or argument";

// The fault path: the level that is running gives 0 and reports the description.
struct Fault {
    std::string description;
};

// The error path: the whole evaluation fails and the caller's text is marked with "%".
struct EvalError {
    std::string reason;
};

// The number reader as the evaluator uses it: a number too large for a double is an overflow.
double Val(std::string_view text);

// A value's number text (without the leading blank) in a small buffer.
struct NumText {
    explicit NumText(double x) : size(WriteNumber(x, buf)) {}
    std::string_view view() const { return {buf, size}; }
    char buf[kNumberBufferSize];
    std::size_t size;
};

// The result of a formula, checked: infinities and NaNs are faults.
double Checked(double value);

// Rounds to a 32-bit integer, to the nearest with ties to even; out of range is an overflow.
std::int32_t ToLong(double x);

// Rewrites a text operation by operation from the left. The text is split into the part that
// has been dealt with (`done`, which receives each result) and the part still to read (`input`
// from `cursor`). Every stage finds its operators from the left and no result text contains an
// operator of the same stage, so the search can resume at the cursor instead of at the start:
// the whole stage is one pass instead of one pass per operation.
class TextPass {
public:
    explicit TextPass(std::string &text) : text_(text), in_(text) {}

    std::string_view input() const { return in_; }
    std::size_t cursor() const { return i_; }
    std::string_view done() const { return out_; }

    // The character before input()[k] in the current text, '\0' at the start.
    char before(std::size_t k) const {
        if (k > i_) return in_[k - 1];
        return out_.empty() ? '\0' : out_.back();
    }
    // 1-based position of input()[k] in the current text, and the current length.
    std::size_t position(std::size_t k) const { return out_.size() + (k - i_) + 1; }
    std::size_t length() const { return out_.size() + in_.size() - i_; }

    // Moves the unchanged text up to input()[k] into done().
    void keep(std::size_t k) {
        out_.append(in_.data() + i_, k - i_);
        i_ = k;
    }
    // done() is cut back to `doneSize`, the result appended, and reading resumes at `resume`.
    void replace(std::size_t doneSize, std::string_view result, std::size_t resume) {
        out_.resize(doneSize);
        out_.append(result);
        i_ = resume;
        changed_ = true;
    }
    // After replace(): is the whole text now exactly that result?
    bool isWhole(std::string_view result) const {
        return i_ == in_.size() && out_.size() == result.size();
    }
    bool changed() const { return changed_; }
    // Writes the rewritten text back; a text past the 16-bit positions is an overflow.
    void finish();

private:
    std::string &text_;
    std::string_view in_;
    std::size_t i_ = 0;
    std::string out_;
    bool changed_ = false;
};

// The left operand of the operator that follows done(): its value and where its text begins.
struct LeftOperand {
    double value;
    std::size_t start;
};
LeftOperand ReadLeft(std::string_view done);

// The right operand read from the text after an operator: its value and how many characters
// of `after` it takes.
struct RightOperand {
    double value;
    std::size_t length;
};
RightOperand ReadRight(std::string_view after);

// If `text` is exactly the number text of its own value, or "+" followed by it, that value.
std::optional<double> PlainNumber(std::string_view text);

// Today's date as "mm-dd-yyyy", asked for only when "@TODAY" occurs.
using TodayText = std::function<std::string()>;

// Stage 2: replaces the named constants outside quoted texts. Returns whether it changed s.
bool ReplaceConstants(std::string &s, const TodayText &today);

// Stages 6 to 15 on a text whose groups have been replaced by their values.
double RunStages(std::string &s, bool degrees);

// Stage 7 (functions) and stage 8 (factorials).
void FunctionStage(std::string &s, bool degrees);
void FactorialStage(std::string &s);

// Stage 9: the sign pairs, as the repeated replacement of the first "++", "-+" or "--" would
// leave them, in one pass. Returns whether anything changed.
bool SignPairs(std::string &s);

} // namespace zorbic::detail
