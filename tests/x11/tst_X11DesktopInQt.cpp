// The backend inside a Qt program on xcb, as the calculator uses it: its own windows are
// tracked like any other, it can hand the focus to another program, type there and take
// the focus back, and a dead window id does not disturb Qt's own connection.
#include "TargetWindow.h"
#include "XSession.h"

#include "platform/x11/X11Desktop.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWindow>

#include <memory>

using namespace zorbic;
using namespace std::chrono_literals;

class tst_X11DesktopInQt : public QObject {
    Q_OBJECT

public:
    explicit tst_X11DesktopInQt(const test::XSession &session) : session(session) {}

private slots:
    void initTestCase() {
        std::string why;
        desktop = X11Desktop::open(&why);
        QVERIFY2(desktop, why.c_str());
        calculator.setWindowTitle(QStringLiteral("calculator"));
        calculator.show();
        QVERIFY(QTest::qWaitForWindowActive(&calculator));
    }

    void tracksItsOwnWindow() {
        const auto own = calculator.windowHandle()->winId();
        QCOMPARE(desktop->activeWindow(), own);
        QCOMPARE(desktop->windowPid(own), QCoreApplication::applicationPid());
    }

    void sendsToAnotherProgramAndComesBack() {
        test::TargetWindow target(session, "target");
        QVERIFY2(target.window() != 0, target.failure().c_str());
        QTRY_COMPARE(desktop->activeWindow(), target.window());
        const std::uint64_t hwndLastActive = desktop->activeWindow();
        QCOMPARE(desktop->activate(calculator.windowHandle()->winId(), 3000),
                 ActivateResult::Activated);
        QTRY_VERIFY(calculator.isActiveWindow());

        const std::uint64_t front = desktop->activeWindow();
        QCOMPARE(desktop->activate(hwndLastActive, 3000), ActivateResult::Activated);
        std::string why;
        for (char c : std::string("6.02E-23"))
            QVERIFY2(desktop->sendKeys({KeyStroke{Key::Character, c}}, &why), why.c_str());
        QVERIFY2(desktop->sendKeys({KeyStroke{Key::Tab}}, &why), why.c_str());
        QCOMPARE(desktop->activate(front, 3000), ActivateResult::Activated);
        QTRY_VERIFY(calculator.isActiveWindow());

        const auto state = target.waitForState(
            [](const test::TargetState &s) { return s.f1 == "6.02E-23" && s.focus == "f2"; }, 5s);
        QVERIFY(state);
        QCOMPARE(state->f1, std::string("6.02E-23"));
        QCOMPARE(state->focus, std::string("f2"));
        QCOMPARE(calculator.text(), QString());
    }

    void survivesAClosedWindow() {
        std::uint64_t gone = 0;
        {
            test::TargetWindow target(session, "target");
            QVERIFY2(target.window() != 0, target.failure().c_str());
            gone = target.window();
            target.quit();
        }
        QCOMPARE(desktop->activate(gone, 3000), ActivateResult::WindowGone);
        QCOMPARE(desktop->windowPid(gone), std::nullopt);
        QVERIFY(!desktop->windowExists(gone));
        // Qt's connection still works: the calculator can be activated and typed into.
        QCOMPARE(desktop->activate(calculator.windowHandle()->winId(), 3000),
                 ActivateResult::Activated);
        calculator.setFocus();
        std::string why;
        QVERIFY2(desktop->sendKeys({KeyStroke{Key::Character, '7'}}, &why), why.c_str());
        QTRY_COMPARE(calculator.text(), QStringLiteral("7"));
    }

    void cleanupTestCase() { desktop.reset(); }

private:
    const test::XSession &session;
    std::unique_ptr<X11Desktop> desktop;
    QLineEdit calculator;
};

// The X server has to exist before QApplication connects to it.
int main(int argc, char **argv) {
    test::XSession session(true);
    if (!session.ready()) {
        qCritical("%s", session.failure().c_str());
        return 1;
    }
    for (const std::string &entry : session.environment()) {
        const auto eq = entry.find('=');
        qputenv(entry.substr(0, eq).c_str(), QByteArray::fromStdString(entry.substr(eq + 1)));
    }
    int result = 0;
    {
        QApplication app(argc, argv);
        tst_X11DesktopInQt test(session);
        result = QTest::qExec(&test, argc, argv);
    }
    return result;
}

#include "tst_X11DesktopInQt.moc"
