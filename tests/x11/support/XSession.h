#pragma once

#include "ChildProcess.h"

#include "platform/x11/X11Desktop.h"

#include <filesystem>
#include <memory>

namespace zorbic::test {

// A private Xvfb with openbox, for the length of a test suite. Once it is up,
// DISPLAY, QT_QPA_PLATFORM and XDG_RUNTIME_DIR in this process name it, so Qt and every
// program started later use it.
class XSession {
public:
    // Xvfb takes the first display number whose lock file it can create and writes it to
    // -displayfd (our pipe), so two suites starting at once never share a server. -noreset:
    // by default the server resets when its last client leaves and refuses connections then.
    XSession() {
        using namespace std::chrono_literals;
        char dir[] = "/tmp/zorbic-x11-XXXXXX"; // mkdtemp makes it 0700, as Qt wants
        runtimeDir_ = mkdtemp(dir) ? dir : "";
        setenv("XDG_RUNTIME_DIR", runtimeDir_.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        server_ = std::make_unique<ChildProcess>(
            std::vector<std::string>{"Xvfb", "-displayfd", "1", "-noreset", "-screen", "0",
                                     "1280x800x24", "-nolisten", "tcp"},
            ChildProcess::Options{.pipes = true, .quiet = true});
        const auto number = server_->readLine(10s);
        failure_ = number ? "" : "Xvfb did not start";
        if (number) setenv("DISPLAY", std::string(":").append(*number).c_str(), 1);
        if (number) desktop_ = X11Desktop::open(&failure_);
        if (!desktop_) return;
        // openbox announces itself before it has taken over the screen, and a window mapped in
        // between was sometimes never managed; its --startup command runs once it has.
        const std::string readyFile = runtimeDir_ + "/openbox-ready";
        windowManager_ = std::make_unique<ChildProcess>(
            std::vector<std::string>{"openbox", "--sm-disable", "--startup", "touch " + readyFile},
            ChildProcess::Options{.quiet = true});
        if (!waitUntil(
                [&] {
                    return std::filesystem::exists(readyFile) && desktop_->supportsActiveWindow();
                },
                20s))
            failure_ = "openbox did not come up";
    }
    ~XSession() {
        desktop_.reset();
        windowManager_.reset();
        server_.reset();
        std::error_code ignored;
        if (!runtimeDir_.empty()) std::filesystem::remove_all(runtimeDir_, ignored);
    }

    bool ready() const { return desktop_ != nullptr && failure_.empty(); }
    const std::string &failure() const { return failure_; }
    X11Desktop &desktop() { return *desktop_; } // a connection of the session's own

private:
    std::string runtimeDir_, failure_;
    std::unique_ptr<ChildProcess> server_, windowManager_;
    std::unique_ptr<X11Desktop> desktop_;
};

} // namespace zorbic::test
