#include "identity.h"

namespace pondra {

IdentityTexts InitGlobals()
{
    IdentityTexts t;
    t.ProgramName = QStringLiteral("Pondra ");
    t.ProgramDescription = QStringLiteral("valutazioni qualsiasi mediante confronto");
    t.ProgramVersion = QStringLiteral("3.04.05");
    t.ProgramDate = QStringLiteral("10/03/99");
    t.ProgramBuild = QStringLiteral("281211");
    t.CheckTitle = t.ProgramName + QStringLiteral(": controllo dati immessi nella finestra attiva");
    t.HelpTitle = t.ProgramName + QStringLiteral(": aiuto in linea");
    t.DeleteDialogTitle =
        QStringLiteral("Elimina: seleziona il file desiderato e clicca su Apri per cancellarlo");
    return t;
}

} // namespace pondra
