#include "shell/about/frmAbout.h"

#include "platform/Twips.h"

#include "shell/about/AboutPictures.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include <utility>

namespace zorbic {

namespace {

QLabel *trademark(QWidget *parent, const QRect &where) {
    auto *label = new QLabel(QStringLiteral("TM"), parent);
    QFont font = label->font();
    font.setPointSizeF(6.5);
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(where);
    return label;
}

} // namespace

frmAbout::frmAbout(WebPageOpener openWebPage, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      openWebPage_(std::move(openWebPage)) {
    setWindowTitle(QStringLiteral("About Zorbic"));
    setFixedSize(5370 / 15, 4575 / 15);
    const qreal dpr = devicePixelRatioF();

    Image1 = new QLabel(this);
    Image1->setPixmap(paintMakerLogo(dpr));
    Image1->setGeometry(TwipsRect(1335, 0, 2685, 1050));
    Label2[0] = trademark(this, TwipsRect(3990, 45, 300, 240));

    Command1 = new QPushButton(QStringLiteral("Visit ") + webAddress(), this);
    Command1->setGeometry(TwipsRect(1560, 1080, 2670, 390));
    FitFont(Command1, Command1->text(), 12);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    Image2 = new QLabel(this);
    Image2->setPixmap(paintProductLogo(dpr));
    Image2->setGeometry(TwipsRect(975, 1485, 3975, 1065));
    Label2[1] = trademark(this, TwipsRect(4815, 1500, 300, 240));

    picIcon = new QLabel(this);
    picIcon->setPixmap(paintProgramIcon(QSize(32, 32), dpr));
    picIcon->setGeometry(TwipsRect(345, 1830, 480, 480));

    lblRelease = new QLabel(QStringLiteral("Release 2"), this);
    lblRelease->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblRelease->setGeometry(TwipsRect(2400, 2610, 915, 225));

    lblVersion = new QLabel(QStringLiteral("Version 2.2.4. October 13, 1999."), this);
    lblVersion->setGeometry(TwipsRect(1815, 2835, 2565, 225));
    FitFont(lblVersion, lblVersion->text(), 2);
}

void frmAbout::subShowAbout(QWidget *parent, WebPageOpener openWebPage) {
    frmAbout about(std::move(openWebPage), parent);
    about.setWindowState(Qt::WindowNoState);
    about.exec();
}

// The box stays open; the browser runs on its own.
void frmAbout::Command1_Click() {
    if (openWebPage_) openWebPage_(webAddress());
}

} // namespace zorbic
