#include "programfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace pondra {

QStringList programFolders()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    QStringList folders{programFolder, QDir::cleanPath(programFolder + QStringLiteral("/../share/pondra"))};
    folders += QStandardPaths::standardLocations(QStandardPaths::AppDataLocation);
    folders.removeDuplicates();
    return folders;
}

QString programFile(const QString& name)
{
    const QStringList folders = programFolders();
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo(path).isFile()) {
            return path;
        }
    }
    return QDir(folders.first()).filePath(name);
}

} // namespace pondra
