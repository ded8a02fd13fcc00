#include "zipto/frmZiptoOptions.h"

#include "platform/FixedBorder.h"
#include "platform/Twips.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

namespace zorbic {

namespace {

QComboBox *keyBox(QWidget *parent, const QString &toolTip) {
    auto *box = new QComboBox(parent);
    box->setEditable(true);
    // Typed key strings are used as they are; they do not become new list entries.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(frmZiptoOptions::keyChoices());
    box->setCurrentIndex(-1);
    box->setEditText(QString());
    box->setToolTip(toolTip);
    return box;
}

} // namespace

const QStringList &frmZiptoOptions::keyChoices() {
    static const QStringList choices{"{enter}", "{tab}", "+{tab}", "{tab 2}", "{right}",
                                     "{left}",  "{f2}",  "{f3}",   "{f4}",    "{f5}"};
    return choices;
}

frmZiptoOptions::frmZiptoOptions(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("Zipto Options"));
    setModal(false);
    setFixedSize(3105 / 15, 1635 / 15);
    KeepFixedBorder(this, Qt::WindowNoState);

    lblBefore = new QLabel(QStringLiteral("Before Keystrokes"), this);
    lblBefore->setGeometry(TwipsRect(180, 150, 1365, 240));
    FitFont(lblBefore, lblBefore->text(), 2);
    text3 = keyBox(this, QStringLiteral("Keystrokes to Send before Ziptoing the last result."));
    text3->setGeometry(TwipsRect(1590, 105, 1380, 315));

    lblAfter = new QLabel(QStringLiteral("After Keystrokes"), this);
    lblAfter->setGeometry(TwipsRect(180, 525, 1365, 240));
    lblAfter->setFont(lblBefore->font()); // the longer caption sets the size of both
    text5 = keyBox(this, QStringLiteral("Keystrokes to Send after Ziptoing the last result."));
    text5->setGeometry(TwipsRect(1590, 480, 1380, 315));

    chkReactivateZorbic = new QCheckBox(QStringLiteral("Re-Activate Zorbic after Send"), this);
    chkReactivateZorbic->setGeometry(TwipsRect(105, 870, 2745, 195));
    FitFont(chkReactivateZorbic, chkReactivateZorbic->text(),
            chkReactivateZorbic->sizeHint().width() -
                chkReactivateZorbic->fontMetrics().horizontalAdvance(chkReactivateZorbic->text()) +
                2);
    chkReactivateZorbic->setChecked(true);

    Command1 = new QPushButton(QStringLiteral("Okay"), this);
    Command1->setGeometry(TwipsRect(900, 1140, 1305, 375));
    // Enter inside a key box must not close the dialog behind the user's back.
    Command1->setAutoDefault(false);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    setTabOrder(text5, text3);
    setTabOrder(text3, chkReactivateZorbic);
    setTabOrder(chkReactivateZorbic, Command1);
    text5->setFocus();
}

QString frmZiptoOptions::beforeKeys() const {
    return text3->currentText();
}
QString frmZiptoOptions::afterKeys() const {
    return text5->currentText();
}
bool frmZiptoOptions::reactivateZorbic() const {
    return chkReactivateZorbic->isChecked();
}

void frmZiptoOptions::Command1_Click() {
    hide();
    emit okayed();
}

// The close box does not destroy the dialog: it only hides it, keeping every value.
void frmZiptoOptions::closeEvent(QCloseEvent *event) {
    event->ignore();
    reject();
}

void frmZiptoOptions::reject() {
    if (!isVisible()) return;
    hide();
    emit closedByBox();
}

} // namespace zorbic
