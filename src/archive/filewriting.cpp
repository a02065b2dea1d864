#include "filewriting.h"

#include "regularfile.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#ifdef Q_OS_UNIX
#include <sys/statvfs.h>
#endif
#ifdef Q_OS_WIN
#include <QDir>
#include <QRandomGenerator>

#include <windows.h>
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

#ifdef Q_OS_WIN
std::wstring nativeName(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

// A new file beside `path` that nobody else has: a name taken already is passed over.
HANDLE createTemporaryBeside(const QString& path, QString* temporary)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        *temporary = path + QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16,
                                                          QLatin1Char('0'));
        const HANDLE handle = ::CreateFileW(nativeName(*temporary).c_str(), GENERIC_WRITE, 0, nullptr,
                                            CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) {
            return handle;
        }
    }
    return INVALID_HANDLE_VALUE;
}

bool writeAll(HANDLE handle, const QByteArray& bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = DWORD(std::min<qint64>(bytes.size() - done, 1 << 24));
        DWORD written = 0;
        if (!::WriteFile(handle, bytes.constData() + done, chunk, &written, nullptr) || written == 0) {
            return false;
        }
        done += written;
    }
    return true;
}

// The new bytes on the disk under a temporary name in the same folder, then put in place of the
// old file in one step that is itself written through: a failure anywhere leaves the old file.
bool replaceWholeFile(const QString& path, const QByteArray& bytes)
{
    // A read-only file is not replaced, whatever the file system would let the move do.
    const DWORD attributes = ::GetFileAttributesW(nativeName(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) {
        return false;
    }
    QString temporary;
    const HANDLE handle = createTemporaryBeside(path, &temporary);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool written = writeAll(handle, bytes) && ::FlushFileBuffers(handle);
    ::CloseHandle(handle);
    if (written && ::MoveFileExW(nativeName(temporary).c_str(), nativeName(path).c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    ::DeleteFileW(nativeName(temporary).c_str());
    return false;
}
#endif

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
#ifdef Q_OS_WIN
    if (!replaceWholeFile(path, bytes)) {
        return setReason(reason, writeFailureReason(path, bytes.size()));
    }
    return true;
#else
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
#endif
}

} // namespace pondra
