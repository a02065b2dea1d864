#pragma once

#include "model/study.h"
#include "model/titlepage.h"

#include <QByteArrayView>
#include <QString>

#include <memory>
#include <optional>

namespace pondra {

// A study read from a spreadsheet's CSV, whole or not at all.
struct SheetImport {
    // Named hypotheses with ticked, named rows, judged and weighed as the Data window would
    // have them; not scored. Null when the sheet does not read.
    std::unique_ptr<Study> study;
    // The title page, when the sheet is one the program exported; a hand-made sheet has none.
    std::optional<TitlePage> titlePage;
    // Why the sheet does not read, in Italian, with its line and column.
    QString error;
};

// Reads the bytes of a CSV file in either of two layouts:
// - the sheet "Esporta" writes (title page, ranking, "Dati delle ipotesi", summary), which
//   gives back the study it was written from;
// - a sheet made by hand: a header row naming each hypothesis over its judgement column, with
//   "peso" or nothing over the weight column beside it, then one row per characteristic, its
//   name first, then for each hypothesis the judgement (the adjective, its number 1 to 11 or
//   its coefficient 0 to 1) and the weight (0 to 100, one decimal).
// Separators ";" with the decimal comma or "," with the decimal point; UTF-8 with or without a
// byte-order mark, or Windows-1252. Nothing outside the bytes is read.
SheetImport importSheet(QByteArrayView bytes);

// The sheet in the file at `path`, read as importSheet reads it; a failure names the file.
SheetImport importSheetFile(const QString& path);

} // namespace pondra
