#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <map>
#include <vector>

class QPdfWriter;

namespace pondra {

// The archival PDF that public offices and courts ask a filed report to be in: fonts
// embedded, colours tied to sRGB, and the document's title, author, subject and language in its
// metadata (for the estimate report, the perizia and the studio that signs it). The tagged PDF
// (pdfwriter.h) takes its metadata and outline from here; Qt's writer, PDF/A-1b completed by an
// update, is left for pages whose faces cannot be embedded.

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

// The document's XMP metadata. createDate is the whole <xmp:CreateDate> element; tagged says the
// PDF is PDF/A-2b and PDF/UA-1 (pdfwriter.h) rather than PDF/A-1b from the Qt writer.
QByteArray archivalMetadata(const ArchivalInfo& info, const QString& creator, const QByteArray& producer,
                            const QByteArray& createDate, bool tagged);

// The outline's objects from the number first on: its root first, then a bookmark each in their
// order, nested by their levels. pages[i] is the object of page i, pageTop its upper edge in
// points from its lower one.
std::map<int, QByteArray> pdfOutlineObjects(const std::vector<PdfBookmark>& outline,
                                            const std::vector<int>& pages,
                                            const std::function<double(int)>& pageTop, int first);

// Sets the writer up, before anything is painted on it.
void prepareArchivalPdf(QPdfWriter& writer, const ArchivalInfo& info);

// Completes the PDF the writer made: its metadata take the creation date the PDF states, as the
// standard wants the two to agree; the author, subject and language the writer cannot state, and
// the outline of the bookmarks in their order, are added in an update appended to the file.
// False when the PDF was not made so.
bool completeArchivalPdf(QByteArray& pdf, const ArchivalInfo& info, const std::vector<PdfBookmark>& outline);

} // namespace pondra
