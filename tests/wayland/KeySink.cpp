// The native Wayland window the Wayland tests type into: appends the text of every key it
// receives to the file named first (Enter arrives as "\r", Tab as "\t"), and keeps "1" or "0"
// in the file named second while it has or lacks the focus.
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QWidget>

namespace {

void write(const char *name, const QByteArray &bytes, QIODevice::OpenModeFlag how) {
    QFile file(QString::fromLocal8Bit(name));
    if (file.open(QIODevice::WriteOnly | how)) file.write(bytes);
}

class KeySink : public QWidget {
public:
    explicit KeySink(char **files) : files_(files) { resize(300, 200); }

protected:
    // Ahead of the focus chain, which would take Tab for itself.
    bool event(QEvent *e) override {
        if (e->type() == QEvent::KeyPress) {
            write(files_[0], static_cast<QKeyEvent *>(e)->text().toUtf8(), QIODevice::Append);
            return true;
        }
        if (e->type() == QEvent::WindowActivate || e->type() == QEvent::WindowDeactivate)
            write(files_[1], e->type() == QEvent::WindowActivate ? "1" : "0", QIODevice::Truncate);
        return QWidget::event(e);
    }

private:
    char **files_;
};

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    if (argc != 3) return 2;
    KeySink sink(argv + 1);
    sink.show();
    return QApplication::exec();
}
