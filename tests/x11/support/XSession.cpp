#include "XSession.h"

#include "Wait.h"

#include <cstdlib>
#include <filesystem>

namespace zorbic::test {

using namespace std::chrono_literals;

// Xvfb takes the first display number whose lock file it can create and writes it to
// -displayfd (our pipe), so two suites starting at once never share a server. -noreset: by
// default the server resets when its last client leaves and refuses connections meanwhile.
XSession::XSession(bool withWindowManager) {
    char dir[] = "/tmp/zorbic-x11-XXXXXX"; // mkdtemp makes it 0700, as Qt wants
    runtimeDir_ = mkdtemp(dir) ? dir : "";
    setenv("XDG_RUNTIME_DIR", runtimeDir_.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    server_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"Xvfb", "-displayfd", "1", "-noreset", "-screen", "0",
                                 "1280x800x24", "-nolisten", "tcp"},
        ChildProcess::Options{.pipes = true, .quiet = true});
    const auto number = server_->readLine(10s);
    if (!number) {
        failure_ = "Xvfb did not start";
        return;
    }
    setenv("DISPLAY", std::string(":").append(*number).c_str(), 1);
    desktop_ = X11Desktop::open(&failure_);
    if (!desktop_ || !withWindowManager) return;
    // openbox announces itself before it has finished taking over the screen, and a window
    // mapped in between was sometimes never managed; its --startup command runs once it is.
    const std::string readyFile = runtimeDir_ + "/openbox-ready";
    windowManager_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"openbox", "--sm-disable", "--startup", "touch " + readyFile},
        ChildProcess::Options{.quiet = true});
    waitUntil(
        [&] {
            return !windowManager_->running() ||
                   (std::filesystem::exists(readyFile) && desktop_->supportsActiveWindow());
        },
        20s);
    if (!windowManager_->running() || !desktop_->supportsActiveWindow())
        failure_ = "openbox did not come up";
}

XSession::~XSession() {
    desktop_.reset();
    windowManager_.reset();
    server_.reset();
    std::error_code ignored;
    if (!runtimeDir_.empty()) std::filesystem::remove_all(runtimeDir_, ignored);
}

} // namespace zorbic::test
