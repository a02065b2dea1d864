#include "archivecommands.h"

#include "archive/regularfile.h"
#include "model/datacheck.h"
#include "navigation.h"
#include "ui/core/modulopondra.h"
#include "ui/main/requisiti.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>

#include <memory>

namespace pondra {

namespace {

// Study files are found whatever their name: the conventional prefix, or the extension the save
// adds. The open and delete dialogs offer every file as well.
const QString DataFilePrefix = QStringLiteral("Pondra-dati-");
const QString DataFilesFilter = QStringLiteral("File di dati Pondra (Pondra-dati-* *.txt)");
const QString DataAndAllFilters = DataFilesFilter + QStringLiteral(";;Tutti i file (*)");

void tellFailure(ModuloPondra& module, QWidget* from, const QString& text)
{
    module.showMessage(from, {text, MessageIcon::Critical}, ArchiveTitle(module));
}

// "Pondra-dati-" and the perizia's words. What a file name cannot hold on any system, and the
// dot, which would start an extension and keep the save from adding ".txt", become blanks.
QString proposedFileName(const TitlePage& page)
{
    QString words = page.progetto;
    for (QChar& c : words) {
        if (c.category() == QChar::Other_Control || QStringView(u"/\\:*?\"<>|.").contains(c)) {
            c = u' ';
        }
    }
    return DataFilePrefix + words.simplified();
}

// Asks where to save, proposing the conventional name beside the study's file; empty when
// cancelled. A name given without an extension is a text file, as the dialog's filter says.
QString chooseFileName(ModuloPondra& module, QWidget& from)
{
    const QString current = module.document().fileName();
    const QString name = proposedFileName(module.titlePage());
    const QString proposed = current.isEmpty() ? name : QFileInfo(current).dir().filePath(name);
    QString filter = DataFilesFilter;
    QString path =
        module.dialogs().saveFileName(&from, QStringLiteral("Salva file con nome"), DataFilesFilter, &filter,
                                      proposed, int(DataFilePrefix.size()));
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".txt");
    }
    return path;
}

// What a saved study still lacks before Risultati and the printouts accept it: the data check's
// first finding and the perizia. The check runs on a copy, so the windows stay where they are.
struct Unfinished {
    QStringList briefly; // for the step line
    QStringList fully;   // for the note
};

Unfinished unfinishedParts(ModuloPondra& module, CommandOrigin origin)
{
    Unfinished missing;
    auto copy = std::make_unique<Study>(module.study());
    const DataCheckResult check = CheckData(*copy, module.document().shownHypothesis());
    if (!check.passed) {
        missing.briefly << check.todo;
        missing.fully << check.message.text;
    }
    if (module.titlePage().progetto.trimmed().isEmpty()) {
        const bool here = origin == CommandOrigin::TitlePageWindow;
        missing.briefly << (here ? QStringLiteral("perizia") : QStringLiteral("perizia nel Frontespizio"));
        missing.fully << (here ? QStringLiteral("Digitare la perizia.")
                               : QStringLiteral("Digitare la perizia nella finestra Frontespizio."));
    }
    return missing;
}

} // namespace

QString ArchiveTitle(const ModuloPondra& module)
{
    return module.identity().ProgramName + QStringLiteral(": archivio");
}

void TellStep(QWidget& window, const QString& text)
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
        module.dialogs().openFileName(&from, QStringLiteral("Apri file"), DataAndAllFilters, DataFilesFilter);
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

bool SaveStudy(ModuloPondra& module, QWidget& from, CommandOrigin origin, bool askName)
{
    QString path = module.document().fileName();
    if (!askName && !path.isEmpty() && module.document().fileNameOnlyProposed()) {
        const MessageAnswer answer = module.dialogs().message(
            &from, {QStringLiteral("Salvare lo studio recuperato in «%1»?").arg(shownFileName(path)),
                    module.identity().ProgramName, MessageIcon::Question, MessageButtons::YesSaveAsCancel});
        if (answer == MessageAnswer::Cancel) {
            return false;
        }
        askName = answer == MessageAnswer::SaveAs;
    }
    if (askName || path.isEmpty()) {
        path = chooseFileName(module, from);
        if (path.isEmpty()) {
            return false;
        }
    }
    QString error;
    if (!module.document().save(path, &error)) {
        tellFailure(module, &from, error);
        return false;
    }
    const Unfinished missing = unfinishedParts(module, origin);
    if (missing.briefly.isEmpty()) {
        TellStep(from, QStringLiteral("archiviato in «%1»").arg(shownFileName(path)));
        return true;
    }
    TellStep(from,
             QStringLiteral("Studio salvato; da completare: ") + missing.briefly.join(QStringLiteral("; ")));
    if (auto* main = qobject_cast<MainWindow*>(&from)) {
        main->showNote(QStringLiteral("Studio salvato in «%1».\nDa completare prima di Risultati e stampe:\n")
                           .arg(shownFileName(path)) +
                       missing.fully.join(u'\n'));
    }
    return true;
}

void DeleteStudyFile(ModuloPondra& module, QMainWindow& from)
{
    const QString path = module.dialogs().deleteFileName(&from, module.identity().DeleteDialogTitle,
                                                         DataAndAllFilters, DataFilesFilter);
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
