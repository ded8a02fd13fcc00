// The whole Zipto path with real programs: another program has the focus, zorbic starts and
// records it, the user types into zorbic (through XTEST) and presses F12, and the other
// program receives the result.
#include "DesktopTest.h"

#include "keys/FormatKeys.h"

namespace zorbic {
namespace {

using namespace std::chrono_literals;
using test::ChildProcess;
using test::waitUntil;

class ZiptoEndToEnd : public test::DesktopTest {
protected:
    // The other program, in front as the user left it, then the real program with a data
    // folder of its own (in the session's, which goes with it); returns once it is in front.
    void start() {
        target = startTarget("target");
        ASSERT_TRUE(target);
        folder = std::string(std::getenv("XDG_RUNTIME_DIR")) + "/" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        ASSERT_TRUE(std::filesystem::create_directory(folder));
        setenv("ZORBIC_DATA_FILE", (folder + "/ZorbicData.txt").c_str(), 1);
        setenv("XDG_DATA_HOME", folder.c_str(), 1);
        setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
        zorbic = std::make_unique<ChildProcess>(std::vector<std::string>{ZORBIC_PROGRAM},
                                                ChildProcess::Options{});
        ASSERT_TRUE(waitUntil([&] { return zorbicInFront(); }, 20s)) << "zorbic never came up";
        mainWindow = desktop->activeWindow();
        // Its start-up ends with the caret in the expression box; give it a moment past mapping.
        std::this_thread::sleep_for(200ms);
    }
    bool zorbicInFront() {
        const std::uint64_t front = desktop->activeWindow();
        return front != 0 && desktop->windowPid(front) == zorbic->pid();
    }
    bool inFront(std::uint64_t window) {
        return waitUntil([&] { return desktop->activeWindow() == window; }, 10s);
    }

    // Sets the Zipto Options with the keyboard: Shift+F12 opens the dialog with the focus in
    // the after keys; Tab goes on to the before keys, the check box and "Okay".
    void setOptions(const std::string &before, const std::string &after, bool reactivate) {
        type("+{f12}");
        ASSERT_TRUE(waitUntil(
            [&] { return zorbicInFront() && desktop->activeWindow() != mainWindow; }, 10s))
            << "the Zipto Options dialog did not come to the front";
        std::this_thread::sleep_for(100ms);
        type(BraceEach(after) + "{tab}" + BraceEach(before) + "{tab}" + (reactivate ? "" : " ") +
             "{tab} ");
        ASSERT_TRUE(inFront(mainWindow)) << "the main window did not come back after Okay";
    }

    std::string folder;
    std::unique_ptr<test::TargetWindow> target;
    std::unique_ptr<ChildProcess> zorbic;
    std::uint64_t mainWindow = 0;
};

// The before keys, the text, the after keys, in that order; no coming back, so the other
// program stays in front.
TEST_F(ZiptoEndToEnd, KeysBeforeAndAfterTheResultAndNoComingBack) {
    start();
    setOptions("{tab}", "{bs}{tab}", false);
    type("6*7~{f12}");
    const std::string sent = "f1=[] f2=[4] focus=f1 keys=[Tab,4,2,Backspace,Tab]";
    EXPECT_TRUE(target->shows(sent));
    // Nothing follows; zorbic would have asked for the front right after the last key.
    EXPECT_EQ(target->waitFor("", 700ms), sent);
    EXPECT_EQ(desktop->activeWindow(), target->window());
}

// After keys that are no key notation: nothing at all reaches the other program, not even the
// valid before keys, and it is not brought to the front.
TEST_F(ZiptoEndToEnd, BadAfterKeysSendNothing) {
    start();
    setOptions("{tab}", "{nokey}", true);
    type("6*7~{f12}");
    EXPECT_EQ(target->waitFor("", 500ms), "f1=[] f2=[] focus=f1 keys=[]");
    EXPECT_TRUE(zorbicInFront());
}

// The result, with notation characters in it, goes to the program in front at the start, and
// zorbic comes back. The tracking then follows the user into a program opened after the first
// Timer1 tick, which only openbox's announcement of the window in front can tell the calculator.
TEST_F(ZiptoEndToEnd, SendsToTheLastOtherProgramInFront) {
    const std::string sent = "f1=[1.5E+20] f2=[] focus=f1 keys=[1,.,5,Shift+E,Shift++,2,0]";
    start();
    type("15*10{^}19~{f12}");
    EXPECT_TRUE(target->shows(sent));
    EXPECT_TRUE(inFront(mainWindow)) << "zorbic did not come back to the front";
    std::this_thread::sleep_for(800ms);
    auto second = startTarget("second");
    ASSERT_TRUE(second);
    std::this_thread::sleep_for(1200ms);
    ASSERT_EQ(desktop->activate(mainWindow, test::kActivateTimeoutMs), ActivateResult::Activated);
    std::this_thread::sleep_for(1200ms); // ticks with the calculator in front change nothing
    type("{f12}");
    EXPECT_TRUE(second->shows(sent));
    EXPECT_EQ(target->waitFor("", 500ms), sent);
    // The window it tracks vanishing between two ticks must not end it.
    second.reset();
    std::this_thread::sleep_for(1200ms);
    EXPECT_TRUE(zorbic->running());
}

} // namespace
} // namespace zorbic
