#pragma once

#include "platform/Platform.h"
#include "platform/keysend/QtKeySender.h"

#include <QList>
#include <QString>
#include <deque>
#include <string>
#include <vector>

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

    // Key sending and window placement: every call is recorded. Keys are also delivered
    // through the real QtKeySender (unless deliverKeys is off), so tests see them arrive
    // through the widgets' own key handlers.
    struct SentKeys {
        std::string notation;
        bool wait;
    };
    struct StayOnTop {
        QWidget *window;
        bool on;
    };
    std::vector<SentKeys> sentKeys;
    std::vector<StayOnTop> stayOnTopCalls;
    bool deliverKeys = true;

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

    void sendKeys(std::string_view notation, bool wait) override {
        sentKeys.push_back({std::string(notation), wait});
        if (deliverKeys) keySender_.sendKeys(notation, wait);
    }

    void setStayOnTop(QWidget *window, bool on) override { stayOnTopCalls.push_back({window, on}); }

    QStringList texts() const {
        QStringList all;
        for (const Shown &s : shown)
            all << s.text;
        return all;
    }

private:
    QtKeySender keySender_;
};

} // namespace zorbic
