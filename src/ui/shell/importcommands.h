#pragma once

class QMainWindow;

namespace pondra {

class ModuloPondra;

// "Importa da foglio di calcolo...": asks before a changed study is given up, then reads the
// CSV chosen in the dialog into a new study in no file, shown in the Data window. A sheet that
// does not read changes nothing and says where and why.
void ImportSpreadsheet(ModuloPondra& module, QMainWindow& from);

} // namespace pondra
