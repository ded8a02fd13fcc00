#include "platform/QtPlatform.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QWidget>
#include <QWindow>

namespace zorbic {

namespace {

QMessageBox::Icon toQt(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MsgResult QtPlatform::msgBox(const QString &text, MsgButtons buttons, MsgIcon icon,
                             const QString &title) {
    const auto standard = buttons == MsgButtons::YesNo
                              ? QMessageBox::Yes | QMessageBox::No
                              : QMessageBox::StandardButtons(QMessageBox::Ok);
    // The program's texts break lines with CR LF or a lone CR; the box wants LF.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(toQt(icon), title, shown, standard, owner_);
    const int answer = box.exec();
    if (buttons == MsgButtons::Ok) return MsgResult::Ok;
    return answer == QMessageBox::No ? MsgResult::No : MsgResult::Yes;
}

void QtPlatform::setClipboardText(const QString &text) {
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

void QtPlatform::sendKeys(std::string_view notation, bool wait) {
    keySender_.sendKeys(notation, wait);
}

// Setting the flag on the QWindow (not QWidget::setWindowFlags) changes the stacking hint of
// the existing native window: it is neither recreated nor hidden, and keeps its position.
void QtPlatform::setStayOnTop(QWidget *window, bool on) {
    if (window == nullptr) return;
    QWindow *handle = window->windowHandle();
    if (handle == nullptr) {
        window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
        return;
    }
    handle->setFlag(Qt::WindowStaysOnTopHint, on);
}

} // namespace zorbic
