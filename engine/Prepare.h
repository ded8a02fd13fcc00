#pragma once

#include <string>
#include <string_view>

namespace zorbic {

// The text without blanks and, when stripLineBreaks is true, without carriage returns and line
// feeds.
std::string fnStripBlanks(std::string_view text, bool stripLineBreaks);

// `big` with every occurrence of `replace` replaced by `with`, scanning from the left and
// resuming after each inserted text, so inserted text is never searched again ("5%%" with "%"
// -> "/100" gives "5/100/100"). Characters are compared literally; an empty `replace` leaves
// `big` unchanged.
std::string fnFindAndReplace(std::string_view big, std::string_view replace, std::string_view with);

// Rewrites a typed (blank-free, upper-cased) expression into the evaluator's language, in place,
// and returns it: "*" where a product is only implied, "/100" for "%", the digits of pi for PI
// and of e for a free-standing E, "*" for x and for an X that is not part of EXP.
std::string fnConvertDegrees(std::string &expression);

// The Enter path's tidying of the box text: fnStripBlanks(box, true), upper-cased (ASCII only).
std::string PrepareBoxText(std::string_view box);

} // namespace zorbic
