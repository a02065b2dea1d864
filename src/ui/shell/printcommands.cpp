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
#include "ui/main/frontespizio.h"
#include "ui/main/requisiti.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QProgressDialog>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextDocument>

namespace pondra {

namespace {

const QString Preparing = QStringLiteral("sto preparando la relazione");
const QString DataShown = QStringLiteral("i dati sono nella finestra del documento");

// Puts a step line back as it read before the printout, whose progress it showed meanwhile.
class StepLineKeeper {
public:
    explicit StepLineKeeper(QLabel* label) : m_label(label), m_text(label->text()) {}
    ~StepLineKeeper()
    {
        if (m_label) {
            m_label->setText(m_text);
        }
    }
    StepLineKeeper(const StepLineKeeper&) = delete;
    StepLineKeeper& operator=(const StepLineKeeper&) = delete;

private:
    QPointer<QLabel> m_label;
    QString m_text;
};

// Steps the Data window through the hypotheses as the printout asks, keeping the program
// painted and showing how far it got: a full study has a hundred of them.
class HypothesisStepper {
public:
    HypothesisStepper(ModuloPondra& module, QWidget* from)
        : m_data(module.window<requisiti>()), m_count(module.study().HypothesisCount)
    {
        if (m_count > 10) {
            m_progress = std::make_unique<QProgressDialog>(QStringLiteral("Preparazione del documento..."),
                                                           QString(), 0, m_count, from);
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

PrintSource sourceFor(ModuloPondra& module, const TitlePage& titlePage,
                      const std::function<ScoreFigures(int)>& step)
{
    const OwnerData owner = ownerData();
    return {module.identity(),
            module.study(),
            module.ranking(),
            titlePage,
            owner.OwnerStudioName,
            owner.OwnerAddress,
            step};
}

// The printout in a document window of its own; saving it proposes the study's file name
// followed by the printout's name, beside the study's file.
void show(ModuloPondra& module, TextDocumentBuilder& builder, const QString& what, const QString& kind)
{
    DocumentWindow* window =
        showDocument(module, builder.takeDocument(),
                     module.identity().ProgramName.trimmed() + QStringLiteral(": ") + what);
    if (module.CurrentFileName.isEmpty()) {
        window->setSuggestedName(kind);
        return;
    }
    const QFileInfo study(module.CurrentFileName);
    window->setSuggestedName(study.dir().filePath(study.completeBaseName() + QStringLiteral(" - ") + kind));
}

} // namespace

void PrintTemplate(ModuloPondra& module)
{
    requisiti* data = module.window<requisiti>();
    const StepLineKeeper keep(data->passo);
    data->passo->setText(Preparing);
    TextDocumentBuilder builder;
    printTemplate(builder, module.identity());
    show(module, builder, QStringLiteral("modello di acquisizione dati"), QStringLiteral("modello"));
}

void PrintHypothesesData(ModuloPondra& module)
{
    if (!DataPass(module)) {
        return;
    }
    requisiti* data = module.window<requisiti>();
    // Stepping through the hypotheses writes its own hints; the window's hint comes back after.
    const StepLineKeeper keep(data->passo);
    data->passo->setText(Preparing);
    HypothesisStepper stepper(module, data);
    TextDocumentBuilder builder;
    printHypothesesData(builder, sourceFor(module, TitlePage(), std::ref(stepper)));
    show(module, builder, QStringLiteral("dati delle ipotesi"), QStringLiteral("dati"));
}

void PrintRanking(ModuloPondra& module)
{
    if (!DataPass(module)) {
        ShowDataWindow(module);
        return;
    }
    classifica* results = module.window<classifica>();
    results->passo->setText(Preparing);
    TextDocumentBuilder builder;
    printRanking(builder, sourceFor(module, TitlePage(), {}));
    show(module, builder, QStringLiteral("classifica delle ipotesi"), QStringLiteral("classifica"));
    results->passo->setText(DataShown);
}

void PrintRobustness(ModuloPondra& module)
{
    if (!DataPass(module)) {
        ShowDataWindow(module);
        return;
    }
    // The window shows the study as the check has just scored it.
    if (solidita* window = module.loadedWindow<solidita>()) {
        window->Aggiorna();
    }
    TextDocumentBuilder builder;
    printRobustness(builder, sourceFor(module, TitlePage(), {}));
    show(module, builder, QStringLiteral("solidità della graduatoria"), QStringLiteral("solidità"));
}

void PrintReport(ModuloPondra& module)
{
    if (!DataPass(module)) {
        ShowDataWindow(module);
        return;
    }
    module.QuietRanking = 1;
    RankHypotheses(module);
    frontespizio* title = module.window<frontespizio>();
    const StepLineKeeper keep(module.window<requisiti>()->passo);
    title->passo->setText(Preparing);
    HypothesisStepper stepper(module, title);
    TextDocumentBuilder builder;
    printReport(builder, sourceFor(module, module.titlePage(), std::ref(stepper)),
                reportIncludesRobustness());
    show(module, builder, QStringLiteral("relazione di stima"), QStringLiteral("relazione"));
    title->passo->setText(QStringLiteral("la relazione è nella finestra del documento"));
}

void PrintTitlePageData(ModuloPondra& module)
{
    frontespizio* title = module.window<frontespizio>();
    title->passo->setText(Preparing);
    TextDocumentBuilder builder;
    printTitlePageData(builder, sourceFor(module, module.titlePage(), {}));
    show(module, builder, QStringLiteral("dati del frontespizio"), QStringLiteral("frontespizio"));
    title->passo->setText(DataShown);
}

} // namespace pondra
