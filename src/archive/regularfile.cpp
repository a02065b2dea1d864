#include "regularfile.h"

#include "model/textrules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace pondra {

namespace {

bool refuse(QString* reason, const QString& text)
{
    if (reason) {
        *reason = text;
    }
    return false;
}

QString notRegular()
{
    return QStringLiteral("non è un file ordinario.");
}

// Why the file cannot be opened, from what the file system says of it now.
QString openFailure(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        return QStringLiteral("non esiste.");
    }
    if (info.isDir()) {
        return QStringLiteral("è una cartella.");
    }
    return QStringLiteral("non si hanno i permessi per leggerlo.");
}

} // namespace

bool openRegularFile(QFile& file, QString* reason)
{
    const QString path = file.fileName();
#ifdef Q_OS_UNIX
    const QByteArray native = QFile::encodeName(path);
    struct stat before {};
    if (::stat(native.constData(), &before) != 0) {
        return refuse(reason, openFailure(path));
    }
    if (S_ISDIR(before.st_mode)) {
        return refuse(reason, QStringLiteral("è una cartella."));
    }
    if (!S_ISREG(before.st_mode)) {
        return refuse(reason, notRegular());
    }
    // Non-blocking, so that a FIFO put in its place meanwhile cannot hold the open; checked again
    // on what was actually opened.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return refuse(reason, openFailure(path));
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        return refuse(reason, notRegular());
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return refuse(reason, openFailure(path));
    }
    return true;
#elif defined(Q_OS_WIN)
    // A name such as CON, NUL or a pipe opens a device that reads for ever: what was opened is
    // asked whether it is a file on a disk before a byte is read.
    const std::wstring native = QDir::toNativeSeparators(path).toStdWString();
    const HANDLE handle =
        ::CreateFileW(native.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return refuse(reason, openFailure(path));
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (::GetFileType(handle) != FILE_TYPE_DISK || !::GetFileInformationByHandle(handle, &information)) {
        ::CloseHandle(handle);
        return refuse(reason, notRegular());
    }
    if (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        ::CloseHandle(handle);
        return refuse(reason, QStringLiteral("è una cartella."));
    }
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        ::CloseHandle(handle);
        return refuse(reason, openFailure(path));
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::_close(fd);
        return refuse(reason, openFailure(path));
    }
    return true;
#endif
}

bool readRegularFile(const QString& path, qint64 maxBytes, QByteArray* bytes, QString* reason)
{
    QFile file(path);
    if (!openRegularFile(file, reason)) {
        return false;
    }
    const qint64 megabyte = 1024 * 1024;
    const QString tooLarge = maxBytes >= megabyte ? QStringLiteral("supera %1 MB.").arg(maxBytes / megabyte)
                                                  : QStringLiteral("supera %1 byte.").arg(maxBytes);
    if (file.size() > maxBytes) {
        return refuse(reason, tooLarge);
    }
    // One byte more than allowed tells a file that grew meanwhile.
    QByteArray read = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        return refuse(reason, QStringLiteral("la lettura non è riuscita."));
    }
    if (read.size() > maxBytes) {
        return refuse(reason, tooLarge);
    }
    if (bytes) {
        *bytes = std::move(read);
    }
    return true;
}

QString shownFileName(const QString& path)
{
    return printableText(QDir::toNativeSeparators(path));
}

} // namespace pondra
