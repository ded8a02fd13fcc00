#include "XSession.h"

#include "platform/x11/X11Desktop.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace zorbic::test {

namespace {

using namespace std::chrono_literals;

// Polls until ready() holds or the time is up.
template <typename Ready> bool waitFor(Ready ready, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!ready()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

bool displayInUse(int n) {
    namespace fs = std::filesystem;
    std::error_code ignored;
    return fs::exists("/tmp/.X11-unix/X" + std::to_string(n), ignored) ||
           fs::exists("/tmp/.X" + std::to_string(n) + "-lock", ignored);
}

} // namespace

XSession::XSession(bool withWindowManager) {
    if (const char *d = std::getenv("DISPLAY")) {
        hadDisplay_ = true;
        previousDisplay_ = d;
    }
    char dir[] = "/tmp/zorbic-x11-XXXXXX"; // mkdtemp makes it 0700, as Qt wants
    if (mkdtemp(dir)) runtimeDir_ = dir;
    ready_ = startServer() && (!withWindowManager || startWindowManager());
}

XSession::~XSession() {
    windowManager_.reset();
    server_.reset();
    if (hadDisplay_)
        setenv("DISPLAY", previousDisplay_.c_str(), 1);
    else
        unsetenv("DISPLAY");
    if (!runtimeDir_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(runtimeDir_, ignored);
    }
}

std::vector<std::string> XSession::environment() const {
    std::vector<std::string> env{"DISPLAY=" + display_, "QT_QPA_PLATFORM=xcb"};
    if (!runtimeDir_.empty()) env.push_back("XDG_RUNTIME_DIR=" + runtimeDir_);
    return env;
}

// -noreset: by default the server resets when its last client leaves, and refuses
// connections for a moment while it does; our probe connection is such a last client.
// Another program may start a server on the same number between our look and Xvfb's start.
// Only the one that gets the lock file writes its number to -displayfd (our pipe), so
// the connection we then open is to our server; the loser exits and we try the next number.
bool XSession::startServer() {
    for (int n = 90; n <= 140; ++n) {
        if (displayInUse(n)) continue;
        const std::string name = ":" + std::to_string(n);
        auto server = std::make_unique<ChildProcess>(
            std::vector<std::string>{"Xvfb", name, "-displayfd", "1", "-noreset", "-screen", "0",
                                     "1280x800x24", "-nolisten", "tcp"},
            ChildProcess::Options{{}, true, true});
        if (!server->started()) {
            failure_ = "Cannot start Xvfb";
            return false;
        }
        const auto announced = server->readLine(10s);
        if (!announced || *announced != std::to_string(n)) continue;
        setenv("DISPLAY", name.c_str(), 1);
        std::string why;
        if (X11Desktop::open(&why)) {
            display_ = name;
            server_ = std::move(server);
            return true;
        }
        failure_ = why;
        return false;
    }
    failure_ = "No free X display between :90 and :140";
    return false;
}

// openbox announces itself on the root window before it has finished taking over the
// screen; a window mapped in between was sometimes never managed (nor shown). Its --startup
// command runs once it is done, so the test waits for the file that command creates.
bool XSession::startWindowManager() {
    const std::string readyFile = runtimeDir_ + "/openbox-ready";
    windowManager_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"openbox", "--sm-disable", "--startup", "touch " + readyFile},
        ChildProcess::Options{environment(), false, true});
    std::string why;
    auto desktop = X11Desktop::open(&why);
    if (runtimeDir_.empty() || !windowManager_->started() || !desktop) {
        failure_ = "Cannot start openbox: " + why;
        return false;
    }
    std::error_code ignored;
    const bool up = waitFor(
        [&] {
            return !windowManager_->running() ||
                   (std::filesystem::exists(readyFile, ignored) && desktop->supportsActiveWindow());
        },
        10s);
    if (!up || !windowManager_->running()) {
        failure_ = "openbox did not come up";
        return false;
    }
    return true;
}

} // namespace zorbic::test
