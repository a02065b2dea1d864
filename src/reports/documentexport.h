#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QPagedPaintDevice;
class QTextDocument;

namespace pondra {

// Page layout shared by the page count, printing and PDF: A4 with the margins of pagesetup.h,
// measured on a fixed-resolution device rather than the screen, so that the page count
// written into a report is the page count of its PDF whatever the screen.

// A length in points as Qt takes margins, borders and cell padding: in pixels of the screen's
// logical resolution, scaled to the layout device. Given this way they measure the same on
// every machine.
double layoutLength(double points);
// The A4 margins on the document's root frame; cheap, and harmless for a document on screen.
void applyPageMargins(QTextDocument& document);
// Lays the document out in A4 pages (margins, layout device, page size), in few large steps.
// When it already is, only finishes a layout Qt has started meanwhile: asking twice costs one.
void prepareLayout(QTextDocument& document);
// Whether prepareLayout has been applied and still holds (an editor showing the document
// resets the page size to its own width).
bool isPreparedLayout(const QTextDocument& document);
// Drops the page layout again (for a document about to be shown in an editor, which lays it
// out at its own width); later edits then cost no layout until the next prepareLayout.
void releaseLayout(QTextDocument& document);
// Pages of the document in the A4 layout; a document not laid out in pages is measured on a
// copy and left alone.
int pagedCount(const QTextDocument& document);

// Prints (or writes into a PDF writer) page by page with the same layout as the page count, on
// A4 sheets the device fills from edge to edge (the margins are the document's); a document
// not laid out in pages is printed from a laid-out copy and left alone.
void printDocument(const QTextDocument& document, QPagedPaintDevice& device);

// Writes the document in the format of the path's extension: .pdf, .docx, .html or .htm.
// On failure returns false and, when error is given, an Italian message naming the file.
bool exportDocument(const QTextDocument& document, const QString& path, QString* error);

// Writes the bytes whole through a temporary file, so a failed write leaves any previous file
// intact; the many small writes of a document writer are made in memory first. On failure
// returns false and, when error is given, an Italian message naming the file.
bool writeWholeFile(const QByteArray& bytes, const QString& path, QString* error);

// File-dialog filters for exportDocument, in Italian, PDF first.
QStringList exportFilters();

} // namespace pondra
