#pragma once

#include "TargetWindow.h"
#include "Wait.h"
#include "XSession.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

namespace zorbic {

// So that a failed activation shows its name instead of a number.
inline std::ostream &operator<<(std::ostream &out, ActivateResult r) {
    constexpr const char *names[] = {"Activated", "WindowGone", "Refused", "TimedOut"};
    return out << names[static_cast<int>(r)];
}

namespace test {

// Far above the few milliseconds activation takes, so a loaded machine does not fail the tests.
constexpr int kActivateTimeoutMs = 10000;

// One private X server for a whole GoogleTest suite, with or without a window manager.
template <bool WithWindowManager> class DesktopTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { session = std::make_unique<XSession>(WithWindowManager); }
    static void TearDownTestSuite() { session.reset(); }
    void SetUp() override {
        ASSERT_TRUE(session->ready()) << session->failure();
        desktop = &session->desktop();
    }

    // Starts a target; with a window manager, waits until it has made it the active window,
    // as a newly opened window is. Null (and a failure recorded) when it did not come up.
    std::unique_ptr<TargetWindow> startTarget(const std::string &title) {
        auto target = std::make_unique<TargetWindow>(title);
        if (target->window() == 0) {
            ADD_FAILURE() << title << ": " << target->failure();
            return nullptr;
        }
        if (WithWindowManager &&
            !waitUntil([&] { return desktop->activeWindow() == target->window(); },
                       std::chrono::seconds(20)))
            ADD_FAILURE() << title << " never became the active window";
        return target;
    }

    static inline std::unique_ptr<XSession> session;
    X11Desktop *desktop = nullptr;
};

} // namespace test
} // namespace zorbic
