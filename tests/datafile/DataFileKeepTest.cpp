#include "lists/DataFile.h"
#include "lists/Failure.h"
#include "platform/DataFileStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>

namespace zorbic {
namespace {

const QDateTime kWhen(QDate(2026, 12, 7), QTime(14, 30, 0));
const QString kKeptName = QStringLiteral("ZorbicData.txt.unread-20261207-143000");

std::string Rows(int count) {
    std::string rows;
    while (count-- > 0)
        rows += "2\r\n2 = 1+1\r\n1+1\r\n2\r\n";
    return rows;
}

QByteArray Bytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

class DataFileKeepTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString FilePath() const { return dir.filePath("ZorbicData.txt"); }
    void Write(const QString &path, const std::string &bytes) const {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    QStringList Files() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }
};

// The start-up path: a file that does not load whole is set aside, then the first save writes
// the tables in memory. The user's bytes must survive in the kept copy.
TEST_F(DataFileKeepTest, FileThatDoesNotLoadWholeIsKeptBeforeTheFirstSave) {
    const std::string head = "v2_2_0\r\nd\r\nn\r\n 4 \r\n";
    const struct {
        const char *name;
        std::string bytes;
        LoadStatus status;
    } cases[] = {
        {"another version", "v2_1_9\r\nd\r\nn\r\n 4 \r\n 3 \r\n 2 \r\n\r\n" + Rows(5),
         LoadStatus::InvalidFormat},
        {"truncated row", head + " 2 \r\n 0 \r\n1+1\r\n" + Rows(1) + "2\r\n2 = 1+",
         LoadStatus::ReadFailure},
        {"count beyond the table", head + " 1001 \r\n 0 \r\n\r\n" + Rows(1001),
         LoadStatus::ReadFailure},
        {"whole file", head + " 2 \r\n 1 \r\n\r\n" + Rows(3), LoadStatus::Loaded},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        Write(FilePath(), c.bytes);
        const DataFileStore store(FilePath());
        DataFileModes modes;
        std::string box;
        ResultTables tables;
        const LoadOutcome outcome = ReadDataFile(store.load(), modes, box, tables);
        ASSERT_EQ(outcome.status, c.status);
        ASSERT_EQ(outcome.keepFile, c.status != LoadStatus::Loaded);
        if (outcome.keepFile) {
            EXPECT_EQ(store.setAside(kWhen), dir.filePath(kKeptName));
        }
        const std::string saved = DataFileText(modes, box, tables);
        store.save(saved);
        EXPECT_EQ(Bytes(FilePath()).toStdString(), saved);
        if (outcome.keepFile) {
            EXPECT_EQ(Files(), QStringList({"ZorbicData.txt", kKeptName}));
            EXPECT_EQ(Bytes(dir.filePath(kKeptName)).toStdString(), c.bytes);
        } else {
            EXPECT_EQ(Files(), QStringList{"ZorbicData.txt"});
        }
    }
}

TEST_F(DataFileKeepTest, EarlierKeptCopiesAreNeverOverwritten) {
    Write(dir.filePath(kKeptName), "earlier");
    const DataFileStore store(FilePath());
    for (const char *suffix : {"-2", "-3"}) {
        Write(FilePath(), std::string("unread ") + suffix);
        EXPECT_EQ(store.setAside(kWhen), dir.filePath(kKeptName + suffix));
        EXPECT_EQ(Bytes(dir.filePath(kKeptName + suffix)), QByteArray("unread ") + suffix);
    }
    EXPECT_EQ(Bytes(dir.filePath(kKeptName)), "earlier");
    EXPECT_EQ(store.setAside(kWhen), QString()); // no file: nothing to keep
}

// A linked data file: the save writes through the link, so the target's bytes are copied and
// the link stays.
TEST_F(DataFileKeepTest, LinkedFileIsCopiedAndTheLinkStays) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("elsewhere"));
    const QString target = dir.filePath("elsewhere/data.txt");
    Write(target, "unread");
    ASSERT_TRUE(QFile::link(target, FilePath()));
    const DataFileStore store(FilePath());
    EXPECT_EQ(store.setAside(kWhen), dir.filePath(kKeptName));
    store.save("v2_2_0\r\n");
    EXPECT_EQ(Bytes(dir.filePath(kKeptName)), "unread");
    EXPECT_EQ(QFileInfo(FilePath()).symLinkTarget(), target);
    EXPECT_EQ(Bytes(target), "v2_2_0\r\n");
}

// A real full disk: a 64 KiB tmpfs mounted by the test itself (it needs root). Where mounting
// is refused, the write failure is injected instead: RLIMIT_FSIZE makes the write of the
// temporary file fail (EFBIG, SIGXFSZ ignored) on the same path as a full disk.
TEST_F(DataFileKeepTest, FailedSavesLeaveThePreviousFileCompleteAndKeepItWhenOwed) {
    const QString small = dir.filePath("small");
    ASSERT_TRUE(QDir().mkpath(small));
    const QByteArray where = small.toLocal8Bit();
    const bool mounted = ::mount("tmpfs", where.constData(), "tmpfs", 0, "size=64k") == 0;
    struct Unmount {
        const char *path;
        bool on;
        ~Unmount() {
            if (on) ::umount2(path, MNT_DETACH);
        }
    } unmount{where.constData(), mounted};
    const QString path = QDir(small).filePath("ZorbicData.txt");
    const std::string previous = "v2_2_1\r\n" + Rows(20);
    Write(path, previous);
    const DataFileStore store(path);
    const std::string big = "v2_2_0\r\n" + Rows(8000); // about 190 KB
    rlimit before{};
    if (!mounted) {
        ::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &before);
        rlimit limited = before;
        limited.rlim_cur = 16 * 1024;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    EXPECT_THROW(store.save(big), Failure);
    if (!mounted) ::setrlimit(RLIMIT_FSIZE, &before);
    EXPECT_EQ(Bytes(path).toStdString(), previous);
    EXPECT_EQ(QDir(small).entryList(QDir::Files), QStringList{"ZorbicData.txt"});
    if (!mounted) GTEST_SKIP() << "no tmpfs of our own: the read-only folder is not tried";

    // A read-only folder: the file cannot be set aside, and no save replaces it meanwhile;
    // once the folder is writable again the next save sets it aside first.
    ASSERT_EQ(::mount("tmpfs", where.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k"), 0);
    EXPECT_THROW(store.setAside(kWhen), Failure);
    EXPECT_THROW(store.save("v2_2_0\r\n"), Failure);
    ASSERT_EQ(::mount("tmpfs", where.constData(), "tmpfs", MS_REMOUNT, "size=64k"), 0);
    store.save("v2_2_0\r\n");
    EXPECT_EQ(Bytes(path), "v2_2_0\r\n");
    const QStringList kept = QDir(small).entryList({"ZorbicData.txt.unread-*"}, QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(Bytes(QDir(small).filePath(kept[0])).toStdString(), previous);
}

} // namespace
} // namespace zorbic
