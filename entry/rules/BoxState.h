#pragma once

#include "lists/Integer.h"

#include <cstddef>

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

// The most characters the expression box holds: its positions are 16-bit.
inline constexpr std::size_t kMaxBoxLength = 32767;
inline constexpr const char *kBoxFullText =
    "The expression can hold at most 32,767 characters. Nothing was inserted.";

// The one length check of every way text goes into the box (typed, pasted, dropped, inserted
// from the keypad or a list): whether a box text of that length may be written.
constexpr bool FitsInBox(std::size_t length) {
    return length <= kMaxBoxLength;
}

// The length of a text about to be written into the box; fails with Failure(kBoxFullText) when
// it does not fit, so that the caller abandons the write and nothing is cut.
Integer CheckedLength(const std::u16string &text);

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
