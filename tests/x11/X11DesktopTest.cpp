#include "DesktopTest.h"

#include "keys/FormatKeys.h"
#include "keys/ParseKeys.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace zorbic {
namespace {

using namespace std::chrono_literals;
using test::ChildProcess;
using test::kActivateTimeoutMs;
using test::TargetState;
using WithWindowManager = test::DesktopTest<true>;
using WithoutWindowManager = test::DesktopTest<false>;

std::vector<KeyStroke> keys(const std::string &notation) {
    const KeyParse parsed = ParseKeys(notation);
    EXPECT_TRUE(parsed.ok()) << notation << ": " << parsed.error;
    return parsed.strokes;
}

// Runs xdotool on the current display to completion.
bool xdotool(const std::string &command, std::uint64_t window) {
    ChildProcess client({"xdotool", command, "--sync", std::to_string(window)}, {});
    return client.waitForExit(10s) && client.exitCode() == 0;
}

TEST(X11DesktopOpen, ExplainsAMissingDisplay) {
    for (const auto &[display, why] :
         {std::pair<const char *, std::string>{"", "DISPLAY is not set"},
          {"nohost.invalid:7", "Cannot open X display nohost.invalid:7"}}) {
        setenv("DISPLAY", display, 1);
        std::string said;
        EXPECT_EQ(X11Desktop::open(&said), nullptr);
        EXPECT_EQ(said, why);
    }
}

// The tracking calls run twice a second for the whole session: under LeakSanitizer the loops
// show any per-call leak, and a window vanishing between the calls must not end the process.
TEST_F(WithWindowManager, TracksTheActiveWindowAndItsOwnerUntilItCloses) {
    EXPECT_TRUE(desktop->supportsActiveWindow());
    auto target = startTarget("target");
    auto other = startTarget("other");
    ASSERT_TRUE(target && other);
    for (int i = 0; i < 300; ++i) {
        ASSERT_EQ(desktop->activeWindow(), other->window());
        ASSERT_EQ(desktop->windowPid(other->window()), other->pid());
        ASSERT_EQ(desktop->windowPid(target->window()), target->pid());
    }
    const std::uint64_t window = other->window();
    other->quit();
    for (int i = 0; i < 50; ++i) {
        ASSERT_NE(desktop->activeWindow(), window);
        ASSERT_EQ(desktop->windowPid(window), std::nullopt);
    }
    for (const std::uint64_t gone : {window, std::uint64_t{0}}) {
        SCOPED_TRACE(gone);
        EXPECT_FALSE(desktop->windowExists(gone));
        EXPECT_EQ(desktop->activate(gone, kActivateTimeoutMs), ActivateResult::WindowGone);
        EXPECT_EQ(desktop->windowPid(gone), std::nullopt);
    }
    EXPECT_TRUE(desktop->windowExists(target->window()));
}

TEST_F(WithWindowManager, KeysArriveAsTyped) {
    auto target = startTarget("target");
    ASSERT_TRUE(target);
    const std::string punctuation = "+^%(){}~E.-[]'\"\\|<>?!@#$&*_=:;,/`";
    struct Case {
        std::string notation;
        std::string f1, f2, focus;
    };
    const Case cases[] = {
        {BraceEach(punctuation), punctuation, "", "f1"},
        {"a b Z", "a b Z", "", "f1"},
        {"ab+c", "abC", "", "f1"},
        {"abc^a{bs}x", "x", "", "f1"},
        {"12{home}3{end}4", "3124", "", "f1"},
        {"123{left}{left}{del}", "13", "", "f1"},
        // A line edit reached by Tab selects its text, hence End before typing on.
        {"1{tab}2+{tab}{end}3", "13", "2", "f1"},
        {"", "", "", "f1"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.notation);
        ASSERT_TRUE(target->clear());
        ASSERT_EQ(desktop->activate(target->window(), kActivateTimeoutMs),
                  ActivateResult::Activated);
        std::string why;
        ASSERT_TRUE(desktop->sendKeys(keys(c.notation), &why)) << why;
        const auto shown = [&](const TargetState &s) {
            return s.f1 == c.f1 && s.f2 == c.f2 && s.focus == c.focus;
        };
        const auto state = target->waitForState(shown, 5s);
        EXPECT_TRUE(state && shown(*state)) << (state ? *state : TargetState{});
    }
}

TEST_F(WithWindowManager, BringsBackAMinimizedTarget) {
    auto target = startTarget("target");
    auto calculator = startTarget("calculator");
    ASSERT_TRUE(target && calculator);
    // --sync: xdotool returns once the window manager has unmapped (iconified) it.
    ASSERT_TRUE(xdotool("windowminimize", target->window()));

    ASSERT_EQ(desktop->activate(target->window(), kActivateTimeoutMs), ActivateResult::Activated);
    std::string why;
    ASSERT_TRUE(desktop->sendKeys(keys("42"), &why)) << why;
    const auto state = target->waitForState([](const TargetState &s) { return s.f1 == "42"; }, 5s);
    EXPECT_EQ(state.value_or(TargetState{}).f1, "42");
}

TEST_F(WithWindowManager, RefusesStrokesItCannotType) {
    auto target = startTarget("target");
    ASSERT_TRUE(target);
    // Active in the window manager's eyes is not yet the keyboard focus; activate waits for it.
    ASSERT_EQ(desktop->activate(target->window(), kActivateTimeoutMs), ActivateResult::Activated);
    struct Case {
        const char *name;
        KeyStroke stroke;
    };
    for (const Case &c : {Case{"control character", {Key::Character, '\x01'}},
                          Case{"non-ASCII byte", {Key::Character, '\xe9'}},
                          Case{"key outside the enum", {static_cast<Key>(200), 0}}}) {
        SCOPED_TRACE(c.name);
        std::vector<KeyStroke> strokes = keys("ok");
        strokes.push_back(c.stroke);
        strokes.push_back({Key::Character, 'n'});
        std::string why;
        EXPECT_FALSE(desktop->sendKeys(strokes, &why));
        EXPECT_FALSE(why.empty());
    }
    // What came before the bad stroke was sent; nothing after it.
    const auto state =
        target->waitForState([](const TargetState &s) { return s.f1 == "okokok"; }, 5s);
    EXPECT_EQ(state.value_or(TargetState{}).f1, "okokok");
}

// A bare X server: no window manager, so no _NET_ACTIVE_WINDOW; the plain input focus serves.
// Nobody maps a hidden window again there; focusing one is an X error, which must come back as
// a refusal and leave the focus where it was.
TEST_F(WithoutWindowManager, FallsBackToTheInputFocusAndRefusesAHiddenWindow) {
    EXPECT_FALSE(desktop->supportsActiveWindow());
    auto target = startTarget("target");
    auto calculator = startTarget("calculator");
    ASSERT_TRUE(target && calculator);
    for (const auto &window : {calculator->window(), target->window()}) {
        ASSERT_EQ(desktop->activate(window, kActivateTimeoutMs), ActivateResult::Activated);
        EXPECT_EQ(desktop->activeWindow(), window);
    }
    std::string why;
    ASSERT_TRUE(desktop->sendKeys(keys("{1}{.}{5}{E}{+}{2}{0}{tab}"), &why)) << why;
    ASSERT_EQ(desktop->activate(calculator->window(), kActivateTimeoutMs),
              ActivateResult::Activated);
    EXPECT_EQ(desktop->activeWindow(), calculator->window());
    const auto state = target->waitForState(
        [](const TargetState &s) { return s.f1 == "1.5E+20" && s.focus == "f2"; }, 10s);
    EXPECT_TRUE(state && state->f1 == "1.5E+20" && state->focus == "f2")
        << state.value_or(TargetState{});

    ASSERT_TRUE(xdotool("windowunmap", target->window()));
    EXPECT_EQ(desktop->activate(target->window(), kActivateTimeoutMs), ActivateResult::Refused);
    EXPECT_TRUE(desktop->windowExists(target->window()));
    EXPECT_EQ(desktop->activeWindow(), calculator->window());
    const std::uint64_t gone = target->window();
    target->quit();
    EXPECT_EQ(desktop->activate(gone, kActivateTimeoutMs), ActivateResult::WindowGone);
}

} // namespace
} // namespace zorbic
