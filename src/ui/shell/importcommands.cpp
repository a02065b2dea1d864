#include "importcommands.h"

#include "archive/regularfile.h"
#include "archive/sheetimport.h"
#include "archivecommands.h"
#include "navigation.h"
#include "ui/core/modulopondra.h"
#include "ui/main/requisiti.h"

#include <QMainWindow>

namespace pondra {

void ImportSpreadsheet(ModuloPondra& module, QMainWindow& from)
{
    if (!MayReplaceStudy(module, &from)) {
        return;
    }
    const QString sheets = QStringLiteral("Foglio di calcolo CSV (*.csv)");
    const QString path = module.dialogs().openFileName(&from, QStringLiteral("Importa da foglio di calcolo"),
                                                       sheets + QStringLiteral(";;Tutti i file (*)"), sheets);
    if (path.isEmpty()) {
        return;
    }
    const SheetImport imported = importSheetFile(path);
    if (!imported.study) {
        module.showMessage(&from, {imported.error, MessageIcon::Critical}, ArchiveTitle(module));
        return;
    }
    module.document().importStudy(*imported.study, imported.titlePage);
    ShowDataWindow(module);
    module.window<requisiti>()->showStep(
        QStringLiteral("importato da «%1»: archiviarlo con «Salva con nome...»").arg(shownFileName(path)));
}

} // namespace pondra
