#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zorbic {

// A key that the notation can name. Character means "type this character".
enum class Key : std::uint8_t {
    Character,
    Backspace,
    Break,
    CapsLock,
    Delete,
    Down,
    End,
    Enter,
    Escape,
    Help,
    Home,
    Insert,
    Left,
    NumLock,
    PageDown,
    PageUp,
    PrintScreen,
    Right,
    ScrollLock,
    Tab,
    Up,
    F1,
    F2,
    F3,
    F4,
    F5,
    F6,
    F7,
    F8,
    F9,
    F10,
    F11,
    F12,
    F13,
    F14,
    F15,
    F16,
};

// One key press and release, with the modifiers held around it.
struct KeyStroke {
    Key key = Key::Character;
    char character = 0; // the character typed, for Key::Character (ASCII)
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    // The character typed, for Key::Character beyond ASCII (read with KeyCharacters::Unicode);
    // `character` is 0 then. 0 for every other stroke, so ASCII strokes read the same either way.
    char32_t codepoint = 0;

    friend bool operator==(const KeyStroke &, const KeyStroke &) = default;
};

// The outcome of reading a key string: the strokes in order, or a message naming the fault.
struct KeyParse {
    std::vector<KeyStroke> strokes;
    std::string error; // empty when the notation was valid

    bool ok() const { return error.empty(); }
};

} // namespace zorbic
