#pragma once

#include "pagelayout.h"

#include <memory>

class QPagedPaintDevice;
class QPainter;

namespace pondra {

// Paints the pages of a laid-out document: text, table shading and rules.
class PagePainter {
public:
    explicit PagePainter(const PagedDocument& document);
    ~PagePainter();

    PagePainter(const PagePainter&) = delete;
    PagePainter& operator=(const PagePainter&) = delete;

    // One page (from 0), on a painter measuring in points from the sheet's top left corner.
    void paint(QPainter& painter, int page);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// Every page on a PDF writer or a printer, A4 sheets from edge to edge: the margins are the
// pages' own. False when the device cannot be painted on.
bool printPages(const PagedDocument& document, QPagedPaintDevice& device);

// The sheet of paper, in points.
double sheetWidth();
double sheetHeight();

} // namespace pondra
