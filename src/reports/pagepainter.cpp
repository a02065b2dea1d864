#include "pagepainter.h"

#include "evaluationchart.h"
#include "pagesetup.h"
#include "tablelook.h"

#include <QGlyphRun>
#include <QHash>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>

#include <tuple>
#include <vector>

namespace pondra {

namespace {

constexpr double PointsPerInch = 72;

// Glyphs in one face, size and colour that follow one another on a page, drawn in one go: a PDF
// takes a page of text in a few runs much faster than in thousands of short ones. The runs keep
// the order of the text, row by row in a table, heading before body, since a PDF's text is read
// back, copied and searched in the order it was drawn.
struct RunKey {
    Typeface* typeface = nullptr;
    int face = 0;
    double points = 0;
    QRgb colour = 0;

    bool operator==(const RunKey& o) const
    {
        return std::tie(typeface, face, points, colour) == std::tie(o.typeface, o.face, o.points, o.colour);
    }
};

struct Run {
    RunKey key;
    QList<quint32> glyphs;
    QList<QPointF> positions;
};

} // namespace

double sheetWidth()
{
    return points(PageWidthTwips);
}

double sheetHeight()
{
    return points(PageHeightTwips);
}

struct PagePainter::Private {
    explicit Private(const PagedDocument& d) : document(d), measurer(*d.content) {}

    const PagedDocument& document;
    TextMeasurer measurer;
    std::vector<Run> runs;

    // Queues the glyphs of one line, its left end at x and its top at y.
    void line(const Paragraph& p, const TextLine& l, double left, double width, double top, double inset)
    {
        const double baseline = top + l.baseline;
        measurer.placeLine(p, l, left, width, inset, [&](const PlacedCharacter& c) {
            if (isBlank(c.code) || c.code == QChar::LineSeparator) {
                return;
            }
            const TextStyle& look = document.content->style(c.style);
            const RunKey key{&measurer.typeface(c.style), c.glyph->face, look.points,
                             look.colour.isValid() ? look.colour.rgba() : qRgba(0, 0, 0, 255)};
            if (runs.empty() || !(runs.back().key == key)) {
                runs.push_back({key, {}, {}});
            }
            Run& run = runs.back();
            run.glyphs.append(c.glyph->glyph);
            run.positions.append(QPointF(c.x, baseline));
        });
    }

    void paragraph(const Paragraph& p, const std::vector<TextLine>& lines, int first, int last, double left,
                   double width, double top, double inset = 0)
    {
        double y = top;
        for (int i = first; i < last; ++i) {
            const TextLine& l = lines[std::size_t(i)];
            line(p, l, left, width, y, inset);
            y += l.height;
        }
    }

    void flush(QPainter& painter)
    {
        for (const Run& run : runs) {
            QGlyphRun glyphs;
            glyphs.setRawFont(run.key.typeface->face(run.key.face, run.key.points));
            glyphs.setGlyphIndexes(run.glyphs);
            glyphs.setPositions(run.positions);
            painter.setPen(QColor::fromRgba(run.key.colour));
            painter.drawGlyphRun(QPointF(0, 0), glyphs);
        }
        runs.clear();
    }

    void tableRows(QPainter& painter, const Table& table, const TableGeometry& g, const PageSlice& slice)
    {
        const double left = points(PageMarginTwips);
        const double rule = points(RuleTwips);
        double width = 0;
        for (double w : g.columns) {
            width += w;
        }
        double y = slice.top - slice.clipTop;
        const double sliceTop = slice.top;
        double sliceBottom = slice.top;
        for (int r = slice.first; r < slice.last; ++r) {
            sliceBottom = y + g.rows[std::size_t(r)];
            if (slice.clipHeight >= 0) {
                sliceBottom = slice.top + slice.clipHeight;
            }
            const double h = g.rows[std::size_t(r)];
            if (table.shaded) {
                painter.fillRect(QRectF(left, y, width, h - rule), rowShade(r));
            }
            double x = left;
            for (int c = 0; c < table.columns; ++c) {
                const double w = g.columns[std::size_t(c)];
                double top = y;
                for (const Paragraph& p : table.cell(r, c).paragraphs) {
                    const std::vector<TextLine> lines = measurer.lines(p, cellTextWidth(w));
                    paragraph(p, lines, 0, int(lines.size()), x + points(CellPaddingTwips), cellTextWidth(w),
                              top, g.inset(r, c));
                    for (const TextLine& l : lines) {
                        top += l.height;
                    }
                }
                x += w;
            }
            y += h;
        }
        // The rules between the columns, and for a plain table between the rows and around.
        const QColor ruleColour = table.shaded ? QColor(Qt::white) : PlainRule;
        double x = left;
        for (int c = 0; c + 1 < table.columns; ++c) {
            x += g.columns[std::size_t(c)];
            painter.fillRect(
                QRectF(x - rule, sliceTop, rule, sliceBottom - sliceTop - (table.shaded ? rule : 0)),
                ruleColour);
        }
        if (!table.shaded) {
            painter.fillRect(QRectF(left, sliceTop, rule, sliceBottom - sliceTop), ruleColour);
            painter.fillRect(QRectF(left + width - rule, sliceTop, rule, sliceBottom - sliceTop), ruleColour);
            painter.fillRect(QRectF(left, sliceTop, width, rule), ruleColour);
            double rowTop = slice.top - slice.clipTop;
            for (int r = slice.first; r < slice.last; ++r) {
                rowTop += g.rows[std::size_t(r)];
                if (rowTop <= sliceBottom + 1e-6) {
                    painter.fillRect(QRectF(left, rowTop - rule, width, rule), ruleColour);
                }
            }
        }
    }
};

PagePainter::PagePainter(const PagedDocument& document) : d(std::make_unique<Private>(document)) {}

PagePainter::~PagePainter() = default;

void PagePainter::paint(QPainter& painter, int page)
{
    if (page < 0 || page >= d->document.pageCount()) {
        return;
    }
    const auto& blocks = d->document.content->blocks;
    const double left = points(PageMarginTwips);
    const double width = points(TextWidthTwips);
    for (const PageSlice& slice : d->document.pages[std::size_t(page)]) {
        const Block& block = blocks[std::size_t(slice.block)];
        const bool clipped = slice.clipHeight >= 0;
        if (clipped) {
            // What went before is drawn, so the clip leaves it alone.
            d->flush(painter);
            painter.save();
            painter.setClipRect(QRectF(0, slice.top, sheetWidth(), slice.clipHeight));
        }
        if (const auto* p = std::get_if<Paragraph>(&block); p && p->hasChart()) {
            // The text above comes first, as it is read; then lines and text, as vector in a PDF.
            d->flush(painter);
            paintEvaluationChart(painter, QRectF(left, slice.top - slice.clipTop, width, p->chartHeight()),
                                 p->chart, d->document.content->families);
        } else if (p) {
            d->paragraph(*p, d->document.lines[std::size_t(slice.block)], slice.first, slice.last, left,
                         width, slice.top - slice.clipTop);
        } else {
            d->tableRows(painter, std::get<Table>(block), d->document.tables[std::size_t(slice.block)],
                         slice);
        }
        if (clipped) {
            d->flush(painter);
            painter.restore();
        }
    }
    if (std::size_t(page) < d->document.footers.size()) {
        d->line(d->document.footers[std::size_t(page)], d->document.footerLines[std::size_t(page)], left,
                width, pageFooterTop(), 0);
    }
    d->flush(painter);
}

bool printPages(const PagedDocument& document, QPagedPaintDevice& device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                     QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    PagePainter pages(document);
    const double sx = device.logicalDpiX() / PointsPerInch;
    const double sy = device.logicalDpiY() / PointsPerInch;
    for (int i = 0; i < document.pageCount(); ++i) {
        if (i > 0 && !device.newPage()) {
            return false;
        }
        painter.save();
        painter.scale(sx, sy);
        pages.paint(painter, i);
        painter.restore();
    }
    return painter.end();
}

} // namespace pondra
