#include "platform/keysend/QtKeySender.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <memory>
#include <stdexcept>

namespace {

// A line edit that records every key press that reaches it, then handles it as usual.
struct RecordingEdit : QLineEdit {
    QList<QKeyCombination> keys;
    void keyPressEvent(QKeyEvent *event) override {
        keys << event->keyCombination();
        QLineEdit::keyPressEvent(event);
    }
};

} // namespace

class TestKeySend : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> window;
    RecordingEdit *edits[3] = {};
    QAction *f5 = nullptr;
    zorbic::QtKeySender sender;

private slots:
    void init() {
        window = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(window.get());
        for (auto *&edit : edits)
            layout->addWidget(edit = new RecordingEdit);
        f5 = new QAction(window.get());
        f5->setShortcut(Qt::Key_F5);
        window->addAction(f5);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        edits[0]->setFocus();
    }

    // Each row is sent both ways: posted keys are typed only once events run, a waiting send
    // is done on return.
    void typesText_data() {
        QTest::addColumn<QString>("before"); // the box's text, the caret at its end
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("selected");
        const auto row = [](const char *name, const char *before, const char *keys,
                            const char *typed, const char *selected) {
            QTest::newRow(name) << before << keys << typed << selected;
        };
        row("shift, notation characters", "", "+a{{}{}}{~}{(}{^}{%}b", "A{}~(^%b", "");
        row("chords type nothing", "", "a%fb^qc", "abc", "");
        row("named keys, shift selects", "abc", "{home}{del}{end}{left}{bs}{right}+{home}", "c",
            "c");
    }
    void typesText() {
        QFETCH(QString, before);
        QFETCH(QString, keys);
        for (bool wait : {false, true}) {
            edits[0]->setText(before);
            sender.sendKeys(keys.toStdString(), wait);
            if (!wait) {
                QCOMPARE(edits[0]->text(), before);
                QCoreApplication::processEvents();
            }
            QTEST(edits[0]->text(), "typed");
            QTEST(edits[0]->selectedText(), "selected");
        }
    }

    // Each stroke goes to the widget that has the focus when it is handled.
    void laterKeysFollowTheFocus() {
        for (bool wait : {false, true}) {
            init(); // a fresh window for each way
            sender.sendKeys("a{tab}b{tab}c+{tab}d", wait);
            QCoreApplication::processEvents();
            // Coming back by Shift+Tab selects the field's text, so d replaces b.
            QCOMPARE(QStringList({edits[0]->text(), edits[1]->text(), edits[2]->text()}),
                     QStringList({"a", "d", "c"}));
            QCOMPARE(QApplication::focusWidget(), edits[1]);
        }
    }

    // A waiting send first delivers the keys posted before it, without the loop running. Sent
    // keys are offered to shortcuts first, as typed keys are; the others reach the box with
    // their key code and modifiers.
    void keyEventsAndShortcuts() {
        QSignalSpy triggered(f5, &QAction::triggered);
        sender.sendKeys("2{f5}", false);
        sender.sendKeys("{f5}~A{f16}^x", true);
        QCOMPARE(triggered.count(), 2);
        QCOMPARE(edits[0]->keys,
                 (QList<QKeyCombination>{Qt::Key_2, Qt::Key_Return, Qt::ShiftModifier | Qt::Key_A,
                                         Qt::Key_F16, Qt::ControlModifier | Qt::Key_X}));
    }

    // Bad notation sends nothing; with no window of ours focused, sending fails unless there
    // is nothing to send.
    void failures() {
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, sender.sendKeys("ab{FOO}", false));
        QCoreApplication::processEvents();
        QCOMPARE(edits[0]->text(), QString());
        window->hide();
        QApplication::setActiveWindow(nullptr);
        for (bool wait : {false, true}) {
            QVERIFY_THROWS_EXCEPTION(std::runtime_error, sender.sendKeys("1", wait));
            sender.sendKeys("", wait);
        }
    }
};

QTEST_MAIN(TestKeySend)
#include "tst_keysend.moc"
