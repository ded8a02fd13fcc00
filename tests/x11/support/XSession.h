#pragma once

#include "ChildProcess.h"

#include <memory>
#include <string>
#include <vector>

namespace zorbic::test {

// A private X server (Xvfb on the first free display from :90 on), optionally with the openbox
// window manager, for the length of a test suite. While it lives, DISPLAY names it in this
// process; the previous value comes back afterwards.
class XSession {
public:
    explicit XSession(bool withWindowManager);
    ~XSession();
    XSession(const XSession &) = delete;
    XSession &operator=(const XSession &) = delete;

    bool ready() const { return ready_; }
    const std::string &failure() const { return failure_; }
    const std::string &display() const { return display_; }
    // What a program started on this display needs in its environment.
    std::vector<std::string> environment() const;

private:
    bool startServer();
    bool startWindowManager();

    bool ready_ = false;
    std::string failure_;
    std::string display_;
    std::string runtimeDir_;
    std::string previousDisplay_;
    bool hadDisplay_ = false;
    std::unique_ptr<ChildProcess> server_;
    std::unique_ptr<ChildProcess> windowManager_;
};

} // namespace zorbic::test
