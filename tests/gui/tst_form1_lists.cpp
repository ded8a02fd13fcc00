#include "FormFixture.h"

#include <QMouseEvent>
#include <QScrollBar>

using namespace zorbic;
using namespace zorbic::test;

namespace {

const QString kCantUndo = QStringLiteral("YOU CAN'T UNDO THIS OPERATION");

} // namespace

class Form1Lists : public QObject {
    Q_OBJECT
    FormFixture f;

private slots:
    void init() { f.start(); }
    void cleanup() { f.reset(); }

    void storeTakesTheSelectionOrTheNewestRowAndSaves() {
        f.threeResults();
        f.form->List1->clearSelection();
        QTest::mouseClick(f.form->cmdStore, Qt::LeftButton);
        QCOMPARE(FormFixture::lines(f.form->List2), QStringList{"2.5 = 10/4"});
        QCOMPARE(f.form->List2->item(0)->data(Qt::UserRole).toInt(), 1);
        QVERIFY(f.readDataFile().contains("\r\n 1 \r\n"));
        // The pop-up item appends the selected lines, newest first.
        FormFixture::select(f.form->List1, {1, 2});
        f.form->mnuEPStore->trigger();
        QCOMPARE(FormFixture::lines(f.form->List2),
                 QStringList({"2.5 = 10/4", "6 = 2*3", "2 = 1+1"}));
    }

    void storeStopsAtTheStorageLimit() {
        f.threeResults();
        f.form->tables.intStorageCount = 499;
        FormFixture::select(f.form->List1, {0, 1, 2});
        f.form->cmdStore_Click();
        QCOMPARE(f.platform.texts(), QStringList{"Subscript out of range"});
        QCOMPARE(f.form->tables.intStorageCount, 500);
        QCOMPARE(f.form->tables.strStorage[500].expression, std::string("10/4"));
        // Saved as usual after the failure.
        QVERIFY(f.readDataFile().contains("\r\n 500 \r\n"));
    }

    void deleteAsksThenKeepsOrderAndSelectsTheNextLine() {
        f.threeResults();
        FormFixture::select(f.form->List1, {1});
        f.platform.answers = {MsgResult::No};
        f.form->cmdDeleteItem_Click();
        QCOMPARE(f.form->List1->count(), 3);
        f.form->List1->clearSelection();
        f.form->cmdDeleteItem_Click(); // nothing selected: asks, deletes nothing
        QCOMPARE(f.form->List1->count(), 3);

        FormFixture::select(f.form->List1, {0, 1});
        QTest::mouseClick(f.form->cmdDeleteItem, Qt::LeftButton);
        QCOMPARE(f.platform.texts(), QStringList({kCantUndo, kCantUndo, kCantUndo}));
        QCOMPARE(f.platform.shown[2].buttons, MsgButtons::YesNo);
        QCOMPARE(FormFixture::lines(f.form->List1), QStringList{"2 = 1+1"});
        QCOMPARE(f.form->tables.intHistoryCount, 1);
        QCOMPARE(f.form->List1->selectedItems(), QList<QListWidgetItem *>{f.form->List1->item(0)});
        // Row numbers follow the kept rows.
        QCOMPARE(f.form->List1->item(0)->data(Qt::UserRole).toInt(), 1);
    }

    void clearResultsAsksTwice_data() {
        QTest::addColumn<QList<MsgResult>>("answers");
        QTest::addColumn<int>("linesLeft");
        QTest::addColumn<int>("selectedLeft");
        QTest::addColumn<int>("questions");
        QTest::newRow("no") << QList<MsgResult>{MsgResult::No} << 3 << 0 << 1;
        QTest::newRow("yes, no") << QList<MsgResult>{MsgResult::Yes, MsgResult::No} << 3 << 3 << 2;
        QTest::newRow("yes, yes") << QList<MsgResult>{MsgResult::Yes, MsgResult::Yes} << 0 << 0
                                  << 2;
    }

    void clearResultsAsksTwice() {
        QFETCH(QList<MsgResult>, answers);
        QFETCH(int, linesLeft);
        QFETCH(int, selectedLeft);
        QFETCH(int, questions);
        f.threeResults();
        f.form->List1->clearSelection();
        f.platform.answers.assign(answers.begin(), answers.end());
        QTest::keyClick(f.form.get(), Qt::Key_F7);
        QCOMPARE(f.form->List1->count(), linesLeft);
        QCOMPARE(f.form->List1->selectedItems().size(), selectedLeft);
        const QStringList expected = {QStringLiteral("Clear Results List?\r\n\r\n") + kCantUndo,
                                      kCantUndo};
        QCOMPARE(f.platform.texts(), expected.mid(0, questions));
    }

    void labelDoubleClicksClearTheirLists() {
        f.threeResults();
        f.form->cmdStore_Click();
        f.form->Command3_Click(); // show the storage area
        QTest::mouseDClick(f.form->Label3, Qt::LeftButton);
        QCOMPARE(f.form->List2->count(), 0);
        QTest::mouseDClick(f.form->Label1, Qt::LeftButton);
        QCOMPARE(f.form->List1->count(), 0);
        QCOMPARE(f.platform.shown[0].text,
                 QStringLiteral("Clear Storage List?\r\n\r\n") + kCantUndo);
        QCOMPARE(f.platform.shown.size(), 4);
    }

    void listKeys() {
        f.threeResults();
        QListWidget *list1 = f.form->List1;
        list1->setFocus();
        list1->setCurrentRow(0);
        QTest::keyClick(list1, Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), f.form->Text1);
        QCOMPARE(f.form->ctlLastFocus, f.form->Text1);

        // Down on the last line with the storage hidden is only swallowed.
        list1->setFocus();
        list1->setCurrentRow(2);
        QTest::keyClick(list1, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), list1);
        QCOMPARE(list1->currentRow(), 2);

        // Ctrl+Down opens the storage area first.
        QVERIFY(f.form->List2->isHidden());
        QTest::keyClick(list1, Qt::Key_Down, Qt::ControlModifier);
        QVERIFY(f.form->List2->isVisible());
        QCOMPARE(QApplication::focusWidget(), f.form->List2);
        QTest::keyClick(f.form->List2, Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), list1);

        // Ctrl+keypad 0 stores.
        list1->setCurrentRow(1, QItemSelectionModel::ClearAndSelect);
        QTest::keyClick(list1, Qt::Key_0, Qt::ControlModifier | Qt::KeypadModifier);
        QCOMPARE(FormFixture::lines(f.form->List2), QStringList{"6 = 2*3"});

        // Delete asks and deletes, whatever the modifiers.
        QTest::keyClick(list1, Qt::Key_Delete, Qt::ShiftModifier);
        QCOMPARE(f.platform.texts(), QStringList{kCantUndo});
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
        for (int r = 1; r < ResultTables::kHistoryRows; ++r)
            AppendHistoryRow(f.form->tables, {"r" + std::to_string(r), "rec" + std::to_string(r),
                                              std::to_string(r), std::to_string(r)});
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
        auto moveTo = [&](QPoint pos, Qt::MouseButtons buttons) {
            QMouseEvent move(QEvent::MouseMove, pos, list->viewport()->mapToGlobal(pos),
                             Qt::NoButton, buttons, Qt::NoModifier);
            QApplication::sendEvent(list->viewport(), &move);
        };
        moveTo(list->visualItemRect(list->item(1)).center(), Qt::NoButton);
        QCOMPARE(list->toolTip(), list->item(1)->text());
        QVERIFY(list->toolTip().endsWith(QStringLiteral("+19+20")));
        // Below the last line the tip keeps its text; with a button down nothing changes.
        moveTo(QPoint(5, list->viewport()->height() - 2), Qt::NoButton);
        QCOMPARE(list->toolTip(), list->item(1)->text());
        moveTo(list->visualItemRect(list->item(0)).center(), Qt::LeftButton);
        QCOMPARE(list->toolTip(), list->item(1)->text());
        moveTo(list->visualItemRect(list->item(0)).center(), Qt::NoButton);
        QCOMPARE(list->toolTip(), QStringLiteral("6 = 2*3"));
    }
};

QTEST_MAIN(Form1Lists)
#include "tst_form1_lists.moc"
