#pragma once

namespace pondra {

class ModuloPondra;

// Gives the three main windows their menus, toolbar and shared command buttons as they load.
void installShell(ModuloPondra& module);

} // namespace pondra
