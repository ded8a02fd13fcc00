#pragma once

#include "Wait.h"

#include <csignal>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace zorbic::test {

// A program started for a test, with our environment, and stopped when the object goes away
// whatever way the test ends: SIGTERM, then SIGKILL if it has not exited within a second.
class ChildProcess {
public:
    struct Options {
        bool pipes = false; // its stdout is a pipe to us (readLine); otherwise it goes nowhere
        bool quiet = false; // stderr to /dev/null instead of ours
    };

    ChildProcess(std::vector<std::string> args, Options options) {
        std::vector<char *> argv;
        for (std::string &arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        int out[2] = {-1, -1};
        if (options.pipes && pipe2(out, O_CLOEXEC) != 0) return;
        if ((pid_ = fork()) == 0) {
            const int null = open("/dev/null", O_RDWR);
            dup2(null, STDIN_FILENO);
            dup2(out[1] >= 0 ? out[1] : null, STDOUT_FILENO);
            if (options.quiet) dup2(null, STDERR_FILENO);
            execvp(argv[0], argv.data());
            _exit(127);
        }
        if (out[1] >= 0) close(out[1]);
        fromChild_ = out[0];
    }
    ~ChildProcess() {
        if (running()) kill(pid_, SIGTERM);
        if (running() && !waitForExit(std::chrono::seconds(1))) kill(pid_, SIGKILL);
        if (pid_ > 0) waitpid(pid_, nullptr, 0);
        if (fromChild_ >= 0) close(fromChild_);
    }
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    pid_t pid() const { return pid_; }
    int exitCode() const { return exitCode_; } // -1 while running or after a signal

    // False once it has exited (it is reaped then).
    bool running() {
        int status = 0;
        if (pid_ <= 0 || waitpid(pid_, &status, WNOHANG) != pid_) return pid_ > 0;
        if (WIFEXITED(status)) exitCode_ = WEXITSTATUS(status);
        pid_ = -1;
        return false;
    }
    bool waitForExit(std::chrono::milliseconds timeout) {
        return waitUntil([&] { return !running(); }, timeout);
    }

    // The next line of its stdout, without the newline; nothing when no byte came for the
    // time or its output ended. Byte by byte, so nothing after the newline is read ahead.
    std::optional<std::string> readLine(std::chrono::milliseconds timeout) {
        std::string line;
        pollfd p{fromChild_, POLLIN, 0};
        for (char c = 0; fromChild_ >= 0 && poll(&p, 1, static_cast<int>(timeout.count())) > 0 &&
                         read(fromChild_, &c, 1) == 1;) {
            if (c == '\n') return line;
            line += c;
        }
        return std::nullopt;
    }

private:
    pid_t pid_ = -1;
    int exitCode_ = -1;
    int fromChild_ = -1;
};

} // namespace zorbic::test
