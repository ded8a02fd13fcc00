#include "FormFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

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

    void keypadButtons_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<QRect>("pixels");
        QTest::addColumn<qreal>("points");
        QTest::addColumn<bool>("bold");
        // Rectangles are the designed twips divided by 15, edges rounded.
        QTest::newRow("+") << 0 << "+"
                           << "Add" << QRect(239, 20, 26, 19) << 9.75 << false;
        QTest::newRow("=") << 7 << "="
                           << "Evaluates Expression (Enter)." << QRect(222, 77, 25, 19) << 12.0
                           << true;
        QTest::newRow(".") << 8 << "."
                           << "" << QRect(205, 77, 17, 19) << 9.75 << true;
        QTest::newRow("home") << 9 << ""
                              << "Move Cursor to the Beginning of the Expression."
                              << QRect(67, 17, 22, 18) << 8.25 << false;
    }

    void keypadButtons() {
        QFETCH(int, index);
        QFETCH(QString, caption);
        QFETCH(QString, tip);
        QFETCH(QRect, pixels);
        QFETCH(qreal, points);
        QFETCH(bool, bold);
        const QPushButton *button = f.form->Command1[index];
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->toolTip(), tip);
        QCOMPARE(button->geometry(), pixels);
        QCOMPARE(button->font().pointSizeF(), points);
        QCOMPARE(button->font().bold(), bold);
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

    void menuCaptionsKeepTheirBlanks_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        auto blanks = [](int n) { return QString(n, QLatin1Char(' ')); };
        // Blanks and a shown-only key name stay in the caption; the real shortcut is separate.
        QTest::newRow("undo") << "mnuEditUndo"
                              << "Undo" + blanks(21) + "<Ctrl-Z>"
                              << "";
        QTest::newRow("cut") << "mnuEditCut"
                             << "C&ut"
                             << "Ctrl+X";
        QTest::newRow("clear expr") << "mnuEditClearExpression"
                                    << "Clear Express&ion" + blanks(2) + "<Ctrl-Keypad1>"
                                    << "F6";
        QTest::newRow("zipto options") << "mnuExtraZiptoOptions"
                                       << "Zipto &Options..."
                                       << "Shift+F12";
    }

    void menuCaptionsKeepTheirBlanks() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, shortcut);
        const auto *action = f.form->findChild<QAction *>(name);
        QVERIFY(action);
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->shortcut().toString(), shortcut);
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
