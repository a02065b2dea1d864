#pragma once

#include "model/identity.h"
#include "model/study.h"
#include "model/titlepage.h"

#include <QByteArray>
#include <QString>

namespace pondra {

// The study for a spreadsheet in an Italian locale: the title page, the ranking, every row of
// every hypothesis and each hypothesis's figures, as semicolon-separated values with the decimal
// comma, texts quoted (an apostrophe before one that starts like a formula, so that it is never
// run), UTF-8 with a byte-order mark and CR LF line ends, so that LibreOffice Calc and Excel open
// it as it is. The caller has run the data check; the study is scored and ranked
// on a copy and left as it was.
QByteArray composeSpreadsheet(const Study& study, const TitlePage& titlePage, const IdentityTexts& identity);

// Writes composeSpreadsheet's bytes through a temporary file: a failed write leaves any previous
// file intact. On failure returns false and, when error is given, an Italian message naming the file.
bool exportSpreadsheet(const QString& path, const Study& study, const TitlePage& titlePage,
                       const IdentityTexts& identity, QString* error);

} // namespace pondra
