#pragma once

#include "pdfstructure.h"

#include <QByteArray>

#include <array>
#include <memory>

namespace pondra {

class PdfFont;
struct PagedDocument;

// A4 in whole points, as Qt's writer stated it: the pages' top edge stays where it was.
double pdfPageWidth();
double pdfPageHeight();

// The content streams of the laid-out pages, painted as PagePainter paints them, each stretch of
// text, table cell and chart marked for the structure tree it builds in reading order. Fonts are
// the regular and the bold face, named /F1 and /F2 in the pages' resources.
class PdfPageContent {
public:
    PdfPageContent(const PagedDocument& document, std::array<std::unique_ptr<PdfFont>, 2>& fonts);
    ~PdfPageContent();

    PdfPageContent(const PdfPageContent&) = delete;
    PdfPageContent& operator=(const PdfPageContent&) = delete;

    // Page by page from the first, in order: the structure follows the pages.
    QByteArray page(int page);
    const PdfStructure& structure() const;
    // A character URW Gothic lacks was met: the pages show it from another face, which the PDF
    // does not embed.
    bool missingGlyph() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace pondra
