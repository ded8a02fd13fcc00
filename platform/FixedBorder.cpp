#include "platform/FixedBorder.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace zorbic {

namespace {

constexpr Qt::WindowStates kBorderStates =
    Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

class BorderKeeper : public QObject {
public:
    BorderKeeper(QWidget *window, Qt::WindowStates allowed)
        : QObject(window), window_(window), allowed_(allowed) {}

    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched == window_ && event->type() == QEvent::WindowStateChange &&
            (window_->windowState() & kBorderStates & ~allowed_))
            // Not from inside the state change itself: the platform finishes it first.
            QTimer::singleShot(0, window_, [this] { putBack(); });
        return false;
    }

private:
    void putBack() {
        const Qt::WindowStates state = window_->windowState();
        if (!(state & kBorderStates & ~allowed_)) return;
        window_->setWindowState(state & (allowed_ | ~kBorderStates));
        if (state & Qt::WindowMinimized) {
            window_->show();
            window_->raise();
            window_->activateWindow();
        }
    }

    QWidget *window_;
    Qt::WindowStates allowed_;
};

} // namespace

void KeepFixedBorder(QWidget *window, Qt::WindowStates allowed) {
    window->installEventFilter(new BorderKeeper(window, allowed));
}

} // namespace zorbic
