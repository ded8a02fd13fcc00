#include "TargetWindow.h"

#include <string_view>
#include <thread>

namespace zorbic::test {

namespace {

using namespace std::chrono_literals;

// The text between "name=[" and the next "]" followed by a blank or the end; field texts
// in the tests never contain "] ".
std::string field(const std::string &line, const std::string &name) {
    const std::string open = name + "=[";
    const auto start = line.find(open);
    if (start == std::string::npos) return {};
    const auto from = start + open.size();
    auto end = line.find("] ", from);
    if (end == std::string::npos) end = line.rfind(']');
    return end == std::string::npos || end < from ? std::string{} : line.substr(from, end - from);
}

std::string word(const std::string &line, const std::string &name) {
    const std::string key = " " + name + "=";
    const auto start = line.find(key);
    if (start == std::string::npos) return {};
    const auto from = start + key.size();
    return line.substr(from, line.find(' ', from) - from);
}

} // namespace

TargetWindow::TargetWindow(const XSession &session, const std::string &title)
    : process_({ZORBIC_X11_TARGET, title}, ChildProcess::Options{session.environment(), true}) {
    const auto line = process_.readLine(15s);
    constexpr std::string_view prefix = "WINDOW ";
    if (line && line->starts_with(prefix))
        window_ = std::stoull(line->substr(prefix.size()));
    else if (line)
        failure_ = "The target program said \"" + *line + "\" instead of its window id";
    else
        failure_ = process_.running() ? "The target program showed no window within 15 s"
                                      : "The target program did not start or ended early";
}

std::optional<TargetState> TargetWindow::state() {
    if (!process_.writeLine("dump")) return std::nullopt;
    const auto line = process_.readLine(5s);
    if (!line || !line->starts_with("STATE ")) return std::nullopt;
    return TargetState{field(*line, "f1"), field(*line, "f2"), word(*line, "focus"),
                       field(*line, "keys")};
}

std::optional<TargetState>
TargetWindow::waitForState(const std::function<bool(const TargetState &)> &done,
                           std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::optional<TargetState> last;
    for (;;) {
        if (auto s = state()) {
            last = s;
            if (done(*s)) return last;
        }
        if (std::chrono::steady_clock::now() >= deadline) return last;
        std::this_thread::sleep_for(20ms);
    }
}

bool TargetWindow::clear() {
    if (!process_.writeLine("clear")) return false;
    const auto line = process_.readLine(5s);
    return line && *line == "CLEARED";
}

void TargetWindow::quit() {
    process_.writeLine("quit");
    for (int i = 0; i < 500 && process_.running(); ++i)
        std::this_thread::sleep_for(10ms);
    process_.stop();
}

} // namespace zorbic::test
