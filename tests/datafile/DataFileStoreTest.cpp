#include "platform/DataFileStore.h"
#include "BigTables.h"
#include "lists/Failure.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <random>
#include <sys/resource.h>

namespace zorbic {
namespace {

class DataFileStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString FilePath() const { return dir.filePath("ZorbicData.txt"); }
};

TEST_F(DataFileStoreTest, SaveThenLoadGivesTheSameBytesAndReplacesTheWholeFile) {
    const DataFileStore store(FilePath());
    const std::string big = DataFileText({}, "box", test::BigTables());
    store.save(big);
    EXPECT_EQ(store.load(), big);
    const std::string small("v2_2_0\r\nd\r\n\0\xff\r", 13);
    store.save(small);
    EXPECT_EQ(store.load(), small);
    // Nothing but the file itself stays behind in the folder.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"ZorbicData.txt"});
}

TEST_F(DataFileStoreTest, MissingFileLoadsAsNothingButOtherFailuresAreReported) {
    ASSERT_TRUE(dir.isValid());
    EXPECT_FALSE(DataFileStore(FilePath()).load().has_value());
    try {
        DataFileStore(dir.filePath("no such folder/ZorbicData.txt")).save("v2_2_0\r\n");
        FAIL() << "saving into a missing folder succeeded";
    } catch (const Failure &failure) {
        EXPECT_NE(std::string(failure.what()).find("no such folder"), std::string::npos)
            << failure.what();
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir("ZorbicData.txt")); // a folder where the file should be
    EXPECT_THROW(DataFileStore(FilePath()).load(), Failure);
    EXPECT_THROW(DataFileStore(FilePath()).save("x"), Failure);
}

// The disk takes the first bytes and refuses the rest (a file size limit here, as a full disk
// would): small saves fail only when the buffered bytes are finally flushed, large ones while
// they are written. Either way the save fails and the old file stays whole.
TEST_F(DataFileStoreTest, RefusedBytesFailTheSaveAndKeepTheOldFile) {
    const DataFileStore store(FilePath());
    store.save("old");
    std::signal(SIGXFSZ, SIG_IGN); // a refused write fails with EFBIG instead of ending us
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    for (const std::size_t size : {std::size_t{1000}, std::size_t{1'000'000}}) {
        SCOPED_TRACE(size);
        rlimit limited = saved;
        limited.rlim_cur = 100;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
        EXPECT_THROW(store.save(std::string(size, 'x')), Failure);
        setrlimit(RLIMIT_FSIZE, &saved);
        EXPECT_EQ(store.load(), "old");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"ZorbicData.txt"});
    }
}

TEST_F(DataFileStoreTest, EnvironmentVariablePointsTheStoreElsewhere) {
    qputenv("ZORBIC_DATA_FILE", FilePath().toLocal8Bit());
    const DataFileStore store;
    qunsetenv("ZORBIC_DATA_FILE");
    EXPECT_EQ(store.path(), FilePath());
    EXPECT_EQ(DataFileStore("/elsewhere/ZorbicData.txt").path(), "/elsewhere/ZorbicData.txt");
}

TEST(DataFileLocation, ProgramFolderWhenItIsWritable) {
    int argc = 1;
    char name[] = "zorbic_datafile_tests";
    char *argv[] = {name, nullptr};
    const QCoreApplication app(argc, argv);
    const QString folder = QCoreApplication::applicationDirPath();
    if (!QFileInfo(folder).isWritable()) GTEST_SKIP() << "the test's folder is read-only";
    EXPECT_EQ(DataFileStore::DefaultPath(), QDir(folder).filePath("ZorbicData.txt"));
}

// A saver process is killed with SIGKILL at random moments while it rewrites a full data file
// again and again; after every kill the file must be one complete save: the last one the saver
// reported as committed, or the one it was committing when it died.
TEST_F(DataFileStoreTest, KillDuringSaveNeverLeavesATornFile) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayMs(0, 40);
    for (int kill = 0; kill < 30; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        QProcess saver;
        saver.start(DATAFILE_SAVER, {FilePath()});
        ASSERT_TRUE(saver.waitForStarted(10'000));
        ASSERT_TRUE(saver.waitForReadyRead(30'000)) << "the saver never finished a first save";
        QThread::msleep(static_cast<unsigned long>(delayMs(random)));
        saver.kill(); // SIGKILL
        ASSERT_TRUE(saver.waitForFinished(10'000));
        ASSERT_EQ(saver.exitStatus(), QProcess::CrashExit);
        const QList<QByteArray> reports = saver.readAllStandardOutput().trimmed().split('\n');
        ASSERT_TRUE(reports.last().startsWith("saved ")) << reports.last().toStdString();
        const long lastCommitted = reports.last().mid(6).toLong();

        const auto bytes = DataFileStore(FilePath()).load();
        ASSERT_TRUE(bytes.has_value());
        DataFileModes modes;
        std::string box;
        ResultTables tables;
        const LoadOutcome outcome = ReadDataFile(*bytes, modes, box, tables);
        ASSERT_EQ(outcome.status, LoadStatus::Loaded) << outcome.message;
        ASSERT_EQ(box.rfind("iteration ", 0), 0u) << box;
        const long inFile = std::stol(box.substr(10));
        EXPECT_TRUE(inFile == lastCommitted || inFile == lastCommitted + 1)
            << "file holds save " << inFile << ", last committed " << lastCommitted;
        EXPECT_EQ(*bytes, DataFileText({}, box, test::BigTables()));
    }
}

} // namespace
} // namespace zorbic
