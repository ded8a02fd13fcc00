#pragma once

#include "StartupClock.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

// Prints "first paint <ms>" when the watched widget first paints, then ends the program.
class FirstPaint : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (!done_ && event->type() == QEvent::Paint) {
            done_ = true;
            std::printf("first paint %.1f ms\n", msSinceProcessStart());
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool done_ = false;
};
