#include "entry/rules/BoxState.h"

#include <algorithm>

namespace zorbic {

BoxState InsertTyped(BoxState box, char16_t key) {
    const auto n = static_cast<int>(box.text.size());
    const int start = std::clamp<int>(box.SelStart, 0, n);
    const int length = std::clamp<int>(box.SelLength, 0, n - start);
    box.text.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(length), 1, key);
    box.SelStart = ToInteger(start + 1);
    box.SelLength = 0;
    return box;
}

} // namespace zorbic
