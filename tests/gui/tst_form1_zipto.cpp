#include "FormFixture.h"
#include "zipto/frmZiptoOptions.h"

#include <QComboBox>

using namespace zorbic;
using namespace zorbic::test;

namespace {

using Log = std::vector<std::string>;

// Our window when a send begins, and the other application recorded at start-up.
constexpr WindowId kZorbic = 5;
constexpr WindowId kTarget = 77;

} // namespace

// Evaluated first, then typed but not evaluated; what the result is overwritten with; the
// keys around it; the characters typed between them.
struct Send {
    QString evaluated, pending, lastResult, before, after;
    QStringList typed;
};
// The options, the desktop's answer to the activation, and a part of the message shown.
struct SendFailure {
    QString before, after;
    WindowActivation activation;
    QString unsupported, message;
};
Q_DECLARE_METATYPE(Send)
Q_DECLARE_METATYPE(SendFailure)

class Form1Zipto : public QObject {
    Q_OBJECT
    FormFixture f;

    // Starts with kTarget in front, then puts our own window in front, as after the user
    // clicked into the calculator.
    void startFromTarget() {
        f.platform.foreground = kTarget;
        f.start();
        f.platform.foreground = kZorbic;
        f.platform.ownIds = {kZorbic};
    }

    void send() {
        f.platform.desktopLog.clear();
        QTest::mouseClick(f.form->Command4, Qt::LeftButton);
    }

    frmZiptoOptions *setOptions(const QString &before, const QString &after, bool reactivate) {
        f.form->mnuExtraZiptoOptions->trigger();
        frmZiptoOptions *options = f.form->ZiptoOptions;
        options->text3->setEditText(before);
        options->text5->setEditText(after);
        options->chkReactivateZorbic->setChecked(reactivate);
        QTest::mouseClick(options->Command1, Qt::LeftButton);
        f.activate();
        return options;
    }

private slots:
    void cleanup() { f.reset(); }

    void sendRunsEveryStepInOrder_data() {
        QTest::addColumn<Send>("c");
        // (A plain send, keys after it without coming back and the notation characters are
        // sent end to end on a real desktop.)
        QTest::newRow("keys, re-activation") << Send{"6*7", "", "", "{f2}", "~", {"{4}", "{2}"}};
        QTest::newRow("pending after a result")
            << Send{"1+1", "2+2", "", "{home}", "{end}", {"{4}"}};
        QTest::newRow("1.5E+20") << Send{
            "15*10^19", "", "", "", "", {"{1}", "{.}", "{5}", "{E}", "{+}", "{2}", "{0}"}};
        // On a desktop that types any character, each one whole in its braces, however many
        // bytes its UTF-8 takes.
        const QStringList each{"{\u00e9}", "{\u20ac}", "~", "{\U0001F600}", "{}}"};
        QTest::newRow("unicode") << Send{"1", "", "\u00e9\u20ac\n\U0001F600}", "", "", each};
    }

    void sendRunsEveryStepInOrder() {
        QFETCH(Send, c);
        f.platform.characters = QByteArray(QTest::currentDataTag()) == "unicode"
                                    ? KeyCharacters::Unicode
                                    : KeyCharacters::Ascii;
        startFromTarget();
        setOptions(c.before, c.after, true);
        f.evaluate(c.evaluated);
        if (!c.lastResult.isEmpty()) f.form->strLastResult = c.lastResult.toStdString();
        f.form->Text1->setFocus();
        QTest::keyClicks(f.form->Text1, c.pending);
        f.platform.sentKeys.clear();
        send();
        Log expected{"foreground", "activate 77", "keys " + c.before.toStdString()};
        for (const QString &key : c.typed)
            expected.push_back("keys " + key.toStdString());
        expected.push_back("keys " + c.after.toStdString());
        expected.push_back("activate 5");
        QCOMPARE(f.platform.desktopLog, expected);
        QCOMPARE(f.platform.foreground, kZorbic);
        QCOMPARE(f.boxes(), QStringList());
        // A pending expression is evaluated first, by an Enter typed into the box.
        QCOMPARE(f.platform.sentKeys.size(), c.pending.isEmpty() ? 0U : 1U);
        QCOMPARE(f.form->tables.intHistoryCount, 1 + int(!c.pending.isEmpty()));
    }

    void failuresSendNothing_data() {
        QTest::addColumn<SendFailure>("c");
        const auto ok = WindowActivation::Activated;
        const QString x11 = QStringLiteral("Zipto needs an X11 desktop session");
        QTest::newRow("bad before keys") << SendFailure{"{bogus", "", ok, "", "Before Keystrokes"};
        QTest::newRow("bad after keys") << SendFailure{"", "{nokey}", ok, "", "After Keystrokes"};
        QTest::newRow("target closed")
            << SendFailure{"", "", WindowActivation::WindowGone, "", "has closed"};
        QTest::newRow("activation refused")
            << SendFailure{"", "", WindowActivation::Refused, "", "did not bring"};
        QTest::newRow("activation timed out")
            << SendFailure{"", "", WindowActivation::TimedOut, "", "did not bring"};
        QTest::newRow("unsupported desktop")
            << SendFailure{"", "", ok, x11 + ".",
                           x11 + ". The result is on the clipboard instead: paste it with Ctrl+V."};
        QTest::newRow("nothing evaluated")
            << SendFailure{"", "", ok, "", "No Expressions have been evaluated yet."};
        QTest::newRow("no target") << SendFailure{"", "", ok, "", "No other application"};
    }

    void failuresSendNothing() {
        QFETCH(SendFailure, c);
        const QString row = QString::fromLatin1(QTest::currentDataTag());
        const bool early = row == "nothing evaluated" || row == "no target";
        if (row == "no target") {
            f.start(); // nothing was in front at start-up
            f.platform.foreground = kZorbic;
        } else {
            startFromTarget();
        }
        setOptions(c.before, c.after, true);
        if (row == "nothing evaluated")
            QTest::keyClicks(f.form->Text1, QStringLiteral("6*7"));
        else
            f.evaluate(QStringLiteral("6*7"));
        f.platform.activations[kTarget] = c.activation;
        f.platform.unsupportedReason = c.unsupported;
        send();
        QCOMPARE(f.boxes().size(), 1);
        QVERIFY2(f.boxes()[0].contains(c.message), qPrintable(f.boxes()[0]));
        QVERIFY(f.boxes()[0].endsWith(" [Ok]"));
        // Nothing is typed; where the send stops before the target, it is not even activated.
        for (const std::string &entry : f.platform.desktopLog)
            QVERIFY2(entry.rfind("keys", 0) != 0 && (!early || entry.rfind("activate", 0) != 0),
                     entry.c_str());
        QCOMPARE(f.platform.clipboard, c.unsupported.isEmpty() ? QString() : QStringLiteral("42"));
        // A pending expression was queued for evaluation before the history was checked, and
        // the calculator keeps working.
        FormFixture::flush();
        QCOMPARE(f.form->tables.intHistoryCount, 1);
        f.evaluate(QStringLiteral("2+3"));
        QCOMPARE(f.form->strLastResult, std::string("5"));
    }

    void trackingFollowsOnlyOtherPrograms_data() {
        QTest::addColumn<WindowId>("front");
        QTest::addColumn<int>("pid"); // 0: unreadable, 1: another program's, 2: ours
        QTest::addColumn<WindowId>("expected");
        QTest::newRow("another program") << WindowId(90) << 1 << WindowId(90);
        QTest::newRow("own window by id") << kZorbic << 1 << kTarget;
        QTest::newRow("own window by pid") << WindowId(91) << 2 << kTarget;
        QTest::newRow("pid unreadable") << WindowId(92) << 0 << kTarget;
        QTest::newRow("nothing in front") << WindowId(0) << 1 << kTarget;
        QTest::newRow("unsupported desktop") << WindowId(90) << -1 << kTarget;
    }

    // The same rule for a polling tick and for the desktop's announcement of a change. Where
    // the desktop announces changes, the first tick ends the loading and the timer stops;
    // elsewhere it keeps polling.
    void trackingFollowsOnlyOtherPrograms() {
        QFETCH(WindowId, front);
        QFETCH(int, pid);
        for (const bool announced : {false, true}) {
            f.platform.announcesForeground = announced;
            startFromTarget();
            QCOMPARE(f.form->hwndLastActive, kTarget);
            QVERIFY(f.form->Timer1->isActive());
            f.platform.foreground = front;
            if (pid == 0) f.platform.pids[front] = std::nullopt;
            if (pid == 2) f.platform.pids[front] = QCoreApplication::applicationPid();
            if (pid < 0) f.platform.unsupportedReason = QStringLiteral("no X11");
            announced ? f.platform.foregroundChanged() : f.form->Timer1_Timer();
            QTEST(f.form->hwndLastActive, "expected");
            QCOMPARE(f.boxes(), QStringList());
            f.form->Timer1_Timer();
            QCOMPARE(f.form->Timer1->isActive(), !announced);
        }
    }

    // Only the right button opens the options: once, modeless, beside the window. Stay on top
    // is off while they are open; "Okay" switches it back on, the close box does not.
    void optionsOpenOnceAndSuspendStayOnTop() {
        startFromTarget();
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
        // Opened with stay on top off, "Okay" leaves it off (the earlier suspension ends).
        f.form->bOnTopSuspended = false;
        setOptions(QString(), QString(), true);
        QVERIFY(!f.form->Check2->isChecked());
    }
};

QTEST_MAIN(Form1Zipto)
#include "tst_form1_zipto.moc"
