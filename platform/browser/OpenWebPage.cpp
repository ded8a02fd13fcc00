#include "platform/browser/OpenWebPage.h"

#include "platform/Platform.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>

#include <utility>

namespace zorbic {

namespace {

constexpr int xdgMimeTimeoutMs = 3000;

// The general escapes of desktop entry values (\s \n \t \r \\). Any other backslash stays, so
// the quoting rules of Exec can still see it.
QString unescapeValue(const QString &value) {
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != u'\\' || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar next = value.at(i + 1);
        switch (next.unicode()) {
        case 's':
            out += u' ';
            break;
        case 'n':
            out += u'\n';
            break;
        case 't':
            out += u'\t';
            break;
        case 'r':
            out += u'\r';
            break;
        case '\\':
            out += u'\\';
            break;
        default:
            out += c;
            out += next;
            break;
        }
        ++i;
    }
    return out;
}

// Splits an Exec value into arguments: blanks separate them, double quotes group them, and
// inside quotes a backslash makes the next character literal (\" \` \$ \\).
QStringList splitExec(const QString &exec) {
    QStringList args;
    QString current;
    bool inQuotes = false, haveArg = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (inQuotes) {
            if (c == u'\\' && i + 1 < exec.size()) {
                current += exec.at(++i);
            } else if (c == u'"') {
                inQuotes = false;
            } else {
                current += c;
            }
        } else if (c == u'"') {
            inQuotes = true;
            haveArg = true;
        } else if (c.isSpace()) {
            if (haveArg) args << current;
            current.clear();
            haveArg = false;
        } else {
            current += c;
            haveArg = true;
        }
    }
    if (haveArg) args << current;
    return args;
}

std::optional<QString> desktopEntryExec(const QString &desktopFilePath) {
    QFile file(desktopFilePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return std::nullopt;
    QTextStream in(&file);
    bool inMainGroup = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(u'[')) {
            // Actions ("[Desktop Action new-window]") have Exec keys of their own.
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inMainGroup || !line.startsWith(QLatin1String("Exec"))) continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0 || line.left(eq).trimmed() != QLatin1String("Exec")) continue;
        return unescapeValue(line.mid(eq + 1).trimmed());
    }
    return std::nullopt;
}

} // namespace

QString webPageMessageText(OpenWebPageOutcome outcome) {
    switch (outcome) {
    case OpenWebPageOutcome::NoBrowser:
        return QStringLiteral("Could not find associated Browser");
    case OpenWebPageOutcome::StartFailed:
        return QStringLiteral("Web Page not Opened");
    case OpenWebPageOutcome::Started:
        break;
    }
    return {};
}

QString webPageMessageTitle(OpenWebPageOutcome outcome) {
    switch (outcome) {
    case OpenWebPageOutcome::NoBrowser:
        return QStringLiteral("Browser Not Found");
    case OpenWebPageOutcome::StartFailed:
        return QStringLiteral("URL Failed");
    case OpenWebPageOutcome::Started:
        break;
    }
    return {};
}

std::optional<QString> defaultBrowserDesktopId() {
    QProcess xdgMime;
    xdgMime.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                               QStringLiteral("x-scheme-handler/http")});
    if (!xdgMime.waitForFinished(xdgMimeTimeoutMs)) {
        xdgMime.kill();
        xdgMime.waitForFinished(xdgMimeTimeoutMs);
        return std::nullopt;
    }
    if (xdgMime.exitStatus() != QProcess::NormalExit || xdgMime.exitCode() != 0)
        return std::nullopt;
    // With nothing registered xdg-mime prints nothing and still succeeds.
    const QString id =
        QString::fromLocal8Bit(xdgMime.readAllStandardOutput()).section(u'\n', 0, 0).trimmed();
    if (id.isEmpty()) return std::nullopt;
    return id;
}

std::optional<QStringList> browserCommandLine(const QString &desktopFilePath, const QString &url) {
    const std::optional<QString> exec = desktopEntryExec(desktopFilePath);
    if (!exec) return std::nullopt;
    QStringList args = splitExec(*exec);
    // The program itself never carries field codes; one that does is no command at all.
    if (args.isEmpty() || QString(args.first()).remove(QStringLiteral("%%")).contains(u'%'))
        return std::nullopt;
    QStringList command{args.takeFirst().replace(QStringLiteral("%%"), QStringLiteral("%"))};
    bool urlPlaced = false;
    for (const QString &arg : std::as_const(args)) {
        if (!arg.contains(u'%')) {
            command << arg;
            continue;
        }
        QString expanded;
        for (qsizetype i = 0; i < arg.size(); ++i) {
            if (arg.at(i) != u'%' || i + 1 == arg.size()) {
                expanded += arg.at(i);
                continue;
            }
            const QChar code = arg.at(++i);
            if (code == u'%') {
                expanded += u'%';
            } else if (QStringLiteral("uUfF").contains(code) && !urlPlaced) {
                expanded += url;
                urlPlaced = true;
            }
            // Every other field code (%i %c %k, the deprecated ones, a second %u) is dropped.
        }
        if (!expanded.isEmpty()) command << expanded;
    }
    if (!urlPlaced) command << url;
    return command;
}

OpenWebPageOutcome fnOpenWebPage(const QString &url, const WebPageWarning &warn) {
    auto fail = [&](OpenWebPageOutcome outcome) {
        if (warn) warn(webPageMessageText(outcome), webPageMessageTitle(outcome));
        return outcome;
    };

    const std::optional<QString> desktopId = defaultBrowserDesktopId();
    if (!desktopId) return fail(OpenWebPageOutcome::NoBrowser);
    const QString desktopFile =
        QStandardPaths::locate(QStandardPaths::ApplicationsLocation, *desktopId);
    if (desktopFile.isEmpty()) return fail(OpenWebPageOutcome::NoBrowser);
    std::optional<QStringList> command = browserCommandLine(desktopFile, url);
    if (!command) return fail(OpenWebPageOutcome::NoBrowser);

    // Started directly, not through a shell, so nothing in the address is ever interpreted.
    const QString program = command->takeFirst();
    if (!QProcess::startDetached(program, *command)) return fail(OpenWebPageOutcome::StartFailed);
    return OpenWebPageOutcome::Started;
}

OpenWebPageOutcome fnOpenWebPage(const QString &url, Platform &platform) {
    return fnOpenWebPage(url, [&platform](const QString &text, const QString &title) {
        platform.msgBox(text, MsgButtons::Ok, MsgIcon::Exclamation, title);
    });
}

} // namespace zorbic
