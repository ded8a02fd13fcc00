#include "platform/wayland/KeysymMap.h"

#include "keys/KeyNames.h"
#include "keys/ParseKeys.h"

#include <xkbcommon/xkbcommon.h>

#include <string>

namespace zorbic {

namespace {

xkb_keysym_t NamedKeysym(Key key) {
    switch (key) {
    case Key::Character:
        break;
    case Key::Backspace:
        return XKB_KEY_BackSpace;
    case Key::Break:
        return XKB_KEY_Break;
    case Key::CapsLock:
        return XKB_KEY_Caps_Lock;
    case Key::Delete:
        return XKB_KEY_Delete;
    case Key::Down:
        return XKB_KEY_Down;
    case Key::End:
        return XKB_KEY_End;
    case Key::Enter:
        return XKB_KEY_Return;
    case Key::Escape:
        return XKB_KEY_Escape;
    case Key::Help:
        return XKB_KEY_Help;
    case Key::Home:
        return XKB_KEY_Home;
    case Key::Insert:
        return XKB_KEY_Insert;
    case Key::Left:
        return XKB_KEY_Left;
    case Key::NumLock:
        return XKB_KEY_Num_Lock;
    case Key::PageDown:
        return XKB_KEY_Page_Down;
    case Key::PageUp:
        return XKB_KEY_Page_Up;
    case Key::PrintScreen:
        return XKB_KEY_Print;
    case Key::Right:
        return XKB_KEY_Right;
    case Key::ScrollLock:
        return XKB_KEY_Scroll_Lock;
    case Key::Tab:
        return XKB_KEY_Tab;
    case Key::Up:
        return XKB_KEY_Up;
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
        // F1 to F35 are consecutive keysyms, as F1 to F16 are consecutive keys.
        return XKB_KEY_F1 + (static_cast<xkb_keysym_t>(key) - static_cast<xkb_keysym_t>(Key::F1));
    }
    return XKB_KEY_NoSymbol;
}

xkb_keysym_t KeysymOf(const KeyStroke &stroke) {
    if (stroke.key != Key::Character) return NamedKeysym(stroke.key);
    const char32_t code =
        stroke.codepoint != 0 ? stroke.codepoint : static_cast<unsigned char>(stroke.character);
    return xkb_utf32_to_keysym(code);
}

} // namespace

KeysymEvents ToKeysymEvents(const std::vector<KeyStroke> &strokes) {
    KeysymEvents events;
    events.reserve(strokes.size() * 2);
    for (const KeyStroke &stroke : strokes) {
        const xkb_keysym_t keysym = IsValidStroke(stroke) ? KeysymOf(stroke) : XKB_KEY_NoSymbol;
        if (keysym == XKB_KEY_NoSymbol)
            throw std::invalid_argument("A key stroke has no keysym (key " +
                                        std::to_string(static_cast<int>(stroke.key)) + ")");
        if (stroke.shift) events.push_back({XKB_KEY_Shift_L, true});
        if (stroke.ctrl) events.push_back({XKB_KEY_Control_L, true});
        if (stroke.alt) events.push_back({XKB_KEY_Alt_L, true});
        events.push_back({keysym, true});
        events.push_back({keysym, false});
        if (stroke.alt) events.push_back({XKB_KEY_Alt_L, false});
        if (stroke.ctrl) events.push_back({XKB_KEY_Control_L, false});
        if (stroke.shift) events.push_back({XKB_KEY_Shift_L, false});
    }
    return events;
}

KeysymEvents ToKeysymEvents(std::string_view notation) {
    const KeyParse parse = ParseKeys(notation, KeyCharacters::Unicode);
    if (!parse.ok()) throw KeyNotationError(parse.error);
    return ToKeysymEvents(parse.strokes);
}

} // namespace zorbic
