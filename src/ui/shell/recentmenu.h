#pragma once

class QMainWindow;
class QMenu;

namespace pondra {

class ModuloPondra;

// "File &recenti" in the window's File menu: the studies last opened or saved, the full path
// in each entry's tooltip, read again each time the File menu opens. Choosing one opens it as
// Apri does; one whose file is gone says so and leaves the list.
void addRecentFilesMenu(ModuloPondra& module, QMainWindow& window, QMenu* file);

} // namespace pondra
