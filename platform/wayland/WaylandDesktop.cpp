#include "platform/wayland/WaylandDesktop.h"

#include "platform/wayland/KeysymMap.h"
#include "platform/wayland/PortalKeyboard.h"
#include "platform/wayland/VirtualKeyboard.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>

#include <functional>

#include <stdexcept>

namespace zorbic {

namespace {

// The compositor moves the focus within a few frames; a busy desktop gets a generous bound.
constexpr int kFocusTimeoutMs = 2000;

bool waitUntil(const std::function<bool()> &done) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > kFocusTimeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return true;
}

bool ourWindowHasFocus() {
    return QGuiApplication::focusWindow() != nullptr;
}

} // namespace

WaylandDesktop::WaylandDesktop() {
    std::string why;
    keyboard_ = VirtualKeyboard::open(&why);
    if (keyboard_) return;
    if (PortalKeyboard::available()) {
        portal_ = std::make_unique<PortalKeyboard>();
        return;
    }
    reason_ = QStringLiteral("Zipto cannot type into other applications on this Wayland "
                             "desktop: it offers neither a virtual keyboard nor the remote "
                             "desktop of the desktop portal.");
}

WaylandDesktop::~WaylandDesktop() = default;

WindowId WaylandDesktop::foregroundWindow() const {
    return ourWindowHasFocus() ? kZorbic : kOtherApplication;
}

std::optional<std::int64_t> WaylandDesktop::windowPid(WindowId window) const {
    if (window == kOtherApplication) return 0;
    if (window == kZorbic) return QCoreApplication::applicationPid();
    return std::nullopt;
}

WindowActivation WaylandDesktop::activate(WindowId window) {
    if (window == kZorbic) {
        showAgain();
        return waitUntil(ourWindowHasFocus) ? WindowActivation::Activated
                                            : WindowActivation::TimedOut;
    }
    if (window != kOtherApplication) return WindowActivation::WindowGone;
    // The portal's approval dialog of the first send comes up while the calculator is still in
    // view, and the focus comes back to it afterwards; a refusal ends the send before anything
    // was hidden or typed.
    if (portal_ && !portal_->hasSession()) portal_->type({});
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && !widget->isMinimized()) {
            hidden_.append(widget);
            widget->hide();
        }
    return waitUntil([] { return !ourWindowHasFocus(); }) ? WindowActivation::Activated
                                                          : WindowActivation::TimedOut;
}

void WaylandDesktop::sendKeys(std::string_view notation) {
    KeysymEvents events;
    try {
        events = ToKeysymEvents(notation);
    } catch (const KeyNotationError &bad) {
        throw std::invalid_argument(bad.what());
    }
    if (events.empty()) return;
    if (keyboard_) {
        std::string why;
        if (!keyboard_->type(events, &why))
            throw std::runtime_error("Zipto could not type the result: " + why + ".");
        return;
    }
    if (portal_) return portal_->type(events);
    throw std::runtime_error(reason_.toStdString());
}

bool WaylandDesktop::showAgain() {
    bool any = false;
    for (const QPointer<QWidget> &widget : std::as_const(hidden_))
        if (widget) {
            widget->show();
            widget->raise();
            widget->activateWindow();
            any = true;
        }
    hidden_.clear();
    return any;
}

} // namespace zorbic
