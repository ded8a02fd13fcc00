#include "ParseKeys.h"

#include "KeyNames.h"

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

std::string At(std::size_t index) {
    return " at position " + std::to_string(index + 1);
}

bool Printable(char c) {
    return c >= 0x20 && c < 0x7f;
}

std::string Untypable(char c, std::size_t index) {
    return "Character code " + std::to_string(static_cast<unsigned char>(c)) + At(index) +
           " cannot be typed (only printable ASCII characters can)";
}

// Groups are kept on an explicit stack rather than by recursion, so deep nesting in a
// hostile string cannot exhaust the call stack.
class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

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
                Emit(Key::Enter, 0, 1);
                ++i;
                break;
            case '{':
                i = Braced(i);
                break;
            case '}':
                throw ParseFault{"Unmatched \"}\"" + At(i)};
            default:
                if (!Printable(c)) throw ParseFault{Untypable(c, i)};
                Emit(Key::Character, c, 1);
                ++i;
                break;
            }
        }
        if (pendingAt_) throw DanglingModifier();
        if (!groups_.empty()) throw ParseFault{"Unmatched \"(\"" + At(groups_.back().open)};
        return std::move(strokes_);
    }

private:
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

    void Emit(Key key, char character, int count) {
        if (strokes_.size() + static_cast<std::size_t>(count) > kMaxKeyStrokes)
            throw ParseFault{"The key string makes more than " + std::to_string(kMaxKeyStrokes) +
                             " key strokes"};
        const Modifiers mods = Held() | pending_;
        strokes_.insert(strokes_.end(), static_cast<std::size_t>(count),
                        KeyStroke{key, character, mods.shift, mods.ctrl, mods.alt});
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

        if (name.size() == 1) {
            if (!Printable(name[0])) throw ParseFault{Untypable(name[0], first)};
            Emit(Key::Character, name[0], count);
        } else if (const std::optional<Key> key = FindKeyName(name)) {
            Emit(*key, 0, count);
        } else {
            throw ParseFault{"Unknown key name " + Quoted(whole) + At(open)};
        }
        return close + 1;
    }

    static int RepeatCount(std::string_view digits, std::string_view whole, std::size_t open) {
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
    std::vector<KeyStroke> strokes_;
    std::vector<Group> groups_;
    Modifiers pending_;
    std::optional<std::size_t> pendingAt_;
    char pendingChar_ = 0;
};

} // namespace

KeyParse ParseKeys(std::string_view notation) {
    try {
        return {Parser(notation).Run(), {}};
    } catch (const ParseFault &fault) {
        return {{}, fault.message};
    }
}

} // namespace zorbic
