#include "shell/RunZorbic.h"

#include "platform/QtPlatform.h"
#include "shell/CommandLine.h"
#include "shell/Form1.h"
#include "shell/SessionSignals.h"

#include <QApplication>

#include <fontconfig/fontconfig.h>

#include <system_error>
#include <thread>

namespace zorbic {

namespace {

// Reading the font configuration is the longest single step before the window can be drawn; Qt
// does it at the first text it lays out. Started first, it runs on a second core while the
// application object connects to the display, and Qt then finds it done.
class FontConfigPreload {
public:
    FontConfigPreload() {
        try {
            thread_ = std::thread([] { FcInit(); });
        } catch (const std::system_error &) {
            // No thread to spare: Qt reads the configuration itself, as it always can.
        }
    }
    ~FontConfigPreload() { finish(); }
    FontConfigPreload(const FontConfigPreload &) = delete;
    FontConfigPreload &operator=(const FontConfigPreload &) = delete;

    void finish() {
        if (thread_.joinable()) thread_.join();
    }

private:
    std::thread thread_;
};

} // namespace

int RunZorbic(int argc, char *argv[], const std::function<void(Form1 &)> &beforeStart) {
    if (const std::optional<int> exitCode = AnswerCommandLine(argc, argv)) return *exitCode;

    QtPlatform::chooseDisplayPlatform();
    SetApplicationNames();
    FontConfigPreload fontConfig;
    QApplication app(argc, argv);
    if (QtPlatform::revealRunningZorbic()) return 0;
    fontConfig.finish();

    QtPlatform platform;
    Form1 form(platform, {}, nullptr, true);
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
