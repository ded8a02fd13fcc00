#pragma once

#include <QAbstractNativeEventFilter>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

struct xcb_connection_t;

namespace zorbic {

// Follows _NET_ACTIVE_WINDOW on the root windows through Qt's own X connection: the window
// manager rewrites that property whenever another window comes to the front, and the change
// arrives as a PropertyNotify event among Qt's other events. Nothing is polled, so an idle
// program is never woken.
class ActiveWindowWatch : public QAbstractNativeEventFilter {
public:
    // Starts watching and calls `changed` on each change. Null when Qt is not on xcb. The
    // caller checks first that a live window manager keeps the property
    // (X11Desktop::supportsActiveWindow).
    static std::unique_ptr<ActiveWindowWatch> start(std::function<void()> changed);

    ~ActiveWindowWatch() override;
    ActiveWindowWatch(const ActiveWindowWatch &) = delete;
    ActiveWindowWatch &operator=(const ActiveWindowWatch &) = delete;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    ActiveWindowWatch() = default;
    std::function<void()> changed_;
    std::vector<std::uint32_t> roots_;
    std::uint32_t netActiveWindow_ = 0;
};

} // namespace zorbic
