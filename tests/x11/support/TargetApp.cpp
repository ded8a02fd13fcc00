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
#include <QStringList>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

void say(const QString &line) {
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Logs every key press that reaches the line edits, before the widgets handle it (Tab never
// reaches keyPressEvent: it moves the focus first).
class KeyLog : public QObject {
public:
    QStringList keys;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            switch (key->key()) {
            case Qt::Key_Shift:
            case Qt::Key_Control:
            case Qt::Key_Alt:
            case Qt::Key_Meta:
                break; // the modifiers show in the chords they make
            default:
                keys << QKeySequence(key->keyCombination()).toString();
            }
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
    layout->addWidget(f1);
    layout->addWidget(f2);
    KeyLog log;
    f1->installEventFilter(&log);
    f2->installEventFilter(&log);
    window.resize(320, 100);
    window.show();
    f1->setFocus();

    QTimer exposed;
    exposed.setInterval(10);
    QObject::connect(&exposed, &QTimer::timeout, [&] {
        if (!window.windowHandle() || !window.windowHandle()->isExposed()) return;
        exposed.stop();
        say(QStringLiteral("WINDOW %1").arg(window.windowHandle()->winId()));
    });
    exposed.start();

    std::string pending;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[256];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            input.setEnabled(false);
            app.quit();
            return;
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
                const char *focusName = focus == f1 ? "f1" : focus == f2 ? "f2" : "none";
                say(QStringLiteral("STATE\t%1\t%2\t%3\t%4")
                        .arg(f1->text(), f2->text(), QLatin1String(focusName),
                             log.keys.join(QLatin1Char(','))));
            }
        }
    });
    return app.exec();
}
