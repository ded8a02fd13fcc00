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

// The real platform offscreen: its message boxes are real QMessageBoxes, and without an X11
// display Zipto explains itself and nothing reaches a desktop.
class QtPlatformTest : public QObject {
    Q_OBJECT

private slots:
    // A display served by X11 wins over Wayland (Zipto needs X11); the user's choice wins.
    void displayPlatformFollowsTheSession() {
        QCOMPARE(QtPlatform::displayPlatformFor(false, true, false), QByteArray("xcb"));
        QCOMPARE(QtPlatform::displayPlatformFor(false, true, true), QByteArray("xcb"));
        QCOMPARE(QtPlatform::displayPlatformFor(false, false, true), QByteArray("wayland"));
        QCOMPARE(QtPlatform::displayPlatformFor(true, false, true), QByteArray());
        QCOMPARE(QtPlatform::displayPlatformFor(false, false, false), QByteArray());
    }

    // Each icon as the box shows it, and the button clicked as the answer. The program breaks
    // lines with CR LF or a lone CR; the box shows line feeds.
    void msgBoxShowsAndAnswers() {
        using B = QMessageBox;
        const struct {
            MsgIcon icon;
            MsgButtons buttons;
            B::StandardButton click;
            B::Icon shown;
            MsgResult answer;
        } rows[] = {{MsgIcon::None, MsgButtons::Ok, B::Ok, B::NoIcon, MsgResult::Ok},
                    {MsgIcon::Critical, MsgButtons::Ok, B::Ok, B::Critical, MsgResult::Ok},
                    {MsgIcon::Exclamation, MsgButtons::YesNo, B::Yes, B::Warning, MsgResult::Yes},
                    {MsgIcon::Information, MsgButtons::Ok, B::Ok, B::Information, MsgResult::Ok},
                    {MsgIcon::Question, MsgButtons::YesNo, B::No, B::Question, MsgResult::No}};
        for (const auto &row : rows) {
            // Reads the modal box from inside its event loop and clicks; gives up after 5 s.
            QString seen;
            auto *timer = new QTimer(qApp);
            connect(timer, &QTimer::timeout, timer, [=, &seen, tries = 250]() mutable {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                if (!box && --tries > 0) return;
                timer->stop();
                timer->deleteLater();
                if (!box) return;
                seen = QStringLiteral("%1 %2 %3 %4")
                           .arg(box->icon())
                           .arg(box->text(), box->windowTitle())
                           .arg(box->standardButtons());
                if (QAbstractButton *button = box->button(row.click))
                    button->click();
                else
                    box->done(-1);
            });
            timer->start(20);
            const MsgResult answer = QtPlatform().msgBox(QStringLiteral("Clear?\r\n\r\nSure\rNow"),
                                                         row.buttons, row.icon, "Title");
            const int buttons = row.buttons == MsgButtons::Ok ? B::Ok : B::Yes | B::No;
            QCOMPARE(seen,
                     QStringLiteral("%1 Clear?\n\nSure\nNow Title %2").arg(row.shown).arg(buttons));
            QCOMPARE(answer, row.answer);
        }
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
