#include "entry/TextBox.h"
#include "lists/DataFile.h"
#include "lists/Failure.h"
#include "platform/Platform.h"
#include "shell/Form1.h"
#include "shell/about/HelpWindow.h"
#include "zipto/frmZiptoOptions.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QThread>

#include <cstdlib>
#include <optional>

namespace zorbic {

void Form1::subSaveData() {
    const DataFileModes modes{mnuExtraTrigDegrees->isChecked(), MnuExtraREsultNormal->isChecked(),
                              intDecimals};
    store_.save(DataFileText(modes, Text1->text().toStdString(), tables));
}

void Form1::subLoadData() {
    trap([&] {
        DataFileModes modes{mnuExtraTrigDegrees->isChecked(), MnuExtraREsultNormal->isChecked(),
                            intDecimals};
        std::string boxText = Text1->text().toStdString();
        std::optional<std::string> bytes;
        try {
            bytes = store_.load();
        } catch (const Failure &failure) {
            // A file that exists but cannot be read would be replaced by the first save.
            if (!QFileInfo(store_.path()).isFile()) throw;
            throw Failure(keepUnread(failure.what()));
        }
        LoadOutcome outcome = ReadDataFile(bytes, modes, boxText, tables);
        if (outcome.keepFile) outcome.message = keepUnread(outcome.message);
        // The modes read take effect as if chosen from the menu, without the decimals dialog
        // and without re-formatting any row.
        applyModes(modes.degrees, modes.normal);
        intDecimals = modes.intDecimals;
        Text1->setText(QString::fromStdString(boxText));
        if (!outcome.message.empty())
            platform_.msgBox(QString::fromStdString(outcome.message), MsgButtons::Ok, MsgIcon::None,
                             appTitle());
        if (outcome.fillLists) {
            subFillHistoryList();
            subFillStorageList(true);
        }
    });
}

// The file as it is goes aside before any save can replace it; the message keeps its first line
// and says where the file went, or why it could not be moved and stays protected.
std::string Form1::keepUnread(const std::string &message) {
    try {
        const QString kept = store_.setAside();
        if (kept.isEmpty()) return message; // removed meanwhile: nothing to keep
        return message + "\nThe file as it was is kept as " +
               QDir::toNativeSeparators(kept).toStdString();
    } catch (const Failure &failure) {
        return message + "\n" + failure.what();
    }
}

// Every close request saves first. With "Don't Close" checked the window is minimized
// instead; a failed save is reported and the window closes.
void Form1::closeEvent(QCloseEvent *event) {
    // A close right at start-up saves what the data file holds, never empty tables over it.
    subFinishStart();
    // A decimals dialog still open is cancelled first, so the file keeps the mode in effect.
    if (bWaitFixed) {
        for (QDialog *dialog : findChildren<QDialog *>())
            dialog->reject();
        MnuExtraREsultNormal->setChecked(intResultMode == 0);
        MnuExtraREsultFixed->setChecked(intResultMode != 0);
    }
    bool saved = false;
    trap([&] {
        subSaveData();
        saved = true;
    });
    if (saved && MnuExtraDontClose->isChecked() && !sessionEnding_) {
        event->ignore();
        setWindowState(windowState() | Qt::WindowMinimized);
        return;
    }
    // The program ends with its main window: an open help window or options dialog must not
    // keep it running.
    if (helpWindow) helpWindow->close();
    if (ZiptoOptions) ZiptoOptions->hide();
    event->accept();
}

void Form1::endSession() {
    sessionEnding_ = true;
    close();
    // A message box or dialog still waiting for an answer (its own event loop) is not
    // answered: the program ends at once, so nothing that answer would do happens after the
    // save. Otherwise the main loop ends and the program winds down as usual.
    if (QThread::currentThread()->loopLevel() > 1) std::_Exit(0);
    QCoreApplication::quit();
}

} // namespace zorbic
