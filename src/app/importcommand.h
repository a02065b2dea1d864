#pragma once

#include <QString>

class QTextStream;

namespace pondra {

// The study in the spreadsheet's CSV at `sheet`, scored as the Data window scores it, written as
// a data file to `output`, with today's date on the title page when the sheet has none. Exit 2,
// with the reason, when the sheet does not read or the file is not written.
int runImportCommand(const QString& sheet, const QString& output, QTextStream& err);

} // namespace pondra
