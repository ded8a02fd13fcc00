#pragma once

#include "KeyStroke.h"

#include <cstddef>
#include <string_view>

namespace zorbic {

// "{name N}" repeats a key N times, N from 1 to kMaxKeyRepeat.
inline constexpr int kMaxKeyRepeat = 255;

// A key string may make at most this many strokes in all, so that no user string (the Zipto
// before and after keystrokes) can queue an unbounded flood of key events.
inline constexpr std::size_t kMaxKeyStrokes = 10000;

// What a plain character of the notation may be. Ascii: printable ASCII only, byte by byte, as
// the X11 keyboard types it. Unicode: the text is UTF-8 and every printable character, ASCII
// or not, types itself (a KeyStroke with its `codepoint`), for back ends that type any
// character; invalid UTF-8 and control characters are faults of the notation.
enum class KeyCharacters { Ascii, Unicode };

// Reads a key string left to right:
//   a printable character (ASCII, or with Unicode any) types itself;
//   "+", "^", "%" hold Shift, Ctrl, Alt for the next key, or for every key of a "(...)" group;
//   "~" is Enter;
//   "{name}" is a named key (case-insensitive, see KeyNames.cpp), "{c}" types c literally
//   (including "{{}", "{}}", "{+}", "{~}"...), and "{name N}" / "{c N}" repeat it N times.
// Bad notation yields no strokes and an error naming the fault and its 1-based position (in
// characters, so with Unicode a character of several bytes counts once).
// An empty string yields no strokes and succeeds.
KeyParse ParseKeys(std::string_view notation, KeyCharacters characters = KeyCharacters::Ascii);

} // namespace zorbic
