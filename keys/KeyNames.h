#pragma once

#include "KeyStroke.h"

#include <optional>
#include <string_view>

namespace zorbic {

// The named key for a braced name such as "bs" or "PGDN"; names are case-insensitive.
// Single characters are not names: "{a}" is the literal character, handled by the parser.
std::optional<Key> FindKeyName(std::string_view name);

// The canonical (upper-case) name of a named key, as FormatKeys writes it; empty for
// Key::Character and for values outside the enum.
std::string_view KeyName(Key key);

// True for every value the notation can produce: the enum's members, and for
// Key::Character a printable ASCII character or a printable code point beyond ASCII.
bool IsValidStroke(const KeyStroke &stroke);

} // namespace zorbic
