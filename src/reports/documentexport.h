#pragma once

// The shared write and failure wording, for the users of this header that write bytes of their own.
#include "exportwriting.h"

#include <QString>
#include <QStringList>

#include <memory>

class QPagedPaintDevice;
class QTextDocument;

namespace pondra {

struct PagedDocument;

// One pagination for everything: the page count written into a report, the PDF, the printed
// sheets, the print preview and the DOCX all come from the same laid-out pages.

// The pages of a document: those it was made from while nobody has edited it, else laid out
// anew from what it now holds.
std::shared_ptr<const PagedDocument> pagesOf(const QTextDocument& document);

// Why the pages cannot be written as they are, in Italian; empty when they can.
QString layoutProblem(const PagedDocument& pages);

// Prints every page on a printer or PDF writer, A4 sheets from edge to edge with the pages' own
// margins (a printer must be set to full-page mode). False when the pages cannot be laid out
// or the device cannot be painted on.
bool printDocument(const QTextDocument& document, QPagedPaintDevice& device);

// Writes the pages in the format of the path's extension: .pdf (tagged PDF/A-2b and PDF/UA-1,
// pdfwriter.h; PDF/A-1b from Qt's writer where URW Gothic cannot be embedded),
// .docx, .html or .htm.
// On failure returns false and, when error is given, an Italian message naming the file; a
// file that exists is left as it was.
bool exportPages(const PagedDocument& pages, const QString& path, QString* error);
bool exportDocument(const QTextDocument& document, const QString& path, QString* error);

// File-dialog filters for exportDocument, in Italian, PDF first.
QStringList exportFilters();

} // namespace pondra
