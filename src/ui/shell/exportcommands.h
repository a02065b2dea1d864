#pragma once

#include "archivecommands.h"

class QMainWindow;

namespace pondra {

class ModuloPondra;

// "Esporta per foglio di calcolo...": after the silent data check, writes the ranking and the
// data of every hypothesis as CSV for a spreadsheet, to a file chosen in the dialog (".csv"
// added when the name has no extension). A failed write says why and leaves any previous file.
void ExportSpreadsheet(ModuloPondra& module, QMainWindow& from, CommandOrigin origin);

} // namespace pondra
