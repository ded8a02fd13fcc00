#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace zorbic {

class Platform;

enum class OpenWebPageOutcome { Started, NoBrowser, StartFailed };

// What the user is told for a failed outcome: the message and the title of its exclamation box.
// Empty texts for Started.
QString webPageMessageText(OpenWebPageOutcome outcome);
QString webPageMessageTitle(OpenWebPageOutcome outcome);

// Starts the user's default web browser with the address as its argument and does not wait
// for it. The browser is the desktop's handler of http links (xdg-mime); its .desktop file gives
// the command line, which is started directly, without a shell. A failure is reported through
// warn(text, title) and returned; a browser that starts and then fails counts as started.
using WebPageWarning = std::function<void(const QString &text, const QString &title)>;
OpenWebPageOutcome fnOpenWebPage(const QString &url, const WebPageWarning &warn);

// The same, with the failure shown as an OK box with the exclamation icon through the platform.
OpenWebPageOutcome fnOpenWebPage(const QString &url, Platform &platform);

// The desktop file id of the default http handler ("firefox.desktop"), or nothing when none is
// registered or xdg-mime cannot be run.
std::optional<QString> defaultBrowserDesktopId();

// The command line of a desktop entry's Exec key with the address put in: the first file or
// URL field code (%u %U %f %F) becomes the address, every other field code is dropped, and the
// address is appended when there was no such code. Program first. Nothing when the entry has
// no usable Exec key.
std::optional<QStringList> browserCommandLine(const QString &desktopFilePath, const QString &url);

} // namespace zorbic
