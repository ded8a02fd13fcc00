#include "entry/TextBox.h"
#include "platform/FakePlatform.h"
#include "shell/Form1.h"
#include "shell/SessionSignals.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

using namespace zorbic;

class Session : public QObject {
    Q_OBJECT
private slots:
    // Each signal closes the window past "Don't Close", and the close saves the data file.
    void signalClosesPastDontClose() {
        QTemporaryDir dir;
        FakePlatform platform;
        QFile file(dir.filePath(QStringLiteral("ZorbicData.txt")));
        Form1 form(platform, file.fileName());
        form.start();
        form.MnuExtraDontClose->setChecked(true);
        form.Text1->setText(QStringLiteral("6*7"));
        const SessionSignals closer([&form] { form.endSession(); });
        for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
            form.show();
            file.remove();
            std::raise(signalNumber);
            QTRY_VERIFY(!form.isVisible());
            QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll().contains("\n6*7"));
            file.close();
        }
    }
};

QTEST_MAIN(Session)
#include "tst_session.moc"
