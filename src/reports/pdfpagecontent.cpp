#include "pdfpagecontent.h"

#include "evaluationchart.h"
#include "layoutfaces.h"
#include "pagelayout.h"
#include "pagepainter.h"
#include "pagesetup.h"
#include "pdffile.h"
#include "pdffont.h"
#include "tablelook.h"
#include "typeface.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace pondra {

double pdfPageWidth()
{
    return std::round(sheetWidth());
}

double pdfPageHeight()
{
    return std::round(sheetHeight());
}

namespace {

QByteArray colour(const QColor& c, const char* op)
{
    return pdfNumber(c.redF()) + ' ' + pdfNumber(c.greenF()) + ' ' + pdfNumber(c.blueF()) + ' ' + op + '\n';
}

QByteArray rect(const QRectF& r)
{
    QByteArray out;
    for (double v : {r.x(), r.y(), r.width(), r.height()}) {
        appendNumber(out, v);
        out += ' ';
    }
    return out + "re";
}

// A glyph placed on the page: its font, size and colour, where its baseline starts.
struct Placed {
    int font = 0;
    double size = 0;
    QRgb colour = 0;
    quint16 glyph = 0;
    double x = 0;
    double y = 0;
};

} // namespace

struct PdfPageContent::Private {
    explicit Private(const PagedDocument& d)
        : m_d(d), m_measurer(*d.content), m_typefaces(d.content->families)
    {
    }

    PdfStructure tree;
    // By face of the family list and weight, regular first.
    std::vector<std::unique_ptr<PdfFont>> fonts;

    QByteArray page(int page)
    {
        m_page = page;
        m_out.clear();
        // Top-down points, as the layout measures: text matrices turn glyphs back upright.
        m_out += "1 0 0 -1 0 " + pdfNumber(pdfPageHeight()) + " cm\n";
        resetState();
        const auto& blocks = m_d.content->blocks;
        const double left = points(PageMarginTwips);
        const double width = points(TextWidthTwips);
        for (const PageSlice& slice : m_d.pages[std::size_t(page)]) {
            const Block& block = blocks[std::size_t(slice.block)];
            const bool clipped = slice.clipHeight >= 0;
            if (clipped) {
                m_out += "q 0 " + pdfNumber(slice.top) + ' ' + pdfNumber(sheetWidth()) + ' ' +
                         pdfNumber(slice.clipHeight) + " re W n\n";
            }
            if (const auto* p = std::get_if<Paragraph>(&block); p && p->hasChart()) {
                chart(*p, slice, QRectF(left, slice.top - slice.clipTop, width, p->chartHeight()));
            } else if (p) {
                paragraph(*p, slice, left, width);
            } else {
                table(std::get<Table>(block), slice);
            }
            if (clipped) {
                m_out += "Q\n";
                resetState();
            }
        }
        if (std::size_t(page) < m_d.footers.size()) {
            // The page's number is pagination, not text to read.
            std::vector<Placed> glyphs;
            line(m_d.footers[std::size_t(page)], m_d.footerLines[std::size_t(page)], left, width,
                 pageFooterTop(), 0, glyphs);
            m_out += "/Artifact <</Type /Pagination /Subtype /Footer>> BDC\n";
            beginText();
            show(glyphs);
            endText();
            m_out += "EMC\n";
        }
        return m_out;
    }

    void resetState()
    {
        m_fill = QColor();
        m_font = -1;
        m_size = 0;
    }

    void setFill(const QColor& c)
    {
        if (c.rgb() != m_fill.rgb() || !m_fill.isValid()) {
            m_fill = c;
            m_out += colour(c, "rg");
        }
    }

    int element(int block, const QByteArray& role, const QByteArray& extra = {})
    {
        auto it = m_elements.find(block);
        if (it == m_elements.end()) {
            it = m_elements.emplace(block, tree.add(PdfStructure::Root, role, extra)).first;
        }
        return it->second;
    }

    void begin(int element)
    {
        m_out += '/';
        m_out += tree.role(element);
        m_out += " <</MCID ";
        m_out += QByteArray::number(tree.mark(element, m_page));
        m_out += ">> BDC\n";
    }

    // A character as shown: in the font of the face the layout measured it in, at its size and
    // colour, where its baseline starts.
    Placed glyph(const TextStyle& look, char32_t c, double x, double y)
    {
        Typeface& typeface = m_typefaces.get(look.bold);
        const int face = typeface.glyph(c).face;
        const std::size_t slot = 2 * std::size_t(face) + (look.bold ? 1 : 0);
        if (fonts.size() <= slot) {
            fonts.resize(slot + 1);
        }
        std::unique_ptr<PdfFont>& font = fonts[slot];
        if (!font) {
            // URW Gothic from the copies beside the program, whatever form the system has it in.
            const QRawFont raw = typeface.face(face, look.points);
            font = std::make_unique<PdfFont>(raw.familyName().startsWith(QLatin1StringView(LayoutFont))
                                                 ? layoutFaceData(look.bold)
                                                 : trueTypeOf(raw));
        }
        return {int(slot),
                look.points,
                look.colour.isValid() ? look.colour.rgba() : qRgba(0, 0, 0, 255),
                font->isValid() ? font->glyph(c) : quint16(0),
                x,
                y};
    }

    static QByteArray roleOf(const Paragraph& p)
    {
        return p.outlineLevel == 1 ? "H1" : p.outlineLevel >= 2 ? "H2" : "P";
    }

    // The glyphs of one line, placed as the pages are painted.
    void line(const Paragraph& p, const TextLine& l, double left, double width, double top, double inset,
              std::vector<Placed>& out)
    {
        const double baseline = top + l.baseline;
        const double x = m_measurer.placeLine(p, l, left, width, inset, [&](const PlacedCharacter& c) {
            if (c.code == QChar::LineSeparator) {
                return;
            }
            // Blanks are shown too, so the text read back has its spaces.
            const char32_t shown = isBlank(c.code) ? U' ' : c.code;
            out.push_back(glyph(m_d.content->style(c.style), shown, c.x, baseline));
        });
        // A line that breaks at a blank keeps one, unseen past its end: the words either side of
        // the break stay apart when the text is read back.
        for (int i = l.end; i < l.next && i < p.text.size(); ++i) {
            if (isBlank(p.text.at(i).unicode()) || p.text.at(i) == QChar::LineSeparator) {
                const int style = p.styleAt(l.end > 0 ? l.end - 1 : 0);
                out.push_back(glyph(m_d.content->style(style), U' ', x, baseline));
                break;
            }
        }
    }

    // Text objects hold the text of a whole paragraph or table slice, marked or not.
    void beginText()
    {
        m_out += "BT\n";
        m_lineStarted = false;
    }

    void endText() { m_out += "ET\n"; }

    // A new line of text at x, y: moved to from the line before, in hundredths of a point, since
    // the same moves repeat from row to row of a table and compress to little.
    void moveTo(double x, double y)
    {
        const qint64 px = std::llround(x * 100);
        const qint64 py = std::llround(y * 100);
        if (!m_lineStarted) {
            m_out += "1 0 0 -1 ";
            appendNumber(m_out, px / 100.0, 2);
            m_out += ' ';
            appendNumber(m_out, py / 100.0, 2);
            m_out += " Tm\n";
        } else {
            // The text matrix turns y over: a move down the page is a negative one.
            appendNumber(m_out, (px - m_lineX) / 100.0, 2);
            m_out += ' ';
            appendNumber(m_out, (m_lineY - py) / 100.0, 2);
            m_out += " Td\n";
        }
        m_lineStarted = true;
        m_lineX = px;
        m_lineY = py;
    }

    // Glyphs in the open text object: a new line where font, size, colour or baseline change, and
    // within a line the gaps that differ from the glyphs' own advances (justified blanks) as
    // adjustments.
    void show(const std::vector<Placed>& glyphs)
    {
        double penX = 0;
        bool open = false;
        const Placed* run = nullptr;
        for (const Placed& g : glyphs) {
            const bool restart = !run || run->font != g.font || run->size != g.size ||
                                 run->colour != g.colour || std::abs(g.y - run->y) > 1e-6;
            if (restart) {
                if (open) {
                    m_out += ">]TJ\n";
                }
                if (g.font != m_font || g.size != m_size) {
                    m_font = g.font;
                    m_size = g.size;
                    m_out += "/F" + QByteArray::number(g.font + 1) + ' ' + pdfNumber(g.size) + " Tf\n";
                }
                setFill(QColor::fromRgba(g.colour));
                moveTo(g.x, g.y);
                m_out += "[<";
                open = true;
                run = &g;
                penX = g.x;
            }
            const double gap = g.x - penX;
            if (std::abs(gap) > 1e-3) {
                m_out += "> ";
                appendNumber(m_out, -gap * 1000 / g.size, 1);
                m_out += " <";
            }
            static constexpr char Hex[] = "0123456789abcdef";
            const char glyph[4] = {Hex[(g.glyph >> 12) & 0xF], Hex[(g.glyph >> 8) & 0xF],
                                   Hex[(g.glyph >> 4) & 0xF], Hex[g.glyph & 0xF]};
            m_out.append(glyph, 4);
            penX = g.x + fonts[std::size_t(g.font)]->advance(g.glyph) * g.size / 1000;
        }
        if (open) {
            m_out += ">]TJ\n";
        }
    }

    void paragraph(const Paragraph& p, const PageSlice& slice, double left, double width)
    {
        const std::vector<TextLine>& lines = m_d.lines[std::size_t(slice.block)];
        std::vector<Placed> glyphs;
        double y = slice.top - slice.clipTop;
        for (int i = slice.first; i < slice.last; ++i) {
            line(p, lines[std::size_t(i)], left, width, y, 0, glyphs);
            y += lines[std::size_t(i)].height;
        }
        if (glyphs.empty()) {
            return; // blank lines: nothing to read
        }
        begin(element(slice.block, roleOf(p)));
        beginText();
        show(glyphs);
        endText();
        m_out += "EMC\n";
    }

    void table(const Table& table, const PageSlice& slice)
    {
        const TableGeometry& g = m_d.tables[std::size_t(slice.block)];
        const double left = points(PageMarginTwips);
        const double rule = points(RuleTwips);
        double width = 0;
        for (double w : g.columns) {
            width += w;
        }
        const int tableElement = element(slice.block, "Table");
        std::vector<int>& rowElements = m_rows[slice.block];
        rowElements.resize(std::size_t(table.rows), -1);
        std::vector<int>& cellElements = m_cells[slice.block];
        cellElements.resize(std::size_t(table.rows * table.columns), -1);

        double y = slice.top - slice.clipTop;
        const double sliceTop = slice.top;
        double sliceBottom = slice.top;
        // The shading first, as an artifact, so the text of the rows stays together in order.
        m_out += "/Artifact BMC\n";
        for (int r = slice.first; r < slice.last; ++r) {
            const double h = g.rows[std::size_t(r)];
            sliceBottom = slice.clipHeight >= 0 ? slice.top + slice.clipHeight : y + h;
            if (table.shaded) {
                setFill(rowShade(r));
                m_out += rect(QRectF(left, y, width, h - rule)) + " f\n";
            }
            y += h;
        }
        const QColor ruleColour = table.shaded ? QColor(Qt::white) : PlainRule;
        setFill(ruleColour);
        double x = left;
        for (int c = 0; c + 1 < table.columns; ++c) {
            x += g.columns[std::size_t(c)];
            m_out +=
                rect(QRectF(x - rule, sliceTop, rule, sliceBottom - sliceTop - (table.shaded ? rule : 0))) +
                " f\n";
        }
        if (!table.shaded) {
            m_out += rect(QRectF(left, sliceTop, rule, sliceBottom - sliceTop)) + " f\n";
            m_out += rect(QRectF(left + width - rule, sliceTop, rule, sliceBottom - sliceTop)) + " f\n";
            m_out += rect(QRectF(left, sliceTop, width, rule)) + " f\n";
            double rowTop = slice.top - slice.clipTop;
            for (int r = slice.first; r < slice.last; ++r) {
                rowTop += g.rows[std::size_t(r)];
                if (rowTop <= sliceBottom + 1e-6) {
                    m_out += rect(QRectF(left, rowTop - rule, width, rule)) + " f\n";
                }
            }
        }
        m_out += "EMC\n";

        y = slice.top - slice.clipTop;
        beginText();
        for (int r = slice.first; r < slice.last; ++r) {
            const bool header = r < table.headerRows();
            // A header row a new page shows again is read once, where the table starts.
            const bool repeated = header && rowElements[std::size_t(r)] >= 0 && slice.clipHeight < 0;
            if (repeated) {
                m_out += "/Artifact <</Type /Pagination>> BDC\n";
            } else if (rowElements[std::size_t(r)] < 0) {
                rowElements[std::size_t(r)] = tree.add(tableElement, "TR");
            }
            x = left;
            for (int c = 0; c < table.columns; ++c) {
                const double w = g.columns[std::size_t(c)];
                std::vector<Placed>& glyphs = m_cellGlyphs;
                glyphs.clear();
                double top = y;
                for (const Paragraph& p : table.cell(r, c).paragraphs) {
                    const std::vector<TextLine> lines = m_measurer.lines(p, cellTextWidth(w));
                    for (const TextLine& l : lines) {
                        line(p, l, x + points(CellPaddingTwips), cellTextWidth(w), top, g.inset(r, c),
                             glyphs);
                        top += l.height;
                    }
                }
                x += w;
                if (repeated) {
                    show(glyphs);
                    continue;
                }
                int& cell = cellElements[std::size_t(r * table.columns + c)];
                if (cell < 0) {
                    cell = tree.add(rowElements[std::size_t(r)], header ? "TH" : "TD",
                                    header ? " /A << /O /Table /Scope /Column >>" : "");
                }
                if (!glyphs.empty()) {
                    begin(cell);
                    show(glyphs);
                    m_out += "EMC\n";
                }
            }
            if (repeated) {
                m_out += "EMC\n";
            }
            y += g.rows[std::size_t(r)];
        }
        endText();
    }

    void chart(const Paragraph& p, const PageSlice& slice, const QRectF& area)
    {
        const int figure =
            element(slice.block, "Figure",
                    " /Alt " + pdfText(evaluationChartDescription(p.chart)) + " /A << /O /Layout /BBox [" +
                        pdfNumber(area.left()) + ' ' + pdfNumber(pdfPageHeight() - area.bottom()) + ' ' +
                        pdfNumber(area.right()) + ' ' + pdfNumber(pdfPageHeight() - area.top()) + "] >>");
        begin(figure);
        for (const ChartItem& item : evaluationChartItems(area, p.chart, m_d.content->families)) {
            if (const auto* f = std::get_if<ChartFill>(&item)) {
                if (f->fill.isValid()) {
                    setFill(f->fill);
                    m_out += rect(f->rect) + " f\n";
                }
                if (f->edge.isValid()) {
                    m_out += colour(f->edge, "RG") + pdfNumber(f->edgeWidth) + " w " + rect(f->rect) + " S\n";
                }
            } else if (const auto* s = std::get_if<ChartStrokes>(&item)) {
                m_out += colour(s->colour, "RG") + pdfNumber(s->width) + " w 0 J\n";
                for (const QLineF& l : s->lines) {
                    m_out += pdfNumber(l.x1()) + ' ' + pdfNumber(l.y1()) + " m " + pdfNumber(l.x2()) + ' ' +
                             pdfNumber(l.y2()) + " l\n";
                }
                m_out += "S\n";
            } else {
                const ChartText& t = std::get<ChartText>(item);
                if (t.size <= 0) {
                    continue;
                }
                Typeface& face = m_typefaces.get(t.bold);
                const TextStyle look{t.size, t.bold, t.colour};
                std::vector<Placed> glyphs;
                double x = 0;
                const QList<uint> codes = t.text.toUcs4();
                for (uint code : codes) {
                    glyphs.push_back(glyph(look, code, x, t.baseline.y()));
                    x += face.glyph(code).advance * t.size;
                }
                double shift = t.baseline.x();
                if (t.anchor != Qt::AlignLeft) {
                    shift -= t.anchor == Qt::AlignRight ? x : x / 2;
                }
                for (Placed& g : glyphs) {
                    g.x += shift;
                }
                beginText();
                show(glyphs);
                endText();
            }
        }
        m_out += "EMC\n";
    }

    const PagedDocument& m_d;
    TextMeasurer m_measurer;
    Typefaces m_typefaces;
    int m_page = 0;
    QByteArray m_out;
    QColor m_fill;
    int m_font = -1;
    double m_size = 0;
    bool m_lineStarted = false;
    qint64 m_lineX = 0;
    qint64 m_lineY = 0;
    std::map<int, int> m_elements;
    // A cell's glyphs, the room kept from cell to cell.
    std::vector<Placed> m_cellGlyphs;
    std::map<int, std::vector<int>> m_rows;
    std::map<int, std::vector<int>> m_cells;
};

PdfPageContent::PdfPageContent(const PagedDocument& document) : d(std::make_unique<Private>(document)) {}

PdfPageContent::~PdfPageContent() = default;

QByteArray PdfPageContent::page(int page)
{
    return d->page(page);
}

const PdfStructure& PdfPageContent::structure() const
{
    return d->tree;
}

const std::vector<std::unique_ptr<PdfFont>>& PdfPageContent::fonts() const
{
    return d->fonts;
}

bool PdfPageContent::unembeddableFace() const
{
    return std::any_of(d->fonts.begin(), d->fonts.end(),
                       [](const auto& font) { return font && !font->isValid(); });
}

} // namespace pondra
