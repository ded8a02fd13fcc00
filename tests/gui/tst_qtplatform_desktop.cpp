#include "platform/QtPlatform.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <stdexcept>

using namespace zorbic;

// The real platform without an X11 display (offscreen, as on a Wayland-only or headless
// session): Zipto explains itself, and nothing reaches a desktop.
class QtPlatformDesktop : public QObject {
    Q_OBJECT

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

    void offscreenIsUnsupportedWithAReason() {
        QtPlatform platform;
        const QString reason = platform.desktopUnsupportedReason();
        QVERIFY(reason.startsWith(QStringLiteral("Zipto needs an X11 desktop session")));
        QVERIFY2(reason.contains(QStringLiteral("offscreen")), qPrintable(reason));
        QCOMPARE(platform.foregroundWindow(), WindowId(0));
        QVERIFY(!platform.windowPid(42).has_value());
        QCOMPARE(platform.activateWindow(42), WindowActivation::Refused);
    }

    void keysAreCheckedBeforeAnythingElse() {
        QtPlatform platform;
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, platform.sendKeysToForeground("{tab"));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, platform.sendKeysToForeground("{tab}"));
        platform.sendKeysToForeground(""); // nothing to send always succeeds
    }

    void ownWindowsAreTheShownTopLevels() {
        QtPlatform platform;
        QWidget shown;
        shown.show();
        QVERIFY(QTest::qWaitForWindowExposed(&shown));
        QWidget neverShown; // has no native window, so it is no window of the desktop
        const auto ids = platform.ownWindowIds();
        QVERIFY(std::find(ids.begin(), ids.end(), shown.windowHandle()->winId()) != ids.end());
        QVERIFY(!neverShown.windowHandle());
        QCOMPARE(ids.size(), std::size_t(1));
    }
};

QTEST_MAIN(QtPlatformDesktop)
#include "tst_qtplatform_desktop.moc"
