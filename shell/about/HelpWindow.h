#pragma once

#include <QString>
#include <QStringList>
#include <QTextBrowser>

#include <optional>

namespace zorbic {

// Where the help pages are looked for, in order: "help" beside the executable; the source
// tree's help folder when the program runs from its build tree; the installed
// <prefix>/share/zorbic/help, found relative to the executable first and then at the configured
// install prefix.
QStringList helpFolderCandidates();

// The first candidate that holds index.html, or an empty text when none does. Both need a
// QCoreApplication (they ask it for the program's folder).
QString findHelpFolder();

// The help window "helper": a browser of the program's own HTML pages that stays open beside
// the calculator (not modal). Its title follows the <title> of the page shown.
class HelpWindow : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // Shows the contents page index.html of the folder and brings the window forward. When
    // there is no folder (findHelpFolder found none) or no such page, nothing is shown and the
    // message for the user is returned: noHelpText() or missingHelpText(path).
    std::optional<QString> showContents(const QString &helpFolder);

    // "Unable to display Help Contents. There is no Help associated with this project."; the
    // main window shows it with the information icon and its own caption as the title.
    static QString noHelpText();
    // The start-up search found no pages: says so and names the folders it looked in.
    static QString notFoundText(const QStringList &looked);
    static QString missingHelpText(const QString &path);
};

} // namespace zorbic
