#include "recoveryoffer.h"

#include "archive/recoveryfile.h"
#include "archive/regularfile.h"
#include "ui/core/modulopondra.h"
#include "ui/main/requisiti.h"

#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <memory>

namespace pondra {

namespace {

// "del 08/12/2026 (ore 05:33)", as dates read in documents: the long date would need a weekday.
QString writtenOn(const RecoveryFolder::Orphan& orphan)
{
    return QStringLiteral("del %1 (ore %2)")
        .arg(orphan.written.toString(QStringLiteral("dd/MM/yyyy")),
             orphan.written.toString(QStringLiteral("HH:mm")));
}

struct Readable {
    RecoveryFolder::Orphan orphan;
    QString perizia;
    QString studyFile;
};

// Those that cannot be read are moved aside, and told all in one message.
QList<Readable> readableOnes(ModuloPondra& module, const QString& title)
{
    QList<Readable> readable;
    QStringList unreadable;
    QString firstProblem;
    bool allMoved = true;
    for (const RecoveryFolder::Orphan& orphan : module.recovery().folder().orphans()) {
        auto study = std::make_unique<Study>();
        TitlePage page;
        QString studyFile;
        QString error;
        if (readRecoveryFile(orphan.path, *study, page, &studyFile, &error)) {
            readable << Readable{orphan, page.progetto, studyFile};
            continue;
        }
        const QString aside = RecoveryFolder::moveAside(orphan);
        allMoved = allMoved && !aside.isEmpty();
        if (unreadable.isEmpty()) {
            firstProblem =
                QStringLiteral("Lo studio non archiviato %1 non si può recuperare. %2\n%3")
                    .arg(writtenOn(orphan), error,
                         aside.isEmpty()
                             ? QStringLiteral("Il file resta in «%1».").arg(shownFileName(orphan.path))
                             : QStringLiteral("Il file è stato messo da parte in «%1».")
                                   .arg(shownFileName(aside)));
        }
        unreadable << orphan.path;
    }
    if (unreadable.size() == 1) {
        module.showMessage(nullptr, {firstProblem, MessageIcon::Exclamation}, title);
    } else if (unreadable.size() > 1) {
        const QString folder = shownFileName(QFileInfo(unreadable.first()).absolutePath());
        const QString where =
            allMoved
                ? QStringLiteral("sono stati messi da parte nella cartella «%1», con nomi che iniziano per "
                                 "«illeggibile-»")
                      .arg(folder)
                : QStringLiteral("restano nella cartella «%1»").arg(folder);
        module.showMessage(nullptr,
                           {QStringLiteral("%1 studi non archiviati non si possono recuperare: i file %2.")
                                .arg(unreadable.size())
                                .arg(where),
                            MessageIcon::Exclamation},
                           title);
    }
    return readable;
}

MessageAnswer ask(ModuloPondra& module, const QString& text, const QString& title, MessageIcon icon,
                  MessageAnswer defaultAnswer)
{
    MessageRequest request{text, title, icon, MessageButtons::YesNo, defaultAnswer};
    request.tellsClosed = true;
    return module.dialogs().message(nullptr, request);
}

} // namespace

bool OfferRecovery(ModuloPondra& module, QString* step)
{
    const QString title = module.identity().ProgramName + QStringLiteral(": recupero");
    for (const Readable& found : readableOnes(module, title)) {
        QString question =
            QStringLiteral("È stato trovato uno studio non archiviato %1.").arg(writtenOn(found.orphan));
        if (!found.perizia.isEmpty()) {
            question += QStringLiteral("\nPerizia: «%1»").arg(found.perizia);
        }
        if (!found.studyFile.isEmpty()) {
            question += QStringLiteral("\nFile: «%1»").arg(shownFileName(found.studyFile));
        }
        question += QStringLiteral("\nRecuperarlo?");
        const MessageAnswer answer = ask(module, question, title, MessageIcon::Question, MessageAnswer::Yes);
        if (answer == MessageAnswer::Closed) {
            return false;
        }
        if (answer == MessageAnswer::No && !found.orphan.unclaimable.isEmpty()) {
            continue;
        }
        if (answer == MessageAnswer::No) {
            const MessageAnswer sure = ask(
                module, QStringLiteral("La copia di recupero verrà eliminata definitivamente. Continuare?"),
                title, MessageIcon::Exclamation, MessageAnswer::No);
            if (sure == MessageAnswer::Yes) {
                QFile::remove(found.orphan.path);
            } else if (sure == MessageAnswer::Closed) {
                return false;
            }
            continue;
        }
        auto study = std::make_unique<Study>();
        TitlePage page;
        QString studyFile;
        QString error;
        // Read again: keeping every study offered in memory at once could take much of it.
        if (!readRecoveryFile(found.orphan.path, *study, page, &studyFile, &error)) {
            module.showMessage(nullptr, {error, MessageIcon::Exclamation}, title);
            continue;
        }
        const bool unclaimable = !found.orphan.unclaimable.isEmpty();
        module.adoptRecoveredStudy(std::move(*study), page, studyFile, found.orphan);
        if (step) {
            *step =
                QStringLiteral("studio recuperato: archiviarlo con «%1»")
                    .arg(studyFile.isEmpty() ? QStringLiteral("Salva con nome...") : QStringLiteral("Salva"));
            if (unclaimable) {
                // Read only: the copy stays where it is, for this program and any other.
                *step += QStringLiteral("; la copia di recupero «%1» resta dov'è: %2")
                             .arg(shownFileName(found.orphan.path), found.orphan.unclaimable);
            }
        }
        return true;
    }
    return false;
}

void ReportRecoveryProblems(ModuloPondra& module)
{
    module.recovery().setProblemHandler([&module](const QString& text) {
        requisiti* data = module.loadedWindow<requisiti>();
        if (!data) {
            return false;
        }
        // Once the command under way is over, so that its own hint does not cover it.
        QTimer::singleShot(0, data, [data, text] { data->showStep(text); });
        return true;
    });
}

} // namespace pondra
