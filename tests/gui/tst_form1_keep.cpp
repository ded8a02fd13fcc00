#include "FormFixture.h"

#include <QDir>

using namespace zorbic;
using namespace zorbic::test;

class Form1Keep : public QObject {
    Q_OBJECT
    FormFixture f;

private slots:
    // Another version's file with 3 history and 2 storage rows: one Enter must not cost the
    // user those rows.
    void unreadFileIsKeptAndTheMessageSaysWhere() {
        QByteArray rows;
        for (const char *r : {"1", "2", "3", "4", "5"})
            rows += QByteArray(r) + "\r\n" + r + " = " + r + "\r\n" + r + "\r\n" + r + "\r\n";
        const QByteArray original = "v2_1_0\r\nd\r\nn\r\n 4 \r\n 3 \r\n 2 \r\n7*7\r\n" + rows;
        f.writeDataFile(original);
        f.start();
        f.evaluate(QStringLiteral("1+1"));

        const QStringList kept =
            QDir(f.dir->path()).entryList({"ZorbicData.txt.unread-*"}, QDir::Files);
        QCOMPARE(kept.size(), 1);
        QFile copy(f.dir->filePath(kept[0]));
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), original);
        QVERIFY(f.readDataFile().startsWith("v2_2_0\r\nd\r\nn\r\n 4 \r\n 1 \r\n 0 \r\n"));

        QCOMPARE(f.platform.texts().size(), 1);
        const QStringList message = f.platform.texts()[0].split('\n');
        QCOMPARE(message[0], QStringLiteral("Invalid Data File Format"));
        QVERIFY2(message.size() == 2 && message[1].endsWith(copy.fileName()),
                 qPrintable(f.platform.texts()[0]));
    }
};

QTEST_MAIN(Form1Keep)
#include "tst_form1_keep.moc"
