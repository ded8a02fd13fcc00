// The native Wayland window the Wayland tests type into: appends the text of every key it
// receives to the file named first (Enter arrives as "\r", Tab as "\t"), and keeps "1" or "0"
// in the file named second while it has or lacks the focus.
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QWidget>

namespace {

class KeySink : public QWidget {
public:
    KeySink(QString keys, QString focus) : keys_(std::move(keys)), focus_(std::move(focus)) {
        setWindowTitle(QStringLiteral("sink"));
        setFocusPolicy(Qt::StrongFocus);
        resize(300, 200);
    }

protected:
    // Ahead of the focus chain, which would take Tab for itself.
    bool event(QEvent *e) override {
        if (e->type() == QEvent::KeyPress) {
            const QString text = static_cast<QKeyEvent *>(e)->text();
            if (!text.isEmpty()) write(keys_, text.toUtf8(), QIODevice::Append);
            return true;
        }
        if (e->type() == QEvent::WindowActivate || e->type() == QEvent::WindowDeactivate)
            write(focus_, e->type() == QEvent::WindowActivate ? "1" : "0", QIODevice::Truncate);
        return QWidget::event(e);
    }

private:
    static void write(const QString &name, const QByteArray &bytes, QIODevice::OpenModeFlag how) {
        QFile file(name);
        if (file.open(QIODevice::WriteOnly | how)) file.write(bytes);
    }
    QString keys_, focus_;
};

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    if (argc != 3) return 2;
    KeySink sink(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    sink.show();
    return QApplication::exec();
}
