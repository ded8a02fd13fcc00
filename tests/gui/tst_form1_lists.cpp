#include "FormFixture.h"

#include <QMouseEvent>
#include <QScrollBar>

using namespace zorbic;
using namespace zorbic::test;

namespace {

const QString kCantUndo = QStringLiteral("YOU CAN'T UNDO THIS OPERATION [YesNo]");
const QString kOutOfRange = QStringLiteral("Subscript out of range [Ok]");

} // namespace

// The history and storage lists: store, delete, clear, copy, paste and the inserts into the box.
class Form1Lists : public QObject {
    Q_OBJECT
    FormFixture f;

    TextBox *box() const { return f.form->Text1; }

    // History, newest first: 2.5 = 10/4, 6 = 2*3, 2 = 1+1; the box holds "1+", caret at the end.
    void threeResultsAndABox() {
        f.threeResults();
        f.setBox(QStringLiteral("1+"), 2);
    }

    void showStorage() { f.form->Command3_Click(); }

private slots:
    void init() { f.start(); }
    void cleanup() { f.reset(); }

    void storeTakesTheSelectionOrTheNewestRowAndSaves() {
        f.threeResults();
        f.form->List1->clearSelection();
        QTest::mouseClick(f.form->cmdStore, Qt::LeftButton);
        QCOMPARE(FormFixture::lines(f.form->List2), QStringList{"2.5 = 10/4"});
        QVERIFY(f.readDataFile().contains("\r\n 1 \r\n"));
        FormFixture::select(f.form->List1, {1, 2});
        f.form->mnuEPStore->trigger();
        QCOMPARE(FormFixture::lines(f.form->List2),
                 QStringList({"2.5 = 10/4", "6 = 2*3", "2 = 1+1"}));
        // At the limit the store stops with a message, and saves all the same.
        f.form->tables.intStorageCount = 499;
        FormFixture::select(f.form->List1, {0, 1, 2});
        f.form->cmdStore_Click();
        QCOMPARE(f.boxes(), QStringList{kOutOfRange});
        QCOMPARE(f.form->tables.intStorageCount, 500);
        QCOMPARE(f.form->tables.strStorage[500].expression, std::string("10/4"));
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
        f.threeResults();
        FormFixture::select(f.form->List1, selected);
        f.platform.answers = {MsgResult::No};
        f.form->cmdDeleteItem_Click();
        QCOMPARE(f.form->List1->count(), 3);
        QTest::mouseClick(f.form->cmdDeleteItem, Qt::LeftButton);
        QCOMPARE(f.boxes(), QStringList({kCantUndo, kCantUndo}));
        QCOMPARE(FormFixture::lines(f.form->List1), left);
        QCOMPARE(f.form->tables.intHistoryCount, left.size());
        QCOMPARE(f.form->List1->selectedItems(),
                 QList<QListWidgetItem *>{f.form->List1->item(selectedAfter)});
        QCOMPARE(f.form->List1->item(0)->data(Qt::UserRole).toInt(), int(left.size()));
    }

    void clearResultsAsksTwice_data() {
        QTest::addColumn<QList<MsgResult>>("answers");
        QTest::addColumn<int>("linesLeft");
        QTest::newRow("no") << QList<MsgResult>{MsgResult::No} << 3;
        QTest::newRow("yes, no") << QList<MsgResult>{MsgResult::Yes, MsgResult::No} << 3;
        QTest::newRow("yes, yes") << QList<MsgResult>{MsgResult::Yes, MsgResult::Yes} << 0;
    }

    void clearResultsAsksTwice() {
        QFETCH(QList<MsgResult>, answers);
        QFETCH(int, linesLeft);
        f.threeResults();
        f.form->List1->clearSelection();
        f.platform.answers.assign(answers.begin(), answers.end());
        QTest::keyClick(f.form.get(), Qt::Key_F7);
        QCOMPARE(f.form->List1->count(), linesLeft);
        const QStringList asked = {"Clear Results List?\r\n\r\n" + kCantUndo, kCantUndo};
        QCOMPARE(f.boxes(), asked.mid(0, answers.size()));
        // The storage list clears by a double-click on its label.
        f.form->cmdStore_Click();
        showStorage();
        QTest::mouseDClick(f.form->Label3, Qt::LeftButton);
        QCOMPARE(f.form->List2->count(), 0);
    }

    void listKeys() {
        f.threeResults();
        QListWidget *list1 = f.form->List1;
        list1->setFocus();
        list1->setCurrentRow(0);
        QTest::keyClick(list1, Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), box());
        // Down on the last line with the storage hidden is only swallowed.
        list1->setFocus();
        list1->setCurrentRow(2);
        QTest::keyClick(list1, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), list1);
        // Ctrl+Down opens the storage area first; Ctrl+Up comes back.
        QTest::keyClick(list1, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), f.form->List2);
        QTest::keyClick(f.form->List2, Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), list1);
        // Ctrl+keypad 0 stores; Delete asks and deletes, whatever the modifiers.
        list1->setCurrentRow(1, QItemSelectionModel::ClearAndSelect);
        QTest::keyClick(list1, Qt::Key_0, Qt::ControlModifier | Qt::KeypadModifier);
        QCOMPARE(FormFixture::lines(f.form->List2), QStringList{"6 = 2*3"});
        QTest::keyClick(list1, Qt::Key_Delete, Qt::ShiftModifier);
        QCOMPARE(f.boxes(), QStringList{kCantUndo});
        QCOMPARE(list1->count(), 2);
    }

    // Enter adds the new line on top and, at the limit, drops the bottom one instead of
    // refilling: lines, rows, selection and scrolling must be what a refill shows.
    void enterAtTheLimitShowsWhatARefillShows_data() {
        QTest::addColumn<bool>("fixed");
        QTest::newRow("normal") << false;
        QTest::newRow("fixed") << true;
    }

    void enterAtTheLimitShowsWhatARefillShows() {
        QFETCH(bool, fixed);
        QListWidget *list = f.form->List1;
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
        f.form->MnuExtraREsultFixed->setChecked(fixed);
        f.form->MnuExtraREsultNormal->setChecked(!fixed);
        f.form->intResultMode = fixed ? 1 : 0;
        for (int r = 1; r < ResultTables::kHistoryRows; ++r) {
            const std::string n = std::to_string(r); // appended: GCC 12 -O2 warns on "r" + n
            AppendHistoryRow(f.form->tables,
                             {std::string("r").append(n), std::string("rec").append(n), n, n});
        }
        f.form->subFillHistoryList();
        for (const char *expression : {"1+1", "2*3", "10/4"}) {
            list->scrollToBottom();
            list->setCurrentRow(5, QItemSelectionModel::ClearAndSelect);
            f.evaluate(QString::fromLatin1(expression));
        }
        const QStringList added = view();
        f.form->subFillHistoryList();
        QCOMPARE(added, view());
        QCOMPARE(added.size(), 2 + ResultTables::kHistoryRows);
        QCOMPARE(added[2], fixed ? QStringLiteral("2.5000 = 10/4|1000|0")
                                 : QStringLiteral("2.5 = 10/4|1000|0"));
        QCOMPARE(added.last(), QStringLiteral("%1|1|0").arg(fixed ? "r3 = 3" : "rec3"));
    }

    void itemTipShowsTheLineUnderTheMouse() {
        f.evaluate(QStringLiteral("1+2+3+4+5+6+7+8+9+10+11+12+13+14+15+16+17+18+19+20"));
        f.evaluate(QStringLiteral("2*3"));
        QListWidget *list = f.form->List1;
        auto moveTo = [&](int row, Qt::MouseButtons buttons) {
            const QPoint pos = FormFixture::lineCenter(list, row);
            QMouseEvent move(QEvent::MouseMove, pos, list->viewport()->mapToGlobal(pos),
                             Qt::NoButton, buttons, Qt::NoModifier);
            QApplication::sendEvent(list->viewport(), &move);
        };
        moveTo(1, Qt::NoButton);
        QCOMPARE(list->toolTip(), list->item(1)->text());
        moveTo(0, Qt::LeftButton); // with a button down nothing changes
        QCOMPARE(list->toolTip(), list->item(1)->text());
        moveTo(0, Qt::NoButton);
        QCOMPARE(list->toolTip(), QStringLiteral("6 = 2*3"));
    }

    // One row per copy mode: what a copy of the lower two lines gives, what a click on the
    // middle line takes, and what Enter and Ctrl+Enter there insert.
    void copyAndInsertFollowTheMode_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("copied");
        QTest::addColumn<QString>("taken");
        QTest::addColumn<QString>("entered");
        QTest::newRow("result") << int(Qt::Key_F3) << "Rslt"
                                << "6\r\n2"
                                << "6"
                                << "6";
        QTest::newRow("expression") << int(Qt::Key_F4) << "Expr"
                                    << "2*3\r\n1+1"
                                    << "2*3"
                                    << "2*3";
        QTest::newRow("expression=result") << int(Qt::Key_F5) << "ExRs"
                                           << "2*3 = 6\r\n1+1 = 2"
                                           << "2*3 = 6"
                                           << "2*3 = 6";
    }

    void copyAndInsertFollowTheMode() {
        QFETCH(int, key);
        QFETCH(QString, label);
        QFETCH(QString, copied);
        QFETCH(QString, taken);
        QFETCH(QString, entered);
        threeResultsAndABox();
        QTest::keyClick(f.form.get(), Qt::Key(key));
        QCOMPARE(f.form->Label6->text(), label);
        FormFixture::select(f.form->List1, {1, 2});
        QTest::mouseClick(f.form->cmdCopyHistoryItems, Qt::LeftButton);
        QCOMPARE(f.platform.clipboard, copied);
        QCOMPARE(f.form->Command4->toolTip(), "Zipto: " + copied);
        QCOMPARE(f.form->copyBuffer.intCopyCount, 2);

        FormFixture::clickLine(f.form->List1, 1);
        QCOMPARE(QString::fromStdString(f.form->strLastResult), taken);
        QCOMPARE(f.form->strSelResult, std::string("6"));
        f.form->List1->setFocus();
        QTest::keyClick(f.form->List1, Qt::Key_Return);
        QCOMPARE(box()->text(), "1+" + entered);
        // Ctrl+Enter inserts the expression and in the history leaves the mode alone.
        f.form->List1->setFocus();
        QTest::keyClick(f.form->List1, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(box()->text(), "1+" + entered + "2*3");
        QCOMPARE(f.form->Label6->text(), label);
        // The refill after Enter takes no line: the new result is the last result.
        f.evaluate(QStringLiteral("4*5"));
        QCOMPARE(f.form->strLastResult, std::string("20"));
    }

    void modeDisplaysAgree() {
        for (const char *caption : {"Expr", "ExRs", "Rslt"}) {
            QTest::mouseClick(f.form->Label6, Qt::LeftButton);
            QCOMPARE(f.form->Label6->text(), QString::fromLatin1(caption));
        }
        QTest::mouseClick(f.form->Option1[2], Qt::LeftButton);
        QVERIFY(f.form->mnuExtraCopyResultExpression->isChecked());
        QVERIFY(!f.form->mnuExtraCopyResult->isChecked());
        QCOMPARE(f.form->Label6->text(), QStringLiteral("ExRs"));
    }

    void copyLimits() {
        for (int i = 0; i < 41; ++i)
            f.evaluate(QString::number(i) + QStringLiteral("+1"));
        // Copying nothing empties the clipboard and the buffer.
        f.form->List1->clearSelection();
        f.form->cmdCopyHistoryItems_Click();
        QCOMPARE(f.platform.clipboardWrites, 1);
        QCOMPARE(f.form->copyBuffer.intCopyCount, 0);
        // Forty lines copy; forty-one fail with nothing changed.
        FormFixture::select(f.form->List1, {0});
        f.form->cmdCopyHistoryItems_Click();
        QList<int> forty;
        for (int i = 0; i < 40; ++i)
            forty << i;
        FormFixture::select(f.form->List1, forty);
        f.form->cmdCopyHistoryItems_Click();
        QCOMPARE(f.form->copyBuffer.intCopyCount, 40);
        QVERIFY(f.platform.clipboard.startsWith(QStringLiteral("41\r\n40\r\n")));
        f.form->List1->selectAll();
        f.form->List1->setFocus();
        QTest::keyClick(f.form->List1, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(f.boxes(), QStringList{kOutOfRange});
        QCOMPARE(f.form->copyBuffer.intCopyCount, 40);
    }

    void pasteAppendsTheCopiedRows() {
        f.threeResults();
        f.form->List1->setFocus();
        QTest::keyClick(f.form->List1, Qt::Key_V, Qt::ControlModifier); // nothing copied yet
        QCOMPARE(f.form->List1->count(), 3);
        FormFixture::select(f.form->List1, {1, 2});
        f.form->cmdCopyHistoryItems_Click();
        QTest::keyClick(f.form->List1, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(FormFixture::lines(f.form->List1),
                 QStringList({"2 = 1+1", "6 = 2*3", "2.5 = 10/4", "6 = 2*3", "2 = 1+1"}));
        // Into the storage, through the pop-up menu, named by a mouse press on that list.
        showStorage();
        QTest::mousePress(f.form->List2->viewport(), Qt::LeftButton);
        QTest::mouseRelease(f.form->List2->viewport(), Qt::LeftButton);
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
        f.threeResults();
        FormFixture::select(f.form->List1, {1, 2});
        f.form->cmdCopyHistoryItems_Click();
        ResultTables &tables = f.form->tables;
        Integer &count = history ? tables.intHistoryCount : tables.intStorageCount;
        const Integer limit = history ? 1000 : 500;
        count = limit - 1;
        f.form->strPopupList = list.toStdString();
        f.form->mnuEPPaste_Click();
        QCOMPARE(f.boxes(), QStringList{kOutOfRange});
        QCOMPARE(count, limit); // the first copied row fits, the second stops the paste
        const Row &last = history ? tables.strHistory[1000] : tables.strStorage[500];
        QCOMPARE(last.expression, std::string("2*3"));
        QCOMPARE(f.form->copyBuffer.intCopyCount, 2);
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
        // Armed function surround takes the whole text.
        f.form->Check1->setChecked(true);
        f.form->List1_DblClick();
        QCOMPARE(box()->text(), QStringLiteral("6(6(1)+2.5)"));
        QVERIFY(!f.form->Check1->isChecked());
    }

    void storageInsertsAndThePopup() {
        threeResultsAndABox();
        FormFixture::select(f.form->List1, {0});
        f.form->cmdStore_Click();
        showStorage();
        // Ctrl+Enter in the storage inserts the expression and sets the mode back to result.
        QTest::keyClick(f.form.get(), Qt::Key_F5);
        f.form->List2->setFocus();
        f.form->List2->setCurrentRow(0);
        QTest::keyClick(f.form->List2, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(box()->text(), QStringLiteral("1+10/4"));
        QCOMPARE(f.form->Label6->text(), QStringLiteral("Rslt"));
        // The pop-up inserts take the history line clicked last, not the storage line.
        FormFixture::clickLine(f.form->List1, 1);
        FormFixture::clickLine(f.form->List2, 0);
        QCOMPARE(f.form->strLastResult, std::string("2.5"));
        f.setBox(QStringLiteral("1+"), 2);
        f.form->mnuEPInsertResult->trigger();
        f.form->mnuEPInsertExpression->trigger();
        QCOMPARE(box()->text(), QStringLiteral("1+62*3"));
        // A right press opens the pop-up on that list.
        QTest::mousePress(f.form->List1->viewport(), Qt::RightButton, Qt::NoModifier,
                          FormFixture::lineCenter(f.form->List1, 0));
        QCOMPARE(f.form->strPopupList, std::string("list1"));
        QVERIFY(f.form->mnuEP->isVisible());
        f.form->mnuEP->close();
    }

    void enterInAnEmptyListInsertsNothing() {
        box()->setText(QStringLiteral("7"));
        f.form->strLastResult = "99";
        f.form->List1->setFocus();
        QTest::keyClick(f.form->List1, Qt::Key_Return);
        QCOMPARE(box()->text(), QStringLiteral("7"));
        QCOMPARE(f.boxes(), QStringList());
    }

    void popupCopyAndCutReachTheFocusedList() {
        f.threeResults();
        f.form->List1->setFocus();
        FormFixture::select(f.form->List1, {1});
        f.form->mnuEPcopy->trigger();
        QCOMPARE(f.platform.clipboard, QStringLiteral("6"));
        f.activate();
        f.form->List1->setFocus();
        FormFixture::select(f.form->List1, {0});
        f.form->mnuEPcut->trigger();
        QCOMPARE(f.platform.clipboard, QStringLiteral("2.5"));
        QCOMPARE(FormFixture::lines(f.form->List1), QStringList({"6 = 2*3", "2 = 1+1"}));
        QCOMPARE(f.boxes(), QStringList{kCantUndo});
    }
};

QTEST_MAIN(Form1Lists)
#include "tst_form1_lists.moc"
