#pragma once

#include <QDateTime>
#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace zorbic {

// Where the data file lives and how its bytes reach the disk.
//  - An explicit path (tests) wins; then the environment variable ZORBIC_DATA_FILE, so a test
//    run or a portable set-up can point the program elsewhere.
//  - Otherwise "ZorbicData.txt" in the program's folder when the program runs from a folder of
//    its own (its build tree, an unpacked copy) that is writable; else in the per-user
//    application data folder (created when needed). An installed program lives in a bin folder
//    shared with every other program, which root can even write to: its data belongs to the
//    user, never beside it.
class DataFileStore {
public:
    explicit DataFileStore(QString path = {});

    const QString &path() const { return path_; }

    // The file that `path` stands for by the rules above; creates nothing.
    static QString Locate(const QString &path = {});

    // The default location described above (needs a QCoreApplication); creates nothing.
    static QString DefaultPath();

    // The file's bytes, or nullopt when there is no file. A file that exists but cannot be
    // read throws zorbic::Failure with the reason.
    std::optional<std::string> load() const;

    // Replaces the file atomically: the bytes go to a temporary file beside it, which is flushed
    // to disk and renamed over the old one, so a crash or power loss leaves either the old or
    // the new file, never a torn one. A failure throws zorbic::Failure with the reason; it is
    // never silent.
    // While a file that did not load whole is still owed its setting aside (setAside failed),
    // save() tries that first and, when it still cannot, fails with the reason rather than
    // replace the file.
    void save(std::string_view bytes) const;

    // Moves the file as it is now out of the way of the next save, so data that did not load is
    // never lost: to "<name>.unread-<local date>-<time>" in the same folder, with -2, -3... when
    // that name is taken (an earlier kept copy is never overwritten). A rename keeps the very
    // bytes and costs no space; a symbolic link stays where it is and its target's bytes are
    // copied instead, since the save writes through the link. Returns the kept copy's path (empty
    // when there is no file).
    // Throws Failure with the reason when it cannot; the file is then protected as said above.
    QString setAside(const QDateTime &now = QDateTime::currentDateTime()) const;

private:
    QString moveAside(const QDateTime &now) const;

    QString path_;
    // Set aside is still owed: the file on disk holds data that was not read.
    mutable bool keepPending_ = false;
};

} // namespace zorbic
