#include "navigation.h"

#include "model/ranking.h"
#include "ui/core/modulopondra.h"
#include "ui/extra/frmsplash.h"
#include "ui/extra/frmtip.h"
#include "ui/extra/informa.h"
#include "ui/extra/licenza.h"
#include "ui/extra/prodotti.h"
#include "ui/extra/solidita.h"
#include "ui/extra/supportoclienti.h"
#include "ui/help/helppage.h"
#include "ui/help/sommario.h"
#include "ui/main/classifica.h"
#include "ui/main/colours.h"
#include "ui/main/frontespizio.h"
#include "ui/main/requisiti.h"

namespace pondra {

namespace {

const QColor Grey(192, 192, 192);

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
    module.CheckRequested = 1;
    module.window<requisiti>()->controllodati_Click();
    return module.CheckRequested == 0;
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
    module.QuietRanking = 0;
    RankHypotheses(module);
    bringUp(module.window<classifica>());
}

void ShowRobustness(ModuloPondra& module)
{
    if (!DataPass(module)) {
        return;
    }
    solidita* window = module.window<solidita>();
    window->Aggiorna();
    bringUp(window);
}

void ShowTitlePageRanked(ModuloPondra& module)
{
    module.QuietRanking = 1;
    RankHypotheses(module);
    ShowTitlePage(module);
}

void ShowTitlePage(ModuloPondra& module)
{
    bringUp(module.window<frontespizio>());
}

void OpenAncillary(ModuloPondra& module, int topic)
{
    switch (topic) {
    case 8:
        bringUp(module.window<frmTip>());
        break;
    case 9:
        bringUp(module.window<licenza>());
        break;
    case 10:
        bringUp(module.window<prodotti>());
        break;
    default:
        break;
    }
}

void RankHypotheses(ModuloPondra& module)
{
    ordina(module.study(), module.ranking());
    if (module.QuietRanking == 1) {
        module.QuietRanking = 0;
        return;
    }
    module.window<classifica>()->VScroll1_Change();
}

void ExitProgram(ModuloPondra& module, QWidget* from)
{
    const MessageAnswer answer =
        module.ask(from, QStringLiteral("Vuoi uscire da Pondra?"),
                   QStringLiteral("Attenzione: i dati non archiviati andranno persi !"),
                   MessageIcon::Question, MessageAnswer::No);
    if (answer == MessageAnswer::No) {
        return;
    }
    module.unloadWindow<requisiti>();
    module.unloadWindow<supportoclienti>();
    module.unloadWindow<informa>();
    module.unloadWindow<sommario>();
    module.unloadWindow<classifica>();
    module.unloadWindow<frontespizio>();
    module.unloadWindow<manuale>();
    module.unloadWindow<guidafunzionamento>();
    module.unloadWindow<guidaarchivio>();
    module.unloadWindow<guidastampa>();
    module.unloadWindow<guidacaratteristiche>();
    module.unloadWindow<guidagraduatoria>();
    module.unloadWindow<guidafrontespizio>();
    module.unloadWindow<frmTip>();
    module.unloadWindow<licenza>();
    module.unloadWindow<prodotti>();
    module.window<frmSplash>()->showClosingForm();
}

void ChangeBackground(ModuloPondra& module, QMainWindow& window, bool offerGreyForAll)
{
    if (offerGreyForAll && window.palette().color(QPalette::Window) != Grey) {
        const MessageAnswer answer = module.ask(
            &window, QStringLiteral("Desideri colori uguali e riposanti (grigio) per tutte le finestre?"),
            QStringLiteral("Pondra: colore di sfondo"));
        if (answer != MessageAnswer::No) {
            setColours(module.window<requisiti>(), Grey);
            setColours(module.window<classifica>(), Grey);
            setColours(module.window<frontespizio>(), Grey);
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
