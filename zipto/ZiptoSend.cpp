#include "zipto/ZiptoSend.h"

#include "keys/FormatKeys.h"
#include "keys/ParseKeys.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QString>

#include <algorithm>
#include <stdexcept>
#include <string_view>

namespace zorbic {

namespace {

// Checked before anything happens, so a typing mistake in the options never leaves half a
// send in the other application.
void checkNotation(const std::string &keys, const char *which) {
    const KeyParse parse = ParseKeys(keys);
    if (!parse.ok())
        throw std::runtime_error(std::string("The ") + which +
                                 " Keystrokes of the Zipto Options (" + keys +
                                 ") cannot be sent: " + parse.error + ". Nothing was sent.");
}

void checkActivation(WindowActivation outcome) {
    switch (outcome) {
    case WindowActivation::Activated:
        return;
    case WindowActivation::WindowGone:
        throw std::runtime_error("The application that Zipto types into has closed. Click into "
                                 "the application that should receive the result, then Zipto "
                                 "again. Nothing was sent.");
    case WindowActivation::Refused:
    case WindowActivation::TimedOut:
        break;
    }
    throw std::runtime_error("The desktop did not bring the application that Zipto types into "
                             "to the front. Nothing was sent.");
}

// The length of the UTF-8 sequence that starts with `lead` (1 for a stray byte).
std::size_t utf8Length(unsigned char lead) {
    if (lead >= 0xf0 && lead < 0xf8) return 4;
    if (lead >= 0xe0) return lead < 0xf0 ? 3 : 1;
    if (lead >= 0xc0) return 2;
    return 1;
}

} // namespace

std::vector<std::string> fnCharacterSends(const std::string &text, KeyCharacters characters) {
    std::vector<std::string> sends;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        // Copied list lines are joined by CR LF; each line break types one Enter.
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            sends.emplace_back("~");
            continue;
        }
        if (characters == KeyCharacters::Unicode) {
            const std::size_t n =
                std::min(utf8Length(static_cast<unsigned char>(c)), text.size() - i);
            sends.push_back("{" + text.substr(i, n) + "}");
            i += n - 1;
            continue;
        }
        std::string one = BraceEach(std::string_view(&c, 1));
        if (!ParseKeys(one).ok())
            throw std::runtime_error("Zipto can only type the characters of a keyboard; the "
                                     "text to send holds another one. Nothing was sent.");
        sends.push_back(std::move(one));
    }
    return sends;
}

void subZiptoSend(Platform &platform, const std::string &text, const std::uint64_t &hwndLastActive,
                  const ZiptoKeys &keys) {
    QCoreApplication::processEvents();

    const QString unsupported = platform.desktopUnsupportedReason();
    if (!unsupported.isEmpty()) {
        // The user still gets the result into the other application, by pasting it.
        if (text.empty()) throw std::runtime_error(unsupported.toStdString());
        platform.setClipboardText(QString::fromStdString(text));
        throw std::runtime_error(unsupported.toStdString() +
                                 " The result is on the clipboard instead: paste it with Ctrl+V.");
    }
    checkNotation(keys.before, "Before");
    checkNotation(keys.after, "After");
    const std::vector<std::string> sends = fnCharacterSends(text, platform.foregroundCharacters());
    // Without a target the keys would land in whatever window is in front, usually our own.
    if (hwndLastActive == 0)
        throw std::runtime_error("No other application has been active since Zorbic started. "
                                 "Click into the application that should receive the result, "
                                 "then Zipto again.");

    const std::uint64_t front = platform.foregroundWindow();
    if (front != hwndLastActive) checkActivation(platform.activateWindow(hwndLastActive));

    platform.sendKeysToForeground(keys.before);
    for (const std::string &one : sends)
        platform.sendKeysToForeground(one);
    platform.sendKeysToForeground(keys.after);

    // Bringing the calculator back is a courtesy: the result has arrived, so a refusal here
    // is not reported.
    if (keys.reactivate && front != 0) platform.activateWindow(front);
}

} // namespace zorbic
