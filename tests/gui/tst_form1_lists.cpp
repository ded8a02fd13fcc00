#include "FormFixture.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <numeric>

using namespace zorbic;
using namespace zorbic::test;

namespace {

const QString kCantUndo = QStringLiteral("YOU CAN'T UNDO THIS OPERATION [YesNo]");
const QString kOutOfRange = QStringLiteral("Subscript out of range [Ok]");

} // namespace

// The history and storage lists: store, delete, clear, copy, paste and the inserts into the box.
// Most start from the history 2.5 = 10/4, 6 = 2*3, 2 = 1+1 (newest first) and the box "1+".
class Form1Lists : public QObject {
    Q_OBJECT
    FormFixture f;
    Form1 *w = nullptr;

private slots:
    void init() {
        f.start();
        w = f.form.get();
        f.threeResults();
        f.setBox(QStringLiteral("1+"), 2);
    }
    void cleanup() { f.reset(); }

    // Nothing selected stores the newest row. A store that runs out of room keeps the rows that
    // fitted, says so, and saves all the same.
    void storeTakesTheSelectionOrTheNewestRowAndSaves() {
        QTest::mouseClick(w->cmdStore, Qt::LeftButton);
        QCOMPARE(FormFixture::lines(w->List2), QStringList{"2.5 = 10/4"});
        QVERIFY(f.readDataFile().contains("\r\n 1 \r\n"));
        w->tables.intStorageCount = 498;
        FormFixture::select(w->List1, {0, 1, 2});
        w->mnuEPStore->trigger();
        QCOMPARE(f.boxes(), QStringList{kOutOfRange});
        QCOMPARE(w->tables.intStorageCount, 500);
        QCOMPARE(w->tables.strStorage[499].expression, std::string("10/4"));
        QCOMPARE(w->tables.strStorage[500].expression, std::string("2*3"));
        QVERIFY(f.readDataFile().contains("\r\n 500 \r\n"));
    }

    void deleteAsksThenKeepsOrderAndSelectsTheNextLine_data() {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<int>("selectedAfter");
        QTest::newRow("top two") << QList<int>{0, 1} << QStringList{"2 = 1+1"} << 0;
        QTest::newRow("middle") << QList<int>{1} << QStringList{"2.5 = 10/4", "2 = 1+1"} << 1;
        QTest::newRow("last") << QList<int>{2} << QStringList{"2.5 = 10/4", "6 = 2*3"} << 1;
    }

    void deleteAsksThenKeepsOrderAndSelectsTheNextLine() {
        QFETCH(QList<int>, selected);
        QFETCH(QStringList, left);
        QFETCH(int, selectedAfter);
        FormFixture::select(w->List1, selected);
        f.platform.answers = {MsgResult::No};
        w->cmdDeleteItem_Click();
        QCOMPARE(w->List1->count(), 3);
        QTest::mouseClick(w->cmdDeleteItem, Qt::LeftButton);
        QCOMPARE(f.boxes(), QStringList({kCantUndo, kCantUndo}));
        QCOMPARE(FormFixture::lines(w->List1), left);
        QCOMPARE(w->List1->selectedItems(), QList{w->List1->item(selectedAfter)});
        QCOMPARE(w->List1->item(0)->data(Qt::UserRole).toInt(), int(left.size()));
    }

    // Clearing asks twice, and a No to either question keeps every line. The storage list
    // clears by a double-click on its label.
    void clearAsksTwice() {
        f.platform.answers = {MsgResult::No, MsgResult::Yes, MsgResult::No};
        for (int linesLeft : {3, 3, 0}) {
            QTest::keyClick(w, Qt::Key_F7);
            QCOMPARE(w->List1->count(), linesLeft);
        }
        const QString clear = "Clear Results List?\r\n\r\n" + kCantUndo;
        QCOMPARE(f.boxes(), QStringList({clear, clear, kCantUndo, clear, kCantUndo}));
        w->cmdStore_Click();
        w->Command3_Click();
        QTest::mouseDClick(w->Label3, Qt::LeftButton);
        QCOMPARE(w->List2->count(), 0);
    }

    void listKeys() {
        QListWidget *list1 = w->List1;
        list1->setFocus();
        list1->setCurrentRow(0);
        QTest::keyClick(list1, Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), w->Text1);
        // Down on the last line with the storage hidden is only swallowed.
        list1->setFocus();
        list1->setCurrentRow(2);
        QTest::keyClick(list1, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), list1);
        // Ctrl+Down opens the storage area first; Ctrl+Up comes back.
        QTest::keyClick(list1, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), w->List2);
        QTest::keyClick(w->List2, Qt::Key_Return); // a list without lines inserts nothing
        QCOMPARE(w->Text1->text(), QStringLiteral("1+"));
        QTest::keyClick(w->List2, Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), list1);
        // Ctrl+keypad 0 stores; Delete asks and deletes, whatever the modifiers.
        list1->setCurrentRow(1, QItemSelectionModel::ClearAndSelect);
        QTest::keyClick(list1, Qt::Key_0, Qt::ControlModifier | Qt::KeypadModifier);
        QCOMPARE(FormFixture::lines(w->List2), QStringList{"6 = 2*3"});
        QTest::keyClick(list1, Qt::Key_Delete, Qt::ShiftModifier);
        QCOMPARE(f.boxes(), QStringList{kCantUndo});
        QCOMPARE(list1->count(), 2);
    }

    // Enter adds the new line on top and, at the limit, drops the bottom one instead of
    // refilling: lines, rows, selection and scrolling must be what a refill shows. In Fixed mode
    // the recorded line and the line shown differ, so the added line must be made in that form.
    void enterAtTheLimitShowsWhatARefillShows() {
        QListWidget *list = w->List1;
        auto view = [list] {
            QStringList all{QString::number(list->currentRow()),
                            QString::number(list->verticalScrollBar()->value())};
            for (int i = 0; i < list->count(); ++i)
                all << QStringLiteral("%1|%2|%3")
                           .arg(list->item(i)->text())
                           .arg(list->item(i)->data(Qt::UserRole).toInt())
                           .arg(list->item(i)->isSelected());
            return all;
        };
        w->MnuExtraREsultFixed->setChecked(true);
        w->MnuExtraREsultNormal->setChecked(false);
        w->intResultMode = 1;
        while (w->tables.intHistoryCount < ResultTables::kHistoryRows - 1) {
            const std::string n = std::to_string(w->tables.intHistoryCount + 1);
            AppendHistoryRow(w->tables, {n, "recorded", n, n});
        }
        w->subFillHistoryList();
        for (const char *expression : {"1+1", "2*3", "10/4"}) {
            list->scrollToBottom();
            list->setCurrentRow(5, QItemSelectionModel::ClearAndSelect);
            f.evaluate(QString::fromLatin1(expression));
        }
        const QStringList added = view();
        w->subFillHistoryList();
        QCOMPARE(added, view());
        QCOMPARE(added.size(), 2 + ResultTables::kHistoryRows);
        QCOMPARE(added[2], QStringLiteral("2.5000 = 10/4|1000|0"));
        QCOMPARE(added.last(), QStringLiteral("2.5 = 10/4|1|0"));
    }

    void itemTipShowsTheLineUnderTheMouse() {
        f.evaluate(QStringLiteral("1+2+3+4+5+6+7+8+9+10+11+12+13+14+15+16+17+18+19+20"));
        QListWidget *list = w->List1;
        auto moveTo = [list](int row, Qt::MouseButtons buttons) {
            const QPoint pos = FormFixture::lineCenter(list, row);
            QMouseEvent move(QEvent::MouseMove, pos, list->viewport()->mapToGlobal(pos),
                             Qt::NoButton, buttons, Qt::NoModifier);
            QApplication::sendEvent(list->viewport(), &move);
        };
        moveTo(0, Qt::NoButton);
        QCOMPARE(list->toolTip(), list->item(0)->text());
        moveTo(1, Qt::LeftButton); // with a button down nothing changes
        QCOMPARE(list->toolTip(), list->item(0)->text());
        moveTo(1, Qt::NoButton);
        QCOMPARE(list->toolTip(), QStringLiteral("2.5 = 10/4"));
    }

    // One row per copy mode, with the texts of the lines "6 = 2*3" and "2 = 1+1" in that mode: a
    // copy of both joins them, a click on the first takes it and Enter there inserts it.
    void copyAndInsertFollowTheMode_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("six");
        QTest::addColumn<QString>("two");
        QTest::newRow("result") << int(Qt::Key_F3) << "6"
                                << "2";
        QTest::newRow("expression") << int(Qt::Key_F4) << "2*3"
                                    << "1+1";
        QTest::newRow("expression=result") << int(Qt::Key_F5) << "2*3 = 6"
                                           << "1+1 = 2";
    }

    void copyAndInsertFollowTheMode() {
        QFETCH(int, key);
        QFETCH(QString, six);
        QFETCH(QString, two);
        QTest::keyClick(w, Qt::Key(key));
        const QString label = w->Label6->text();
        FormFixture::select(w->List1, {1, 2});
        QTest::mouseClick(w->cmdCopyHistoryItems, Qt::LeftButton);
        QCOMPARE(f.platform.clipboard, six + "\r\n" + two);
        QCOMPARE(w->Command4->toolTip(), "Zipto: " + six + "\r\n" + two);
        FormFixture::clickLine(w->List1, 1);
        QCOMPARE(QString::fromStdString(w->strLastResult), six);
        w->List1->setFocus();
        QTest::keyClick(w->List1, Qt::Key_Return);
        QCOMPARE(w->Text1->text(), "1+" + six);
        // Ctrl+Enter inserts the expression and in the history leaves the mode alone.
        w->List1->setFocus();
        QTest::keyClick(w->List1, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(w->Text1->text(), "1+" + six + "2*3");
        QCOMPARE(w->Label6->text(), label);
        // The refill after Enter takes no line: the new result is the last result.
        f.evaluate(QStringLiteral("4*5"));
        QCOMPARE(w->strLastResult, std::string("20"));
    }

    // Copying nothing empties the clipboard. The copy buffer holds 40 lines: 41 fail with the
    // clipboard and the buffer as they were.
    void copyLimits() {
        while (w->tables.intHistoryCount < 41)
            AppendHistoryRow(w->tables,
                             {std::to_string(w->tables.intHistoryCount + 1), "", "", ""});
        w->subFillHistoryList();
        w->cmdCopyHistoryItems_Click();
        QCOMPARE(f.platform.clipboardWrites, 1);
        QList<int> forty(40);
        std::iota(forty.begin(), forty.end(), 0);
        FormFixture::select(w->List1, forty);
        w->cmdCopyHistoryItems_Click();
        QVERIFY(f.platform.clipboard.startsWith(QStringLiteral("41\r\n40\r\n")));
        w->List1->selectAll();
        w->List1->setFocus();
        QTest::keyClick(w->List1, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(f.boxes(), QStringList{kOutOfRange});
        QCOMPARE(f.platform.clipboardWrites, 2);
        QCOMPARE(w->copyBuffer.intCopyCount, 40);
    }

    // Ctrl+V pastes into the focused list, the pop-up menu into the list pressed last.
    void pasteAppendsTheCopiedRows() {
        FormFixture::select(w->List1, {1, 2});
        w->cmdCopyHistoryItems_Click();
        w->List1->setFocus();
        QTest::keyClick(w->List1, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(FormFixture::lines(w->List1),
                 QStringList({"2 = 1+1", "6 = 2*3", "2.5 = 10/4", "6 = 2*3", "2 = 1+1"}));
        w->Command3_Click();
        QTest::mousePress(w->List2->viewport(), Qt::LeftButton);
        QTest::mouseRelease(w->List2->viewport(), Qt::LeftButton);
        w->mnuEPPaste->trigger();
        QCOMPARE(FormFixture::lines(w->List2), QStringList({"6 = 2*3", "2 = 1+1"}));
        // At the limit the first row still fits; the second stops the paste.
        w->tables.intStorageCount = 499;
        w->mnuEPPaste->trigger();
        QCOMPARE(f.boxes(), QStringList{kOutOfRange});
        QCOMPARE(w->tables.intStorageCount, 500);
        QCOMPARE(w->tables.strStorage[500].expression, std::string("2*3"));
    }

    void doubleClickInsertsAtTheCaretOrWrapsTheSelection() {
        QListWidget *list = w->List1;
        FormFixture::doubleClick(list->viewport(), FormFixture::lineCenter(list, 0));
        QCOMPARE(w->Text1->text(), QStringLiteral("1+2.5"));
        QVERIFY(w->Text1->hasFocus());
        w->Text1->setSelection(0, 1);
        FormFixture::doubleClick(list->viewport(), FormFixture::lineCenter(list, 1));
        QCOMPARE(w->Text1->text(), QStringLiteral("6(1)+2.5"));
        // Armed function surround takes the whole text.
        w->Check1->setChecked(true);
        w->List1_DblClick();
        QCOMPARE(w->Text1->text(), QStringLiteral("6(6(1)+2.5)"));
        QVERIFY(!w->Check1->isChecked());
    }

    void storageInsertsAndThePopup() {
        FormFixture::select(w->List1, {0});
        w->cmdStore_Click();
        w->Command3_Click();
        // Ctrl+Enter in the storage inserts the expression and sets the mode back to result.
        QTest::mouseClick(w->Option1[2], Qt::LeftButton);
        QVERIFY(w->mnuExtraCopyResultExpression->isChecked());
        w->List2->setFocus();
        w->List2->setCurrentRow(0);
        QTest::keyClick(w->List2, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(w->Text1->text(), QStringLiteral("1+10/4"));
        QCOMPARE(w->Label6->text(), QStringLiteral("Rslt"));
        // The pop-up inserts take the history line clicked last, not the storage line.
        FormFixture::clickLine(w->List1, 1);
        FormFixture::clickLine(w->List2, 0);
        QCOMPARE(w->strLastResult, std::string("2.5"));
        f.setBox(QStringLiteral("1+"), 2);
        w->mnuEPInsertResult->trigger();
        w->mnuEPInsertExpression->trigger();
        QCOMPARE(w->Text1->text(), QStringLiteral("1+62*3"));
        // A right press opens the pop-up on that list.
        QTest::mousePress(w->List1->viewport(), Qt::RightButton, Qt::NoModifier,
                          FormFixture::lineCenter(w->List1, 0));
        QCOMPARE(w->strPopupList, std::string("list1"));
        QVERIFY(w->mnuEP->isVisible());
        w->mnuEP->close();
    }

    void popupCopyAndCutReachTheFocusedList() {
        w->List1->setFocus();
        FormFixture::select(w->List1, {1});
        w->mnuEPcopy->trigger();
        QCOMPARE(f.platform.clipboard, QStringLiteral("6"));
        f.activate();
        w->List1->setFocus();
        FormFixture::select(w->List1, {0});
        w->mnuEPcut->trigger();
        QCOMPARE(f.platform.clipboard, QStringLiteral("2.5"));
        QCOMPARE(FormFixture::lines(w->List1), QStringList({"6 = 2*3", "2 = 1+1"}));
        QCOMPARE(f.boxes(), QStringList{kCantUndo});
    }
};

QTEST_MAIN(Form1Lists)
#include "tst_form1_lists.moc"
