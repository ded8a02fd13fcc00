// The backend inside a Qt program on xcb, as the calculator uses it: its own windows are
// tracked like any other, and a dead window id does not disturb Qt's own connection. The
// round trip through another program with the real calculator is in tests/x11e2e.
#include "TargetWindow.h"
#include "XSession.h"
#include "platform/x11/ActiveWindowWatch.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWindow>

#include <memory>

using namespace zorbic;
using namespace std::chrono_literals;

// The window manager and the X server run beside this process: on a loaded machine a change
// can take seconds to show, so every wait allows far more than a passing run needs.
constexpr int kPatienceMs = 20000;

class tst_X11DesktopInQt : public QObject {
    Q_OBJECT

    std::unique_ptr<X11Desktop> desktop;
    QLineEdit calculator;

    std::uint64_t own() const { return calculator.windowHandle()->winId(); }

private slots:
    // The connection is opened after QApplication's, as in the program.
    void initTestCase() {
        std::string why;
        desktop = X11Desktop::open(&why);
        QVERIFY2(desktop, why.c_str());
        calculator.show();
        QVERIFY(QTest::qWaitForWindowActive(&calculator, kPatienceMs));
    }

    // Qt sees its window active on the FocusIn event; openbox names it on the root window only
    // once it has handled that same event, so the property may lag behind.
    void tracksItsOwnWindow() {
        QTRY_COMPARE_WITH_TIMEOUT(desktop->activeWindow(), own(), kPatienceMs);
        QCOMPARE(desktop->windowPid(own()), QCoreApplication::applicationPid());
    }

    void survivesAClosedWindow() {
        std::uint64_t gone = 0;
        {
            test::TargetWindow target("target");
            QVERIFY2(target.window() != 0, target.failure().c_str());
            gone = target.window();
            target.quit();
        }
        QCOMPARE(desktop->activate(gone, kPatienceMs), ActivateResult::WindowGone);
        QCOMPARE(desktop->windowPid(gone), std::nullopt);
        QVERIFY(!desktop->windowExists(gone));
        // Qt's connection still works: the calculator can be activated and typed into.
        QCOMPARE(desktop->activate(own(), kPatienceMs), ActivateResult::Activated);
        calculator.setFocus();
        std::string why;
        QVERIFY2(desktop->sendKeys({{Key::Character, '7'}}, &why), why.c_str());
        QTRY_COMPARE_WITH_TIMEOUT(calculator.text(), QStringLiteral("7"), kPatienceMs);
    }

    // Each change of the window in front reaches the watch on Qt's own connection.
    void announcesEachChangeOfTheWindowInFront() {
        int announced = 0;
        const auto watch = ActiveWindowWatch::start([&] { ++announced; });
        QVERIFY(watch);
        test::TargetWindow target("watched");
        QVERIFY2(target.window() != 0, target.failure().c_str());
        QCOMPARE(desktop->activate(target.window(), kPatienceMs), ActivateResult::Activated);
        QTRY_VERIFY_WITH_TIMEOUT(announced > 0, kPatienceMs);
        const int seen = announced;
        QCOMPARE(desktop->activate(own(), kPatienceMs), ActivateResult::Activated);
        QTRY_VERIFY_WITH_TIMEOUT(announced > seen, kPatienceMs);
        target.quit();
    }

    void cleanupTestCase() { desktop.reset(); }
};

// The X server has to exist before QApplication connects to it.
int main(int argc, char **argv) {
    test::XSession session(true);
    if (!session.ready()) {
        qCritical("%s", session.failure().c_str());
        return 1;
    }
    QApplication app(argc, argv);
    tst_X11DesktopInQt test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_X11DesktopInQt.moc"
