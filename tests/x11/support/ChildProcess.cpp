#include "ChildProcess.h"

#include "Wait.h"

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace zorbic::test {

ChildProcess::ChildProcess(const std::vector<std::string> &argv, Options options) {
    std::vector<std::string> args = argv;
    std::vector<char *> argp;
    for (std::string &arg : args)
        argp.push_back(arg.data());
    argp.push_back(nullptr);

    int in[2] = {-1, -1};
    int out[2] = {-1, -1};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (options.pipes && pipe2(in, O_CLOEXEC) == 0 && pipe2(out, O_CLOEXEC) == 0) {
        posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        // A child that has gone would raise SIGPIPE; a failed write is enough for us.
        std::signal(SIGPIPE, SIG_IGN);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    }
    if (options.quiet)
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argp[0], &actions, nullptr, argp.data(), environ) == 0) pid_ = pid;
    posix_spawn_file_actions_destroy(&actions);
    if (in[0] >= 0) close(in[0]);
    if (out[1] >= 0) close(out[1]);
    toChild_ = in[1];
    fromChild_ = out[0];
}

bool ChildProcess::running() {
    int status = 0;
    if (pid_ <= 0 || waitpid(pid_, &status, WNOHANG) != pid_) return pid_ > 0;
    if (WIFEXITED(status)) exitCode_ = WEXITSTATUS(status);
    pid_ = -1;
    return false;
}

bool ChildProcess::waitForExit(std::chrono::milliseconds timeout) {
    return waitUntil([&] { return !running(); }, timeout);
}

void ChildProcess::stop() {
    if (toChild_ >= 0) close(toChild_);
    toChild_ = -1;
    if (running()) {
        kill(pid_, SIGTERM);
        if (!waitForExit(std::chrono::seconds(1))) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
    }
    if (fromChild_ >= 0) close(fromChild_);
    fromChild_ = -1;
}

bool ChildProcess::writeLine(const std::string &line) {
    std::string data = line;
    data += '\n';
    return toChild_ >= 0 &&
           write(toChild_, data.data(), data.size()) == static_cast<ssize_t>(data.size());
}

// Byte by byte, so nothing after the newline is read ahead and lost for the next call.
std::optional<std::string> ChildProcess::readLine(std::chrono::milliseconds timeout) {
    using std::chrono::steady_clock;
    const auto deadline = steady_clock::now() + timeout;
    std::string line;
    char c = 0;
    while (fromChild_ >= 0) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - steady_clock::now());
        pollfd p{fromChild_, POLLIN, 0};
        if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0 ||
            read(fromChild_, &c, 1) != 1)
            break;
        if (c == '\n') return line;
        line += c;
    }
    return std::nullopt;
}

} // namespace zorbic::test
