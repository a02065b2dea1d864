#include "recentfiles.h"

#include "seams.h"

#include <QFileInfo>
#include <QSettings>

namespace pondra {

namespace {

const QString Key = QStringLiteral("FileRecenti");

QString fullPath(const QString& path)
{
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

QStringList RecentFiles::paths() const
{
    QStringList paths = m_environment.userSettings()->value(Key).toStringList();
    paths.removeAll(QString());
    return paths.mid(0, Capacity);
}

void RecentFiles::add(const QString& path)
{
    const QString full = fullPath(path);
    QStringList paths = this->paths();
    paths.removeAll(full);
    paths.prepend(full);
    store(paths.mid(0, Capacity));
}

void RecentFiles::remove(const QString& path)
{
    QStringList paths = this->paths();
    if (paths.removeAll(fullPath(path)) > 0) {
        store(paths);
    }
}

void RecentFiles::store(const QStringList& paths)
{
    m_environment.userSettings()->setValue(Key, paths);
}

} // namespace pondra
