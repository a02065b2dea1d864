#pragma once

class QWidget;

namespace pondra {

class ModuloPondra;

// Every way out of the program asks here first. A study with unsaved changes offers Salva, Esci
// senza salvare and Annulla, and a save that fails or is cancelled keeps the program open;
// otherwise the plain question, No being the default. Leaving unloads every window and shows
// the splash window in its closing form, the study staying in memory.
void ExitProgram(ModuloPondra& module, QWidget* from);

} // namespace pondra
