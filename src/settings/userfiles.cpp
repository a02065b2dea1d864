#include "userfiles.h"

#include "programfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>

namespace pondra {

namespace {

// Every key of the old store into the new one, then the old one emptied and its file removed.
QStringList moveSettings(const QString& from, const QString& to)
{
    QSettings old(SettingsFormat, QSettings::UserScope, from, from);
    const QStringList keys = old.allKeys();
    QSettings current(SettingsFormat, QSettings::UserScope, to, to);
    // A store with keys is in use (or, on a system that ignores case, the old one itself).
    if (keys.isEmpty() || !current.allKeys().isEmpty()) {
        return {};
    }
    for (const QString& key : keys) {
        current.setValue(key, old.value(key));
    }
    current.sync();
    if (current.status() != QSettings::NoError || current.allKeys().size() != keys.size()) {
        return {
            QStringLiteral("le impostazioni di «%1» non si possono copiare in «%2»")
                .arg(QDir::toNativeSeparators(old.fileName()), QDir::toNativeSeparators(current.fileName()))};
    }
    const QString oldFile = old.fileName();
    old.clear();
    old.sync();
    if (QFileInfo(oldFile).isFile()) {
        QFile::remove(oldFile);
        QDir().rmdir(QFileInfo(oldFile).path());
    }
    return {};
}

// Each file of the old folder that no running program holds, under the same name.
QStringList moveRecoveryFiles(const QString& from, const QString& to)
{
    const QDir old(from);
    if (!old.exists() || QFileInfo(from).canonicalFilePath() == QFileInfo(to).canonicalFilePath()) {
        return {};
    }
    QStringList problems;
    if (!QDir().mkpath(to)) {
        return {QStringLiteral("la cartella «%1» non si può creare").arg(QDir::toNativeSeparators(to))};
    }
    // The studies kept there are the user's alone.
    QFile::setPermissions(to, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QStringList locks = old.entryList({QStringLiteral("*.lock")}, QDir::Files | QDir::Hidden);
    for (const QString& name : old.entryList(QDir::Files | QDir::Hidden)) {
        if (locks.contains(name)) {
            continue;
        }
        // A program of an older version still running keeps its copy where it is.
        QLockFile lock(old.filePath(QFileInfo(name).completeBaseName() + QStringLiteral(".lock")));
        lock.setStaleLockTime(0);
        if (!lock.tryLock(0)) {
            continue;
        }
        const QString target = QDir(to).filePath(name);
        if (QFileInfo::exists(target) || !QFile::rename(old.filePath(name), target)) {
            problems << QStringLiteral("la copia di recupero «%1» non si può spostare in «%2»")
                            .arg(QDir::toNativeSeparators(old.filePath(name)), QDir::toNativeSeparators(to));
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
    return {.settingsOrganisation = QStringLiteral("Pondra"),
            .oldSettingsOrganisation = {},
            .recoveryFolder = QDir(userDataFolder()).filePath(QLatin1String(RecoverySubfolder)),
            .oldRecoveryFolder = {}};
#else
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return {.settingsOrganisation = QStringLiteral("pondra"),
            .oldSettingsOrganisation = QStringLiteral("Pondra"),
            .recoveryFolder = QDir(userDataFolder()).filePath(QLatin1String(RecoverySubfolder)),
            .oldRecoveryFolder = data + QStringLiteral("/Pondra/Pondra/") + QLatin1String(RecoverySubfolder)};
#endif
}

QStringList moveOldUserFiles(const UserFilePlaces& places)
{
    if (places.oldSettingsOrganisation.isEmpty()) {
        return {};
    }
    return moveSettings(places.oldSettingsOrganisation, places.settingsOrganisation) +
           moveRecoveryFiles(places.oldRecoveryFolder, places.recoveryFolder);
}

} // namespace pondra
