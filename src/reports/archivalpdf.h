#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

class QPdfWriter;

namespace pondra {

// PDF/A-1b, the archival PDF that public offices and courts ask a filed report to be in: fonts
// embedded, colours tied to sRGB, and the document's title, author, subject and language in its
// metadata (for the estimate report, the perizia and the studio that signs it).

// What the metadata say of the document. Its language is Italian, as every printout's.
struct ArchivalInfo {
    QString title;
    QString author;
    QString subject;
};

// A bookmark of the PDF's outline: a heading and where it is laid out.
struct PdfBookmark {
    QString title;
    // 1 at the top; a deeper level nests under the bookmark before it.
    int level = 1;
    // From 0.
    int page = 0;
    // From the page's top edge, in points.
    double top = 0;
};

// Sets the writer up, before anything is painted on it.
void prepareArchivalPdf(QPdfWriter& writer, const ArchivalInfo& info);

// Completes the PDF the writer made: its metadata take the creation date the PDF states, as the
// standard wants the two to agree; the author, subject and language the writer cannot state, and
// the outline of the bookmarks in their order, are added in an update appended to the file.
// False when the PDF was not made so.
bool completeArchivalPdf(QByteArray& pdf, const ArchivalInfo& info, const std::vector<PdfBookmark>& outline);

} // namespace pondra
