#include "platform/x11/X11Desktop.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
extern "C" {
// xdo.h declares C functions without extern "C" of its own.
#include <xdo.h>
}

#include <chrono>
#include <cstdlib>
#include <thread>

#include <poll.h>

namespace zorbic {

namespace {

// Microseconds libxdo waits between key events. For a character missing from the keyboard
// map it binds a spare key code for a moment; the pause gives the target time to read the
// map before it changes back. Typing costs about 1.5 ms per character with it.
constexpr useconds_t kKeyDelayUs = 2000;

// The log of X errors caused by our own requests while a public call runs.
struct ErrorLog {
    Display *display = nullptr;
    int count = 0;
};

thread_local ErrorLog *currentLog = nullptr;
thread_local XErrorHandler chainedHandler = nullptr;

// Records errors of our connection; errors of any other connection in this process (Qt's,
// if it uses Xlib) go to whatever handler was installed before.
int recordXError(Display *display, XErrorEvent *event) {
    if (currentLog && currentLog->display == display) {
        ++currentLog->count;
        return 0;
    }
    return chainedHandler ? chainedHandler(display, event) : 0;
}

// Installs the recording handler for the length of one public call. Xlib's default handler
// ends the process on BadWindow, which any window closing at the wrong moment would cause.
// The handler is process-wide, so it is put back afterwards unless somebody replaced it in
// between; then theirs stays.
class ErrorTrap {
public:
    explicit ErrorTrap(Display *display) : outer_(currentLog) {
        log_.display = display;
        currentLog = &log_;
        XErrorHandler previous = XSetErrorHandler(recordXError);
        if (previous != recordXError) {
            installed_ = true;
            chainedHandler = previous;
        }
    }
    ~ErrorTrap() {
        // Errors of requests still in flight must reach the log, not the handler after us.
        XSync(log_.display, False);
        currentLog = outer_;
        if (outer_) return;
        if (installed_) {
            XErrorHandler mine = XSetErrorHandler(chainedHandler);
            if (mine != recordXError) XSetErrorHandler(mine);
        }
    }
    ErrorTrap(const ErrorTrap &) = delete;
    ErrorTrap &operator=(const ErrorTrap &) = delete;

    // Flushes the request queue so that its errors, if any, are counted.
    bool failedAfterSync() {
        XSync(log_.display, False);
        return log_.count > 0;
    }

private:
    ErrorLog log_;
    ErrorLog *outer_;
    bool installed_ = false;
};

// The keysym names libxdo understands for the named keys.
const char *keysymName(Key key) {
    switch (key) {
    case Key::Character:
        return nullptr;
    case Key::Backspace:
        return "BackSpace";
    case Key::Break:
        return "Break";
    case Key::CapsLock:
        return "Caps_Lock";
    case Key::Delete:
        return "Delete";
    case Key::Down:
        return "Down";
    case Key::End:
        return "End";
    case Key::Enter:
        return "Return";
    case Key::Escape:
        return "Escape";
    case Key::Help:
        return "Help";
    case Key::Home:
        return "Home";
    case Key::Insert:
        return "Insert";
    case Key::Left:
        return "Left";
    case Key::NumLock:
        return "Num_Lock";
    case Key::PageDown:
        return "Next";
    case Key::PageUp:
        return "Prior";
    case Key::PrintScreen:
        return "Print";
    case Key::Right:
        return "Right";
    case Key::ScrollLock:
        return "Scroll_Lock";
    case Key::Tab:
        return "Tab";
    case Key::Up:
        return "Up";
    case Key::F1:
        return "F1";
    case Key::F2:
        return "F2";
    case Key::F3:
        return "F3";
    case Key::F4:
        return "F4";
    case Key::F5:
        return "F5";
    case Key::F6:
        return "F6";
    case Key::F7:
        return "F7";
    case Key::F8:
        return "F8";
    case Key::F9:
        return "F9";
    case Key::F10:
        return "F10";
    case Key::F11:
        return "F11";
    case Key::F12:
        return "F12";
    case Key::F13:
        return "F13";
    case Key::F14:
        return "F14";
    case Key::F15:
        return "F15";
    case Key::F16:
        return "F16";
    }
    return nullptr;
}

bool printableAscii(char c) {
    return c >= 0x20 && c <= 0x7e;
}

bool plainCharacter(const KeyStroke &s) {
    return s.key == Key::Character && !s.shift && !s.ctrl && !s.alt;
}

} // namespace

struct X11Desktop::Impl {
    Display *display = nullptr;
    xdo_t *xdo = nullptr; // made by prepareTyping()
    std::string displayName;
    Window root = 0;
    bool hasXTest = false;
    Atom netActiveWindow = 0;
    Atom netWmPid = 0;
    Atom netSupported = 0;
    Atom netSupportingWmCheck = 0;
    Atom wmState = 0;

    ~Impl() {
        if (xdo) xdo_free(xdo);
        if (display) XCloseDisplay(display);
    }

    // The 32-bit items of a property, or nothing when the window or the property is missing
    // or has another type. Xlib hands 32-bit items back as longs.
    std::optional<std::vector<unsigned long>> readLongs(Window w, Atom property, Atom type,
                                                        long maxItems = 1) {
        Atom actualType = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char *data = nullptr;
        const int status = XGetWindowProperty(display, w, property, 0, maxItems, False, type,
                                              &actualType, &format, &count, &after, &data);
        std::optional<std::vector<unsigned long>> result;
        if (status == Success && data && actualType == type && format == 32 && count > 0) {
            const auto *items = reinterpret_cast<const unsigned long *>(data);
            result.emplace(items, items + count);
        }
        if (data) XFree(data);
        return result;
    }

    std::optional<unsigned long> readLong(Window w, Atom property, Atom type) {
        auto items = readLongs(w, property, type);
        if (!items) return std::nullopt;
        return items->front();
    }

    bool exists(Window w) {
        if (w == 0) return false;
        ErrorTrap trap(display);
        XWindowAttributes attributes;
        return XGetWindowAttributes(display, w, &attributes) != 0 && !trap.failedAfterSync();
    }

    // A window manager is alive when the check window named on the root names itself.
    // A manager that died without cleaning up leaves the root property behind, but not the
    // window.
    bool ewmhActive() {
        ErrorTrap trap(display);
        const auto check = readLong(root, netSupportingWmCheck, XA_WINDOW);
        if (!check || *check == 0) return false;
        const auto self = readLong(*check, netSupportingWmCheck, XA_WINDOW);
        if (!self || *self != *check) return false;
        const auto supported = readLongs(root, netSupported, XA_ATOM, 4096);
        if (!supported) return false;
        for (unsigned long atom : *supported)
            if (atom == netActiveWindow) return true;
        return false;
    }

    Window ewmhActiveWindow() {
        ErrorTrap trap(display);
        return readLong(root, netActiveWindow, XA_WINDOW).value_or(0);
    }

    // The parent of w, or 0 when w is the root or gone.
    Window parentOf(Window w) {
        Window rootReturn = 0;
        Window parent = 0;
        Window *children = nullptr;
        unsigned int count = 0;
        const Status ok = XQueryTree(display, w, &rootReturn, &parent, &children, &count);
        if (children) XFree(children);
        return ok ? parent : 0;
    }

    Window inputFocus() {
        Window focus = None;
        int revertTo = 0;
        XGetInputFocus(display, &focus, &revertTo);
        if (focus == None || focus == PointerRoot || focus == root) return 0;
        return focus;
    }

    // The top-level window that holds the keyboard focus, for servers without a window
    // manager that reports one: the window the window manager marked as a client (WM_STATE)
    // if there is one, otherwise the child of the root.
    Window focusedTopLevel() {
        ErrorTrap trap(display);
        Window w = inputFocus();
        Window client = 0;
        while (w != 0) {
            if (!client && readLong(w, wmState, wmState)) client = w;
            const Window parent = parentOf(w);
            if (parent == 0) return 0; // gone while we walked
            if (parent == root) return client ? client : w;
            w = parent;
        }
        return 0;
    }

    bool focusInside(Window target) {
        ErrorTrap trap(display);
        for (Window w = inputFocus(); w != 0 && w != root; w = parentOf(w))
            if (w == target) return true;
        return false;
    }

    ActivateResult waitUntil(Window w, int timeoutMs, bool throughWindowManager) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            if ((!throughWindowManager || ewmhActiveWindow() == w) && focusInside(w))
                return ActivateResult::Activated;
            if (!exists(w)) return ActivateResult::WindowGone;
            if (std::chrono::steady_clock::now() >= deadline) return ActivateResult::TimedOut;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

    // Asks the window manager, as a pager would (source 2), to activate the window. Pager
    // requests are honoured even when focus-stealing prevention would refuse an application.
    ActivateResult activateThroughWindowManager(Window w, int timeoutMs) {
        {
            ErrorTrap trap(display);
            XEvent event{};
            event.xclient.type = ClientMessage;
            event.xclient.window = w;
            event.xclient.message_type = netActiveWindow;
            event.xclient.format = 32;
            event.xclient.data.l[0] = 2;
            event.xclient.data.l[1] = CurrentTime;
            event.xclient.data.l[2] = 0;
            XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask,
                       &event);
            if (trap.failedAfterSync())
                return exists(w) ? ActivateResult::Refused : ActivateResult::WindowGone;
        }
        return waitUntil(w, timeoutMs, true);
    }

    ActivateResult activateDirectly(Window w, int timeoutMs) {
        {
            ErrorTrap trap(display);
            XWindowAttributes attributes;
            if (!XGetWindowAttributes(display, w, &attributes) || trap.failedAfterSync())
                return ActivateResult::WindowGone;
            // Focus on an unmapped window is a BadMatch; mapping another program's hidden
            // window is not ours to do.
            if (attributes.map_state != IsViewable) return ActivateResult::Refused;
            XRaiseWindow(display, w);
            XSetInputFocus(display, w, RevertToParent, CurrentTime);
            if (trap.failedAfterSync())
                return exists(w) ? ActivateResult::Refused : ActivateResult::WindowGone;
        }
        return waitUntil(w, timeoutMs, false);
    }

    // libxdo reads the whole keyboard map with several round trips, so it is prepared at the
    // first typing, not when the program starts. It shares our connection; passing no name
    // keeps it from owning (and freeing) one.
    bool prepareTyping(std::string *why) {
        if (!xdo) xdo = xdo_new_with_opened_display(display, nullptr, 0);
        if (!xdo) {
            if (why) *why = "Cannot prepare keyboard input on X display " + displayName;
            return false;
        }
        xdo->quiet = 1;
        return true;
    }

    bool typeText(const std::string &text, std::string *why) {
        if (xdo_enter_text_window(xdo, CURRENTWINDOW, text.c_str(), kKeyDelayUs) != 0) {
            if (why) *why = "Could not type \"" + text + "\"";
            return false;
        }
        return true;
    }

    bool typeChord(const KeyStroke &stroke, std::string *why) {
        std::string sequence;
        if (stroke.ctrl) sequence += "ctrl+";
        if (stroke.alt) sequence += "alt+";
        if (stroke.shift) sequence += "shift+";
        if (stroke.key == Key::Character) {
            // Latin-1 keysyms equal the character codes; the name is what libxdo parses.
            const char *name = XKeysymToString(static_cast<KeySym>(stroke.character));
            if (!name) {
                if (why) *why = std::string("No key types \"") + stroke.character + "\"";
                return false;
            }
            sequence += name;
        } else {
            sequence += keysymName(stroke.key);
        }
        if (xdo_send_keysequence_window(xdo, CURRENTWINDOW, sequence.c_str(), kKeyDelayUs) != 0) {
            if (why) *why = "Could not send the keys " + sequence;
            return false;
        }
        return true;
    }
};

X11Desktop::X11Desktop(std::unique_ptr<Impl> impl) : d(std::move(impl)) {}

X11Desktop::~X11Desktop() = default;

std::unique_ptr<X11Desktop> X11Desktop::open(std::string *why) {
    const char *name = std::getenv("DISPLAY");
    if (!name || !*name) {
        if (why) *why = "DISPLAY is not set";
        return nullptr;
    }
    auto impl = std::make_unique<Impl>();
    impl->display = XOpenDisplay(name);
    if (!impl->display) {
        if (why) *why = std::string("Cannot open X display ") + name;
        return nullptr;
    }
    ErrorTrap trap(impl->display);
    impl->root = DefaultRootWindow(impl->display);

    const char *names[] = {"_NET_ACTIVE_WINDOW", "_NET_WM_PID", "_NET_SUPPORTED",
                           "_NET_SUPPORTING_WM_CHECK", "WM_STATE"};
    Atom atoms[5] = {};
    XInternAtoms(impl->display, const_cast<char **>(names), 5, False, atoms);
    impl->netActiveWindow = atoms[0];
    impl->netWmPid = atoms[1];
    impl->netSupported = atoms[2];
    impl->netSupportingWmCheck = atoms[3];
    impl->wmState = atoms[4];

    int opcode = 0;
    int firstEvent = 0;
    int firstError = 0;
    impl->hasXTest = XQueryExtension(impl->display, "XTEST", &opcode, &firstEvent, &firstError);

    impl->displayName = name;
    return std::unique_ptr<X11Desktop>(new X11Desktop(std::move(impl)));
}

bool X11Desktop::supportsActiveWindow() {
    return d->ewmhActive();
}

std::uint64_t X11Desktop::activeWindow() {
    if (!d->ewmhActive()) return d->focusedTopLevel();
    // The window manager updates the property a moment after the active window closed;
    // until then it names a window that is gone.
    const Window w = d->ewmhActiveWindow();
    return d->exists(w) ? w : 0;
}

std::optional<std::int64_t> X11Desktop::windowPid(std::uint64_t window) {
    if (window == 0) return std::nullopt;
    ErrorTrap trap(d->display);
    const auto pid = d->readLong(window, d->netWmPid, XA_CARDINAL);
    if (!pid || trap.failedAfterSync()) return std::nullopt;
    // The property is 32 bits wide; Xlib widens it to a long.
    return static_cast<std::int64_t>(*pid & 0xffffffffUL);
}

bool X11Desktop::windowExists(std::uint64_t window) {
    return d->exists(window);
}

// The X server sends an Expose event when a window becomes viewable, to every client that
// selected exposures on it, so this connection is told without asking again and again.
bool X11Desktop::waitUntilViewable(std::uint64_t window, int timeoutMs) {
    Display *display = d->display;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    bool viewable = false;
    {
        ErrorTrap trap(display);
        XSelectInput(display, window, ExposureMask | StructureNotifyMask);
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, window, &attributes) || trap.failedAfterSync())
            return false;
        viewable = attributes.map_state == IsViewable;
    }
    bool gone = false;
    while (!viewable && !gone) {
        XEvent event;
        if (XCheckWindowEvent(display, window, ExposureMask | StructureNotifyMask, &event)) {
            viewable = event.type == Expose;
            gone = event.type == DestroyNotify;
            continue;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, static_cast<int>(left.count()) + 1);
    }
    if (!gone) {
        ErrorTrap trap(display);
        XSelectInput(display, window, NoEventMask);
    }
    // Events that came before the mask was cleared are of no further use.
    XEvent stale;
    while (XCheckWindowEvent(display, window, ExposureMask | StructureNotifyMask, &stale)) {
    }
    return viewable;
}

ActivateResult X11Desktop::activate(std::uint64_t window, int timeoutMs) {
    if (!d->exists(window)) return ActivateResult::WindowGone;
    if (d->ewmhActive()) return d->activateThroughWindowManager(window, timeoutMs);
    return d->activateDirectly(window, timeoutMs);
}

bool X11Desktop::sendKeys(const std::vector<KeyStroke> &strokes, std::string *why) {
    if (strokes.empty()) return true;
    if (!d->hasXTest) {
        if (why) *why = "The X server has no XTEST extension";
        return false;
    }
    ErrorTrap trap(d->display);
    if (!d->prepareTyping(why)) return false;
    // Runs of plain characters go out in one call; chords and named keys one by one.
    std::string run;
    auto flush = [&] {
        if (run.empty()) return true;
        const bool ok = d->typeText(run, why);
        run.clear();
        return ok;
    };
    for (const KeyStroke &stroke : strokes) {
        // Only printable ASCII is promised: libxdo drops some other characters silently.
        if (stroke.key == Key::Character && !printableAscii(stroke.character)) {
            if (!flush()) return false;
            if (why)
                *why = "Cannot type the character code " +
                       std::to_string(static_cast<unsigned char>(stroke.character));
            return false;
        }
        if (stroke.key != Key::Character && !keysymName(stroke.key)) {
            if (!flush()) return false;
            if (why) *why = "Unknown key code " + std::to_string(static_cast<int>(stroke.key));
            return false;
        }
        if (plainCharacter(stroke)) {
            run += stroke.character;
            continue;
        }
        if (!flush() || !d->typeChord(stroke, why)) return false;
    }
    if (!flush()) return false;
    // The caller waits for its keys: the server has handled every fake key event once the
    // round trip returns (whether the target has read them yet, X cannot tell).
    if (trap.failedAfterSync()) {
        if (why) *why = "The X server rejected the key input";
        return false;
    }
    return true;
}

} // namespace zorbic
