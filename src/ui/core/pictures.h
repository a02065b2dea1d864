#pragma once

#include <QIcon>
#include <QString>

namespace pondra {

// The resource path of the picture of toolbar button 1..21; empty for the separators (5, 7, 11,
// 13, 18) and for any other number.
QString toolbarIconPath(int button);

// An SVG from the program's resources as an icon, drawn at the sizes toolbars and task bars ask
// for; disabled buttons grey it as usual.
QIcon svgIcon(const QString& path);

// Pondra's own pictures do not depend on a desktop icon theme. The program's icon, for every
// window, and its desktop file name, so that task bars match the windows to the menu entry.
void identifyOnDesktop();

} // namespace pondra
