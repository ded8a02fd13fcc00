#include "platform/wayland/PortalKeyboard.h"

#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QEventLoop>
#include <QObject>
#include <QTimer>

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

namespace zorbic {

namespace {

using std::chrono::milliseconds;

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kRemoteDesktop = QStringLiteral("org.freedesktop.portal.RemoteDesktop");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");
const QString kSession = QStringLiteral("org.freedesktop.portal.Session");

// A method call's own reply; the portal answers at once and reports the outcome later.
constexpr int kCallTimeoutMs = 25000;
// Answers that need no dialog (creating the session, choosing the keyboard).
constexpr milliseconds kAnswerTimeout{30000};
// The first keys of a new session can be lost; a Shift tap and this pause before the text
// removed the loss.
constexpr milliseconds kSettle{100};
constexpr std::uint32_t kShiftL = 0xffe1;
constexpr std::uint32_t kKeyboardDevice = 1;

std::runtime_error failure(const QString &text) {
    return std::runtime_error(text.toStdString());
}

// Why a call to the portal failed, for the user.
std::runtime_error callFailure(const QDBusMessage &reply) {
    const QString name = reply.errorName();
    if (name == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
        name == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner"))
        return failure(
            QStringLiteral("Zipto cannot type into other applications here: the desktop portal "
                           "(xdg-desktop-portal) is not running. Nothing was sent."));
    if (name == QLatin1String("org.freedesktop.DBus.Error.UnknownMethod") ||
        name == QLatin1String("org.freedesktop.DBus.Error.UnknownInterface") ||
        name == QLatin1String("org.freedesktop.DBus.Error.UnknownObject"))
        return failure(QStringLiteral(
            "Zipto cannot type into other applications here: this desktop's portal offers no "
            "remote desktop keyboard. Nothing was sent."));
    return failure(QStringLiteral("The desktop portal refused to type for Zipto (%1: %2). "
                                  "Nothing was sent.")
                       .arg(name, reply.errorMessage()));
}

QString pathOf(const QVariant &value) {
    if (value.canConvert<QDBusObjectPath>()) return value.value<QDBusObjectPath>().path();
    return value.toString();
}

} // namespace

// Receives the portal's signals. QtDBus delivers them only to named slots of a QObject, and
// the object path they came from is read from the message.
class PortalSignals : public QObject, protected QDBusContext {
    Q_OBJECT
public:
    struct Answer {
        bool arrived = false;
        uint response = 0;
        QVariantMap results;
    };
    std::function<void(const QString &)> closed;
    std::function<void()> changed;
    QStringList awaited;
    Answer answer;

public slots:
    void Response(uint response, const QVariantMap &results) {
        if (!awaited.contains(message().path())) return;
        answer = {true, response, results};
        changed();
    }
    void Closed(const QVariantMap &) {
        closed(message().path());
        changed();
    }
};

PortalKeyboard::PortalKeyboard(QDBusConnection bus, milliseconds approvalTimeout)
    : bus_(std::move(bus)), approvalTimeout_(approvalTimeout),
      receiver_(std::make_unique<PortalSignals>()) {
    receiver_->changed = [this] { wake(); };
    receiver_->closed = [this](const QString &session) { sessionClosed(session); };
}

// The portal would close the session when the program leaves the bus; closing it here ends
// the desktop's "being controlled" notice at once.
PortalKeyboard::~PortalKeyboard() {
    if (hasSession()) closeSession(session_);
}

bool PortalKeyboard::available(QDBusConnection bus, milliseconds timeout) {
    if (!bus.isConnected()) return false;
    QDBusMessage get = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << kRemoteDesktop << QStringLiteral("version");
    const QDBusMessage reply = bus.call(get, QDBus::Block, int(timeout.count()));
    return reply.type() == QDBusMessage::ReplyMessage &&
           reply.arguments().value(0).value<QDBusVariant>().variant().toUInt() >= 1;
}

void PortalKeyboard::type(const KeysymEvents &events) {
    if (busy_)
        throw failure(QStringLiteral("Zorbic is still waiting for the desktop to allow typing "
                                     "into other applications. Nothing more was sent."));
    busy_ = true;
    struct Idle {
        bool &busy;
        ~Idle() { busy = false; }
    } idle{busy_};
    if (!hasSession()) openSession();
    notify(events);
}

// Each portal call answers at once with the path of a request object, whose Response signal
// carries the outcome later. The path is predictable from the sender's name and our token, so
// the signal is subscribed before the call and cannot be missed.
QVariantMap PortalKeyboard::request(const QString &method, QList<QVariant> args,
                                    QVariantMap options, milliseconds patience) {
    const QString token = QStringLiteral("zorbic%1").arg(++tokens_);
    const QString sender = bus_.baseService().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
    const QString predicted = QStringLiteral("%1/request/%2/%3").arg(kPath, sender, token);
    options.insert(QStringLiteral("handle_token"), token);
    args.append(options);

    receiver_->awaited.clear();
    receiver_->answer = {};
    listenResponse(predicted);
    struct Unlisten {
        PortalKeyboard &keyboard;
        ~Unlisten() { keyboard.stopListening(); }
    } unlisten{*this};

    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kRemoteDesktop, method);
    call.setArguments(args);
    QDBusPendingCallWatcher watcher(bus_.asyncCall(call, kCallTimeoutMs));
    QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, [this] { wake(); });
    waitFor([&] { return watcher.isFinished(); }, milliseconds(kCallTimeoutMs + 1000));
    const QDBusMessage reply = watcher.reply();
    if (reply.type() != QDBusMessage::ReplyMessage) throw callFailure(reply);
    // Older portals chose the path themselves.
    const QString handle = pathOf(reply.arguments().value(0));
    if (!handle.isEmpty() && handle != predicted) listenResponse(handle);

    if (!waitFor([&] { return receiver_->answer.arrived; }, patience)) {
        // Takes the dialog off the screen: nobody is waiting for it any more.
        bus_.call(QDBusMessage::createMethodCall(kService, handle.isEmpty() ? predicted : handle,
                                                 kRequest, QStringLiteral("Close")),
                  QDBus::NoBlock);
        throw failure(QStringLiteral("The desktop did not answer Zorbic's request to type into "
                                     "other applications in time. Nothing was sent."));
    }
    switch (receiver_->answer.response) {
    case 0:
        return receiver_->answer.results;
    case 1:
        throw failure(QStringLiteral("Zorbic was not allowed to type into other applications: "
                                     "the request was refused. Nothing was sent."));
    default:
        throw failure(QStringLiteral("The desktop ended Zorbic's request to type into other "
                                     "applications. Nothing was sent."));
    }
}

// Creates the session, asks for the keyboard alone and starts it, which shows the desktop's
// approval dialog. A session that fails on the way is closed, so the next send asks again.
void PortalKeyboard::openSession() {
    const QVariantMap created = request(
        QStringLiteral("CreateSession"), {},
        {{QStringLiteral("session_handle_token"), QStringLiteral("zorbic%1").arg(++tokens_)}},
        kAnswerTimeout);
    const QString session = pathOf(created.value(QStringLiteral("session_handle")));
    if (session.isEmpty())
        throw failure(QStringLiteral("The desktop portal opened no session for Zipto. Nothing "
                                     "was sent."));
    bus_.connect(kService, session, kSession, QStringLiteral("Closed"), receiver_.get(),
                 SLOT(Closed(QVariantMap)));
    try {
        const QDBusObjectPath handle(session);
        request(QStringLiteral("SelectDevices"), {QVariant::fromValue(handle)},
                {{QStringLiteral("types"), QVariant::fromValue(kKeyboardDevice)}}, kAnswerTimeout);
        const QVariantMap started =
            request(QStringLiteral("Start"), {QVariant::fromValue(handle), QString()}, {},
                    approvalTimeout_);
        if ((started.value(QStringLiteral("devices")).toUInt() & kKeyboardDevice) == 0)
            throw failure(QStringLiteral("Zorbic was not allowed to type into other "
                                         "applications: the desktop gave no keyboard. Nothing "
                                         "was sent."));
        session_ = session;
        notify({{kShiftL, true}, {kShiftL, false}});
        waitFor([] { return false; }, kSettle);
    } catch (...) {
        closeSession(session);
        throw;
    }
}

// QtDBus connects signals to slots named by SLOT() only.
void PortalKeyboard::listenResponse(const QString &request) {
    receiver_->awaited.append(request);
    bus_.connect(kService, request, kRequest, QStringLiteral("Response"), receiver_.get(),
                 SLOT(Response(uint, QVariantMap)));
}

void PortalKeyboard::stopListening() {
    for (const QString &request : std::exchange(receiver_->awaited, {}))
        bus_.disconnect(kService, request, kRequest, QStringLiteral("Response"), receiver_.get(),
                        SLOT(Response(uint, QVariantMap)));
}

void PortalKeyboard::closeSession(const QString &session) {
    bus_.disconnect(kService, session, kSession, QStringLiteral("Closed"), receiver_.get(),
                    SLOT(Closed(QVariantMap)));
    bus_.call(QDBusMessage::createMethodCall(kService, session, kSession, QStringLiteral("Close")),
              QDBus::NoBlock);
    if (session == session_) session_.clear();
}

void PortalKeyboard::sessionClosed(const QString &session) {
    if (session != session_) return;
    bus_.disconnect(kService, session, kSession, QStringLiteral("Closed"), receiver_.get(),
                    SLOT(Closed(QVariantMap)));
    session_.clear();
}

// The keys go out in order, a batch at a time: a bus lets a connection wait for only so many
// replies (128 by default). Every reply is awaited, so an error (the desktop closed the session
// meanwhile) is reported rather than lost.
void PortalKeyboard::notify(const KeysymEvents &events) {
    constexpr std::size_t kBatch = 32;
    const QDBusObjectPath session(session_);
    for (std::size_t first = 0; first < events.size(); first += kBatch) {
        std::vector<std::unique_ptr<QDBusPendingCallWatcher>> calls;
        for (std::size_t i = first; i < std::min(events.size(), first + kBatch); ++i) {
            QDBusMessage call = QDBusMessage::createMethodCall(
                kService, kPath, kRemoteDesktop, QStringLiteral("NotifyKeyboardKeysym"));
            call << QVariant::fromValue(session) << QVariantMap() << qint32(events[i].keysym)
                 << uint(events[i].pressed ? 1 : 0);
            calls.push_back(
                std::make_unique<QDBusPendingCallWatcher>(bus_.asyncCall(call, kCallTimeoutMs)));
            QObject::connect(calls.back().get(), &QDBusPendingCallWatcher::finished,
                             [this] { wake(); });
        }
        const auto allAnswered = [&] {
            return std::all_of(calls.begin(), calls.end(),
                               [](const auto &c) { return c->isFinished(); });
        };
        waitFor(allAnswered, milliseconds(kCallTimeoutMs + 1000));
        for (const auto &c : calls) {
            const QDBusMessage reply = c->reply();
            if (reply.type() == QDBusMessage::ReplyMessage) continue;
            if (hasSession()) closeSession(session_);
            throw failure(QStringLiteral("The desktop stopped Zorbic typing into other "
                                         "applications (%1); the text may have arrived only "
                                         "in part.")
                              .arg(reply.errorMessage()));
        }
    }
}

// Runs the event loop until done() holds (true) or the limit passes (false). Leaving early,
// because the program is quitting, abandons the send.
bool PortalKeyboard::waitFor(const std::function<bool()> &done, milliseconds limit) {
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    deadline.start(limit);
    QEventLoop *const outer = std::exchange(waiting_, &loop);
    bool interrupted = false;
    while (!done() && deadline.isActive()) {
        woken_ = false;
        loop.exec();
        if (!woken_ && deadline.isActive()) {
            interrupted = true;
            break;
        }
    }
    waiting_ = outer;
    if (done()) return true;
    if (interrupted) throw failure(QStringLiteral("Zorbic is closing; nothing more was sent."));
    return false;
}

void PortalKeyboard::wake() {
    if (waiting_ == nullptr) return;
    woken_ = true;
    waiting_->quit();
}

} // namespace zorbic

#include "PortalKeyboard.moc"
