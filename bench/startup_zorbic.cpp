// The program's own start-up (as in shell/main.cpp), timed to the first paint of Form1.
// ZORBIC_STARTUP_STAY=1 keeps the window open (for timing from outside).
#include "FirstPaint.h"
#include "platform/QtPlatform.h"
#include "shell/Form1.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorbic"));
    QApplication::setOrganizationName(QStringLiteral("Zorbic Works"));
    zorbic::QtPlatform platform;
    zorbic::Form1 form(platform);
    platform.setOwner(&form);
    FirstPaint paint;
    if (qEnvironmentVariableIntValue("ZORBIC_STARTUP_STAY") == 0) form.installEventFilter(&paint);
    form.start();
    return QApplication::exec();
}
