#include "QtKeySender.h"

#include "QtKeyMap.h"
#include "keys/ParseKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

#include <stdexcept>

namespace zorbic {

namespace {

QKeyEvent *NewKeyEvent(QEvent::Type type, const QtKeyEventData &data) {
    return new QKeyEvent(type, data.key, data.modifiers, data.text);
}

} // namespace

// The events go to the top-level QWindow of the focus widget rather than to the widget
// itself: the window hands each event to its focus widget (or open popup) at the moment it
// is handled, so a Tab among the strokes moves the later keys to the next field. A posted
// event aimed at a QMainWindow widget would never reach its children.
QObject *QtKeySender::focusTarget() {
    QWidget *widget = QApplication::focusWidget();
    if (!widget) widget = QApplication::activeWindow();
    if (!widget) return nullptr;
    if (QWindow *window = widget->window()->windowHandle()) return window;
    return widget;
}

void QtKeySender::send(const std::vector<KeyStroke> &strokes, bool wait) {
    if (strokes.empty()) return;
    const auto noTarget = [] {
        return std::runtime_error("No window of the program has the keyboard focus to receive "
                                  "the keys");
    };

    if (!wait) {
        QObject *target = focusTarget();
        if (!target) throw noTarget();
        for (const KeyStroke &stroke : strokes) {
            const QtKeyEventData data = ToQtKeyEvent(stroke);
            QCoreApplication::postEvent(target, NewKeyEvent(QEvent::KeyPress, data));
            QCoreApplication::postEvent(target, NewKeyEvent(QEvent::KeyRelease, data));
        }
        return;
    }

    for (const KeyStroke &stroke : strokes) {
        // A sent event would overtake the posted ones: let keys queued earlier (and anything
        // the previous stroke queued) go first, as they would when typed one after another.
        QCoreApplication::sendPostedEvents();
        QObject *target = focusTarget();
        if (!target) throw noTarget();
        const QtKeyEventData data = ToQtKeyEvent(stroke);
        QKeyEvent press(QEvent::KeyPress, data.key, data.modifiers, data.text);
        QCoreApplication::sendEvent(target, &press);
        // The press may have moved the focus or closed the window; release where it landed.
        target = focusTarget();
        if (!target) continue;
        QKeyEvent release(QEvent::KeyRelease, data.key, data.modifiers, data.text);
        QCoreApplication::sendEvent(target, &release);
    }
}

void QtKeySender::sendKeys(std::string_view keys, bool wait) {
    KeyParse parse = ParseKeys(keys);
    if (!parse.ok()) throw std::invalid_argument(parse.error);
    send(parse.strokes, wait);
}

} // namespace zorbic
