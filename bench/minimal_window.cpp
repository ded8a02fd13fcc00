// The yardstick for start-up: a minimal Qt Widgets main window with a menu bar and a label,
// timed to its first paint the same way as the calculator.
// ZORBIC_STARTUP_STAY=1 keeps the window open (for timing from outside).
#include "FirstPaint.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("minimal_window"));
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
    window.setCentralWidget(new QLabel(QStringLiteral("minimal"), &window));
    FirstPaint paint;
    if (qEnvironmentVariableIntValue("ZORBIC_STARTUP_STAY") == 0) window.installEventFilter(&paint);
    window.show();
    return QApplication::exec();
}
