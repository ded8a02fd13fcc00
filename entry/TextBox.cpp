#include "entry/TextBox.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace zorbic {

TextBox::TextBox(QWidget *parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, &TextBox::dropLineBreaks);
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
