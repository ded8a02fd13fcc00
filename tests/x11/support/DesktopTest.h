#pragma once

#include "Wait.h"
#include "XSession.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <sstream>

namespace zorbic::test {

using namespace std::chrono_literals;

// Far above the few milliseconds activation takes, so a loaded machine does not fail the tests.
constexpr int kActivateTimeoutMs = 10000;

// What the target program reports about itself.
struct TargetState {
    std::string f1, f2;
    std::string focus; // "f1", "f2" or "none"
    std::string keys;  // the key presses it saw, comma-separated, as Qt names them
    bool operator==(const TargetState &) const = default;
};

inline std::ostream &operator<<(std::ostream &out, const TargetState &s) {
    return out << "f1=[" << s.f1 << "] f2=[" << s.f2 << "] focus=" << s.focus << " keys=[" << s.keys
               << "]";
}

// The target program (TargetApp.cpp: one window, two line edits) on the current display.
class TargetWindow {
public:
    explicit TargetWindow(const std::string &title)
        : process_({ZORBIC_X11_TARGET, title}, {.pipes = true}) {
        const auto line = process_.readLine(20s);
        if (line && line->starts_with("WINDOW ")) window_ = std::stoull(line->substr(7));
    }

    std::uint64_t window() const { return window_; } // 0 when it did not come up
    pid_t pid() const { return process_.pid(); }

    // Its answer is STATE, f1, f2, focus and keys separated by tabs, which typed text never holds.
    std::optional<TargetState> state() {
        std::istringstream in(process_.writeLine("dump") ? process_.readLine(5s).value_or("") : "");
        std::string tag;
        TargetState s;
        if (!std::getline(in, tag, '\t') || tag != "STATE" || !std::getline(in, s.f1, '\t') ||
            !std::getline(in, s.f2, '\t') || !std::getline(in, s.focus, '\t'))
            return std::nullopt;
        std::getline(in, s.keys);
        return s;
    }
    // Polls until done(state) holds or the time is up; the last state seen.
    TargetState waitForState(const std::function<bool(const TargetState &)> &done,
                             std::chrono::milliseconds timeout = 10s) {
        std::optional<TargetState> last;
        waitUntil([&] { return (last = state()) && done(*last); }, timeout);
        return last.value_or(TargetState{});
    }
    TargetState waitForText(const std::string &f1) {
        return waitForState([&](const TargetState &s) { return s.f1 == f1; });
    }
    bool clear() { return process_.writeLine("clear") && process_.readLine(5s) == "CLEARED"; }
    void quit() {
        process_.writeLine("quit");
        process_.waitForExit(5s);
        process_.stop();
    }

private:
    ChildProcess process_;
    std::uint64_t window_ = 0;
};

// One private X server for a whole GoogleTest suite, with or without a window manager.
template <bool WithWindowManager> class DesktopTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { session = std::make_unique<XSession>(WithWindowManager); }
    static void TearDownTestSuite() { session.reset(); }
    void SetUp() override {
        ASSERT_TRUE(session->ready()) << session->failure();
        desktop = &session->desktop();
    }

    // Starts a target; with a window manager, waits until it is the active window, as a newly
    // opened window is. Null (and a failure recorded) when it did not come up.
    std::unique_ptr<TargetWindow> startTarget(const std::string &title) {
        auto target = std::make_unique<TargetWindow>(title);
        if (target->window() == 0) {
            ADD_FAILURE() << title << " showed no window";
            return nullptr;
        }
        if (WithWindowManager &&
            !waitUntil([&] { return desktop->activeWindow() == target->window(); }, 20s))
            ADD_FAILURE() << title << " never became the active window";
        return target;
    }

    static inline std::unique_ptr<XSession> session;
    X11Desktop *desktop = nullptr;
};

} // namespace zorbic::test
