#pragma once

#include "Wait.h"
#include "XSession.h"

#include "keys/ParseKeys.h"

#include <gtest/gtest.h>

#include <memory>

namespace zorbic::test {

using namespace std::chrono_literals;

// Far above the few milliseconds activation takes, so a loaded machine does not fail the tests.
constexpr int kActivateTimeoutMs = 10000;

// The target program (TargetApp.cpp: one window, two line edits) on the current display. Its
// state reads "f1=[<text>] f2=[<text>] focus=<f1, f2 or none> keys=[<key presses seen>]".
class TargetWindow {
public:
    explicit TargetWindow(const std::string &title)
        : process_({ZORBIC_X11_TARGET, title}, {.pipes = true}) {
        for (auto line = process_.readLine(20s); line && !window_; line = process_.readLine(5s))
            if (line->starts_with("WINDOW ")) window_ = std::stoull(line->substr(7));
    }

    std::uint64_t window() const { return window_; } // 0 when it did not come up
    pid_t pid() const { return process_.pid(); }

    // Reads its states until one starts with `want` (never when empty) or the time is up; the
    // last one. It writes each line at once, so none is read half.
    std::string waitFor(const std::string &want, std::chrono::milliseconds timeout = 10s) {
        waitUntil(
            [&] {
                while (auto line = process_.readLine(0ms))
                    state_ = *line;
                return !want.empty() && state_.starts_with(want);
            },
            timeout);
        return state_;
    }
    ::testing::AssertionResult shows(const std::string &want) {
        if (waitFor(want).starts_with(want)) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "it shows " << state_;
    }

private:
    ChildProcess process_;
    std::uint64_t window_ = 0;
    std::string state_;
};

// One private X server with openbox for a whole GoogleTest suite.
class DesktopTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { session = std::make_unique<XSession>(); }
    static void TearDownTestSuite() { session.reset(); }
    void SetUp() override {
        ASSERT_TRUE(session->ready()) << session->failure();
        desktop = &session->desktop();
    }

    // Starts a target and brings it to the front with the keyboard focus, as a newly opened
    // window is. Null (and a failure recorded) when it did not come up.
    std::unique_ptr<TargetWindow> startTarget(const std::string &title) {
        auto target = std::make_unique<TargetWindow>(title);
        if (target->window() != 0 &&
            desktop->activate(target->window(), kActivateTimeoutMs) == ActivateResult::Activated)
            return target;
        ADD_FAILURE() << title << " did not come to the front";
        return nullptr;
    }

    // Types the key notation into whatever window has the focus.
    void type(const std::string &notation) {
        const KeyParse keys = ParseKeys(notation);
        ASSERT_TRUE(keys.ok()) << keys.error;
        std::string why;
        ASSERT_TRUE(desktop->sendKeys(keys.strokes, &why)) << why;
    }

    static inline std::unique_ptr<XSession> session;
    X11Desktop *desktop = nullptr;
};

} // namespace zorbic::test
