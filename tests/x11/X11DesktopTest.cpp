#include "DesktopTest.h"

#include "keys/FormatKeys.h"

namespace zorbic {
namespace {

using namespace std::chrono_literals;
using test::kActivateTimeoutMs;
using X11DesktopTest = test::DesktopTest;

// The tracking calls run twice a second for the whole session: under LeakSanitizer the loops
// show any per-call leak, and a window vanishing between the calls must not end the process.
TEST_F(X11DesktopTest, TracksTheActiveWindowAndItsOwnerUntilItCloses) {
    auto target = startTarget("target");
    auto other = startTarget("other");
    ASSERT_TRUE(target && other);
    for (int i = 0; i < 300; ++i) {
        ASSERT_EQ(desktop->activeWindow(), other->window());
        ASSERT_EQ(desktop->windowPid(other->window()), other->pid());
        ASSERT_EQ(desktop->windowPid(target->window()), target->pid());
    }
    const std::uint64_t window = other->window();
    other.reset();
    for (int i = 0; i < 50; ++i) {
        ASSERT_NE(desktop->activeWindow(), window);
        ASSERT_EQ(desktop->windowPid(window), std::nullopt);
    }
    for (const std::uint64_t gone : {window, std::uint64_t{0}}) {
        EXPECT_FALSE(desktop->windowExists(gone)) << gone;
        EXPECT_EQ(desktop->activate(gone, kActivateTimeoutMs), ActivateResult::WindowGone);
    }
    EXPECT_TRUE(desktop->windowExists(target->window()));
}

// Each row into a fresh target: the notation, and the state it leaves.
TEST_F(X11DesktopTest, KeysArriveAsTyped) {
    const std::string punctuation = "+^%(){}~E.-[]'\"\\|<>?!@#$&*_=:;,/`";
    const std::string cases[][2] = {
        {BraceEach(punctuation),
         std::string("f1=[").append(punctuation).append("] f2=[] focus=f1")},
        {"a b Z", "f1=[a b Z] f2=[] focus=f1"},
        {"ab+c", "f1=[abC] f2=[] focus=f1"},
        {"abc^a{bs}x", "f1=[x] f2=[] focus=f1"},
        {"12{home}3{end}4", "f1=[3124] f2=[] focus=f1"},
        {"123{left}{left}{del}", "f1=[13] f2=[] focus=f1"},
        // A line edit reached by Tab selects its text, hence End before typing on.
        {"1{tab}2+{tab}{end}3", "f1=[13] f2=[2] focus=f1"},
    };
    for (const auto &[notation, state] : cases) {
        auto target = startTarget("target");
        ASSERT_TRUE(target);
        type(notation);
        EXPECT_TRUE(target->shows(state)) << notation;
    }
}

// A minimized target comes back to be typed into. What comes before a stroke that cannot be
// typed is sent; nothing after it.
TEST_F(X11DesktopTest, BringsBackAMinimizedTargetAndStopsAtAStrokeItCannotType) {
    auto target = startTarget("target");
    ASSERT_TRUE(target);
    // --sync: xdotool returns once the window manager has unmapped (iconified) it.
    test::ChildProcess xdotool(
        {"xdotool", "windowminimize", "--sync", std::to_string(target->window())}, {});
    ASSERT_TRUE(xdotool.waitForExit(10s) && xdotool.exitCode() == 0);
    // Active in the window manager's eyes is not yet the keyboard focus; activate waits for it.
    ASSERT_EQ(desktop->activate(target->window(), kActivateTimeoutMs), ActivateResult::Activated);
    for (const KeyStroke bad :
         {KeyStroke{Key::Character, '\x01'}, KeyStroke{Key::Character, '\xe9'},
          KeyStroke{static_cast<Key>(200), 0}}) {
        std::string why;
        EXPECT_FALSE(desktop->sendKeys(
            {{Key::Character, 'o'}, {Key::Character, 'k'}, bad, {Key::Character, 'n'}}, &why));
        EXPECT_FALSE(why.empty());
    }
    EXPECT_TRUE(target->shows("f1=[okokok]"));
    EXPECT_TRUE(target->waitFor("", 500ms).starts_with("f1=[okokok]"));
}

} // namespace
} // namespace zorbic
