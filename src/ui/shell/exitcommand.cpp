#include "exitcommand.h"

#include "archivecommands.h"
#include "navigation.h"
#include "ui/core/modulopondra.h"
#include "ui/main/classifica.h"
#include "ui/main/frontespizio.h"
#include "ui/main/requisiti.h"

#include <QFileInfo>

namespace pondra {

namespace {

// The study by its perizia, or by its file; one with neither is just "lo studio".
QString saveQuestion(const ModuloPondra& module)
{
    QString name = module.titlePage().progetto.trimmed();
    if (name.isEmpty()) {
        name = QFileInfo(module.document().fileName()).fileName();
    }
    return name.isEmpty()
               ? QStringLiteral("Salvare le modifiche allo studio prima di uscire?")
               : QStringLiteral("Salvare le modifiche allo studio «%1» prima di uscire?").arg(name);
}

CommandOrigin originOf(QWidget* window)
{
    if (qobject_cast<frontespizio*>(window)) {
        return CommandOrigin::TitlePageWindow;
    }
    return qobject_cast<classifica*>(window) ? CommandOrigin::ResultsWindow : CommandOrigin::DataWindow;
}

bool mayLeave(ModuloPondra& module, QWidget* from)
{
    const QString title = QStringLiteral("Pondra: uscita");
    if (!module.document().isModified()) {
        return module.ask(from, QStringLiteral("Vuoi uscire da Pondra?"), title, MessageIcon::Question,
                          MessageAnswer::No) != MessageAnswer::No;
    }
    const MessageRequest question{saveQuestion(module),  title,
                                  MessageIcon::Question, MessageButtons::SaveDiscardCancel,
                                  MessageAnswer::Save,   QStringLiteral("&Esci senza salvare")};
    switch (module.dialogs().message(from, question)) {
    case MessageAnswer::Save: {
        // The save dialog needs a window to stand over.
        QWidget& window = from ? *from : *module.window<requisiti>();
        return SaveStudy(module, window, originOf(from), false);
    }
    case MessageAnswer::Discard:
        return true;
    default:
        return false;
    }
}

} // namespace

void ExitProgram(ModuloPondra& module, QWidget* from)
{
    if (mayLeave(module, from)) {
        CloseToSplash(module);
    }
}

} // namespace pondra
