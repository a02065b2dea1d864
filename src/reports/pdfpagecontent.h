#pragma once

#include "pdfstructure.h"

#include <QByteArray>

#include <memory>
#include <vector>

namespace pondra {

class PdfFont;
struct PagedDocument;

// A4 in whole points, as Qt's writer stated it: the pages' top edge stays where it was.
double pdfPageWidth();
double pdfPageHeight();

// The content streams of the laid-out pages, painted as PagePainter paints them, each stretch of
// text, table cell and chart marked for the structure tree it builds in reading order. Each
// character is shown in the face the layout measured it in, the fallback faces included.
class PdfPageContent {
public:
    explicit PdfPageContent(const PagedDocument& document);
    ~PdfPageContent();

    PdfPageContent(const PdfPageContent&) = delete;
    PdfPageContent& operator=(const PdfPageContent&) = delete;

    // Page by page from the first, in order: the structure follows the pages.
    QByteArray page(int page);
    const PdfStructure& structure() const;
    // The fonts the pages have named so far, the first /F1; null for a number no page names.
    const std::vector<std::unique_ptr<PdfFont>>& fonts() const;
    // A face the pages show cannot go into a PDF: it has no TrueType outlines, or its licence
    // forbids embedding it.
    bool unembeddableFace() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace pondra
