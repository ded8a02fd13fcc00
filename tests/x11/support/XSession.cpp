#include "XSession.h"

#include "Wait.h"

#include <cstdlib>
#include <filesystem>

namespace zorbic::test {

namespace {

using namespace std::chrono_literals;

bool displayInUse(int n) {
    std::error_code ignored;
    return std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(n), ignored) ||
           std::filesystem::exists("/tmp/.X" + std::to_string(n) + "-lock", ignored);
}

} // namespace

XSession::XSession(bool withWindowManager) {
    char dir[] = "/tmp/zorbic-x11-XXXXXX"; // mkdtemp makes it 0700, as Qt wants
    if (mkdtemp(dir)) runtimeDir_ = dir;
    setenv("XDG_RUNTIME_DIR", runtimeDir_.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    ready_ = !runtimeDir_.empty() && startServer() && (!withWindowManager || startWindowManager());
}

XSession::~XSession() {
    desktop_.reset();
    windowManager_.reset();
    server_.reset();
    std::error_code ignored;
    if (!runtimeDir_.empty()) std::filesystem::remove_all(runtimeDir_, ignored);
}

// -noreset: by default the server resets when its last client leaves, and refuses
// connections for a moment while it does; our probe connection is such a last client.
// Another program may start a server on the same number between our look and Xvfb's start.
// Only the one that gets the lock file writes its number to -displayfd (our pipe), so
// the connection we then open is to our server; the loser exits and we try the next number.
bool XSession::startServer() {
    for (int n = 90; n <= 140; ++n) {
        if (displayInUse(n)) continue;
        const std::string name = std::string(":").append(std::to_string(n));
        auto server = std::make_unique<ChildProcess>(
            std::vector<std::string>{"Xvfb", name, "-displayfd", "1", "-noreset", "-screen", "0",
                                     "1280x800x24", "-nolisten", "tcp"},
            ChildProcess::Options{.pipes = true, .quiet = true});
        if (!server->started()) {
            failure_ = "Cannot start Xvfb";
            return false;
        }
        const auto announced = server->readLine(10s);
        if (!announced || *announced != std::to_string(n)) continue;
        setenv("DISPLAY", name.c_str(), 1);
        server_ = std::move(server);
        desktop_ = X11Desktop::open(&failure_);
        return desktop_ != nullptr;
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
        ChildProcess::Options{.quiet = true});
    const bool up = waitUntil(
        [&] {
            std::error_code ignored;
            return !windowManager_->running() || (std::filesystem::exists(readyFile, ignored) &&
                                                  desktop_->supportsActiveWindow());
        },
        20s);
    if (up && windowManager_->running()) return true;
    failure_ = "openbox did not come up";
    return false;
}

} // namespace zorbic::test
