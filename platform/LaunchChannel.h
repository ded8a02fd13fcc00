#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <map>
#include <memory>

class QSocketNotifier;

namespace zorbic {

// The local stream socket through which a second launch asks the running calculator to show
// itself: the file `name` (an absolute path), or a file of that name in the temporary folder,
// open to its user only. A client writes "reveal\n"; the calculator answers "1" when it had
// hidden windows to show, else "0".
// Plain POSIX sockets under Qt's event loop, so the program needs no network library.

// The path of the socket file for a name.
QString LaunchSocketPath(const QString &name);

// Asks the calculator listening under `name`. True only when it answered "1"; false when
// nobody listens or no answer came within the time limits.
bool AskToReveal(const QString &name, int connectMs = 500, int writeMs = 500, int answerMs = 2000);

// True when a calculator listens under `name` (a connection is accepted).
bool SomeoneListens(const QString &name);

class LaunchListener : public QObject {
public:
    // Listens under `name`, taking the place of a socket file that nobody listens on; null
    // when the socket cannot be made. `reveal` shows the hidden windows, true when there were.
    static std::unique_ptr<LaunchListener> listen(const QString &name,
                                                  std::function<bool()> reveal);
    ~LaunchListener() override;
    LaunchListener(const LaunchListener &) = delete;
    LaunchListener &operator=(const LaunchListener &) = delete;

private:
    LaunchListener(int fd, QString path, std::function<bool()> reveal);
    void accept();
    void answer(int client, QSocketNotifier *notifier);

    int fd_;
    QString path_;
    std::function<bool()> reveal_;
    std::map<int, QSocketNotifier *> clients_; // connections not yet answered
};

} // namespace zorbic
