#include "entry/TextBox.h"
#include "entry/rules/Editing.h"
#include "keys/ParseKeys.h"
#include "lists/Failure.h"
#include "platform/Platform.h"
#include "shell/Form1.h"

#include <QAction>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

namespace zorbic {

namespace {

Qt::KeyboardModifiers shiftState(const QKeyEvent *event) {
    return event->modifiers() & ~Qt::KeypadModifier;
}

bool isKeypadDigit(const QKeyEvent *event, Qt::Key key) {
    return event->key() == key && (event->modifiers() & Qt::KeypadModifier);
}

} // namespace

void Form1::connectEditingHandlers() {
    for (int i = 0; i < static_cast<int>(Command1.size()); ++i)
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    // Clicking Check1 toggles it by itself; "(x)" beside it toggles it through Label4_Click.
    for (QWidget *watched : std::initializer_list<QWidget *>{Check1, Check2, Option1[0], Option1[1],
                                                             Option1[2], Label2, Label4})
        watched->installEventFilter(this);

    connect(mnuEditUndo, &QAction::triggered, this, &Form1::mnuEditUndo_Click);
    connect(mnuEditCopy, &QAction::triggered, this, &Form1::mnuEditCopy_Click);
    connect(mnuEditCut, &QAction::triggered, this, &Form1::mnuEditCut_Click);
    connect(mnuEditPaste, &QAction::triggered, this, &Form1::mnuEditPaste_Click);
    connect(mnuEditEditExpression, &QAction::triggered, this, &Form1::mnuEditEditExpression_Click);
    connect(mnuEditClearExpression, &QAction::triggered, this,
            &Form1::mnuEditClearExpression_Click);
    connect(mnuExtraSurroundParen, &QAction::triggered, this, &Form1::mnuExtraSurroundParen_Click);
    connect(mnuFunctionsLeftParen, &QAction::triggered, this, &Form1::mnuFunctionsLeftParen_Click);
    connect(mnuFunctionsRightParen, &QAction::triggered, this,
            &Form1::mnuFunctionsRightParen_Click);
}

// The one way the keypad, the window keys and the list inserts put text into the box. Direct
// mode writes it around the selection; otherwise it is typed as keys, which arrive after this
// handler has returned and pass the box's key handler like typed keys.
void Form1::subSendKeys(const std::string &s, [[maybe_unused]] bool ecr, bool SendOneAtATime,
                        [[maybe_unused]] bool atEnd) {
    trap([&] {
        if (Check1->isChecked() && SendOneAtATime) {
            Check1->setChecked(false);
            Text1->selectAll();
        }
        Text1->setFocus(Qt::OtherFocusReason);
        if (SendOneAtATime) {
            Text1->setState(
                InsertDirect(Text1->state(), QString::fromStdString(s).toStdU16String()));
            Text1->setFocus(Qt::OtherFocusReason);
        } else {
            // Keys typed one at a time would stop half way at the box's limit (PI as a lone P):
            // what does not fit whole is refused before the first key.
            const auto typed = std::ranges::count_if(ParseKeys(s).strokes, [](const KeyStroke &k) {
                return k.key == Key::Character && !k.ctrl && !k.alt;
            });
            const auto kept = Text1->text().size() - Text1->selectedText().size();
            if (!FitsInBox(static_cast<std::size_t>(kept + typed))) throw Failure(kBoxFullText);
            platform_.sendKeys(s, false);
        }
    });
}

void Form1::Command1_Click(int Index) {
    if (Index == kSurroundButton) {
        Command1_Surround();
        return;
    }
    const KeypadKey key = KeypadText(Index);
    subSendKeys(std::string(key.text), key.ecr, key.direct, key.atEnd);
}

// "(x)": a selection is parenthesised without its blanks; otherwise the keys Home ( End )
// surround the line.
void Form1::Command1_Surround() {
    trap([&] {
        const BoxState box = Text1->state();
        if (box.SelLength >= 1) {
            Text1->setState(SurroundSelection(box));
            Text1->setFocus(Qt::OtherFocusReason);
            return;
        }
        subSendKeys(std::string(KeypadText(kSurroundButton).text), false, false, false);
    });
}

// The window sees every key before the focused control. Returns true when the key is cancelled.
bool Form1::Form_KeyDown(QKeyEvent *event) {
    bool cancel = false;
    trap([&] {
        const bool ctrlOnly = shiftState(event) == Qt::ControlModifier;
        // The Ctrl+keypad digits type nothing into the control: they are commands only.
        if (ctrlOnly && isKeypadDigit(event, Qt::Key_1)) {
            cancel = true;
            mnuEditClearExpression_Click();
        } else if (ctrlOnly && isKeypadDigit(event, Qt::Key_2)) {
            cancel = true;
            mnuClearResults_Click();
        } else if (ctrlOnly && isKeypadDigit(event, Qt::Key_3)) {
            cancel = true;
            mnuEditClearStorage_Click();
        } else if (event->key() == Qt::Key_F2) {
            // Selects the current line of the focused control.
            platform_.sendKeys("{home}+{end}", false);
        } else if (event->key() == Qt::Key_Escape) {
            mnuExtraMinimizeForm_Click();
        }
    });
    return cancel;
}

bool Form1::Form_KeyPress(QKeyEvent *event) {
    bool cancel = false;
    trap([&] {
        // Only keys that type a character; Ctrl and Alt chords type none.
        if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return;
        if (event->text().size() != 1) return;
        const char16_t k = event->text().at(0).unicode();
        const bool inBox = ctlLastFocus == Text1;
        if (k >= u'0' && k <= u'9') {
            // A digit typed in a list starts over in the box; the list sees the key too.
            if (!inBox) {
                Text1->setFocus(Qt::OtherFocusReason);
                platform_.sendKeys(std::string(1, static_cast<char>(k)), false);
            }
        } else if (const std::string_view forwarded = ForwardedOperator(k); !forwarded.empty()) {
            if (!inBox) subSendKeys(std::string(forwarded), true, false, true);
        } else if (k == u'`') {
            // Backspace in the box from anywhere in the window.
            cancel = true;
            subSendKeys("{bs}", true, false, true);
        } else if (k == u'[' || k == u']') {
            cancel = true;
            Label4_Click();
        }
    });
    return cancel;
}

// The box's own command keys. Returns true when the key is cancelled.
bool Form1::Text1_CommandKeys(QKeyEvent *event) {
    const Qt::KeyboardModifiers mods = shiftState(event);
    const bool none = mods == Qt::NoModifier;
    const bool ctrl = mods == Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (ctrl) {
            mnuExtraSurroundParen_Click();
            return true;
        }
        if (!none) return false; // Shift+PageUp and the like are the box's own
        event->key() == Qt::Key_PageUp ? mnuFunctionsLeftParen_Click()
                                       : mnuFunctionsRightParen_Click();
        return true;
    case Qt::Key_Up:
        trap([&] {
            if (none) {
                (List2->isVisible() ? List2 : List1)->setFocus(Qt::OtherFocusReason);
            } else if (ctrl) {
                if (List2->isHidden()) cmdMoreLess_Click();
                List2->setFocus(Qt::OtherFocusReason);
            }
        });
        return true;
    case Qt::Key_Down:
        trap([&] { List1->setFocus(Qt::OtherFocusReason); });
        return true;
    default:
        return false;
    }
}

// The Edit menu leaves the focus where it was: its keys go to the focused control. Copy, Cut
// and Paste wait, so Cut's Delete always follows a finished copy.
void Form1::mnuEditUndo_Click() {
    trap([&] { platform_.sendKeys("^z", false); });
}

void Form1::mnuEditCopy_Click() {
    trap([&] { platform_.sendKeys("^c", true); });
}

void Form1::mnuEditCut_Click() {
    trap([&] {
        platform_.sendKeys("^c", true);
        platform_.sendKeys("{del}", true);
    });
}

void Form1::mnuEditPaste_Click() {
    trap([&] { platform_.sendKeys("^v", true); });
}

void Form1::mnuEditEditExpression_Click() {
    trap([&] {
        Text1->setFocus(Qt::OtherFocusReason);
        Text1->selectAll();
    });
}

void Form1::mnuEditClearExpression_Click() {
    trap([&] {
        if (!confirmedCantUndo(QStringLiteral("Clear Expression Box?\r\n\r\n"))) return;
        Text1->setText(QString());
        Text1->setFocus(Qt::OtherFocusReason);
        bFreshResult = false;
    });
}

// With a selection this is the "(x)" button; otherwise the whole text is parenthesised and the
// caret sent to the end.
void Form1::mnuExtraSurroundParen_Click() {
    trap([&] {
        Text1->setFocus(Qt::OtherFocusReason);
        if (Text1->hasSelectedText()) {
            bFreshResult = false;
            Command1_Click(kSurroundButton);
            return;
        }
        Text1->setState({u"(" + Text1->text().toStdU16String() + u")", 0, 0});
        bFreshResult = false;
        platform_.sendKeys("{end}", false);
    });
}

void Form1::mnuFunctionsLeftParen_Click() {
    trap([&] {
        Text1->setFocus(Qt::OtherFocusReason);
        platform_.sendKeys("{(}", false);
    });
}

void Form1::mnuFunctionsRightParen_Click() {
    trap([&] {
        Text1->setFocus(Qt::OtherFocusReason);
        platform_.sendKeys("{)}", false);
    });
}

// Arms or disarms the function surround: the next function button or typed key first selects
// the whole expression.
void Form1::Label4_Click() {
    trap([&] { Check1->setChecked(!Check1->isChecked()); });
}

} // namespace zorbic
