#include "platform/wayland/VirtualKeyboard.h"

#include "virtual-keyboard-unstable-v1-client-protocol.h"

#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

namespace zorbic {

namespace {

using namespace std::chrono_literals;

// Clients apply a new keymap a moment after the compositor forwards it; keys pressed sooner
// are read with the old one and the first characters go missing. The compositor forwards our
// keymap when we upload a new one, and again when our keyboard takes over the seat from
// another (the user's, after F12): so a send that begins after a pause first taps Shift, which
// types nothing, and waits.
constexpr auto kKeymapSettle = 30ms;
constexpr auto kSeatIdle = 300ms;
constexpr std::uint32_t kShiftL = 0xffe1;
// X11 clients (XWayland) take key codes up to 255; the keymap starts at 9.
constexpr std::size_t kMaxKeys = 240;
constexpr std::uint32_t kFirstKeycode = 9;

// Modifier keysyms and the real modifier each one holds (bit of the standard modifier order).
struct ModifierKey {
    std::uint32_t keysym;
    const char *name;
    std::uint32_t mask;
};
constexpr ModifierKey kModifiers[] = {
    {0xffe1, "Shift", 1u << 0},   {0xffe2, "Shift", 1u << 0}, {0xffe3, "Control", 1u << 2},
    {0xffe4, "Control", 1u << 2}, {0xffe9, "Mod1", 1u << 3},  {0xffea, "Mod1", 1u << 3},
};

const ModifierKey *modifierOf(std::uint32_t keysym) {
    for (const ModifierKey &m : kModifiers)
        if (m.keysym == keysym) return &m;
    return nullptr;
}

std::uint32_t nowMs() {
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
}

} // namespace

struct VirtualKeyboard::Impl {
    wl_display *display = nullptr;
    wl_registry *registry = nullptr;
    wl_seat *seat = nullptr;
    zwp_virtual_keyboard_manager_v1 *manager = nullptr;
    zwp_virtual_keyboard_v1 *keyboard = nullptr;
    std::vector<std::uint32_t> keysyms; // of the keymap uploaded last, by key code - 9
    std::uint32_t depressed = 0;
    std::chrono::steady_clock::time_point lastKeys{};

    ~Impl() {
        if (keyboard) zwp_virtual_keyboard_v1_destroy(keyboard);
        if (manager) zwp_virtual_keyboard_manager_v1_destroy(manager);
        if (seat) wl_seat_destroy(seat);
        if (registry) wl_registry_destroy(registry);
        if (display) wl_display_disconnect(display);
    }

    static void global(void *data, wl_registry *registry, std::uint32_t name, const char *interface,
                       std::uint32_t) {
        auto *self = static_cast<Impl *>(data);
        if (!self->seat && std::strcmp(interface, wl_seat_interface.name) == 0)
            self->seat =
                static_cast<wl_seat *>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
        else if (!self->manager &&
                 std::strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0)
            self->manager = static_cast<zwp_virtual_keyboard_manager_v1 *>(
                wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
    }
    static void globalRemove(void *, wl_registry *, std::uint32_t) {}

    bool failed(std::string *why) const {
        if (wl_display_get_error(display) == 0) return false;
        *why = "the Wayland compositor closed the connection of the virtual keyboard";
        return true;
    }

    bool roundtrip(std::string *why) { return wl_display_roundtrip(display) >= 0 || !failed(why); }

    // Makes the keymap hold every keysym in `needed`, keeping the current one when it does;
    // *changed tells whether a new one was uploaded.
    bool ensureKeys(const std::vector<std::uint32_t> &needed, bool *changed, std::string *why) {
        *changed = false;
        std::vector<std::uint32_t> wanted = keysyms;
        for (std::uint32_t k : needed)
            if (std::find(wanted.begin(), wanted.end(), k) == wanted.end()) wanted.push_back(k);
        if (wanted.size() == keysyms.size()) return true;
        if (wanted.size() > kMaxKeys) wanted = needed;
        const std::string text = keymapText(wanted);
        if (text.empty()) {
            *why = "a key to type has no keysym name";
            return false;
        }
        const int fd = memfd_create("zorbic-keymap", MFD_CLOEXEC);
        if (fd < 0) {
            *why = "no memory for the keymap of the virtual keyboard";
            return false;
        }
        const std::size_t size = text.size() + 1; // with its terminating NUL
        bool written = true;
        for (std::size_t done = 0; done < size && written;) {
            const ssize_t n = write(fd, text.c_str() + done, size - done);
            written = n > 0;
            if (written) done += static_cast<std::size_t>(n);
        }
        if (!written) {
            close(fd);
            *why = "the keymap of the virtual keyboard could not be written";
            return false;
        }
        zwp_virtual_keyboard_v1_keymap(keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                       static_cast<std::uint32_t>(size));
        close(fd); // the request took a copy of it
        keysyms = std::move(wanted);
        depressed = 0;
        *changed = true;
        return true;
    }

    void press(std::uint32_t keysym, bool down) {
        const auto at = std::find(keysyms.begin(), keysyms.end(), keysym);
        const auto code = static_cast<std::uint32_t>(at - keysyms.begin()) + kFirstKeycode - 8;
        zwp_virtual_keyboard_v1_key(keyboard, nowMs(), code,
                                    down ? WL_KEYBOARD_KEY_STATE_PRESSED
                                         : WL_KEYBOARD_KEY_STATE_RELEASED);
        // The compositor passes the modifier state on as the client reports it.
        if (const ModifierKey *m = modifierOf(keysym)) {
            depressed = down ? depressed | m->mask : depressed & ~m->mask;
            zwp_virtual_keyboard_v1_modifiers(keyboard, depressed, 0, 0, 0);
        }
    }
};

VirtualKeyboard::VirtualKeyboard(std::unique_ptr<Impl> impl) : d(std::move(impl)) {}
VirtualKeyboard::~VirtualKeyboard() = default;

std::unique_ptr<VirtualKeyboard> VirtualKeyboard::open(std::string *why) {
    auto impl = std::make_unique<Impl>();
    impl->display = wl_display_connect(nullptr);
    if (!impl->display) {
        *why = "no Wayland compositor can be reached";
        return nullptr;
    }
    static const wl_registry_listener listener{&Impl::global, &Impl::globalRemove};
    impl->registry = wl_display_get_registry(impl->display);
    wl_registry_add_listener(impl->registry, &listener, impl.get());
    if (wl_display_roundtrip(impl->display) < 0 || !impl->seat || !impl->manager) {
        *why = "the Wayland compositor offers no virtual keyboard";
        return nullptr;
    }
    impl->keyboard =
        zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(impl->manager, impl->seat);
    // A compositor that refuses it ends the connection with an error here.
    if (wl_display_roundtrip(impl->display) < 0) {
        *why = "the Wayland compositor refused a virtual keyboard";
        return nullptr;
    }
    return std::unique_ptr<VirtualKeyboard>(new VirtualKeyboard(std::move(impl)));
}

bool VirtualKeyboard::type(const KeysymEvents &events, std::string *why) {
    // Typed in runs whose keys fit in one keymap; a run ends only where no key is held down.
    std::size_t begin = 0;
    while (begin < events.size()) {
        std::vector<std::uint32_t> needed;
        std::size_t end = begin, cut = begin;
        int held = 0;
        for (; end < events.size(); ++end) {
            const std::uint32_t k = events[end].keysym;
            if (std::find(needed.begin(), needed.end(), k) == needed.end()) {
                if (needed.size() == kMaxKeys) break;
                needed.push_back(k);
            }
            held += events[end].pressed ? 1 : -1;
            if (held <= 0) cut = end + 1;
        }
        if (end == events.size()) cut = end;
        if (cut == begin) cut = end; // one chord with more keys than a keymap holds
        needed.assign(1, kShiftL);
        for (std::size_t i = begin; i < cut; ++i)
            if (std::find(needed.begin(), needed.end(), events[i].keysym) == needed.end())
                needed.push_back(events[i].keysym);
        bool changed = false;
        if (!d->ensureKeys(needed, &changed, why)) return false;
        if (changed || std::chrono::steady_clock::now() - d->lastKeys > kSeatIdle) {
            d->press(kShiftL, true);
            d->press(kShiftL, false);
            if (!d->roundtrip(why)) return false;
            std::this_thread::sleep_for(kKeymapSettle);
        }
        for (std::size_t i = begin; i < cut; ++i)
            d->press(events[i].keysym, events[i].pressed);
        if (!d->roundtrip(why)) return false;
        d->lastKeys = std::chrono::steady_clock::now();
        begin = cut;
    }
    return true;
}

std::string VirtualKeyboard::keymapText(const std::vector<std::uint32_t> &keysyms) {
    std::string codes, symbols, modifiers;
    for (std::size_t i = 0; i < keysyms.size(); ++i) {
        char name[64];
        if (xkb_keysym_get_name(keysyms[i], name, sizeof name) <= 0) return {};
        const std::string key = "<K" + std::to_string(i + kFirstKeycode) + ">";
        codes += "        " + key + " = " + std::to_string(i + kFirstKeycode) + ";\n";
        symbols += "        key " + key + " { [ " + name + " ] };\n";
        if (const ModifierKey *m = modifierOf(keysyms[i]))
            modifiers += std::string("        modifier_map ") + m->name + " { " + key + " };\n";
    }
    return "xkb_keymap {\n"
           "    xkb_keycodes \"zorbic\" {\n        minimum = 8;\n        maximum = 255;\n" +
           codes +
           "    };\n"
           "    xkb_types \"zorbic\" { include \"complete\" };\n"
           "    xkb_compatibility \"zorbic\" { include \"complete\" };\n"
           "    xkb_symbols \"zorbic\" {\n" +
           symbols + modifiers + "    };\n};\n";
}

} // namespace zorbic
