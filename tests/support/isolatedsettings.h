#pragma once

#include <QSettings>
#include <QTemporaryDir>

namespace testsupport {

// Keeps the user's own settings out of a test and the test out of them: every QSettings of the
// process, native or INI, user or system, lives in the folder given.
inline void keepSettingsIn(const QTemporaryDir& folder)
{
    for (auto format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(format, QSettings::UserScope, folder.filePath(QStringLiteral("user")));
        QSettings::setPath(format, QSettings::SystemScope, folder.filePath(QStringLiteral("system")));
    }
}

} // namespace testsupport
