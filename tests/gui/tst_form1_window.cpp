#include "FormFixture.h"
#include "entry/frmFixedMode.h"
#include "platform/Twips.h"
#include "shell/ControlTable.h"
#include "shell/about/HelpWindow.h"
#include "shell/about/frmAbout.h"
#include "zipto/frmZiptoOptions.h"

#include <functional>

using namespace zorbic;
using namespace zorbic::test;

namespace {

bool sameImage(const QIcon &icon, const QLabel *picture) {
    const QPixmap expected = picture->pixmap();
    return icon.pixmap(expected.deviceIndependentSize().toSize()).toImage() == expected.toImage();
}

bool shaded(const QPushButton *button) {
    return button->property("BackColor").toUInt() == 0x80000010;
}

void confirm(frmFixedMode *dialog, const QString &text) {
    dialog->txtFixedNumber->setText(text);
    QTest::keyClick(dialog->txtFixedNumber, Qt::Key_Return);
}

// Keys and clicks (H: Ctrl+H, S: the storage button, K: the keypad button), then the inner size
// and the picMore index shown on Command2, cmdMoreLess and Command3.
struct Layout {
    QString steps;
    int width, height;
    std::size_t left, middle, right;
};

} // namespace

Q_DECLARE_METATYPE(Layout)

// The window itself: layout, focus, highlight, stay on top, minimizing, the result modes, help.
class Form1Window : public QObject {
    Q_OBJECT
    FormFixture f;

    // A move to where the mouse already is makes no event: start from the window's corner.
    void moveOnto(QWidget *widget) {
        QTest::mouseMove(f.form->menuBar(), QPoint(1, 1));
        QTest::mouseMove(widget, widget->rect().center());
        QCoreApplication::processEvents();
    }

    // Chooses Fixed and, once the dialog is up (inside the Fixed command's wait), runs `act`
    // on it. Returns when the Fixed command has returned.
    void chooseFixed(const std::function<void(frmFixedMode *)> &act) {
        bool acted = false;
        QTimer::singleShot(0, f.form.get(), [&] {
            auto *dialog = f.form->findChild<frmFixedMode *>();
            QVERIFY(dialog && dialog->isVisible());
            acted = true;
            act(dialog);
            // A failed check inside must not leave the command waiting for ever.
            if (QTest::currentTestFailed() && dialog->isVisible()) dialog->reject();
        });
        f.form->MnuExtraREsultFixed->trigger();
        QVERIFY(acted);
        QVERIFY(!f.form->bWaitFixed);
    }

private slots:
    void init() { f.start(); }
    void cleanup() { f.reset(); }

    void moreLessStates_data() {
        QTest::addColumn<Layout>("c");
        const int wide = kWideWidth, narrow = kNarrowWidth, tall = kTallHeight, low = kShortHeight;
        QTest::newRow("start") << Layout{"", wide, low, 4, 3, 0};
        QTest::newRow("Ctrl+H") << Layout{"H", wide, tall, 4, 2, 1};
        QTest::newRow("Ctrl+H twice") << Layout{"HH", narrow, low, 5, 3, 0};
        QTest::newRow("storage") << Layout{"S", wide, tall, 4, 2, 1};
        QTest::newRow("keypad") << Layout{"K", narrow, low, 5, 3, 0};
        QTest::newRow("keypad, storage") << Layout{"KS", narrow, tall, 5, 2, 0};
        QTest::newRow("narrow, then everything") << Layout{"KH", wide, tall, 4, 2, 1};
    }

    void moreLessStates() {
        QFETCH(Layout, c);
        Form1 &form = *f.form;
        const QPoint topLeft = form.pos();
        for (QChar step : c.steps) {
            if (step == 'H') QTest::keyClick(&form, Qt::Key_H, Qt::ControlModifier);
            if (step == 'S') QTest::mouseClick(form.cmdMoreLess, Qt::LeftButton);
            if (step == 'K') QTest::mouseClick(form.Command2, Qt::LeftButton);
        }
        // Only the inner size is fixed; the menu bar keeps its own height above it.
        QCOMPARE(form.centralWidget()->size(), TwipsRect(0, 0, c.width, c.height).size());
        QCOMPARE(form.pos(), topLeft);
        QCOMPARE(form.List2->isVisible(), c.height == kTallHeight);
        QVERIFY(sameImage(form.Command2->icon(), form.picMore[c.left]));
        QVERIFY(sameImage(form.cmdMoreLess->icon(), form.picMore[c.middle]));
        QVERIFY(sameImage(form.Command3->icon(), form.picMore[c.right]));
        QVERIFY(form.Text1->hasFocus());
    }

    // The check box, its label, Ctrl+T and the menu item all flip the one setting.
    void stayOnTopToggles() {
        Form1 &form = *f.form;
        QTest::mouseClick(form.Check2, Qt::LeftButton);
        QTest::mouseClick(form.Label5, Qt::LeftButton);
        QTest::keyClick(&form, Qt::Key_T, Qt::ControlModifier);
        QVERIFY(form.Check2->isChecked() && form.mnuExtraStayOnTop->isChecked());
        form.mnuExtraStayOnTop->trigger();
        QVERIFY(!form.Check2->isChecked() && !form.mnuExtraStayOnTop->isChecked());
        QCOMPARE(f.platform.stayOnTopCalls.size(), 4U);
        for (std::size_t i = 0; i < 4; ++i)
            QVERIFY(f.platform.stayOnTopCalls[i].window == &form &&
                    f.platform.stayOnTopCalls[i].on == (i % 2 == 0));
    }

    void minimizeWays() {
        QTest::keyClick(f.form.get(), Qt::Key_M, Qt::ControlModifier);
        QVERIFY(f.form->isMinimized());
        f.form->showNormal();
        QTest::keyClick(f.form->Text1, Qt::Key_Escape);
        QVERIFY(f.form->isMinimized());
        f.form->showNormal();
        // A double-click on a label is the label's own: one click's worth, Rslt -> Expr.
        FormFixture::doubleClick(f.form->Label6);
        QVERIFY(!f.form->isMinimized());
        QCOMPARE(f.form->Label6->text(), QStringLiteral("Expr"));
        // Between the expression row and the history list lies bare background.
        QWidget *client = f.form->centralWidget();
        const QPoint empty(2, f.form->List1->geometry().top() - 2);
        QCOMPARE(client->childAt(empty), nullptr);
        FormFixture::doubleClick(client, empty);
        QVERIFY(f.form->isMinimized());
    }

    // The button under the mouse is shaded; a label leaves the shade, a list or the box clear it.
    void highlightFollowsTheMouse() {
        Form1 &form = *f.form;
        QPushButton *seven = form.Command1[17], *eight = form.Command1[18];
        const QColor face = seven->palette().color(QPalette::Button);
        moveOnto(seven);
        QVERIFY(shaded(seven) && seven->palette().color(QPalette::Button) != face);
        moveOnto(eight);
        QVERIFY(shaded(eight) && !shaded(seven) &&
                seven->palette().color(QPalette::Button) == face);
        moveOnto(form.Label6);
        QVERIFY(shaded(eight));
        moveOnto(form.List1->viewport());
        QVERIFY(!shaded(eight));
        moveOnto(form.cmdStore);
        // A long expression can be read whole in the box's tip.
        form.Text1->setText(QStringLiteral("1+2+3+4+5+6+7+8+9+10+11+12+13+14+15+16+17+18"));
        moveOnto(form.Text1);
        QVERIFY(!shaded(form.cmdStore) && form.Text1->toolTip() == form.Text1->text());
    }

    // The reformatting rules are checked without a window; here both lists follow the mode.
    void fixedReformatsEveryRow() {
        f.evaluate(QStringLiteral("10/4"));
        f.form->cmdStore_Click();
        chooseFixed([](frmFixedMode *dialog) {
            // The current count, selected so typing replaces it.
            QCOMPARE(dialog->txtFixedNumber->selectedText(), QStringLiteral("4"));
            confirm(dialog, QStringLiteral("2"));
        });
        QVERIFY(f.form->MnuExtraREsultFixed->isChecked() &&
                !f.form->MnuExtraREsultNormal->isChecked());
        QCOMPARE(FormFixture::lines(f.form->List2), QStringList{"2.50 = 10/4"});
        f.evaluate(QStringLiteral("10/3"));
        QCOMPARE(FormFixture::lines(f.form->List1), QStringList({"3.33 = 10/3", "2.50 = 10/4"}));
        // Normal takes field 1 from the raw value; the history shows the recorded lines.
        f.form->MnuExtraREsultNormal->trigger();
        QCOMPARE(FormFixture::lines(f.form->List1), QStringList({"3.33 = 10/3", "2.5 = 10/4"}));
        QCOMPARE(FormFixture::lines(f.form->List2), QStringList{"2.5 = 10/4"});
    }

    // A refused count leaves the dialog open for another, here 3.
    void dialogReadsTheCount_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<int>("decimals");
        const QString negative("The number of decimals cannot be negative. [Ok Exclamation]");
        QTest::newRow("12abc") << "12abc" << QString() << 12;
        QTest::newRow("zero") << "0" << QString() << 0;
        QTest::newRow("2.5 to even") << "2.5" << QString() << 2;
        QTest::newRow("negative") << "-3" << negative << 3;
        QTest::newRow("beyond 16 bits") << "99999" << QStringLiteral("Overflow [Ok]") << 3;
    }

    void dialogReadsTheCount() {
        QFETCH(QString, typed);
        QFETCH(QString, refusal);
        chooseFixed([&](frmFixedMode *dialog) {
            confirm(dialog, typed);
            QCOMPARE(f.boxes(), refusal.isEmpty() ? QStringList() : QStringList{refusal});
            if (refusal.isEmpty()) return;
            QVERIFY(dialog->isVisible() && f.form->bWaitFixed);
            confirm(dialog, QStringLiteral("3"));
        });
        QTEST(int(f.form->intDecimals), "decimals");
        QCOMPARE(f.form->intResultMode, 1);
    }

    // While the dialog is open stay on top waits and the window stays usable, with a single
    // dialog; closing it keeps the mode it was opened from, and its decimals.
    void fixedDialogWaitsWithoutBlocking() {
        f.form->mnuExtraStayOnTop->trigger();
        chooseFixed([&](frmFixedMode *dialog) {
            QVERIFY(!f.form->Check2->isChecked());
            f.activate();
            f.evaluate(QStringLiteral("1/4"));
            f.form->MnuExtraREsultFixed->trigger();
            QCOMPARE(f.form->findChildren<frmFixedMode *>().size(), 1);
            dialog->close();
        });
        QVERIFY(f.form->Check2->isChecked() && f.form->MnuExtraREsultNormal->isChecked());
        QCOMPARE(f.form->tables.strHistory[1].resultText, std::string(".25"));
        chooseFixed([](frmFixedMode *dialog) { confirm(dialog, QStringLiteral("2")); });
        chooseFixed([](frmFixedMode *dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
        QVERIFY(f.form->MnuExtraREsultFixed->isChecked());
        QCOMPARE(f.form->intDecimals, 2);
    }

    void trigModeAndItsLabel() {
        QTest::keyClick(f.form.get(), Qt::Key_R, Qt::ControlModifier);
        f.evaluate(QStringLiteral("sin(pi/2)"));
        QVERIFY(f.form->lblDegRad->text() == "Rad" && f.form->strLastResult == "1");
        QTest::mouseClick(f.form->lblDegRad, Qt::LeftButton);
        f.evaluate(QStringLiteral("sin 30"));
        QVERIFY(f.form->mnuExtraTrigDegrees->isChecked() && f.form->lblDegRad->text() == "Deg");
        QCOMPARE(f.form->strLastResult, std::string(".5"));
    }

    // Help opens once, beside the calculator, which stays usable; About is modal.
    void helpAndAbout() {
        QTest::keyClick(f.form.get(), Qt::Key_F1);
        f.form->helpWindow->hide();
        f.form->mnuHelpTips->trigger();
        QVERIFY(f.form->helpWindow->isVisible() && !f.form->helpWindow->isModal());
        QCOMPARE(f.form->findChildren<HelpWindow *>().size(), 1);
        f.activate();
        f.evaluate(QStringLiteral("2*3"));
        QCOMPARE(f.form->strLastResult, std::string("6"));
        QString caption;
        QTimer::singleShot(50, [&caption] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                caption = modal->windowTitle();
                QTest::keyClick(modal, Qt::Key_Escape);
            }
        });
        f.form->mnuHelpAbout->trigger(); // returns once the modal box has closed
        QCOMPARE(caption, QStringLiteral("About Zorbic"));
        QVERIFY(f.form->findChildren<frmAbout *>().isEmpty());
    }

    // The help window and the options dialog go with the main window, which saves on Exit.
    void exitSavesAndClosesEveryWindow() {
        f.form->mnuHelpTips->trigger();
        f.form->mnuExtraZiptoOptions->trigger();
        f.form->Text1->setText(QStringLiteral("7*6"));
        f.form->mnuEditExit->trigger();
        QVERIFY(f.readDataFile().contains("\r\n7*6\r\n"));
        for (const QWidget *window : QApplication::topLevelWidgets())
            QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
    }
};

QTEST_MAIN(Form1Window)
#include "tst_form1_window.moc"
