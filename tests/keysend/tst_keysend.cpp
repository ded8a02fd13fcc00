#include "keys/FormatKeys.h"
#include "keys/ParseKeys.h"
#include "platform/keysend/QtKeySender.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <memory>
#include <stdexcept>

using zorbic::QtKeySender;

namespace {

struct SeenKey {
    int key;
    Qt::KeyboardModifiers modifiers;
    QString text;
};

// A line edit that records every key press that reaches it, then handles it as usual.
class RecordingEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    QList<SeenKey> seen;

protected:
    void keyPressEvent(QKeyEvent *event) override {
        seen.append({event->key(), event->modifiers(), event->text()});
        QLineEdit::keyPressEvent(event);
    }
};

class Window : public QWidget {
public:
    Window() {
        auto *layout = new QVBoxLayout(this);
        for (auto *&edit : edits) {
            edit = new RecordingEdit(this);
            layout->addWidget(edit);
        }
        f5 = new QAction(this);
        f5->setShortcut(QKeySequence(Qt::Key_F5));
        addAction(f5);
    }
    RecordingEdit *edits[3] = {};
    QAction *f5 = nullptr;
};

} // namespace

class TestKeySend : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Window> window;
    QtKeySender sender;
    RecordingEdit *edit() const { return window->edits[0]; }

private slots:
    void init() {
        window = std::make_unique<Window>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        edit()->setFocus();
        QCOMPARE(QApplication::focusWidget(), edit());
    }
    void cleanup() { window.reset(); }

    void waitingSendComesAfterKeysPostedEarlier() {
        sender.sendKeys("2", false);
        sender.sendKeys("1", true);
        QCOMPARE(edit()->text(), QStringLiteral("21")); // both typed, without running the loop
    }

    // Each row is sent both ways: posted keys are typed only once events run, a waiting send
    // is done on return.
    void typesText_data() {
        QTest::addColumn<QString>("before"); // the box's text, caret at the end (| marks it)
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("selected");
        auto row = [](const char *name, const char *before, const std::string &keys,
                      const char *typed, const char *selected = "") {
            QTest::newRow(name) << before << QString::fromStdString(keys) << typed << selected;
        };
        row("shifted letter", "", "+a", "A");
        row("shifted group", "", "+(ab)c", "ABc");
        row("notation characters", "", "{{}{}}{~}{(}{)}{^}{%}", "{}~()^%");
        row("surround", "", "12{HOME}{(}{END}{)}", "(12)");
        row("left and backspace", "", "12{left}{bs}", "2");
        row("home and delete", "abc", "{home}{del}", "bc");
        row("repeat", "", "{x 3}{bs 2}", "x");
        row("alt and ctrl chords type nothing", "", "a%fb^qc", "abc");
        row("blank", "", "a b{ }", "a b ");
        row("shift+home selects to the start", "12+3", "+{home}", "12+3", "12+3");
        row("home, shift+end selects the line", "7|*8", "{home}+{end}", "7*8", "7*8");
        row("braced result", "", zorbic::BraceEach("-1.5E+20"), "-1.5E+20");
    }
    void typesText() {
        QFETCH(QString, before);
        QFETCH(QString, keys);
        QFETCH(QString, typed);
        QFETCH(QString, selected);
        for (bool wait : {false, true}) {
            edit()->setText(QString(before).remove(u'|'));
            edit()->setCursorPosition(before.contains(u'|') ? before.indexOf(u'|') : before.size());
            sender.sendKeys(keys.toStdString(), wait);
            if (!wait) {
                QCOMPARE(edit()->text(), QString(before).remove(u'|'));
                QCoreApplication::processEvents();
            }
            QCOMPARE(edit()->text(), typed);
            QCOMPARE(edit()->selectedText(), selected);
        }
    }

    void keyEventsCarryKeyModifiersAndText_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::newRow("digit") << "7" << int(Qt::Key_7) << 0 << "7";
        QTest::newRow("lower") << "a" << int(Qt::Key_A) << 0 << "a";
        QTest::newRow("upper") << "A" << int(Qt::Key_A) << int(Qt::ShiftModifier) << "A";
        QTest::newRow("plus") << "{+}" << int(Qt::Key_Plus) << 0 << "+";
        QTest::newRow("enter") << "~" << int(Qt::Key_Return) << 0 << "\r";
        QTest::newRow("backspace") << "{bs}" << int(Qt::Key_Backspace) << 0 << "\b";
        QTest::newRow("end") << "+{end}" << int(Qt::Key_End) << int(Qt::ShiftModifier) << "";
        QTest::newRow("f16") << "{f16}" << int(Qt::Key_F16) << 0 << "";
        QTest::newRow("ctrl") << "^c" << int(Qt::Key_C) << int(Qt::ControlModifier) << "";
        QTest::newRow("ctrl shift")
            << "^+x" << int(Qt::Key_X) << int(Qt::ShiftModifier | Qt::ControlModifier) << "";
    }
    void keyEventsCarryKeyModifiersAndText() {
        QFETCH(QString, keys);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        sender.sendKeys(keys.toStdString(), true);
        QCOMPARE(edit()->seen.size(), 1);
        const SeenKey &seen = edit()->seen.front();
        QCOMPARE(seen.key, key);
        QCOMPARE(int(seen.modifiers), modifiers);
        QCOMPARE(seen.text, text);
    }

    void laterKeysFollowTheFocus_data() {
        QTest::addColumn<bool>("wait");
        QTest::newRow("posted") << false;
        QTest::newRow("waiting") << true;
    }
    void laterKeysFollowTheFocus() {
        QFETCH(bool, wait);
        sender.sendKeys("a{tab}b{tab}c+{tab}d", wait);
        QCoreApplication::processEvents();
        QCOMPARE(window->edits[0]->text(), QStringLiteral("a"));
        // Coming back by Shift+Tab selects the field's text, so d replaces b.
        QCOMPARE(window->edits[1]->text(), QStringLiteral("d"));
        QCOMPARE(window->edits[2]->text(), QStringLiteral("c"));
        QCOMPARE(QApplication::focusWidget(), window->edits[1]);
        sender.sendKeys("{tab 2}", wait);
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), window->edits[0]);
    }

    // Documented behaviour: sent keys are offered to shortcuts first, as typed keys are.
    void sentKeyTriggersAMatchingShortcut() {
        QSignalSpy triggered(window->f5, &QAction::triggered);
        sender.sendKeys("{f5}", false);
        QCoreApplication::processEvents();
        QCOMPARE(triggered.count(), 1);
        QVERIFY(edit()->seen.isEmpty()); // the shortcut took it; the box never saw it
        sender.sendKeys("{f5}", true);
        QCOMPARE(triggered.count(), 2);
    }

    void badNotationSendsNothing() {
        for (bool wait : {false, true})
            QVERIFY_THROWS_EXCEPTION(std::invalid_argument, sender.sendKeys("ab{FOO}", wait));
        QCoreApplication::processEvents();
        QCOMPARE(edit()->text(), QString());
    }

    void withoutAFocusedWindowSendingFails() {
        window->hide();
        QApplication::setActiveWindow(nullptr);
        QCOMPARE(QApplication::focusWidget(), nullptr);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, sender.sendKeys("1", false));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, sender.sendKeys("1", true));
        sender.sendKeys("", false); // nothing to send: succeeds anyway
        sender.sendKeys("", true);
    }
};

QTEST_MAIN(TestKeySend)
#include "tst_keysend.moc"
