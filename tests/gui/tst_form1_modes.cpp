#include "FormFixture.h"
#include "entry/frmFixedMode.h"

#include <functional>

using namespace zorbic;
using namespace zorbic::test;

class Form1Modes : public QObject {
    Q_OBJECT
    FormFixture f;

    // Chooses Fixed and, once the dialog is up (inside the Fixed command's wait), runs `act`
    // on it. Returns when the Fixed command has returned.
    void chooseFixed(const std::function<void(frmFixedMode *)> &act) {
        bool acted = false;
        QTimer::singleShot(0, f.form.get(), [&] {
            auto *dialog = f.form->findChild<frmFixedMode *>();
            QVERIFY(dialog);
            QVERIFY(dialog->isVisible());
            QVERIFY(f.form->bWaitFixed);
            acted = true;
            act(dialog);
            // A failed check inside must not leave the command waiting for ever.
            if (QTest::currentTestFailed() && dialog->isVisible()) dialog->reject();
        });
        f.form->MnuExtraREsultFixed->trigger();
        QVERIFY(acted);
        QVERIFY(!f.form->bWaitFixed);
    }

    static void confirm(frmFixedMode *dialog, const QString &text) {
        dialog->txtFixedNumber->setText(text);
        QTest::keyClick(dialog->txtFixedNumber, Qt::Key_Return);
    }

private slots:
    void init() { f.start(); }
    void cleanup() { f.reset(); }

    void fixedReformatsEveryRow() {
        f.evaluate(QStringLiteral("10/4"));
        f.form->cmdStore_Click();
        chooseFixed([](frmFixedMode *dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Fixed Mode"));
            QCOMPARE(dialog->lblFixedNumber->text(), QStringLiteral("Enter Number Of Decimals"));
            QCOMPARE(dialog->Command1->text(), QStringLiteral("Okay"));
            // The current count, selected so typing replaces it.
            QCOMPARE(dialog->txtFixedNumber->selectedText(), QStringLiteral("4"));
            confirm(dialog, QStringLiteral("2"));
        });
        QCOMPARE(f.form->intResultMode, 1);
        QCOMPARE(f.form->intDecimals, 2);
        QVERIFY(f.form->MnuExtraREsultFixed->isChecked());
        QVERIFY(!f.form->MnuExtraREsultNormal->isChecked());
        QCOMPARE(f.form->tables.strHistory[1].resultText, std::string("2.50"));
        QCOMPARE(FormFixture::lines(f.form->List1), QStringList{"2.50 = 10/4"});
        QCOMPARE(FormFixture::lines(f.form->List2), QStringList{"2.50 = 10/4"});
        f.evaluate(QStringLiteral("10/3"));
        QCOMPARE(f.form->strLastResult, std::string("3.33"));
        f.evaluate(QStringLiteral("6/2"));
        QCOMPARE(f.form->strLastResult, std::string("3"));

        // Normal takes field 1 from the raw value; the history shows the recorded lines.
        f.form->MnuExtraREsultNormal->trigger();
        QCOMPARE(f.form->intResultMode, 0);
        QCOMPARE(f.form->tables.strHistory[1].resultText, std::string("2.5"));
        QCOMPARE(FormFixture::lines(f.form->List1),
                 QStringList({"3 = 6/2", "3.33 = 10/3", "2.5 = 10/4"}));
        QCOMPARE(FormFixture::lines(f.form->List2), QStringList{"2.5 = 10/4"});
    }

    // Reading and rounding are tabled in the unit tests; these go through the dialog. A refused
    // count leaves the dialog open for another, here 3.
    void dialogReadsTheCount_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<int>("decimals");
        QTest::newRow("12abc") << "12abc"
                               << "" << 12;
        QTest::newRow("2.5 to even") << "2.5"
                                     << "" << 2;
        QTest::newRow("negative") << "-3"
                                  << "The number of decimals cannot be negative." << 3;
        QTest::newRow("beyond 16 bits") << "99999"
                                        << "Overflow" << 3;
    }

    void dialogReadsTheCount() {
        QFETCH(QString, typed);
        QFETCH(QString, refusal);
        QFETCH(int, decimals);
        chooseFixed([&](frmFixedMode *dialog) {
            confirm(dialog, typed);
            if (refusal.isEmpty()) return;
            QCOMPARE(f.platform.texts(), QStringList{refusal});
            QVERIFY(dialog->isVisible());
            QVERIFY(f.form->bWaitFixed);
            confirm(dialog, QStringLiteral("3"));
        });
        QCOMPARE(f.form->intDecimals, decimals);
        QCOMPARE(f.form->intResultMode, 1);
        QCOMPARE(f.platform.shown.size(), refusal.isEmpty() ? 0 : 1);
    }

    void zeroDecimalsKeepsTheInitialText() {
        chooseFixed([](frmFixedMode *dialog) { confirm(dialog, QStringLiteral("0")); });
        f.evaluate(QStringLiteral("7/2"));
        QCOMPARE(f.form->strLastResult, std::string("4."));
        chooseFixed([](frmFixedMode *dialog) {
            QCOMPARE(dialog->txtFixedNumber->text(), QStringLiteral("4"));
            QVERIFY(!dialog->txtFixedNumber->hasSelectedText());
            confirm(dialog, QStringLiteral("1"));
        });
        QCOMPARE(f.form->intDecimals, 1);
    }

    void closingTheDialogCancels() {
        f.evaluate(QStringLiteral("1/4"));
        chooseFixed([](frmFixedMode *dialog) { dialog->close(); });
        QVERIFY(f.form->MnuExtraREsultNormal->isChecked());
        QVERIFY(!f.form->MnuExtraREsultFixed->isChecked());
        QCOMPARE(f.form->intResultMode, 0);
        QCOMPARE(f.form->intDecimals, 4);
        // Nothing re-formatted.
        QCOMPARE(f.form->tables.strHistory[1].resultText, std::string(".25"));

        // From Fixed, a cancel keeps Fixed and its decimals.
        chooseFixed([](frmFixedMode *dialog) { confirm(dialog, QStringLiteral("2")); });
        chooseFixed([](frmFixedMode *dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
        QVERIFY(f.form->MnuExtraREsultFixed->isChecked());
        QCOMPARE(f.form->intResultMode, 1);
        QCOMPARE(f.form->intDecimals, 2);
    }

    void mainWindowStaysUsableWhileTheDialogIsOpen() {
        chooseFixed([&](frmFixedMode *dialog) {
            // Evaluations meanwhile use the old mode.
            f.activate();
            f.evaluate(QStringLiteral("1/4"));
            QCOMPARE(f.form->strLastResult, std::string(".25"));
            QCOMPARE(f.form->List1->count(), 1);
            // Choosing Fixed again does not open a second dialog.
            f.form->MnuExtraREsultFixed->trigger();
            QCOMPARE(f.form->findChildren<frmFixedMode *>().size(), 1);
            confirm(dialog, QStringLiteral("3"));
        });
        // The dialog is destroyed once it has closed.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(f.form->findChildren<frmFixedMode *>().size(), 0);
        QCOMPARE(f.form->tables.strHistory[1].resultText, std::string(".250"));
    }

    void stayOnTopComesBackAfterTheDialog() {
        f.form->mnuExtraStayOnTop->trigger();
        QVERIFY(f.form->Check2->isChecked());
        chooseFixed([&](frmFixedMode *dialog) {
            QVERIFY(!f.form->Check2->isChecked());
            confirm(dialog, QStringLiteral("2"));
        });
        QVERIFY(f.form->Check2->isChecked());
        QVERIFY(f.form->mnuExtraStayOnTop->isChecked());
    }

    void trigModeAndItsLabel() {
        QTest::keyClick(f.form.get(), Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(f.form->lblDegRad->text(), QStringLiteral("Rad"));
        QVERIFY(f.form->mnuExtraTrigRadians->isChecked());
        QVERIFY(!f.form->mnuExtraTrigDegrees->isChecked());
        f.evaluate(QStringLiteral("sin(pi/2)"));
        QCOMPARE(f.form->strLastResult, std::string("1"));
        // Two clicks on the label give back the mode it started from.
        QTest::mouseClick(f.form->lblDegRad, Qt::LeftButton);
        QCOMPARE(f.form->lblDegRad->text(), QStringLiteral("Deg"));
        QVERIFY(f.form->mnuExtraTrigDegrees->isChecked());
        f.evaluate(QStringLiteral("sin 30"));
        QCOMPARE(f.form->strLastResult, std::string(".5"));
    }
};

QTEST_MAIN(Form1Modes)
#include "tst_form1_modes.moc"
