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

bool anyKeysOrActivation(const Log &log) {
    for (const std::string &entry : log)
        if (entry.rfind("keys", 0) == 0 || entry.rfind("activate", 0) == 0) return true;
    return false;
}

} // namespace

// The options, the desktop's answer to the activation, and a part of the message shown.
struct SendFailure {
    QString before, after;
    WindowActivation activation;
    QString unsupported, message;
};
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

    // Evaluated first, then typed but not evaluated; what the result is overwritten with; the
    // options; the characters typed between the keys.
    void sendRunsEveryStepInOrder_data() {
        QTest::addColumn<QString>("evaluated");
        QTest::addColumn<QString>("pending");
        QTest::addColumn<QString>("lastResult");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("reactivate");
        QTest::addColumn<QStringList>("typed");
        const QStringList fortyTwo{"{4}", "{2}"};
        QTest::newRow("42") << "6*7"
                            << ""
                            << ""
                            << ""
                            << "" << true << fortyTwo;
        QTest::newRow("keys, no re-activation") << "6*7"
                                                << ""
                                                << ""
                                                << "+{tab}"
                                                << "{tab}" << false << fortyTwo;
        QTest::newRow("keys, re-activation") << "6*7"
                                             << ""
                                             << ""
                                             << "{f2}"
                                             << "~" << true << fortyTwo;
        QTest::newRow("pending after a result") << "1+1"
                                                << "2+2"
                                                << ""
                                                << "{home}"
                                                << "{end}" << true << QStringList{"{4}"};
        QTest::newRow("1.5E+20") << "15*10^19"
                                 << ""
                                 << ""
                                 << ""
                                 << "" << true
                                 << QStringList{"{1}", "{.}", "{5}", "{E}", "{+}", "{2}", "{0}"};
        // Notation characters and line breaks arrive as themselves.
        QTest::newRow("notation") << "1"
                                  << ""
                                  << "+^%(){}~\r\n1"
                                  << ""
                                  << "" << true << QStringList{"{+}", "{^}", "{%}", "{(}", "{)}",
                                                               "{{}", "{}}", "{~}", "~",   "{1}"};
        // On a desktop that types any character, each one whole in its braces, however many
        // bytes its UTF-8 takes.
        QTest::newRow("unicode") << "1"
                                 << ""
                                 << "\u00e9\u20ac\n\U0001F600}"
                                 << ""
                                 << "" << true
                                 << QStringList{"{\u00e9}", "{\u20ac}", "~", "{\U0001F600}", "{}}"};
    }

    void sendRunsEveryStepInOrder() {
        QFETCH(QString, evaluated);
        QFETCH(QString, pending);
        QFETCH(QString, lastResult);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(bool, reactivate);
        QFETCH(QStringList, typed);
        f.platform.characters = QByteArray(QTest::currentDataTag()) == "unicode"
                                    ? KeyCharacters::Unicode
                                    : KeyCharacters::Ascii;
        startFromTarget();
        setOptions(before, after, reactivate);
        if (!evaluated.isEmpty()) f.evaluate(evaluated);
        if (!lastResult.isEmpty()) f.form->strLastResult = lastResult.toStdString();
        f.form->Text1->setFocus();
        QTest::keyClicks(f.form->Text1, pending);
        f.platform.sentKeys.clear();
        send();
        Log expected{"foreground", "activate " + std::to_string(kTarget),
                     "keys " + before.toStdString()};
        for (const QString &c : typed)
            expected.push_back("keys " + c.toStdString());
        expected.push_back("keys " + after.toStdString());
        if (reactivate) expected.push_back("activate " + std::to_string(kZorbic));
        QCOMPARE(f.platform.desktopLog, expected);
        QCOMPARE(f.platform.foreground, reactivate ? kZorbic : kTarget);
        QCOMPARE(f.boxes(), QStringList());
        // A pending expression is evaluated first, by an Enter typed into the box.
        QCOMPARE(f.platform.sentKeys.size(), pending.isEmpty() ? 0U : 1U);
        QCOMPARE(f.form->tables.intHistoryCount, int(!evaluated.isEmpty() + !pending.isEmpty()));
    }

    void historyClickInExpressionModeSendsTheExpression() {
        startFromTarget();
        f.evaluate(QStringLiteral("2+3"));
        f.evaluate(QStringLiteral("7"));
        f.form->mnuExtraCopyExpression->trigger();
        FormFixture::clickLine(f.form->List1, 1); // the older line
        send();
        QCOMPARE(f.platform.desktopLog, (Log{"foreground", "activate 77", "keys ", "keys {2}",
                                             "keys {+}", "keys {3}", "keys ", "activate 5"}));
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
        for (const std::string &entry : f.platform.desktopLog)
            QVERIFY2(entry.rfind("keys", 0) != 0, entry.c_str());
        QCOMPARE(f.platform.clipboard, c.unsupported.isEmpty() ? QString() : QStringLiteral("42"));
        if (row == "nothing evaluated" || row == "no target")
            QVERIFY(!anyKeysOrActivation(f.platform.desktopLog));
        // A pending expression was queued for evaluation before the history was checked.
        FormFixture::flush();
        QCOMPARE(f.form->tables.intHistoryCount, 1);
        // The calculator keeps working.
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

    void trackingFollowsOnlyOtherPrograms() {
        QFETCH(WindowId, front);
        QFETCH(int, pid);
        // The same rule for a polling tick and for the desktop's announcement of a change.
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
        }
    }

    // Where the desktop announces changes, the first tick ends the loading and the timer
    // stops; elsewhere it keeps polling.
    void timerPollsOnlyWithoutAnnouncements() {
        for (const bool announced : {false, true}) {
            f.platform.announcesForeground = announced;
            startFromTarget();
            f.form->bLoading = true;
            f.form->Timer1_Timer();
            QVERIFY(!f.form->bLoading);
            QCOMPARE(f.form->Timer1->isActive(), !announced);
        }
    }

    void tickWhileLoadingEndsTheLoading() {
        startFromTarget();
        QVERIFY(!f.form->bLoading);
        f.form->bLoading = true;
        f.form->setWindowState(Qt::WindowMinimized);
        f.form->Timer1_Timer();
        QVERIFY(!f.form->bLoading);
        QCOMPARE(f.form->windowState(), Qt::WindowNoState);
        // Without loading a tick leaves the window state alone.
        f.form->setWindowState(Qt::WindowMinimized);
        f.form->Timer1_Timer();
        QVERIFY(f.form->windowState() & Qt::WindowMinimized);
    }

    void optionsOpenOnceBesideTheWindowAndModeless() {
        startFromTarget();
        f.form->Command4_MouseDown(1); // left
        f.form->Command4_MouseDown(4); // middle
        QVERIFY(!f.form->ZiptoOptions);
        QTest::mousePress(f.form->Command4, Qt::RightButton);
        QTest::mouseRelease(f.form->Command4, Qt::RightButton);
        frmZiptoOptions *options = f.form->ZiptoOptions;
        QVERIFY(options && options->isVisible() && !options->isModal());
        QCOMPARE(options->pos(), f.form->pos() + QPoint(500 / 15, 500 / 15));
        options->text5->setEditText(QStringLiteral("{f2}"));
        options->close(); // the close box hides it and keeps the values
        f.form->mnuExtraZiptoOptions->trigger();
        QCOMPARE(f.form->ZiptoOptions, options);
        QCOMPARE(options->afterKeys(), QStringLiteral("{f2}"));
        QCOMPARE(f.form->findChildren<frmZiptoOptions *>().size(), 1);
    }

    void stayOnTopIsSuspendedWhileTheOptionsAreOpen() {
        startFromTarget();
        f.form->mnuExtraStayOnTop->trigger();
        frmZiptoOptions *options = setOptions(QString(), QString(), true);
        QVERIFY(f.form->Check2->isChecked()); // "Okay" switched it back on
        // The close box does not switch it back on.
        f.form->mnuExtraZiptoOptions->trigger();
        QVERIFY(!f.form->Check2->isChecked());
        options->close();
        QVERIFY(!f.form->Check2->isChecked());
        // Opened with stay on top off, "Okay" leaves it off (the earlier suspension ends).
        f.form->bOnTopSuspended = false;
        setOptions(QString(), QString(), true);
        QVERIFY(!f.form->Check2->isChecked());
    }
};

QTEST_MAIN(Form1Zipto)
#include "tst_form1_zipto.moc"
