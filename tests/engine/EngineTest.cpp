// The engine: most edge cases as data, each cases/*.tsv row one case named by SCOPED_TRACE.
#include "CaseFile.h"
#include "engine/Evaluate.h"
#include "engine/NumberText.h"
#include "engine/Prepare.h"
#include "engine/Routines.h"
#include "tools/EvalLine.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <locale>
#include <random>
#include <regex>
#include <stdexcept>
#include <string>
#include <vector>

namespace zorbic {
namespace {

// The rows of cases/`name`, where "{N:text}" in a field stands for text written N times, so
// that rows of the length limits stay readable. Each row is traced while it is checked.
template <typename Check>
void ForEachRow(const std::string &name, std::size_t columns, Check check) {
    static const std::regex repeat(R"(\{(\d+):([^}]*)\})");
    for (test::CaseRow &row : test::ReadCases(ZORBIC_ENGINE_CASES "/" + name, columns)) {
        SCOPED_TRACE(name + test::Trace(row));
        for (std::string &field : row.fields) {
            std::string out;
            auto from = field.cbegin();
            for (std::sregex_iterator m(field.begin(), field.end(), repeat), end; m != end; ++m) {
                out.append(from, (*m)[0].first);
                for (int i = std::stoi((*m)[1]); i > 0; --i)
                    out += (*m)[2].str();
                from = (*m)[0].second;
            }
            field = out.append(from, field.cend());
        }
        check(row.fields);
    }
}

// "-", or comma-separated rad, fixed=N, today=YYYY-MM-DD.
EvalOptions ParseOptions(const std::string &text) {
    EvalOptions options;
    options.radians = text.find("rad") != std::string::npos;
    if (const auto at = text.find("fixed="); at != std::string::npos)
        options.fixedDecimals = std::stoi(text.substr(at + 6));
    int y = 0, m = 0, d = 0;
    if (const auto at = text.find("today="); at != std::string::npos) {
        EXPECT_EQ(std::sscanf(text.c_str() + at, "today=%d-%d-%d", &y, &m, &d), 3) << text;
        options.today = CivilDate{y, m, d};
    }
    return options;
}

// Whole rows of zorbic-eval output: the Enter path's text steps, the evaluator and the result
// text in the chosen mode.
TEST(Golden, EnterPathRowsMatchTheToolOutput) {
    ForEachRow("enter.tsv", 7, [](const std::vector<std::string> &f) {
        const EvalRow got = EvalLine(f[1], ParseOptions(f[0]));
        std::string expected = f[1];
        for (std::size_t i = 2; i < f.size(); ++i)
            expected.append("\t").append(f[i]);
        EXPECT_EQ(FormatRow(got), expected);
        // A fault is reported with a description; an error with a reason.
        EXPECT_EQ(got.outcome == "FAULT", !got.faults.empty());
        EXPECT_EQ(got.outcome == "ERROR", !got.errorReason.empty());
    });
}

TEST(Golden, EvaluatorRows) {
    ForEachRow("evaluate.tsv", 4, [](const std::vector<std::string> &f) {
        ASSERT_TRUE(f[0] == "deg" || f[0] == "rad");
        std::string expression = f[1];
        int faults = 0;
        EvalEnv env;
        env.fault = [&faults](const std::string &description) {
            EXPECT_FALSE(description.empty());
            ++faults;
        };
        EvalReport report;
        const double value = fnEvaluate(expression, f[0] == "deg", env, &report);
        if (f[2] == "ERROR") {
            EXPECT_EQ(expression, "%" + f[1]);
            EXPECT_EQ(value, 0);
            EXPECT_FALSE(report.errorReason.empty());
            if (!f[3].empty()) {
                EXPECT_EQ(report.errorReason, f[3]);
            }
            EXPECT_EQ(faults, 0);
            return;
        }
        EXPECT_EQ(expression, f[1]) << "text must stay unchanged";
        EXPECT_TRUE(report.errorReason.empty()) << report.errorReason;
        EXPECT_EQ(report.faulted, f[2] == "FAULT");
        EXPECT_EQ(faults > 0, f[2] == "FAULT");
        EXPECT_EQ(NormalText(value), f[3]);
    });
}

TEST(Golden, NumberFormats) {
    ForEachRow("format.tsv", 5, [](const std::vector<std::string> &f) {
        const double x = std::strtod(f[0].c_str(), nullptr);
        EXPECT_EQ(NumberText(x), f[1]);
        EXPECT_EQ(RawValueText(x), f[2]);
        EXPECT_EQ(FixedText(x, std::stoi(f[3])), f[4]);
        // Number text and raw value text both read back as the value they show.
        EXPECT_EQ(ReadNumber(f[1]), ReadNumber(f[2]));
    });
}

// The leading number of a text; blanks anywhere are skipped.
TEST(Golden, NumberReader) {
    ForEachRow("read.tsv", 2, [](const std::vector<std::string> &f) {
        EXPECT_EQ(ReadNumber(f[0]), std::strtod(f[1].c_str(), nullptr));
    });
}

TEST(Golden, Preparation) {
    ForEachRow("prepare.tsv", 2, [](const std::vector<std::string> &f) {
        std::string expression = f[0];
        EXPECT_EQ(fnConvertDegrees(expression), f[1]);
        EXPECT_EQ(expression, f[1]);
    });
}

TEST(Golden, Routines) {
    ForEachRow("routines.tsv", 3, [](const std::vector<std::string> &f) {
        const auto run = [&f] {
            return f[0] == "date" ? Date2Num(f[1]) : Factorial(std::stoi(f[1]));
        };
        if (f[2] == "!") {
            EXPECT_THROW(run(), std::logic_error);
        } else {
            EXPECT_EQ(run(), std::strtod(f[2].c_str(), nullptr));
        }
    });
}

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
}

// Inserted text is never scanned again; the search is exact, with no wildcards or case folding.
TEST(Golden, FindAndReplace) {
    ForEachRow("replace.tsv", 4, [](const std::vector<std::string> &f) {
        EXPECT_EQ(fnFindAndReplace(f[0], f[1], f[2]), f[3]);
    });
}

} // namespace
} // namespace zorbic
