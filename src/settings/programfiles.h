#pragma once

#include <QString>
#include <QStringList>

namespace pondra {

// The user's own folder for the files Pondra reads (tips, price list, music): their copy of a
// file there comes before the installed one. On Linux ~/.local/share/pondra.
QString userDataFolder();

// Where the files that lie beside the program are looked for, in order: the user's own folder,
// the program's folder (as in the build tree), the installed data folder beside it
// (../share/pondra), then the system's data folders (/usr/local/share/pondra, /usr/share/pondra).
QStringList programFolders();

// The start-up music, which no package installs: a user may put it in their own folder.
inline constexpr char StartupMusicFileName[] = "Internet.mid";

// Whether the start-up music is there, so that texts speak of it only then.
bool startupMusicInstalled();

// The first existing file of that name in those folders; when there is none, the name in the
// user's own folder, so a message can say where the user's copy goes.
QString programFile(const QString& name);

} // namespace pondra
