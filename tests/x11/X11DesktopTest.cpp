#include "TargetWindow.h"
#include "XSession.h"

#include "platform/x11/X11Desktop.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace zorbic {
namespace {

using namespace std::chrono_literals;
using test::TargetState;
using test::TargetWindow;
using test::XSession;

constexpr int kActivateTimeoutMs = 3000;

std::vector<KeyStroke> characters(const std::string &text) {
    std::vector<KeyStroke> strokes;
    for (char c : text)
        strokes.push_back({Key::Character, c});
    return strokes;
}

KeyStroke named(Key key, bool shift = false, bool ctrl = false) {
    return {key, 0, shift, ctrl};
}

KeyStroke chord(char c, bool shift, bool ctrl) {
    return {Key::Character, c, shift, ctrl};
}

std::vector<KeyStroke> operator+(std::vector<KeyStroke> a, const std::vector<KeyStroke> &b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<KeyStroke> operator+(std::vector<KeyStroke> a, const KeyStroke &b) {
    a.push_back(b);
    return a;
}

// Runs a command-line X client (xdotool) on the session's display to completion.
bool runClient(const XSession &session, const std::vector<std::string> &argv) {
    test::ChildProcess client(argv, {session.environment(), false, false});
    for (int i = 0; i < 500 && client.running(); ++i)
        std::this_thread::sleep_for(10ms);
    return client.exitCode() == 0;
}

const char *describe(ActivateResult r) {
    switch (r) {
    case ActivateResult::Activated:
        return "Activated";
    case ActivateResult::WindowGone:
        return "WindowGone";
    case ActivateResult::Refused:
        return "Refused";
    case ActivateResult::TimedOut:
        return "TimedOut";
    }
    return "?";
}

// Prints the figures so a failing run shows what happened instead of an enum number.
::testing::AssertionResult activated(ActivateResult r) {
    if (r == ActivateResult::Activated) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "activate gave " << describe(r);
}

TEST(X11DesktopOpen, ExplainsAMissingDisplay) {
    const char *saved = std::getenv("DISPLAY");
    const std::string previous = saved ? saved : "";
    struct Case {
        const char *display; // nullptr: unset
        std::string why;
    };
    // :139 is never started by these tests and no socket exists for it unless another
    // server runs there; "nohost" cannot resolve.
    for (const Case &c : {Case{nullptr, "DISPLAY is not set"}, Case{"", "DISPLAY is not set"},
                          Case{"nohost.invalid:7", "Cannot open X display nohost.invalid:7"}}) {
        SCOPED_TRACE(c.display ? c.display : "(unset)");
        if (c.display)
            setenv("DISPLAY", c.display, 1);
        else
            unsetenv("DISPLAY");
        std::string why;
        EXPECT_EQ(X11Desktop::open(&why), nullptr);
        EXPECT_EQ(why, c.why);
    }
    if (saved)
        setenv("DISPLAY", previous.c_str(), 1);
    else
        unsetenv("DISPLAY");
}

// The desktop with a window manager, as on a normal session. One server for the suite.
class WithWindowManager : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        session = std::make_unique<XSession>(true);
        if (session->ready()) desktop = X11Desktop::open(&openFailure);
    }
    static void TearDownTestSuite() {
        desktop.reset();
        session.reset();
    }
    void SetUp() override {
        ASSERT_TRUE(session->ready()) << session->failure();
        ASSERT_NE(desktop, nullptr) << openFailure;
    }

    // Starts a target and waits until the window manager has made it the active window,
    // as a newly opened window is.
    std::unique_ptr<TargetWindow> startTarget(const std::string &title) {
        auto target = std::make_unique<TargetWindow>(*session, title);
        if (target->window() == 0) {
            ADD_FAILURE() << title << ": " << target->failure();
            return nullptr;
        }
        for (int i = 0; i < 500 && desktop->activeWindow() != target->window(); ++i)
            std::this_thread::sleep_for(10ms);
        return target;
    }

    static std::unique_ptr<XSession> session;
    static std::unique_ptr<X11Desktop> desktop;
    static std::string openFailure;
};

std::unique_ptr<XSession> WithWindowManager::session;
std::unique_ptr<X11Desktop> WithWindowManager::desktop;
std::string WithWindowManager::openFailure;

TEST_F(WithWindowManager, TracksTheActiveWindowAndItsOwner) {
    EXPECT_TRUE(desktop->supportsActiveWindow());
    auto target = startTarget("target");
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(desktop->activeWindow(), target->window());
    EXPECT_TRUE(desktop->windowExists(target->window()));
    EXPECT_EQ(desktop->windowPid(target->window()), target->pid());

    auto other = startTarget("other");
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(desktop->activeWindow(), other->window());
    EXPECT_EQ(desktop->windowPid(other->window()), other->pid());
}

// The Zipto round trip: the target was in front, the calculator (here the other window)
// took over; activate the target, type the result one character per call, a Tab after it,
// and bring the other window back.
TEST_F(WithWindowManager, TypesAResultIntoTheTargetAndComesBack) {
    auto target = startTarget("target");
    ASSERT_NE(target, nullptr);
    const std::uint64_t hwndLastActive = desktop->activeWindow();
    ASSERT_EQ(hwndLastActive, target->window());
    auto calculator = startTarget("calculator");
    ASSERT_NE(calculator, nullptr);
    const std::uint64_t front = desktop->activeWindow();
    ASSERT_EQ(front, calculator->window());

    ASSERT_TRUE(activated(desktop->activate(hwndLastActive, kActivateTimeoutMs)));
    EXPECT_EQ(desktop->activeWindow(), target->window());
    std::string why;
    for (const KeyStroke &stroke : characters("1.5E+20"))
        ASSERT_TRUE(desktop->sendKeys({stroke}, &why)) << why;
    ASSERT_TRUE(desktop->sendKeys({named(Key::Tab)}, &why)) << why;
    ASSERT_TRUE(activated(desktop->activate(front, kActivateTimeoutMs)));

    const auto state = target->waitForState(
        [](const TargetState &s) { return s.f1 == "1.5E+20" && s.focus == "f2"; }, 5s);
    ASSERT_TRUE(state);
    EXPECT_EQ(state->f1, "1.5E+20");
    EXPECT_EQ(state->f2, "");
    EXPECT_EQ(state->focus, "f2");
    EXPECT_EQ(state->keys, "1,.,5,Shift+E,Shift++,2,0,Tab");
    EXPECT_EQ(desktop->activeWindow(), calculator->window());
    const auto untouched = calculator->state();
    ASSERT_TRUE(untouched);
    EXPECT_EQ(untouched->f1 + untouched->f2 + untouched->keys, "");
}

TEST_F(WithWindowManager, KeysArriveAsTyped) {
    auto target = startTarget("target");
    ASSERT_NE(target, nullptr);
    struct Case {
        const char *name;
        std::vector<KeyStroke> strokes;
        TargetState expected; // keys not compared
    };
    const std::vector<Case> cases = {
        {"notation characters",
         characters("+^%(){}~E.-[]'\"\\|<>?!@#$&*_=:;,/`"),
         {"+^%(){}~E.-[]'\"\\|<>?!@#$&*_=:;,/`", "", "f1", ""}},
        {"blank and letters", characters("a b Z"), {"a b Z", "", "f1", ""}},
        {"shifted letter", characters("ab") + chord('c', true, false), {"abC", "", "f1", ""}},
        {"ctrl+a then BackSpace",
         characters("abc") + chord('a', false, true) + named(Key::Backspace) + characters("x"),
         {"x", "", "f1", ""}},
        {"Home and End",
         characters("12") + named(Key::Home) + characters("3") + named(Key::End) + characters("4"),
         {"3124", "", "f1", ""}},
        {"Left and Delete",
         characters("123") + named(Key::Left) + named(Key::Left) + named(Key::Delete),
         {"13", "", "f1", ""}},
        // A line edit reached by Tab selects its text, hence End before typing on.
        {"Tab and shift+Tab",
         characters("1") + named(Key::Tab) + characters("2") + named(Key::Tab, true) +
             named(Key::End) + characters("3"),
         {"13", "2", "f1", ""}},
        {"nothing", {}, {"", "", "f1", ""}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(target->clear());
        ASSERT_TRUE(activated(desktop->activate(target->window(), kActivateTimeoutMs)));
        std::string why;
        ASSERT_TRUE(desktop->sendKeys(c.strokes, &why)) << why;
        const auto state = target->waitForState(
            [&](const TargetState &s) {
                return s.f1 == c.expected.f1 && s.f2 == c.expected.f2 &&
                       s.focus == c.expected.focus;
            },
            3s);
        ASSERT_TRUE(state);
        EXPECT_EQ(state->f1, c.expected.f1);
        EXPECT_EQ(state->f2, c.expected.f2);
        EXPECT_EQ(state->focus, c.expected.focus);
    }
}

TEST_F(WithWindowManager, BringsBackAMinimizedTarget) {
    auto target = startTarget("target");
    ASSERT_NE(target, nullptr);
    auto calculator = startTarget("calculator");
    ASSERT_NE(calculator, nullptr);
    // --sync: xdotool returns once the window manager has unmapped (iconified) it.
    ASSERT_TRUE(runClient(
        *session, {"xdotool", "windowminimize", "--sync", std::to_string(target->window())}));

    ASSERT_TRUE(activated(desktop->activate(target->window(), kActivateTimeoutMs)));
    std::string why;
    ASSERT_TRUE(desktop->sendKeys(characters("42"), &why)) << why;
    const auto state = target->waitForState([](const TargetState &s) { return s.f1 == "42"; }, 3s);
    ASSERT_TRUE(state);
    EXPECT_EQ(state->f1, "42");
}

TEST_F(WithWindowManager, RefusesStrokesItCannotType) {
    auto target = startTarget("target");
    ASSERT_NE(target, nullptr);
    // Active in the window manager's eyes is not yet the keyboard focus; activate waits for it.
    ASSERT_TRUE(activated(desktop->activate(target->window(), kActivateTimeoutMs)));
    struct Case {
        const char *name;
        KeyStroke stroke;
    };
    for (const Case &c : {Case{"control character", {Key::Character, '\x01'}},
                          Case{"non-ASCII byte", {Key::Character, '\xe9'}},
                          Case{"key outside the enum", {static_cast<Key>(200), 0}}}) {
        SCOPED_TRACE(c.name);
        std::string why;
        EXPECT_FALSE(desktop->sendKeys(characters("ok") + c.stroke + characters("no"), &why));
        EXPECT_FALSE(why.empty());
    }
    // What came before the bad stroke was sent; nothing after it.
    const auto state =
        target->waitForState([](const TargetState &s) { return s.f1 == "okokok"; }, 3s);
    ASSERT_TRUE(state);
    EXPECT_EQ(state->f1, "okokok");
}

TEST_F(WithWindowManager, AClosedTargetIsReportedGone) {
    auto target = startTarget("target");
    ASSERT_NE(target, nullptr);
    const std::uint64_t window = target->window();
    target->quit();
    EXPECT_FALSE(desktop->windowExists(window));
    EXPECT_EQ(desktop->activate(window, kActivateTimeoutMs), ActivateResult::WindowGone);
    EXPECT_EQ(desktop->windowPid(window), std::nullopt);
    EXPECT_NE(desktop->activeWindow(), window);
    EXPECT_EQ(desktop->activate(0, kActivateTimeoutMs), ActivateResult::WindowGone);
    EXPECT_FALSE(desktop->windowExists(0));
    EXPECT_EQ(desktop->windowPid(0), std::nullopt);
}

// The tracking calls run twice a second for the whole session: under LeakSanitizer this loop
// shows any per-call leak, and a window vanishing between the calls must not end the process.
TEST_F(WithWindowManager, TrackingRepeatedlyStaysConsistent) {
    auto target = startTarget("target");
    ASSERT_NE(target, nullptr);
    for (int i = 0; i < 300; ++i) {
        ASSERT_EQ(desktop->activeWindow(), target->window());
        ASSERT_EQ(desktop->windowPid(target->window()), target->pid());
    }
    const std::uint64_t window = target->window();
    target->quit();
    for (int i = 0; i < 50; ++i) {
        ASSERT_NE(desktop->activeWindow(), window);
        ASSERT_EQ(desktop->windowPid(window), std::nullopt);
    }
}

// A bare X server: no window manager, so no _NET_ACTIVE_WINDOW; the plain input focus serves.
class WithoutWindowManager : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        session = std::make_unique<XSession>(false);
        if (session->ready()) desktop = X11Desktop::open(&openFailure);
    }
    static void TearDownTestSuite() {
        desktop.reset();
        session.reset();
    }
    void SetUp() override {
        ASSERT_TRUE(session->ready()) << session->failure();
        ASSERT_NE(desktop, nullptr) << openFailure;
    }

    static std::unique_ptr<XSession> session;
    static std::unique_ptr<X11Desktop> desktop;
    static std::string openFailure;
};

std::unique_ptr<XSession> WithoutWindowManager::session;
std::unique_ptr<X11Desktop> WithoutWindowManager::desktop;
std::string WithoutWindowManager::openFailure;

TEST_F(WithoutWindowManager, FallsBackToTheInputFocus) {
    EXPECT_FALSE(desktop->supportsActiveWindow());
    TargetWindow target(*session, "target");
    ASSERT_NE(target.window(), 0u) << target.failure();
    TargetWindow calculator(*session, "calculator");
    ASSERT_NE(calculator.window(), 0u) << calculator.failure();

    ASSERT_TRUE(activated(desktop->activate(calculator.window(), kActivateTimeoutMs)));
    EXPECT_EQ(desktop->activeWindow(), calculator.window());
    ASSERT_TRUE(activated(desktop->activate(target.window(), kActivateTimeoutMs)));
    EXPECT_EQ(desktop->activeWindow(), target.window());
    std::string why;
    ASSERT_TRUE(desktop->sendKeys(characters("1.5E+20") + named(Key::Tab), &why)) << why;
    ASSERT_TRUE(activated(desktop->activate(calculator.window(), kActivateTimeoutMs)));
    EXPECT_EQ(desktop->activeWindow(), calculator.window());

    const auto state = target.waitForState(
        [](const TargetState &s) { return s.f1 == "1.5E+20" && s.focus == "f2"; }, 5s);
    ASSERT_TRUE(state);
    EXPECT_EQ(state->f1, "1.5E+20");
    EXPECT_EQ(state->focus, "f2");

    const std::uint64_t gone = target.window();
    target.quit();
    EXPECT_EQ(desktop->activate(gone, kActivateTimeoutMs), ActivateResult::WindowGone);
}

// Without a window manager nobody maps a hidden window again; focusing it is an X error,
// which must come back as a refusal and leave the focus where it was.
TEST_F(WithoutWindowManager, RefusesAHiddenWindow) {
    TargetWindow target(*session, "target");
    ASSERT_NE(target.window(), 0u) << target.failure();
    TargetWindow calculator(*session, "calculator");
    ASSERT_NE(calculator.window(), 0u) << calculator.failure();
    ASSERT_TRUE(activated(desktop->activate(calculator.window(), kActivateTimeoutMs)));
    ASSERT_TRUE(
        runClient(*session, {"xdotool", "windowunmap", "--sync", std::to_string(target.window())}));

    EXPECT_EQ(desktop->activate(target.window(), kActivateTimeoutMs), ActivateResult::Refused);
    EXPECT_TRUE(desktop->windowExists(target.window()));
    EXPECT_EQ(desktop->activeWindow(), calculator.window());
}

} // namespace
} // namespace zorbic
