#include "archivecommands.h"

#include "archive/regularfile.h"
#include "navigation.h"
#include "ui/core/modulopondra.h"
#include "ui/main/requisiti.h"

#include <QFile>
#include <QFileInfo>
#include <QMainWindow>

namespace pondra {

namespace {

// Both filters of the open and delete dialogs; the data files are preselected.
const QString DataFilesFilter = QStringLiteral("File Pondra-dati- (Pondra-dati-*)");
const QString AllAndDataFilters = QStringLiteral("Tutti i file (*);;") + DataFilesFilter;

void tellFailure(ModuloPondra& module, QWidget* from, const QString& text)
{
    module.showMessage(from, {text, MessageIcon::Critical}, ArchiveTitle(module));
}

} // namespace

QString ArchiveTitle(const ModuloPondra& module)
{
    return module.identity().ProgramName + QStringLiteral(": archivio");
}

void TellStep(QMainWindow& window, const QString& text)
{
    if (auto* main = qobject_cast<MainWindow*>(&window)) {
        main->showStep(text);
    }
}

bool MayReplaceStudy(ModuloPondra& module, QWidget* from)
{
    return !module.document().isModified() ||
           module.ask(from, QStringLiteral("I dati non archiviati andranno persi. Aprire un altro file?"),
                      ArchiveTitle(module), MessageIcon::Question, MessageAnswer::No) != MessageAnswer::No;
}

void OpenStudy(ModuloPondra& module, QMainWindow& from)
{
    if (!MayReplaceStudy(module, &from)) {
        return;
    }
    const QString path =
        module.dialogs().openFileName(&from, QStringLiteral("Apri file"), AllAndDataFilters, DataFilesFilter);
    if (path.isEmpty()) {
        // As before a cancelled open: the next save asks for a name.
        module.document().forgetFileName();
        return;
    }
    OpenStudyFile(module, &from, path);
}

bool OpenStudyFile(ModuloPondra& module, QWidget* from, const QString& path)
{
    QString error;
    if (!module.document().open(path, &error)) {
        // The name of a file that could not be read is not kept: a later save must not
        // overwrite it without asking.
        tellFailure(module, from, error);
        return false;
    }
    // The study is shown in the Data window; one loaded now starts at its first hypothesis.
    module.window<requisiti>();
    return true;
}

bool DataPassFrom(ModuloPondra& module, CommandOrigin origin)
{
    if (DataPass(module)) {
        return true;
    }
    if (origin == CommandOrigin::TitlePageWindow) {
        ShowDataWindow(module);
    }
    return false;
}

void SaveStudy(ModuloPondra& module, QMainWindow& from, CommandOrigin origin, bool askName)
{
    if (askName) {
        module.document().forgetFileName();
    }
    if (!DataPassFrom(module, origin)) {
        return;
    }
    if (module.titlePage().progetto.isEmpty()) {
        const QString text =
            origin == CommandOrigin::TitlePageWindow
                ? QStringLiteral("È necessario digitare almeno il dato della 'perizia'.")
                : QStringLiteral("È necessario digitare almeno il dato della 'perizia' nella "
                                 "finestra Frontespizio.");
        module.showMessage(&from, {text, MessageIcon::Critical}, module.identity().CheckTitle);
        ShowTitlePage(module);
        return;
    }
    QString path = module.document().fileName();
    if (path.isEmpty()) {
        QString filter = DataFilesFilter;
        path = module.dialogs().saveFileName(&from, QStringLiteral("Salva file con nome"), DataFilesFilter,
                                             &filter, QString());
        if (path.isEmpty()) {
            return;
        }
    }
    QString error;
    if (!module.document().save(path, &error)) {
        tellFailure(module, &from, error);
        return;
    }
    TellStep(from, QStringLiteral("archiviato in «%1»").arg(shownFileName(path)));
}

void DeleteStudyFile(ModuloPondra& module, QMainWindow& from)
{
    const QString path = module.dialogs().deleteFileName(&from, module.identity().DeleteDialogTitle,
                                                         AllAndDataFilters, DataFilesFilter);
    if (path.isEmpty()) {
        return;
    }
    const MessageAnswer answer = module.ask(
        &from, QStringLiteral("Eliminare definitivamente il file «%1»?").arg(QFileInfo(path).fileName()),
        ArchiveTitle(module), MessageIcon::Question, MessageAnswer::No);
    if (answer == MessageAnswer::No) {
        return;
    }
    const bool current = module.document().isCurrentFile(path);
    QFile file(path);
    if (!file.remove()) {
        tellFailure(module, &from,
                    QStringLiteral("Il file «%1» non si può eliminare: %2")
                        .arg(shownFileName(path), file.exists() ? QStringLiteral("è protetto o in uso.")
                                                                : QStringLiteral("non esiste.")));
        return;
    }
    module.recentFiles().remove(path);
    if (current) {
        module.document().fileDeleted();
    }
}

} // namespace pondra
