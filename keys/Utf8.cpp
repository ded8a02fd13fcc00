#include "Utf8.h"

namespace zorbic {

std::optional<Utf8Character> DecodeUtf8(std::string_view text, std::size_t index) {
    if (index >= text.size()) return std::nullopt;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(index);
    if (lead < 0x80) return Utf8Character{lead, 1};

    std::size_t length = 0;
    char32_t codepoint = 0;
    char32_t smallest = 0; // below it the sequence is an overlong form of a shorter one
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
        codepoint = lead & 0x1f;
        smallest = 0x80;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        codepoint = lead & 0x0f;
        smallest = 0x800;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        codepoint = lead & 0x07;
        smallest = 0x10000;
    } else {
        return std::nullopt; // a continuation byte, an overlong 0xc0/0xc1 lead, or 0xf5 and up
    }
    if (text.size() - index < length) return std::nullopt;
    for (std::size_t i = index + 1; i < index + length; ++i) {
        if ((byte(i) & 0xc0) != 0x80) return std::nullopt;
        codepoint = (codepoint << 6) | (byte(i) & 0x3f);
    }
    if (codepoint < smallest || codepoint > 0x10ffff) return std::nullopt;
    if (codepoint >= 0xd800 && codepoint <= 0xdfff) return std::nullopt;
    return Utf8Character{codepoint, length};
}

std::string EncodeUtf8(char32_t codepoint) {
    std::string out;
    const auto put = [&](char32_t bits) { out += static_cast<char>(bits); };
    if (codepoint < 0x80) {
        put(codepoint);
    } else if (codepoint < 0x800) {
        put(0xc0 | (codepoint >> 6));
        put(0x80 | (codepoint & 0x3f));
    } else if (codepoint < 0x10000) {
        put(0xe0 | (codepoint >> 12));
        put(0x80 | ((codepoint >> 6) & 0x3f));
        put(0x80 | (codepoint & 0x3f));
    } else {
        put(0xf0 | (codepoint >> 18));
        put(0x80 | ((codepoint >> 12) & 0x3f));
        put(0x80 | ((codepoint >> 6) & 0x3f));
        put(0x80 | (codepoint & 0x3f));
    }
    return out;
}

} // namespace zorbic
