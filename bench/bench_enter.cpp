// Enter with full tables (1,000 history and 500 storage rows) on the real main window, shown
// on the display Qt is given (bench/enter.sh runs it under Xvfb + openbox, and offscreen).
// Each round, alternating:
//  - an Enter key sent to the expression box: the wall time from the key to the data file
//    replaced (the save is part of the Enter), and the process CPU time (every thread) of the
//    Enter together with the repaint it causes;
//  - a QSaveFile write of the same bytes over the same file, on its own: the floor for the
//    Enter's wall time.
// Prints the medians of every figure. Usage: bench_enter [rounds, default 400]
#include "entry/TextBox.h"
#include "lists/DataFile.h"
#include "platform/FakePlatform.h"
#include "shell/Form1.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

namespace {

double cpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

double wallMs() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

zorbic::ResultTables fullTables() {
    zorbic::ResultTables tables;
    for (int r = 1; r <= zorbic::ResultTables::kHistoryRows; ++r) {
        const std::string n = std::to_string(r);
        tables.strHistory[static_cast<std::size_t>(r)] = {n, n + " = " + n + "*1", n + "*1", n};
    }
    tables.intHistoryCount = zorbic::ResultTables::kHistoryRows;
    for (int r = 1; r <= zorbic::ResultTables::kStorageRows; ++r) {
        const std::string n = std::to_string(r);
        tables.strStorage[static_cast<std::size_t>(r)] = {n, n + " = " + n + "*1", n + "*1", n};
    }
    tables.intStorageCount = zorbic::ResultTables::kStorageRows;
    return tables;
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 400;
    QTemporaryDir dir(QDir::homePath() + QStringLiteral("/bench-enter-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("ZorbicData.txt"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) return 1;
        const std::string bytes = zorbic::DataFileText({true, true, 4}, "", fullTables());
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    zorbic::FakePlatform platform;
    zorbic::Form1 form(platform, path);
    form.start();
    while (!form.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QCoreApplication::processEvents();

    auto enter = [&form] {
        form.Text1->setText(QStringLiteral("sin(30)*2+1/3"));
        QCoreApplication::processEvents();
        const double cpu0 = cpuMs();
        const double wall0 = wallMs();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QCoreApplication::sendEvent(form.Text1, &press);
        const double wall1 = wallMs();
        QCoreApplication::processEvents(); // the repaint
        return std::pair{wall1 - wall0, cpuMs() - cpu0};
    };
    auto saveAlone = [&path] {
        QFile current(path);
        if (!current.open(QIODevice::ReadOnly)) return -1.0;
        const QByteArray bytes = current.readAll();
        current.close();
        const double wall0 = wallMs();
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
            return -1.0;
        return wallMs() - wall0;
    };

    for (int i = 0; i < 30; ++i) { // warm-up
        enter();
        saveAlone();
    }
    std::vector<double> enterWall, enterCpu, saveWall;
    for (int i = 0; i < rounds; ++i) {
        const auto [wall, cpu] = enter();
        enterWall.push_back(wall);
        enterCpu.push_back(cpu);
        saveWall.push_back(saveAlone());
    }
    if (!platform.shown.isEmpty() || form.tables.intHistoryCount != 1000 ||
        std::count(saveWall.begin(), saveWall.end(), -1.0) > 0) {
        std::fprintf(stderr, "the Enter or the save failed\n");
        return 1;
    }
    std::printf("%s, %d rounds, medians:\n", qPrintable(QGuiApplication::platformName()), rounds);
    std::printf("  Enter CPU (with its repaint)   %7.3f ms\n", median(enterCpu));
    std::printf("  Enter to file replaced         %7.3f ms\n", median(enterWall));
    std::printf("  QSaveFile of the same file     %7.3f ms\n", median(saveWall));
    std::printf("  ratio                          %7.2f\n", median(enterWall) / median(saveWall));
    return 0;
}
