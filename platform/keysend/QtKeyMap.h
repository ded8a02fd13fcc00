#pragma once

#include "keys/KeyStroke.h"

#include <QString>
#include <Qt>

namespace zorbic {

// What one key stroke looks like as a Qt key event.
struct QtKeyEventData {
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers;
    QString text;
};

// Maps a stroke to the key, modifiers and text that typing it on a US keyboard gives:
// - a character keeps itself as the text and gets the Qt key of its (upper-case) ASCII code;
//   an upper-case letter carries Shift, and a Shift-held lower-case letter types upper case.
//   Shift does not change other characters ("+1" types "1"): the keyboard layout is unknown.
// - chords with Ctrl or Alt carry no text, so a chord that no widget or shortcut claims types
//   nothing into a text box (an unclaimed "%f" must not insert an "f");
// - Enter, Tab, Backspace, Escape and Delete carry their control character, as real typing
//   does (the expression box sees Enter as character code 13); Shift+Tab is Qt::Key_Backtab.
QtKeyEventData ToQtKeyEvent(const KeyStroke &stroke);

} // namespace zorbic
