#include "engine/Evaluate.h"
#include "engine/NumberText.h"
#include "engine/Prepare.h"
#include "engine/Routines.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <locale>
#include <random>
#include <string>
#include <vector>

namespace zorbic {
namespace {

// Each faulting group gives 0 to its parent, which goes on; an impossible injected date is a
// fault, not a crash. A report reused for a later evaluation carries no reason from before.
TEST(Evaluator, FaultsAndReports) {
    std::vector<std::string> faults;
    EvalEnv env;
    env.fault = [&faults](const std::string &d) { faults.push_back(d); };
    EvalReport report;
    std::string text = "(EXP(1000))+(2*(ACOSH-2))+1";
    EXPECT_EQ(fnEvaluate(text, true, env, &report), 1);
    EXPECT_EQ(faults, (std::vector<std::string>{"Overflow", "Invalid procedure call or argument"}));
    env.today = [] { return CivilDate{2024, 2, 30}; };
    text = "@TODAY";
    EXPECT_EQ(fnEvaluate(text, true, env, &report), 0);
    EXPECT_EQ(faults.size(), 3u);
    text = "1/0";
    fnEvaluate(text, true, {}, &report);
    EXPECT_EQ(report.errorReason, "Division by zero");
    text = "1+1";
    EXPECT_EQ(fnEvaluate(text, true, {}, &report), 2);
    EXPECT_TRUE(report.errorReason.empty());
}

TEST(Evaluator, TodayDefaultsToTheLocalDate) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char date[16];
    std::strftime(date, sizeof date, "%m-%d-%Y", &local);
    std::string text = "@TODAY";
    const double value = fnEvaluate(text, true);
    // Around midnight the date may move on between the two readings.
    EXPECT_GE(value, Date2Num(date));
    EXPECT_LE(value, Date2Num(date) + 1);
}

// Against an independent 15-digit rounding: printf in the C locale, read back by strtod.
TEST(NumberText, RoundTripsThroughTheNumberReader) {
    std::mt19937_64 rng(12345);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-320, 307);
    for (int i = 0; i < 20000; ++i) {
        const double x = mantissa(rng) * std::pow(10.0, exponent(rng));
        if (!std::isfinite(x)) continue;
        char rounded[64];
        std::snprintf(rounded, sizeof rounded, "%.14e", x);
        const double round15 = std::strtod(rounded, nullptr);
        const std::string text = NumberText(x);
        SCOPED_TRACE(text);
        ASSERT_EQ(text[0] == '-', x < 0 && round15 != 0);
        const double back = ReadNumber(text);
        EXPECT_EQ(back, round15);
        EXPECT_EQ(NumberText(back), text); // once rounded, a value keeps its text
        EXPECT_EQ(ReadNumber(RawValueText(x)), back);
    }
    EXPECT_EQ(ReadNumber("\t7\n"), 7); // tabs and line breaks are blanks too
}

struct CommaPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

// Texts use "." whatever the global C++ locale or the C locale says.
TEST(NumberText, PointUnderLocalesWithADecimalComma) {
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
    EXPECT_EQ(ReadNumber("2,5"), 2);
    std::string expression = "1.5*3";
    EXPECT_EQ(fnEvaluate(expression, true), 4.5);
    std::setlocale(LC_ALL, savedC.c_str());
    std::locale::global(savedCpp);
}

TEST(Prepare, BoxTextTidyingAndReplacing) {
    EXPECT_EQ(fnStripBlanks("1 + 2\r\n* 3", false), "1+2\r\n*3");
    EXPECT_EQ(fnStripBlanks("\t1", true), "\t1");
    EXPECT_EQ(PrepareBoxText("\"abc\"=\"ABC\""), "\"ABC\"=\"ABC\"");
    EXPECT_EQ(PrepareBoxText("\xe4x"), "\xe4X"); // bytes beyond ASCII stay as they are
    // Inserted text is never scanned again.
    struct Case {
        const char *big, *replace, *with, *result;
    };
    for (const Case &c :
         {Case{"aaa", "a", "aa", "aaaaaa"}, Case{"ab", "abc", "x", "ab"}, Case{"", "a", "b", ""},
          Case{"a?b*", "?", "x", "axb*"}, Case{"xx", "xx", "", ""}, Case{"abc", "", "z", "abc"},
          Case{"ABA", "a", "*", "ABA"}})
        EXPECT_EQ(fnFindAndReplace(c.big, c.replace, c.with), c.result) << c.big;
}

} // namespace
} // namespace zorbic
