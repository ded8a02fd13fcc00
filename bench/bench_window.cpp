// "Enter to saved" on the real main window with full tables: evaluate, append (dropping the
// oldest of 1,000 history rows), put the new line on top of the 1,000-line history list and
// save the 1,500-row data file atomically. Run offscreen; the data file goes to a temporary folder.
#include "entry/TextBox.h"
#include "platform/FakePlatform.h"
#include "shell/Form1.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <string>

namespace {

zorbic::Row row(int i) {
    const std::string n = std::to_string(i);
    return {n, n + " = " + n + "*1", n + "*1", n};
}

void EnterToSaved(benchmark::State &state) {
    QTemporaryDir dir;
    zorbic::FakePlatform platform;
    zorbic::Form1 form(platform, dir.filePath(QStringLiteral("ZorbicData.txt")));
    for (int i = 1; i <= 1000; ++i)
        form.tables.strHistory[static_cast<std::size_t>(i)] = row(i);
    form.tables.intHistoryCount = 1000;
    for (int i = 1; i <= 500; ++i)
        form.tables.strStorage[static_cast<std::size_t>(i)] = row(i);
    form.tables.intStorageCount = 500;
    form.subFillHistoryList();
    form.subFillStorageList(true);

    for (auto _ : state) {
        form.Text1->setText(QStringLiteral("sin(30)*2+1/3"));
        form.Text1_Enter();
    }
    if (!platform.shown.isEmpty()) state.SkipWithError("a message box was shown");
    state.counters["historyRows"] = form.tables.intHistoryCount;
}
BENCHMARK(EnterToSaved)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly();

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
