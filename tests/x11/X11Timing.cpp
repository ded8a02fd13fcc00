// Times the Zipto round trip on a private Xvfb, with and without a window manager:
// activating the target, typing a result one call per character plus a Tab (each call
// returns once the X server has processed its keys), and activating the calculator back.
// Usage: x11_timing [rounds]
#include "TargetWindow.h"
#include "XSession.h"

#include "platform/x11/X11Desktop.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace zorbic;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void report(const char *what, std::vector<double> figures) {
    if (figures.empty()) return;
    std::sort(figures.begin(), figures.end());
    std::printf("  %-22s min %7.2f  median %7.2f  max %7.2f ms  (n=%zu)\n", what, figures.front(),
                figures[figures.size() / 2], figures.back(), figures.size());
}

bool run(bool withWindowManager, int rounds) {
    std::printf("%s:\n", withWindowManager ? "Xvfb + openbox" : "Xvfb, no window manager");
    test::XSession session(withWindowManager);
    if (!session.ready()) {
        std::printf("  %s\n", session.failure().c_str());
        return false;
    }
    std::string why;
    auto desktop = X11Desktop::open(&why);
    test::TargetWindow target(session, "target");
    test::TargetWindow calculator(session, "calculator");
    if (!desktop || !target.window() || !calculator.window()) {
        std::printf("  set-up failed %s\n", why.c_str());
        return false;
    }
    const std::string result = "1.5E+20";
    std::vector<double> activate, typing, back, tracking;
    int wrong = 0;
    for (int i = 0; i < rounds; ++i) {
        if (!target.clear() ||
            desktop->activate(calculator.window(), 3000) != ActivateResult::Activated)
            return false;
        auto start = Clock::now();
        if (desktop->activate(target.window(), 3000) != ActivateResult::Activated) return false;
        activate.push_back(msSince(start));

        start = Clock::now();
        for (char c : result)
            if (!desktop->sendKeys({KeyStroke{Key::Character, c}}, &why)) return false;
        if (!desktop->sendKeys({KeyStroke{Key::Tab}}, &why)) return false;
        typing.push_back(msSince(start));

        start = Clock::now();
        if (desktop->activate(calculator.window(), 3000) != ActivateResult::Activated) return false;
        back.push_back(msSince(start));

        start = Clock::now();
        desktop->activeWindow();
        desktop->windowPid(calculator.window());
        tracking.push_back(msSince(start));

        const auto state = target.waitForState(
            [&](const test::TargetState &s) { return s.f1 == result && s.focus == "f2"; }, 3s);
        if (!state || state->f1 != result || state->focus != "f2") ++wrong;
    }
    report("activate target", activate);
    report("type 7 chars + Tab", typing);
    report("activate back", back);
    report("tracking tick", tracking);
    std::printf("  text arrived exactly in %d of %d rounds\n", rounds - wrong, rounds);
    return wrong == 0;
}

} // namespace

int main(int argc, char **argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const bool ok = run(true, rounds) && run(false, rounds);
    return ok ? 0 : 1;
}
