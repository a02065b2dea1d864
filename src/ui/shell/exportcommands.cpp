#include "exportcommands.h"

#include "archive/regularfile.h"
#include "navigation.h"
#include "reports/spreadsheetexport.h"
#include "ui/core/modulopondra.h"

#include <QFileInfo>
#include <QMainWindow>

namespace pondra {

void ExportSpreadsheet(ModuloPondra& module, QMainWindow& from, CommandOrigin origin)
{
    if (!DataPassFrom(module, origin)) {
        return;
    }
    const QString filters = QStringLiteral("Foglio di calcolo CSV (*.csv)");
    QString filter = filters;
    // Beside the study's file and named after it, when it has one.
    const QString fileName = module.document().fileName();
    const QFileInfo study(fileName);
    const QString proposed = fileName.isEmpty()
                                 ? QStringLiteral("Pondra.csv")
                                 : study.dir().filePath(study.completeBaseName() + QStringLiteral(".csv"));
    QString path = module.dialogs().saveFileName(&from, QStringLiteral("Esporta per foglio di calcolo"),
                                                 filters, &filter, proposed);
    if (path.isEmpty()) {
        return;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".csv");
    }
    QString error;
    if (!exportSpreadsheet(path, module.study(), module.titlePage(), module.identity(), &error)) {
        module.showMessage(&from, {error, MessageIcon::Critical}, ArchiveTitle(module));
        return;
    }
    TellStep(from, QStringLiteral("esportato in «%1»").arg(shownFileName(path)));
}

} // namespace pondra
