#pragma once

#include "KeyStroke.h"

#include <string>
#include <string_view>
#include <vector>

namespace zorbic {

// Writes strokes back in the key notation, for messages and tests: modifiers as "+^%",
// named keys as "{NAME}", notation characters braced ("{+}", "{~}"), and runs of the same
// stroke as "{NAME N}" / "{c N}". ParseKeys reads the result back into the same strokes (with
// KeyCharacters::Unicode when they hold characters beyond ASCII).
std::string FormatKeys(const std::vector<KeyStroke> &strokes);

// Wraps every character in braces so that it is typed literally whatever it means in the
// notation: "1.5E+20" gives "{1}{.}{5}{E}{+}{2}{0}". A UTF-8 character of several bytes is
// braced whole ("{é}"), any other byte alone.
std::string BraceEach(std::string_view text);

} // namespace zorbic
