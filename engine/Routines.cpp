#include "engine/Routines.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace zorbic {

std::string Compact(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != ' ') out += c;
    return out;
}

int ASCII(std::string_view text) {
    return text.empty() ? 0 : static_cast<unsigned char>(text.front());
}

int InCount(std::string_view text, std::string_view what) {
    if (what.empty()) return 0;
    int count = 0;
    for (std::size_t p = text.find(what); p != std::string_view::npos;
         p = text.find(what, p + what.size()))
        ++count;
    return count;
}

int PMatch(std::string_view text) {
    if (text.empty() || text.front() != '(') return 0;
    std::size_t depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '(') {
            ++depth;
        } else if (text[i] == ')' && --depth == 0) {
            return static_cast<int>(i + 1);
        }
    }
    return 0;
}

std::int16_t MinInt(std::int16_t a, std::int16_t b) {
    return std::min(a, b);
}
std::int16_t MaxInt(std::int16_t a, std::int16_t b) {
    return std::max(a, b);
}

int QInstrB(int start, std::string_view text, std::string_view what) {
    if (start < 1 || what.empty() || text.size() < what.size()) return 0;
    std::size_t from = std::min(static_cast<std::size_t>(start - 1), text.size() - what.size());
    std::size_t p = text.rfind(what, from);
    return p == std::string_view::npos ? 0 : static_cast<int>(p + 1);
}

namespace {

// Days from 1970-01-01 to a proleptic Gregorian date (H. Hinnant's days_from_civil).
long DaysFromCivil(long y, long m, long d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

int ReadField(std::string_view text, std::size_t from, std::size_t digits) {
    int value = 0;
    auto res = std::from_chars(text.data() + from, text.data() + from + digits, value);
    if (res.ec != std::errc() || res.ptr != text.data() + from + digits)
        throw std::invalid_argument("Date2Num: expected mm-dd-yyyy");
    return value;
}

} // namespace

std::int32_t Date2Num(std::string_view mmddyyyy) {
    if (mmddyyyy.size() != 10 || mmddyyyy[2] != '-' || mmddyyyy[5] != '-')
        throw std::invalid_argument("Date2Num: expected mm-dd-yyyy");
    const int month = ReadField(mmddyyyy, 0, 2);
    const int day = ReadField(mmddyyyy, 3, 2);
    const int year = ReadField(mmddyyyy, 6, 4);
    static constexpr int kDaysIn[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1 || day > kDaysIn[month - 1])
        throw std::invalid_argument("Date2Num: no such date");
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (month == 2 && day == 29 && !leap) throw std::invalid_argument("Date2Num: no such date");
    return static_cast<std::int32_t>(DaysFromCivil(year, month, day) - DaysFromCivil(1899, 12, 30));
}

double Factorial(std::int16_t n) {
    if (n < 0 || n > 170) throw std::out_of_range("Factorial: n must be 0 to 170");
    // The product in extended precision stays within a few units of its last place, so the
    // final rounding to double gives the double nearest to n! (170! is 7.257415615307999E+306).
    long double product = 1;
    for (int k = 2; k <= n; ++k)
        product *= k;
    return static_cast<double>(product);
}

} // namespace zorbic
