#include "FormFixture.h"

#include <QDir>

using namespace zorbic;
using namespace zorbic::test;

// The data file through the window: what it saves, what the next start shows, damaged files.
class Form1DataFile : public QObject {
    Q_OBJECT
    FormFixture f;

private slots:
    void cleanup() { f.reset(); }

    // Enter saves, and so does every close. With "Don't Close" checked the window minimizes; a
    // decimals dialog still open is cancelled, so the file keeps the mode in effect.
    void savedBytesFollowTheLayout() {
        f.start();
        f.evaluate(QStringLiteral("1+1"));
        QTest::keyClick(f.form.get(), Qt::Key_Q, Qt::ControlModifier);
        f.form->Text1->setText(QStringLiteral("7-"));
        QVERIFY(!f.form->close());
        QVERIFY(f.form->isMinimized());
        QVERIFY(f.readDataFile().startsWith("v2_2_0\r\nd\r\nn\r\n 4 \r\n 1 \r\n 0 \r\n7-\r\n"));
        QTest::keyClick(f.form.get(), Qt::Key_Q, Qt::ControlModifier);
        QTimer::singleShot(0, f.form.get(), [&] { f.form->close(); });
        f.form->MnuExtraREsultFixed->trigger();
        QVERIFY(!f.form->bWaitFixed && !f.form->isVisible());
        QVERIFY(f.readDataFile().startsWith("v2_2_0\r\nd\r\nn\r\n"));
    }

    // The file is read right after the first paint. A key typed before waits for it (and
    // replaces the restored expression); a close before it saves the file's own rows.
    void inputBeforeTheLoadWaitsForIt() {
        const QByteArray sample = "v2_2_0\r\nd\r\nn\r\n 4 \r\n 2 \r\n 0 \r\n2*3\r\n2\r\n2 = 1+1\r\n"
                                  "1+1\r\n2\r\n6\r\n6 = 2*3\r\n2*3\r\n6\r\n";
        f.writeDataFile(sample);
        f.form = std::make_unique<Form1>(f.platform, f.dataPath());
        f.form->start();
        QVERIFY(f.form->bStartPending);
        QTest::keyClick(f.form->Text1, Qt::Key_7);
        QCOMPARE(f.form->Text1->text(), QStringLiteral("7"));
        QCOMPARE(f.form->List1->count(), 2);
        f.form.reset();
        f.form = std::make_unique<Form1>(f.platform, f.dataPath());
        f.form->start();
        QVERIFY(f.form->bStartPending);
        f.form->close();
        QCOMPARE(f.readDataFile(), sample);
    }

    void restartRestoresEverything() {
        // Radians, Fixed with 3 decimals, two history rows, one storage row.
        f.writeDataFile(
            "v2_2_0\r\nr\r\nf\r\n 3 \r\n 2 \r\n 1 \r\n2*3\r\n2\r\n2 = 1+1\r\n1+1\r\n2\r\n"
            "2.500\r\n2.5 = 10/4\r\n10/4\r\n2.5\r\n6\r\n6 = 2*3\r\n2*3\r\n6\r\n");
        f.start();
        QCOMPARE(f.form->lblDegRad->text(), QStringLiteral("Rad"));
        // The whole restored expression is selected, so typing replaces it.
        QCOMPARE(f.form->Text1->selectedText(), QStringLiteral("2*3"));
        QCOMPARE(FormFixture::lines(f.form->List1), QStringList({"2.500 = 10/4", "2 = 1+1"}));
        QCOMPARE(FormFixture::lines(f.form->List2), QStringList{"6 = 2*3"});
        f.evaluate(QStringLiteral("1/3"));
        QCOMPARE(f.form->strLastResult, std::string(".333"));
        // What one run saved, the next run shows again.
        f.form->close();
        f.start();
        QCOMPARE(FormFixture::lines(f.form->List1).first(), QStringLiteral(".333 = 1/3"));
    }

    // A file that did not load whole is kept aside as it was, which a second line of the message
    // says.
    void damagedFilesAreKept_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("historyLines");
        const QByteArray rows = QByteArray("2\r\n2 = 1+1\r\n1+1\r\n2\r\n").repeated(5);
        QTest::newRow("another version") << "v2_1_0\r\nd\r\nn\r\n 4 \r\n 3 \r\n 2 \r\n\r\n" + rows
                                         << "Invalid Data File Format" << 0;
        QTest::newRow("truncated rows")
            << "v2_2_0\r\nd\r\nn\r\n 4 \r\n 2 \r\n 0 \r\n\r\n" + rows.left(20)
            << "Input past end of file" << 2;
    }

    void damagedFilesAreKept() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, historyLines);
        f.writeDataFile(bytes);
        f.start();
        QCOMPARE(f.form->List1->count(), historyLines);
        const QStringList kept =
            QDir(f.dir->path()).entryList({"ZorbicData.txt.unread-*"}, QDir::Files);
        QCOMPARE(kept.size(), 1);
        QFile copy(f.dir->filePath(kept[0]));
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), bytes);
        QFETCH(QString, message);
        QCOMPARE(f.boxes(), QStringList{message + "\nThe file as it was is kept as " +
                                        copy.fileName() + " [Ok]"});
    }

    // A data file path inside a plain file cannot be written: each save says so, and a close
    // then closes although "Don't Close" is checked.
    void failedSaveIsReported() {
        f.writeDataFile("a plain file");
        f.form = std::make_unique<Form1>(f.platform, f.dataPath() + "/ZorbicData.txt");
        f.form->start();
        f.evaluate(QStringLiteral("1+1"));
        QCOMPARE(f.boxes().size(), 1);
        QCOMPARE(f.form->List1->count(), 1); // recorded all the same
        f.form->MnuExtraDontClose->setChecked(true);
        QVERIFY(f.form->close());
        QCOMPARE(f.boxes().size(), 2);
    }
};

QTEST_MAIN(Form1DataFile)
#include "tst_form1_datafile.moc"
