// Times the Zipto round trip on a private Xvfb, with and without a window manager:
// activating the target, typing a result one call per character plus a Tab (each call
// returns once the X server has processed its keys), and activating the calculator back.
// Usage: x11_timing [rounds]
#include "TargetWindow.h"
#include "XSession.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace zorbic;
using Clock = std::chrono::steady_clock;

bool run(bool withWindowManager, int rounds) {
    std::printf("%s:\n", withWindowManager ? "Xvfb + openbox" : "Xvfb, no window manager");
    test::XSession session(withWindowManager);
    test::TargetWindow target("target");
    test::TargetWindow calculator("calculator");
    if (!session.ready() || !target.window() || !calculator.window()) {
        std::printf("  set-up failed: %s\n", session.failure().c_str());
        return false;
    }
    X11Desktop &desktop = session.desktop();
    const std::string result = "1.5E+20";
    std::vector<double> figures[4];
    auto step = [&](int which, auto &&action) {
        const auto start = Clock::now();
        const bool ok = action();
        figures[which].push_back(
            std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        return ok;
    };
    int exact = 0;
    for (int i = 0; i < rounds; ++i) {
        std::string why;
        const bool ok =
            target.clear() &&
            desktop.activate(calculator.window(), 3000) == ActivateResult::Activated &&
            step(0,
                 [&] {
                     return desktop.activate(target.window(), 3000) == ActivateResult::Activated;
                 }) &&
            step(1,
                 [&] {
                     for (char c : result)
                         if (!desktop.sendKeys({{Key::Character, c}}, &why)) return false;
                     return desktop.sendKeys({{Key::Tab}}, &why);
                 }) &&
            step(2,
                 [&] {
                     return desktop.activate(calculator.window(), 3000) ==
                            ActivateResult::Activated;
                 }) &&
            step(3, [&] { return desktop.windowPid(desktop.activeWindow()).has_value(); });
        if (!ok) return false;
        const auto state = target.waitForState(
            [&](const test::TargetState &s) { return s.f1 == result && s.focus == "f2"; },
            std::chrono::seconds(3));
        exact += state && state->f1 == result && state->focus == "f2";
    }
    const char *names[] = {"activate target", "type 7 chars + Tab", "activate back",
                           "tracking tick"};
    for (int i = 0; i < 4; ++i) {
        std::vector<double> &f = figures[i];
        std::sort(f.begin(), f.end());
        std::printf("  %-22s min %7.2f  median %7.2f  max %7.2f ms  (n=%zu)\n", names[i], f.front(),
                    f[f.size() / 2], f.back(), f.size());
    }
    std::printf("  text arrived exactly in %d of %d rounds\n", exact, rounds);
    return exact == rounds;
}

} // namespace

int main(int argc, char **argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    return run(true, rounds) && run(false, rounds) ? 0 : 1;
}
