#include "FormatKeys.h"

#include "KeyNames.h"
#include "ParseKeys.h"
#include "Utf8.h"

#include <algorithm>

namespace zorbic {

namespace {

bool IsNotationCharacter(char c) {
    return std::string_view("+^%~(){}").find(c) != std::string_view::npos;
}

void AppendStroke(std::string &out, const KeyStroke &stroke, std::size_t run) {
    if (stroke.shift) out += '+';
    if (stroke.ctrl) out += '^';
    if (stroke.alt) out += '%';
    const std::string typed =
        stroke.codepoint != 0 ? EncodeUtf8(stroke.codepoint) : std::string(1, stroke.character);
    if (stroke.key == Key::Character && run == 1 && !IsNotationCharacter(stroke.character)) {
        out += typed;
        return;
    }
    out += '{';
    if (stroke.key == Key::Character) {
        out += typed;
    } else {
        const std::string_view name = KeyName(stroke.key);
        out += name.empty() ? std::string_view("?") : name;
    }
    if (run > 1) {
        out += ' ';
        out += std::to_string(run);
    }
    out += '}';
}

} // namespace

std::string FormatKeys(const std::vector<KeyStroke> &strokes) {
    std::string out;
    for (auto it = strokes.begin(); it != strokes.end();) {
        const auto limit = it + std::min<std::ptrdiff_t>(kMaxKeyRepeat, strokes.end() - it);
        const auto end = std::find_if(it, limit, [&](const KeyStroke &s) { return !(s == *it); });
        AppendStroke(out, *it, static_cast<std::size_t>(end - it));
        it = end;
    }
    return out;
}

std::string BraceEach(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size();) {
        // A UTF-8 character stays whole; any other byte is braced alone.
        const std::optional<Utf8Character> decoded = DecodeUtf8(text, i);
        const std::size_t length = decoded ? decoded->length : 1;
        out += '{';
        out += text.substr(i, length);
        out += '}';
        i += length;
    }
    return out;
}

} // namespace zorbic
