#pragma once

#include <QDialog>
#include <QString>

#include <array>
#include <functional>

class QLabel;
class QPushButton;

namespace zorbic {

// The About box: logos, release and version, and a button that opens the maker's web page.
// It is created for each showing and remembers nothing; Escape or the close box closes it.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    // Opens a web page; the main window plugs in fnOpenWebPage with its message boxes, tests a
    // recorder, so no browser is ever started by a test.
    using WebPageOpener = std::function<void(const QString &url)>;

    static QString webAddress() { return QStringLiteral("https://zorbic.example.org/"); }

    explicit frmAbout(WebPageOpener openWebPage, QWidget *parent = nullptr);

    // Shows a fresh About box modal to the parent and returns when it is closed.
    static void subShowAbout(QWidget *parent, WebPageOpener openWebPage);

    QLabel *Image1 = nullptr;         // the maker's logo
    std::array<QLabel *, 2> Label2{}; // "TM" beside each logo
    QPushButton *Command1 = nullptr;  // "Visit " and the web address
    QLabel *Image2 = nullptr;         // the product-name logo
    QLabel *picIcon = nullptr;        // the program icon
    QLabel *lblRelease = nullptr;
    QLabel *lblVersion = nullptr;

    void Command1_Click();

private:
    WebPageOpener openWebPage_;
};

} // namespace zorbic
