#pragma once

#include "keys/ParseKeys.h"
#include "platform/Platform.h"
#include "platform/keysend/QtKeySender.h"

#include <QList>
#include <QString>
#include <deque>
#include <functional>
#include <map>
#include <stdexcept>
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

    // Zipto's desktop: a scripted set of windows. Every query, activation and key string is
    // logged in order in desktopLog ("foreground", "activate 7", "keys {4}"). An activation
    // that succeeds puts that window in front; key strings go nowhere but the log.
    QString unsupportedReason;
    WindowId foreground = 0;
    std::vector<WindowId> ownIds;
    std::map<WindowId, std::optional<std::int64_t>> pids; // a window not listed: pid 1
    std::map<WindowId, WindowActivation> activations;     // a window not listed: Activated
    std::vector<std::string> desktopLog;
    // With announcesForeground the desktop reports changes of the window in front: the test
    // plays the desktop by calling foregroundChanged.
    bool announcesForeground = false;
    std::function<void()> foregroundChanged;
    KeyCharacters characters = KeyCharacters::Ascii;

    QString desktopUnsupportedReason() override { return unsupportedReason; }
    WindowId foregroundWindow() override {
        desktopLog.push_back("foreground");
        return foreground;
    }
    bool watchForeground(std::function<void()> changed) override {
        if (!announcesForeground) return false;
        foregroundChanged = std::move(changed);
        return true;
    }
    std::vector<WindowId> ownWindowIds() override { return ownIds; }
    std::optional<std::int64_t> windowPid(WindowId window) override {
        const auto found = pids.find(window);
        return found == pids.end() ? std::optional<std::int64_t>(1) : found->second;
    }
    WindowActivation activateWindow(WindowId window) override {
        desktopLog.push_back("activate " + std::to_string(window));
        const auto found = activations.find(window);
        const WindowActivation outcome =
            found == activations.end() ? WindowActivation::Activated : found->second;
        if (outcome == WindowActivation::Activated) foreground = window;
        return outcome;
    }
    KeyCharacters foregroundCharacters() override { return characters; }
    void sendKeysToForeground(std::string_view notation) override {
        const KeyParse parse = ParseKeys(notation, characters);
        if (!parse.ok()) throw std::invalid_argument(parse.error);
        desktopLog.push_back("keys " + std::string(notation));
    }

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
