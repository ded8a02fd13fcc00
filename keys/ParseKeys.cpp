#include "ParseKeys.h"

#include "KeyNames.h"
#include "Utf8.h"

#include <optional>
#include <string>
#include <vector>

namespace zorbic {

namespace {

struct Modifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;

    Modifiers operator|(const Modifiers &other) const {
        return {shift || other.shift, ctrl || other.ctrl, alt || other.alt};
    }
};

struct Group {
    Modifiers held;            // modifiers that apply to every key inside
    std::size_t open;          // index of its "("
    std::size_t strokesBefore; // strokes made before it opened, to spot "()"
};

struct ParseFault {
    std::string message;
};

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

bool Printable(char c) {
    return c >= 0x20 && c < 0x7f;
}

// One plain character of the notation: an ASCII `character`, or a `codepoint` beyond ASCII.
struct Typed {
    char character = 0;
    char32_t codepoint = 0;
    std::size_t length = 1; // bytes in the notation
};

// Groups are kept on an explicit stack rather than by recursion, so deep nesting in a
// hostile string cannot exhaust the call stack.
class Parser {
public:
    Parser(std::string_view text, KeyCharacters characters)
        : text_(text), unicode_(characters == KeyCharacters::Unicode) {}

    std::vector<KeyStroke> Run() {
        std::size_t i = 0;
        while (i < text_.size()) {
            const char c = text_[i];
            switch (c) {
            case '+':
            case '^':
            case '%':
                Hold(c, i);
                ++i;
                break;
            case '(':
                groups_.push_back({Held() | pending_, i, strokes_.size()});
                ClearPending();
                ++i;
                break;
            case ')':
                CloseGroup(i);
                ++i;
                break;
            case '~':
                Emit(Key::Enter, {}, 1);
                ++i;
                break;
            case '{':
                i = Braced(i);
                break;
            case '}':
                throw ParseFault{"Unmatched \"}\"" + At(i)};
            default: {
                const Typed typed = Character(i);
                Emit(Key::Character, typed, 1);
                i += typed.length;
                break;
            }
            }
        }
        if (pendingAt_) throw DanglingModifier();
        if (!groups_.empty()) throw ParseFault{"Unmatched \"(\"" + At(groups_.back().open)};
        return std::move(strokes_);
    }

private:
    // Positions count characters: in Unicode mode the bytes that start one. The text before
    // a fault has been read already, so it is valid UTF-8 there.
    std::string At(std::size_t index) const {
        std::size_t position = index;
        if (unicode_) {
            position = 0;
            for (std::size_t i = 0; i < index; ++i) {
                if ((static_cast<unsigned char>(text_[i]) & 0xc0) != 0x80) ++position;
            }
        }
        return " at position " + std::to_string(position + 1);
    }

    std::string Untypable(char32_t code, std::size_t index) const {
        return "Character code " + std::to_string(code) + At(index) +
               (unicode_ ? " cannot be typed (control characters cannot)"
                         : " cannot be typed (only printable ASCII characters can)");
    }

    // The plain character that starts at `index`.
    Typed Character(std::size_t index) const {
        const char c = text_[index];
        if (!unicode_ || static_cast<unsigned char>(c) < 0x80) {
            if (!Printable(c)) throw ParseFault{Untypable(static_cast<unsigned char>(c), index)};
            return {c, 0, 1};
        }
        const std::optional<Utf8Character> decoded = DecodeUtf8(text_, index);
        if (!decoded)
            throw ParseFault{"Byte " + std::to_string(static_cast<unsigned char>(c)) + At(index) +
                             " is not valid UTF-8"};
        // U+0080 to U+009F are control characters, as ASCII's below the blank.
        if (decoded->codepoint < 0xa0) throw ParseFault{Untypable(decoded->codepoint, index)};
        return {0, decoded->codepoint, decoded->length};
    }

    Modifiers Held() const { return groups_.empty() ? Modifiers{} : groups_.back().held; }

    void Hold(char c, std::size_t index) {
        if (!pendingAt_) {
            pendingAt_ = index;
            pendingChar_ = c;
        }
        if (c == '+') pending_.shift = true;
        if (c == '^') pending_.ctrl = true;
        if (c == '%') pending_.alt = true;
    }

    void ClearPending() {
        pending_ = {};
        pendingAt_.reset();
    }

    ParseFault DanglingModifier() const {
        return {"Modifier " + Quoted(std::string(1, pendingChar_)) + At(*pendingAt_) +
                " has no key after it"};
    }

    void CloseGroup(std::size_t index) {
        if (pendingAt_) throw DanglingModifier();
        if (groups_.empty()) throw ParseFault{"Unmatched \")\"" + At(index)};
        if (strokes_.size() == groups_.back().strokesBefore)
            throw ParseFault{"Empty parentheses" + At(groups_.back().open)};
        groups_.pop_back();
    }

    void Emit(Key key, Typed typed, int count) {
        if (strokes_.size() + static_cast<std::size_t>(count) > kMaxKeyStrokes)
            throw ParseFault{"The key string makes more than " + std::to_string(kMaxKeyStrokes) +
                             " key strokes"};
        const Modifiers mods = Held() | pending_;
        strokes_.insert(
            strokes_.end(), static_cast<std::size_t>(count),
            KeyStroke{key, typed.character, mods.shift, mods.ctrl, mods.alt, typed.codepoint});
        ClearPending();
    }

    // Reads "{...}" starting at its "{" and returns the index after its "}". The first
    // character after "{" always belongs to the name, which is how "{}}" types a "}".
    std::size_t Braced(std::size_t open) {
        const std::size_t first = open + 1;
        const std::size_t close = first < text_.size() ? text_.find('}', first + 1) : text_.npos;
        if (close == text_.npos) throw ParseFault{"Unclosed \"{\"" + At(open)};
        const std::string_view whole = text_.substr(open, close - open + 1);
        std::string_view name = text_.substr(first, close - first);

        int count = 1;
        if (const std::size_t blank = name.find(' ', 1); blank != name.npos) {
            count = RepeatCount(name.substr(blank + 1), whole, open);
            name = name.substr(0, blank);
        }

        // With Unicode a character of several bytes is still one character in braces.
        const bool wide = unicode_ && static_cast<unsigned char>(name[0]) >= 0x80;
        if (name.size() == 1 || (wide && Character(first).length == name.size())) {
            Emit(Key::Character, Character(first), count);
        } else if (const std::optional<Key> key = FindKeyName(name)) {
            Emit(*key, {}, count);
        } else {
            throw ParseFault{"Unknown key name " + Quoted(whole) + At(open)};
        }
        return close + 1;
    }

    int RepeatCount(std::string_view digits, std::string_view whole, std::size_t open) const {
        if (digits.empty() || digits.find_first_not_of("0123456789") != digits.npos)
            throw ParseFault{"Bad repeat count " + Quoted(digits) + " in " + Quoted(whole) +
                             At(open)};
        int value = 0;
        for (char d : digits) {
            value = value * 10 + (d - '0');
            if (value > kMaxKeyRepeat) break; // out of range anyway; stop before overflow
        }
        if (value < 1 || value > kMaxKeyRepeat)
            throw ParseFault{"Repeat count " + std::string(digits) + " in " + Quoted(whole) +
                             At(open) + " is out of range (1 to " + std::to_string(kMaxKeyRepeat) +
                             ")"};
        return value;
    }

    std::string_view text_;
    bool unicode_;
    std::vector<KeyStroke> strokes_;
    std::vector<Group> groups_;
    Modifiers pending_;
    std::optional<std::size_t> pendingAt_;
    char pendingChar_ = 0;
};

} // namespace

KeyParse ParseKeys(std::string_view notation, KeyCharacters characters) {
    try {
        return {Parser(notation, characters).Run(), {}};
    } catch (const ParseFault &fault) {
        return {{}, fault.message};
    }
}

} // namespace zorbic
