#pragma once

#include "ChildProcess.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>

namespace zorbic::test {

// What the target program reports about itself.
struct TargetState {
    std::string f1;
    std::string f2;
    std::string focus; // "f1", "f2" or "none"
    std::string keys;  // the key presses it saw, comma-separated, as Qt names them
    bool operator==(const TargetState &) const = default;
};

inline std::ostream &operator<<(std::ostream &out, const TargetState &s) {
    return out << "f1=[" << s.f1 << "] f2=[" << s.f2 << "] focus=" << s.focus << " keys=[" << s.keys
               << "]";
}

// The target program (one window, two line edits) running on the current display.
class TargetWindow {
public:
    explicit TargetWindow(const std::string &title);

    // 0 when it did not come up; failure() then says what was seen.
    std::uint64_t window() const { return window_; }
    const std::string &failure() const { return failure_; }
    pid_t pid() const { return process_.pid(); }

    std::optional<TargetState> state();
    // Polls the state until done(state) holds or the time is up; the last state seen.
    std::optional<TargetState> waitForState(const std::function<bool(const TargetState &)> &done,
                                            std::chrono::milliseconds timeout);
    bool clear();
    // Asks it to quit and waits until it has.
    void quit();

private:
    ChildProcess process_;
    std::uint64_t window_ = 0;
    std::string failure_;
};

} // namespace zorbic::test
