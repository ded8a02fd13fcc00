#include "entry/rules/EnterPath.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zorbic {
namespace {

// The evaluation itself is covered by the engine's case files; these rows check what the Enter
// path makes of it: the tidied box, the mode and the history row.
TEST(EnterPath, SuccessfulEvaluationsAndTheirRows) {
    struct Case {
        std::string typed;
        bool degrees, fixed;
        Integer decimals;
        std::string box, prepared, result, raw;
    };
    const std::vector<Case> cases{
        {"2 pi", true, false, 4, "2PI", "2*3.14159265358979", "6.28318530717958",
         "6.28318530717958"},
        {"-1/4", true, false, 4, "-1/4", "-1/4", "-.25", "-0.25"},
        {" 1 +\r\n 2 ", true, false, 4, "1+2", "1+2", "3", "3"},
        {"", true, false, 4, "", "", "0", "0"},
        {"sin(pi/2)", false, false, 4, "SIN(PI/2)", "SIN(3.14159265358979/2)", "1", "1"},
        {"10/3", true, true, 2, "10/3", "10/3", "3.33", "3.33333333333333"},
        {"7/2", true, true, 0, "7/2", "7/2", "4.", "3.5"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        const EnterOutcome out = RunEnterPath(c.typed, c.degrees, c.fixed, c.decimals);
        ASSERT_TRUE(out.ok) << out.errorMessage;
        EXPECT_EQ(out.boxText, c.box);
        EXPECT_EQ(out.prepared, c.prepared);
        EXPECT_EQ(out.strLastResult, c.result);
        EXPECT_EQ(out.row, (Row{c.result, c.result + " = " + c.prepared, c.prepared, c.raw}));
        EXPECT_TRUE(out.errorMessage.empty());
    }
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
    const EnterOutcome out = RunEnterPath("exp(1000)", true, false, 4, env);
    EXPECT_TRUE(out.ok);
    EXPECT_TRUE(out.faulted);
    EXPECT_FALSE(faults.empty());
    EXPECT_EQ(out.row.resultText, "0");
    EXPECT_EQ(out.row.rawValue, "0");
}

// A text too long to prepare is not evaluated at all, so no 0 is recorded for it.
TEST(EnterPath, TextThatPreparesTooLongIsNotEvaluated) {
    const EnterOutcome out = RunEnterPath(std::string(1425, 'e'), true, false, 4);
    EXPECT_FALSE(out.ok);
    EXPECT_TRUE(out.faulted);
    EXPECT_EQ(out.errorMessage, "Overflow");
    EXPECT_EQ(out.boxText, std::string(1425, 'E'));
    EXPECT_THROW(RunEnterPath(std::string(32768, '1'), true, false, 4), TextOverflow);
}

} // namespace
} // namespace zorbic
