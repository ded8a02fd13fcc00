#include "entry/frmFixedMode.h"
#include "lists/Reformat.h"
#include "shell/Form1.h"

#include <QAction>
#include <QCheckBox>
#include <QEventLoop>
#include <QLabel>
#include <QPointer>

namespace zorbic {

void Form1::MnuExtraREsultNormal_Click() {
    trap([&] {
        MnuExtraREsultNormal->setChecked(true);
        MnuExtraREsultFixed->setChecked(false);
        subDoResultMode();
        subReformatResults();
    });
}

// Fixed is also how the number of decimals is changed, so it runs when Fixed is the mode already.
void Form1::MnuExtraREsultFixed_Click() {
    trap([&] {
        if (bWaitFixed) {
            // The dialog is open already; a second one would nest a second wait.
            MnuExtraREsultFixed->setChecked(true);
            MnuExtraREsultNormal->setChecked(false);
            if (auto *dialog = findChild<frmFixedMode *>()) {
                dialog->raise();
                dialog->activateWindow();
            }
            return;
        }
        const bool wasNormal = intResultMode == 0;
        // Stay on top is switched off while the dialog is open so the dialog is not hidden.
        if (Check2->isChecked()) {
            bOnTopSuspended = true;
            mnuExtraStayOnTop_Click();
        }
        MnuExtraREsultNormal->setChecked(false);
        MnuExtraREsultFixed->setChecked(true);
        const bool confirmed = subDoResultMode();
        if (bOnTopSuspended) {
            mnuExtraStayOnTop_Click();
            bOnTopSuspended = false;
        }
        if (!confirmed) {
            // Closing the dialog cancels: the previous mode comes back and nothing is
            // re-formatted.
            MnuExtraREsultNormal->setChecked(wasNormal);
            MnuExtraREsultFixed->setChecked(!wasNormal);
            return;
        }
        subReformatResults();
    });
}

// Makes intResultMode follow the menu checks; for Fixed it first waits for the decimals dialog
// while the main window stays usable. Returns false when the dialog was cancelled.
bool Form1::subDoResultMode() {
    if (MnuExtraREsultNormal->isChecked()) {
        intResultMode = 0;
        return true;
    }
    bWaitFixed = true;
    QPointer<frmFixedMode> dialog = new frmFixedMode(intDecimals, platform_, appTitle(), this);
    dialog->move(dialogPosition());
    dialog->show();
    QEventLoop wait;
    connect(dialog, &QDialog::finished, &wait, &QEventLoop::quit);
    wait.exec();
    bWaitFixed = false;
    if (!dialog) return false;
    const bool confirmed = dialog->result() == QDialog::Accepted;
    if (confirmed) {
        intDecimals = dialog->decimals();
        intResultMode = 1;
    }
    dialog->deleteLater();
    return confirmed;
}

void Form1::subReformatResults() {
    ReformatResults(tables, MnuExtraREsultFixed->isChecked(), intDecimals);
    subFillHistoryList();
    subFillStorageList(true);
}

void Form1::applyModes(bool degrees, bool normal) {
    mnuExtraTrigDegrees->setChecked(degrees);
    mnuExtraTrigRadians->setChecked(!degrees);
    lblDegRad->setText(degrees ? QStringLiteral("Deg") : QStringLiteral("Rad"));
    MnuExtraREsultNormal->setChecked(normal);
    MnuExtraREsultFixed->setChecked(!normal);
    intResultMode = normal ? 0 : 1;
}

void Form1::mnuExtraTrigDegrees_Click() {
    trap([&] {
        mnuExtraTrigDegrees->setChecked(true);
        mnuExtraTrigRadians->setChecked(false);
        lblDegRad->setText(QStringLiteral("Deg"));
    });
}

void Form1::mnuExtraTrigRadians_Click() {
    trap([&] {
        mnuExtraTrigDegrees->setChecked(false);
        mnuExtraTrigRadians->setChecked(true);
        lblDegRad->setText(QStringLiteral("Rad"));
    });
}

void Form1::lblDegRad_Click() {
    if (mnuExtraTrigDegrees->isChecked())
        mnuExtraTrigRadians_Click();
    else
        mnuExtraTrigDegrees_Click();
}

} // namespace zorbic
