#include "entry/TextBox.h"
#include "shell/ControlTable.h"
#include "shell/Form1.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>

namespace zorbic {

namespace {

int pixels(int twips) {
    return twipsToPixels(0, 0, twips, 0).width();
}

} // namespace

void Form1::subMoreLessLayout(int widthMode, int heightMode) {
    intWidthMode = widthMode;
    intHeightMode = heightMode;
    // Only the inner (client) size is fixed; the menu bar keeps whatever height it needs, also
    // when it wraps onto two lines. No control moves: the window edge cuts them off.
    const int innerWidth = pixels(widthMode == 1 ? kNarrowWidth : kWideWidth);
    const int innerHeight = pixels(heightMode == 1 ? kShortHeight : kTallHeight);
    int menuHeight = menuBar()->heightForWidth(innerWidth);
    if (menuHeight <= 0) menuHeight = menuBar()->sizeHint().height();
    setFixedSize(innerWidth, innerHeight + menuHeight);
    List2->setVisible(heightMode != 1);

    auto picture = [this](int index) { return QIcon(picMore[index]->pixmap()); };
    Command2->setIcon(picture(widthMode == 1 ? 5 : 4));
    cmdMoreLess->setIcon(picture(heightMode == 1 ? 3 : 2));
    Command3->setIcon(picture(widthMode == 2 && heightMode == 2 ? 1 : 0));
    for (QPushButton *toggle : {Command2, cmdMoreLess, Command3})
        toggle->setIconSize(
            picMore[toggle == Command2 ? 4 : 0]->pixmap().deviceIndependentSize().toSize());
}

void Form1::cmdMoreLess_Click() {
    trap([&] {
        if (intHeightMode == 1 || intHeightMode == 2)
            subMoreLessLayout(intWidthMode, intHeightMode == 2 ? 1 : 2);
    });
}

bool Form1::eventFilter(QObject *watched, QEvent *event) {
    if (watched == Text4 && event->type() == QEvent::FocusIn) {
        Text1->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace zorbic
