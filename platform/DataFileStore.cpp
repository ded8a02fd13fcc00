#include "platform/DataFileStore.h"

#include "lists/Failure.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace zorbic {

namespace {

constexpr const char *kFileName = "ZorbicData.txt";

Failure FileFailure(const QString &what, const QString &path, const QString &reason) {
    return Failure(QStringLiteral("%1 %2: %3")
                       .arg(what, QDir::toNativeSeparators(path), reason)
                       .toStdString());
}

} // namespace

DataFileStore::DataFileStore(QString path) : path_(Locate(path)) {
    // The user's data folder is made on first use; a folder named explicitly must exist.
    if (path.isEmpty() && path_ == DefaultPath()) QDir().mkpath(QFileInfo(path_).path());
}

QString DataFileStore::Locate(const QString &path) {
    if (!path.isEmpty()) return path;
    const QString named = qEnvironmentVariable("ZORBIC_DATA_FILE");
    return named.isEmpty() ? DefaultPath() : named;
}

QString DataFileStore::DefaultPath() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    const bool installed = QFileInfo(programFolder).fileName() == QStringLiteral("bin");
    if (!programFolder.isEmpty() && !installed && QFileInfo(programFolder).isWritable())
        return QDir(programFolder).filePath(kFileName);
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return QDir(dataFolder).filePath(kFileName);
}

std::optional<std::string> DataFileStore::load() const {
    QFile file(path_);
    if (!file.exists()) return std::nullopt;
    if (!file.open(QIODevice::ReadOnly))
        throw FileFailure(QStringLiteral("Cannot open"), path_, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileFailure(QStringLiteral("Cannot read"), path_, file.errorString());
    return bytes.toStdString();
}

void DataFileStore::save(std::string_view bytes) const {
    if (keepPending_) setAside();
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        throw FileFailure(QStringLiteral("Cannot save"), path_, file.errorString());
    const auto size = static_cast<qint64>(bytes.size());
    // A small write only fills Qt's buffer; the disk may refuse it when it is flushed, and
    // commit() would then still rename the short temporary file over the old one. So the bytes
    // are flushed and the temporary file's size checked before anything is committed.
    if (file.write(bytes.data(), size) != size || !file.flush() || file.size() != size) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw FileFailure(QStringLiteral("Cannot save"), path_, reason);
    }
    // commit() fsyncs the temporary file, then renames it over the old file.
    if (!file.commit()) throw FileFailure(QStringLiteral("Cannot save"), path_, file.errorString());
}

QString DataFileStore::setAside(const QDateTime &now) const {
    const QFileInfo file(path_);
    // A file removed meanwhile leaves nothing to keep.
    if (!file.exists() && !file.isSymLink()) {
        keepPending_ = false;
        return {};
    }
    keepPending_ = true;
    const QString kept = moveAside(now);
    keepPending_ = false;
    return kept;
}

QString DataFileStore::moveAside(const QDateTime &now) const {
    const QFileInfo file(path_);
    const QString stem = file.fileName() + QStringLiteral(".unread-") +
                         now.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString reason = QStringLiteral("every name for the copy is taken");
    for (int n = 1; n <= 1000; ++n) {
        const QString kept =
            file.dir().filePath(n == 1 ? stem : stem + QStringLiteral("-%1").arg(n));
        const QFileInfo taken(kept);
        if (taken.exists() || taken.isSymLink()) continue;
        // Neither call replaces an existing file, so a name taken meanwhile only fails here.
        QFile original(path_);
        if (file.isSymLink() ? original.copy(kept) : original.rename(kept)) return kept;
        reason = original.errorString();
        if (!QFileInfo(kept).exists()) break;
    }
    throw Failure(QStringLiteral("Cannot set aside %1: %2. It is not replaced until it can be.")
                      .arg(QDir::toNativeSeparators(path_), reason)
                      .toStdString());
}

} // namespace zorbic
