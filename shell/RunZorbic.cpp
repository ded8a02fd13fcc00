#include "shell/RunZorbic.h"

#include "platform/QtPlatform.h"
#include "shell/CommandLine.h"
#include "shell/Form1.h"
#include "shell/SessionSignals.h"

#include <QApplication>

namespace zorbic {

int RunZorbic(int argc, char *argv[], const std::function<void(Form1 &)> &beforeStart) {
    if (const std::optional<int> exitCode = AnswerCommandLine(argc, argv)) return *exitCode;

    QtPlatform::chooseDisplayPlatform();
    SetApplicationNames();
    QApplication app(argc, argv);
    if (QtPlatform::revealRunningZorbic()) return 0;

    QtPlatform platform;
    Form1 form(platform);
    platform.setOwner(&form);
    platform.listenForLaunches();
    if (beforeStart) beforeStart(form);
    form.start();
    // From here on the session's signals end the program through the window's close, which
    // saves the data file (reading it first if start-up has not yet); before, nothing may
    // write it.
    const SessionSignals sessionSignals([&form] { form.endSession(); });
    return QApplication::exec();
}

} // namespace zorbic
