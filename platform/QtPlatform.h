#pragma once

#include "platform/Platform.h"
#include "platform/keysend/QtKeySender.h"

#include <memory>

class QWidget;

namespace zorbic {

class ActiveWindowWatch;
class X11Desktop;

// The desktop as Qt Widgets offers it: real modal message boxes.
class QtPlatform : public Platform {
public:
    QtPlatform();
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

    // Zipto: through X11Desktop, connected at the first use. Only an X11 session (Qt on xcb)
    // serves; elsewhere every call reports the reason and nothing reaches the desktop.
    QString desktopUnsupportedReason() override;
    WindowId foregroundWindow() override;
    bool watchForeground(std::function<void()> changed) override;
    std::vector<WindowId> ownWindowIds() override;
    std::optional<std::int64_t> windowPid(WindowId window) override;
    WindowActivation activateWindow(WindowId window) override;
    void sendKeysToForeground(std::string_view notation) override;

private:
    X11Desktop *desktop();
    std::unique_ptr<X11Desktop> desktop_;
    bool desktopTried_ = false;
    QString desktopReason_;
    std::unique_ptr<ActiveWindowWatch> activeWatch_;

    QWidget *owner_ = nullptr;
    QtKeySender keySender_;
};

} // namespace zorbic
