#include "FormFixture.h"

using namespace zorbic;
using namespace zorbic::test;

class Form1Controls : public QObject {
    Q_OBJECT
    FormFixture f;

private slots:
    void init() { f.start(); }
    void cleanup() { f.reset(); }

    void windowCaptionAndFixedBorder() {
        QCOMPARE(f.form->windowTitle(), QStringLiteral("Zorbic Zorbic Works"));
        QVERIFY(f.form->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(f.form->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(f.form->minimumSize(), f.form->maximumSize());
    }

    // The designed rows are not repeated here: one button per font kind checks how a row
    // becomes a widget (twips to pixels with rounded edges, fonts, captions and tips).
    void keypadButtonsFollowTheirDesign() {
        struct Expected {
            int index;
            QString caption, tip;
            QRect pixels;
            qreal points;
            bool bold;
        };
        const Expected rows[] = {
            {0, "+", "Add", QRect(239, 20, 26, 19), 9.75, false},
            {7, "=", "Evaluates Expression (Enter).", QRect(222, 77, 25, 19), 12.0, true},
            {8, ".", "", QRect(205, 77, 17, 19), 9.75, true},
            {9, "", "Move Cursor to the Beginning of the Expression.", QRect(67, 17, 22, 18), 8.25,
             false},
        };
        for (const Expected &row : rows) {
            const QPushButton *button = f.form->Command1[row.index];
            const QByteArray where = "Command1(" + QByteArray::number(row.index) + ")";
            QVERIFY2(button->text() == row.caption, where);
            QVERIFY2(button->toolTip() == row.tip, where);
            QVERIFY2(button->geometry() == row.pixels, where);
            QVERIFY2(button->font().pointSizeF() == row.points, where);
            QVERIFY2(button->font().bold() == row.bold, where);
        }
    }

    void everyKeypadButtonExistsWithoutTabStop() {
        const QList<int> pictures = {9, 10, 21, 29, 30, 31, 34, 38, 39, 40};
        for (int i = 0; i < 44; ++i) {
            const QPushButton *button = f.form->Command1[i];
            const QByteArray where = "Command1(" + QByteArray::number(i) + ")";
            QVERIFY2(button, where);
            QVERIFY2(button->objectName() == QStringLiteral("Command1"), where);
            QVERIFY2(button->property("index").toInt() == i, where);
            QVERIFY2(button->focusPolicy() == Qt::NoFocus, where);
            QVERIFY2(button->isVisible(), where);
            // A picture button shows an image instead of a caption.
            QVERIFY2(!button->icon().isNull() == pictures.contains(i), where);
            QVERIFY2(button->text().isEmpty() == pictures.contains(i), where);
        }
        // Only the "e" button keeps the standard style (no highlight colour).
        QCOMPARE(f.form->Command1[41]->property("graphical").toBool(), false);
        QCOMPARE(f.form->Command1[40]->property("graphical").toBool(), true);
    }

    void otherControls() {
        // Option buttons are placed inside their frame.
        QCOMPARE(f.form->Option1[1]->parentWidget(), f.form->Frame1);
        QCOMPARE(f.form->Option1[1]->geometry(), QRect(15, 0, 15, 15));
        QCOMPARE(f.form->List1->selectionMode(), QAbstractItemView::ExtendedSelection);
        // The list labels hold their whole caption although only the beginning shows.
        QVERIFY(f.form->Label1->sizeHint().width() > f.form->Label1->width());
        QVERIFY(f.form->Text4->geometry().right() < 0);
        for (const QLabel *holder : f.form->picMore) {
            QVERIFY(!holder->isVisible());
            QVERIFY(!holder->pixmap().isNull());
        }
    }

    // Blanks and a shown-only key name stay in the caption; the real shortcut is separate.
    void menuCaptionsKeepTheirBlanks() {
        const QString blanks(21, QLatin1Char(' '));
        QCOMPARE(f.form->mnuEditUndo->text(), "Undo" + blanks + "<Ctrl-Z>");
        QVERIFY(f.form->mnuEditUndo->shortcut().isEmpty());
        QCOMPARE(f.form->mnuEditClearExpression->text(), "Clear Express&ion  <Ctrl-Keypad1>");
        QCOMPARE(f.form->mnuEditClearExpression->shortcut(), QKeySequence(Qt::Key_F6));
        QCOMPARE(f.form->mnuExtraZiptoOptions->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F12));
    }

    void menuBarAndPopup() {
        QStringList titles;
        for (const QAction *action : f.form->menuBar()->actions())
            titles << action->text();
        QCOMPARE(titles, QStringList({"&Edit", "E&xtra", "&Window", "&Help"}));
        QCOMPARE(f.form->mnuEP->title(), QStringLiteral("EditPopup"));
        QCOMPARE(f.form->mnuEP->actions().size(), 9);
        // Initial check marks.
        QVERIFY(f.form->mnuExtraCopyResult->isChecked());
        QVERIFY(f.form->mnuExtraTrigDegrees->isChecked());
        QVERIFY(f.form->MnuExtraREsultNormal->isChecked());
    }

    void startupFocusIsInTheExpressionBox() {
        QCOMPARE(QApplication::focusWidget(), f.form->Text1);
        QCOMPARE(f.form->ctlLastFocus, f.form->Text1);
        // The tab chain starts at the invisible Text4, which passes the focus straight on.
        f.form->Option1[2]->setFocus();
        f.form->Text4->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), f.form->Text1);
    }

    void tabNeverStopsOnAButton() {
        QSet<QWidget *> visited;
        f.form->Text1->setFocus();
        for (int i = 0; i < 20; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *focus = QApplication::focusWidget();
            QVERIFY(focus);
            QVERIFY2(!qobject_cast<QPushButton *>(focus), qPrintable(focus->objectName()));
            QVERIFY(focus != f.form->Text4);
            visited.insert(focus);
        }
        // Forward from the box the chain runs through the option buttons to Text4, which hands
        // the focus straight back to the box; backwards it reaches the history list.
        QVERIFY(visited.contains(f.form->Text1));
        QVERIFY(visited.contains(f.form->Option1[0]));
        f.form->Text1->setFocus();
        QTest::keyClick(f.form->Text1, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), f.form->List1);
        QTest::keyClick(f.form->List1, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), f.form->Check2);
    }
};

QTEST_MAIN(Form1Controls)
#include "tst_form1_controls.moc"
