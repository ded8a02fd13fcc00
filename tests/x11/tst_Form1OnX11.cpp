// The calculator's windows on a real X server with openbox. The borders, read back from what
// openbox offers (_NET_WM_ALLOWED_ACTIONS) and from what a fullscreen or minimize request does:
// the main window can be minimized but never maximized, resized or made fullscreen; the two
// dialogs offer neither. And the window's
// shortcuts typed in the box, under the X11 key bindings (Ctrl+E is End there, Ctrl+D Delete).
#include "XSession.h"

#include "entry/TextBox.h"
#include "entry/frmFixedMode.h"
#include "platform/FakePlatform.h"
#include "shell/Form1.h"
#include "zipto/frmZiptoOptions.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

using namespace zorbic;

namespace {

constexpr int kPatienceMs = 20000;

xcb_atom_t atom(xcb_connection_t *c, const char *name) {
    auto *reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(strlen(name)), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    free(reply);
    return a;
}

QString atomName(xcb_connection_t *c, xcb_atom_t a) {
    auto *reply = xcb_get_atom_name_reply(c, xcb_get_atom_name(c, a), nullptr);
    if (!reply) return {};
    const QString name =
        QString::fromLatin1(xcb_get_atom_name_name(reply), xcb_get_atom_name_name_length(reply));
    free(reply);
    return name;
}

// The actions without their _NET_WM_ACTION_ prefix; empty until openbox manages the window.
QStringList allowedActions(xcb_connection_t *c, WId window) {
    const xcb_atom_t property = atom(c, "_NET_WM_ALLOWED_ACTIONS");
    auto *reply = xcb_get_property_reply(
        c,
        xcb_get_property(c, 0, static_cast<xcb_window_t>(window), property, XCB_ATOM_ATOM, 0, 64),
        nullptr);
    QStringList names;
    if (!reply) return names;
    const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply));
    for (int i = 0; i < xcb_get_property_value_length(reply) / 4; ++i)
        names << atomName(c, atoms[i]).remove(QStringLiteral("_NET_WM_ACTION_"));
    free(reply);
    return names;
}

// Asks the window manager, as its title bar would, to make the window fullscreen or to minimize
// it.
void request(xcb_connection_t *c, WId window, const QString &action) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = static_cast<xcb_window_t>(window);
    if (action == QLatin1String("FULLSCREEN")) {
        message.type = atom(c, "_NET_WM_STATE");
        message.data.data32[0] = 1; // add
        message.data.data32[1] = atom(c, "_NET_WM_STATE_FULLSCREEN");
        message.data.data32[3] = 1; // from an application
    } else {
        message.type = atom(c, "WM_CHANGE_STATE");
        message.data.data32[0] = 3; // IconicState
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_send_event(c, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(c);
}

// Every window state the watched window has been in.
struct StateLog : QObject {
    Qt::WindowStates seen;
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::WindowStateChange)
            seen |= static_cast<QWidget *>(watched)->windowState();
        return false;
    }
};

} // namespace

class tst_Form1OnX11 : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    FakePlatform platform;
    std::unique_ptr<Form1> form;
    xcb_connection_t *connection = nullptr;

private slots:
    void initTestCase() {
        connection = xcb_connect(nullptr, nullptr);
        QVERIFY(!xcb_connection_has_error(connection));
        form = std::make_unique<Form1>(platform, dir.filePath(QStringLiteral("ZorbicData.txt")));
        form->start();
        QVERIFY(QTest::qWaitForWindowExposed(form.get(), kPatienceMs));
    }

    void offersNoMaximizeNorFullscreen_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("minimizable");
        QTest::newRow("main window") << "Form1" << true;
        QTest::newRow("Fixed Mode") << "frmFixedMode" << false;
        QTest::newRow("Zipto Options") << "frmZiptoOptions" << false;
    }

    void offersNoMaximizeNorFullscreen() {
        QFETCH(QString, window);
        QFETCH(bool, minimizable);
        std::unique_ptr<QWidget> dialog;
        QWidget *shown = form.get();
        if (window == QLatin1String("frmFixedMode"))
            dialog = std::make_unique<frmFixedMode>(4, platform, Form1::appTitle(), form.get());
        else if (window == QLatin1String("frmZiptoOptions"))
            dialog = std::make_unique<frmZiptoOptions>(form.get());
        if (dialog) {
            shown = dialog.get();
            shown->show();
            QVERIFY(QTest::qWaitForWindowExposed(shown, kPatienceMs));
        }
        QStringList actions;
        QTRY_VERIFY_WITH_TIMEOUT(!(actions = allowedActions(connection, shown->winId())).isEmpty(),
                                 kPatienceMs);
        const QByteArray listed = actions.join(' ').toLocal8Bit();
        const char *all = listed.constData();
        QVERIFY2(actions.contains(QStringLiteral("CLOSE")), all);
        if (minimizable) QVERIFY2(actions.contains(QStringLiteral("MINIMIZE")), all);
        for (const char *refused : {"MAXIMIZE_HORZ", "MAXIMIZE_VERT", "RESIZE"})
            QVERIFY2(!actions.contains(QLatin1String(refused)), all);

        // openbox offers fullscreen to every window and minimize to dialogs whatever the hints
        // say; the window takes such a state only to be put back at once.
        StateLog log;
        shown->installEventFilter(&log);
        QStringList putBack{QStringLiteral("FULLSCREEN")};
        if (!minimizable) putBack << QStringLiteral("MINIMIZE");
        for (const QString &action : putBack) {
            if (!actions.contains(action)) continue;
            const Qt::WindowState state =
                action == QLatin1String("FULLSCREEN") ? Qt::WindowFullScreen : Qt::WindowMinimized;
            request(connection, shown->winId(), action);
            QTRY_VERIFY_WITH_TIMEOUT(log.seen & state, kPatienceMs);
            QTRY_COMPARE_WITH_TIMEOUT(shown->windowState() & state, Qt::WindowStates(),
                                      kPatienceMs);
            QVERIFY(shown->isVisible());
        }
    }

    // Every menu item with a shortcut, its handler disconnected: only whether the key reaches
    // the item counts, and the box must not have taken it as its own (Ctrl+E as End, Ctrl+D as
    // Delete, Ctrl+X as its cut).
    void windowShortcutsReachTheWindowFromTheBox() {
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get(), kPatienceMs));
        int tried = 0;
        for (QAction *item : form->findChildren<QAction *>()) {
            if (item->shortcut().isEmpty()) continue;
            ++tried;
            QObject::disconnect(item, &QAction::triggered, form.get(), nullptr);
            QSignalSpy triggered(item, &QAction::triggered);
            form->Text1->setFocus();
            form->Text1->setText(QStringLiteral("1+2"));
            form->Text1->setCursorPosition(1);
            const QKeyCombination key = item->shortcut()[0];
            QTest::keyClick(form->Text1, key.key(), key.keyboardModifiers());
            QVERIFY2(triggered.size() == 1, qPrintable(item->objectName()));
            QCOMPARE(form->Text1->text(), QStringLiteral("1+2"));
            QCOMPARE(form->Text1->cursorPosition(), 1);
        }
        QCOMPARE(tried, 20);
    }

    void cleanupTestCase() {
        form.reset();
        xcb_disconnect(connection);
    }
};

// The X server has to exist before QApplication connects to it.
int main(int argc, char **argv) {
    test::XSession session(true);
    if (!session.ready()) {
        qCritical("%s", session.failure().c_str());
        return 1;
    }
    QApplication app(argc, argv);
    tst_Form1OnX11 test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Form1OnX11.moc"
