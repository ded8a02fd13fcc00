#include "engine/Prepare.h"

#include "engine/Evaluate.h"

#include <string>

namespace zorbic {

std::string fnStripBlanks(std::string_view text, bool stripLineBreaks) {
    if (text.size() > kMaxExpressionLength) throw TextOverflow();
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == ' ' || (stripLineBreaks && (c == '\r' || c == '\n'))) continue;
        out += c;
    }
    return out;
}

std::string fnFindAndReplace(std::string_view big, std::string_view replace,
                             std::string_view with) {
    if (replace.empty() || replace.size() > big.size()) return std::string(big);
    std::string out;
    out.reserve(big.size());
    std::size_t from = 0;
    for (std::size_t p = big.find(replace); p != std::string_view::npos;
         p = big.find(replace, from)) {
        out.append(big, from, p - from);
        out.append(with);
        from = p + replace.size();
    }
    out.append(big, from);
    return out;
}

std::string PrepareBoxText(std::string_view box) {
    std::string text = fnStripBlanks(box, true);
    for (char &c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

namespace {

constexpr std::string_view kPi = "3.14159265358979";
constexpr std::string_view kE = "2.71828182845904523536";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// An E followed by a digit, or by a sign and a digit, is an exponent letter.
bool IsExponentTail(std::string_view after) {
    if (!after.empty() && (after[0] == '+' || after[0] == '-')) after.remove_prefix(1);
    return !after.empty() && IsDigit(after[0]);
}

// The words and signs that are operators: no "*" goes in front of them.
bool StartsWithOperator(std::string_view next) {
    switch (next[0]) {
    case ')':
    case '+':
    case '-':
    case '/':
    case '*':
    case '^':
    case '!':
    case '\\':
    case '=':
    case '<':
    case '>':
        return true;
    default:
        return next.starts_with("MOD") || next.starts_with("AND") || next.starts_with("OR");
    }
}

// After a digit or a point: does `next` continue the number or start an operator?
bool ContinuesNumber(std::string_view next) {
    if (next.empty()) return true;
    char c = next[0];
    if (IsDigit(c) || c == '.') return true;
    // An E after a number is an exponent only with digits after it; "2E" and "2EXP(1)" get a
    // "*" so that the E is the constant e and EXP a function of its own.
    if (c == 'E') return IsExponentTail(next.substr(1));
    return StartsWithOperator(next);
}

// After ")" or "!".
bool FollowsGroup(std::string_view next) {
    return next.empty() || StartsWithOperator(next);
}

} // namespace

std::string fnConvertDegrees(std::string &expression) {
    if (expression.size() > kMaxExpressionLength) throw TextOverflow();
    // x, and an X that is not the X of EXP, are multiplication signs: "2x3" and typed "2X3"
    // (upper-cased on the way) are both 6.
    std::string marked;
    marked.reserve(expression.size());
    for (std::size_t i = 0; i < expression.size(); ++i) {
        char c = expression[i];
        bool inExp = c == 'X' && i > 0 && expression[i - 1] == 'E' && i + 1 < expression.size() &&
                     expression[i + 1] == 'P';
        if (c == 'x' || (c == 'X' && !inExp)) c = '*';
        if (c == '%')
            marked += "/100";
        else
            marked += c;
    }

    // One pass from the left; inserted "*" and the inserted digits of pi and e are examined in
    // turn, which only matters for the last digit of a constant (whose next character decides
    // whether a "*" follows it).
    const std::string_view in = marked;
    std::string out;
    out.reserve(in.size() + in.size() / 2);
    for (std::size_t i = 0; i < in.size(); ++i) {
        const char c = in[i];
        std::string_view next = in.substr(i + 1);
        if (IsDigit(c) || c == '.') {
            out += c;
            if (!ContinuesNumber(next)) out += '*';
        } else if (c == '!' || c == ')') {
            out += c;
            if (!FollowsGroup(next)) out += '*';
        } else if (c == 'E') {
            const char before = out.empty() ? '\0' : out.back();
            const bool exponent = (IsDigit(before) || before == '.') && IsExponentTail(next);
            // The E of SEC, SECH, ASEC, ASECH and EXP stays a letter.
            if (before == 'S' || next.starts_with('X') || exponent) {
                out += c;
            } else {
                out += kE;
                if (!ContinuesNumber(next)) out += '*';
            }
        } else if (c == 'P' && next.starts_with('I')) {
            out += kPi;
            ++i;
            if (!ContinuesNumber(in.substr(i + 1))) out += '*';
        } else {
            out += c;
        }
    }
    // The text only grows on the way, so its final length is its longest.
    if (out.size() > kMaxExpressionLength) throw TextOverflow();
    expression = std::move(out);
    return expression;
}

} // namespace zorbic
