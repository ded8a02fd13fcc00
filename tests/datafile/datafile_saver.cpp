// Saves a full data file through DataFileStore over and over until it is killed, so a test can
// kill it in the middle of a save. Prints "saved N" after save N has been committed.
#include "BigTables.h"
#include "platform/DataFileStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: datafile_saver <data file>\n");
        return 2;
    }
    const zorbic::DataFileStore store(QString::fromLocal8Bit(argv[1]));
    const zorbic::ResultTables tables = zorbic::test::BigTables();
    QElapsedTimer timer;
    timer.start();
    // Bounded, so a saver whose test died does not run forever.
    for (long i = 0; timer.elapsed() < 60'000; ++i) {
        store.save(zorbic::DataFileText({}, "iteration " + std::to_string(i), tables));
        std::printf("saved %ld\n", i);
        std::fflush(stdout);
    }
    return 0;
}
