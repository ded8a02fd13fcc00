#pragma once

#include "keys/KeyStroke.h"
#include "platform/wayland/KeysymEvent.h"

#include <stdexcept>
#include <string_view>
#include <vector>

namespace zorbic {

// Bad key notation; what() is the parser's message naming the fault and its position.
class KeyNotationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The key events that type `notation` (the key notation of keys/ParseKeys.h, read as UTF-8 so
// that characters beyond ASCII are typed too). Every stroke is a press and a release of its
// keysym; a chord holds its modifiers around it (Shift_L, Control_L, Alt_L pressed in that
// order, released in the reverse one). A character is its own keysym with no Shift added: "A"
// is the keysym A alone. Throws KeyNotationError, and gives nothing, for bad notation.
KeysymEvents ToKeysymEvents(std::string_view notation);

// The same for strokes already read, which must be valid (keys/KeyNames.h IsValidStroke);
// throws std::invalid_argument for one that is not.
KeysymEvents ToKeysymEvents(const std::vector<KeyStroke> &strokes);

} // namespace zorbic
