#include "shell/SessionSignals.h"

#include <QSocketNotifier>
#include <QtGlobal>

#include <array>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace zorbic {

namespace {

constexpr std::array kSignals{SIGTERM, SIGINT, SIGHUP};

// [0] is written by the handler, [1] read by the event loop. Both ends are non-blocking, so a
// burst of signals can neither block the handler nor the loop.
int signalSocket[2] = {-1, -1};

extern "C" void writeSignalByte(int signalNumber) {
    const int savedErrno = errno;
    const char byte = static_cast<char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(signalSocket[0], &byte, 1);
    errno = savedErrno;
}

void setHandler(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : kSignals)
        ::sigaction(signalNumber, &action, nullptr);
}

} // namespace

SessionSignals::SessionSignals(std::function<void()> onSignal, QObject *parent)
    : QObject(parent), onSignal_(std::move(onSignal)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, signalSocket) != 0) {
        // The default actions stay: the program can still be ended, only without saving.
        qWarning("zorbic: no socket pair for the session's signals (errno %d)", errno);
        return;
    }
    notifier_ = new QSocketNotifier(signalSocket[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(signalSocket[1], bytes, sizeof bytes) > 0) {
        }
        onSignal_();
    });
    setHandler(writeSignalByte);
}

SessionSignals::~SessionSignals() {
    if (!notifier_) return;
    setHandler(SIG_DFL);
    delete notifier_;
    for (int &end : signalSocket) {
        ::close(end);
        end = -1;
    }
}

} // namespace zorbic
