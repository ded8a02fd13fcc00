#include "platform/x11/ActiveWindowWatch.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace zorbic {

namespace {

xcb_atom_t atomNamed(xcb_connection_t *c, const char *name) {
    const auto cookie = xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(c, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

// The 32-bit items of a property of the given type; nothing when it is missing.
std::optional<std::vector<std::uint32_t>> readItems(xcb_connection_t *c, xcb_window_t window,
                                                    xcb_atom_t property, xcb_atom_t type,
                                                    std::uint32_t maxItems = 1) {
    const auto cookie = xcb_get_property(c, 0, window, property, type, 0, maxItems);
    xcb_get_property_reply_t *reply = xcb_get_property_reply(c, cookie, nullptr);
    std::optional<std::vector<std::uint32_t>> items;
    if (reply && reply->type == type && reply->format == 32 &&
        xcb_get_property_value_length(reply) > 0) {
        const auto *first = static_cast<const std::uint32_t *>(xcb_get_property_value(reply));
        items.emplace(first, first + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return items;
}

// A live window manager names its check window on the root and on the window itself (one
// that died leaves the root property behind, but not the window), and lists the property.
bool announcesActiveWindow(xcb_connection_t *c, xcb_window_t root, xcb_atom_t netActiveWindow) {
    const xcb_atom_t check = atomNamed(c, "_NET_SUPPORTING_WM_CHECK");
    const auto wm = readItems(c, root, check, XCB_ATOM_WINDOW);
    if (!wm || wm->front() == 0) return false;
    const auto self = readItems(c, wm->front(), check, XCB_ATOM_WINDOW);
    if (!self || self->front() != wm->front()) return false;
    const auto supported = readItems(c, root, atomNamed(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 4096);
    return supported &&
           std::find(supported->begin(), supported->end(), netActiveWindow) != supported->end();
}

// Adds property changes to the events this client takes from the window, keeping the ones Qt
// asked for (the mask is per client: setting it alone would drop Qt's).
void selectPropertyChanges(xcb_connection_t *c, xcb_window_t window) {
    xcb_get_window_attributes_reply_t *attributes =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr);
    if (!attributes) return;
    const std::uint32_t mask = attributes->your_event_mask | XCB_EVENT_MASK_PROPERTY_CHANGE;
    if (mask != attributes->your_event_mask)
        xcb_change_window_attributes(c, window, XCB_CW_EVENT_MASK, &mask);
    std::free(attributes);
}

} // namespace

std::unique_ptr<ActiveWindowWatch> ActiveWindowWatch::start(std::function<void()> changed) {
    const auto *x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *c = x11 ? x11->connection() : nullptr;
    if (!c) return nullptr;
    std::unique_ptr<ActiveWindowWatch> watch(new ActiveWindowWatch);
    watch->netActiveWindow_ = atomNamed(c, "_NET_ACTIVE_WINDOW");
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(c)); it.rem; xcb_screen_next(&it))
        if (announcesActiveWindow(c, it.data->root, watch->netActiveWindow_))
            watch->roots_.push_back(it.data->root);
    if (watch->roots_.empty()) return nullptr;
    watch->changed_ = std::move(changed);
    QCoreApplication::instance()->installNativeEventFilter(watch.get());
    for (const std::uint32_t root : watch->roots_)
        selectPropertyChanges(c, root);
    xcb_flush(c);
    return watch;
}

ActiveWindowWatch::~ActiveWindowWatch() {
    if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool ActiveWindowWatch::nativeEventFilter(const QByteArray &eventType, void *message,
                                          qintptr *result) {
    (void)result;
    if (eventType != "xcb_generic_event_t") return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY) return false;
    const auto *property = reinterpret_cast<const xcb_property_notify_event_t *>(event);
    if (property->atom == netActiveWindow_ &&
        std::find(roots_.begin(), roots_.end(), property->window) != roots_.end())
        changed_();
    // Qt handles the event as usual.
    return false;
}

} // namespace zorbic
