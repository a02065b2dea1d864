#include "printcommands.h"

#include "navigation.h"
#include "reports/printouts.h"
#include "reports/robustnessprintout.h"
#include "reports/textdocumentbuilder.h"
#include "settings/installation.h"
#include "settings/settings.h"
#include "ui/core/modulopondra.h"
#include "ui/extra/documentwindow.h"
#include "ui/extra/solidita.h"
#include "ui/main/classifica.h"
#include "ui/main/frontespizio.h"

#include <QDir>
#include <QFileInfo>
#include <QTextDocument>

namespace pondra {

namespace {

const QString Preparing = QStringLiteral("sto preparando la relazione");
const QString DataShown = QStringLiteral("i dati sono nella finestra del documento");

// What the printouts read: the study as the document holds it, scored by the check that came
// before, and the owner who signs.
PrintSource sourceFor(ModuloPondra& module, const TitlePage& titlePage)
{
    const StudyDocument& document = module.document();
    return {module.identity(), document.study(), document.ranking(), titlePage,
            ownerData(module.environment().settings())};
}

// The printout in a document window of its own; saving it proposes the study's file name
// followed by the printout's name, beside the study's file.
void show(ModuloPondra& module, TextDocumentBuilder& builder, const QString& what, const QString& kind)
{
    DocumentWindow* window =
        showDocument(module, builder.takeDocument(),
                     module.identity().ProgramName.trimmed() + QStringLiteral(": ") + what);
    const QString fileName = module.document().fileName();
    if (fileName.isEmpty()) {
        window->setSuggestedName(kind);
        return;
    }
    const QFileInfo study(fileName);
    window->setSuggestedName(study.dir().filePath(study.completeBaseName() + QStringLiteral(" - ") + kind));
}

} // namespace

void PrintTemplate(ModuloPondra& module)
{
    TextDocumentBuilder builder;
    printTemplate(builder, module.identity(), ownerData(module.environment().settings()).OwnerStudioName);
    show(module, builder, QStringLiteral("modello di acquisizione dati"), QStringLiteral("modello"));
}

void PrintHypothesesData(ModuloPondra& module)
{
    if (!DataPass(module)) {
        return;
    }
    TextDocumentBuilder builder;
    printHypothesesData(builder, sourceFor(module, TitlePage()));
    show(module, builder, QStringLiteral("dati delle ipotesi"), QStringLiteral("dati"));
}

void PrintRanking(ModuloPondra& module)
{
    if (!DataPass(module)) {
        ShowDataWindow(module);
        return;
    }
    classifica* results = module.window<classifica>();
    results->showStep(Preparing);
    TextDocumentBuilder builder;
    printRanking(builder, sourceFor(module, TitlePage()));
    show(module, builder, QStringLiteral("classifica delle ipotesi"), QStringLiteral("classifica"));
    results->showStep(DataShown);
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
    printRobustness(builder, sourceFor(module, TitlePage()));
    show(module, builder, QStringLiteral("solidità della graduatoria"), QStringLiteral("solidità"));
}

void PrintReport(ModuloPondra& module)
{
    if (!DataPass(module)) {
        ShowDataWindow(module);
        return;
    }
    module.document().rank();
    frontespizio* title = module.window<frontespizio>();
    title->showStep(Preparing);
    TextDocumentBuilder builder;
    printReport(builder, sourceFor(module, module.titlePage()),
                {.withRobustness = module.environment().settings().reportIncludesRobustness(),
                 .withWeighting = module.environment().settings().reportIncludesWeighting()});
    show(module, builder, QStringLiteral("relazione di stima"), QStringLiteral("relazione"));
    title->showStep(ownerData(module.environment().settings()).isSet()
                        ? QStringLiteral("la relazione è nella finestra del documento")
                        : frontespizio::ownerUnsetStep());
}

void PrintTitlePageData(ModuloPondra& module)
{
    frontespizio* title = module.window<frontespizio>();
    title->showStep(Preparing);
    TextDocumentBuilder builder;
    printTitlePageData(builder, sourceFor(module, module.titlePage()));
    show(module, builder, QStringLiteral("dati del frontespizio"), QStringLiteral("frontespizio"));
    title->showStep(DataShown);
}

} // namespace pondra
