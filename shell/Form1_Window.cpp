#include "entry/TextBox.h"
#include "shell/ControlTable.h"
#include "shell/Form1.h"

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QWindow>

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

    auto picture = [this](int index) { return picMore[index]->pixmap(); };
    auto show = [](QPushButton *button, const QPixmap &pixmap) {
        button->setIcon(QIcon(pixmap));
        button->setIconSize(pixmap.deviceIndependentSize().toSize());
    };
    show(Command2, picture(widthMode == 1 ? 5 : 4));
    show(cmdMoreLess, picture(heightMode == 1 ? 3 : 2));
    show(Command3, picture(widthMode == 2 && heightMode == 2 ? 1 : 0));
}

void Form1::Command2_Click() {
    trap([&] {
        if (intWidthMode == 1 || intWidthMode == 2)
            subMoreLessLayout(intWidthMode == 2 ? 1 : 2, intHeightMode);
        subFocusLastControl();
    });
}

void Form1::cmdMoreLess_Click() {
    trap([&] {
        if (intHeightMode == 1 || intHeightMode == 2)
            subMoreLessLayout(intWidthMode, intHeightMode == 2 ? 1 : 2);
        subFocusLastControl();
    });
}

void Form1::Command3_Click() {
    trap([&] {
        const int mode = intWidthMode == 2 && intHeightMode == 2 ? 1 : 2;
        subMoreLessLayout(mode, mode);
        subFocusLastControl();
    });
}

// Back to where the user was typing, or to the expression box when that control is now hidden.
void Form1::subFocusLastControl() {
    if (ctlLastFocus && ctlLastFocus->isVisible())
        ctlLastFocus->setFocus(Qt::OtherFocusReason);
    else
        Text1->setFocus(Qt::OtherFocusReason);
}

// "On Top", the menu item and Ctrl+T flip the check box, whose click does the work.
void Form1::mnuExtraStayOnTop_Click() {
    trap([&] {
        Check2->setChecked(!Check2->isChecked());
        Check2_Click();
    });
}

void Form1::Check2_Click() {
    trap([&] {
        const bool on = Check2->isChecked();
        mnuExtraStayOnTop->setChecked(on);
        // Changing the flag on the native window keeps the same window and its place.
        if (QWindow *window = windowHandle()) window->setFlag(Qt::WindowStaysOnTopHint, on);
    });
}

bool Form1::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::FocusIn:
        if (watched == Text4) {
            // The off-screen box is first in the tab order; it hands the focus on at once.
            Text1->setFocus(Qt::OtherFocusReason);
        } else if (watched == Text1 || watched == List1 || watched == List2) {
            ctlLastFocus = static_cast<QWidget *>(watched);
        }
        break;
    case QEvent::KeyPress:
        if (watched == List1 || watched == List2)
            return List_KeyDown(static_cast<QListWidget *>(watched),
                                static_cast<QKeyEvent *>(event));
        break;
    case QEvent::MouseMove:
        if (watched == List1->viewport())
            List_MouseMove(List1, static_cast<QMouseEvent *>(event));
        else if (watched == List2->viewport())
            List_MouseMove(List2, static_cast<QMouseEvent *>(event));
        break;
    case QEvent::MouseButtonPress:
        if (watched == List1->viewport())
            List_MouseDown(List1, static_cast<QMouseEvent *>(event));
        else if (watched == List2->viewport())
            List_MouseDown(List2, static_cast<QMouseEvent *>(event));
        break;
    case QEvent::MouseButtonDblClick:
        if (watched == Label1) {
            mnuClearResults_Click();
            return true;
        }
        if (watched == Label3) {
            mnuEditClearStorage_Click();
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (watched == lblDegRad) {
            lblDegRad_Click();
            return true;
        }
        if (watched == Label5) {
            mnuExtraStayOnTop_Click();
            return true;
        }
        if (watched == Label6) {
            Label6_Click();
            return true;
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace zorbic
