#pragma once

#include "lists/Integer.h"

#include <string>

namespace zorbic {

// What the key rules see of the expression box: its text and selection. Positions count UTF-16
// code units, as the window's line edit does, so the text is kept in that form.
struct BoxState {
    std::u16string text;
    Integer SelStart = 0;  // characters before the caret
    Integer SelLength = 0; // characters selected after the caret

    bool operator==(const BoxState &) const = default;
};

// The selection as the box reports it: the caret within the text, the length cut at its end.
// Fails with "Overflow" when the text is beyond the 16-bit caret range.
struct Selection {
    Integer start;
    Integer length;
};
Selection SelectionOf(const BoxState &box);

// The box's own handling of a typed character: it replaces the selection and the caret follows.
BoxState InsertTyped(BoxState box, char16_t key);

} // namespace zorbic
