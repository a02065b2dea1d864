#pragma once

#include <QString>
#include <QStringList>

namespace pondra {

// The folder under the user's data folder (see userDataFolder) where an unsaved study is kept
// for recovery.
inline constexpr char RecoverySubfolder[] = "recupero";

// Where the user's own files are, now and as older versions kept them.
struct UserFilePlaces {
    // The settings file (on Linux ~/.config/pondra/pondra.conf, on Windows
    // %APPDATA%\Pondra\Pondra.ini) and the older one (~/.config/Pondra/Pondra.conf; Windows has
    // no older places: their names are empty there).
    QString settingsFile;
    QString oldSettingsFile;
    // The recovery folder (~/.local/share/pondra/recupero) and the older one
    // (~/.local/share/Pondra/Pondra/recupero).
    QString recoveryFolder;
    QString oldRecoveryFolder;
};

// The places of this user, from the desktop's folders (XDG_CONFIG_HOME, XDG_DATA_HOME on Linux;
// %APPDATA% and %LOCALAPPDATA% on Windows).
UserFilePlaces userFilePlaces();

// Moves what older versions kept in their places into this version's, so that nothing is left
// behind and nothing is overwritten: the settings only into a store that is still empty (copied,
// the old file never written, then removed), each recovery file only when no running program
// holds it and no file of its name is there. A place reached through a link is left alone. What
// stays behind is tried again at the next start. Returns, in Italian, what could not be moved.
QStringList moveOldUserFiles(const UserFilePlaces& places);

} // namespace pondra
