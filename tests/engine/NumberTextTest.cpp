#include "engine/NumberText.h"
#include "engine/Evaluate.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <locale>
#include <random>
#include <string>

namespace zorbic {
namespace {

// An independent 15-digit rounding: printf in the C locale, read back by strtod.
double Round15(double x) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", x);
    return std::strtod(buf, nullptr);
}

TEST(NumberText, RoundTripsThroughTheNumberReader) {
    std::mt19937_64 rng(12345);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-320, 307);
    for (int i = 0; i < 20000; ++i) {
        const double x = mantissa(rng) * std::pow(10.0, exponent(rng));
        if (!std::isfinite(x)) continue;
        const std::string text = NumberText(x);
        SCOPED_TRACE(text);
        ASSERT_EQ(text[0] == '-', x < 0 && Round15(x) != 0);
        const double back = ReadNumber(text);
        EXPECT_EQ(back, Round15(x));
        // Once rounded, a value keeps its text.
        EXPECT_EQ(NumberText(back), text);
        EXPECT_EQ(ReadNumber(RawValueText(x)), back);
    }
}

TEST(NumberReader, SkipsTabsAndLineBreaks) {
    EXPECT_EQ(ReadNumber("\t7\n"), 7);
}

struct CommaPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

// Texts use "." whatever the global C++ locale or the C locale says.
TEST(Locale, PointUnderLocalesWithADecimalComma) {
    const std::locale savedCpp =
        std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
    const std::string savedC = std::setlocale(LC_ALL, nullptr);
    bool cComma = false;
    for (const char *name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "ru_RU.UTF-8"})
        if (std::setlocale(LC_ALL, name) && *std::localeconv()->decimal_point == ',') {
            cComma = true;
            break;
        }
    if (!cComma) std::cout << "no C locale with a decimal comma is installed; C++ locale only\n";
    EXPECT_EQ(NumberText(1234567.5), " 1234567.5");
    EXPECT_EQ(RawValueText(-0.25), "-0.25");
    EXPECT_EQ(FixedText(1234.5678, 2), "1234.57");
    EXPECT_EQ(ReadNumber("2.5"), 2.5);
    EXPECT_EQ(ReadNumber("2,5"), 2);
    std::string expression = "1.5*3";
    EXPECT_EQ(fnEvaluate(expression, true), 4.5);
    std::setlocale(LC_ALL, savedC.c_str());
    std::locale::global(savedCpp);
}

} // namespace
} // namespace zorbic
