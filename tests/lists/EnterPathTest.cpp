#include "entry/rules/EnterPath.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zorbic {
namespace {

TEST(EnterPath, SuccessfulEvaluationsAndTheirRows) {
    struct Case {
        std::string typed;
        bool fixed;
        Integer decimals;
        std::string box, prepared, result, raw;
    };
    const std::vector<Case> cases{
        {"2+3", false, 4, "2+3", "2+3", "5", "5"},
        {"1/4", false, 4, "1/4", "1/4", ".25", "0.25"},
        {"-1/4", false, 4, "-1/4", "-1/4", "-.25", "-0.25"},
        {"2 pi", false, 4, "2PI", "2*3.14159265358979", "6.28318530717958", "6.28318530717958"},
        {" 1 +\r\n 2 ", false, 4, "1+2", "1+2", "3", "3"},
        {"", false, 4, "", "", "0", "0"},
        {"10/3", true, 2, "10/3", "10/3", "3.33", "3.33333333333333"},
        {"6/2", true, 2, "6/2", "6/2", "3", "3"},
        {"7/2", true, 0, "7/2", "7/2", "4.", "3.5"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        const EnterOutcome out = RunEnterPath(c.typed, true, c.fixed, c.decimals);
        ASSERT_TRUE(out.ok) << out.errorMessage;
        EXPECT_EQ(out.boxText, c.box);
        EXPECT_EQ(out.prepared, c.prepared);
        EXPECT_EQ(out.strLastResult, c.result);
        EXPECT_EQ(out.row.resultText, c.result);
        EXPECT_EQ(out.row.recordedLine, c.result + " = " + c.prepared);
        EXPECT_EQ(out.row.expression, c.prepared);
        EXPECT_EQ(out.row.rawValue, c.raw);
        EXPECT_TRUE(out.errorMessage.empty());
    }
}

TEST(EnterPath, BoxTextIsTidiedBeforeEvaluation) {
    EXPECT_EQ(RunEnterPath("sin 30", true, false, 4).boxText, "SIN30");
}

TEST(EnterPath, TrigModeReachesTheEvaluator) {
    EXPECT_EQ(RunEnterPath("sin(30)", true, false, 4).strLastResult, ".5");
    EXPECT_EQ(RunEnterPath("sin(pi/2)", false, false, 4).strLastResult, "1");
}

TEST(EnterPath, FailureGivesTheTwoLineMessageAndNoRow) {
    for (const char *typed : {"(1+2", "1/0", "*5", "7mod0"}) {
        SCOPED_TRACE(typed);
        const EnterOutcome out = RunEnterPath(typed, true, false, 4);
        EXPECT_FALSE(out.ok);
        EXPECT_EQ(out.errorMessage.rfind(std::string(kEvaluationError) + "\r", 0), 0u)
            << out.errorMessage;
        EXPECT_TRUE(out.strLastResult.empty());
        EXPECT_EQ(out.row, Row{});
    }
}

TEST(EnterPath, FaultIsReportedAndRecordedAsZero) {
    std::vector<std::string> faults;
    EvalEnv env;
    env.fault = [&](const std::string &description) { faults.push_back(description); };
    const EnterOutcome out = RunEnterPath(std::string(40000, '1'), true, false, 4, env);
    EXPECT_TRUE(out.ok);
    EXPECT_TRUE(out.faulted);
    EXPECT_FALSE(faults.empty());
    EXPECT_EQ(out.row.resultText, "0");
    EXPECT_EQ(out.row.rawValue, "0");
}

TEST(EnterPath, ResultTextFollowsTheMode) {
    EXPECT_EQ(ResultText(0.25, false, 4), ".25");
    EXPECT_EQ(ResultText(2.5, true, 2), "2.50");
    EXPECT_EQ(ResultText(1e15, false, 4), "1E+15");
    EXPECT_EQ(ResultText(2.5, true, -1), "3.");
}

} // namespace
} // namespace zorbic
