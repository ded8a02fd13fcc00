#include "engine/NumberText.h"

#include "engine/Decimal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <system_error>

namespace zorbic {
namespace detail {

Decimal15 ToDecimal15(double x) {
    Decimal15 d{};
    d.negative = std::signbit(x);
    // to_chars is locale-independent and rounds the exact binary value correctly.
    char buf[40];
    auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific, 14);
    // buf holds "d.dddddddddddddde+XX".
    const char *p = buf;
    d.digits[0] = *p++;
    d.count = 1;
    ++p; // the point
    while (p < res.ptr && *p != 'e')
        d.digits[d.count++] = *p++;
    ++p; // the 'e'
    bool negativeExponent = *p == '-';
    ++p;
    int e = 0;
    while (p < res.ptr)
        e = e * 10 + (*p++ - '0');
    d.exponent = negativeExponent ? -e : e;
    while (d.count > 1 && d.digits[d.count - 1] == '0')
        --d.count;
    return d;
}

std::size_t WriteNumber(double x, char *buf, bool leadingZero) {
    char *p = buf;
    if (x == 0) { // also -0: there is no negative zero in number text
        *p++ = '0';
        return 1;
    }
    if (!std::isfinite(x)) {
        const char *t = std::isnan(x) ? "nan" : (x > 0 ? "inf" : "-inf");
        std::size_t n = std::char_traits<char>::length(t);
        std::copy(t, t + n, buf);
        return n;
    }
    // Whole values below 1E+15 have at most 15 digits, so they print exactly as they are.
    if (std::fabs(x) < 1e15 && x == std::trunc(x)) {
        auto res = std::to_chars(buf, buf + kNumberBufferSize, static_cast<long long>(x));
        return static_cast<std::size_t>(res.ptr - buf);
    }
    Decimal15 d = ToDecimal15(x);
    if (d.negative) *p++ = '-';
    if (d.exponent >= 15 || d.exponent < -4) {
        *p++ = d.digits[0];
        if (d.count > 1) {
            *p++ = '.';
            for (int i = 1; i < d.count; ++i)
                *p++ = d.digits[i];
        }
        *p++ = 'E';
        *p++ = d.exponent < 0 ? '-' : '+';
        int e = std::abs(d.exponent);
        if (e < 10) *p++ = '0';
        p = std::to_chars(p, buf + kNumberBufferSize, e).ptr;
    } else if (d.exponent >= 0) {
        for (int i = 0; i <= d.exponent; ++i)
            *p++ = i < d.count ? d.digits[i] : '0';
        if (d.count > d.exponent + 1) {
            *p++ = '.';
            for (int i = d.exponent + 1; i < d.count; ++i)
                *p++ = d.digits[i];
        }
    } else {
        if (leadingZero) *p++ = '0';
        *p++ = '.';
        for (int i = -1; i > d.exponent; --i)
            *p++ = '0';
        for (int i = 0; i < d.count; ++i)
            *p++ = d.digits[i];
    }
    return static_cast<std::size_t>(p - buf);
}

} // namespace detail

std::string NumberText(double x) {
    char buf[detail::kNumberBufferSize + 1];
    buf[0] = ' ';
    std::size_t n = detail::WriteNumber(x, buf + 1);
    // Negative values carry their "-" where the blank would be.
    if (buf[1] == '-') return std::string(buf + 1, n);
    return std::string(buf, n + 1);
}

std::string NormalText(double x) {
    char buf[detail::kNumberBufferSize];
    return std::string(buf, detail::WriteNumber(x, buf));
}

std::string RawValueText(double x) {
    char buf[detail::kNumberBufferSize];
    return std::string(buf, detail::WriteNumber(x, buf, true));
}

std::string FixedText(double x, int decimals) {
    if (decimals < 0) decimals = 0;
    // Whole values (and anything that is not a number) keep their Normal text: 3 is "3".
    if (!std::isfinite(x) || std::floor(x) == x) return NormalText(x);
    detail::Decimal15 d = detail::ToDecimal15(x);
    // Digits from the highest integer place down to the last decimal, then round on the next
    // digit, half away from zero, working on the 15-digit decimal form (1.005 gives 1.01).
    const int high = std::max(d.exponent, 0);
    const int low = -decimals;
    auto digitAt = [&d](int place) {
        int i = d.exponent - place;
        return i >= 0 && i < d.count ? d.digits[i] : '0';
    };
    std::string digits;
    digits.reserve(static_cast<std::size_t>(high - low + 2));
    for (int place = high; place >= low; --place)
        digits += digitAt(place);
    if (digitAt(low - 1) >= '5') {
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9')
            digits[--i] = '0';
        if (i == 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[i - 1];
    }
    std::size_t integerDigits = digits.size() - static_cast<std::size_t>(decimals);
    std::size_t first = 0;
    // "#" shows no digit for an integer part of 0: 0.25 gives ".25".
    while (first < integerDigits && digits[first] == '0')
        ++first;
    std::string text;
    if (d.negative) text += '-';
    text.append(digits, first, integerDigits - first);
    text += '.';
    text.append(digits, integerDigits);
    return text;
}

namespace {

bool IsSkipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

double ReadNumber(std::string_view text) {
    const std::size_t n = text.size();
    std::size_t i = 0;
    bool blanks = false; // blanks inside the number, or a D exponent: needs a cleaned copy
    auto skip = [&] {
        while (i < n && IsSkipped(text[i])) {
            ++i;
            blanks = true;
        }
    };
    auto skipLeading = [&] {
        while (i < n && IsSkipped(text[i]))
            ++i;
    };
    skipLeading();
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
        skipLeading();
    }
    const std::size_t start = i;
    bool point = false;
    bool significant = false;
    bool anyDigit = false;
    long integerDigits = 0;   // significant digits before the point
    long zerosAfterPoint = 0; // zeros between the point and the first significant digit
    for (; i < n; ++i) {
        char c = text[i];
        if (IsDigit(c)) {
            anyDigit = true;
            significant = significant || c != '0';
            if (!point && significant)
                ++integerDigits;
            else if (point && !significant)
                ++zerosAfterPoint;
        } else if (c == '.' && !point) {
            point = true;
        } else if (IsSkipped(c)) {
            blanks = true;
        } else {
            break;
        }
    }
    if (!anyDigit) return 0;
    long exponent = 0;
    if (i < n && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        const std::size_t save = i;
        const bool savedBlanks = blanks;
        blanks = blanks || text[i] == 'D' || text[i] == 'd';
        ++i;
        skip();
        bool expNegative = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            expNegative = text[i] == '-';
            ++i;
            skip();
        }
        bool expDigits = false;
        for (; i < n && (IsDigit(text[i]) || IsSkipped(text[i])); ++i) {
            if (IsSkipped(text[i])) {
                blanks = true;
                continue;
            }
            expDigits = true;
            if (exponent < 100000000) exponent = exponent * 10 + (text[i] - '0');
        }
        if (expNegative) exponent = -exponent;
        if (!expDigits) { // an exponent letter without digits is not part of the number
            i = save;
            blanks = savedBlanks;
            exponent = 0;
        }
    }
    if (!significant) return negative ? -0.0 : 0.0;
    double value = 0;
    std::from_chars_result res;
    if (!blanks) {
        res = std::from_chars(text.data() + start, text.data() + i, value);
    } else {
        std::string clean;
        for (std::size_t k = start; k < i; ++k) {
            char c = text[k];
            if (!IsSkipped(c)) clean += (c == 'D' || c == 'd') ? 'e' : c;
        }
        res = std::from_chars(clean.data(), clean.data() + clean.size(), value);
    }
    if (res.ec == std::errc::result_out_of_range) {
        long magnitude = (integerDigits > 0 ? integerDigits : -zerosAfterPoint) + exponent;
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

} // namespace zorbic
