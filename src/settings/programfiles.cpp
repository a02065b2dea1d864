#include "programfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace pondra {

namespace {

// The folder name under every data folder, as the installation writes it.
#ifdef Q_OS_WIN
const QString DataSubfolder = QStringLiteral("Pondra");
#else
const QString DataSubfolder = QStringLiteral("pondra");
#endif

QString dataFolderIn(const QString& dataRoot)
{
    return QDir::cleanPath(dataRoot + u'/' + DataSubfolder);
}

} // namespace

QString userDataFolder()
{
    return dataFolderIn(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}

QStringList programFolders()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    QStringList folders{userDataFolder(), programFolder,
                        QDir::cleanPath(programFolder + QStringLiteral("/../share/pondra"))};
    for (const QString& root : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        folders << dataFolderIn(root);
    }
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

bool startupMusicInstalled()
{
    return QFileInfo(programFile(QLatin1String(StartupMusicFileName))).isFile();
}

} // namespace pondra
