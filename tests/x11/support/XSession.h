#pragma once

#include "ChildProcess.h"

#include "platform/x11/X11Desktop.h"

#include <memory>
#include <string>

namespace zorbic::test {

// A private Xvfb, optionally with openbox, for the length of a test suite. Once it is up,
// DISPLAY, QT_QPA_PLATFORM and XDG_RUNTIME_DIR in this process name it, so Qt and every
// program started later use it.
class XSession {
public:
    explicit XSession(bool withWindowManager);
    ~XSession();

    bool ready() const { return desktop_ != nullptr && failure_.empty(); }
    const std::string &failure() const { return failure_; }
    X11Desktop &desktop() { return *desktop_; } // a connection of the session's own

private:
    std::string runtimeDir_;
    std::string failure_;
    std::unique_ptr<ChildProcess> server_, windowManager_;
    std::unique_ptr<X11Desktop> desktop_;
};

} // namespace zorbic::test
