#include "userfiles.h"

#include "programfiles.h"
#include "settingsfile.h"

#include "archive/filewriting.h"
#include "archive/regularfile.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QStandardPaths>

namespace pondra {

namespace {

// Whether `path` or one of the `levels` folders above it is a link: the user may have pointed an
// old place at a folder of their own, whose files are not ours to move.
bool linkOnTheWay(const QString& path, int levels)
{
    QString place = path;
    for (int level = 0; level <= levels; ++level, place = QFileInfo(place).path()) {
        if (QFileInfo(place).isSymLink()) {
            return true;
        }
    }
    return false;
}

QString leftAlone(const QString& path)
{
    return QStringLiteral("«%1» passa per un collegamento o non è un file ordinario: resta dov'è")
        .arg(shownFileName(path));
}

// The old settings file copied whole into a store that is still empty, then removed.
QStringList moveSettings(const QString& from, const QString& to)
{
    const QFileInfo old(from);
    if ((!old.exists() && !old.isSymLink()) || old.canonicalFilePath() == QFileInfo(to).canonicalFilePath()) {
        return {};
    }
    if (linkOnTheWay(from, 1)) {
        return {leftAlone(from)};
    }
    QByteArray bytes;
    QString reason;
    if (!readRegularFile(from, SettingsFile::MaxBytes, &bytes, &reason)) {
        return {QStringLiteral("le impostazioni «%1» non si possono spostare: %2")
                    .arg(shownFileName(from), reason)};
    }
    // A store that is there is in use, even when it cannot be read.
    if (QFileInfo::exists(to) || QFileInfo(to).isSymLink()) {
        return {};
    }
    QDir().mkpath(QFileInfo(to).absolutePath());
    if (!saveWholeFile(to, bytes, &reason)) {
        return {QStringLiteral("le impostazioni di «%1» non si possono copiare in «%2»: %3")
                    .arg(shownFileName(from), shownFileName(to), reason)};
    }
    QFile::remove(from);
    QDir().rmdir(old.path());
    return {};
}

// Whether a file of the recovery folder is one the program made: a recovery copy, one put aside
// as unreadable, or a lock. Anything else there is the user's, and stays.
bool isRecoveryName(const QString& name)
{
    static const QRegularExpression ours(QStringLiteral("^(illeggibile-)?recupero-[0-9-]+\\.(txt|lock)$"));
    return ours.match(name).hasMatch();
}

// Each recovery copy of the old folder that no running program holds, under the same name.
QStringList moveRecoveryFiles(const QString& from, const QString& to)
{
    const QDir old(from);
    if (!old.exists() || QFileInfo(from).canonicalFilePath() == QFileInfo(to).canonicalFilePath()) {
        return {};
    }
    // The old folder and the two named after the program above it.
    if (linkOnTheWay(from, 2)) {
        return {leftAlone(from)};
    }
    QStringList problems;
    QStringList copies;
    QStringList locks;
    for (const QFileInfo& file : old.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!isRecoveryName(file.fileName())) {
            continue;
        }
        if (file.isSymLink() || !file.isFile()) {
            problems << leftAlone(file.filePath());
            continue;
        }
        (file.suffix() == QStringLiteral("lock") ? locks : copies) << file.fileName();
    }
    if (!copies.isEmpty() && !QDir().mkpath(to)) {
        return {QStringLiteral("la cartella «%1» non si può creare").arg(shownFileName(to))};
    }
    // The studies kept there are the user's alone.
    if (!copies.isEmpty()) {
        QFile::setPermissions(to, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    for (const QString& name : copies) {
        // A lock that is not a regular file (a FIFO would hold the start for ever) is not ours to take.
        const QFileInfo lockFile(old.filePath(QFileInfo(name).completeBaseName() + QStringLiteral(".lock")));
        if (lockFile.isSymLink() || (lockFile.exists() && !lockFile.isFile())) {
            problems << leftAlone(old.filePath(name));
            continue;
        }
        // A program of an older version still running keeps its copy where it is.
        QLockFile lock(old.filePath(QFileInfo(name).completeBaseName() + QStringLiteral(".lock")));
        lock.setStaleLockTime(0);
        if (!lock.tryLock(0)) {
            continue;
        }
        const QString target = QDir(to).filePath(name);
        if (QFileInfo::exists(target) || QFileInfo(target).isSymLink() ||
            !QFile::rename(old.filePath(name), target)) {
            problems << QStringLiteral("la copia di recupero «%1» non si può spostare in «%2»")
                            .arg(shownFileName(old.filePath(name)), shownFileName(to));
        }
    }
    // The locks left are stale ones: taking one and letting it go removes it.
    for (const QString& name : locks) {
        QLockFile lock(old.filePath(name));
        lock.setStaleLockTime(0);
        lock.tryLock(0);
    }
    // The old folder and the two named after the program above it, as far as they are empty.
    QString folder = from;
    for (int level = 0; level < 3 && QDir().rmdir(folder); ++level) {
        folder = QFileInfo(folder).path();
    }
    return problems;
}

} // namespace

UserFilePlaces userFilePlaces()
{
#ifdef Q_OS_WIN
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return {.settingsFile = config + QStringLiteral("/Pondra/Pondra.ini"),
            .oldSettingsFile = {},
            .recoveryFolder = QDir(userDataFolder()).filePath(QLatin1String(RecoverySubfolder)),
            .oldRecoveryFolder = {}};
#else
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return {.settingsFile = config + QStringLiteral("/pondra/pondra.conf"),
            .oldSettingsFile = config + QStringLiteral("/Pondra/Pondra.conf"),
            .recoveryFolder = QDir(userDataFolder()).filePath(QLatin1String(RecoverySubfolder)),
            .oldRecoveryFolder = data + QStringLiteral("/Pondra/Pondra/") + QLatin1String(RecoverySubfolder)};
#endif
}

QStringList moveOldUserFiles(const UserFilePlaces& places)
{
    if (places.oldSettingsFile.isEmpty()) {
        return {};
    }
    return moveSettings(places.oldSettingsFile, places.settingsFile) +
           moveRecoveryFiles(places.oldRecoveryFolder, places.recoveryFolder);
}

} // namespace pondra
