// The calculator's windows under openbox: the borders it offers (the main window minimizes,
// no window maximizes, resizes or stays fullscreen), and the window's shortcuts from every
// control under the X11 key bindings (Ctrl+E is End there).
#include "XSession.h"

#include "entry/TextBox.h"
#include "entry/frmFixedMode.h"
#include "platform/FakePlatform.h"
#include "shell/Form1.h"
#include "zipto/frmZiptoOptions.h"

#include <QAction>
#include <QApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <memory>

#include <X11/Xlib.h> // last: its macros would clash with the Qt headers

using namespace zorbic;

namespace {

constexpr int kPatienceMs = 20000;

// The actions openbox offers, as xprop lists them; empty until it manages the window.
QString allowedActions(WId window) {
    QProcess xprop;
    xprop.start("xprop", {"-id", QString::number(window), "_NET_WM_ALLOWED_ACTIONS"});
    xprop.waitForFinished();
    const QString out = QString::fromLatin1(xprop.readAllStandardOutput());
    return out.contains(u'=') ? out : QString();
}

// Asks openbox, as its window menu would, to make the window fullscreen or to minimize it.
void request(WId window, Qt::WindowState state) {
    Display *display = XOpenDisplay(nullptr);
    const bool full = state == Qt::WindowFullScreen;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type =
        XInternAtom(display, full ? "_NET_WM_STATE" : "WM_CHANGE_STATE", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = full ? 1 : 3; // add the state / IconicState
    event.xclient.data.l[1] = full ? XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False) : 0;
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XCloseDisplay(display); // sends it
}

} // namespace

class tst_Form1OnX11 : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    FakePlatform platform;
    std::unique_ptr<Form1> form;

private slots:
    void initTestCase() {
        form = std::make_unique<Form1>(platform, dir.filePath(QStringLiteral("ZorbicData.txt")));
        form->start();
        QVERIFY(QTest::qWaitForWindowExposed(form.get(), kPatienceMs));
    }

    // openbox offers fullscreen to every window and minimize to dialogs whatever the hints say;
    // the window takes such a state only to be put back at once.
    void fixedBorders() {
        frmFixedMode fixedMode(4, platform, Form1::appTitle(), form.get());
        frmZiptoOptions ziptoOptions(form.get());
        for (QWidget *shown :
             std::initializer_list<QWidget *>{form.get(), &fixedMode, &ziptoOptions}) {
            const bool dialog = shown != form.get();
            shown->show();
            QVERIFY(QTest::qWaitForWindowExposed(shown, kPatienceMs));
            QString actions;
            QTRY_VERIFY_WITH_TIMEOUT(!(actions = allowedActions(shown->winId())).isEmpty(),
                                     kPatienceMs);
            QVERIFY2(actions.contains("ACTION_CLOSE") &&
                         (dialog || actions.contains("ACTION_MINIMIZE")),
                     qPrintable(actions));
            for (const char *refused :
                 {"ACTION_MAXIMIZE_HORZ", "ACTION_MAXIMIZE_VERT", "ACTION_RESIZE"})
                QVERIFY2(!actions.contains(QLatin1String(refused)), qPrintable(actions));

            for (Qt::WindowState state : {Qt::WindowFullScreen, Qt::WindowMinimized}) {
                if (state == Qt::WindowMinimized && !dialog) continue;
                QSignalSpy changes(shown->windowHandle(), &QWindow::windowStateChanged);
                request(shown->winId(), state);
                QTRY_VERIFY_WITH_TIMEOUT(changes.contains({QVariant::fromValue(state)}),
                                         kPatienceMs);
                QTRY_COMPARE_WITH_TIMEOUT(shown->windowState() & state, Qt::WindowStates(),
                                          kPatienceMs);
                QVERIFY(shown->isVisible());
            }
        }
    }

    // Every menu item with a shortcut, its handler disconnected, pressed in every control that
    // takes keys: only whether the key reaches the item counts, and the box must not take it as
    // its own (Ctrl+E as End, Ctrl+D as Delete).
    void windowShortcutsReachTheWindowFromEveryControl() {
        form->subMoreLessLayout(2, 2);
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get(), kPatienceMs));
        QList<QAction *> items = form->findChildren<QAction *>();
        items.removeIf([](const QAction *item) { return item->shortcut().isEmpty(); });
        QCOMPARE(items.size(), 20);
        for (QAction *item : items)
            QObject::disconnect(item, &QAction::triggered, form.get(), nullptr);
        int controls = 0;
        for (QWidget *control : form->findChildren<QWidget *>()) {
            control->setFocus();
            if (!control->isVisible() || QApplication::focusWidget() != control) continue;
            ++controls;
            for (QAction *item : items) {
                QSignalSpy triggered(item, &QAction::triggered);
                form->Text1->setText(QStringLiteral("1+2"));
                form->Text1->setCursorPosition(1);
                const QKeyCombination key = item->shortcut()[0];
                QTest::keyClick(control, key.key(), key.keyboardModifiers());
                QVERIFY2(triggered.size() == 1,
                         qPrintable(control->objectName() + ' ' + item->objectName()));
                QCOMPARE(form->Text1->text(), QStringLiteral("1+2"));
                QCOMPARE(form->Text1->cursorPosition(), 1);
            }
        }
        QVERIFY(controls >= 8); // the box, the lists, the check boxes, options and buttons
    }
};

// The X server has to exist before QApplication connects to it.
int main(int argc, char **argv) {
    test::XSession session;
    if (!session.ready()) {
        qCritical("%s", session.failure().c_str());
        return 1;
    }
    QApplication app(argc, argv);
    tst_Form1OnX11 test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Form1OnX11.moc"
