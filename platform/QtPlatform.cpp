#include "platform/QtPlatform.h"

#include "keys/ParseKeys.h"
#include "platform/LaunchChannel.h"
#include "platform/wayland/WaylandDesktop.h"
#include "platform/x11/ActiveWindowWatch.h"
#include "platform/x11/X11Desktop.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QWidget>
#include <QWindow>

#include <stdexcept>

#include <unistd.h>

namespace zorbic {

namespace {

QMessageBox::Icon toQt(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

bool inWaylandSession() {
    return qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

// One socket per user and Wayland display, so sessions of other users or displays never meet.
// It lives in the session's runtime folder, which belongs to that session alone (two sessions
// of one user may both be "wayland-0"); without one, the temporary folder with the user's id.
QString launchServerName() {
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    display.replace(QLatin1Char('/'), QLatin1Char('_'));
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty()) return runtime + QStringLiteral("/zorbic-") + display;
    return QStringLiteral("zorbic-%1-%2").arg(getuid()).arg(display);
}

} // namespace

QtPlatform::QtPlatform() = default;
QtPlatform::~QtPlatform() = default;

QByteArray QtPlatform::displayPlatformFor(bool userChose, bool hasDisplay, bool hasWayland) {
    if (userChose) return {};
    if (hasDisplay) return "xcb";
    if (hasWayland) return "wayland";
    return {};
}

void QtPlatform::chooseDisplayPlatform() {
    const QByteArray chosen =
        displayPlatformFor(qEnvironmentVariableIsSet("QT_QPA_PLATFORM"),
                           qEnvironmentVariableIsSet("DISPLAY"), inWaylandSession());
    if (!chosen.isEmpty()) qputenv("QT_QPA_PLATFORM", chosen);
}

// The running one answers "1" when it had hidden windows to show, "0" when it was in plain
// view (then this launch goes on as a calculator of its own).
bool QtPlatform::revealRunningZorbic() {
    return inWaylandSession() && AskToReveal(launchServerName());
}

void QtPlatform::listenForLaunches() {
    if (!inWaylandSession() || launches_) return;
    // A calculator in plain view keeps the name; a socket file left by one that crashed is
    // taken over.
    if (SomeoneListens(launchServerName())) return;
    launches_ = LaunchListener::listen(launchServerName(),
                                       [this] { return wayland_ && wayland_->showAgain(); });
}

MsgResult QtPlatform::msgBox(const QString &text, MsgButtons buttons, MsgIcon icon,
                             const QString &title) {
    const auto standard = buttons == MsgButtons::YesNo
                              ? QMessageBox::Yes | QMessageBox::No
                              : QMessageBox::StandardButtons(QMessageBox::Ok);
    // A send that stepped aside may have hidden the window the box belongs to.
    if (wayland_) wayland_->showAgain();
    // The program's texts break lines with CR LF or a lone CR; the box wants LF.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(toQt(icon), title, shown, standard, owner_);
    const int answer = box.exec();
    if (buttons == MsgButtons::Ok) return MsgResult::Ok;
    return answer == QMessageBox::No ? MsgResult::No : MsgResult::Yes;
}

void QtPlatform::setClipboardText(const QString &text) {
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

void QtPlatform::sendKeys(std::string_view notation, bool wait) {
    keySender_.sendKeys(notation, wait);
}

// Setting the flag on the QWindow (not QWidget::setWindowFlags) changes the stacking hint of
// the existing native window: it is neither recreated nor hidden, and keeps its position.
void QtPlatform::setStayOnTop(QWidget *window, bool on) {
    if (window == nullptr) return;
    QWindow *handle = window->windowHandle();
    if (handle == nullptr) {
        window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
        return;
    }
    handle->setFlag(Qt::WindowStaysOnTopHint, on);
}

// Zipto works only where this program is an X11 client beside the others: own windows of a
// native Wayland client are no X windows, and Wayland lets no program type into another.
X11Desktop *QtPlatform::desktop() {
    if (desktopTried_) return desktop_.get();
    desktopTried_ = true;
    const QString platform = QGuiApplication::platformName();
    // In a Wayland session X11 sees no native window, so even an XWayland calculator types
    // through the Wayland back end, which needs no help from Qt's platform.
    if (inWaylandSession() &&
        (platform.startsWith(QLatin1String("wayland")) || platform == QLatin1String("xcb"))) {
        wayland_ = std::make_unique<WaylandDesktop>();
        desktopReason_ = wayland_->unsupportedReason();
        return nullptr;
    }
    if (platform.startsWith(QLatin1String("wayland"))) {
        desktopReason_ = QStringLiteral(
            "Zipto needs an X11 desktop session; this session uses Wayland, which does not let "
            "one program type into another.");
        return nullptr;
    }
    if (platform != QLatin1String("xcb")) {
        desktopReason_ = QStringLiteral("Zipto needs an X11 desktop session; Zorbic is running "
                                        "without one (display platform \"%1\").")
                             .arg(platform);
        return nullptr;
    }
    std::string why;
    desktop_ = X11Desktop::open(&why);
    if (!desktop_)
        desktopReason_ = QStringLiteral("Zipto needs an X11 desktop session: %1.")
                             .arg(QString::fromStdString(why));
    return desktop_.get();
}

QString QtPlatform::desktopUnsupportedReason() {
    desktop();
    return desktopReason_;
}

WindowId QtPlatform::foregroundWindow() {
    X11Desktop *x = desktop();
    if (wayland_) return wayland_->foregroundWindow();
    return x ? x->activeWindow() : 0;
}

// The window manager's announcements come on Qt's connection, as PropertyNotify events.
bool QtPlatform::watchForeground(std::function<void()> changed) {
    X11Desktop *x = desktop();
    if (!x || !x->supportsActiveWindow()) return false;
    activeWatch_ = ActiveWindowWatch::start(std::move(changed));
    return activeWatch_ != nullptr;
}

void QtPlatform::waitUntilOnScreen(QWidget *window, int timeoutMs) {
    X11Desktop *x = desktop();
    const QWindow *handle = window ? window->windowHandle() : nullptr;
    if (x && handle && handle->handle()) x->waitUntilViewable(handle->winId(), timeoutMs);
}

// Every top-level window of ours that exists natively, dialogs included. The id comes from
// the QWindow: QWidget::winId() keeps a stale id once Qt has recreated the native window.

std::vector<WindowId> QtPlatform::ownWindowIds() {
    desktop();
    if (wayland_) return {WaylandDesktop::kZorbic};
    std::vector<WindowId> ids;
    for (const QWidget *widget : QApplication::topLevelWidgets()) {
        const QWindow *window = widget->windowHandle();
        if (window && window->handle()) ids.push_back(window->winId());
    }
    return ids;
}

std::optional<std::int64_t> QtPlatform::windowPid(WindowId window) {
    X11Desktop *x = desktop();
    if (wayland_) return wayland_->windowPid(window);
    return x ? x->windowPid(window) : std::nullopt;
}

WindowActivation QtPlatform::activateWindow(WindowId window) {
    // The window manager usually answers within 50 ms; a busy desktop gets a generous bound.
    constexpr int kActivateTimeoutMs = 2000;
    X11Desktop *x = desktop();
    if (wayland_) return wayland_->activate(window);
    if (!x) return WindowActivation::Refused;
    switch (x->activate(window, kActivateTimeoutMs)) {
    case ActivateResult::Activated:
        return WindowActivation::Activated;
    case ActivateResult::WindowGone:
        return WindowActivation::WindowGone;
    case ActivateResult::Refused:
        return WindowActivation::Refused;
    case ActivateResult::TimedOut:
        break;
    }
    return WindowActivation::TimedOut;
}

KeyCharacters QtPlatform::foregroundCharacters() {
    desktop();
    return wayland_ && desktopReason_.isEmpty() ? KeyCharacters::Unicode : KeyCharacters::Ascii;
}

void QtPlatform::sendKeysToForeground(std::string_view notation) {
    desktop();
    // The Wayland back end reads the notation itself: it types characters beyond ASCII.
    if (wayland_) {
        if (!desktopReason_.isEmpty()) throw std::runtime_error(desktopReason_.toStdString());
        return wayland_->sendKeys(notation);
    }
    const KeyParse parse = ParseKeys(notation);
    if (!parse.ok()) throw std::invalid_argument(parse.error);
    if (parse.strokes.empty()) return;
    X11Desktop *x = desktop();
    if (!x) throw std::runtime_error(desktopReason_.toStdString());
    std::string why;
    if (!x->sendKeys(parse.strokes, &why)) throw std::runtime_error(why);
}

} // namespace zorbic
