// Zipto on a headless sway: the real zorbic, a native Wayland client, types into a native
// Wayland window. Sway refuses to run as root, so it and every client run as the unprivileged
// uid 65534 on a runtime folder of their own; this test types into zorbic through a virtual
// keyboard of its own, as the user's keyboard would.
#include "ChildProcess.h"
#include "Wait.h"

#include "lists/DataFile.h"
#include "platform/wayland/KeysymMap.h"
#include "platform/wayland/VirtualKeyboard.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <thread>
#include <unistd.h>

namespace zorbic {
namespace {

using namespace std::chrono_literals;
using test::ChildProcess;
using test::waitUntil;
namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

std::string readFile(const std::string &name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeOwned(const std::string &name, const std::string &bytes) {
    std::ofstream(name, std::ios::binary) << bytes;
    if (chown(name.c_str(), kNobody, kNobody) != 0) std::perror("chown");
}

class ZiptoWayland : public testing::Test {
protected:
    static void SetUpTestSuite() {
        char pattern[] = "/tmp/zorbic-swayXXXXXX";
        if (!mkdtemp(pattern)) return;
        dir = pattern;
        if (chown(dir.c_str(), kNobody, kNobody) != 0) return;
        writeOwned(dir + "/config",
                   "output HEADLESS-1 resolution 1280x800\n"
                   "default_border none\nfocus_follows_mouse no\nxwayland disable\n");
        sway = std::make_unique<ChildProcess>(
            asNobody({"WLR_BACKENDS=headless", "WLR_LIBINPUT_NO_DEVICES=1", "WLR_RENDERER=pixman",
                      "sway", "-c", dir + "/config"}),
            ChildProcess::Options{false, true});
        // Sway is ready once both of its sockets exist.
        const auto ready = [] {
            bool ipc = false;
            for (const fs::directory_entry &e : fs::directory_iterator(dir)) {
                const std::string name = e.path().filename();
                if (name.rfind("sway-ipc.", 0) == 0) ipc = true;
                if (name.rfind("wayland-", 0) == 0 && name.find('.') == std::string::npos)
                    display = name;
            }
            return ipc && !display.empty();
        };
        if (!waitUntil(ready, 15s)) return;
        setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
        setenv("WAYLAND_DISPLAY", display.c_str(), 1);
        keyboard = VirtualKeyboard::open(&keyboardProblem);
    }
    static void TearDownTestSuite() {
        keyboard.reset();
        sway.reset();
        std::error_code ignored;
        if (!dir.empty()) fs::remove_all(dir, ignored);
    }

    void SetUp() override {
        if (display.empty()) GTEST_SKIP() << "headless sway did not start on this machine";
        ASSERT_TRUE(keyboard) << keyboardProblem;
    }
    void TearDown() override {
        zorbic.reset();
        sink.reset();
        for (const char *name : {"/keys", "/focus", "/ZorbicData.txt"})
            fs::remove(dir + name);
    }

    // The program as uid 65534 in the sway session, with no X display.
    static std::vector<std::string> asNobody(std::vector<std::string> command) {
        std::vector<std::string> argv{
            "setpriv", "--reuid=65534",  "--regid=65534", "--clear-groups", "env", "-u", "DISPLAY",
            "-u",      "QT_QPA_PLATFORM"};
        for (const char *name : {"XDG_RUNTIME_DIR=", "HOME=", "XDG_DATA_HOME=", "XDG_CONFIG_HOME="})
            argv.push_back(name + dir);
        argv.insert(argv.end(),
                    {"WAYLAND_DISPLAY=" + display, "ZORBIC_DATA_FILE=" + dir + "/ZorbicData.txt"});
        argv.insert(argv.end(), command.begin(), command.end());
        return argv;
    }

    std::string focus() { return readFile(dir + "/focus"); }
    std::string keys() { return readFile(dir + "/keys"); }

    // The sink window in front, then zorbic started over it; returns once zorbic has the focus.
    void start() {
        sink = std::make_unique<ChildProcess>(
            asNobody({"QT_QPA_PLATFORM=wayland", ZORBIC_KEY_SINK, dir + "/keys", dir + "/focus"}),
            ChildProcess::Options{false, true});
        ASSERT_TRUE(waitUntil([&] { return focus() == "1"; }, 20s)) << "the sink never had focus";
        zorbic = std::make_unique<ChildProcess>(asNobody({ZORBIC_PROGRAM}),
                                                ChildProcess::Options{false, true});
        ASSERT_TRUE(waitUntil([&] { return focus() == "0"; }, 20s)) << "zorbic never took focus";
        std::this_thread::sleep_for(300ms); // its start-up ends with the caret in the box
    }

    void type(const std::string &notation) {
        std::string why;
        ASSERT_TRUE(keyboard->type(ToKeysymEvents(notation), &why)) << why;
    }

    bool zorbicBack() {
        return waitUntil([&] { return focus() == "0"; }, 10s);
    }

    static inline std::string dir, display, keyboardProblem;
    static inline std::unique_ptr<ChildProcess> sway;
    static inline std::unique_ptr<VirtualKeyboard> keyboard;
    std::unique_ptr<ChildProcess> sink, zorbic;
};

TEST_F(ZiptoWayland, TabAfterAndNoReactivationLeaveTheFocusInTheTarget) {
    start();
    // Shift+F12 opens the options with the focus in the after keys; Tab goes on to the before
    // keys, the check box (cleared) and "Okay".
    type("+{f12}");
    std::this_thread::sleep_for(500ms);
    type("{{}tab{}}{tab}{tab} {tab} ");
    std::this_thread::sleep_for(500ms);
    type("6*7~{f12}");
    ASSERT_TRUE(waitUntil([&] { return keys() == "42\t"; }, 10s)) << keys();
    std::this_thread::sleep_for(1s); // zorbic would have come back by now
    EXPECT_EQ(focus(), "1");
    // A second launch shows the hidden calculator and ends.
    ChildProcess again(asNobody({ZORBIC_PROGRAM}), ChildProcess::Options{false, true});
    EXPECT_TRUE(again.waitForExit(10s));
    EXPECT_EQ(again.exitCode(), 0);
    EXPECT_TRUE(zorbicBack()) << "the hidden zorbic was not shown";
}

// A history row whose result holds every printable ASCII character and three beyond (two, three
// and four bytes of UTF-8), made the last result with Ctrl+C in the history list, sent ten times.
TEST_F(ZiptoWayland, EveryPrintableAsciiCharacterAndSomeBeyondArriveTenRoundsInARow) {
    std::string ascii;
    for (char c = 0x21; c < 0x7f; ++c)
        ascii += c == 'A' ? std::string("A ") : std::string(1, c); // a result keeps no edge blank
    ascii += "\u00e9\u20ac\U0001F600";                             // and beyond ASCII
    ResultTables tables;
    tables.strHistory[1] = Row{ascii, "1+1", "1+1", "2"};
    tables.intHistoryCount = 1;
    writeOwned(dir + "/ZorbicData.txt", DataFileText(DataFileModes{true, true, 4}, "", tables));
    start();
    type("+{tab}^a^c");
    for (std::size_t round = 1; round <= 10; ++round) {
        type("{f12}");
        ASSERT_TRUE(waitUntil([&] { return keys().size() >= ascii.size() * round; }, 15s))
            << keys().size() << " characters arrived by round " << round;
        ASSERT_TRUE(zorbicBack()) << "round " << round;
        std::this_thread::sleep_for(200ms);
        EXPECT_EQ(keys().substr(ascii.size() * (round - 1)), ascii) << "round " << round;
    }
}

} // namespace
} // namespace zorbic
