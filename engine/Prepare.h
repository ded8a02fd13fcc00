#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace zorbic {

// Positions in the preparation routines are 16-bit: a text beyond 32,767 characters, given or
// made, raises this overflow fault (what() is "Overflow") and nothing is returned.
struct TextOverflow : std::overflow_error {
    TextOverflow() : std::overflow_error("Overflow") {}
};

// The text without blanks and, when stripLineBreaks is true, without carriage returns and line
// feeds. Throws TextOverflow for a text longer than 32,767 characters.
std::string fnStripBlanks(std::string_view text, bool stripLineBreaks);

// `big` with every occurrence of `replace` replaced by `with`, scanning from the left and
// resuming after each inserted text, so inserted text is never searched again ("5%%" with "%"
// -> "/100" gives "5/100/100"). Characters are compared literally; an empty `replace` leaves
// `big` unchanged.
std::string fnFindAndReplace(std::string_view big, std::string_view replace, std::string_view with);

// Rewrites a typed (blank-free, upper-cased) expression into the evaluator's language, in place,
// and returns it: "*" where a product is only implied, "/100" for "%", the digits of pi for PI
// and of e for a free-standing E, "*" for x and for an X that is not part of EXP. Throws
// TextOverflow, leaving `expression` as it was, when the rewritten text would be longer than
// 32,767 characters.
std::string fnConvertDegrees(std::string &expression);

// The Enter path's tidying of the box text: fnStripBlanks(box, true), upper-cased (ASCII only).
std::string PrepareBoxText(std::string_view box);

} // namespace zorbic
