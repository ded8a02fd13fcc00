#include "FormFixture.h"

#include <QScrollBar>

using namespace zorbic;
using namespace zorbic::test;

// The history and storage lists: store, delete, clear, copy, paste and the inserts into the box.
// Most start from the history 2.5 = 10/4, 6 = 2*3, 2 = 1+1 (newest first) and the box "1+".
class Form1Lists : public QObject {
    Q_OBJECT
    FormFixture f;
    Form1 *w = nullptr;
    const QString kCantUndo = QStringLiteral("YOU CAN'T UNDO THIS OPERATION [YesNo]");

private slots:
    void init() {
        f.start();
        w = f.form.get();
        for (const char *expression : {"1+1", "2*3", "10/4"})
            f.evaluate(QString::fromLatin1(expression));
        f.setBox(QStringLiteral("1+"), 2);
    }
    void cleanup() { f.reset(); }

    // Nothing selected stores the newest row. A store into a full storage says so and saves all
    // the same. A delete asks first and selects the line after the one deleted; clearing asks
    // twice, and a No to either question keeps every line.
    void storeDeleteAndClear() {
        QTest::mouseClick(w->cmdStore, Qt::LeftButton);
        QCOMPARE(FormFixture::lines(w->List2), QStringList{"2.5 = 10/4"});
        w->tables.intStorageCount = 500;
        w->mnuEPStore->trigger();
        QVERIFY(f.readDataFile().contains("\r\n 500 \r\n"));
        FormFixture::select(w->List1, {1});
        QTest::mouseClick(w->cmdDeleteItem, Qt::LeftButton);
        QCOMPARE(FormFixture::lines(w->List1), QStringList({"2.5 = 10/4", "2 = 1+1"}));
        QCOMPARE(w->List1->selectedItems(), QList{w->List1->item(1)});
        f.platform.answers = {MsgResult::No, MsgResult::Yes, MsgResult::No};
        for (int linesLeft : {2, 2, 0}) {
            QTest::keyClick(w, Qt::Key_F7);
            QCOMPARE(w->List1->count(), linesLeft);
        }
        const QString clear = "Clear Results List?\r\n\r\n" + kCantUndo;
        QCOMPARE(f.boxes(), QStringList({"Subscript out of range [Ok]", kCantUndo, clear, clear,
                                         kCantUndo, clear, kCantUndo}));
    }

    // Enter adds the line on top and, at the limit, drops the bottom one instead of refilling; in
    // Fixed mode (the line shown is not the recorded one) lines, rows, selection and scrolling
    // must be what a refill shows.
    void fullHistory() {
        auto view = [list = w->List1] {
            QStringList all{QString::number(list->currentRow()),
                            QString::number(list->verticalScrollBar()->value())};
            for (const QListWidgetItem *item : list->findItems(QString(), Qt::MatchStartsWith))
                all << item->text() + u'|' + item->data(Qt::UserRole).toString() +
                           (item->isSelected() ? "|selected" : "");
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
            w->List1->scrollToBottom();
            w->List1->setCurrentRow(5, QItemSelectionModel::ClearAndSelect);
            f.evaluate(QString::fromLatin1(expression));
        }
        const QStringList added = view();
        w->subFillHistoryList();
        QCOMPARE(added, view());
        QCOMPARE(added.last(), QStringLiteral("2.5 = 10/4|1"));
    }

    // The list's tip is the full line under the mouse, so a line wider than the list can be read.
    void itemTipShowsTheLineUnderTheMouse() {
        f.evaluate(QStringLiteral("1+2+3+4+5+6+7+8+9+10+11+12+13+14+15+16+17+18+19+20"));
        QTest::mouseMove(w->List1->viewport(), FormFixture::lineCenter(w->List1, 0));
        QCOMPARE(w->List1->toolTip(), w->List1->item(0)->text());
        QTest::mouseMove(w->List1->viewport(), FormFixture::lineCenter(w->List1, 1));
        QCOMPARE(w->List1->toolTip(), QStringLiteral("2.5 = 10/4"));
    }

    // One row per copy mode, with the texts of the lines "6 = 2*3" and "2 = 1+1" in that mode: a
    // copy of both joins them, a click on the first takes it and Enter there inserts it.
    void copyAndInsertFollowTheMode_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("result") << int(Qt::Key_F3) << QStringList{"6", "2"};
        QTest::newRow("expression") << int(Qt::Key_F4) << QStringList{"2*3", "1+1"};
        QTest::newRow("expression=result") << int(Qt::Key_F5) << QStringList{"2*3 = 6", "1+1 = 2"};
    }

    void copyAndInsertFollowTheMode() {
        QFETCH(int, key);
        QFETCH(QStringList, texts);
        QTest::keyClick(w, Qt::Key(key));
        const QString label = w->Label6->text();
        FormFixture::select(w->List1, {1, 2});
        QTest::mouseClick(w->cmdCopyHistoryItems, Qt::LeftButton);
        QCOMPARE(f.platform.clipboard, texts.join("\r\n"));
        FormFixture::clickLine(w->List1, 1);
        QCOMPARE(QString::fromStdString(w->strLastResult), texts[0]);
        w->List1->setFocus();
        QTest::keyClick(w->List1, Qt::Key_Return);
        QCOMPARE(w->Text1->text(), "1+" + texts[0]);
        // Ctrl+Enter inserts the expression and in the history leaves the mode alone.
        w->List1->setFocus();
        QTest::keyClick(w->List1, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(w->Text1->text(), "1+" + texts[0] + "2*3");
        QCOMPARE(w->Label6->text(), label);
        // The refill after Enter takes no line: the new result is the last result.
        f.evaluate(QStringLiteral("4*5"));
        QCOMPARE(w->strLastResult, std::string("20"));
    }

    // The pop-up copy and cut reach the focused list. Ctrl+V pastes into the focused list, the
    // pop-up paste into the list pressed last.
    void popupCopyCutAndPaste() {
        w->List1->setFocus();
        FormFixture::select(w->List1, {1, 2});
        w->mnuEPcopy->trigger();
        QCOMPARE(f.platform.clipboard, QStringLiteral("6\r\n2"));
        QTest::keyClick(w->List1, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(FormFixture::lines(w->List1),
                 QStringList({"2 = 1+1", "6 = 2*3", "2.5 = 10/4", "6 = 2*3", "2 = 1+1"}));
        w->Command3_Click();
        QTest::mouseClick(w->List2->viewport(), Qt::LeftButton);
        w->mnuEPPaste->trigger();
        QCOMPARE(FormFixture::lines(w->List2), QStringList({"6 = 2*3", "2 = 1+1"}));
        w->List1->setFocus();
        FormFixture::select(w->List1, {1});
        w->mnuEPcut->trigger();
        QCOMPARE(f.platform.clipboard, QStringLiteral("6"));
        QCOMPARE(f.boxes(), QStringList{kCantUndo});
    }

    // A double-click inserts the line at the caret, or before the selection put in parentheses;
    // armed function surround takes the whole text.
    void doubleClickAndThePopupInsert() {
        QListWidget *list = w->List1;
        FormFixture::doubleClick(list->viewport(), FormFixture::lineCenter(list, 0));
        QCOMPARE(w->Text1->text(), QStringLiteral("1+2.5"));
        QVERIFY(w->Text1->hasFocus());
        w->Text1->setSelection(0, 1);
        FormFixture::doubleClick(list->viewport(), FormFixture::lineCenter(list, 1));
        QCOMPARE(w->Text1->text(), QStringLiteral("6(1)+2.5"));
        w->Check1->setChecked(true);
        w->List1_DblClick();
        QCOMPARE(w->Text1->text(), QStringLiteral("6(6(1)+2.5)"));
        QVERIFY(!w->Check1->isChecked());
        // Ctrl+Enter in the storage inserts the expression and sets the mode back to result.
        w->cmdStore_Click(); // the line double-clicked last, 6 = 2*3
        w->Command3_Click();
        QTest::mouseClick(w->Option1[2], Qt::LeftButton);
        QVERIFY(w->mnuExtraCopyResultExpression->isChecked());
        f.setBox(QStringLiteral("1+"), 2);
        w->List2->setFocus();
        w->List2->setCurrentRow(0);
        QTest::keyClick(w->List2, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(w->Text1->text(), QStringLiteral("1+2*3"));
        QCOMPARE(w->Label6->text(), QStringLiteral("Rslt"));
        // The pop-up inserts take the history line clicked last, not the storage line.
        FormFixture::clickLine(w->List1, 0);
        FormFixture::clickLine(w->List2, 0);
        QCOMPARE(w->strLastResult, std::string("6"));
        f.setBox(QStringLiteral("1+"), 2);
        w->mnuEPInsertResult->trigger();
        w->mnuEPInsertExpression->trigger();
        QCOMPARE(w->Text1->text(), QStringLiteral("1+2.510/4"));
        // A right press opens the pop-up on that list.
        QTest::mousePress(list->viewport(), Qt::RightButton, Qt::NoModifier,
                          FormFixture::lineCenter(list, 0));
        QVERIFY(w->mnuEP->isVisible());
        w->mnuEP->close();
    }
};

QTEST_MAIN(Form1Lists)
#include "tst_form1_lists.moc"
