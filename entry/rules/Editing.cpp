#include "entry/rules/Editing.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace zorbic {

namespace {

constexpr KeypadKey Keys(std::string_view text, bool ecr = false, bool atEnd = false) {
    return {text, false, ecr, atEnd};
}

constexpr KeypadKey Direct(std::string_view text) {
    return {text, true, true, false};
}

// Index order is the button order; "{(}", "{+}"... type the character itself.
constexpr std::array<KeypadKey, 44> kKeypad = {
    Keys("{+}", false, true),  // 0
    Keys("-", false, true),    // 1
    Keys("*", true, true),     // 2
    Keys("/", true, true),     // 3
    Keys("{^}", true, true),   // 4
    Keys("{(}"),               // 5
    Keys("{)}"),               // 6
    Keys("{enter}"),           // 7: runs the Enter path
    Keys("."),                 // 8
    Keys("{home}"),            // 9
    Keys("{end}"),             // 10
    Keys("1"),                 // 11
    Keys("2"),                 // 12
    Keys("3"),                 // 13
    Keys("4"),                 // 14
    Keys("5"),                 // 15
    Keys("6"),                 // 16
    Keys("7"),                 // 17
    Keys("8"),                 // 18
    Keys("9"),                 // 19
    Keys("0"),                 // 20
    Keys("{BS}"),              // 21
    Keys("PI"),                // 22
    Direct("SIN"),             // 23
    Direct("COS"),             // 24
    Direct("TAN"),             // 25
    Direct("LN"),              // 26
    Direct("1/"),              // 27
    Keys("{HOME}{(}{END}{)}"), // 28: "(x)" without a selection
    Direct("ATAN"),            // 29
    Direct("ACOS"),            // 30
    Direct("ASIN"),            // 31
    Direct("LOG"),             // 32
    Direct("EXP"),             // 33
    Direct("SQR"),             // 34
    Direct("TANH"),            // 35
    Direct("COSH"),            // 36
    Direct("SINH"),            // 37
    Direct("ASINH"),           // 38
    Direct("ACOSH"),           // 39
    Direct("ATANH"),           // 40
    Keys("e"),                 // 41
    Keys("!", true, true),     // 42
    Keys("{%}", true, true),   // 43
};

} // namespace

KeypadKey KeypadText(int Index) {
    if (Index < 0 || Index >= static_cast<int>(kKeypad.size()))
        throw std::out_of_range("Control array element does not exist");
    return kKeypad[static_cast<std::size_t>(Index)];
}

BoxState InsertDirect(BoxState box, std::u16string_view s) {
    const auto [p, l] = SelectionOf(box);
    const auto at = static_cast<std::size_t>(p);
    const auto length = static_cast<std::size_t>(l);
    const std::u16string selected = box.text.substr(at, length);
    std::u16string inserted(s);
    if (!selected.empty()) inserted += u"(" + selected + u")";
    box.text.replace(at, length, inserted);
    const Integer n = CheckedLength(box.text);
    const long long caret =
        selected.empty() ? static_cast<long long>(p) + static_cast<long long>(s.size()) + 1
                         : static_cast<long long>(p) + static_cast<long long>(s.size()) + l + 2;
    // A caret beyond the end lands at the end, as the box does with such a position; cut
    // before converting, so that a text of exactly 32,767 characters still takes its caret.
    box.SelStart = ToInteger(std::min<long long>(caret, n));
    box.SelLength = 0;
    return box;
}

BoxState SurroundSelection(BoxState box) {
    const auto [p, l] = SelectionOf(box);
    const auto at = static_cast<std::size_t>(p);
    const auto length = static_cast<std::size_t>(l);
    // The same blanks and line breaks that the Enter path strips.
    std::u16string stripped;
    for (char16_t c : box.text.substr(at, length))
        if (c != u' ' && c != u'\r' && c != u'\n') stripped += c;
    box.text.replace(at, length, u"(" + stripped + u")");
    const Integer n = CheckedLength(box.text);
    box.SelStart = ToInteger(std::min<long long>(static_cast<long long>(p) + l + 2, n));
    box.SelLength = 0;
    return box;
}

std::string_view ForwardedOperator(char16_t k) {
    switch (k) {
    case u'+':
        return "{+}";
    case u'^':
        return "{^}";
    case u'%':
        return "{%}";
    case u'-':
        return "-";
    case u'.':
        return ".";
    case u'/':
        return "/";
    case u'*':
        return "*";
    default:
        return {};
    }
}

} // namespace zorbic
