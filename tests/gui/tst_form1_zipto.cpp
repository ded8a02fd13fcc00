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
        f.platform.foreground = desktop == "no target" ? 0 : kTarget;
        f.start();
        f.platform.foreground = kZorbic;
        f.platform.ownIds = {kZorbic};
        setOptions(c[1], c[2], true);
        f.act(c[0]);
        f.activate(); // the options dialog may have taken the front meanwhile
        if (!c[4].isEmpty()) f.form->strLastResult = c[4].replace("\\n", "\n").toStdString();
        f.platform.activations[kTarget] = activations.value(desktop, WindowActivation::Activated);
        if (desktop == "no x11")
            f.platform.unsupportedReason = "Zipto needs an X11 desktop session.";
        send();
        if (!c[5].startsWith("message:")) {
            Log expected{"foreground", "activate 77", "keys " + c[1].toStdString()};
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
    }
};

QTEST_MAIN(Form1Zipto)
#include "tst_form1_zipto.moc"
