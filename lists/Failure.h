#pragma once

#include <stdexcept>
#include <string>

namespace zorbic {

// A run-time failure of a list, table or data-file operation. what() is the description that the
// caller shows in its OK message box; whatever the operation had changed before it failed stays.
struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

inline constexpr const char *kSubscriptOutOfRange = "Subscript out of range";
inline constexpr const char *kOverflow = "Overflow";
inline constexpr const char *kInputPastEndOfFile = "Input past end of file";

} // namespace zorbic
