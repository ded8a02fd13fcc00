#include "entry/rules/KeyPress.h"

#include <string_view>

namespace zorbic {

namespace {

bool IsOneOf(char16_t key, std::u16string_view keys) {
    return key != 0 && keys.find(key) != std::u16string_view::npos;
}

} // namespace

KeyPressOutcome Text1_KeyPress(BoxState box, char16_t key, bool check1, bool bFreshResult) {
    KeyPressOutcome out;
    out.bFreshResult = bFreshResult;

    // A key typed after choosing a function to surround starts over on the whole text.
    if (check1) {
        box.SelStart = 0;
        box.SelLength = ToInteger(static_cast<long long>(box.text.size()));
    }
    // A caret beyond the text cannot come from the box; clamp rather than index outside it.
    const auto [p, l] = SelectionOf(box);
    box.SelStart = p;
    box.SelLength = l;
    const std::u16string selected =
        box.text.substr(static_cast<std::size_t>(p), static_cast<std::size_t>(l));

    // The unshifted "=" key types a plus sign.
    if (key == u'=') key = u'+';

    // Two presses of "*" type one power operator, two presses of "/" one percent sign.
    if (IsOneOf(key, u"*/+^%") && p >= 1 && l == 0) {
        const char16_t before = box.text[static_cast<std::size_t>(p - 1)];
        if (before == key && (key == u'*' || key == u'/')) {
            box.text[static_cast<std::size_t>(p - 1)] = key == u'*' ? u'^' : u'%';
            box.SelStart = p;
            key = 0;
        }
    }

    // An operator over a selection continues the calculation from it (after Enter the whole
    // expression is selected, so "*" turns "2+3" into "(2+3)*").
    if (l >= 1) {
        const auto rest = box.text.substr(static_cast<std::size_t>(p + l));
        if (IsOneOf(key, u"!%*/^")) {
            box.text = box.text.substr(0, static_cast<std::size_t>(p)) + u"(" + selected + u")" +
                       key + rest;
            CheckedLength(box.text);
            box.SelStart = ToInteger(p + l + 3);
            box.SelLength = 0;
            key = 0;
            out.bFreshResult = false;
        } else if (IsOneOf(key, u"(+-")) {
            // The selected characters stay: the key goes to the end of the whole text.
            box.text += key;
            box.SelStart = CheckedLength(box.text);
            box.SelLength = 0;
            key = 0;
            out.bFreshResult = false;
        } else if (key == u')') {
            box.text = u"(" + box.text + u")";
            box.SelStart = CheckedLength(box.text);
            box.SelLength = 0;
            key = 0;
        } else if (key != 0) {
            out.bFreshResult = false; // the key replaces the selection as usual
        }
    }

    if (key == kKeyEnter) {
        key = 0; // no line break enters the box
        out.runEnter = true;
    }
    out.box = std::move(box);
    out.key = key;
    out.check1 = false;
    return out;
}

} // namespace zorbic
