#include "DesktopTest.h"

#include "CaseFile.h"

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
        EXPECT_FALSE(desktop->waitUntilViewable(gone, 100)) << gone;
        EXPECT_EQ(desktop->activate(gone, kActivateTimeoutMs), ActivateResult::WindowGone);
    }
    EXPECT_TRUE(desktop->windowExists(target->window()));
}

// Each row of cases/typed.tsv into a fresh target: the notation, and the state it leaves.
TEST_F(X11DesktopTest, KeysArriveAsTyped) {
    for (const test::CaseRow &row : test::ReadCases(ZORBIC_X11_CASES "/typed.tsv", 2)) {
        auto target = startTarget("target");
        ASSERT_TRUE(target);
        type(row.fields[0]);
        EXPECT_TRUE(target->shows(row.fields[1])) << row.fields[0];
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
    // Not on the screen: the wait ends at its bound. Brought back by another client while it
    // waits, it is told at once; already on the screen, it does not wait at all.
    EXPECT_FALSE(desktop->waitUntilViewable(target->window(), 100));
    test::ChildProcess restore({"xdotool", "windowactivate", std::to_string(target->window())}, {});
    const auto before = std::chrono::steady_clock::now();
    EXPECT_TRUE(desktop->waitUntilViewable(target->window(), 10000));
    EXPECT_LT(std::chrono::steady_clock::now() - before, 5s);
    EXPECT_TRUE(desktop->waitUntilViewable(target->window(), 0));
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
