#include "FormFixture.h"
#include "shell/ControlTable.h"

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
        QTest::newRow("^") << 4 << "^"
                           << "To the power of n <Press * twice>" << QRect(265, 58, 26, 19) << 9.75
                           << false;
        QTest::newRow("=") << 7 << "="
                           << "Evaluates Expression (Enter)." << QRect(222, 77, 25, 19) << 12.0
                           << true;
        QTest::newRow(".") << 8 << "."
                           << "" << QRect(205, 77, 17, 19) << 9.75 << true;
        QTest::newRow("home") << 9 << ""
                              << "Move Cursor to the Beginning of the Expression."
                              << QRect(67, 17, 22, 18) << 8.25 << false;
        QTest::newRow("backspace")
            << 21 << ""
            << "Back Space. < ` >" << QRect(136, 35, 23, 21) << 9.75 << false;
        QTest::newRow("pi") << 22 << "&pi"
                            << "" << QRect(188, 153, 35, 19) << 8.25 << false;
        QTest::newRow("(x)") << 28 << "(x)"
                             << "Surround Expr. with ( )'s <Ctrl-PgUpDn>" << QRect(225, 0, 26, 20)
                             << 9.75 << false;
        QTest::newRow("sqrt") << 34 << ""
                              << "Square Root" << QRect(239, 58, 26, 19) << 8.25 << false;
        QTest::newRow("e") << 41 << "e"
                           << "" << QRect(223, 153, 34, 19) << 8.25 << false;
        QTest::newRow("%") << 43 << "%"
                           << "Percentage (n/100) <Press / twice>" << QRect(247, 77, 18, 19) << 9.75
                           << false;
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
        QCOMPARE(f.form->Label5->text(), QStringLiteral("On Top"));
        QCOMPARE(f.form->Check2->toolTip(),
                 QStringLiteral("Checked: Keep Zorbic on top of all other windows. (Ctrl-T)"));
        QCOMPARE(f.form->Label6->alignment() & Qt::AlignRight, Qt::AlignRight);
        QCOMPARE(f.form->Option1[2]->toolTip(),
                 QStringLiteral("Copy/Insert Mode: Expression=Result (F5)"));
        // Option buttons are placed inside their frame.
        QCOMPARE(f.form->Option1[1]->parentWidget(), f.form->Frame1);
        QCOMPARE(f.form->Option1[1]->geometry(), QRect(15, 0, 15, 15));
        QCOMPARE(f.form->lblDegRad->text(), QStringLiteral("Deg"));
        QCOMPARE(f.form->Text1->geometry(), QRect(1, 35, 136, 21));
        QCOMPARE(f.form->List1->geometry(), QRect(1, 74, 179, 121));
        QCOMPARE(f.form->List1->selectionMode(), QAbstractItemView::ExtendedSelection);
        QCOMPARE(f.form->Command4->toolTip(),
                 QStringLiteral("Zipto Last Result to Last Active Application. (F12)"));
        QCOMPARE(f.form->cmdStore->toolTip(), QStringLiteral("Ctrl-S"));
        QCOMPARE(f.form->cmdDeleteItem->text(), QStringLiteral("Delete"));
        // The list labels hold their whole caption although only the beginning shows.
        QCOMPARE(f.form->Label1->text(),
                 QStringLiteral("Results (Double-Click Clears Results F7)"));
        QVERIFY(f.form->Label1->sizeHint().width() > f.form->Label1->width());
        QCOMPARE(f.form->Text4->text(), QStringLiteral("Text4"));
        QVERIFY(f.form->Text4->geometry().right() < 0);
        for (const QLabel *holder : f.form->picMore) {
            QVERIFY(!holder->isVisible());
            QVERIFY(!holder->pixmap().isNull());
        }
    }

    void startLayoutShowsKeypadAndHidesStorage() {
        QCOMPARE(f.form->intWidthMode, 2);
        QCOMPARE(f.form->intHeightMode, 1);
        QCOMPARE(f.form->centralWidget()->size(), QSize(304, 217));
        QVERIFY(f.form->List2->isHidden());
        QCOMPARE(f.form->Command2->icon().pixmap(16, 16).toImage(),
                 QIcon(f.form->picMore[4]->pixmap()).pixmap(16, 16).toImage());
    }

    void menuCaptionsKeepTheirBlanks_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        auto blanks = [](int n) { return QString(n, QLatin1Char(' ')); };
        QTest::newRow("undo") << "mnuEditUndo"
                              << "Undo" + blanks(21) + "<Ctrl-Z>"
                              << "";
        QTest::newRow("copy") << "mnuEditCopy"
                              << "&Copy" + blanks(21) + "<Ctrl-C>"
                              << "";
        QTest::newRow("cut") << "mnuEditCut"
                             << "C&ut"
                             << "Ctrl+X";
        QTest::newRow("paste") << "mnuEditPaste"
                               << "&Paste" + blanks(19) + "<Ctrl-V>"
                               << "";
        QTest::newRow("store") << "mnuEditStoreResults"
                               << "&Store Selected Results"
                               << "Ctrl+S";
        QTest::newRow("clear expr") << "mnuEditClearExpression"
                                    << "Clear Express&ion" + blanks(2) + "<Ctrl-Keypad1>"
                                    << "F6";
        QTest::newRow("clear results") << "mnuClearResults"
                                       << "Clear &Results" + blanks(7) + "<Ctrl-Keypad2>"
                                       << "F7";
        QTest::newRow("clear storage") << "mnuEditClearStorage"
                                       << "Clear St&orage" + blanks(6) + "<Ctrl-Keypad3>"
                                       << "F8";
        QTest::newRow("zipto") << "mnuExtraSendLastResult"
                               << "&Zipto"
                               << "F12";
        QTest::newRow("zipto options") << "mnuExtraZiptoOptions"
                                       << "Zipto &Options..."
                                       << "Shift+F12";
        QTest::newRow("degrees") << "mnuExtraTrigDegrees"
                                 << "&Degrees"
                                 << "Ctrl+D";
        QTest::newRow("fixed") << "MnuExtraREsultFixed"
                               << "&Fixed"
                               << "Ctrl+F";
        QTest::newRow("surround") << "mnuExtraSurroundParen"
                                  << "Surround with ( )'s" + blanks(2) + "<Ctrl-PgUpDn>"
                                  << "";
        QTest::newRow("(") << "mnuFunctionsLeftParen"
                           << "Insert (" + blanks(19) + "<PageUp>"
                           << "";
        QTest::newRow(")") << "mnuFunctionsRightParen"
                           << "Insert )" + blanks(19) + "<PageDown>"
                           << "";
        QTest::newRow("func") << "mnuExtraFuncSurrTogg"
                              << "Function Surrounds with ()'s" + blanks(4) + "<]>"
                              << "";
        QTest::newRow("minimize") << "mnuExtraMinimizeForm"
                                  << "&Minimize" + blanks(3) + "<Escape>"
                                  << "Ctrl+M";
        QTest::newRow("more/less") << "mnuExtraShowStorage"
                                   << "More/&Less"
                                   << "Ctrl+H";
        QTest::newRow("dont close") << "MnuExtraDontClose"
                                    << "&Don't Close"
                                    << "Ctrl+Q";
        QTest::newRow("help") << "mnuHelpTips"
                              << "&Help"
                              << "F1";
        QTest::newRow("ep comment") << "mnuEPEditComment"
                                    << "Edit Commen&t"
                                    << "";
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
        QVERIFY(!f.form->mnuExtraStayOnTop->isChecked());
        QVERIFY(!f.form->MnuExtraDontClose->isChecked());
        QVERIFY(!f.form->mnuExtraTrigRadians->isChecked());
    }

    void startupFocusIsInTheExpressionBox() {
        QCOMPARE(QApplication::focusWidget(), f.form->Text1);
        QCOMPARE(f.form->ctlLastFocus, f.form->Text1);
    }

    void hiddenTextHandsTheFocusToTheExpressionBox() {
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

    void tabFromActivationLandsInTheExpressionBox() {
        // The tab chain starts at the invisible Text4, which passes the focus straight on.
        f.form->Option1[2]->setFocus(Qt::TabFocusReason);
        QTest::keyClick(f.form->Option1[2], Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != f.form->Text4);
        f.form->Text4->setFocus(Qt::ActiveWindowFocusReason);
        QCOMPARE(QApplication::focusWidget(), f.form->Text1);
    }
};

QTEST_MAIN(Form1Controls)
#include "tst_form1_controls.moc"
