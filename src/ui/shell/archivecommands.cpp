#include "archivecommands.h"

#include "archive/datafile.h"
#include "navigation.h"
#include "ui/core/modulopondra.h"
#include "ui/main/frontespizio.h"
#include "ui/main/requisiti.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMainWindow>

namespace pondra {

namespace {

// Both filters of the open and delete dialogs; the data files are preselected.
const QString DataFilesFilter = QStringLiteral("File Pondra-dati- (Pondra-dati-*)");
const QString AllAndDataFilters = QStringLiteral("Tutti i file (*);;") + DataFilesFilter;

QString fileTitle(const ModuloPondra& module)
{
    return module.identity().ProgramName + QStringLiteral(": archivio");
}

void tellFailure(ModuloPondra& module, QWidget* from, const QString& text)
{
    module.showMessage(from, {text, MessageIcon::Critical}, fileTitle(module));
}

} // namespace

void OpenStudy(ModuloPondra& module, QMainWindow& from)
{
    const QString path = module.dialogs().openFileName(&from, QStringLiteral("Apri file"), AllAndDataFilters,
                                                       DataFilesFilter);
    if (path.isEmpty()) {
        // As before a cancelled open: the next save asks for a name.
        module.CurrentFileName.clear();
        return;
    }
    OpenStudyFile(module, from, path);
}

void OpenStudyFile(ModuloPondra& module, QMainWindow& from, const QString& path)
{
    TitlePage titlePage;
    QString error;
    if (!loadStudyFile(path, module.study(), titlePage, &error)) {
        // The name of a file that could not be read is not kept: a later save must not
        // overwrite it without asking.
        tellFailure(module, &from, error);
        return;
    }
    module.CurrentFileName = path;
    module.recentFiles().add(path);
    module.window<frontespizio>()->setTitlePage(titlePage);
    module.window<requisiti>()->HScroll1_Change();
}

void SaveStudy(ModuloPondra& module, QMainWindow& from, CommandOrigin origin, bool askName)
{
    if (askName) {
        module.CurrentFileName.clear();
    }
    module.CheckRequested = 1;
    module.window<requisiti>()->controllodati_Click();
    if (module.CheckRequested != 0) {
        if (origin == CommandOrigin::TitlePageWindow) {
            ShowDataWindow(module);
        }
        return;
    }
    frontespizio* titleWindow = module.window<frontespizio>();
    if (titleWindow->progetto->text().isEmpty()) {
        const QString text = origin == CommandOrigin::TitlePageWindow
                                 ? QStringLiteral("E' necessario digitare almeno il dato della 'perizia'.")
                                 : QStringLiteral("E' necessario digitare almeno il dato della 'perizia' nella "
                                                  "finestra Frontespizio.");
        module.showMessage(&from, {text, MessageIcon::Critical}, module.identity().CheckTitle);
        ShowTitlePage(module);
        return;
    }
    QString path = module.CurrentFileName;
    if (path.isEmpty()) {
        path = module.dialogs().saveFileName(&from, QStringLiteral("Salva file con nome"), DataFilesFilter,
                                             DataFilesFilter);
        if (path.isEmpty()) {
            return;
        }
    }
    QString error;
    if (!saveStudyFile(path, module.study(), titleWindow->titlePage(), &error)) {
        tellFailure(module, &from, error);
        return;
    }
    module.CurrentFileName = path;
    module.recentFiles().add(path);
}

void DeleteStudyFile(ModuloPondra& module, QMainWindow& from)
{
    const QString path = module.dialogs().openFileName(&from, module.identity().DeleteDialogTitle, AllAndDataFilters,
                                                       DataFilesFilter);
    if (path.isEmpty()) {
        return;
    }
    QFile file(path);
    if (file.remove()) {
        module.recentFiles().remove(path);
    } else {
        tellFailure(module, &from,
                    QStringLiteral("Il file «%1» non si può eliminare: %2")
                        .arg(QDir::toNativeSeparators(path),
                             file.exists() ? QStringLiteral("è protetto o in uso.") : QStringLiteral("non esiste.")));
    }
}

} // namespace pondra
