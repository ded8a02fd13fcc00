#include "TargetWindow.h"

#include "Wait.h"

#include <sstream>

namespace zorbic::test {

using namespace std::chrono_literals;

TargetWindow::TargetWindow(const std::string &title)
    : process_({ZORBIC_X11_TARGET, title}, {.pipes = true}) {
    const auto line = process_.readLine(20s);
    if (line && line->starts_with("WINDOW "))
        window_ = std::stoull(line->substr(7));
    else if (line)
        failure_ = "The target program said \"" + *line + "\" instead of its window id";
    else
        failure_ = process_.running() ? "The target program showed no window within 20 s"
                                      : "The target program did not start or ended early";
}

// The answer is "STATE", f1, f2, focus and keys separated by tabs, which typed text never holds.
std::optional<TargetState> TargetWindow::state() {
    if (!process_.writeLine("dump")) return std::nullopt;
    const auto line = process_.readLine(5s);
    std::istringstream in(line.value_or(""));
    std::string tag;
    TargetState s;
    if (!std::getline(in, tag, '\t') || tag != "STATE" || !std::getline(in, s.f1, '\t') ||
        !std::getline(in, s.f2, '\t') || !std::getline(in, s.focus, '\t'))
        return std::nullopt;
    std::getline(in, s.keys);
    return s;
}

std::optional<TargetState>
TargetWindow::waitForState(const std::function<bool(const TargetState &)> &done,
                           std::chrono::milliseconds timeout) {
    std::optional<TargetState> last;
    waitUntil(
        [&] {
            if (auto s = state()) last = s;
            return last && done(*last);
        },
        timeout);
    return last;
}

bool TargetWindow::clear() {
    return process_.writeLine("clear") && process_.readLine(5s) == "CLEARED";
}

void TargetWindow::quit() {
    process_.writeLine("quit");
    process_.waitForExit(5s);
    process_.stop();
}

} // namespace zorbic::test
