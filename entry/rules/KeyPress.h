#pragma once

#include "entry/rules/BoxState.h"

namespace zorbic {

inline constexpr char16_t kKeyEnter = 13;

// The outcome of one key press in Text1.
struct KeyPressOutcome {
    BoxState box;        // the box as the rules leave it, before the box inserts `key`
    char16_t key = 0;    // what the box inserts as usual; 0 = swallowed (the rules did the edit)
    bool check1 = false; // the function-surround check box: any key press clears it
    bool bFreshResult = false;
    bool runEnter = false; // Enter was pressed: run the Enter path (it sets bFreshResult)
};

// The key handler of the expression box (Text1_KeyPress). `key` is the character code as a key
// press delivers it (13 for Enter, 8 for Backspace, printable characters as typed).
//  1. With Check1 checked it is cleared and the whole text selected first.
//  2. "=" types "+".
//  3. A second "*" right after a "*" makes "^"; a second "/" right after a "/" makes "%".
//  4. Over a selection S: "!", "%", "*", "/", "^" give (S) and the key; "(", "+", "-" are
//     appended to the whole text; ")" encloses the whole text; any other key replaces S.
//     Each of these except ")" clears bFreshResult.
//  5. Enter is swallowed and asks for the Enter path.
// Fails with "Overflow" when the text is beyond the 16-bit caret range, and with kBoxFullText
// when step 4 would make it longer than the box holds.
KeyPressOutcome Text1_KeyPress(BoxState box, char16_t key, bool check1, bool bFreshResult);

} // namespace zorbic
