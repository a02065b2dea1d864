#include "printcommands.h"

#include "navigation.h"
#include "reports/printouts.h"
#include "reports/robustnessprintout.h"
#include "reports/textdocumentbuilder.h"
#include "ui/core/installation.h"
#include "ui/core/modulopondra.h"
#include "ui/core/preferences.h"
#include "ui/extra/documentwindow.h"
#include "ui/extra/solidita.h"
#include "ui/main/classifica.h"
#include "ui/main/clickablelabel.h"
#include "ui/main/frontespizio.h"
#include "ui/main/requisiti.h"

#include <QApplication>
#include <QLabel>
#include <QProgressDialog>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextDocument>

namespace pondra {

namespace {

const QString Loading = QStringLiteral("sto caricando WORD");

// The silent data check every data printout starts with; a failure has said why.
bool dataPass(ModuloPondra& module)
{
    module.CheckRequested = 1;
    module.window<requisiti>()->controllodati_Click();
    return module.CheckRequested == 0;
}

// Steps the Data window through the hypotheses as the printout asks, keeping the program
// painted and showing how far it got: a full study has a hundred of them.
class HypothesisStepper {
public:
    HypothesisStepper(ModuloPondra& module, QWidget* from)
        : m_data(module.window<requisiti>()), m_count(module.study().HypothesisCount)
    {
        if (m_count > 10) {
            m_progress = std::make_unique<QProgressDialog>(QStringLiteral("Preparazione del documento..."), QString(),
                                                           0, m_count, from);
            m_progress->setWindowModality(Qt::WindowModal);
            m_progress->setMinimumDuration(300);
        }
    }

    ScoreFigures operator()(int h)
    {
        {
            const QSignalBlocker blocker(m_data->HScroll1);
            m_data->HScroll1->setValue(h);
        }
        m_data->HScroll1_Change();
        if (m_progress) {
            m_progress->setValue(h);
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
        return {m_data->media->text(), m_data->resto->text(), m_data->ponderata->text(), 0};
    }

private:
    requisiti* m_data;
    int m_count;
    std::unique_ptr<QProgressDialog> m_progress;
};

PrintSource sourceFor(ModuloPondra& module, const TitlePage& titlePage, const std::function<ScoreFigures(int)>& step)
{
    const OwnerData owner = ownerData();
    return {module.identity(), module.study(), module.ranking(), titlePage, owner.OwnerStudioName,
            owner.OwnerAddress, step};
}

// The title page and the studio as the Title-page window shows them.
PrintSource titlePageSource(ModuloPondra& module, frontespizio* title, const std::function<ScoreFigures(int)>& step)
{
    PrintSource source = sourceFor(module, title->titlePage(), step);
    source.ownerStudioName = title->Labelstudio->text();
    source.ownerAddress = title->labelindirizzo->text();
    return source;
}

void show(ModuloPondra& module, TextDocumentBuilder& builder, const QString& what)
{
    showDocument(module, builder.takeDocument(), module.identity().ProgramName.trimmed() + QStringLiteral(": ") + what);
}

} // namespace

void PrintTemplate(ModuloPondra& module)
{
    requisiti* data = module.window<requisiti>();
    data->passo->setText(Loading);
    TextDocumentBuilder builder;
    printTemplate(builder, module.identity());
    show(module, builder, QStringLiteral("modello di acquisizione dati"));
    data->passo->setText(QStringLiteral("ho visualizzato il modello su WORD"));
}

void PrintHypothesesData(ModuloPondra& module)
{
    if (!dataPass(module)) {
        return;
    }
    requisiti* data = module.window<requisiti>();
    data->passo->setText(Loading);
    HypothesisStepper stepper(module, data);
    TextDocumentBuilder builder;
    printHypothesesData(builder, sourceFor(module, TitlePage(), std::ref(stepper)));
    show(module, builder, QStringLiteral("dati delle ipotesi"));
    // Stepping through the hypotheses wrote its own hints; this printout leaves its start text.
    data->passo->setText(Loading);
}

void PrintRanking(ModuloPondra& module)
{
    if (!dataPass(module)) {
        ShowDataWindow(module);
        return;
    }
    classifica* results = module.window<classifica>();
    results->passo->setText(Loading);
    TextDocumentBuilder builder;
    printRanking(builder, sourceFor(module, TitlePage(), {}));
    show(module, builder, QStringLiteral("classifica delle ipotesi"));
    results->passo->setText(QStringLiteral("ho visualizzato i dati su WORD"));
}

void PrintRobustness(ModuloPondra& module)
{
    if (!dataPass(module)) {
        ShowDataWindow(module);
        return;
    }
    // The window shows the study as the check has just scored it.
    if (solidita* window = module.loadedWindow<solidita>()) {
        window->Aggiorna();
    }
    TextDocumentBuilder builder;
    printRobustness(builder, sourceFor(module, TitlePage(), {}));
    show(module, builder, QStringLiteral("solidità della graduatoria"));
}

void PrintReport(ModuloPondra& module)
{
    if (!dataPass(module)) {
        ShowDataWindow(module);
        return;
    }
    module.QuietRanking = 1;
    RankHypotheses(module);
    frontespizio* title = module.window<frontespizio>();
    title->passo->setText(QStringLiteral("sto caricando WORD per la stampa"));
    HypothesisStepper stepper(module, title);
    TextDocumentBuilder builder;
    printReport(builder, titlePageSource(module, title, std::ref(stepper)), reportIncludesRobustness());
    show(module, builder, QStringLiteral("relazione di stima"));
    title->passo->setText(QStringLiteral("ho visualizzato la relazione su WORD"));
}

void PrintTitlePageData(ModuloPondra& module)
{
    frontespizio* title = module.window<frontespizio>();
    title->passo->setText(Loading);
    TextDocumentBuilder builder;
    printTitlePageData(builder, titlePageSource(module, title, {}));
    show(module, builder, QStringLiteral("dati del frontespizio"));
    title->passo->setText(QStringLiteral("ho visualizzato i dati su WORD"));
}

} // namespace pondra
