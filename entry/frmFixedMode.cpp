#include "entry/frmFixedMode.h"

#include "engine/NumberText.h"
#include "lists/Failure.h"
#include "platform/FixedBorder.h"
#include "platform/Platform.h"
#include "platform/Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zorbic {

frmFixedMode::frmFixedMode(Integer intDecimals, Platform &platform, const QString &title,
                           QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      platform_(platform), title_(title) {
    setWindowTitle(QStringLiteral("Fixed Mode"));
    setModal(false);
    const QRect client = TwipsRect(0, 0, 2250, 840);
    setFixedSize(client.size());
    KeepFixedBorder(this, Qt::WindowNoState);

    lblFixedNumber = new QLabel(QStringLiteral("Enter Number Of Decimals"), this);
    lblFixedNumber->setObjectName(QStringLiteral("lblFixedNumber"));
    lblFixedNumber->setGeometry(TwipsRect(90, 90, 2070, 300));
    FitFont(lblFixedNumber, lblFixedNumber->text(), 0);
    txtFixedNumber = new QLineEdit(QStringLiteral("4"), this);
    txtFixedNumber->setObjectName(QStringLiteral("txtFixedNumber"));
    txtFixedNumber->setGeometry(TwipsRect(330, 375, 420, 270));
    Command1 = new QPushButton(QStringLiteral("Okay"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(TwipsRect(900, 345, 1035, 360));
    // Enter in the box acts as a click on "Okay".
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &frmFixedMode::Command1_Click);

    // With 0 decimals the box keeps its "4" unselected; otherwise it shows the current count
    // fully selected, so typing replaces it.
    selectOnShow_ = intDecimals != 0;
    if (selectOnShow_) txtFixedNumber->setText(QString::number(intDecimals));
    setTabOrder(txtFixedNumber, Command1);
    txtFixedNumber->setFocus();
}

void frmFixedMode::setVisible(bool visible) {
    QDialog::setVisible(visible);
    // Showing a dialog focuses its first box as if by Tab, which selects the whole text; the
    // selection is set here, after that.
    if (visible) {
        if (selectOnShow_)
            txtFixedNumber->selectAll();
        else
            txtFixedNumber->deselect();
    }
}

void frmFixedMode::Command1_Click() {
    try {
        // The leading number of the text, halves to the even neighbour: "2.5" gives 2, "12abc"
        // gives 12, "" gives 0. Beyond 16 bits is an overflow.
        const Integer value = RoundToInteger(ReadNumber(txtFixedNumber->text().toStdString()));
        if (value < 0) {
            platform_.msgBox(QStringLiteral("The number of decimals cannot be negative."),
                             MsgButtons::Ok, MsgIcon::Exclamation, title_);
            return;
        }
        decimals_ = value;
        accept();
    } catch (const std::exception &failure) {
        platform_.msgBox(QString::fromUtf8(failure.what()), MsgButtons::Ok, MsgIcon::None, title_);
    }
}

} // namespace zorbic
