#include "shell/about/HelpWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace zorbic {

namespace {

const QString contentsPage = QStringLiteral("index.html");

[[maybe_unused]] bool isInside(const QString &path, const QString &folder) {
    const QString base = QDir::cleanPath(folder);
    const QString child = QDir::cleanPath(path);
    return child == base || child.startsWith(base + u'/');
}

} // namespace

QStringList helpFolderCandidates() {
    const QString appDir = QCoreApplication::applicationDirPath();
    QStringList folders{appDir + QStringLiteral("/help")};
#if defined(ZORBIC_SOURCE_HELP_DIR) && defined(ZORBIC_BUILD_DIR)
    // Only a program started from the build tree may read the sources' pages; an installed
    // copy must never pick up a stray checkout.
    if (isInside(appDir, QStringLiteral(ZORBIC_BUILD_DIR)))
        folders << QStringLiteral(ZORBIC_SOURCE_HELP_DIR);
#endif
    folders << QDir::cleanPath(appDir + QStringLiteral("/../share/zorbic/help"));
#ifdef ZORBIC_INSTALL_HELP_DIR
    folders << QStringLiteral(ZORBIC_INSTALL_HELP_DIR);
#endif
    folders.removeDuplicates();
    return folders;
}

QString findHelpFolder() {
    for (const QString &folder : helpFolderCandidates())
        if (QFileInfo::exists(folder + u'/' + contentsPage)) return folder;
    return {};
}

HelpWindow::HelpWindow(QWidget *parent) : QTextBrowser(parent) {
    // A top-level window even when it has an owner, so it lives beside the calculator.
    setWindowFlag(Qt::Window, true);
    setObjectName(QStringLiteral("helper"));
    setWindowTitle(QStringLiteral("Zorbic Help"));
    setOpenExternalLinks(true);
    resize(560, 480);
    connect(this, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Zorbic Help") : title);
    });
}

QString HelpWindow::noHelpText() {
    return QStringLiteral(
        "Unable to display Help Contents. There is no Help associated with this project.");
}

QString HelpWindow::notFoundText(const QStringList &looked) {
    QString text = QStringLiteral("Unable to display Help Contents. The help pages (%1) were not "
                                  "found. Looked in:")
                       .arg(contentsPage);
    for (const QString &folder : looked)
        text += u'\n' + QDir::toNativeSeparators(folder);
    return text;
}

QString HelpWindow::missingHelpText(const QString &path) {
    return QStringLiteral("Unable to display Help Contents. The help file \"%1\" was not found.")
        .arg(QDir::toNativeSeparators(path));
}

std::optional<QString> HelpWindow::showContents(const QString &helpFolder) {
    if (helpFolder.isEmpty()) return noHelpText();
    const QString path = QDir(helpFolder).filePath(contentsPage);
    // QTextBrowser shows an empty page for a missing file without any error, so look first.
    if (!QFileInfo(path).isFile()) return missingHelpText(path);
    setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    show();
    raise();
    activateWindow();
    return std::nullopt;
}

} // namespace zorbic
