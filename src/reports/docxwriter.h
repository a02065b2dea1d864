#pragma once

#include <QString>

namespace pondra {

struct PagedDocument;

// Writes laid-out pages as a Word file (.docx) on A4 with the printouts' margins: paragraphs with
// their sizes, weights, colours, alignments and page-break characters; tables with the columns of
// the pages, shading, rules and repeated header rows; the page count as a NUMPAGES field whose
// cached result is ours; and the pages' rules as a word processor's (keep with next, rows kept
// whole, small tables kept together, single line spacing).
// The file is replaced only once it is complete, so a failed export leaves a previous file intact.
// On failure returns false and sets error to an Italian message naming the file.
bool writeDocx(const PagedDocument& pages, const QString& path, QString* error);

} // namespace pondra
