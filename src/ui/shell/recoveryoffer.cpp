#include "recoveryoffer.h"

#include "archive/recoveryfile.h"
#include "archive/regularfile.h"
#include "ui/core/modulopondra.h"

#include <QFile>

#include <memory>

namespace pondra {

bool OfferRecovery(ModuloPondra& module)
{
    const QString title = module.identity().ProgramName + QStringLiteral(": recupero");
    for (const RecoveryFolder::Orphan& orphan : module.recovery().folder().orphans()) {
        // "del 08/12/2026", as dates read in documents: the long date would need a weekday.
        const QString when = QStringLiteral("del %1 (ore %2)")
                                 .arg(orphan.written.toString(QStringLiteral("dd/MM/yyyy")),
                                      orphan.written.toString(QStringLiteral("HH:mm")));
        auto study = std::make_unique<Study>();
        TitlePage page;
        QString error;
        if (!readRecoveryFile(orphan.path, *study, page, &error)) {
            const QString aside = RecoveryFolder::moveAside(orphan);
            const QString kept =
                aside.isEmpty()
                    ? QStringLiteral("Il file resta in «%1».").arg(shownFileName(orphan.path))
                    : QStringLiteral("Il file è stato messo da parte in «%1».").arg(shownFileName(aside));
            module.showMessage(nullptr,
                               {QStringLiteral("Lo studio non archiviato %1 non si può recuperare. %2\n%3")
                                    .arg(when, error, kept),
                                MessageIcon::Exclamation},
                               title);
            continue;
        }
        const QString question =
            QStringLiteral("È stato trovato uno studio non archiviato %1. Recuperarlo?").arg(when);
        if (module.ask(nullptr, question, title, MessageIcon::Question) == MessageAnswer::No) {
            QFile::remove(orphan.path);
            continue;
        }
        module.adoptRecoveredStudy(std::move(*study), page);
        QFile::remove(orphan.path);
        return true;
    }
    return false;
}

} // namespace pondra
