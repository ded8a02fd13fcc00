#pragma once

#include <string>
#include <string_view>

namespace zorbic {

// Removes leading and trailing blanks (spaces only, not tabs or line ends).
std::string TrimBlanks(std::string_view text);

} // namespace zorbic
