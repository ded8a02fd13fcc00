// Another application for the desktop tests to type into: one window with two line edits.
// It prints "WINDOW <its X window id>" once shown, then a line of its state at every change:
// f1=[<text>] f2=[<text>] focus=<f1, f2 or none> keys=[<the key presses seen, by Qt's names>].
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <cstdio>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QString::fromLocal8Bit(argc > 1 ? argv[1] : "target"));
    auto *layout = new QVBoxLayout(&window);
    QLineEdit f1, f2;
    QStringList keys;
    f1.setObjectName("f1");
    f2.setObjectName("f2");
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // each line goes out whole, at once
    const auto report = [&] {
        const QWidget *focus = window.focusWidget();
        std::printf("f1=[%s] f2=[%s] focus=%s keys=[%s]\n", qPrintable(f1.text()),
                    qPrintable(f2.text()), focus ? qPrintable(focus->objectName()) : "none",
                    qPrintable(keys.join(',')));
    };

    // Logs every key press that reaches the line edits, before they handle it (Tab never
    // reaches keyPressEvent: it moves the focus first). Modifiers show in the chords they make.
    struct KeyLog : QObject {
        std::function<void(const QKeyEvent *)> seen;
        bool eventFilter(QObject *, QEvent *event) override {
            if (event->type() == QEvent::KeyPress) seen(static_cast<QKeyEvent *>(event));
            return false;
        }
    } log;
    log.seen = [&](const QKeyEvent *key) {
        if (QList<int>{Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt}.contains(key->key())) return;
        keys << QKeySequence(key->keyCombination()).toString();
        report();
    };
    for (QLineEdit *field : {&f1, &f2}) {
        layout->addWidget(field);
        field->installEventFilter(&log);
        QObject::connect(field, &QLineEdit::textChanged, report);
    }
    window.show();
    f1.setFocus();
    if (!QTest::qWaitForWindowExposed(&window, 20000)) return 1;
    std::printf("WINDOW %llu\n", static_cast<unsigned long long>(window.winId()));
    report();
    QObject::connect(&app, &QApplication::focusChanged, report);
    return app.exec();
}
