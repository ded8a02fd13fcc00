#include "platform/wayland/PortalKeyboard.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <stdexcept>

using zorbic::KeysymEvents;
using zorbic::PortalKeyboard;

namespace {

// A result "42" sent with "+{tab}" before it.
const KeysymEvents kShiftTab42 = {{0xffe1, true}, {0xff09, true}, {0xff09, false}, {0xffe1, false},
                                  {0x34, true},   {0x34, false},  {0x32, true},    {0x32, false}};
const KeysymEvents kSeven = {{0x37, true}, {0x37, false}};
// A new session: its calls, then the Shift tap that wakes the keyboard.
const QStringList kOpening = {"CreateSession", "SelectDevices types=1", "Start", "Key ffe1 1",
                              "Key ffe1 0"};
const QStringList kSevenKeys = {"Key 37 1", "Key 37 0"};
const QStringList kRefused = {"CreateSession", "SelectDevices types=1", "Start", "Session.Close"};

QString failureOf(PortalKeyboard &keyboard, const KeysymEvents &events) {
    try {
        keyboard.type(events);
    } catch (const std::runtime_error &e) {
        return QString::fromStdString(e.what());
    }
    return {};
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
        if (!file.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }
    // Starts the fake portal, whose Start answers `startAnswer` (0, 1 or none).
    bool startFake(const QString &startAnswer) {
        fake.start(ZORBIC_PORTAL_PYTHON, {ZORBIC_FAKE_PORTAL, record(), startAnswer});
        return QTest::qWaitFor([] { return PortalKeyboard::available(); }, 10000);
    }

private slots:
    void initTestCase() { QVERIFY(QDBusConnection::sessionBus().isConnected()); }
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

    void keysFollowOneSessionInOrder() {
        QVERIFY(startFake("0"));
        PortalKeyboard keyboard;
        QCOMPARE(failureOf(keyboard, kShiftTab42), QString());
        QCOMPARE(failureOf(keyboard, kSeven), QString());
        const QStringList shiftTab42 = {"Key ffe1 1", "Key ff09 1", "Key ff09 0", "Key ffe1 0",
                                        "Key 34 1",   "Key 34 0",   "Key 32 1",   "Key 32 0"};
        QCOMPARE(calls(), kOpening + shiftTab42 + kSevenKeys);
    }

    // All of printable ASCII in one call: more keys than a bus lets wait for replies at once.
    void longKeyListArrivesWhole() {
        QVERIFY(startFake("0"));
        PortalKeyboard keyboard;
        KeysymEvents ascii;
        QStringList expected = kOpening;
        for (std::uint32_t c = 0x20; c <= 0x7e; ++c) {
            ascii.insert(ascii.end(), {{c, true}, {c, false}});
            expected << QString("Key %1 1").arg(c, 0, 16) << QString("Key %1 0").arg(c, 0, 16);
        }
        QCOMPARE(failureOf(keyboard, ascii), QString());
        QCOMPARE(calls(), expected);
    }

    // Each refused send asks again and types nothing.
    void refusedDialogSendsNothing() {
        QVERIFY(startFake("1"));
        PortalKeyboard keyboard;
        for (int round = 0; round < 2; ++round) {
            const QString why = failureOf(keyboard, kShiftTab42);
            QVERIFY2(why.contains("Zorbic was not allowed to type into other applications"),
                     qPrintable(why));
            QVERIFY(why.contains("Nothing was sent."));
            QVERIFY(!keyboard.hasSession());
        }
        QTRY_COMPARE(calls(), kRefused + kRefused);
    }

    void sessionClosedByTheDesktopIsOpenedAgain() {
        QVERIFY(startFake("0"));
        PortalKeyboard keyboard;
        QCOMPARE(failureOf(keyboard, kSeven), QString());
        QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(
            "org.freedesktop.portal.Desktop", "/", "org.zorbic.FakePortal", "CloseSessions"));
        QTRY_VERIFY(!keyboard.hasSession());
        QCOMPARE(failureOf(keyboard, kSeven), QString());
        QCOMPARE(calls(), kOpening + kSevenKeys + kOpening + kSevenKeys);
    }

    // The dialog is taken down and the session closed when the user never answers.
    void unansweredDialogEndsInTime() {
        QVERIFY(startFake("none"));
        PortalKeyboard keyboard(QDBusConnection::sessionBus(), std::chrono::milliseconds(300));
        bool ticked = false; // the program's own events go on meanwhile
        QTimer::singleShot(50, [&] { ticked = true; });
        QVERIFY(failureOf(keyboard, kSeven).contains("did not answer"));
        QVERIFY(ticked);
        const QStringList abandoned = {"CreateSession", "SelectDevices types=1", "Start",
                                       "Request.Close", "Session.Close"};
        QTRY_COMPARE(calls(), abandoned);
    }
};

QTEST_GUILESS_MAIN(TestPortalKeyboard)
#include "tst_PortalKeyboard.moc"
