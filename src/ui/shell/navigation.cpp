#include "navigation.h"

#include "ui/core/modulopondra.h"
#include "ui/extra/frmsplash.h"
#include "ui/extra/frmtip.h"
#include "ui/extra/licenza.h"
#include "ui/extra/prodotti.h"
#include "ui/extra/solidita.h"
#include "ui/help/sommario.h"
#include "ui/layout/sidebyside.h"
#include "ui/main/classifica.h"
#include "ui/main/colours.h"
#include "ui/main/frontespizio.h"
#include "ui/main/requisiti.h"

namespace pondra {

namespace {

void bringUp(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

void ShowDataWindow(ModuloPondra& module)
{
    bringUp(module.window<requisiti>());
}

bool DataPass(ModuloPondra& module)
{
    return module.window<requisiti>()->checkQuietly();
}

void ShowResults(ModuloPondra& module)
{
    if (!DataPass(module)) {
        return;
    }
    ShowResultsWindow(module);
}

void ShowResultsWindow(ModuloPondra& module)
{
    classifica* results = module.window<classifica>();
    module.document().rank();
    bringUp(results);
}

void ShowRobustness(ModuloPondra& module)
{
    if (!DataPass(module)) {
        return;
    }
    solidita* window = module.window<solidita>();
    window->Aggiorna();
    // Beside the ranking it explains, not over it.
    if (!window->isVisible()) {
        placeBeside(window, module.loadedWindow<classifica>());
    }
    bringUp(window);
}

void ShowTitlePageRanked(ModuloPondra& module)
{
    module.document().rank();
    ShowTitlePage(module);
}

void ShowTitlePage(ModuloPondra& module)
{
    bringUp(module.window<frontespizio>());
}

void OpenAncillary(ModuloPondra& module, AncillaryTopic topic)
{
    switch (topic) {
    case AncillaryTopic::TipOfTheDay:
        bringUp(module.window<frmTip>());
        break;
    case AncillaryTopic::TermsOfUse:
        bringUp(module.window<licenza>());
        break;
    case AncillaryTopic::PriceList:
        bringUp(module.window<prodotti>());
        break;
    }
}

void CloseToSplash(ModuloPondra& module)
{
    module.unloadWindowsBut<frmSplash>();
    module.window<frmSplash>()->showClosingForm();
}

void ChangeBackground(ModuloPondra& module, QMainWindow& window, bool offerGreyForAll)
{
    if (offerGreyForAll && window.palette().color(QPalette::Window) != colours::Grey) {
        const MessageAnswer answer = module.ask(
            &window, QStringLiteral("Desideri colori uguali e riposanti (grigio) per tutte le finestre?"),
            QStringLiteral("Pondra: colore di sfondo"));
        if (answer != MessageAnswer::No) {
            setColours(module.window<requisiti>(), colours::Grey);
            setColours(module.window<classifica>(), colours::Grey);
            setColours(module.window<frontespizio>(), colours::Grey);
            return;
        }
    }
    // A cancelled dialog changes nothing.
    const std::optional<QColor> chosen =
        module.dialogs().color(&window, window.palette().color(QPalette::Window));
    if (!chosen) {
        return;
    }
    module.ChosenBackColor = *chosen;
    setColours(&window, *chosen);
}

} // namespace pondra
