#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <memory>

class QLockFile;

namespace pondra {

// The folder where each running program keeps its own recovery file, with a lock that says
// the program is still alive, so that two programs never write or claim the same file.
class RecoveryFolder {
public:
    explicit RecoveryFolder(const QString& folder);
    ~RecoveryFolder();
    RecoveryFolder(const RecoveryFolder&) = delete;
    RecoveryFolder& operator=(const RecoveryFolder&) = delete;

    // This program's recovery file, with its lock taken, in a folder only the user may enter;
    // empty when the folder cannot be made or the lock taken (asked again at the next call).
    QString ownFile();

    // A recovery file left by a program that no longer runs, held so that no other program
    // starting now claims it too. One that cannot be held (a folder that cannot be written, a
    // full disk) is still offered, to be read only: `unclaimable` says why, in Italian.
    struct Orphan {
        QString path;
        QDateTime written;
        std::shared_ptr<QLockFile> claim;
        QString unclaimable = {};
    };
    // Newest first. The locks of programs that are gone and left no file are removed on the way.
    QList<Orphan> orphans() const;

    // A file that cannot be read is kept for the user, under a name the program does not look
    // for again. Returns the new name, or empty when it could not be moved.
    static QString moveAside(const Orphan& orphan);

private:
    QString m_folder;
    QString m_own;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace pondra
