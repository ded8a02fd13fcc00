#include "zipto/frmZiptoOptions.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using zorbic::frmZiptoOptions;

class TestZiptoOptions : public QObject {
    Q_OBJECT

    static QStringList items(const QComboBox *box) {
        QStringList all;
        for (int i = 0; i < box->count(); ++i)
            all << box->itemText(i);
        return all;
    }

    static bool hasFocus(QWidget *control) {
        QWidget *focus = QApplication::focusWidget();
        return focus && (focus == control || control->isAncestorOf(focus));
    }

    static void showActive(QWidget &w) {
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }

private slots:
    void startsWithItsDesignedValuesInAFixedDialog() {
        frmZiptoOptions dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Zipto Options"));
        QVERIFY(!dialog.isModal());
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QCOMPARE((QStringList{dialog.lblBefore->text(), dialog.lblAfter->text(),
                              dialog.chkReactivateZorbic->text(), dialog.Command1->text()}),
                 (QStringList{"Before Keystrokes", "After Keystrokes",
                              "Re-Activate Zorbic after Send", "Okay"}));
        QCOMPARE(dialog.text3->toolTip(),
                 QStringLiteral("Keystrokes to Send before Ziptoing the last result."));
        QCOMPARE(dialog.text5->toolTip(),
                 QStringLiteral("Keystrokes to Send after Ziptoing the last result."));
        const QStringList choices{"{enter}", "{tab}", "+{tab}", "{tab 2}", "{right}",
                                  "{left}",  "{f2}",  "{f3}",   "{f4}",    "{f5}"};
        for (QComboBox *box : {dialog.text3, dialog.text5}) {
            QVERIFY(box->isEditable());
            QCOMPARE(items(box), choices);
            QCOMPARE(box->currentIndex(), -1);
        }
        QCOMPARE(dialog.beforeKeys() + dialog.afterKeys(), QString());
        QVERIFY(dialog.reactivateZorbic());
        const auto controls = dialog.findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        QCOMPARE(controls.size(), 6);
        for (QWidget *control : controls)
            QVERIFY2(dialog.rect().contains(control->geometry()),
                     qPrintable(control->metaObject()->className()));
    }

    void tabGoesAfterBeforeCheckBoxOkay() {
        frmZiptoOptions dialog;
        showActive(dialog);
        QVERIFY(hasFocus(dialog.text5));
        QWidget *const order[] = {dialog.text3, dialog.chkReactivateZorbic, dialog.Command1,
                                  dialog.text5};
        for (QWidget *next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY2(hasFocus(next), qPrintable(next->objectName() + " should have the focus"));
        }
    }

    void choosingAndTypingSetTheKeyTexts() {
        frmZiptoOptions dialog;
        showActive(dialog);
        dialog.text3->setCurrentIndex(2);
        QCOMPARE(dialog.beforeKeys(), QStringLiteral("+{tab}"));
        dialog.text5->setFocus();
        QTest::keyClicks(dialog.text5, "{tab 3}~");
        QCOMPARE(dialog.afterKeys(), QStringLiteral("{tab 3}~"));
        // Enter in a key box neither closes the dialog nor adds the text to the choices.
        QSignalSpy okayed(&dialog, &frmZiptoOptions::okayed);
        QTest::keyClick(dialog.text5->lineEdit(), Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCOMPARE(okayed.count(), 0);
        QCOMPARE(dialog.text5->count(), 10);
        QCOMPARE(dialog.afterKeys(), QStringLiteral("{tab 3}~"));
    }

    void okayHidesAndSignals() {
        frmZiptoOptions dialog;
        showActive(dialog);
        QSignalSpy okayed(&dialog, &frmZiptoOptions::okayed);
        QSignalSpy closedByBox(&dialog, &frmZiptoOptions::closedByBox);
        QTest::mouseClick(dialog.Command1, Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(okayed.count(), 1);
        QCOMPARE(closedByBox.count(), 0);
    }

    void closeBoxOnlyHidesAndKeepsTheValues() {
        QPointer<frmZiptoOptions> dialog = new frmZiptoOptions;
        dialog->setAttribute(Qt::WA_DeleteOnClose); // even then the close box must not destroy it
        showActive(*dialog);
        dialog->text3->setEditText(QStringLiteral("^a"));
        dialog->text5->setCurrentIndex(1);
        dialog->chkReactivateZorbic->setChecked(false);
        QSignalSpy okayed(dialog.data(), &frmZiptoOptions::okayed);
        QSignalSpy closedByBox(dialog.data(), &frmZiptoOptions::closedByBox);

        QVERIFY(!dialog->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(dialog);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(closedByBox.count(), 1);
        QCOMPARE(okayed.count(), 0);

        showActive(*dialog);
        QCOMPARE(dialog->beforeKeys(), QStringLiteral("^a"));
        QCOMPARE(dialog->afterKeys(), QStringLiteral("{tab}"));
        QVERIFY(!dialog->reactivateZorbic());

        // Escape behaves like the close box.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(closedByBox.count(), 2);
        QCOMPARE(okayed.count(), 0);
        delete dialog.data();
    }
};

QTEST_MAIN(TestZiptoOptions)
#include "tst_frmZiptoOptions.moc"
