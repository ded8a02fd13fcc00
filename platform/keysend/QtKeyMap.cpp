#include "QtKeyMap.h"

#include <QChar>

namespace zorbic {

namespace {

Qt::Key NamedQtKey(Key key, bool shift) {
    switch (key) {
    case Key::Character:
        break;
    case Key::Backspace:
        return Qt::Key_Backspace;
    case Key::Break:
        return Qt::Key_Pause;
    case Key::CapsLock:
        return Qt::Key_CapsLock;
    case Key::Delete:
        return Qt::Key_Delete;
    case Key::Down:
        return Qt::Key_Down;
    case Key::End:
        return Qt::Key_End;
    case Key::Enter:
        return Qt::Key_Return;
    case Key::Escape:
        return Qt::Key_Escape;
    case Key::Help:
        return Qt::Key_Help;
    case Key::Home:
        return Qt::Key_Home;
    case Key::Insert:
        return Qt::Key_Insert;
    case Key::Left:
        return Qt::Key_Left;
    case Key::NumLock:
        return Qt::Key_NumLock;
    case Key::PageDown:
        return Qt::Key_PageDown;
    case Key::PageUp:
        return Qt::Key_PageUp;
    case Key::PrintScreen:
        return Qt::Key_Print;
    case Key::Right:
        return Qt::Key_Right;
    case Key::ScrollLock:
        return Qt::Key_ScrollLock;
    case Key::Tab:
        return shift ? Qt::Key_Backtab : Qt::Key_Tab;
    case Key::Up:
        return Qt::Key_Up;
    case Key::F1:
    case Key::F2:
    case Key::F3:
    case Key::F4:
    case Key::F5:
    case Key::F6:
    case Key::F7:
    case Key::F8:
    case Key::F9:
    case Key::F10:
    case Key::F11:
    case Key::F12:
    case Key::F13:
    case Key::F14:
    case Key::F15:
    case Key::F16:
        return static_cast<Qt::Key>(Qt::Key_F1 +
                                    (static_cast<int>(key) - static_cast<int>(Key::F1)));
    }
    return Qt::Key_unknown;
}

QString ControlText(Key key) {
    switch (key) {
    case Key::Backspace:
        return QStringLiteral("\b");
    case Key::Enter:
        return QStringLiteral("\r");
    case Key::Tab:
        return QStringLiteral("\t");
    case Key::Escape:
        return QStringLiteral("\x1b");
    case Key::Delete:
        return QStringLiteral("\x7f");
    default:
        return {};
    }
}

} // namespace

QtKeyEventData ToQtKeyEvent(const KeyStroke &stroke) {
    QtKeyEventData out;
    if (stroke.shift) out.modifiers |= Qt::ShiftModifier;
    if (stroke.ctrl) out.modifiers |= Qt::ControlModifier;
    if (stroke.alt) out.modifiers |= Qt::AltModifier;
    const bool chord = stroke.ctrl || stroke.alt;

    if (stroke.key != Key::Character) {
        out.key = NamedQtKey(stroke.key, stroke.shift);
        if (!chord) out.text = ControlText(stroke.key);
        return out;
    }

    QChar c = QChar::fromLatin1(stroke.character);
    if (c.isUpper()) out.modifiers |= Qt::ShiftModifier;
    if (stroke.shift && c.isLower()) c = c.toUpper();
    // Qt's key codes for printable ASCII are the codes of the upper-case characters.
    out.key = static_cast<Qt::Key>(c.toUpper().unicode());
    if (!chord) out.text = QString(c);
    return out;
}

} // namespace zorbic
