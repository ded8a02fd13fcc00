#pragma once

#include "keys/KeyStroke.h"

#include <string_view>
#include <vector>

class QObject;

namespace zorbic {

// Types key strokes into this program's own windows as Qt key events (a KeyPress and a
// KeyRelease per stroke), delivered to whatever widget has the keyboard focus.
//
// The events are not spontaneous, so Qt first offers each press as a ShortcutOverride:
// a stroke that matches a QAction shortcut (a posted "{f12}", "%f" on a menu mnemonic)
// triggers that action, exactly as typing it would, unless the focus widget claims the key
// (a QLineEdit claims Ctrl+C, Ctrl+V, Ctrl+Z and the other standard edit keys).
//
// Modifiers travel only as event modifiers; no separate Shift/Ctrl/Alt key events are made.
class QtKeySender {
public:
    // wait = false: posts the events and returns at once; they are handled, in order, when
    //   the event loop next runs, after the calling handler has returned.
    // wait = true: first delivers every event already posted (so keys queued earlier are
    //   typed first), then delivers each stroke synchronously and returns after the focus
    //   widget has handled them all.
    // Each stroke goes to the current focus widget, so "{tab}x" types x into the next field.
    // Throws std::runtime_error when strokes are to be sent and no window of the program
    // has the keyboard focus. An empty list sends nothing and always succeeds.
    void send(const std::vector<KeyStroke> &strokes, bool wait);

    // Reads `keys` in the key notation and sends them. Bad notation throws
    // std::invalid_argument with the parser's message, and nothing is sent.
    void sendKeys(std::string_view keys, bool wait);

private:
    static QObject *focusTarget();
};

} // namespace zorbic
