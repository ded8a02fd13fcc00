#include "zipto/ZiptoSend.h"

#include "keys/FormatKeys.h"
#include "keys/ParseKeys.h"
#include "keys/Utf8.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QString>

#include <stdexcept>
#include <string_view>

namespace zorbic {

namespace {

// Checked before anything happens, so a typing mistake in the options never leaves half a
// send in the other application.
void checkNotation(const std::string &keys, const char *which, KeyCharacters characters) {
    const KeyParse parse = ParseKeys(keys, characters);
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
        // A character of several UTF-8 bytes goes whole into its braces.
        const auto decoded = DecodeUtf8(text, i);
        const std::size_t length = decoded ? decoded->length : 1;
        std::string one = BraceEach(std::string_view(text).substr(i, length));
        i += length - 1;
        if (!ParseKeys(one, characters).ok())
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
    const KeyCharacters characters = platform.foregroundCharacters();
    checkNotation(keys.before, "Before", characters);
    checkNotation(keys.after, "After", characters);
    const std::vector<std::string> sends = fnCharacterSends(text, characters);
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
