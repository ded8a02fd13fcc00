#include "FormFixture.h"
#include "zipto/frmZiptoOptions.h"

#include <QComboBox>

#include <string>
#include <vector>

using namespace zorbic;
using namespace zorbic::test;

namespace {

using Log = std::vector<std::string>;

// Our window when a send begins, and the other application recorded at start-up.
constexpr WindowId kZorbic = 5;
constexpr WindowId kTarget = 77;

Log sendLog(const std::string &before, const QStringList &characters, const std::string &after,
            bool reactivate) {
    Log log{"foreground", "activate " + std::to_string(kTarget), "keys " + before};
    for (const QString &c : characters)
        log.push_back("keys " + c.toStdString());
    log.push_back("keys " + after);
    if (reactivate) log.push_back("activate " + std::to_string(kZorbic));
    return log;
}

bool anyKeysOrActivation(const Log &log) {
    for (const std::string &entry : log)
        if (entry.rfind("keys", 0) == 0 || entry.rfind("activate", 0) == 0) return true;
    return false;
}

} // namespace

// What the options hold and what the desktop does, and a part of the message shown.
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

    frmZiptoOptions *openOptions() {
        f.form->mnuExtraZiptoOptions->trigger();
        return f.form->ZiptoOptions;
    }

private slots:
    void cleanup() { f.reset(); }

    void startUpRecordsTheWindowInFrontBeforeShowing() {
        startFromTarget();
        QCOMPARE(f.form->hwndLastActive, kTarget);
        QVERIFY(!f.form->bLoading);
        QVERIFY(f.form->Timer1->isActive());
    }

    void sendTypesEachCharacterBetweenTheKeysAndComesBack_data() {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("lastResult"); // set over the result when not empty
        QTest::addColumn<QStringList>("characters");
        QTest::newRow("42") << "6*7"
                            << "" << QStringList{"{4}", "{2}"};
        QTest::newRow("1.5E+20") << "15*10^19"
                                 << ""
                                 << QStringList{"{1}", "{.}", "{5}", "{E}", "{+}", "{2}", "{0}"};
        // Notation characters and line breaks arrive as themselves.
        QTest::newRow("notation") << "1"
                                  << "+^%(){}~\r\n1"
                                  << QStringList{"{+}", "{^}", "{%}", "{(}", "{)}",
                                                 "{{}", "{}}", "{~}", "~",   "{1}"};
    }

    void sendTypesEachCharacterBetweenTheKeysAndComesBack() {
        QFETCH(QString, expression);
        QFETCH(QString, lastResult);
        QFETCH(QStringList, characters);
        startFromTarget();
        f.evaluate(expression);
        if (!lastResult.isEmpty()) f.form->strLastResult = lastResult.toStdString();
        f.platform.desktopLog.clear();
        f.form->mnuExtraSendLastResult->trigger();
        QCOMPARE(f.platform.desktopLog, sendLog("", characters, "", true));
        QVERIFY(f.platform.shown.isEmpty());
    }

    void historyClickInExpressionModeSendsTheExpression() {
        startFromTarget();
        f.evaluate(QStringLiteral("2+3"));
        f.evaluate(QStringLiteral("7"));
        f.form->mnuExtraCopyExpression->trigger();
        FormFixture::clickLine(f.form->List1, 1); // the older line
        QCOMPARE(f.form->strLastResult, std::string("2+3"));
        send();
        QCOMPARE(f.platform.desktopLog, sendLog("", {"{2}", "{+}", "{3}"}, "", true));
    }

    void nothingEvaluatedYetSendsNothing() {
        startFromTarget();
        f.form->mnuExtraSendLastResult->trigger();
        QCOMPARE(f.platform.texts(), QStringList{"No Expressions have been evaluated yet."});
        QCOMPARE(f.platform.shown[0].title, Form1::appTitle());
        QCOMPARE(f.platform.shown[0].buttons, MsgButtons::Ok);
        QVERIFY(!anyKeysOrActivation(f.platform.desktopLog));
    }

    void pendingExpressionIsEvaluatedBeforeTheSend() {
        startFromTarget();
        f.evaluate(QStringLiteral("1+1"));
        QTest::keyClicks(f.form->Text1, QStringLiteral("2+2"));
        QVERIFY(!f.form->bFreshResult);
        send();
        QCOMPARE(f.form->tables.intHistoryCount, Integer(2));
        QCOMPARE(f.form->strLastResult, std::string("4"));
        QCOMPARE(f.platform.sentKeys.size(), std::size_t(1));
        QCOMPARE(f.platform.sentKeys[0].notation, std::string("~"));
        QVERIFY(!f.platform.sentKeys[0].wait);
        QCOMPARE(f.platform.desktopLog, sendLog("", {"{4}"}, "", true));
    }

    void optionsKeysAndReactivateOff() {
        startFromTarget();
        f.evaluate(QStringLiteral("6*7"));
        frmZiptoOptions *options = openOptions();
        QVERIFY(options);
        options->text3->setEditText(QStringLiteral("+{tab}"));
        options->text5->setEditText(QStringLiteral("{tab}"));
        options->chkReactivateZorbic->setChecked(false);
        QTest::mouseClick(options->Command1, Qt::LeftButton);
        QVERIFY(!options->isVisible());
        f.activate();
        send();
        QCOMPARE(f.platform.desktopLog, sendLog("+{tab}", {"{4}", "{2}"}, "{tab}", false));
        QCOMPARE(f.platform.foreground, kTarget);
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
        QTest::newRow("wayland") << SendFailure{"", "", ok, x11, x11};
    }

    void failuresSendNothing() {
        QFETCH(SendFailure, c);
        startFromTarget();
        f.evaluate(QStringLiteral("6*7"));
        frmZiptoOptions *options = openOptions();
        options->text3->setEditText(c.before);
        options->text5->setEditText(c.after);
        options->hide();
        f.activate();
        f.platform.activations[kTarget] = c.activation;
        f.platform.unsupportedReason = c.unsupported;
        send();
        QCOMPARE(f.platform.shown.size(), 1);
        QVERIFY2(f.platform.shown[0].text.contains(c.message),
                 qPrintable(f.platform.shown[0].text));
        QCOMPARE(f.platform.shown[0].title, Form1::appTitle());
        for (const std::string &entry : f.platform.desktopLog)
            QVERIFY2(entry.rfind("keys", 0) != 0, entry.c_str());
        // The calculator keeps working.
        f.evaluate(QStringLiteral("2+3"));
        QCOMPARE(f.form->strLastResult, std::string("5"));
    }

    void noTargetYetSendsNothing() {
        f.start(); // nothing was in front at start-up
        f.platform.foreground = kZorbic;
        f.evaluate(QStringLiteral("6*7"));
        send();
        QCOMPARE(f.platform.shown.size(), 1);
        QVERIFY(f.platform.shown[0].text.contains("No other application"));
        QVERIFY(!anyKeysOrActivation(f.platform.desktopLog));
    }

    void trackingFollowsOnlyOtherPrograms_data() {
        QTest::addColumn<WindowId>("front");
        QTest::addColumn<bool>("pidKnown");
        QTest::addColumn<bool>("ownPid");
        QTest::addColumn<WindowId>("expected");

        QTest::newRow("another program") << WindowId(90) << true << false << WindowId(90);
        QTest::newRow("own window by id") << kZorbic << true << false << kTarget;
        QTest::newRow("own window by pid") << WindowId(91) << true << true << kTarget;
        QTest::newRow("pid unreadable") << WindowId(92) << false << false << kTarget;
        QTest::newRow("nothing in front") << WindowId(0) << true << false << kTarget;
        QTest::newRow("same as the target") << kTarget << true << false << kTarget;
    }

    void trackingFollowsOnlyOtherPrograms() {
        QFETCH(WindowId, front);
        QFETCH(bool, pidKnown);
        QFETCH(bool, ownPid);
        QFETCH(WindowId, expected);
        // The same rule for a polling tick and for the desktop's announcement of a change.
        for (const bool announced : {false, true}) {
            f.platform.announcesForeground = announced;
            startFromTarget();
            f.platform.foreground = front;
            if (!pidKnown)
                f.platform.pids[front] = std::nullopt;
            else if (ownPid)
                f.platform.pids[front] = QCoreApplication::applicationPid();
            announced ? f.platform.foregroundChanged() : f.form->Timer1_Timer();
            QCOMPARE(f.form->hwndLastActive, expected);
        }
    }

    // Where the desktop announces changes, the first tick ends the loading and the timer
    // stops; elsewhere it keeps polling.
    void timerPollsOnlyWithoutAnnouncements() {
        for (const bool announced : {false, true}) {
            f.platform.announcesForeground = announced;
            startFromTarget();
            QVERIFY(f.form->Timer1->isActive());
            f.form->bLoading = true;
            f.form->Timer1_Timer();
            QVERIFY(!f.form->bLoading);
            QCOMPARE(f.form->Timer1->isActive(), !announced);
        }
    }

    void trackingIsSilentWhenUnsupported() {
        startFromTarget();
        f.platform.unsupportedReason = QStringLiteral("no X11");
        f.platform.foreground = 90;
        f.platform.desktopLog.clear();
        f.form->Timer1_Timer();
        QCOMPARE(f.form->hwndLastActive, kTarget);
        QVERIFY(f.platform.desktopLog.empty());
        QVERIFY(f.platform.shown.isEmpty());
    }

    void tickWhileLoadingEndsTheLoading() {
        startFromTarget();
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
        QVERIFY(options);
        QVERIFY(options->isVisible());
        QVERIFY(!options->isModal());
        QCOMPARE(options->pos(), f.form->pos() + QPoint(500 / 15, 500 / 15));
        QVERIFY(!anyKeysOrActivation(f.platform.desktopLog));

        options->text5->setEditText(QStringLiteral("{f2}"));
        options->close(); // the close box hides it and keeps the values
        QVERIFY(!options->isVisible());
        QCOMPARE(openOptions(), options);
        QCOMPARE(options->afterKeys(), QStringLiteral("{f2}"));
        QCOMPARE(f.form->findChildren<frmZiptoOptions *>().size(), 1);
    }

    void stayOnTopIsSuspendedWhileTheOptionsAreOpen() {
        startFromTarget();
        f.form->mnuExtraStayOnTop->trigger();
        QVERIFY(f.form->Check2->isChecked());
        frmZiptoOptions *options = openOptions();
        QVERIFY(!f.form->Check2->isChecked());
        QVERIFY(f.form->bOnTopSuspended);
        QTest::mouseClick(options->Command1, Qt::LeftButton);
        QVERIFY(f.form->Check2->isChecked());
        QVERIFY(!f.form->bOnTopSuspended);

        // The close box does not switch it back on.
        openOptions();
        QVERIFY(!f.form->Check2->isChecked());
        options->close();
        QVERIFY(!f.form->Check2->isChecked());
        QVERIFY(f.form->bOnTopSuspended);

        // Opened with stay on top off, "Okay" leaves it off (the earlier suspension ends).
        f.form->bOnTopSuspended = false;
        openOptions();
        QTest::mouseClick(options->Command1, Qt::LeftButton);
        QVERIFY(!f.form->Check2->isChecked());
    }
};

QTEST_MAIN(Form1Zipto)
#include "tst_form1_zipto.moc"
