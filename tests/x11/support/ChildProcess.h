#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace zorbic::test {

// A program started for a test, with our environment, and stopped when the object goes away
// whatever way the test ends: SIGTERM, then SIGKILL if it has not exited within a second.
class ChildProcess {
public:
    struct Options {
        bool pipes = false; // stdin/stdout are pipes to us; otherwise both go nowhere
        bool quiet = false; // stderr to /dev/null instead of ours
    };

    ChildProcess(const std::vector<std::string> &argv, Options options);
    ~ChildProcess() { stop(); }
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    pid_t pid() const { return pid_; }
    bool started() const { return pid_ > 0; }
    bool running(); // false once it has exited (it is reaped then)
    bool waitForExit(std::chrono::milliseconds timeout);
    int exitCode() const { return exitCode_; } // -1 while running or after a signal
    void stop();

    bool writeLine(const std::string &line);
    // The next line of its stdout, without the newline; nothing on timeout or end of output.
    std::optional<std::string> readLine(std::chrono::milliseconds timeout);

private:
    pid_t pid_ = -1;
    int exitCode_ = -1;
    int toChild_ = -1;
    int fromChild_ = -1;
};

} // namespace zorbic::test
