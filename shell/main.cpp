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
    form.start();
    return QApplication::exec();
}
