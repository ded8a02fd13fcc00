#include "entry/TextBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QValidator>
#include <limits>

namespace zorbic {

// The line edit undoes every edit of the user's that its validator calls invalid, whichever way
// the text came (keys, Ctrl+V, the context menu, the middle button, a drop, an input method), so
// the length is judged here, once, for all of them. A program write (setText) is not undone by
// the line edit: setState checks those itself.
class LengthLimit : public QValidator {
public:
    explicit LengthLimit(TextBox *box) : QValidator(box), box_(box) {}

    State validate(QString &input, int &) const override {
        if (FitsInBox(static_cast<std::size_t>(input.size()))) return Acceptable;
        box_->refused();
        return Invalid;
    }

private:
    TextBox *box_;
};

TextBox::TextBox(QWidget *parent) : QLineEdit(parent) {
    // The line edit's own limit (32,767 by default) cuts longer texts without a word; the
    // validator refuses them instead.
    setMaxLength(std::numeric_limits<int>::max());
    setValidator(new LengthLimit(this));
    connect(this, &QLineEdit::textChanged, this, &TextBox::dropLineBreaks);
}

// The message waits until the line edit has finished undoing the edit. A program write that
// the validator also saw stays in the box, and is no refusal.
void TextBox::refused() {
    if (refusalPending_) return;
    refusalPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            refusalPending_ = false;
            if (FitsInBox(static_cast<std::size_t>(text().size()))) emit tooLong();
        },
        Qt::QueuedConnection);
}

BoxState TextBox::state() const {
    BoxState state;
    state.text = text().toStdU16String();
    const bool selected = hasSelectedText();
    state.SelStart = ToInteger(selected ? selectionStart() : cursorPosition());
    state.SelLength = ToInteger(selected ? selectedText().size() : 0);
    return state;
}

void TextBox::setState(const BoxState &state) {
    CheckedLength(state.text);
    const QString wanted = QString::fromStdU16String(state.text);
    if (text() != wanted) setText(wanted);
    if (state.SelLength > 0)
        setSelection(state.SelStart, state.SelLength);
    else
        setCursorPosition(state.SelStart);
}

void TextBox::keyPressEvent(QKeyEvent *event) {
    if (keyHandler && keyHandler(event)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TextBox::mousePressEvent(QMouseEvent *event) {
    QLineEdit::mousePressEvent(event);
    emit clicked();
}

void TextBox::focusOutEvent(QFocusEvent *event) {
    const bool selected = hasSelectedText();
    const int start = selectionStart();
    const auto length = static_cast<int>(selectedText().size());
    QLineEdit::focusOutEvent(event);
    if (selected && !hasSelectedText()) setSelection(start, length);
}

void TextBox::dropLineBreaks() {
    QString current = text();
    if (!current.contains(QLatin1Char('\r')) && !current.contains(QLatin1Char('\n'))) return;
    const int caret = cursorPosition();
    const int before = static_cast<int>(current.left(caret).count(QLatin1Char('\r')) +
                                        current.left(caret).count(QLatin1Char('\n')));
    current.remove(QLatin1Char('\r'));
    current.remove(QLatin1Char('\n'));
    setText(current);
    setCursorPosition(caret - before);
}

} // namespace zorbic
