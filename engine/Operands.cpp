#include "engine/Evaluate.h"
#include "engine/Internal.h"
#include "engine/NumberText.h"

#include <cmath>

namespace zorbic::detail {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

double Val(std::string_view text) {
    double v = ReadNumber(text);
    if (!std::isfinite(v)) throw Fault{kOverflow};
    return v;
}

double Checked(double value) {
    if (std::isnan(value)) throw Fault{kInvalidCall};
    if (std::isinf(value)) throw Fault{kOverflow};
    return value;
}

std::int32_t ToLong(double x) {
    double r = std::nearbyint(x); // the default rounding mode: to the nearest, ties to even
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw Fault{kOverflow};
    return static_cast<std::int32_t>(r);
}

void TextPass::finish() {
    if (!changed_) return;
    out_.append(in_.data() + i_, in_.size() - i_);
    text_ = std::move(out_);
    if (text_.size() > kMaxExpressionLength) throw Fault{kOverflow};
}

// A backward scan over "1234567890.-+DE" (without D and E once one of them has been met, and
// never over the D of MOD or AND). A sign belongs to the number unless a digit or a point stands
// before it (then it is the operator of an earlier operation); a second sign ends the number
// after it.
LeftOperand ReadLeft(std::string_view s) {
    std::size_t j = s.size(); // 1-based position of the character being looked at
    bool signTaken = false;
    bool exponentSeen = false;
    std::size_t start = 0; // 0-based index of the number's first character
    while (j > 0) {
        const char c = s[j - 1];
        const bool sign = c == '-' || c == '+';
        // The D that ends MOD or AND is the end of the word, not an exponent letter: in
        // 10MOD3^2 the base of the power is 3 (the result is 1, not 10).
        const bool wordEnd =
            c == 'D' && j >= 3 && (s.substr(j - 3, 2) == "MO" || s.substr(j - 3, 2) == "AN");
        const bool letter = (c == 'D' && !wordEnd) || c == 'E';
        if (!(IsDigit(c) || c == '.' || sign || (letter && !exponentSeen))) {
            start = j;
            break;
        }
        if (sign) {
            if (!signTaken && j != 1) {
                const char prev = s[j - 2];
                if (IsDigit(prev) || prev == '.') {
                    start = j;
                    break;
                }
                signTaken = true;
                --j;
                continue;
            }
            start = signTaken ? j : j - 1;
            break;
        }
        if (letter) {
            signTaken = false;
            exponentSeen = true;
        }
        --j;
    }
    return {Val(s.substr(start)), start};
}

// The value of everything after the operator; the forward scan then finds where that number
// ends: a sign only if it agrees with the value, digits, one point, one exponent letter and a
// sign right after it.
RightOperand ReadRight(std::string_view after) {
    const double v = Val(after);
    if (after.size() < kNumberBufferSize && after == NumText(v).view()) return {v, after.size()};
    std::size_t k = 0;
    const std::size_t n = after.size();
    if (k < n && (after[k] == '+' || after[k] == '-')) {
        if ((after[k] == '+' && v > 0) || (after[k] == '-' && v < 0))
            ++k;
        else
            return {v, 0};
    }
    bool point = false;
    bool exponent = false;
    while (k < n) {
        const char c = after[k];
        if (IsDigit(c)) {
            ++k;
        } else if (c == '.' && !point) {
            point = true;
            ++k;
        } else if ((c == 'D' || c == 'E') && !exponent) {
            exponent = true;
            ++k;
            if (k < n && (after[k] == '+' || after[k] == '-')) ++k;
        } else {
            break;
        }
    }
    return {v, k};
}

std::optional<double> PlainNumber(std::string_view text) {
    const double v = Val(text);
    if (text.size() > kNumberBufferSize) return std::nullopt;
    const NumText t(v);
    if (text == t.view() ||
        (text.size() == t.size + 1 && text[0] == '+' && text.substr(1) == t.view()))
        return v;
    return std::nullopt;
}

} // namespace zorbic::detail
