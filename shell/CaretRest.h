#pragma once

#include <QEvent>
#include <QGuiApplication>
#include <QObject>
#include <QStyleHints>
#include <QTimer>

namespace zorbic {

// A blinking caret wakes the program and the display server twice a second for as long as the
// window has the focus, also while nobody uses it. So the caret blinks only while the user is
// at work: it stays on, steady, from start-up and after a rest without input, and blinks again
// from the next key, click or wheel turn.
class CaretRest : public QObject {
public:
    static constexpr int kRestMs = 10000;

    explicit CaretRest(QObject *parent, int restMs = kRestMs) : QObject(parent) {
        rest_.setSingleShot(true);
        rest_.setInterval(restMs);
        connect(&rest_, &QTimer::timeout, this, &CaretRest::rest);
        rest();
        qApp->installEventFilter(this);
    }
    ~CaretRest() override { wake(); }

    void setRestMs(int ms) { rest_.setInterval(ms); }

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::Wheel:
            wake();
            rest_.start();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void rest() {
        if (flashTime_ > 0) return;
        flashTime_ = QGuiApplication::styleHints()->cursorFlashTime();
        if (flashTime_ > 0) QGuiApplication::styleHints()->setCursorFlashTime(0);
    }
    void wake() {
        if (flashTime_ > 0) QGuiApplication::styleHints()->setCursorFlashTime(flashTime_);
        flashTime_ = 0;
    }

    QTimer rest_;
    int flashTime_ = 0; // the desktop's flash time while resting, else 0
};

} // namespace zorbic
