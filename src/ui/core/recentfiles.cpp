#include "recentfiles.h"

#include "archive/regularfile.h"
#include "seams.h"
#include "settings/settings.h"

#include <QFileInfo>

namespace pondra {

namespace {

QString fullPath(const QString& path)
{
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

QStringList RecentFiles::paths() const
{
    QStringList paths = m_environment.settings().recentFiles();
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

QString RecentFiles::menuText(int number, const QString& path)
{
    QString name = shownFileName(QFileInfo(path).fileName());
    name.replace(u'&', QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(number).arg(name);
}

void RecentFiles::store(const QStringList& paths)
{
    m_environment.settings().setRecentFiles(paths);
}

} // namespace pondra
