#include "engine/Evaluate.h"
#include "engine/NumberText.h"
#include "engine/Routines.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

namespace zorbic {
namespace {

struct Outcome {
    double value;
    std::string text;
    EvalReport report;
    std::vector<std::string> faults;
};

Outcome Evaluate(std::string text, bool degrees = true, EvalEnv env = {}) {
    Outcome o;
    env.fault = [&o](const std::string &d) { o.faults.push_back(d); };
    o.value = fnEvaluate(text, degrees, env, &o.report);
    o.text = std::move(text);
    return o;
}

TEST(Evaluator, FaultSinkIsCalledOncePerFaultingLevel) {
    // Each faulting group gives 0 to its parent, which goes on.
    const Outcome two = Evaluate("(EXP(1000))+(2*(ACOSH-2))+1");
    EXPECT_EQ(two.faults,
              (std::vector<std::string>{"Overflow", "Invalid procedure call or argument"}));
    EXPECT_EQ(two.value, 1);
    EXPECT_TRUE(two.report.faulted);
    // Without a sink the fault is still reported.
    std::string text = "EXP(1000)";
    EvalReport report;
    EXPECT_EQ(fnEvaluate(text, true, {}, &report), 0);
    EXPECT_TRUE(report.faulted);
    // An impossible injected date is a fault, not a crash.
    EvalEnv env;
    env.today = [] { return CivilDate{2024, 2, 30}; };
    EXPECT_EQ(Evaluate("@TODAY", true, env).faults.size(), 1u);
}

// A report reused for a later evaluation carries no reason from the earlier one.
TEST(Evaluator, ReportIsResetForEachEvaluation) {
    EvalReport report;
    std::string bad = "1/0", good = "1+1";
    fnEvaluate(bad, true, {}, &report);
    EXPECT_EQ(report.errorReason, "Division by zero");
    EXPECT_EQ(fnEvaluate(good, true, {}, &report), 2);
    EXPECT_TRUE(report.errorReason.empty());
}

TEST(Evaluator, TodayDefaultsToTheLocalDate) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%m-%d-%Y", &local);
    const double value = Evaluate("@TODAY").value;
    // Around midnight the date may move on between the two readings.
    EXPECT_GE(value, Date2Num(text));
    EXPECT_LE(value, Date2Num(text) + 1);
}

TEST(Evaluator, DeepNesting) {
    const int depth = 16000;
    std::string text = std::string(depth, '(') + "1+1" + std::string(depth, ')');
    Outcome o = Evaluate(text);
    EXPECT_EQ(o.value, 2);
    EXPECT_EQ(o.text, text);

    // A fault deep down ends only its own level.
    std::string deep = std::string(depth, '(') + "EXP(1000)" + std::string(depth, ')') + "+5";
    o = Evaluate(deep);
    EXPECT_EQ(o.value, 5);
    EXPECT_EQ(o.faults.size(), 1u);

    // An error deep down ends them all.
    std::string error = "2*" + std::string(depth, '(') + "1/0" + std::string(depth, ')');
    o = Evaluate(error);
    EXPECT_EQ(o.text, "%" + error);
}

TEST(Evaluator, TextsUpTo32767CharactersEvaluate) {
    std::string text = "1";
    while (text.size() + 2 <= kMaxExpressionLength)
        text += "+1";
    ASSERT_EQ(text.size(), kMaxExpressionLength);
    EXPECT_EQ(Evaluate(text).value, 16384);
    // Blanks do not count: they are removed first.
    EXPECT_EQ(Evaluate(text + std::string(1000, ' ')).value, 16384);
    const Outcome longer = Evaluate(text + "0");
    EXPECT_EQ(longer.faults, std::vector<std::string>{"Overflow"});
    EXPECT_EQ(longer.text, text + "0");
}

// Functions and factorials replaced by their longer values make the text outgrow the limit.
TEST(Evaluator, TextGrowingPast32767CharactersIsAFault) {
    for (const std::string term : {"SIN1", "170!"}) {
        SCOPED_TRACE(term);
        std::string text = term;
        while (text.size() + 5 <= kMaxExpressionLength)
            text += "+" + term;
        const Outcome o = Evaluate(text);
        EXPECT_EQ(o.faults, std::vector<std::string>{"Overflow"});
        EXPECT_EQ(o.value, 0);
    }
}

// Long single-stage runs exercise the one-pass rewriting of every stage.
TEST(Evaluator, ManyOperationsOfEveryKind) {
    struct Case {
        const char *first, *repeated, *last;
        double value;
    };
    for (const Case &c : {Case{"1", "*1", "", 1}, Case{"1", "^2", "", 1},
                          Case{"1", "=-1", "", 0}, // 1=-1 is 0, 0=-1 is 0, ...
                          Case{"1", "OR1AND3", "", 1}, Case{"", "3!+", "0", 18000}}) {
        SCOPED_TRACE(c.repeated);
        std::string text = c.first;
        for (int i = 0; i < 3000; ++i)
            text += c.repeated;
        EXPECT_EQ(Evaluate(text + c.last).value, c.value);
    }
}

} // namespace
} // namespace zorbic
