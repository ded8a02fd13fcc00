#include "platform/QtPlatform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <stdexcept>

using namespace zorbic;

Q_DECLARE_METATYPE(MsgIcon)
Q_DECLARE_METATYPE(MsgButtons)
Q_DECLARE_METATYPE(MsgResult)

// The real platform offscreen: its message boxes are real QMessageBoxes, and without an X11
// display Zipto explains itself and nothing reaches a desktop.
class QtPlatformTest : public QObject {
    Q_OBJECT

    // What the box showed, read from inside its event loop before `click` was pressed.
    struct Seen {
        bool shown = false;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString text, title;
        QMessageBox::StandardButtons buttons;
    };

    // Watches for the modal box, reads it and clicks `click` (or, without that button, closes
    // it). A box that never appears ends the watch after five seconds, so nothing hangs.
    static void answerNextBox(Seen *seen, QMessageBox::StandardButton click) {
        auto *timer = new QTimer(qApp);
        QObject::connect(timer, &QTimer::timeout, timer, [=, tries = 250]() mutable {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box && --tries > 0) return;
            timer->stop();
            timer->deleteLater();
            if (!box) return;
            *seen = {true, box->icon(), box->text(), box->windowTitle(), box->standardButtons()};
            if (QAbstractButton *button = box->button(click))
                button->click();
            else
                box->done(-1);
        });
        timer->start(20);
    }

private slots:
    void displayPlatformFollowsTheSession_data() {
        QTest::addColumn<bool>("userChose");
        QTest::addColumn<bool>("display");
        QTest::addColumn<bool>("wayland");
        QTest::addColumn<QByteArray>("chosen");
        QTest::newRow("x11") << false << true << false << QByteArray("xcb");
        QTest::newRow("wayland with xwayland") << false << true << true << QByteArray("xcb");
        QTest::newRow("wayland only") << false << false << true << QByteArray("wayland");
        QTest::newRow("user's choice") << true << false << true << QByteArray();
        QTest::newRow("no display") << false << false << false << QByteArray();
    }
    void displayPlatformFollowsTheSession() {
        QFETCH(bool, userChose);
        QFETCH(bool, display);
        QFETCH(bool, wayland);
        QFETCH(QByteArray, chosen);
        QCOMPARE(QtPlatform::displayPlatformFor(userChose, display, wayland), chosen);
    }

    void msgBoxShowsAndAnswers_data() {
        QTest::addColumn<MsgIcon>("icon");
        QTest::addColumn<MsgButtons>("buttons");
        QTest::addColumn<QMessageBox::StandardButton>("click");
        QTest::addColumn<QMessageBox::Icon>("shownIcon");
        QTest::addColumn<MsgResult>("answer");
        const auto ok = QMessageBox::Ok, yes = QMessageBox::Yes, no = QMessageBox::No;
        QTest::newRow("none, ok") << MsgIcon::None << MsgButtons::Ok << ok << QMessageBox::NoIcon
                                  << MsgResult::Ok;
        QTest::newRow("critical, ok")
            << MsgIcon::Critical << MsgButtons::Ok << ok << QMessageBox::Critical << MsgResult::Ok;
        QTest::newRow("exclamation, ok") << MsgIcon::Exclamation << MsgButtons::Ok << ok
                                         << QMessageBox::Warning << MsgResult::Ok;
        QTest::newRow("information, ok") << MsgIcon::Information << MsgButtons::Ok << ok
                                         << QMessageBox::Information << MsgResult::Ok;
        QTest::newRow("question, yes") << MsgIcon::Question << MsgButtons::YesNo << yes
                                       << QMessageBox::Question << MsgResult::Yes;
        QTest::newRow("question, no") << MsgIcon::Question << MsgButtons::YesNo << no
                                      << QMessageBox::Question << MsgResult::No;
        QTest::newRow("none, no") << MsgIcon::None << MsgButtons::YesNo << no << QMessageBox::NoIcon
                                  << MsgResult::No;
        QTest::newRow("exclamation, yes") << MsgIcon::Exclamation << MsgButtons::YesNo << yes
                                          << QMessageBox::Warning << MsgResult::Yes;
    }

    void msgBoxShowsAndAnswers() {
        QFETCH(MsgIcon, icon);
        QFETCH(MsgButtons, buttons);
        QFETCH(QMessageBox::StandardButton, click);
        QtPlatform platform;
        Seen seen;
        answerNextBox(&seen, click);
        // The program breaks lines with CR LF or a lone CR; the box shows line feeds.
        const MsgResult answer =
            platform.msgBox(QStringLiteral("Clear?\r\n\r\nSure\rNow"), buttons, icon, "Title");
        QVERIFY2(seen.shown, "no modal message box appeared");
        QTEST(seen.icon, "shownIcon");
        QCOMPARE(seen.text, QStringLiteral("Clear?\n\nSure\nNow"));
        QCOMPARE(seen.title, QStringLiteral("Title"));
        QCOMPARE(seen.buttons, buttons == MsgButtons::Ok
                                   ? QMessageBox::StandardButtons(QMessageBox::Ok)
                                   : QMessageBox::Yes | QMessageBox::No);
        QTEST(answer, "answer");
    }

    void offscreenIsUnsupportedWithAReason() {
        QtPlatform platform;
        const QString reason = platform.desktopUnsupportedReason();
        QVERIFY(reason.startsWith(QStringLiteral("Zipto needs an X11 desktop session")));
        QVERIFY2(reason.contains(QStringLiteral("offscreen")), qPrintable(reason));
        QCOMPARE(platform.foregroundWindow(), WindowId(0));
        QVERIFY(!platform.windowPid(42).has_value());
        QCOMPARE(platform.activateWindow(42), WindowActivation::Refused);
        // Keys are checked before anything else; nothing to send always succeeds.
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, platform.sendKeysToForeground("{tab"));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, platform.sendKeysToForeground("{tab}"));
        platform.sendKeysToForeground("");
    }

    void ownWindowsAndStayOnTop() {
        QtPlatform platform;
        QWidget shown, neverShown; // one without a native window is no window of the desktop
        shown.setGeometry(40, 50, 200, 100);
        shown.show();
        QVERIFY(QTest::qWaitForWindowExposed(&shown));
        const auto ids = platform.ownWindowIds();
        QCOMPARE(ids, std::vector<WindowId>{shown.windowHandle()->winId()});
        // Stay on top changes the hint of the same native window, which keeps its place.
        QWindow *window = shown.windowHandle();
        platform.setStayOnTop(&shown, true);
        QVERIFY(window->flags().testFlag(Qt::WindowStaysOnTopHint));
        platform.setStayOnTop(&shown, false);
        QVERIFY(!window->flags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(shown.windowHandle(), window);
        QCOMPARE(window->winId(), ids.front());
        QVERIFY(shown.isVisible());
        QCOMPARE(shown.geometry(), QRect(40, 50, 200, 100));
    }
};

QTEST_MAIN(QtPlatformTest)
#include "tst_qtplatform.moc"
