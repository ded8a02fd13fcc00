#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zorbic {

// One character read from UTF-8 text: its code point and the number of bytes it took.
struct Utf8Character {
    char32_t codepoint = 0;
    std::size_t length = 0;
};

// Reads the character that starts at text[index]. Only well-formed UTF-8 is accepted: no stray
// continuation byte, no sequence cut short, no overlong form, no surrogate, nothing beyond
// U+10FFFF. Empty when the bytes there are not such a character (or index is past the end).
std::optional<Utf8Character> DecodeUtf8(std::string_view text, std::size_t index);

// The UTF-8 bytes of a code point up to U+10FFFF (surrogates are not checked for).
std::string EncodeUtf8(char32_t codepoint);

} // namespace zorbic
