#include "pairwisecommands.h"

#include "ui/core/modulopondra.h"
#include "ui/extra/confronto.h"
#include "ui/layout/sidebyside.h"
#include "ui/main/requisiti.h"

namespace pondra {

namespace {

const QString Title = QStringLiteral("Pondra: pesi a confronto");

} // namespace

void ShowPairwiseComparison(ModuloPondra& module, QWidget* parent)
{
    if (const std::optional<QString> problem =
            pairwiseComparisonProblem(module.study(), module.document().shownHypothesis())) {
        module.showMessage(parent, {*problem, MessageIcon::Exclamation}, Title);
        return;
    }
    confronto* window = module.window<confronto>();
    window->Carica();
    if (!window->isVisible()) {
        placeBeside(window, module.loadedWindow<requisiti>());
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void CopyCharacteristicsToOthers(ModuloPondra& module, QWidget* parent)
{
    const Study& study = module.study();
    const int shown = module.document().shownHypothesis();
    if (study.countNamedHypotheses() - (study.hypothesis(shown).name.isEmpty() ? 0 : 1) <= 0) {
        module.showMessage(parent,
                           {QStringLiteral("Non ci sono altre ipotesi con il nome in cui copiare le "
                                           "caratteristiche."),
                            MessageIcon::Information},
                           QStringLiteral("Pondra: copia caratteristiche"));
        return;
    }
    const QString question =
        QStringLiteral("Tutte le altre ipotesi avranno le caratteristiche e i pesi dell'ipotesi n. %1, nelle "
                       "stesse righe: i giudizi delle caratteristiche con lo stesso nome restano, le altre "
                       "righe si svuotano. Si può annullare con Annulla. Procedere?")
            .arg(shown);
    if (module.ask(parent, question, QStringLiteral("Pondra: copia caratteristiche"), MessageIcon::Question,
                   MessageAnswer::No) != MessageAnswer::Yes) {
        return;
    }
    module.document().copyCharacteristicsToOtherHypotheses();
}

} // namespace pondra
