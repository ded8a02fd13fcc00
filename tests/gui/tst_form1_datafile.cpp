#include "FormFixture.h"

using namespace zorbic;
using namespace zorbic::test;

// The data file through the window: what it saves, what the next start shows, damaged files.
class Form1DataFile : public QObject {
    Q_OBJECT
    FormFixture f;

private slots:
    void cleanup() { f.reset(); }

    void savedBytesFollowTheLayout() {
        f.start();
        QVERIFY(!QFile::exists(f.dataPath()));
        f.evaluate(QStringLiteral("1+1"));
        QCOMPARE(f.readDataFile(), QByteArray("v2_2_0\r\nd\r\nn\r\n 4 \r\n 1 \r\n 0 \r\n1+1\r\n"
                                              "2\r\n2 = 1+1\r\n1+1\r\n2\r\n"));
        // A store saves too, and a close; the box text goes in unchanged.
        f.form->cmdStore_Click();
        QVERIFY(f.readDataFile().startsWith("v2_2_0\r\nd\r\nn\r\n 4 \r\n 1 \r\n 1 \r\n1+1\r\n"));
        f.form->Text1->setText(QStringLiteral("7-"));
        f.form->close();
        QVERIFY(f.readDataFile().startsWith("v2_2_0\r\nd\r\nn\r\n 4 \r\n 1 \r\n 1 \r\n7-\r\n"));
        QCOMPARE(f.boxes(), QStringList());
    }

    // The file is read right after the first paint. A key typed before waits for it (and
    // replaces the restored expression); a close before it saves the file's own rows.
    void inputBeforeTheLoadWaitsForIt() {
        const QByteArray sample = "v2_2_0\r\nd\r\nn\r\n 4 \r\n 2 \r\n 0 \r\n2*3\r\n2\r\n2 = 1+1\r\n"
                                  "1+1\r\n2\r\n6\r\n6 = 2*3\r\n2*3\r\n6\r\n";
        f.writeDataFile(sample);
        for (const bool typing : {true, false}) {
            f.form.reset();
            f.form = std::make_unique<Form1>(f.platform, f.dataPath());
            f.form->start();
            QVERIFY(f.form->bStartPending);
            if (typing) {
                QTest::keyClick(f.form->Text1, Qt::Key_7);
                QCOMPARE(f.form->Text1->text(), QStringLiteral("7"));
                QCOMPARE(f.form->List1->count(), 2);
            } else {
                f.form->close();
                QCOMPARE(f.readDataFile(), sample);
            }
            QVERIFY(!f.form->bStartPending);
        }
    }

    void restartRestoresEverything() {
        // Radians, Fixed with 3 decimals, two history rows, one storage row.
        f.writeDataFile(
            "v2_2_0\r\nr\r\nf\r\n 3 \r\n 2 \r\n 1 \r\n2*3\r\n2\r\n2 = 1+1\r\n1+1\r\n2\r\n"
            "2.500\r\n2.5 = 10/4\r\n10/4\r\n2.5\r\n6\r\n6 = 2*3\r\n2*3\r\n6\r\n");
        f.start();
        QCOMPARE(f.boxes(), QStringList());
        QCOMPARE(f.form->lblDegRad->text(), QStringLiteral("Rad"));
        QVERIFY(f.form->MnuExtraREsultFixed->isChecked());
        // The whole restored expression is selected, so typing replaces it.
        QCOMPARE(f.form->Text1->selectedText(), QStringLiteral("2*3"));
        QCOMPARE(FormFixture::lines(f.form->List1), QStringList({"2.500 = 10/4", "2 = 1+1"}));
        QCOMPARE(FormFixture::lines(f.form->List2), QStringList{"6 = 2*3"});
        f.evaluate(QStringLiteral("1/3"));
        QCOMPARE(f.form->strLastResult, std::string(".333"));
        // What one run saved, the next run shows again.
        const QByteArray saved = f.readDataFile();
        f.form->close();
        f.start();
        QCOMPARE(f.readDataFile(), saved);
        QCOMPARE(f.form->List1->count(), 3);
        QCOMPARE(f.form->List1->item(0)->text(), QStringLiteral(".333 = 1/3"));
        QCOMPARE(f.form->Text1->text(), QStringLiteral("1/3"));
    }

    void damagedFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("historyLines");
        QTest::addColumn<int>("storageLines");
        const QByteArray head = "v2_2_0\r\nd\r\nn\r\n 4 \r\n";
        const QStringList invalid{"Invalid Data File Format"};
        const QStringList pastEnd{"Input past end of file"};
        QTest::newRow("wrong header")
            << QByteArray("v2_2_1\r\nd\r\nn\r\n 4 \r\n 0 \r\n 0 \r\n\r\n") << invalid << 0 << 0;
        QTest::newRow("header case")
            << QByteArray("V2_2_0\r\nd\r\nn\r\n 4 \r\n 0 \r\n 0 \r\n\r\n") << invalid << 0 << 0;
        QTest::newRow("empty file") << QByteArray() << pastEnd << 0 << 0;
        QTest::newRow("truncated rows")
            << head + " 2 \r\n 0 \r\n\r\n2\r\n2 = 1+1\r\n1+1\r\n2\r\n6\r\n"
            << pastEnd << 2 << 0;
        QTest::newRow("storage beyond table")
            << head + " 0 \r\n 501 \r\n\r\n" + QByteArray("a\r\nb\r\nc\r\nd\r\n").repeated(501)
            << QStringList{"Subscript out of range"} << 0 << 500;
        QTest::newRow("count over 16 bits") << head + " 40000 \r\n 0 \r\n\r\n"
                                            << QStringList{"Overflow"} << 0 << 0;
        QTest::newRow("blank lines are data") << head + " 1 \r\n 0 \r\n\r\n\r\n\r\n\r\n\r\n"
                                              << QStringList{} << 1 << 0;
    }

    void damagedFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, historyLines);
        QFETCH(int, storageLines);
        f.writeDataFile(bytes);
        f.start();
        // A file that did not load whole is kept aside, which a second line of the message says.
        QStringList firstLines;
        for (const QString &box : f.boxes()) {
            QVERIFY2(box.endsWith(" [Ok]"), qPrintable(box));
            firstLines << box.chopped(5).section(u'\n', 0, 0);
        }
        QTEST(firstLines, "messages");
        QCOMPARE(f.form->List1->count(), historyLines);
        QCOMPARE(f.form->List2->count(), storageLines);
        // The next save replaces the unreadable file with the data in memory.
        f.evaluate(QStringLiteral("1+1"));
        QVERIFY(f.readDataFile().startsWith("v2_2_0\r\n"));
    }

    void negativeDecimalsReadAsZero() {
        f.writeDataFile("v2_2_0\r\nd\r\nf\r\n-3 \r\n 0 \r\n 0 \r\n\r\n");
        f.start();
        f.evaluate(QStringLiteral("7/2"));
        QCOMPARE(f.form->strLastResult, std::string("4."));
    }

    void failedSaveIsReported() {
        // A data file path inside a plain file cannot be written.
        QFile blocker(f.dir->filePath(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        f.form = std::make_unique<Form1>(f.platform, blocker.fileName() + "/ZorbicData.txt");
        f.form->start();
        f.activate();
        f.evaluate(QStringLiteral("1+1"));
        QCOMPARE(f.boxes().size(), 1);
        QCOMPARE(f.form->List1->count(), 1); // recorded all the same
        // Closing reports it again, and closes although "Don't Close" is checked.
        f.form->MnuExtraDontClose->setChecked(true);
        QVERIFY(f.form->close());
        QCOMPARE(f.boxes().size(), 2);
    }

    void dontCloseSavesAndMinimizes() {
        f.start();
        QTest::keyClick(f.form.get(), Qt::Key_Q, Qt::ControlModifier);
        f.form->Text1->setText(QStringLiteral("5*5"));
        QVERIFY(!f.form->close());
        QVERIFY(f.form->isMinimized());
        QVERIFY(f.readDataFile().contains("\r\n5*5\r\n"));
        QTest::keyClick(f.form.get(), Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(f.form->close());
    }

    void closingWhileTheDecimalsDialogIsOpenEndsTheWait() {
        f.start();
        QTimer::singleShot(0, f.form.get(), [&] { f.form->close(); });
        f.form->MnuExtraREsultFixed->trigger();
        QVERIFY(!f.form->bWaitFixed);
        QVERIFY(f.readDataFile().startsWith("v2_2_0\r\nd\r\nn\r\n"));
    }
};

QTEST_MAIN(Form1DataFile)
#include "tst_form1_datafile.moc"
