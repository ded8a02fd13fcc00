#pragma once

#include "keys/ParseKeys.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

class QWidget;

namespace zorbic {

enum class MsgButtons { Ok, YesNo };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgResult { Ok, Yes, No };

// Zipto: top-level windows of the desktop (X window ids under X11), and the outcome of
// bringing one to the front.
using WindowId = std::uint64_t;
enum class WindowActivation { Activated, WindowGone, Refused, TimedOut };

// The one door to the desktop. Every message box of the program goes through it, so tests
// replace it with a recording fake and never meet a modal dialog. Key sending, foreground
// windows, the browser and help join here as they are needed.
class Platform {
public:
    virtual ~Platform() = default;

    virtual MsgResult msgBox(const QString &text, MsgButtons buttons, MsgIcon icon,
                             const QString &title) = 0;

    // Clears the clipboard, then puts the text on it as plain text.
    virtual void setClipboardText(const QString &text) = 0;

    // Key sending and window placement.
    // Types `notation` (the key notation of keys/ParseKeys.h) into whichever of the program's
    // windows has the focus; wait = true returns only after the keys were handled. Bad notation
    // throws std::invalid_argument, no focused window std::runtime_error; nothing is sent then.
    virtual void sendKeys(std::string_view notation, bool wait) = 0;
    // Keeps `window` above other windows (or stops doing so) without recreating it: the same
    // native window at the same position.
    virtual void setStayOnTop(QWidget *window, bool on) = 0;

    // Zipto: the desktop's windows and typing into other applications.
    // Empty when Zipto can work here, else why not (Wayland, no X display...), for the user.
    virtual QString desktopUnsupportedReason() = 0;
    // The top-level window in front; 0 when there is none or the desktop is unsupported.
    virtual WindowId foregroundWindow() = 0;
    // Calls `changed` on the user-interface thread whenever the desktop announces that the
    // window in front may have changed, for the rest of the run. False when this desktop makes
    // no such announcements: the caller has to ask foregroundWindow() from time to time.
    virtual bool watchForeground(std::function<void()> changed) {
        (void)changed;
        return false;
    }
    // Waits, at most timeoutMs, until the desktop shows the window that was just shown; at
    // once where it cannot tell.
    virtual void waitUntilOnScreen(QWidget *window, int timeoutMs) {
        (void)window;
        (void)timeoutMs;
    }
    // The ids of this program's own top-level windows that exist on the desktop now.
    virtual std::vector<WindowId> ownWindowIds() = 0;
    // The process id that the window's owner announced; nothing when it is gone or unknown.
    virtual std::optional<std::int64_t> windowPid(WindowId window) = 0;
    // Brings the window to the front and waits (bounded) until it has the keyboard focus. A
    // desktop that must first be allowed to type (and is refused) throws std::runtime_error
    // with the message for the user.
    virtual WindowActivation activateWindow(WindowId window) = 0;
    // Types `notation` (the full key notation) into the window in front, whoever owns it, and
    // returns once the desktop has processed the keys. Bad notation throws
    // std::invalid_argument and sends nothing; a key that cannot be typed throws
    // std::runtime_error.
    virtual void sendKeysToForeground(std::string_view notation) = 0;
    // Which characters sendKeysToForeground types (keys/ParseKeys.h): Unicode where the desktop
    // types any character.
    virtual KeyCharacters foregroundCharacters() { return KeyCharacters::Ascii; }
};

} // namespace zorbic
