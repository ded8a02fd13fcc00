#pragma once

#include "platform/Platform.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>
#include <string_view>

namespace zorbic {

class PortalKeyboard;
class VirtualKeyboard;

// Zipto on a Wayland session. Wayland tells no client which other window is in front, and no
// client can bring another's window forward, so the previous application is reached by
// stepping aside: this program hides its windows, the compositor gives the focus back to the
// window that had it before, the keys are typed there, and showing the windows again brings
// the calculator back.
//
// Window ids are two pseudo ids: kOtherApplication whenever none of our windows has the focus,
// kZorbic when one has. The keys go through the compositor's virtual keyboard (wlroots), else
// the desktop portal (GNOME, KDE); without either, Zipto is unsupported with a reason.
class WaylandDesktop {
public:
    static constexpr WindowId kOtherApplication = 1;
    static constexpr WindowId kZorbic = 2;

    // Picks the way of typing; with none, unsupportedReason() says why. It may block up to
    // two seconds while the portal is asked whether it offers a remote desktop.
    WaylandDesktop();
    ~WaylandDesktop();
    WaylandDesktop(const WaylandDesktop &) = delete;
    WaylandDesktop &operator=(const WaylandDesktop &) = delete;

    const QString &unsupportedReason() const { return reason_; }

    WindowId foregroundWindow() const;
    // kOtherApplication belongs to no process of ours; its pid is reported as 0.
    std::optional<std::int64_t> windowPid(WindowId window) const;
    // kOtherApplication: hides our windows and waits (at most two seconds) until the focus has
    // left them; with the portal, its session is opened first, and a refusal throws
    // std::runtime_error with the message for the user, nothing hidden. kZorbic: shows them again
    // and waits until one has the focus.
    WindowActivation activate(WindowId window);
    // Types the key notation into the window that has the focus; bad notation throws
    // std::invalid_argument, a failed send std::runtime_error.
    void sendKeys(std::string_view notation);

    // Shows the windows hidden by stepping aside; false when none was hidden.
    bool showAgain();

private:
    std::unique_ptr<VirtualKeyboard> keyboard_;
    std::unique_ptr<PortalKeyboard> portal_;
    QString reason_;
    QList<QPointer<QWidget>> hidden_;
};

} // namespace zorbic
