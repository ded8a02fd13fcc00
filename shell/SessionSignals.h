#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace zorbic {

// Turns SIGTERM, SIGINT and SIGHUP (the session ending at logout, Ctrl+C in a terminal, a closed
// terminal) into a call of `onSignal` on the user-interface thread. The signal handler only
// writes a byte into a socket pair; the event loop reads it and makes the call, so no Qt code
// ever runs inside a signal handler. One object at a time; its end restores the default actions.
class SessionSignals : public QObject {
public:
    explicit SessionSignals(std::function<void()> onSignal, QObject *parent = nullptr);
    ~SessionSignals() override;

private:
    std::function<void()> onSignal_;
    QSocketNotifier *notifier_ = nullptr;
};

} // namespace zorbic
