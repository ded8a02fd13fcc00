// The data file on disk: the atomic save, its location, the keeping aside of files that did not
// load whole, and a saver killed mid-save (this program, run with --save-until-killed).
#include "platform/DataFileStore.h"
#include "lists/DataFile.h"
#include "lists/Failure.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <memory>
#include <sys/mount.h>
#include <sys/resource.h>

namespace zorbic {
namespace {

const QDateTime kWhen(QDate(2026, 12, 7), QTime(14, 30, 0));
const QString kKeptName = QStringLiteral("ZorbicData.txt.unread-20261207-143000");

// The saver's save number i: full tables whose every field names its row, so a torn file shows.
std::string Save(long i) {
    static const ResultTables tables = [] {
        ResultTables full;
        for (int r = 1; r <= ResultTables::kHistoryRows; ++r) {
            const std::string n = std::to_string(r);
            full.strHistory[r] = {n, n + " = " + n + "*1", n + "*1", n};
            if (r <= ResultTables::kStorageRows) full.strStorage[r] = {"s" + n, "s = " + n, n, n};
        }
        full.intHistoryCount = ResultTables::kHistoryRows;
        full.intStorageCount = ResultTables::kStorageRows;
        return full;
    }();
    return DataFileText({}, "iteration " + std::to_string(i), tables);
}

QByteArray Bytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

class DataFileStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString FilePath() const { return dir.filePath("ZorbicData.txt"); }
    QStringList Files() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }
};

TEST_F(DataFileStoreTest, MissingFileLoadsAsNothingButOtherFailuresAreReported) {
    EXPECT_FALSE(DataFileStore(FilePath()).load().has_value());
    ASSERT_TRUE(QDir(dir.path()).mkdir("ZorbicData.txt")); // a folder where the file should be
    EXPECT_THROW(DataFileStore(FilePath()).load(), Failure);
    EXPECT_THROW(DataFileStore(FilePath()).save("x"), Failure);
}

TEST_F(DataFileStoreTest, EnvironmentVariableOrTheProgramFolderWhenItIsWritable) {
    qputenv("ZORBIC_DATA_FILE", FilePath().toLocal8Bit());
    EXPECT_EQ(DataFileStore().path(), FilePath());
    qunsetenv("ZORBIC_DATA_FILE");
    int argc = 1;
    char name[] = "zorbic_datafile_tests";
    char *argv[] = {name, nullptr};
    const QCoreApplication app(argc, argv);
    const QString folder = QCoreApplication::applicationDirPath();
    if (!QFileInfo(folder).isWritable()) GTEST_SKIP() << "the test's folder is read-only";
    EXPECT_EQ(DataFileStore::DefaultPath(), QDir(folder).filePath("ZorbicData.txt"));
}

// The disk takes the first bytes and refuses the rest (a file size limit here, as a full disk
// would): small saves fail only when their buffered bytes are flushed, large ones while written.
// The old file stays whole; the next save that fits replaces it, bytes as they are.
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
        EXPECT_EQ(Files(), QStringList{"ZorbicData.txt"});
    }
    const std::string bytes("v2_2_0\r\nd\r\n\0\xff\r", 13);
    store.save(bytes);
    EXPECT_EQ(store.load(), bytes);
    EXPECT_EQ(Files(), QStringList{"ZorbicData.txt"});
}

// A saver process is killed with SIGKILL at random moments while it rewrites a full data file
// again and again; after every kill the file must be one whole save: the last one the saver
// reported as committed, or the one it was committing when it died.
TEST_F(DataFileStoreTest, KillDuringSaveNeverLeavesATornFile) {
    for (int kill = 0; kill < 30; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        QProcess saver;
        saver.start(QStringLiteral("/proc/self/exe"), {"--save-until-killed", FilePath()});
        ASSERT_TRUE(saver.waitForReadyRead(30'000)) << "the saver never finished a first save";
        QThread::msleep(QRandomGenerator::global()->bounded(41));
        saver.kill(); // SIGKILL
        ASSERT_TRUE(saver.waitForFinished(10'000));
        ASSERT_EQ(saver.exitStatus(), QProcess::CrashExit);
        const QList<QByteArray> reports = saver.readAllStandardOutput().trimmed().split('\n');
        ASSERT_TRUE(reports.last().startsWith("saved ")) << reports.last().toStdString();
        const long lastCommitted = reports.last().mid(6).toLong();
        const auto bytes = DataFileStore(FilePath()).load();
        EXPECT_TRUE(bytes == Save(lastCommitted) || bytes == Save(lastCommitted + 1))
            << "the file is not save " << lastCommitted << " or the one after it";
    }
}

// A file that did not load whole is set aside before the next save replaces it: renamed, and
// never over an earlier kept copy.
TEST_F(DataFileStoreTest, EarlierKeptCopiesAreNeverOverwritten) {
    DataFileStore(dir.filePath(kKeptName)).save("earlier");
    const DataFileStore store(FilePath());
    for (const char *suffix : {"-2", "-3"}) {
        store.save(std::string("unread ") + suffix);
        EXPECT_EQ(store.setAside(kWhen), dir.filePath(kKeptName + suffix));
        store.save("v2_2_0\r\n");
        EXPECT_EQ(Bytes(dir.filePath(kKeptName + suffix)), QByteArray("unread ") + suffix);
    }
    EXPECT_EQ(Bytes(dir.filePath(kKeptName)), "earlier");
    EXPECT_EQ(Files(),
              QStringList({"ZorbicData.txt", kKeptName, kKeptName + "-2", kKeptName + "-3"}));
    EXPECT_EQ(Bytes(FilePath()), "v2_2_0\r\n");
}

// A linked data file: the save writes through the link, so the target's bytes are copied and
// the link stays.
TEST_F(DataFileStoreTest, LinkedFileIsCopiedAndTheLinkStays) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("elsewhere"));
    const QString target = dir.filePath("elsewhere/data.txt");
    DataFileStore(target).save("unread");
    ASSERT_TRUE(QFile::link(target, FilePath()));
    const DataFileStore store(FilePath());
    EXPECT_EQ(store.setAside(kWhen), dir.filePath(kKeptName));
    store.save("v2_2_0\r\n");
    EXPECT_EQ(Bytes(dir.filePath(kKeptName)), "unread");
    EXPECT_EQ(QFileInfo(FilePath()).symLinkTarget(), target);
    EXPECT_EQ(Bytes(target), "v2_2_0\r\n");
}

// A read-only folder (a small tmpfs the test mounts itself, as root): the file cannot be set
// aside, and no save replaces it meanwhile; once the folder is writable again the next save
// sets it aside first.
TEST_F(DataFileStoreTest, FileOwedItsKeepingIsNotReplacedUntilItIsKept) {
    const QByteArray where = dir.path().toLocal8Bit();
    if (::mount("tmpfs", where.constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "no tmpfs of our own (needs root)";
    const std::unique_ptr<const char, int (*)(const char *)> unmount(where.constData(), ::umount);
    const DataFileStore store(FilePath());
    store.save("unread");
    ASSERT_EQ(::mount("tmpfs", where.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k"), 0);
    EXPECT_THROW(store.setAside(kWhen), Failure);
    EXPECT_THROW(store.save("v2_2_0\r\n"), Failure);
    ASSERT_EQ(::mount("tmpfs", where.constData(), "tmpfs", MS_REMOUNT, "size=64k"), 0);
    store.save("v2_2_0\r\n");
    EXPECT_EQ(Bytes(FilePath()), "v2_2_0\r\n");
    const QStringList kept = QDir(dir.path()).entryList({"ZorbicData.txt.unread-*"}, QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(Bytes(dir.filePath(kept[0])), "unread");
}

} // namespace
} // namespace zorbic

// Run with --save-until-killed FILE, saves full tables to FILE over and over (for at most a
// minute) and prints "saved N" once save N is committed, so a test can kill it mid-save.
int main(int argc, char **argv) {
    if (argc == 3 && std::string_view(argv[1]) == "--save-until-killed") {
        const zorbic::DataFileStore store(QString::fromLocal8Bit(argv[2]));
        QElapsedTimer timer;
        timer.start();
        for (long i = 0; timer.elapsed() < 60'000; ++i) {
            store.save(zorbic::Save(i));
            std::printf("saved %ld\n", i);
            std::fflush(stdout);
        }
        return 0;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
