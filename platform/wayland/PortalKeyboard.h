#pragma once

#include "platform/wayland/KeysymEvent.h"

#include <QDBusConnection>
#include <QString>
#include <QVariantMap>

#include <chrono>
#include <functional>
#include <memory>

class QEventLoop;

namespace zorbic {

class PortalSignals;

// Types keys into whichever window has the focus through the desktop portal's RemoteDesktop
// interface (GNOME, KDE Plasma): a keyboard-only remote desktop session, opened at the first
// send and kept for the rest of the run, because opening one shows the desktop's approval
// dialog every time.
//
// Every wait runs the event loop, so the window keeps painting while the user reads the
// dialog; each wait is bounded. Use from the GUI thread only.
class PortalKeyboard {
public:
    // How long the user may take to answer the approval dialog.
    static constexpr std::chrono::minutes kApprovalTimeout{5};

    explicit PortalKeyboard(QDBusConnection bus = QDBusConnection::sessionBus(),
                            std::chrono::milliseconds approvalTimeout = kApprovalTimeout);
    ~PortalKeyboard();
    PortalKeyboard(const PortalKeyboard &) = delete;
    PortalKeyboard &operator=(const PortalKeyboard &) = delete;

    // Whether the bus has a portal that offers RemoteDesktop: one property read, no session and
    // no dialog (it may start the portal service, as any use of the portal does). Blocks, at
    // most `timeout`: meant for start-up or the first send.
    static bool available(QDBusConnection bus = QDBusConnection::sessionBus(),
                          std::chrono::milliseconds timeout = std::chrono::seconds(2));

    // Presses and releases the keys in order, opening the session first when there is none
    // (the first send, or after the desktop closed it). Returns once the portal has taken every
    // key. Throws std::runtime_error with a message for the user when the portal is missing,
    // the user refused the dialog, the desktop did not answer in time, a call failed, the
    // program is quitting, or a send is still waiting (the window stays usable meanwhile, so F12
    // can come again); no key has been sent then unless the message says so.
    void type(const KeysymEvents &events);

    // Whether a started session is open (the desktop has not closed it).
    bool hasSession() const { return !session_.isEmpty(); }

private:
    QVariantMap request(const QString &method, QList<QVariant> args, QVariantMap options,
                        std::chrono::milliseconds patience);
    void listenResponse(const QString &request);
    void stopListening();
    void openSession();
    void closeSession(const QString &session);
    void notify(const KeysymEvents &events);
    bool waitFor(const std::function<bool()> &done, std::chrono::milliseconds limit);
    void wake();
    void sessionClosed(const QString &session);

    QDBusConnection bus_;
    std::chrono::milliseconds approvalTimeout_;
    std::unique_ptr<PortalSignals> receiver_;
    QString session_;
    unsigned tokens_ = 0;
    bool busy_ = false;
    QEventLoop *waiting_ = nullptr;
    bool woken_ = false;
};

} // namespace zorbic
