#include "platform/QtPlatform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <stdexcept>

using namespace zorbic;

// The real platform offscreen: real message boxes, and Zipto without an X11 display.
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

    // Offscreen Zipto explains itself and reaches no desktop; keys are checked before anything
    // else, and nothing to send always succeeds.
    void offscreenIsUnsupportedWithAReason() {
        QtPlatform platform;
        const QString reason = platform.desktopUnsupportedReason();
        QVERIFY2(reason.startsWith("Zipto needs an X11 desktop session") &&
                     reason.contains("offscreen"),
                 qPrintable(reason));
        QVERIFY(platform.foregroundWindow() == 0 && !platform.windowPid(42));
        QCOMPARE(platform.activateWindow(42), WindowActivation::Refused);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, platform.sendKeysToForeground("{tab"));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, platform.sendKeysToForeground("{tab}"));
        platform.sendKeysToForeground("");
    }

    // A widget without a native window is no window of the desktop. Stay on top changes the
    // hint of the same native window, which keeps its place.
    void ownWindowsAndStayOnTop() {
        QtPlatform platform;
        QWidget shown, neverShown;
        shown.setGeometry(40, 50, 200, 100);
        shown.show();
        QVERIFY(QTest::qWaitForWindowExposed(&shown));
        QWindow *window = shown.windowHandle();
        QCOMPARE(platform.ownWindowIds(), std::vector<WindowId>{window->winId()});
        for (const bool on : {true, false}) {
            platform.setStayOnTop(&shown, on);
            QCOMPARE(window->flags().testFlag(Qt::WindowStaysOnTopHint), on);
            QVERIFY(shown.windowHandle() == window && shown.isVisible());
            QCOMPARE(shown.geometry(), QRect(40, 50, 200, 100));
        }
    }
};

QTEST_MAIN(QtPlatformTest)
#include "tst_qtplatform.moc"
