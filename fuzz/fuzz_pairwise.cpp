// Feeds arbitrary text to the --pairwise command as its matrix.
//
// What must hold:
//  - the command ends with 0 or 2, never anything else;
//  - refused, it says why on stderr and prints nothing;
//  - accepted, it prints one line a row (its number, its weight to a tenth, its whole percent)
//    and lambda, CI and CR; the whole percents add up to 100.
// Any breach aborts with a short description on stderr.

#include "breach.h"

#include "app/headlesscommands.h"

#include <QString>
#include <QTextStream>

#include <cstddef>
#include <cstdint>

using namespace pondra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString matrix = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    QString printed;
    QString said;
    QTextStream out(&printed);
    QTextStream err(&said);
    const int exit = runPairwiseCommand(matrix, out, err);
    out.flush();
    err.flush();
    if (exit == ExitUnreadable) {
        if (said.isEmpty() || !printed.isEmpty()) {
            breach("matrice rifiutata", QStringLiteral("senza motivo o con un risultato"));
        }
        return 0;
    }
    if (exit != ExitPassed) {
        breach("stato di uscita", QString::number(exit));
    }
    const QStringList lines = printed.split(u'\n', Qt::SkipEmptyParts);
    if (lines.size() < 5 || !lines.at(lines.size() - 3).startsWith(QStringLiteral("lambda\t"))) {
        breach("risultato", printed.left(200));
    }
    int percents = 0;
    for (qsizetype i = 0; i + 3 < lines.size(); ++i) {
        const QStringList fields = lines.at(i).split(u'\t');
        if (fields.size() != 3 || fields.at(0) != QString::number(i + 1)) {
            breach("riga dei pesi", lines.at(i));
        }
        percents += fields.at(2).toInt();
    }
    if (percents != 100) {
        breach("percentuali intere", QStringLiteral("sommano a %1").arg(percents));
    }
    return 0;
}
