#pragma once

#include <QString>

class QTextDocument;

namespace pondra {

// Writes a document as a Word file (.docx) on A4 with the printouts' margins: paragraphs with their
// fonts, sizes, weights, colours, alignments and page breaks, tables with their column widths,
// borders, cell shading and repeating header rows.
// The file is replaced only once it is complete, so a failed export leaves a previous file intact.
// On failure returns false and sets error to an Italian message naming the file.
bool writeDocx(const QTextDocument& document, const QString& path, QString* error);

} // namespace pondra
