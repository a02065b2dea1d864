#pragma once

#include <QSettings>
#include <QTemporaryDir>

namespace testsupport {

// Keeps the user's own settings out of a test and the test out of them: the program's settings
// file and every QSettings of the process, native or INI, user or system, live in the folder given.
inline void keepSettingsIn(const QTemporaryDir& folder)
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.filePath(QStringLiteral("user"))));
    for (auto format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(format, QSettings::UserScope, folder.filePath(QStringLiteral("user")));
        QSettings::setPath(format, QSettings::SystemScope, folder.filePath(QStringLiteral("system")));
    }
}

} // namespace testsupport
