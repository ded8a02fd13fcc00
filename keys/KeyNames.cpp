#include "KeyNames.h"

#include <array>
#include <cctype>

namespace zorbic {

namespace {

struct NamedKey {
    std::string_view name;
    Key key;
};

// The first entry for each key is its canonical name; the others are accepted aliases.
constexpr std::array kNames{
    NamedKey{"BACKSPACE", Key::Backspace},
    NamedKey{"BS", Key::Backspace},
    NamedKey{"BKSP", Key::Backspace},
    NamedKey{"BREAK", Key::Break},
    NamedKey{"CAPSLOCK", Key::CapsLock},
    NamedKey{"DELETE", Key::Delete},
    NamedKey{"DEL", Key::Delete},
    NamedKey{"DOWN", Key::Down},
    NamedKey{"END", Key::End},
    NamedKey{"ENTER", Key::Enter},
    NamedKey{"ESC", Key::Escape},
    NamedKey{"HELP", Key::Help},
    NamedKey{"HOME", Key::Home},
    NamedKey{"INSERT", Key::Insert},
    NamedKey{"INS", Key::Insert},
    NamedKey{"LEFT", Key::Left},
    NamedKey{"NUMLOCK", Key::NumLock},
    NamedKey{"PGDN", Key::PageDown},
    NamedKey{"PGUP", Key::PageUp},
    NamedKey{"PRTSC", Key::PrintScreen},
    NamedKey{"RIGHT", Key::Right},
    NamedKey{"SCROLLLOCK", Key::ScrollLock},
    NamedKey{"TAB", Key::Tab},
    NamedKey{"UP", Key::Up},
    NamedKey{"F1", Key::F1},
    NamedKey{"F2", Key::F2},
    NamedKey{"F3", Key::F3},
    NamedKey{"F4", Key::F4},
    NamedKey{"F5", Key::F5},
    NamedKey{"F6", Key::F6},
    NamedKey{"F7", Key::F7},
    NamedKey{"F8", Key::F8},
    NamedKey{"F9", Key::F9},
    NamedKey{"F10", Key::F10},
    NamedKey{"F11", Key::F11},
    NamedKey{"F12", Key::F12},
    NamedKey{"F13", Key::F13},
    NamedKey{"F14", Key::F14},
    NamedKey{"F15", Key::F15},
    NamedKey{"F16", Key::F16},
};

bool SameNameIgnoringCase(std::string_view typed, std::string_view upper) {
    if (typed.size() != upper.size()) return false;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(typed[i])) != upper[i]) return false;
    }
    return true;
}

} // namespace

std::optional<Key> FindKeyName(std::string_view name) {
    for (const NamedKey &entry : kNames) {
        if (SameNameIgnoringCase(name, entry.name)) return entry.key;
    }
    return std::nullopt;
}

std::string_view KeyName(Key key) {
    for (const NamedKey &entry : kNames) {
        if (entry.key == key) return entry.name;
    }
    return {};
}

bool IsValidStroke(const KeyStroke &stroke) {
    if (stroke.key == Key::Character && stroke.codepoint != 0) {
        const char32_t c = stroke.codepoint;
        return stroke.character == 0 && c >= 0xa0 && c <= 0x10ffff && !(c >= 0xd800 && c <= 0xdfff);
    }
    if (stroke.key == Key::Character) return stroke.character >= 0x20 && stroke.character < 0x7f;
    return static_cast<int>(stroke.key) <= static_cast<int>(Key::F16) && stroke.character == 0 &&
           stroke.codepoint == 0;
}

} // namespace zorbic
