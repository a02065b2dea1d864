#include "recoveryfolder.h"

#include "archive/filewriting.h"
#include "archive/regularfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

namespace pondra {

namespace {

const QString Prefix = QStringLiteral("recupero-");
const QString Suffix = QStringLiteral(".txt");

QString lockOf(const QString& recoveryFile)
{
    return recoveryFile.chopped(Suffix.size()) + QStringLiteral(".lock");
}

std::unique_ptr<QLockFile> lockFor(const QString& recoveryFile)
{
    auto lock = std::make_unique<QLockFile>(lockOf(recoveryFile));
    // Only a program that is gone leaves a stale lock; a live one may hold it for days.
    lock->setStaleLockTime(0);
    return lock;
}

} // namespace

RecoveryFolder::RecoveryFolder(const QString& folder) : m_folder(folder) {}

RecoveryFolder::~RecoveryFolder() = default;

QString RecoveryFolder::ownFile()
{
    if (!m_own.isEmpty() || !QDir().mkpath(m_folder)) {
        return m_own;
    }
    // The studies kept here are the user's alone, even on a machine shared with others.
    QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // The process number alone could come back after a restart; the start time makes it unique,
    // and a count tells apart two programs started within the same millisecond.
    const QString stem = Prefix + QStringLiteral("%1-%2-")
                                      .arg(QCoreApplication::applicationPid())
                                      .arg(QDateTime::currentMSecsSinceEpoch());
    for (int n = 1; n <= 100; ++n) {
        const QString path = QDir(m_folder).filePath(stem + QString::number(n) + Suffix);
        auto lock = lockFor(path);
        if (!QFileInfo::exists(path) && lock->tryLock(0)) {
            m_lock = std::move(lock);
            m_own = path;
            break;
        }
    }
    return m_own;
}

QList<RecoveryFolder::Orphan> RecoveryFolder::orphans() const
{
    // A program that stopped with nothing unsaved leaves only its lock. Taking it is possible only
    // once that program is gone, and letting it go removes it.
    const QDir folder(m_folder);
    for (const QString& lock : folder.entryList({Prefix + QStringLiteral("*.lock")}, QDir::Files)) {
        const QString file = folder.filePath(lock.chopped(5) + Suffix);
        if (file != m_own && !QFileInfo::exists(file)) {
            lockFor(file)->tryLock(0);
        }
    }
    QList<Orphan> found;
    const QFileInfoList files = folder.entryInfoList({Prefix + u'*' + Suffix}, QDir::Files, QDir::Time);
    for (const QFileInfo& file : files) {
        const QString path = file.absoluteFilePath();
        if (path == m_own) {
            continue;
        }
        // A lock that is not a regular file cannot be taken, and reading a FIFO would wait for ever.
        const QFileInfo lock(lockOf(path));
        if (lock.isSymLink() || (lock.exists() && !lock.isFile())) {
            found << Orphan{path, file.lastModified(), nullptr,
                            QStringLiteral("il blocco «%1» non è un file ordinario.")
                                .arg(shownFileName(lock.filePath()))};
            continue;
        }
        std::shared_ptr<QLockFile> claim = lockFor(path);
        if (claim->tryLock(0)) {
            found << Orphan{path, file.lastModified(), claim};
        } else if (claim->error() != QLockFile::LockFailedError) {
            // No running program holds it: the lock cannot even be made.
            found << Orphan{path, file.lastModified(), nullptr, writeFailureReason(lockOf(path), 0)};
        }
    }
    return found;
}

QString RecoveryFolder::moveAside(const Orphan& orphan)
{
    const QFileInfo file(orphan.path);
    const QString aside = file.dir().filePath(QStringLiteral("illeggibile-") + file.fileName());
    return QFile::rename(orphan.path, aside) ? aside : QString();
}

} // namespace pondra
