#pragma once

#include "platform/Platform.h"
#include "platform/keysend/QtKeySender.h"

#include <QByteArray>

#include <memory>

class QWidget;

namespace zorbic {

class ActiveWindowWatch;
class LaunchListener;
class WaylandDesktop;
class X11Desktop;

// The desktop as Qt Widgets offers it: real modal message boxes.
class QtPlatform : public Platform {
public:
    QtPlatform();

    // The display platform Qt is to use, chosen once before the application object exists:
    // QT_QPA_PLATFORM set by the user wins; with an X display, xcb (also in a Wayland session,
    // where XWayland keeps stay on top and the keys still reach native applications); with
    // only a Wayland display, wayland. Empty: leave Qt's own default.
    static QByteArray displayPlatformFor(bool userChose, bool hasDisplay, bool hasWayland);
    static void chooseDisplayPlatform();

    // In a Wayland session a calculator hidden by a send (re-activation off) cannot be clicked
    // again; a second launch shows it instead. True when a running, hidden one was shown: this
    // launch should end. listenForLaunches() lets later launches find this one.
    static bool revealRunningZorbic();
    void listenForLaunches();

    ~QtPlatform() override;
    QtPlatform(const QtPlatform &) = delete;
    QtPlatform &operator=(const QtPlatform &) = delete;

    // Message boxes are centred on (and modal to) the window given here, once it exists.
    void setOwner(QWidget *owner) { owner_ = owner; }

    MsgResult msgBox(const QString &text, MsgButtons buttons, MsgIcon icon,
                     const QString &title) override;
    void setClipboardText(const QString &text) override;

    // Key sending and window placement.
    void sendKeys(std::string_view notation, bool wait) override;
    void setStayOnTop(QWidget *window, bool on) override;

    // Zipto: in a Wayland session through WaylandDesktop, in an X11 session (Qt on xcb)
    // through X11Desktop, chosen and connected at the first use; elsewhere every call reports
    // the reason and nothing reaches the desktop.
    QString desktopUnsupportedReason() override;
    WindowId foregroundWindow() override;
    bool watchForeground(std::function<void()> changed) override;
    void waitUntilOnScreen(QWidget *window, int timeoutMs) override;
    std::vector<WindowId> ownWindowIds() override;
    std::optional<std::int64_t> windowPid(WindowId window) override;
    WindowActivation activateWindow(WindowId window) override;
    void sendKeysToForeground(std::string_view notation) override;
    KeyCharacters foregroundCharacters() override;

private:
    X11Desktop *desktop();
    std::unique_ptr<X11Desktop> desktop_;
    std::unique_ptr<WaylandDesktop> wayland_;
    std::unique_ptr<LaunchListener> launches_;
    bool desktopTried_ = false;
    QString desktopReason_;
    std::unique_ptr<ActiveWindowWatch> activeWatch_;

    QWidget *owner_ = nullptr;
    QtKeySender keySender_;
};

} // namespace zorbic
