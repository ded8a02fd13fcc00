// Another application for the desktop tests to type into: one window with two line edits.
// It announces its X window id on stdout and answers commands read from stdin:
//   dump  -> STATE, f1's text, f2's text, f1|f2|none (the focus), the keys seen; tab-separated
//   clear -> empties both fields and the key log, focus back to f1
//   quit  -> exits (so does end of input, so it never outlives a crashed test)
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QSocketNotifier>
#include <QTest>
#include <QVBoxLayout>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

void say(const QString &line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

// Logs every key press that reaches the line edits, before the widgets handle it (Tab never
// reaches keyPressEvent: it moves the focus first). Modifiers show in the chords they make.
class KeyLog : public QObject {
public:
    QStringList keys;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        const QList<int> modifiers{Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt, Qt::Key_Meta};
        const auto *key = static_cast<QKeyEvent *>(event);
        if (event->type() == QEvent::KeyPress && !modifiers.contains(key->key()))
            keys << QKeySequence(key->keyCombination()).toString();
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QString::fromLocal8Bit(argc > 1 ? argv[1] : "target"));
    auto *layout = new QVBoxLayout(&window);
    QLineEdit f1, f2;
    KeyLog log;
    for (QLineEdit *field : {&f1, &f2}) {
        layout->addWidget(field);
        field->installEventFilter(&log);
    }
    window.resize(320, 100);
    window.show();
    f1.setFocus();
    if (!QTest::qWaitForWindowExposed(&window, 20000)) return 1;
    say(QStringLiteral("WINDOW %1").arg(window.winId()));

    // Commands come one whole line at a time, each waiting for its answer.
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        std::string command;
        char c = 0;
        while (::read(STDIN_FILENO, &c, 1) == 1 && c != '\n')
            command += c;
        if (command == "clear") {
            f1.clear();
            f2.clear();
            f1.setFocus();
            log.keys.clear();
            say(QStringLiteral("CLEARED"));
        } else if (command == "dump") {
            const QWidget *focus = window.focusWidget();
            say(QStringLiteral("STATE\t%1\t%2\t%3\t%4")
                    .arg(f1.text(), f2.text(),
                         focus == &f1   ? "f1"
                         : focus == &f2 ? "f2"
                                        : "none",
                         log.keys.join(',')));
        } else {
            input.setEnabled(false);
            app.quit();
        }
    });
    return app.exec();
}
