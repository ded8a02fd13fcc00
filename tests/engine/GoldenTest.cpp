// The edge cases as data: each cases/*.tsv row is one case, named by SCOPED_TRACE.
#include "CaseFile.h"
#include "engine/Evaluate.h"
#include "engine/NumberText.h"
#include "engine/Prepare.h"
#include "tools/EvalLine.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace zorbic {
namespace {

using test::CaseRow;

// "{N:text}" in a field stands for text written N times, so that rows of the length limits stay
// readable.
std::string Expand(const std::string &field) {
    static const std::regex repeat(R"(\{(\d+):([^}]*)\})");
    std::string out;
    auto from = field.cbegin();
    for (std::sregex_iterator m(field.begin(), field.end(), repeat), end; m != end; ++m) {
        out.append(from, (*m)[0].first);
        for (int i = std::stoi((*m)[1]); i > 0; --i)
            out += (*m)[2].str();
        from = (*m)[0].second;
    }
    return out.append(from, field.cend());
}

std::vector<CaseRow> ReadCases(const std::string &name, std::size_t columns) {
    std::vector<CaseRow> rows =
        test::ReadCases(std::string(ZORBIC_ENGINE_CASES) + "/" + name, columns);
    for (CaseRow &row : rows)
        for (std::string &field : row.fields)
            field = Expand(field);
    return rows;
}

std::string Trace(const std::string &file, const CaseRow &row) {
    return file + test::Trace(row);
}

// "-", or comma-separated rad, fixed=N, today=YYYY-MM-DD.
EvalOptions ParseOptions(const std::string &text) {
    EvalOptions options;
    std::istringstream in(text == "-" ? "" : text);
    for (std::string option; std::getline(in, option, ',');) {
        int y = 0, m = 0, d = 0;
        if (option == "rad") {
            options.radians = true;
        } else if (option.rfind("fixed=", 0) == 0) {
            options.fixedDecimals = std::stoi(option.substr(6));
        } else if (std::sscanf(option.c_str(), "today=%d-%d-%d", &y, &m, &d) == 3) {
            options.today = CivilDate{y, m, d};
        } else {
            ADD_FAILURE() << "unknown option " << option;
        }
    }
    return options;
}

// Whole rows of zorbic-eval output: the Enter path's text steps, the evaluator and the result
// text in the chosen mode.
TEST(Golden, EnterPathRowsMatchTheToolOutput) {
    for (const CaseRow &row : ReadCases("enter.tsv", 7)) {
        SCOPED_TRACE(Trace("enter.tsv", row));
        const EvalRow got = EvalLine(row.fields[1], ParseOptions(row.fields[0]));
        std::string expected;
        for (std::size_t i = 1; i < row.fields.size(); ++i)
            expected += (i > 1 ? "\t" : "") + row.fields[i];
        EXPECT_EQ(FormatRow(got), expected);
        // A fault is reported with a description; an error with a reason.
        EXPECT_EQ(got.outcome == "FAULT", !got.faults.empty());
        EXPECT_EQ(got.outcome == "ERROR", !got.errorReason.empty());
    }
}

TEST(Golden, EvaluatorRows) {
    for (const CaseRow &row : ReadCases("evaluate.tsv", 4)) {
        SCOPED_TRACE(Trace("evaluate.tsv", row));
        const std::string &mode = row.fields[0];
        ASSERT_TRUE(mode == "deg" || mode == "rad");
        std::string expression = row.fields[1];
        int faults = 0;
        EvalEnv env;
        env.fault = [&faults](const std::string &description) {
            EXPECT_FALSE(description.empty());
            ++faults;
        };
        EvalReport report;
        const double value = fnEvaluate(expression, mode == "deg", env, &report);
        const std::string &outcome = row.fields[2];
        if (outcome == "ERROR") {
            EXPECT_EQ(expression, "%" + row.fields[1]);
            EXPECT_EQ(value, 0);
            EXPECT_FALSE(report.errorReason.empty());
            if (!row.fields[3].empty()) {
                EXPECT_EQ(report.errorReason, row.fields[3]);
            }
            EXPECT_EQ(faults, 0);
            continue;
        }
        EXPECT_EQ(expression, row.fields[1]) << "text must stay unchanged";
        EXPECT_TRUE(report.errorReason.empty()) << report.errorReason;
        EXPECT_EQ(report.faulted, outcome == "FAULT");
        EXPECT_EQ(faults > 0, outcome == "FAULT");
        EXPECT_EQ(NormalText(value), row.fields[3]);
    }
}

TEST(Golden, NumberFormats) {
    for (const CaseRow &row : ReadCases("format.tsv", 5)) {
        SCOPED_TRACE(Trace("format.tsv", row));
        const double x = std::strtod(row.fields[0].c_str(), nullptr);
        EXPECT_EQ(NumberText(x), row.fields[1]);
        EXPECT_EQ(RawValueText(x), row.fields[2]);
        EXPECT_EQ(FixedText(x, std::stoi(row.fields[3])), row.fields[4]);
        // Number text and raw value text both read back as the value they show.
        EXPECT_EQ(ReadNumber(row.fields[1]), ReadNumber(row.fields[2]));
    }
}

// The leading number of a text; blanks anywhere are skipped.
TEST(Golden, NumberReader) {
    for (const CaseRow &row : ReadCases("read.tsv", 2)) {
        SCOPED_TRACE(Trace("read.tsv", row));
        EXPECT_EQ(ReadNumber(row.fields[0]), std::strtod(row.fields[1].c_str(), nullptr));
    }
}

TEST(Golden, Preparation) {
    for (const CaseRow &row : ReadCases("prepare.tsv", 2)) {
        SCOPED_TRACE(Trace("prepare.tsv", row));
        std::string expression = row.fields[0];
        const std::string returned = fnConvertDegrees(expression);
        EXPECT_EQ(expression, row.fields[1]);
        EXPECT_EQ(returned, row.fields[1]);
    }
}

} // namespace
} // namespace zorbic
