#include "engine/Evaluate.h"
#include "engine/Internal.h"
#include "engine/Routines.h"

#include <array>
#include <cmath>
#include <stdexcept>

namespace zorbic::detail {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The degree conversion uses pi to 15 significant digits, so a converted 90 degrees is a little
// less than a quarter turn: COS90 is about 1.6E-15 and TAN90 about 6.2E+14, not an error.
constexpr double kDegreePi = 3.14159265358979;

const double h = 2 * std::atan(1.0); // a quarter turn, compared exactly by the domain checks
const double ln10 = std::log(10.0);

// Division inside a formula: a zero divisor is a fault, not an infinity.
double Div(double a, double b) {
    if (b == 0) throw Fault{kDivisionByZero};
    return a / b;
}

enum class Fn {
    ASINH,
    ACOSH,
    ATANH,
    ASECH,
    ACSCH,
    ACOTH,
    ASIN,
    ACOS,
    ASEC,
    ACSC,
    ACOT,
    SINH,
    TANH,
    SECH,
    CSCH,
    COTH,
    SEC,
    CSC,
    COT,
    SIN,
    COSH,
    ATAN,
    TAN,
    LN,
    EXP,
    SQR,
    LOG,
    ABS,
    NOT,
    COS
};

struct FunctionRow {
    std::string_view name;
    Fn fn;
};

// In processing order: every name that contains another comes before it (ASINH before ASIN,
// SINH and SIN; COSH before COS; ATAN before TAN), so each occurrence goes to the longest name.
constexpr std::array<FunctionRow, 30> kFunctions{{
    {"ASINH", Fn::ASINH}, {"ACOSH", Fn::ACOSH}, {"ATANH", Fn::ATANH}, {"ASECH", Fn::ASECH},
    {"ACSCH", Fn::ACSCH}, {"ACOTH", Fn::ACOTH}, {"ASIN", Fn::ASIN},   {"ACOS", Fn::ACOS},
    {"ASEC", Fn::ASEC},   {"ACSC", Fn::ACSC},   {"ACOT", Fn::ACOT},   {"SINH", Fn::SINH},
    {"TANH", Fn::TANH},   {"SECH", Fn::SECH},   {"CSCH", Fn::CSCH},   {"COTH", Fn::COTH},
    {"SEC", Fn::SEC},     {"CSC", Fn::CSC},     {"COT", Fn::COT},     {"SIN", Fn::SIN},
    {"COSH", Fn::COSH},   {"ATAN", Fn::ATAN},   {"TAN", Fn::TAN},     {"LN", Fn::LN},
    {"EXP", Fn::EXP},     {"SQR", Fn::SQR},     {"LOG", Fn::LOG},     {"ABS", Fn::ABS},
    {"NOT", Fn::NOT},     {"COS", Fn::COS},
}};

[[noreturn]] void OutOfRange(std::string_view name) {
    throw EvalError{"Argument out of range for " + std::string(name)};
}

bool TakesDegrees(Fn fn) {
    return fn == Fn::SEC || fn == Fn::CSC || fn == Fn::COT || fn == Fn::SIN || fn == Fn::TAN ||
           fn == Fn::COS;
}

bool GivesDegrees(Fn fn) {
    return fn == Fn::ASIN || fn == Fn::ACOS || fn == Fn::ASEC || fn == Fn::ACSC || fn == Fn::ACOT ||
           fn == Fn::ATAN;
}

// The value of one function, after its domain check (error path) has passed. Formulas that
// still fail (a logarithm of a non-positive number, a division by zero, an overflow) are faults.
double Formula(const FunctionRow &row, double x) {
    const double ax = std::fabs(x);
    switch (row.fn) {
    case Fn::ASINH:
        return std::asinh(x);
    case Fn::ACOSH:
        if (ax < 1) OutOfRange(row.name);
        return std::acosh(x); // x <= -1: not a number, a fault
    case Fn::ATANH:
        if (ax == 1) OutOfRange(row.name);
        return std::atanh(x);
    case Fn::ASECH:
        if (ax > 1) OutOfRange(row.name);
        return std::acosh(Div(1, x));
    case Fn::ACSCH:
        if (x == 0) OutOfRange(row.name);
        return std::asinh(1 / x);
    case Fn::ACOTH:
        if (ax == 1) OutOfRange(row.name);
        return std::atanh(Div(1, x));
    case Fn::ASIN:
        if (ax > 1) OutOfRange(row.name);
        if (x == 1) return h;
        if (x == -1) return -h;
        return std::atan(x / std::sqrt(1 - x * x));
    case Fn::ACOS:
        if (ax > 1) OutOfRange(row.name);
        if (x == 1) return 0;
        if (x == -1) return 2 * h;
        return h - std::atan(x / std::sqrt(1 - x * x));
    // The principal values: asec x = acos(1/x) and acsc x = asin(1/x), defined for |x| >= 1.
    case Fn::ASEC:
        if (ax < 1) OutOfRange(row.name);
        return std::acos(1 / x);
    case Fn::ACSC:
        if (ax < 1) OutOfRange(row.name);
        return std::asin(1 / x);
    case Fn::ACOT: // acot x = h - atan x, between 0 and a half turn
        return h - std::atan(x);
    case Fn::SINH:
        return std::sinh(x);
    case Fn::TANH:
        return std::tanh(x);
    case Fn::SECH:
        return 1 / std::cosh(x);
    case Fn::CSCH:
        return Div(1, std::sinh(x));
    case Fn::COTH:
        if (x == 0) OutOfRange(row.name);
        return 1 / std::tanh(x);
    case Fn::SEC:
        if (ax == h) OutOfRange(row.name);
        return Div(1, std::cos(x));
    case Fn::CSC:
        if (x == 0) OutOfRange(row.name);
        return Div(1, std::sin(x));
    case Fn::COT:
        if (ax == h || x == 0) OutOfRange(row.name);
        return Div(1, std::tan(x));
    case Fn::SIN:
        return std::sin(x);
    case Fn::COSH:
        return std::cosh(x);
    case Fn::ATAN:
        return std::atan(x);
    case Fn::TAN:
        if (ax == h) OutOfRange(row.name);
        return std::tan(x);
    case Fn::LN:
        if (x <= 0) OutOfRange(row.name);
        return std::log(x);
    case Fn::EXP:
        return std::exp(x);
    case Fn::SQR:
        if (x < 0) OutOfRange(row.name);
        return std::sqrt(x);
    case Fn::LOG:
        if (x <= 0) OutOfRange(row.name);
        return std::log(x) / ln10; // LOG1000 is 2.9999999999999996, written back as 3
    case Fn::ABS:
        return ax;
    case Fn::NOT:
        return static_cast<double>(~ToLong(x));
    case Fn::COS:
        return std::cos(x);
    }
    return 0;
}

double Apply(const FunctionRow &row, double x, bool degrees) {
    if (degrees && TakesDegrees(row.fn)) x = x * kDegreePi / 180;
    double value = Checked(Formula(row, x));
    if (degrees && GivesDegrees(row.fn)) value = value * 180 / kDegreePi;
    return value;
}

bool HasLetter(std::string_view s) {
    for (char c : s)
        if (c >= 'A' && c <= 'Z') return true;
    return false;
}

} // namespace

void FunctionStage(std::string &s, bool degrees) {
    if (!HasLetter(s)) return;
    for (const FunctionRow &row : kFunctions) {
        if (s.find(row.name) == std::string::npos) continue;
        TextPass p(s);
        // The argument is the number right after the name; the name and the argument are
        // replaced by the value, and the search goes on after it for the same name.
        for (std::size_t k = p.input().find(row.name); k != std::string_view::npos;
             k = p.input().find(row.name, p.cursor())) {
            p.keep(k);
            const std::size_t after = k + row.name.size();
            const RightOperand x = ReadRight(p.input().substr(after));
            const NumText t(Apply(row, x.value, degrees));
            p.replace(p.done().size(), t.view(), after + x.length);
        }
        p.finish();
    }
}

void FactorialStage(std::string &s) {
    if (s.find('!') == std::string::npos) return;
    TextPass p(s);
    for (std::size_t k = p.input().find('!'); k != std::string_view::npos;
         k = p.input().find('!', p.cursor())) {
        p.keep(k);
        const std::string_view before = p.done();
        // Results longer than their factorials ("170!" is 19 characters) can push the "!" past
        // the 16-bit positions before the stage ends.
        if (before.size() >= kMaxExpressionLength) throw Fault{kOverflow};
        // Only the digits right before "!" count, at most four of them: "2.5!" is 2 and 5!.
        const auto q = static_cast<std::int16_t>(before.size() + 1);
        const std::int16_t stop = MaxInt(static_cast<std::int16_t>(q - 5), 1);
        int j = q - 1;
        while (j >= stop && IsDigit(before[static_cast<std::size_t>(j - 1)])) {
            if (j == q - 5) throw EvalError{"More than four digits before !"};
            --j;
        }
        const auto first = static_cast<std::size_t>(j);
        // With no digits the number reads as 0 from the "!" itself, so "!" alone is 1.
        const double n = first < before.size() ? Val(before.substr(first)) : 0;
        if (n > 170 || n < 0) throw EvalError{"Factorial of a number over 170"};
        const NumText t(Factorial(static_cast<std::int16_t>(n)));
        p.replace(first, t.view(), k + 1);
    }
    p.finish();
}

bool ReplaceConstants(std::string &s, const TodayText &today) {
    struct Constant {
        std::string_view name;
        bool isToday;
    };
    static constexpr Constant kConstants[] = {{"PI", false}, {"@TODAY", true}};
    bool changed = false;
    for (const Constant &c : kConstants) {
        if (s.find(c.name) == std::string::npos) continue;
        std::string value;
        if (c.isToday) {
            try {
                value = std::string(NumText(Date2Num(today())).view());
            } catch (const std::invalid_argument &) {
                throw Fault{kInvalidCall};
            }
        } else {
            value = "3.14159265358979323846";
        }
        TextPass p(s);
        std::size_t quotes = 0;
        for (std::size_t k = p.input().find(c.name); k != std::string_view::npos;
             k = p.input().find(c.name, p.cursor())) {
            // A match after an odd number of double quotes lies in a quoted text: the search
            // for this constant stops there.
            for (std::size_t i = p.cursor(); i < k; ++i)
                quotes += p.input()[i] == '"';
            if (quotes % 2 == 1) break;
            p.keep(k);
            p.replace(p.done().size(), value, k + c.name.size());
        }
        p.finish();
        changed = changed || p.changed();
    }
    return changed;
}

} // namespace zorbic::detail
