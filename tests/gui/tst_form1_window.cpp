#include "FormFixture.h"
#include "entry/frmFixedMode.h"
#include "platform/Twips.h"
#include "shell/ControlTable.h"
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

void confirm(frmFixedMode *dialog, const QString &text) {
    dialog->txtFixedNumber->setText(text);
    QTest::keyClick(dialog->txtFixedNumber, Qt::Key_Return);
}

} // namespace

// The window itself: layout, focus, highlight, stay on top, minimizing, the result modes, help.
class Form1Window : public QObject {
    Q_OBJECT
    FormFixture f;

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

    QString seen(const QString &what) const {
        const Form1 &w = *f.form;
        if (what == "layout") {
            const QSize size = w.centralWidget()->size();
            QStringList all{size.width() == TwipsToPixels(kWideWidth) ? "wide" : "narrow",
                            size.height() == TwipsToPixels(kTallHeight) ? "tall" : "short"};
            for (const QPushButton *button : {w.Command2, w.cmdMoreLess, w.Command3})
                for (int i = 0; i < int(w.picMore.size()); ++i)
                    if (sameImage(button->icon(), w.picMore[std::size_t(i)]))
                        all << QString::number(i);
            return all.join(u',');
        }
        if (what.startsWith("checked:"))
            return QString::number(
                w.findChild<QObject *>(what.mid(8))->property("checked").toBool());
        if (what.startsWith("saved:"))
            return QString::number(
                f.readDataFile().contains("\r\n" + what.mid(6).toUtf8() + "\r\n"));
        QStringList onTop, shaded, windows;
        for (const QPushButton *button : w.findChildren<QPushButton *>())
            if (button->property("BackColor").toUInt() == 0x80000010)
                shaded << button->objectName() + (button->palette().color(QPalette::Button) ==
                                                          button->palette().color(QPalette::Dark)
                                                      ? ""
                                                      : " drawn unshaded");
        for (const QWidget *window : QApplication::topLevelWidgets())
            if (window->isVisible())
                windows << QString(window->metaObject()->className()).remove("zorbic::");
        windows.sort();
        for (const auto &call : f.platform.stayOnTopCalls)
            onTop << (call.window == &w ? QString::number(call.on) : "another window");
        const QWidget *focus = QApplication::focusWidget();
        const QMap<QString, QString> values{{"storage", QString::number(w.List2->isVisible())},
                                            {"min", QString::number(w.isMinimized())},
                                            {"focus", focus ? focus->objectName() : QString()},
                                            {"ontop", onTop.join(u',')},
                                            {"box", w.Text1->text()},
                                            {"label6", w.Label6->text()},
                                            {"trig", w.lblDegRad->text()},
                                            {"shaded", shaded.join(u',')},
                                            {"tip", w.Text1->toolTip()},
                                            {"windows", windows.join(u',')},
                                            {"result", QString::fromStdString(w.strLastResult)}};
        return values.value(what, "unknown: " + what);
    }

private slots:
    void init() { f.start(); }
    void cleanup() { f.reset(); }

    void steps_data() { FormFixture::caseRows(QStringLiteral("window.tsv"), 2); }

    void steps() {
        QFETCH(QStringList, c);
        const QPoint topLeft = f.form->pos();
        f.act(c[0]);
        for (const QString &item : c[1].split(u' ')) {
            const QString what = item.section(u'=', 0, 0);
            const QString actual =
                what == "moved" ? QString::number(f.form->pos() != topLeft) : seen(what);
            QVERIFY2(actual == item.section(u'=', 1), qPrintable(what + ": " + actual));
        }
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

    void aboutIsModal() {
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
};

QTEST_MAIN(Form1Window)
#include "tst_form1_window.moc"
