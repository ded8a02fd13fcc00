// One-shot evaluation: the box text through the Enter path's text steps (strip and upper-case,
// fnConvertDegrees, fnEvaluate) to the value, against muparser parsing and evaluating the same
// expression each time (SetExpr + Eval). Prints the time ratios after the run.
#include "engine/Evaluate.h"
#include "engine/Prepare.h"

#include <benchmark/benchmark.h>
#include <muParser.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

struct Expression {
    const char *typed;    // as typed into the box
    const char *muparser; // the same in muparser syntax, or nullptr
};

// Typical typed expressions. The engine runs in radians so that the trigonometric ones mean
// the same as in muparser.
const std::vector<Expression> kTypical = {
    {"2+3", "2+3"},
    {"10/4", "10/4"},
    {"2 pi", "2*_pi"},
    {"sin 0.5", "sin(0.5)"},
    {"1/3*3", "1/3*3"},
    {"2*(3+4)^2-1", "2*(3+4)^2-1"},
    {"(1+2)*(3+4)", "(1+2)*(3+4)"},
    {"100*1.175", "100*1.175"},
    {"1234.56-789.01", "1234.56-789.01"},
    {"3.5*2.25+1", "3.5*2.25+1"},
    {"sqr(2)", "sqrt(2)"},
    {"ln(10)", "ln(10)"},
    {"log(1000)", "log10(1000)"},
    {"exp(1)", "exp(1)"},
    {"abs(-5)", "abs(-5)"},
    {"2^10", "2^10"},
    {"1e3*2", "1e3*2"},
    {"50%", "50/100"},
    {"(2+3)*(4-1)/5", "(2+3)*(4-1)/5"},
    {"1.5*(2.5+3.5)", "1.5*(2.5+3.5)"},
    {"-7+3*2", "-7+3*2"},
    {"12.5*4/2", "12.5*4/2"},
    {"3.14159*2*2", "3.14159*2*2"},
    {"cos(0.25)*2", "cos(0.25)*2"},
    {"tan 1", "tan(1)"},
    {"atan(1)*4", "atan(1)*4"},
    {"asin .5", "asin(.5)"},
    {"acos .5", "acos(.5)"},
    {"sinh 1", "sinh(1)"},
    {"cosh 1", "cosh(1)"},
    {"(1+2+3+4+5)/5", "(1+2+3+4+5)/5"},
    {"99.99*12", "99.99*12"},
    {"1000*(1+0.05)^10", "1000*(1+0.05)^10"},
    {"2*3+4*5-6/2", "2*3+4*5-6/2"},
    {"0.1+0.2", "0.1+0.2"},
    {"17.5/100*240", "17.5/100*240"},
    {"((2+3)*4)^2", "((2+3)*4)^2"},
    {"365*24*60", "365*24*60"},
    {"1/7", "1/7"},
    {"2^0.5", "2^0.5"},
    {"4.5+(6*2)", "4.5+(6*2)"},
    {"5!", nullptr},
    {"7\\2", nullptr},
};

std::string Sum(int terms) {
    std::string s = "1.5";
    for (int i = 2; i <= terms; ++i)
        s.append("+").append(std::to_string(i)).append(".5");
    return s;
}

std::string Nested(int depth) {
    std::string s;
    for (int i = 0; i < depth; ++i)
        s += "(1.5+";
    s += "2";
    for (int i = 0; i < depth; ++i)
        s += ")*1.01";
    return s;
}

// Numbers joined by a rotation of the four arithmetic operators.
std::string Terms(int terms) {
    static const char ops[] = {'+', '*', '-', '/'};
    std::string s = "1.25";
    for (int i = 1; i < terms; ++i) {
        s += ops[i % 4];
        s.append(std::to_string(i % 89 + 2)).append(".75");
    }
    return s;
}

std::string Pad(std::string s, char filler, std::size_t size) {
    s.resize(size, filler);
    return s;
}

double EnterPath(const std::string &box) {
    std::string expression = zorbic::PrepareBoxText(box);
    zorbic::fnConvertDegrees(expression);
    return zorbic::fnEvaluate(expression, false);
}

void RunZorbic(benchmark::State &state, const std::vector<std::string> &corpus) {
    for (auto _ : state)
        for (const std::string &box : corpus)
            benchmark::DoNotOptimize(EnterPath(box));
    state.counters["per_expr_ns"] = benchmark::Counter(
        static_cast<double>(corpus.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void RunMuParser(benchmark::State &state, const std::vector<std::string> &corpus) {
    mu::Parser parser;
    for (auto _ : state) {
        for (const std::string &expr : corpus) {
            parser.SetExpr(expr);
            benchmark::DoNotOptimize(parser.Eval());
        }
    }
    state.counters["per_expr_ns"] = benchmark::Counter(
        static_cast<double>(corpus.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

std::vector<std::string> TypicalZorbic() {
    std::vector<std::string> out;
    for (const Expression &e : kTypical)
        if (e.muparser != nullptr) out.emplace_back(e.typed);
    return out;
}

std::vector<std::string> TypicalMuParser() {
    std::vector<std::string> out;
    for (const Expression &e : kTypical)
        if (e.muparser != nullptr) out.emplace_back(e.muparser);
    return out;
}

std::vector<std::string> AllTypical() {
    std::vector<std::string> out;
    for (const Expression &e : kTypical)
        out.emplace_back(e.typed);
    return out;
}

// Worst cases of 32,767 characters, each stressing one part of the evaluator.
std::vector<std::string> Worst(int which) {
    const std::size_t n = zorbic::kMaxExpressionLength;
    switch (which) {
    case 0: { // 16,383 additions
        std::string s = "1";
        while (s.size() + 2 <= n)
            s += "+1";
        return {s};
    }
    case 1: // 16,383 nested groups
        return {std::string(n / 2, '(') + "1" + std::string(n / 2, ')')};
    case 2: { // groups side by side, each a nested level
        std::string s = "(1+1)";
        while (s.size() + 6 <= n)
            s += "+(1+1)";
        return {s};
    }
    case 3: { // powers, products, sums, comparisons and functions all mixed
        std::string s = "1";
        static const char *pieces[] = {"+2^2", "*3", "-ABS4", "/5", "+6>1", "-NOT7"};
        for (int i = 0; s.size() + 6 <= n; ++i)
            s += pieces[i % 6];
        return {s};
    }
    case 4: // one number of 32,767 digits
        return {Pad("1", '0', n)};
    default: { // implied products for fnConvertDegrees: 2(2(2(...))), the most that prepare to
               // 32,767 characters ("2(" becomes "2*(", and each group closes with ")")
        std::string s;
        for (std::size_t i = 0; i < n / 4; ++i)
            s += "2(";
        return {s + std::string(n / 4, ')')};
    }
    }
}

#define ZORBIC_PAIR(name, zorbicCorpus, muCorpus)                                                  \
    void BM_Zorbic_##name(benchmark::State &state) {                                               \
        static const std::vector<std::string> corpus = zorbicCorpus;                               \
        RunZorbic(state, corpus);                                                                  \
    }                                                                                              \
    BENCHMARK(BM_Zorbic_##name);                                                                   \
    void BM_MuParser_##name(benchmark::State &state) {                                             \
        static const std::vector<std::string> corpus = muCorpus;                                   \
        RunMuParser(state, corpus);                                                                \
    }                                                                                              \
    BENCHMARK(BM_MuParser_##name);

ZORBIC_PAIR(Typical, TypicalZorbic(), TypicalMuParser())
ZORBIC_PAIR(Sum100, {Sum(100)}, {Sum(100)})
ZORBIC_PAIR(Nested50, {Nested(50)}, {Nested(50)})
ZORBIC_PAIR(Terms1000, {Terms(1000)}, {Terms(1000)})

void BM_Zorbic_TypicalAll(benchmark::State &state) {
    static const std::vector<std::string> corpus = AllTypical();
    RunZorbic(state, corpus);
}
BENCHMARK(BM_Zorbic_TypicalAll);

void BM_Zorbic_Worst32767(benchmark::State &state) {
    const std::vector<std::string> corpus = Worst(static_cast<int>(state.range(0)));
    static const char *labels[] = {"16383 additions", "16383 nested groups", "5461 groups",
                                   "mixed stages",    "32767 digits",        "implied products"};
    state.SetLabel(labels[state.range(0)]);
    RunZorbic(state, corpus);
}
BENCHMARK(BM_Zorbic_Worst32767)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// Keeps the CPU time per iteration of every run so that main can print the ratios. CPU time,
// because the build machine is shared and wall-clock time there mostly measures the neighbours.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override {
        for (const Run &run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                times[run.benchmark_name()] =
                    run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times; // CPU seconds per iteration
};

} // namespace

int main(int argc, char **argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nCPU time per iteration; muparser / zorbic (above 1: zorbic is faster)\n");
    for (const char *name : {"Typical", "Sum100", "Nested50", "Terms1000"}) {
        const auto z = reporter.times.find(std::string("BM_Zorbic_") + name);
        const auto m = reporter.times.find(std::string("BM_MuParser_") + name);
        if (z == reporter.times.end() || m == reporter.times.end()) continue;
        std::printf("  %-10s zorbic %10.3f us  muparser %10.3f us  ratio %6.2f\n", name,
                    z->second * 1e6, m->second * 1e6, m->second / z->second);
    }
    std::printf("32,767-character worst cases (target: under 50 ms):\n");
    for (const auto &[name, seconds] : reporter.times)
        if (name.rfind("BM_Zorbic_Worst32767", 0) == 0)
            std::printf("  %-26s %8.3f ms\n", name.c_str(), seconds * 1e3);
    benchmark::Shutdown();
    return 0;
}
