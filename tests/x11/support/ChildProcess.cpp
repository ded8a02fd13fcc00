#include "ChildProcess.h"

#include "Wait.h"

#include <cerrno>
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
    if (toChild_ < 0) return false;
    const std::string data = line + '\n';
    // A child that has gone would raise SIGPIPE; a failed write is enough for us.
    std::signal(SIGPIPE, SIG_IGN);
    return write(toChild_, data.data(), data.size()) == static_cast<ssize_t>(data.size());
}

std::optional<std::string> ChildProcess::readLine(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (const auto end = buffered_.find('\n'); end != std::string::npos) {
            std::string line = buffered_.substr(0, end);
            buffered_.erase(0, end + 1);
            return line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (fromChild_ < 0 || left.count() <= 0) return std::nullopt;
        pollfd p{fromChild_, POLLIN, 0};
        const int ready = poll(&p, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        char chunk[512];
        const ssize_t n = ready > 0 ? read(fromChild_, chunk, sizeof chunk) : 0;
        if (n <= 0) return std::nullopt;
        buffered_.append(chunk, static_cast<std::size_t>(n));
    }
}

} // namespace zorbic::test
