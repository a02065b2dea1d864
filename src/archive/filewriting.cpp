#include "filewriting.h"

#include "regularfile.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#ifdef Q_OS_UNIX
#include <sys/statvfs.h>
#endif

namespace pondra {

namespace {

bool setReason(QString* reason, const QString& text)
{
    if (reason) {
        *reason = text;
    }
    return false;
}

// No room left for one more file, however much space is free.
bool noFreeInodes(const QString& folder)
{
#ifdef Q_OS_UNIX
    struct statvfs fs {};
    return ::statvfs(QFile::encodeName(folder).constData(), &fs) == 0 && fs.f_files > 0 && fs.f_favail == 0;
#else
    Q_UNUSED(folder);
    return false;
#endif
}

} // namespace

QString writeFailureReason(const QString& path, qint64 size)
{
    const QFileInfo target(path);
    if (target.isDir()) {
        return QStringLiteral("è una cartella.");
    }
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir()) {
        return QStringLiteral("la cartella «%1» non esiste.").arg(shownFileName(folder.filePath()));
    }
    const QStorageInfo disk(folder.filePath());
    if (disk.isValid() && disk.isReadOnly()) {
        return QStringLiteral("il disco è di sola lettura.");
    }
    if (target.exists() && !target.isWritable()) {
        return QStringLiteral("è un file di sola lettura.");
    }
    if (!folder.isWritable()) {
        return QStringLiteral("non si hanno i permessi per scrivere nella cartella «%1».")
            .arg(shownFileName(folder.filePath()));
    }
    if (noFreeInodes(folder.filePath())) {
        return QStringLiteral("il disco non ha più posto per nuovi file (inode esauriti).");
    }
    if (disk.isValid() && disk.bytesAvailable() < size) {
        return QStringLiteral("il disco è pieno.");
    }
    return QStringLiteral("la scrittura non è riuscita.");
}

bool saveWholeFile(const QString& path, const QByteArray& bytes, QString* reason)
{
    // The new file takes the place of what is there: never of a device, a FIFO or a socket, even
    // one reached through a link. A link to a regular file is followed, as dotfiles expect.
    const QFileInfo existing(path);
    if (existing.exists() && !existing.isFile() && !existing.isDir()) {
        return setReason(reason, QStringLiteral("non è un file ordinario."));
    }
    QSaveFile file(path);
    // Unbuffered, so a write the disk refuses fails here and not silently inside commit().
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return setReason(reason, writeFailureReason(path, bytes.size()));
    }
    if (file.write(bytes) != bytes.size()) {
        // Asked while the part written still takes its room.
        const QString why = writeFailureReason(path, bytes.size());
        file.cancelWriting();
        return setReason(reason, why);
    }
    if (!file.commit()) {
        return setReason(reason, writeFailureReason(path, bytes.size()));
    }
    return true;
}

} // namespace pondra
