#include "platform/x11/ActiveWindowWatch.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace zorbic {

namespace {

xcb_atom_t atomNamed(xcb_connection_t *c, const char *name) {
    const auto cookie = xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(c, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
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
        watch->roots_.push_back(it.data->root);
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
