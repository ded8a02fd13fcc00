#pragma once

#include "platform/wayland/KeysymEvent.h"

#include <memory>
#include <string>

namespace zorbic {

// Types keys into whichever window has the keyboard focus on a wlroots compositor (sway,
// Hyprland, river...) through its virtual-keyboard protocol. It has a Wayland connection of its
// own, independent of the display platform Qt runs on, so it works from a native Wayland
// client and from an XWayland one alike.
//
// The keymap holds one key per keysym needed, each a plain level-one symbol, so the result does
// not depend on the user's keyboard layout; it is replaced when a send needs a keysym it lacks.
// Plain C++ without Qt; use from one thread.
class VirtualKeyboard {
public:
    // Connects to the compositor named by WAYLAND_DISPLAY. Null, with the reason in *why, when
    // there is no Wayland display or the compositor offers no virtual keyboard.
    static std::unique_ptr<VirtualKeyboard> open(std::string *why);

    ~VirtualKeyboard();
    VirtualKeyboard(const VirtualKeyboard &) = delete;
    VirtualKeyboard &operator=(const VirtualKeyboard &) = delete;

    // Presses and releases the keys in order and returns once the compositor has handled them.
    // Shift, Control and Alt keysyms (left or right) hold their modifier while down. False,
    // with the reason in *why, when a keysym has no name or the connection failed; keys before
    // the failure have been typed.
    bool type(const KeysymEvents &events, std::string *why);

    // The keymap text for these keysyms (one key each, from xkb key code 9 upwards), as it is
    // uploaded; empty when a keysym has no name.
    static std::string keymapText(const std::vector<std::uint32_t> &keysyms);

    struct Impl;

private:
    explicit VirtualKeyboard(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> d;
};

} // namespace zorbic
