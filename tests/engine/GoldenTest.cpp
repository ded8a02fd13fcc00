// The edge cases as data: each cases/*.tsv row is one case, named by SCOPED_TRACE.
#include "CaseFile.h"
#include "engine/Evaluate.h"
#include "engine/NumberText.h"
#include "engine/Prepare.h"
#include "engine/Routines.h"
#include "tools/EvalLine.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
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

} // namespace
} // namespace zorbic
