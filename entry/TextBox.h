#pragma once

#include "entry/rules/BoxState.h"

#include <QLineEdit>
#include <functional>

namespace zorbic {

// The one-line expression box. Every key goes first to keyHandler (the form's key-down and
// key-press rules); when it returns true the key is swallowed, otherwise the box handles it as
// usual. The text never holds a carriage return or line feed: whatever puts one in (a paste,
// a program write) has it removed at once, so no text can break the line-based data file.
// An edit of the user's (typing, paste, drop) that would make the text longer than
// kMaxBoxLength is undone whole and reported by tooLong(); nothing is ever cut to fit.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget *parent = nullptr);

    std::function<bool(QKeyEvent *)> keyHandler;

    // The text with its selection (start and length; without one, the caret and 0) as the key
    // rules see it, and writing such a state back. state() fails with "Overflow" beyond 32,767
    // characters; setState() with kBoxFullText, leaving the box as it was.
    BoxState state() const;
    void setState(const BoxState &state);

signals:
    void clicked();
    // Emitted after the event that carried a refused edit, once the box is back as it was.
    void tooLong();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    // The selection outlives the focus: a list line double-clicked while part of the
    // expression is selected is inserted around that part.
    void focusOutEvent(QFocusEvent *event) override;

private:
    friend class LengthLimit;
    void refused();
    void dropLineBreaks();
    bool refusalPending_ = false;
};

} // namespace zorbic
