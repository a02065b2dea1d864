#include "importcommand.h"

#include "headlesscommands.h"

#include "archive/datafile.h"
#include "archive/sheetimport.h"
#include "model/scoring.h"
#include "model/textrules.h"

#include <QDate>
#include <QTextStream>

namespace pondra {

int runImportCommand(const QString& sheet, const QString& output, QTextStream& err)
{
    if (output.isEmpty()) {
        err << QStringLiteral("Manca il file dello studio da scrivere (-o FILE).") << Qt::endl;
        return ExitUnreadable;
    }
    const SheetImport imported = importSheetFile(sheet);
    if (!imported.study) {
        err << imported.error << Qt::endl;
        return ExitUnreadable;
    }
    for (int h = 1; h <= imported.study->highestNamedSlot(); ++h) {
        Recalculate(*imported.study, h);
    }
    TitlePage page;
    page.data = italianLongDate(QDate::currentDate());
    QString error;
    if (!saveStudyFile(output, *imported.study, imported.titlePage.value_or(page), &error)) {
        err << error << Qt::endl;
        return ExitUnreadable;
    }
    return ExitPassed;
}

} // namespace pondra
