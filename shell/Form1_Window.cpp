#include "entry/TextBox.h"
#include "platform/Platform.h"
#include "platform/Twips.h"
#include "shell/ControlTable.h"
#include "shell/Form1.h"
#include "shell/Pictures.h"

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
#include <QRadioButton>
#include <QWindow>
#include <algorithm>

namespace zorbic {

namespace {

int pixels(int twips) {
    return TwipsToPixels(twips);
}

// System colours as the program writes them: the high bit marks a system colour, the low byte
// is its index (15 button face, 16 button shadow).
constexpr unsigned kButtonFace = 0x8000000F;
constexpr unsigned kButtonShadow = 0x80000010;

unsigned backColor(const QPushButton *button) {
    const QVariant color = button->property("BackColor");
    return color.isValid() ? color.toUInt() : kButtonFace;
}

// Button face is the style's own button colour; button shadow its darker edge colour.
void setBackColor(QPushButton *button, unsigned color) {
    button->setProperty("BackColor", color);
    if (!button->property("graphical").toBool()) return;
    if (color == kButtonShadow) {
        QPalette palette = button->palette();
        palette.setColor(QPalette::Button, palette.color(QPalette::Dark));
        button->setPalette(palette);
    } else {
        button->setPalette(QPalette());
    }
}

// The buttons that take the highlight when the mouse moves over them.
std::vector<QPushButton *> highlightButtons(const Form1 &form) {
    std::vector<QPushButton *> buttons(form.Command1.begin(), form.Command1.end());
    buttons.insert(buttons.end(),
                   {form.cmdStore, form.cmdCopyHistoryItems, form.cmdCopyStorageItems,
                    form.cmdClearStorage, form.cmdDeleteItem, form.Command2, form.cmdMoreLess,
                    form.Command3, form.Command4, form.Command5, form.Command8});
    return buttons;
}

// The controls that can have the keyboard focus.
bool takesKeys(const Form1 &form, const QObject *watched) {
    return watched == form.Text1 || watched == form.List1 || watched == form.List2 ||
           watched == form.Check1 || watched == form.Check2 || watched == form.Option1[0] ||
           watched == form.Option1[1] || watched == form.Option1[2];
}

} // namespace

// Only the inner (client) size is fixed; the menu bar keeps whatever height it needs, also when
// it wraps onto two lines. No control moves: the window edge cuts them off.
void Form1::subFixWindowSize(int widthMode, int heightMode) {
    const int innerWidth = pixels(widthMode == 1 ? kNarrowWidth : kWideWidth);
    const int innerHeight = pixels(heightMode == 1 ? kShortHeight : kTallHeight);
    int menuHeight = menuBar()->heightForWidth(innerWidth);
    if (menuHeight <= 0) menuHeight = menuBar()->sizeHint().height();
    setFixedSize(innerWidth, innerHeight + menuHeight);
}

void Form1::subMoreLessLayout(int widthMode, int heightMode) {
    intWidthMode = widthMode;
    intHeightMode = heightMode;
    subFixWindowSize(widthMode, heightMode);
    List2->setVisible(heightMode != 1);

    // Each button draws the holder's picture itself, in its own palette's colours.
    auto show = [this](QPushButton *button, int index) {
        const QSize size = picMore[index]->property("pictureSize").toSize();
        button->setIcon(pictureIcon(
            static_cast<Picture>(picMore[index]->property("picture").toInt()), size, button));
        button->setIconSize(size);
    };
    show(Command2, widthMode == 1 ? 5 : 4);
    show(cmdMoreLess, heightMode == 1 ? 3 : 2);
    show(Command3, widthMode == 2 && heightMode == 2 ? 1 : 0);
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
        platform_.setStayOnTop(this, on);
    });
}

void Form1::mnuExtraMinimizeForm_Click() {
    trap([&] { showMinimized(); });
}

// The highlight is the button's background colour: button shadow under the mouse, button face
// otherwise. Only a button whose colour is exactly button shadow is ever reset. A button in
// the standard style (keypad "e") records the colour but keeps the style's own face.
Integer Form1::fnBoldControl(QPushButton *ctrl, bool dontbold) {
    trap([&] {
        if (bLoading) return;
        if (ctlHighlighted && backColor(ctlHighlighted) == kButtonShadow)
            setBackColor(ctlHighlighted, kButtonFace);
        if (dontbold) return;
        ctlHighlighted = ctrl;
        setBackColor(ctrl, kButtonShadow);
    });
    return 0;
}

Integer Form1::fnUnBoldControl() {
    trap([&] {
        if (ctlHighlighted && backColor(ctlHighlighted) == kButtonShadow)
            setBackColor(ctlHighlighted, kButtonFace);
    });
    return 0;
}

// "Move Cursor Right" acts on the press of any mouse button, "Move Cursor Left" on a click.
void Form1::Command5_MouseDown() {
    trap([&] {
        Text1->setFocus(Qt::OtherFocusReason);
        platform_.sendKeys("{right}", false);
    });
}

void Form1::Command8_Click() {
    trap([&] {
        Text1->setFocus(Qt::OtherFocusReason);
        platform_.sendKeys("{left}", false);
    });
}

void Form1::connectWindowHandlers() {
    ctlHighlighted = Command1[1];
    connect(mnuExtraMinimizeForm, &QAction::triggered, this, &Form1::mnuExtraMinimizeForm_Click);
    connect(Command8, &QPushButton::clicked, this, &Form1::Command8_Click);
    // Mouse moves without a button pressed drive the highlight and the box's tip.
    for (QPushButton *button : highlightButtons(*this)) {
        button->setMouseTracking(true);
        button->installEventFilter(this);
    }
    for (QWidget *widget : {client_, static_cast<QWidget *>(Text1)}) {
        widget->setMouseTracking(true);
        widget->installEventFilter(this);
    }
}

bool Form1::isWindowShortcut(const QKeyEvent *key) const {
    const QKeySequence pressed(
        QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
    const QList<QAction *> actions = findChildren<QAction *>();
    return std::any_of(actions.begin(), actions.end(), [&](const QAction *action) {
        return !action->shortcut().isEmpty() && action->shortcut() == pressed;
    });
}

bool Form1::eventFilter(QObject *watched, QEvent *event) {
    bool handled = false;
    switch (event->type()) {
    case QEvent::FocusIn:
        if (watched == Text4) {
            // The off-screen box is first in the tab order; it hands the focus on at once.
            Text1->setFocus(Qt::OtherFocusReason);
        } else if (watched == Text1 || watched == List1 || watched == List2) {
            ctlLastFocus = static_cast<QWidget *>(watched);
        }
        break;
    case QEvent::ShortcutOverride:
        // A control would claim some of the window's keys as its own (the box takes Ctrl+X as
        // its cut and Ctrl+E as End); the window's menu shortcuts win wherever the focus is.
        if (takesKeys(*this, watched) && isWindowShortcut(static_cast<QKeyEvent *>(event))) {
            event->ignore();
            return true;
        }
        break;
    case QEvent::KeyPress:
        if (takesKeys(*this, watched)) {
            // The window previews every key before the focused control. (Only at the
            // control: a key the control leaves goes on to its parent, and is not seen again.)
            auto *key = static_cast<QKeyEvent *>(event);
            const bool cancelDown = Form_KeyDown(key);
            if (cancelDown || Form_KeyPress(key)) return true;
            if (watched == List1 || watched == List2)
                return List_KeyDown(static_cast<QListWidget *>(watched), key);
        }
        break;
    default:
        handled = windowEvent(watched, event);
        break;
    }
    return handled || QMainWindow::eventFilter(watched, event);
}

// Mouse events of the window's controls. Returns true when the event is consumed.
bool Form1::windowEvent(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (watched == List1->viewport()) {
            fnUnBoldControl();
            List_MouseMove(List1, mouse);
        } else if (watched == List2->viewport()) {
            fnUnBoldControl();
            List_MouseMove(List2, mouse);
        } else if (watched == client_) {
            // Moves over a label or the frame reach the background too; they change nothing.
            if (client_->childAt(mouse->position().toPoint()) == nullptr) fnUnBoldControl();
        } else if (watched == Text1) {
            fnUnBoldControl();
            // A long expression can be read whole in the tip.
            if (Text1->toolTip() != Text1->text()) Text1->setToolTip(Text1->text());
        } else if (auto *button = qobject_cast<QPushButton *>(watched)) {
            fnBoldControl(button);
        }
        return false;
    }
    case QEvent::MouseButtonPress:
        if (watched == List1->viewport())
            List_MouseDown(List1, static_cast<QMouseEvent *>(event));
        else if (watched == List2->viewport())
            List_MouseDown(List2, static_cast<QMouseEvent *>(event));
        else if (watched == Command5)
            Command5_MouseDown();
        return false;
    case QEvent::MouseButtonDblClick:
        // A label's double-click is its own (three of them clear an area); only the bare
        // window background minimizes.
        if (watched == Label1) {
            mnuClearResults_Click();
        } else if (watched == Label2) {
            mnuEditClearExpression_Click();
        } else if (watched == Label3) {
            mnuEditClearStorage_Click();
        } else if (watched == client_) {
            mnuExtraMinimizeForm_Click();
        } else if (qobject_cast<QLabel *>(watched) != nullptr) {
            // The release that ends a double-click is no second click.
            watched->setProperty("releaseEndsDoubleClick", true);
        } else {
            return false;
        }
        return true;
    case QEvent::MouseButtonRelease:
        if (qobject_cast<QLabel *>(watched) != nullptr &&
            watched->property("releaseEndsDoubleClick").toBool()) {
            watched->setProperty("releaseEndsDoubleClick", false);
            return true;
        }
        if (watched == lblDegRad) {
            lblDegRad_Click();
            return true;
        }
        if (watched == Label4) {
            Label4_Click();
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
        return false;
    default:
        return false;
    }
}

QPoint Form1::dialogPosition() const {
    return frameGeometry().topLeft() + QPoint(TwipsToPixels(500), TwipsToPixels(500));
}

} // namespace zorbic
