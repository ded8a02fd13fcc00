#include "platform/LaunchChannel.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace zorbic {

namespace {

bool addressFor(const QString &path, sockaddr_un *address) {
    const QByteArray native = QFile::encodeName(path);
    std::memset(address, 0, sizeof *address);
    address->sun_family = AF_UNIX;
    if (native.size() >= static_cast<qsizetype>(sizeof address->sun_path)) return false;
    std::memcpy(address->sun_path, native.constData(), static_cast<size_t>(native.size()));
    return true;
}

// Waits for the events on fd; false on a time-out or an error.
bool waitFor(int fd, short events, int timeoutMs) {
    pollfd p{fd, events, 0};
    int ready = 0;
    do {
        ready = ::poll(&p, 1, timeoutMs);
    } while (ready < 0 && errno == EINTR);
    return ready > 0 && (p.revents & events);
}

// A connected client socket, or -1. A listener whose backlog is full refuses for the moment;
// the connection is tried again until the time is up.
int connectTo(const QString &name, int timeoutMs) {
    sockaddr_un address;
    if (!addressFor(LaunchSocketPath(name), &address)) return -1;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return -1;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
        if ((errno != EAGAIN && errno != EINTR) || std::chrono::steady_clock::now() >= deadline) {
            ::close(fd);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return fd;
}

} // namespace

QString LaunchSocketPath(const QString &name) {
    if (QDir::isAbsolutePath(name)) return name;
    return QDir::cleanPath(QDir::tempPath()) + QLatin1Char('/') + name;
}

bool AskToReveal(const QString &name, int connectMs, int writeMs, int answerMs) {
    const int fd = connectTo(name, connectMs);
    if (fd < 0) return false;
    static constexpr char kAsk[] = "reveal\n";
    bool shown = false;
    if (waitFor(fd, POLLOUT, writeMs) &&
        ::send(fd, kAsk, sizeof kAsk - 1, MSG_NOSIGNAL) == sizeof kAsk - 1 &&
        waitFor(fd, POLLIN, answerMs)) {
        char reply = 0;
        shown = ::recv(fd, &reply, 1, 0) == 1 && reply == '1';
    }
    ::close(fd);
    return shown;
}

bool SomeoneListens(const QString &name) {
    const int fd = connectTo(name, 200);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

std::unique_ptr<LaunchListener> LaunchListener::listen(const QString &name,
                                                       std::function<bool()> reveal) {
    const QString path = LaunchSocketPath(name);
    sockaddr_un address;
    if (!addressFor(path, &address)) return nullptr;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return nullptr;
    // A file left by a calculator that crashed would block the name.
    ::unlink(address.sun_path);
    if (::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0 ||
        ::chmod(address.sun_path, S_IRWXU) != 0 || ::listen(fd, 30) != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<LaunchListener>(new LaunchListener(fd, path, std::move(reveal)));
}

LaunchListener::LaunchListener(int fd, QString path, std::function<bool()> reveal)
    : fd_(fd), path_(std::move(path)), reveal_(std::move(reveal)) {
    connect(new QSocketNotifier(fd_, QSocketNotifier::Read, this), &QSocketNotifier::activated,
            this, &LaunchListener::accept);
}

LaunchListener::~LaunchListener() {
    // Their notifiers are children of this object and go with it.
    for (const auto &client : clients_)
        ::close(client.first);
    ::close(fd_);
    QFile::remove(path_);
}

void LaunchListener::accept() {
    int client = -1;
    while ((client = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)) >= 0) {
        auto *notifier = new QSocketNotifier(client, QSocketNotifier::Read, this);
        clients_.emplace(client, notifier);
        connect(notifier, &QSocketNotifier::activated, this,
                [this, client, notifier] { answer(client, notifier); });
    }
}

// Answers a request and closes the connection; a client that closes or sends something else
// is closed too.
void LaunchListener::answer(int client, QSocketNotifier *notifier) {
    char request[64];
    const ssize_t got = ::recv(client, request, sizeof request, 0);
    if (got < 0 && (errno == EAGAIN || errno == EINTR)) return;
    static constexpr char kAsk[] = "reveal";
    if (got >= static_cast<ssize_t>(sizeof kAsk - 1) &&
        std::memcmp(request, kAsk, sizeof kAsk - 1) == 0) {
        const char reply = reveal_ && reveal_() ? '1' : '0';
        (void)::send(client, &reply, 1, MSG_NOSIGNAL);
    }
    notifier->setEnabled(false);
    notifier->deleteLater();
    clients_.erase(client);
    ::close(client);
}

} // namespace zorbic
