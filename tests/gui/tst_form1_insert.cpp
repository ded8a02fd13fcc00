#include "FormFixture.h"

using namespace zorbic;
using namespace zorbic::test;

class Form1Insert : public QObject {
    Q_OBJECT
    FormFixture f;

    TextBox *box() const { return f.form->Text1; }

    // History, newest first: 2.5 = 10/4, 6 = 2*3, 2 = 1+1. The box is left holding "1+".
    void threeResultsAndABox() {
        f.threeResults();
        box()->setText(QStringLiteral("1+"));
        box()->setCursorPosition(2);
    }

    static void clickLine(QListWidget *list, int row) { FormFixture::clickLine(list, row); }

private slots:
    void init() { f.start(); }
    void cleanup() { f.reset(); }

    void clickTakesTheLineInTheMode_data() {
        QTest::addColumn<int>("modeKey");
        QTest::addColumn<QString>("taken");
        QTest::newRow("result") << int(Qt::Key_F3) << "6";
        QTest::newRow("expression") << int(Qt::Key_F4) << "2*3";
        QTest::newRow("expression=result") << int(Qt::Key_F5) << "2*3 = 6";
    }

    void clickTakesTheLineInTheMode() {
        QFETCH(int, modeKey);
        QFETCH(QString, taken);
        threeResultsAndABox();
        QTest::keyClick(f.form.get(), Qt::Key(modeKey));
        clickLine(f.form->List1, 1);
        QCOMPARE(QString::fromStdString(f.form->strLastResult), taken);
        QCOMPARE(f.form->Command4->toolTip(), "Zipto: " + taken);
        QCOMPARE(f.form->strSelResult, std::string("6"));
        QCOMPARE(f.form->strSelExpression, std::string("2*3"));
    }

    void refillTakesNoLine() {
        QTest::keyClick(f.form.get(), Qt::Key_F4);
        f.evaluate(QStringLiteral("1+1"));
        clickLine(f.form->List1, 0);
        QCOMPARE(f.form->strLastResult, std::string("1+1"));
        // The Enter path refills the list; the new result stays the last result.
        f.evaluate(QStringLiteral("2*3"));
        QCOMPARE(f.form->strLastResult, std::string("6"));
    }

    void keysMoveTheTakenLine() {
        threeResultsAndABox();
        f.form->List1->setFocus();
        f.form->List1->setCurrentRow(0);
        QTest::keyClick(f.form->List1, Qt::Key_Down);
        QCOMPARE(f.form->strLastResult, std::string("6"));
    }

    void doubleClickInsertsAtTheCaretOrWrapsTheSelection() {
        threeResultsAndABox();
        QListWidget *list = f.form->List1;
        FormFixture::doubleClick(list->viewport(), FormFixture::lineCenter(list, 0));
        QCOMPARE(box()->text(), QStringLiteral("1+2.5"));
        QVERIFY(box()->hasFocus());
        box()->setSelection(0, 1);
        FormFixture::doubleClick(list->viewport(), FormFixture::lineCenter(list, 1));
        QCOMPARE(box()->text(), QStringLiteral("6(1)+2.5"));
    }

    void enterAndCtrlEnterInTheHistory_data() {
        QTest::addColumn<int>("modeKey");
        QTest::addColumn<bool>("ctrl");
        QTest::addColumn<QString>("inserted");
        QTest::newRow("Enter, result") << int(Qt::Key_F3) << false << "6";
        QTest::newRow("Enter, expression=result") << int(Qt::Key_F5) << false << "2*3 = 6";
        QTest::newRow("Ctrl+Enter, result") << int(Qt::Key_F3) << true << "2*3";
        QTest::newRow("Ctrl+Enter, expression=result") << int(Qt::Key_F5) << true << "2*3";
    }

    void enterAndCtrlEnterInTheHistory() {
        QFETCH(int, modeKey);
        QFETCH(bool, ctrl);
        QFETCH(QString, inserted);
        threeResultsAndABox();
        QTest::keyClick(f.form.get(), Qt::Key(modeKey));
        f.form->List1->setFocus();
        f.form->List1->setCurrentRow(1);
        QTest::keyClick(f.form->List1, Qt::Key_Return, ctrl ? Qt::ControlModifier : Qt::NoModifier);
        QCOMPARE(box()->text(), "1+" + inserted);
        // In the history Ctrl+Enter leaves the mode alone.
        QCOMPARE(f.form->Label6->text(), modeKey == Qt::Key_F3 ? "Rslt" : "ExRs");
    }

    void ctrlEnterInTheStorageLeavesModeResult() {
        threeResultsAndABox();
        FormFixture::select(f.form->List1, {1});
        f.form->cmdStore_Click();
        f.form->Command3_Click();
        QTest::keyClick(f.form.get(), Qt::Key_F5);
        f.form->List2->setFocus();
        f.form->List2->setCurrentRow(0);
        QTest::keyClick(f.form->List2, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(box()->text(), QStringLiteral("1+2*3"));
        QCOMPARE(f.form->Label6->text(), QStringLiteral("Rslt"));
        QVERIFY(f.form->Option1[0]->isChecked());
    }

    void enterInAnEmptyListInsertsNothing() {
        box()->setText(QStringLiteral("7"));
        f.form->strLastResult = "99";
        f.form->List1->setFocus();
        QTest::keyClick(f.form->List1, Qt::Key_Return);
        QCOMPARE(box()->text(), QStringLiteral("7"));
        QVERIFY(f.platform.shown.isEmpty());
    }

    void popupInsertsTakeTheHistoryLineClickedLast() {
        threeResultsAndABox();
        FormFixture::select(f.form->List1, {0});
        f.form->cmdStore_Click();
        f.form->Command3_Click();
        clickLine(f.form->List1, 1); // 6 = 2*3
        clickLine(f.form->List2, 0); // 2.5 = 10/4, a storage line
        QCOMPARE(f.form->strLastResult, std::string("2.5"));
        box()->setText(QStringLiteral("1+"));
        box()->setCursorPosition(2);
        f.form->mnuEPInsertResult->trigger();
        QCOMPARE(box()->text(), QStringLiteral("1+6"));
        box()->setCursorPosition(3);
        f.form->mnuEPInsertExpression->trigger();
        QCOMPARE(box()->text(), QStringLiteral("1+62*3"));
    }

    void insertWithFunctionSurroundArmedTakesTheWholeText() {
        threeResultsAndABox();
        f.form->Check1->setChecked(true);
        clickLine(f.form->List1, 1);
        f.form->List1_DblClick();
        QCOMPARE(box()->text(), QStringLiteral("6(1+)"));
        QVERIFY(!f.form->Check1->isChecked());
    }

    void popupCopyAndCutReachTheFocusedList() {
        threeResultsAndABox();
        f.form->List1->setFocus();
        FormFixture::select(f.form->List1, {1});
        f.form->mnuEPcopy->trigger();
        QCOMPARE(f.platform.clipboard, QStringLiteral("6"));
        QCOMPARE(f.platform.sentKeys.back().notation, std::string("^c"));
        QVERIFY(f.platform.sentKeys.back().wait);

        f.activate();
        f.form->List1->setFocus();
        FormFixture::select(f.form->List1, {0});
        f.form->mnuEPcut->trigger();
        QCOMPARE(f.platform.clipboard, QStringLiteral("2.5"));
        QCOMPARE(FormFixture::lines(f.form->List1), QStringList({"6 = 2*3", "2 = 1+1"}));
        QCOMPARE(f.platform.texts(), QStringList{"YOU CAN'T UNDO THIS OPERATION"});
    }

    void rightPressOpensThePopupOnThatList() {
        threeResultsAndABox();
        QTest::mousePress(f.form->List1->viewport(), Qt::RightButton, Qt::NoModifier,
                          FormFixture::lineCenter(f.form->List1, 0));
        QCOMPARE(f.form->strPopupList, std::string("list1"));
        QVERIFY(f.form->mnuEP->isVisible());
        f.form->mnuEP->close();
    }
};

QTEST_MAIN(Form1Insert)
#include "tst_form1_insert.moc"
