#pragma once

#include <QByteArray>
#include <QString>

class QPdfWriter;

namespace pondra {

// PDF/A-1b, the archival PDF that public offices and courts ask a filed report to be in: fonts
// embedded, colours tied to sRGB, and the document's title and author in its metadata (for the
// estimate report, the perizia and the studio that signs it).

// Sets the writer up, before anything is painted on it.
void prepareArchivalPdf(QPdfWriter& writer, const QString& title, const QString& author);

// Completes the PDF the writer made: its metadata take the creation date the PDF states, as the
// standard wants the two to agree. False when the PDF was not made so.
bool completeArchivalPdf(QByteArray& pdf);

} // namespace pondra
