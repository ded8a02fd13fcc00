#include "engine/Internal.h"
#include "engine/Routines.h"

#include <cmath>
#include <cstdint>

namespace zorbic::detail {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsSign(char c) {
    return c == '+' || c == '-';
}

double Power(double base, double exponent) {
    if (base == 0 && exponent < 0) throw Fault{kDivisionByZero};
    return Checked(std::pow(base, exponent)); // a negative base with a fraction: not a number
}

// Puts the value in place of the operation; true when the text is now that number alone, in
// which case the stage ends and `result` is the value of the text.
bool PutResult(TextPass &p, std::size_t doneSize, double value, std::size_t resume,
               double &result) {
    const NumText t(value);
    p.replace(doneSize, t.view(), resume);
    if (!p.isWhole(t.view())) return false;
    p.finish();
    result = Val(t.view());
    return true;
}

// "^" groups from the left: 2^3^2 is 64.
bool PowerStage(std::string &s, double &result) {
    if (s.find('^') == std::string::npos) return false;
    TextPass p(s);
    for (std::size_t k = p.input().find('^'); k != std::string_view::npos;
         k = p.input().find('^', p.cursor())) {
        if (p.position(k) == 1) throw EvalError{"Missing number before ^"};
        p.keep(k);
        const LeftOperand a = ReadLeft(p.done());
        const RightOperand b = ReadRight(p.input().substr(k + 1));
        if (PutResult(p, a.start, Power(a.value, b.value), k + 1 + b.length, result)) return true;
    }
    p.finish();
    return false;
}

enum class Product { None, Times, Divide, IntDivide, Mod };

// The leftmost of "*", "/", "\" and "MOD" from `from` on.
std::size_t FindProduct(std::string_view in, std::size_t from, Product &op) {
    for (std::size_t k = from; k < in.size(); ++k) {
        switch (in[k]) {
        case '*':
            op = Product::Times;
            return k;
        case '/':
            op = Product::Divide;
            return k;
        case '\\':
            op = Product::IntDivide;
            return k;
        case 'M':
            if (in.substr(k, 3) == "MOD") {
                op = Product::Mod;
                return k;
            }
            break;
        default:
            break;
        }
    }
    op = Product::None;
    return std::string_view::npos;
}

double Combine(Product op, double a, double b) {
    if (op == Product::Times) return Checked(a * b);
    if (b == 0) throw EvalError{"Division by zero"};
    if (op == Product::Divide) return Checked(a / b);
    // Integer division and remainder round both operands to 32-bit integers first; a divisor
    // that rounds to 0 (7\0.4) is a fault. The quotient is truncated toward zero, the remainder
    // has the sign of the dividend.
    const std::int64_t x = ToLong(a);
    const std::int64_t y = ToLong(b);
    if (y == 0) throw Fault{kDivisionByZero};
    return static_cast<double>(op == Product::IntDivide ? x / y : x % y);
}

bool ProductStage(std::string &s, double &result) {
    if (s.find_first_of("*/\\M") == std::string::npos) return false;
    TextPass p(s);
    Product op;
    for (std::size_t k = FindProduct(p.input(), 0, op); k != std::string_view::npos;
         k = FindProduct(p.input(), p.cursor(), op)) {
        // An operator in the last position is ignored: "5*" is 5.
        if (p.position(k) == p.length()) break;
        if (p.position(k) == 1)
            throw EvalError{"Missing number before " +
                            std::string(op == Product::Mod ? "MOD" : p.input().substr(k, 1))};
        p.keep(k);
        const LeftOperand a = ReadLeft(p.done());
        // MOD's right operand is read from its "D" on.
        const std::size_t after = k + (op == Product::Mod ? 3 : 1);
        const RightOperand b = ReadRight(p.input().substr(after));
        if (PutResult(p, a.start, Combine(op, a.value, b.value), after + b.length, result))
            return true;
    }
    p.finish();
    return false;
}

// "+" is an operator from position 2 on unless it follows an exponent letter; "-" only when it
// follows a digit. Any other sign belongs to the number after it.
bool SumStage(std::string &s, double &result) {
    if (s.find_first_of("+-") == std::string::npos) return false;
    TextPass p(s);
    for (;;) {
        const std::string_view in = p.input();
        std::size_t k = p.cursor();
        for (; k < in.size(); ++k) {
            const char c = in[k];
            const char before = p.before(k);
            if (c == '+' && p.position(k) >= 2 && before != 'D' && before != 'E') break;
            if (c == '-' && IsDigit(before)) break;
        }
        if (k >= in.size() || p.position(k) == p.length()) break;
        p.keep(k);
        const LeftOperand a = ReadLeft(p.done());
        const RightOperand b = ReadRight(in.substr(k + 1));
        const double value = Checked(in[k] == '+' ? a.value + b.value : a.value - b.value);
        if (PutResult(p, a.start, value, k + 1 + b.length, result)) return true;
    }
    p.finish();
    return false;
}

double Truth(bool b) {
    return b ? -1 : 0;
}

template <typename T> double Compare(char op, const T &a, const T &b) {
    if (op == '=') return Truth(a == b);
    return Truth(op == '>' ? a > b : a < b);
}

// "=", ">" and "<" compare numbers, or two quoted texts when a double quote stands right before
// the operator ("ABC"="ABC" is -1). There are no two-character comparisons: in 1>=1 the right
// operand of ">" starts at "=".
bool CompareStage(std::string &s, double &result) {
    if (s.find_first_of("=<>") == std::string::npos) return false;
    TextPass p(s);
    for (std::size_t k = p.input().find_first_of("=<>"); k != std::string_view::npos;
         k = p.input().find_first_of("=<>", p.cursor())) {
        if (p.position(k) == p.length()) break;
        if (p.position(k) == 1)
            throw EvalError{"Missing number before " + std::string(p.input().substr(k, 1))};
        const char op = p.input()[k];
        if (p.before(k) == '"') {
            p.keep(k);
            const std::string_view before = p.done();
            const std::size_t pos = before.size() + 1;
            // The left text runs from the quote before it to the quote just before the
            // operator; the right text from after the character that follows the operator to
            // the next quote. Without those quotes the text request is invalid.
            const int open = pos > 2 ? QInstrB(static_cast<int>(pos - 2), before, "\"") : 0;
            const std::size_t rightStart = k + 2;
            const std::size_t close = rightStart <= p.input().size()
                                          ? p.input().find('"', rightStart)
                                          : std::string_view::npos;
            if (open == 0 || close == std::string_view::npos) throw Fault{kInvalidCall};
            const auto o = static_cast<std::size_t>(open);
            const std::string_view left = before.substr(o, pos - 2 - o);
            const std::string_view right = p.input().substr(rightStart, close - rightStart);
            // Character codes decide: compare as unsigned bytes.
            const int order = left.compare(right);
            const double value = Compare(op, order, 0);
            if (PutResult(p, o - 1, value, close + 1, result)) return true;
        } else {
            p.keep(k);
            const LeftOperand a = ReadLeft(p.done());
            const RightOperand b = ReadRight(p.input().substr(k + 1));
            if (PutResult(p, a.start, Compare(op, a.value, b.value), k + 1 + b.length, result))
                return true;
        }
    }
    p.finish();
    return false;
}

// All AND operations before any OR, each bitwise on the operands rounded to 32-bit integers.
void LogicalStage(std::string &s) {
    for (std::string_view word : {std::string_view("AND"), std::string_view("OR")}) {
        if (s.find(word) == std::string::npos) continue;
        TextPass p(s);
        for (std::size_t k = p.input().find(word); k != std::string_view::npos;
             k = p.input().find(word, p.cursor())) {
            // Nothing can stand before a word at position 1: the text request is invalid.
            if (p.position(k) == 1) throw Fault{kInvalidCall};
            p.keep(k);
            const LeftOperand a = ReadLeft(p.done());
            const std::size_t after = k + word.size();
            const RightOperand b = ReadRight(p.input().substr(after));
            const std::int32_t x = ToLong(a.value);
            const std::int32_t y = ToLong(b.value);
            const NumText t(static_cast<double>(word == "AND" ? (x & y) : (x | y)));
            p.replace(a.start, t.view(), after + b.length);
        }
        p.finish();
    }
}

} // namespace

bool SignPairs(std::string &s) {
    const std::size_t n = s.size();
    bool changed = false;
    // "++" -> "+ ", first occurrence first: a run of n plus signs keeps n/2 rounded up.
    for (std::size_t t = 0; t + 1 < n; ++t) {
        if (s[t] == '+' && s[t + 1] == '+') {
            s[t + 1] = ' ';
            changed = true;
            ++t;
        }
    }
    // "-+" -> "- ": no new pair can come of it.
    for (std::size_t t = 0; t + 1 < n; ++t) {
        if (s[t] == '-' && s[t + 1] == '+') {
            s[t + 1] = ' ';
            changed = true;
            ++t;
        }
    }
    // "--" -> "+ ". The new "+" forms "++" or "-+" with a sign before it, which is replaced at
    // once (before the next "--"), blanking the new "+" again.
    for (std::size_t t = 0; t + 1 < n; ++t) {
        if (s[t] == '-' && s[t + 1] == '-') {
            s[t] = t > 0 && IsSign(s[t - 1]) ? ' ' : '+';
            s[t + 1] = ' ';
            changed = true;
            ++t;
        }
    }
    if (changed) s = Compact(s);
    return changed;
}

double RunStages(std::string &s, bool degrees) {
    if (const auto v = PlainNumber(s)) return *v;
    FunctionStage(s, degrees);
    FactorialStage(s);
    SignPairs(s);
    double result = 0;
    if (PowerStage(s, result) || ProductStage(s, result) || SumStage(s, result) ||
        CompareStage(s, result))
        return result;
    LogicalStage(s);
    // Whatever no stage understood does not fail: the leading number is the result.
    return Val(s);
}

} // namespace zorbic::detail
