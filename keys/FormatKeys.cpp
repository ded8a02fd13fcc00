#include "FormatKeys.h"

#include "KeyNames.h"
#include "ParseKeys.h"

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
    if (stroke.key == Key::Character && run == 1 && !IsNotationCharacter(stroke.character)) {
        out += stroke.character;
        return;
    }
    out += '{';
    if (stroke.key == Key::Character) {
        out += stroke.character;
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
    for (char c : text) {
        out += '{';
        out += c;
        out += '}';
    }
    return out;
}

} // namespace zorbic
