#pragma once

#include "entry/rules/BoxState.h"

#include <string_view>

namespace zorbic {

// What one keypad button (Command1 index 0 to 43) hands to subSendKeys. `direct` buttons write
// their text into the box around any selection (SendOneAtATime); the others type it as keys, so
// it passes the box's key handler like typed text ("*" twice makes "^"). `ecr` and `atEnd` are
// passed along as the buttons always passed them; they change nothing.
struct KeypadKey {
    std::string_view text;
    bool direct = false;
    bool ecr = false;
    bool atEnd = false;
};

// The "(x)" button: with a selection it parenthesises it (SurroundSelection), otherwise it
// types KeypadText(kSurroundButton).text, which puts parentheses around the line.
inline constexpr int kSurroundButton = 28;

// The keypad table. Throws std::out_of_range for an index outside 0..43.
KeypadKey KeypadText(int Index);

// subSendKeys in direct mode: the box becomes before + s + "(" + selection + ")" + after, the
// parentheses only when something is selected. With a selection the caret lands just after
// ")"; without one it lands one place beyond the inserted text (SIN typed between "2" and "+3"
// leaves the caret after the "+"), or at the end when that is beyond it. A selection reaching
// past the end is cut at the end. Fails with kBoxFullText when the text would not fit.
BoxState InsertDirect(BoxState box, std::u16string_view s);

// The "(x)" button over a selection: the selection becomes "(" + the selection without blanks,
// carriage returns and line feeds + ")". The caret goes to SelStart + SelLength + 2 counted
// with the selection before its blanks were removed, so it lands at the end or beyond the ")"
// when blanks were dropped. Expects SelLength >= 1.
BoxState SurroundSelection(BoxState box);

// The key notation that types the operator k literally when the window forwards it to the
// box ("{+}", "{^}", "{%}"; "-", ".", "/", "*" as they are); empty when k is no such operator.
std::string_view ForwardedOperator(char16_t k);

} // namespace zorbic
