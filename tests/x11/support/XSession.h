#pragma once

#include "ChildProcess.h"

#include "platform/x11/X11Desktop.h"

#include <memory>
#include <string>

namespace zorbic::test {

// A private X server (Xvfb on the first free display from :90 on), optionally with the openbox
// window manager, for the length of a test suite. From its start, DISPLAY, QT_QPA_PLATFORM and
// XDG_RUNTIME_DIR in this process name it, so Qt and every program started later use it.
class XSession {
public:
    explicit XSession(bool withWindowManager);
    ~XSession();
    XSession(const XSession &) = delete;
    XSession &operator=(const XSession &) = delete;

    bool ready() const { return ready_; }
    const std::string &failure() const { return failure_; }
    // A connection of the session's own, valid while ready().
    X11Desktop &desktop() { return *desktop_; }

private:
    bool startServer();
    bool startWindowManager();

    bool ready_ = false;
    std::string failure_;
    std::string runtimeDir_;
    std::unique_ptr<ChildProcess> server_;
    std::unique_ptr<ChildProcess> windowManager_;
    std::unique_ptr<X11Desktop> desktop_;
};

} // namespace zorbic::test
