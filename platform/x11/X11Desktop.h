#pragma once

#include "keys/KeyStroke.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zorbic {

enum class ActivateResult {
    Activated,  // the window is the active one and holds the keyboard focus
    WindowGone, // the id names no window (any more)
    Refused,    // the server rejected the request (for example the window is not mapped)
    TimedOut,   // the window manager did not make it active before the deadline
};

// The X11 desktop as Zipto sees it: which top-level window is in front, bringing one to the
// front, and typing into whichever window has the focus. Window ids are X window ids.
//
// One connection of its own to the X server (not Qt's), used only from the thread that
// opened it. X errors caused by its requests are recorded and turned into results instead of
// ending the process, so ids of windows that have just closed are safe to pass everywhere.
class X11Desktop {
public:
    // Connects to the display named by DISPLAY. Null, with the reason in *why, when DISPLAY is
    // unset ("DISPLAY is not set") or the server cannot be reached ("Cannot open X display :N").
    static std::unique_ptr<X11Desktop> open(std::string *why);

    ~X11Desktop();
    X11Desktop(const X11Desktop &) = delete;
    X11Desktop &operator=(const X11Desktop &) = delete;

    // True when a live window manager announces _NET_ACTIVE_WINDOW; the other calls then go
    // through it. Without one they fall back to the plain input focus.
    bool supportsActiveWindow();

    // The top-level window in front, 0 when there is none.
    std::uint64_t activeWindow();

    // The process id the window's owner announced (_NET_WM_PID); nullopt when the window is
    // gone or never announced one.
    std::optional<std::int64_t> windowPid(std::uint64_t window);

    bool windowExists(std::uint64_t window);

    // Waits, at most timeoutMs, until the window is on the screen (viewable: mapped, and its
    // window manager frame too). False when it is not by then, or is gone.
    bool waitUntilViewable(std::uint64_t window, int timeoutMs);

    // Brings the window to the front and waits, at most timeoutMs, until it is active and
    // has the keyboard focus.
    ActivateResult activate(std::uint64_t window, int timeoutMs);

    // Types the strokes into the window that has the focus, through the XTEST extension, as
    // if typed on the keyboard, and returns once the X server has processed them. False with
    // the reason in *why when a stroke cannot be typed; strokes before it have been sent.
    bool sendKeys(const std::vector<KeyStroke> &strokes, std::string *why);

    struct Impl;

private:
    explicit X11Desktop(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> d;
};

} // namespace zorbic
