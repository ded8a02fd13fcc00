#include "FormFixture.h"
#include "entry/frmFixedMode.h"
#include "platform/Twips.h"
#include "shell/CaretRest.h"
#include "shell/ControlTable.h"
#include "zipto/frmZiptoOptions.h"

#include <QClipboard>
#include <QComboBox>
#include <QStyleHints>
#include <functional>

using namespace zorbic;
using namespace zorbic::test;

namespace {

// "12+[34]" or "1|2": the text, and the selection or the caret (at the end when neither).
void setMarked(TextBox *box, QString marked) {
    const qsizetype open = marked.indexOf(u'['), caret = marked.indexOf(u'|');
    if (open >= 0) {
        const qsizetype close = marked.indexOf(u']');
        box->setText(marked.remove(close, 1).remove(open, 1));
        box->setSelection(int(open), int(close - open - 1));
    } else {
        box->setText(marked.remove(u'|'));
        box->setCursorPosition(caret >= 0 ? int(caret) : int(marked.size()));
    }
}

QString marked(const TextBox *box) {
    QString text = box->text();
    if (!box->hasSelectedText()) return text.insert(box->cursorPosition(), u'|');
    const int start = box->selectionStart();
    return text.insert(start + int(box->selectedText().size()), u']').insert(start, u'[');
}

// Our window when a send begins, and the other application recorded at start-up.
constexpr WindowId kZorbic = 5;
constexpr WindowId kTarget = 77;

} // namespace

// The main window on the recording platform: the expression box, the window's own controls
// and Zipto on a fake desktop.
class Form1Test : public QObject {
    Q_OBJECT
    FormFixture f;

    TextBox *box() const { return f.form->Text1; }

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
            const bool open = dialog->isVisible();
            if (open) dialog->reject(); // left open, the command would wait for ever
            QVERIFY2(!open, "the dialog is still open");
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
                    if (const QPixmap picture = w.picMore[std::size_t(i)]->pixmap();
                        button->icon().pixmap(picture.deviceIndependentSize().toSize()).toImage() ==
                        picture.toImage())
                        all << QString::number(i);
            return all.join(u',');
        }
        if (const QObject *control = w.findChild<QObject *>(what.section(u':', 1));
            control && what.startsWith("checked:"))
            return QString::number(control->property("checked").toBool());
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
                                            {"zipto", w.Command4->toolTip()},
                                            {"windows", windows.join(u',')},
                                            {"history", FormFixture::lines(w.List1).join(u'|')},
                                            {"stored", FormFixture::lines(w.List2).join(u'|')},
                                            {"asked", f.boxes().join(u'|')},
                                            {"offered", offered},
                                            {"decimals", QString::number(w.intDecimals)},
                                            {"mode", w.intResultMode == 1 ? "Fixed" : "Normal"},
                                            {"marked", marked(w.Text1)},
                                            {"fresh", QString::number(w.bFreshResult)},
                                            {"result", QString::fromStdString(w.strLastResult)}};
        return values.value(what, "unknown: " + what);
    }

    // Starts with `front` in front, then puts our own window in front, as after the user
    // clicked into the calculator.
    void startFromTarget(WindowId front = kTarget) {
        f.platform.foreground = front;
        f.start();
        f.platform.foreground = kZorbic;
        f.platform.ownIds = {kZorbic};
    }

private slots:
    void init() { f.start(); }
    void cleanup() { f.reset(); }

    // An untouched window wakes nothing: the caret rests from start-up and after a pause.
    void caretBlinksOnlyWhileTheUserIsAtWork() {
        QStyleHints *hints = QGuiApplication::styleHints();
        QCOMPARE(hints->cursorFlashTime(), 0);
        f.form->caretRest->setRestMs(50);
        QTest::keyClick(box(), Qt::Key_1);
        QVERIFY(hints->cursorFlashTime() > 0);
        QTRY_COMPARE(hints->cursorFlashTime(), 0);
    }

    void tabNeverStopsOnAButton() {
        QSet<QWidget *> visited;
        for (int i = 0; i < 20; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *focus = QApplication::focusWidget();
            QVERIFY(focus && focus != f.form->Text4);
            QVERIFY2(!qobject_cast<QPushButton *>(focus), qPrintable(focus->objectName()));
            visited.insert(focus);
        }
        QVERIFY(visited.contains(box()) && visited.contains(f.form->Option1[0]));
    }

    void lineBreaksNeverEnterTheBox() {
        box()->setText(QStringLiteral("1\r\n+1"));
        QCOMPARE(box()->text(), QStringLiteral("1+1"));
        QGuiApplication::clipboard()->setText(QStringLiteral("2\r\n*3\n"));
        box()->selectAll();
        box()->paste();
        QCOMPARE(box()->text(), QStringLiteral("2*3"));
    }

    void steps_data() { FormFixture::caseRows(QStringLiteral("window.tsv"), 3); }

    // One row of window.tsv: see its head.
    void steps() {
        QFETCH(QStringList, c);
        const QPoint topLeft = f.form->pos();
        if (!c[0].isEmpty()) {
            box()->setFocus();
            setMarked(box(), c[0]);
        }
        for (const QString &step : c[1].split(u' ')) {
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
                    else {
                        dialog->txtFixedNumber->setText(typed);
                        QTest::keyClick(dialog->txtFixedNumber, Qt::Key_Return);
                    }
                }
            });
        }
        if (!c[2].contains("asked="))
            for (const QString &shown : f.boxes())
                QVERIFY2(shown.endsWith("[YesNo]"), qPrintable(shown));
        for (const QString &item : c[2].split(u';')) {
            const QString what = item.section(u'=', 0, 0);
            const QString actual =
                what == "moved" ? QString::number(f.form->pos() != topLeft) : seen(what);
            const QString expected =
                item.section(u'=', 1).replace("\\r", "\r").replace("\\n", "\n");
            QVERIFY2(actual == expected, qPrintable(what + ": " + actual));
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
            dialog->txtFixedNumber->setText(QStringLiteral("3"));
            QTest::keyClick(dialog->txtFixedNumber, Qt::Key_Return);
        });
        QVERIFY(f.form->Check2->isChecked());
        QCOMPARE(f.form->tables.strHistory[1].resultText, std::string(".250"));
    }

    void sendOrRefuse_data() { FormFixture::caseRows(QStringLiteral("zipto.tsv"), 6); }

    // One row of zipto.tsv: see its head.
    void sendOrRefuse() {
        QFETCH(QStringList, c);
        const QString &desktop = c[3];
        static const QMap<QString, WindowActivation> activations{
            {"gone", WindowActivation::WindowGone},
            {"refused", WindowActivation::Refused},
            {"timeout", WindowActivation::TimedOut}};
        f.platform.characters =
            desktop == "unicode" ? KeyCharacters::Unicode : KeyCharacters::Ascii;
        startFromTarget(desktop == "no target" ? 0 : kTarget);
        f.form->mnuExtraZiptoOptions->trigger(); // Before and After Keystrokes, coming back on
        frmZiptoOptions *options = f.form->ZiptoOptions;
        options->text3->setEditText(c[1]);
        options->text5->setEditText(c[2]);
        options->chkReactivateZorbic->setChecked(true);
        QTest::mouseClick(options->Command1, Qt::LeftButton);
        f.act(c[0]);
        f.activate(); // the options dialog may have taken the front meanwhile
        if (!c[4].isEmpty()) f.form->strLastResult = c[4].replace("\\n", "\n").toStdString();
        f.platform.activations[kTarget] = activations.value(desktop, WindowActivation::Activated);
        if (desktop == "no x11")
            f.platform.unsupportedReason = "Zipto needs an X11 desktop session.";
        f.platform.desktopLog.clear();
        QTest::mouseClick(f.form->Command4, Qt::LeftButton);
        if (!c[5].startsWith("message:")) {
            std::vector<std::string> expected{"foreground", "activate 77",
                                              "keys " + c[1].toStdString()};
            for (const QString &key : c[5].split(u' '))
                expected.push_back("keys " + key.toStdString());
            expected.push_back("keys " + c[2].toStdString());
            expected.push_back("activate 5");
            QCOMPARE(f.platform.desktopLog, expected);
            QCOMPARE(f.platform.foreground, kZorbic);
            QCOMPARE(f.boxes(), QStringList());
            return;
        }
        QCOMPARE(f.boxes().size(), 1);
        QVERIFY2(f.boxes()[0].contains(c[5].mid(8)) && f.boxes()[0].endsWith(" [Ok]"),
                 qPrintable(f.boxes()[0]));
        // Nothing is typed; where the send stops before the target, it is not even activated.
        const bool early = desktop == "no target" || !c[0].startsWith("eval:");
        for (const std::string &entry : f.platform.desktopLog)
            QVERIFY2(entry.rfind("keys", 0) != 0 && (!early || entry.rfind("activate", 0) != 0),
                     entry.c_str());
        QCOMPARE(f.platform.clipboard, desktop == "no x11" ? QStringLiteral("42") : QString());
        // A pending expression was queued for evaluation before the history was checked.
        FormFixture::flush();
        QCOMPARE(f.form->tables.intHistoryCount, 1);
    }

    // The window in front at a tick, whose program it is, and the target after the tick.
    void trackingFollowsOnlyOtherPrograms_data() {
        FormFixture::caseRows(QStringLiteral("tracking.tsv"), 3);
    }

    // The same rule for a polling tick and for the desktop's announcement of a change. Where
    // the desktop announces changes, the first tick ends the loading and the timer stops;
    // elsewhere it keeps polling.
    void trackingFollowsOnlyOtherPrograms() {
        QFETCH(QStringList, c);
        const WindowId front = c[0].toULongLong();
        for (const bool announced : {false, true}) {
            f.platform.announcesForeground = announced;
            startFromTarget();
            QCOMPARE(f.form->hwndLastActive, kTarget);
            QVERIFY(f.form->Timer1->isActive());
            f.platform.foreground = front;
            if (c[1] == "unreadable") f.platform.pids[front] = std::nullopt;
            if (c[1] == "ours") f.platform.pids[front] = QCoreApplication::applicationPid();
            if (c[1] == "no x11") f.platform.unsupportedReason = QStringLiteral("no X11");
            announced ? f.platform.foregroundChanged() : f.form->Timer1_Timer();
            QCOMPARE(f.form->hwndLastActive, c[2].toULongLong());
            QCOMPARE(f.boxes(), QStringList());
            f.form->Timer1_Timer();
            QCOMPARE(f.form->Timer1->isActive(), !announced);
        }
    }

    // Only the right button opens the options: once, modeless, beside the window. Stay on top
    // is off while they are open; "Okay" switches it back on, the close box does not.
    void optionsOpenOnceAndSuspendStayOnTop() {
        f.form->mnuExtraStayOnTop->trigger();
        f.form->Command4_MouseDown(1); // left
        f.form->Command4_MouseDown(4); // middle
        QVERIFY(!f.form->ZiptoOptions && f.form->Check2->isChecked());
        QTest::mousePress(f.form->Command4, Qt::RightButton);
        frmZiptoOptions *options = f.form->ZiptoOptions;
        QVERIFY(options && options->isVisible() && !options->isModal());
        QCOMPARE(options->pos(), f.form->pos() + QPoint(500 / 15, 500 / 15));
        QVERIFY(!f.form->Check2->isChecked());
        QTest::mouseClick(options->Command1, Qt::LeftButton);
        QVERIFY(f.form->Check2->isChecked());
        f.form->mnuExtraZiptoOptions->trigger();
        options->close();
        QVERIFY(!f.form->Check2->isChecked());
        QCOMPARE(f.form->findChildren<frmZiptoOptions *>(), QList<frmZiptoOptions *>{options});
    }
};

QTEST_MAIN(Form1Test)
#include "tst_form1.moc"
