#include "engine/Evaluate.h"

#include "engine/Internal.h"
#include "engine/Routines.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

namespace zorbic {

using namespace detail;

namespace {

// A level's text with what the parenthesis stage needs precomputed: the partner of every "(",
// and where the named constants still occur. A nested level reads the inner text of its group
// straight from its parent's buffer (the parent does not touch it while the nested level runs),
// so 16,000 nested groups cost neither 16,000 copies nor 16,000 scans for partners.
struct Buffer {
    std::string text;
    std::vector<std::int32_t> close;  // for a "(" at i, the index of its ")", or -1
    std::vector<std::int32_t> pi;     // indices of "PI" still in the text
    std::vector<std::int32_t> today;  // indices of "@TODAY"
    std::vector<std::int32_t> quotes; // quotes[i]: double quotes before index i
};

std::vector<std::int32_t> Occurrences(std::string_view text, std::string_view name) {
    std::vector<std::int32_t> at;
    for (std::size_t p = text.find(name); p != std::string_view::npos;
         p = text.find(name, p + name.size()))
        at.push_back(static_cast<std::int32_t>(p));
    return at;
}

std::unique_ptr<Buffer> MakeBuffer(std::string text) {
    auto b = std::make_unique<Buffer>();
    b->text = std::move(text);
    const std::string_view t = b->text;
    b->close.assign(t.size(), -1);
    std::vector<std::int32_t> open;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '(') {
            open.push_back(static_cast<std::int32_t>(i));
        } else if (t[i] == ')' && !open.empty()) {
            b->close[static_cast<std::size_t>(open.back())] = static_cast<std::int32_t>(i);
            open.pop_back();
        }
    }
    b->pi = Occurrences(t, "PI");
    b->today = Occurrences(t, "@TODAY");
    if (!b->pi.empty() || !b->today.empty()) {
        b->quotes.resize(t.size() + 1);
        for (std::size_t i = 0; i < t.size(); ++i)
            b->quotes[i + 1] = b->quotes[i] + (t[i] == '"');
    }
    return b;
}

// Does a nested level on [begin, end) of the buffer have a constant to replace? Its first
// occurrence of a name is replaced unless an odd number of quotes stands before it.
bool NeedsConstants(const Buffer &b, std::size_t begin, std::size_t end) {
    auto check = [&](const std::vector<std::int32_t> &at, std::size_t length) {
        auto it = std::lower_bound(at.begin(), at.end(), static_cast<std::int32_t>(begin));
        if (it == at.end() || static_cast<std::size_t>(*it) + length > end) return false;
        return (b.quotes[static_cast<std::size_t>(*it)] - b.quotes[begin]) % 2 == 0;
    };
    return check(b.pi, 2) || check(b.today, 6);
}

// One level of the evaluation, as a nested call would hold it.
struct Frame {
    std::unique_ptr<Buffer> own; // set when this level's text differs from its parent's
    const Buffer *buf = nullptr;
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t pos = 0;        // next index to look at for "("
    std::size_t groupClose = 0; // the ")" of the group a nested level is evaluating
    std::string out;            // the text so far, groups replaced by their values
    bool started = false;
};

CivilDate SystemToday() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

// The date as Date2Num takes it: "mm-dd-yyyy".
std::string DateText(const CivilDate &d) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%02d-%02d-%04d", d.month, d.day, d.year);
    return buf;
}

class Evaluator {
public:
    Evaluator(bool degrees, const EvalEnv &env, EvalReport &report)
        : degrees_(degrees), env_(env), report_(report) {
        today_ = [this] { return DateText(env_.today ? env_.today() : SystemToday()); };
    }

    // The parenthesis stage calls the evaluator for every group; the calls are kept on an
    // explicit stack so that the nesting depth is limited by the text, not by the thread's
    // stack. A fault ends only the level it happens in, which then gives 0 to its parent; the
    // error path ends them all.
    double run(const std::string &expression) {
        stack_.emplace_back();
        double value = 0;
        bool returned = false;
        while (!stack_.empty()) {
            try {
                Frame &f = stack_.back();
                if (!f.started) {
                    f.started = true;
                    if (stack_.size() == 1)
                        startTop(f, expression);
                    else
                        startNested(f);
                } else if (returned) {
                    f.out.append(NumText(value).view());
                    f.pos = f.groupClose + 1;
                }
                returned = false;
                if (nextGroup()) continue;
                Frame &g = stack_.back();
                std::string s = std::move(g.out);
                s.append(g.buf->text, g.pos, g.end - g.pos);
                value = RunStages(s, degrees_);
            } catch (const Fault &fault) {
                report_.faulted = true;
                if (env_.fault) env_.fault(fault.description);
                value = 0;
            }
            stack_.pop_back();
            returned = true;
        }
        return value;
    }

private:
    // Stages 1 to 4 of the top level.
    void startTop(Frame &f, const std::string &expression) {
        std::string s = Compact(expression);
        if (s.size() > kMaxExpressionLength) throw Fault{kOverflow};
        ReplaceConstants(s, today_); // matches case exactly, before upper-casing
        for (char &c : s)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (InCount(s, "(") != InCount(s, ")")) throw EvalError{"Parentheses do not match"};
        if (ASCII(s) == '%') throw EvalError{"The expression begins with %"};
        f.own = MakeBuffer(std::move(s));
        f.buf = f.own.get();
        f.begin = f.pos = 0;
        f.end = f.buf->text.size();
    }

    // Stages 1 to 4 of a nested level: its text is already blank-free, upper-case and has
    // balanced parentheses; only a constant its parent left inside a quoted text may remain.
    void startNested(Frame &f) {
        if (NeedsConstants(*f.buf, f.begin, f.end)) {
            std::string s = f.buf->text.substr(f.begin, f.end - f.begin);
            ReplaceConstants(s, today_);
            f.own = MakeBuffer(std::move(s));
            f.buf = f.own.get();
            f.begin = f.pos = 0;
            f.end = f.buf->text.size();
        }
        if (f.begin < f.end && f.buf->text[f.begin] == '%')
            throw EvalError{"The expression begins with %"};
    }

    // Stage 5 up to the next group that needs a nested level; pushes that level and returns
    // true, or returns false when no group is left.
    bool nextGroup() {
        Frame &f = stack_.back();
        const char *t = f.buf->text.data();
        for (;;) {
            const void *hit = std::memchr(t + f.pos, '(', f.end - f.pos);
            if (hit == nullptr) return false;
            const auto k = static_cast<std::size_t>(static_cast<const char *>(hit) - t);
            const std::int32_t close = f.buf->close[k];
            // A "(" with no partner after it, as in ")(": the text request is invalid.
            if (close < 0 || static_cast<std::size_t>(close) >= f.end) throw Fault{kInvalidCall};
            const auto c = static_cast<std::size_t>(close);
            f.out.append(t + f.pos, k - f.pos);
            const std::string_view inner(t + k + 1, c - k - 1);
            // A group that holds just a number, like (5) or (+5), needs no nested level.
            if (const auto v = PlainNumber(inner)) {
                f.out.append(NumText(*v).view());
                f.pos = c + 1;
                continue;
            }
            f.groupClose = c;
            Frame nested;
            nested.buf = f.buf;
            nested.begin = nested.pos = k + 1;
            nested.end = c;
            stack_.push_back(std::move(nested)); // f is not used after this
            return true;
        }
    }

    bool degrees_;
    const EvalEnv &env_;
    EvalReport &report_;
    TodayText today_;
    std::vector<Frame> stack_;
};

} // namespace

double fnEvaluate(std::string &expression, bool degrees, const EvalEnv &env, EvalReport *report) {
    EvalReport local;
    EvalReport &r = report != nullptr ? *report : local;
    r = EvalReport{};
    try {
        return Evaluator(degrees, env, r).run(expression);
    } catch (const EvalError &error) {
        r.errorReason = error.reason;
        expression = "%" + expression;
        return 0;
    }
}

} // namespace zorbic
