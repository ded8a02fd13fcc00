#include "platform/wayland/PortalKeyboard.h"
#include "platform/wayland/WaylandDesktop.h"

#include <QDBusMessage>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <stdexcept>

using namespace zorbic;

namespace {

// A result "42" sent with "+{tab}" before it.
const KeysymEvents kShiftTab42 = {{0xffe1, true}, {0xff09, true}, {0xff09, false}, {0xffe1, false},
                                  {0x34, true},   {0x34, false},  {0x32, true},    {0x32, false}};
const KeysymEvents kSeven = {{0x37, true}, {0x37, false}};
// A new session: its requests, then the Shift tap that wakes the keyboard.
const QStringList kRequests = {"CreateSession", "SelectDevices types=1", "Start"};
const QStringList kOpening = kRequests + QStringList{"Key ffe1 1", "Key ffe1 0"};

QStringList keyLines(const KeysymEvents &events) {
    QStringList lines;
    for (const auto &e : events)
        lines << QString("Key %1 %2").arg(e.keysym, 0, 16).arg(int(e.pressed));
    return lines;
}

QString failureOf(PortalKeyboard &keyboard, const KeysymEvents &events) try {
    keyboard.type(events);
    return {};
} catch (const std::runtime_error &e) {
    return QString::fromStdString(e.what());
}

} // namespace

class TestPortalKeyboard : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QProcess fake;
    QString record() const { return dir.filePath("calls"); }

    // The calls the fake portal has seen, one line each.
    QStringList calls() const {
        QFile file(record());
        file.open(QIODevice::ReadOnly); // missing before the first call: no lines
        return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }
    // Starts the fake portal, whose Start answers `startAnswer` (0, 1 or none).
    bool startFake(const QString &startAnswer) {
        fake.start(ZORBIC_PORTAL_PYTHON, {ZORBIC_FAKE_PORTAL, record(), startAnswer});
        return QTest::qWaitFor([] { return PortalKeyboard::available(); }, 10000);
    }

private slots:
    void cleanup() {
        fake.kill();
        fake.waitForFinished();
        QFile::remove(record());
    }

    void withoutPortalNothingIsTyped() {
        QVERIFY(!PortalKeyboard::available());
        PortalKeyboard keyboard;
        QVERIFY(failureOf(keyboard, kSeven).contains("portal (xdg-desktop-portal) is not running"));
    }

    // The second send (printable ASCII: more keys than a bus lets await replies at once) reuses
    // the session; once the desktop closes it, the next send opens a new one.
    void oneSessionUntilTheDesktopClosesIt() {
        QVERIFY(startFake("0"));
        PortalKeyboard keyboard;
        KeysymEvents ascii;
        for (std::uint32_t c = 0x20; c <= 0x7e; ++c)
            ascii.insert(ascii.end(), {{c, true}, {c, false}});
        QCOMPARE(failureOf(keyboard, kShiftTab42), QString());
        QCOMPARE(failureOf(keyboard, ascii), QString());
        QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(
            "org.freedesktop.portal.Desktop", "/", "org.zorbic.FakePortal", "CloseSessions"));
        QTRY_VERIFY(!keyboard.hasSession());
        QCOMPARE(failureOf(keyboard, kSeven), QString());
        QCOMPARE(calls(),
                 kOpening + keyLines(kShiftTab42) + keyLines(ascii) + kOpening + keyLines(kSeven));
    }

    // Each refused send asks again and types nothing. Zipto on a desktop with the portal only:
    // a refused dialog ends the send before the calculator steps aside, with the message.
    void refusedDialogSendsNothing() {
        QVERIFY(startFake("1"));
        PortalKeyboard keyboard;
        for (int round = 0; round < 2; ++round) {
            const QString why = failureOf(keyboard, kShiftTab42);
            QVERIFY(why.contains("Zorbic was not allowed to type into other applications") &&
                    why.contains("Nothing was sent."));
        }
        qunsetenv("WAYLAND_DISPLAY"); // no virtual keyboard
        WaylandDesktop desktop;
        QCOMPARE(desktop.unsupportedReason(), QString());
        QWidget window;
        window.show();
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 desktop.activate(WaylandDesktop::kOtherApplication));
        QVERIFY(window.isVisible());
        const QStringList refused = kRequests + QStringList{"Session.Close"};
        QTRY_COMPARE(calls(), refused + refused + refused);
    }

    // The dialog is taken down and the session closed when the user never answers.
    void unansweredDialogEndsInTime() {
        QVERIFY(startFake("none"));
        PortalKeyboard keyboard(QDBusConnection::sessionBus(), std::chrono::milliseconds(300));
        bool ticked = false; // the program's own events go on meanwhile
        QTimer::singleShot(50, [&] { ticked = true; });
        QVERIFY(failureOf(keyboard, kSeven).contains("did not answer"));
        QVERIFY(ticked);
        QTRY_COMPARE(calls(), (kRequests + QStringList{"Request.Close", "Session.Close"}));
    }
};

QTEST_MAIN(TestPortalKeyboard)
#include "tst_PortalKeyboard.moc"
