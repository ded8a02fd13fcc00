#pragma once

#include <cstdint>
#include <vector>

namespace zorbic {

// One key going down or up, named by its X keysym: the common currency of the Wayland ways of
// typing (the virtual keyboard builds its keymap from the keysyms, the portal takes them as
// they are). A chord is its modifier's press, the key's press and release, the modifier's release.
struct KeysymEvent {
    std::uint32_t keysym;
    bool pressed;
};
using KeysymEvents = std::vector<KeysymEvent>;

} // namespace zorbic
