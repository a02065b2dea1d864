#include "exportcommands.h"

#include "navigation.h"
#include "reports/spreadsheetexport.h"
#include "ui/core/modulopondra.h"
#include "ui/main/frontespizio.h"
#include "ui/main/requisiti.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>

namespace pondra {

void ExportSpreadsheet(ModuloPondra& module, QMainWindow& from, CommandOrigin origin)
{
    module.CheckRequested = 1;
    module.window<requisiti>()->controllodati_Click();
    if (module.CheckRequested != 0) {
        if (origin == CommandOrigin::TitlePageWindow) {
            ShowDataWindow(module);
        }
        return;
    }
    const QString filter = QStringLiteral("Foglio di calcolo CSV (*.csv)");
    QString path = module.dialogs().saveFileName(&from, QStringLiteral("Esporta per foglio di calcolo"), filter, filter);
    if (path.isEmpty()) {
        return;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".csv");
    }
    QString error;
    if (!exportSpreadsheet(path, module.study(), module.window<frontespizio>()->titlePage(), module.identity(), &error)) {
        module.showMessage(&from, {error, MessageIcon::Critical}, module.identity().ProgramName + QStringLiteral(": archivio"));
        return;
    }
    const QString done = QStringLiteral("esportato in «%1»").arg(QDir::toNativeSeparators(path));
    if (auto* data = qobject_cast<requisiti*>(&from)) {
        data->passo->setText(done);
    } else if (auto* title = qobject_cast<frontespizio*>(&from)) {
        title->passo->setText(done);
    }
}

} // namespace pondra
