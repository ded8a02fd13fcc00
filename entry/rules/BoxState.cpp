#include "entry/rules/BoxState.h"

#include "lists/Failure.h"

#include <algorithm>

namespace zorbic {

Integer CheckedLength(const std::u16string &text) {
    if (!FitsInBox(text.size())) throw Failure(kBoxFullText);
    return static_cast<Integer>(text.size());
}

Selection SelectionOf(const BoxState &box) {
    const Integer n = ToInteger(static_cast<long long>(box.text.size()));
    const Integer p = std::clamp<Integer>(box.SelStart, 0, n);
    Integer l = std::max<Integer>(box.SelLength, 0);
    if (p + l > n) l = static_cast<Integer>(n - p);
    return {p, l};
}

BoxState InsertTyped(BoxState box, char16_t key) {
    const auto n = static_cast<int>(box.text.size());
    const int start = std::clamp<int>(box.SelStart, 0, n);
    const int length = std::clamp<int>(box.SelLength, 0, n - start);
    box.text.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(length), 1, key);
    CheckedLength(box.text);
    box.SelStart = ToInteger(start + 1);
    box.SelLength = 0;
    return box;
}

} // namespace zorbic
