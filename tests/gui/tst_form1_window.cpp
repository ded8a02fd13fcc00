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

    QString offered; // what the Fixed dialog last showed selected

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
        const bool fixed = w.intResultMode == 1;
        const QString mode = QString(fixed ? "Fixed" : "Normal") +
                             (w.MnuExtraREsultFixed->isChecked() == fixed &&
                                      w.MnuExtraREsultNormal->isChecked() != fixed
                                  ? ""
                                  : " with the other menu item checked");
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
                                            {"history", FormFixture::lines(w.List1).join(u'|')},
                                            {"stored", FormFixture::lines(w.List2).join(u'|')},
                                            {"asked", f.boxes().join(u'|')},
                                            {"offered", offered},
                                            {"decimals", QString::number(w.intDecimals)},
                                            {"mode", mode},
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
        for (const QString &step : c[0].split(u' ')) {
            if (!step.startsWith("fixed:")) {
                f.act(step);
                continue;
            }
            chooseFixed([&](frmFixedMode *dialog) {
                offered = dialog->txtFixedNumber->selectedText();
                for (const QString &typed : step.mid(6).split(u',')) {
                    QVERIFY(dialog->isVisible() && f.form->bWaitFixed);
                    if (typed == "close")
                        dialog->close();
                    else if (typed == "esc")
                        QTest::keyClick(dialog, Qt::Key_Escape);
                    else
                        confirm(dialog, typed);
                }
            });
        }
        for (const QString &item : c[1].split(u';')) {
            const QString what = item.section(u'=', 0, 0);
            const QString actual =
                what == "moved" ? QString::number(f.form->pos() != topLeft) : seen(what);
            QVERIFY2(actual == item.section(u'=', 1), qPrintable(what + ": " + actual));
        }
    }

    // While the dialog is open stay on top waits and the window stays usable, with one dialog.
    void fixedDialogWaitsWithoutBlocking() {
        f.form->mnuExtraStayOnTop->trigger();
        chooseFixed([&](frmFixedMode *dialog) {
            QVERIFY(!f.form->Check2->isChecked());
            f.activate();
            f.evaluate(QStringLiteral("1/4"));
            f.form->MnuExtraREsultFixed->trigger();
            QCOMPARE(f.form->findChildren<frmFixedMode *>().size(), 1);
            confirm(dialog, QStringLiteral("3"));
        });
        QVERIFY(f.form->Check2->isChecked());
        QCOMPARE(f.form->tables.strHistory[1].resultText, std::string(".250"));
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
