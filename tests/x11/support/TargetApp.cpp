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
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

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
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (!modifiers.contains(key->key()))
                keys << QKeySequence(key->keyCombination()).toString();
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("target"));
    auto *layout = new QVBoxLayout(&window);
    auto *f1 = new QLineEdit(&window);
    auto *f2 = new QLineEdit(&window);
    KeyLog log;
    for (QLineEdit *field : {f1, f2}) {
        layout->addWidget(field);
        field->installEventFilter(&log);
    }
    window.resize(320, 100);
    window.show();
    f1->setFocus();

    QTimer exposed;
    QObject::connect(&exposed, &QTimer::timeout, [&] {
        if (!window.windowHandle() || !window.windowHandle()->isExposed()) return;
        exposed.stop();
        say(QStringLiteral("WINDOW %1").arg(window.windowHandle()->winId()));
    });
    exposed.start(10);

    std::string pending;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[256];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            input.setEnabled(false);
            return app.quit();
        }
        pending.append(buffer, static_cast<std::size_t>(n));
        for (auto end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
            const std::string command = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (command == "quit") {
                app.quit();
            } else if (command == "clear") {
                f1->clear();
                f2->clear();
                f1->setFocus();
                log.keys.clear();
                say(QStringLiteral("CLEARED"));
            } else if (command == "dump") {
                const QWidget *focus = window.focusWidget();
                say(QStringLiteral("STATE\t%1\t%2\t%3\t%4")
                        .arg(f1->text(), f2->text(),
                             focus == f1   ? "f1"
                             : focus == f2 ? "f2"
                                           : "none",
                             log.keys.join(',')));
            }
        }
    });
    return app.exec();
}
