#include "FormFixture.h"

using namespace zorbic;
using namespace zorbic::test;

class Form1Copy : public QObject {
    Q_OBJECT
    FormFixture f;

    // History, newest first: 2.5 = 10/4, 6 = 2*3, 2 = 1+1; the lower two selected.
    void threeResultsLowerTwoSelected() {
        f.threeResults();
        FormFixture::select(f.form->List1, {1, 2});
    }

private slots:
    void init() { f.start(); }
    void cleanup() { f.reset(); }

    void copyTakesThePartOfTheMode_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("label");
        QTest::newRow("result") << int(Qt::Key_F3) << "6\r\n2"
                                << "Rslt";
        QTest::newRow("expression") << int(Qt::Key_F4) << "2*3\r\n1+1"
                                    << "Expr";
        QTest::newRow("expression=result") << int(Qt::Key_F5) << "2*3 = 6\r\n1+1 = 2"
                                           << "ExRs";
    }

    void copyTakesThePartOfTheMode() {
        QFETCH(int, key);
        QFETCH(QString, clipboard);
        QFETCH(QString, label);
        threeResultsLowerTwoSelected();
        QTest::keyClick(f.form.get(), Qt::Key(key));
        QCOMPARE(f.form->Label6->text(), label);
        QTest::mouseClick(f.form->cmdCopyHistoryItems, Qt::LeftButton);
        QCOMPARE(f.platform.clipboard, clipboard);
        QCOMPARE(QString::fromStdString(f.form->strLastResult), clipboard);
        QCOMPARE(f.form->Command4->toolTip(), "Zipto: " + clipboard);
        QCOMPARE(f.form->copyBuffer.intCopyCount, 2);
    }

    void modeDisplaysAgree() {
        QCOMPARE(f.form->Label6->text(), QStringLiteral("Rslt"));
        QVERIFY(f.form->Option1[0]->isChecked());
        const QStringList captions = {"Expr", "ExRs", "Rslt"};
        for (const QString &caption : captions) {
            QTest::mouseClick(f.form->Label6, Qt::LeftButton);
            QCOMPARE(f.form->Label6->text(), caption);
        }
        QTest::mouseClick(f.form->Option1[2], Qt::LeftButton);
        QVERIFY(f.form->mnuExtraCopyResultExpression->isChecked());
        QVERIFY(!f.form->mnuExtraCopyResult->isChecked());
        QCOMPARE(f.form->Label6->toolTip(), QStringLiteral("Copy/Insert Expression=Result"));
        QTest::keyClick(f.form.get(), Qt::Key_F5);
        QVERIFY(f.form->Option1[2]->isChecked());
        QCOMPARE(f.form->Label6->text(), QStringLiteral("ExRs"));
    }

    void copyingNothingEmptiesTheClipboardAndBuffer() {
        threeResultsLowerTwoSelected();
        f.form->cmdCopyHistoryItems_Click();
        f.form->List1->clearSelection();
        f.form->cmdCopyHistoryItems_Click();
        QCOMPARE(f.platform.clipboard, QString());
        QCOMPARE(f.platform.clipboardWrites, 2);
        QCOMPARE(f.form->strLastResult, std::string());
        QCOMPARE(f.form->copyBuffer.intCopyCount, 0);
    }

    void moreThanFortyLinesFailWithNothingChanged() {
        for (int i = 0; i < 41; ++i)
            f.evaluate(QString::number(i) + QStringLiteral("+1"));
        f.form->List1->item(0)->setSelected(true);
        f.form->cmdCopyHistoryItems_Click();
        QCOMPARE(f.platform.clipboard, QStringLiteral("41"));
        f.form->List1->selectAll();
        f.form->List1->setFocus();
        QTest::keyClick(f.form->List1, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(f.platform.texts(), QStringList{"Subscript out of range"});
        QCOMPARE(f.platform.clipboard, QStringLiteral("41"));
        QCOMPARE(f.form->strLastResult, std::string("41"));
        QCOMPARE(f.form->copyBuffer.intCopyCount, 1);
    }

    void pasteAppendsTheCopiedRows() {
        threeResultsLowerTwoSelected();
        // Nothing copied yet: nothing pasted.
        f.form->List1->setFocus();
        QTest::keyClick(f.form->List1, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(f.form->List1->count(), 3);

        // The refill after the paste left the list unselected.
        f.form->List1->item(1)->setSelected(true);
        f.form->List1->item(2)->setSelected(true);
        f.form->cmdCopyHistoryItems_Click();
        QTest::keyClick(f.form->List1, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(FormFixture::lines(f.form->List1),
                 QStringList({"2 = 1+1", "6 = 2*3", "2.5 = 10/4", "6 = 2*3", "2 = 1+1"}));
        // Into the storage, through the pop-up menu, named by a mouse press on that list.
        f.form->Command3_Click();
        QTest::mousePress(f.form->List2->viewport(), Qt::LeftButton);
        QTest::mouseRelease(f.form->List2->viewport(), Qt::LeftButton);
        QCOMPARE(f.form->strPopupList, std::string("list2"));
        f.form->mnuEPPaste->trigger();
        QCOMPARE(FormFixture::lines(f.form->List2), QStringList({"6 = 2*3", "2 = 1+1"}));
    }

    void pasteStopsAtTheLimit_data() {
        QTest::addColumn<QString>("list");
        QTest::newRow("history, 1000 rows") << "list1";
        QTest::newRow("storage, 500 rows") << "list2";
    }

    void pasteStopsAtTheLimit() {
        QFETCH(QString, list);
        const bool history = list == QStringLiteral("list1");
        threeResultsLowerTwoSelected();
        f.form->cmdCopyHistoryItems_Click();
        ResultTables &tables = f.form->tables;
        Integer &count = history ? tables.intHistoryCount : tables.intStorageCount;
        const Integer limit = history ? 1000 : 500;
        count = limit - 1;
        f.form->strPopupList = list.toStdString();
        f.form->mnuEPPaste_Click();
        QCOMPARE(f.platform.texts(), QStringList{"Subscript out of range"});
        // The first copied row fits; the second stops the paste.
        QCOMPARE(count, limit);
        const Row &last = history ? tables.strHistory[1000] : tables.strStorage[500];
        QCOMPARE(last.expression, std::string("2*3"));
        // The copy buffer is untouched, so it pastes again elsewhere.
        QCOMPARE(f.form->copyBuffer.intCopyCount, 2);
    }
};

QTEST_MAIN(Form1Copy)
#include "tst_form1_copy.moc"
