#pragma once

#include "platform/Platform.h"

#include <QList>
#include <QString>
#include <deque>

namespace zorbic {

// A recording stand-in for tests: every message box is logged, and Yes/No questions take
// their answer from a scripted queue (Yes when the queue is empty). Nothing is ever shown, and
// the clipboard is a plain string.
class FakePlatform : public Platform {
public:
    struct Shown {
        QString text;
        MsgButtons buttons;
        MsgIcon icon;
        QString title;
    };

    QList<Shown> shown;
    std::deque<MsgResult> answers;
    QString clipboard;
    int clipboardWrites = 0;

    MsgResult msgBox(const QString &text, MsgButtons buttons, MsgIcon icon,
                     const QString &title) override {
        shown.append({text, buttons, icon, title});
        if (buttons == MsgButtons::Ok) return MsgResult::Ok;
        if (answers.empty()) return MsgResult::Yes;
        const MsgResult answer = answers.front();
        answers.pop_front();
        return answer;
    }

    void setClipboardText(const QString &text) override {
        clipboard = text;
        ++clipboardWrites;
    }

    QStringList texts() const {
        QStringList all;
        for (const Shown &s : shown)
            all << s.text;
        return all;
    }
};

} // namespace zorbic
