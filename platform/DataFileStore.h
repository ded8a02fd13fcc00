#pragma once

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
    void save(std::string_view bytes) const;

private:
    QString path_;
};

} // namespace zorbic
