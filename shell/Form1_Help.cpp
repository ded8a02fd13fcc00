#include "platform/Platform.h"
#include "platform/browser/OpenWebPage.h"
#include "shell/Form1.h"
#include "shell/about/HelpWindow.h"
#include "shell/about/frmAbout.h"

#include <QAction>

namespace zorbic {

void Form1::connectHelpHandlers() {
    connect(mnuHelpTips, &QAction::triggered, this, &Form1::mnuHelpTips_Click);
    connect(mnuHelpAbout, &QAction::triggered, this, &Form1::mnuHelpAbout_Click);
}

// The contents page opens in the help window "helper", one window reused for the run; it is
// not modal, so the calculator stays usable beside it.
void Form1::mnuHelpTips_Click() {
    trap([&] {
        if (strHelpFolder.isEmpty()) {
            // Pages searched for and not found are told apart from no help at all.
            platform_.msgBox(helpFoldersLooked.isEmpty()
                                 ? HelpWindow::noHelpText()
                                 : HelpWindow::notFoundText(helpFoldersLooked),
                             MsgButtons::Ok, MsgIcon::Information, windowTitle());
            return;
        }
        if (!helpWindow) helpWindow = new HelpWindow(this);
        if (const auto message = helpWindow->showContents(strHelpFolder))
            platform_.msgBox(*message, MsgButtons::Ok, MsgIcon::None, appTitle());
    });
}

void Form1::mnuHelpAbout_Click() {
    trap([&] {
        frmAbout::subShowAbout(this, [this](const QString &url) { fnOpenWebPage(url, platform_); });
    });
}

} // namespace zorbic
