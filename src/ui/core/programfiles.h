#pragma once

#include <QString>
#include <QStringList>

namespace pondra {

// Where the files that lie beside the program are looked for, in order: the program's own
// folder (as in the build tree), the installed data folder beside it (../share/pondra), the
// user's application data folders.
QStringList programFolders();

// The first existing file of that name in those folders; when there is none, the name in the
// program's own folder, so a message can say where it was expected.
QString programFile(const QString& name);

} // namespace pondra
