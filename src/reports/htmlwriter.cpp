#include "htmlwriter.h"

#include "evaluationchart.h"
#include "layoutfaces.h"
#include "markupescaping.h"
#include "pagelayout.h"
#include "pagesetup.h"
#include "tablelook.h"
#include "typeface.h"

namespace pondra {

namespace {

QString cssLength(double pointsValue)
{
    return QString::number(pointsValue, 'f', 2) + QStringLiteral("pt");
}

// Markup-safe, a line break within a paragraph as the page's own.
QString escapedText(QStringView text)
{
    const QList<QStringView> lines = text.split(QChar::LineSeparator);
    QString out;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            out += u"<br>";
        }
        out += escapedMarkup(lines.at(i));
    }
    return out;
}

// The family the pages are laid out in first: a browser that has the font the document names
// would otherwise set the text in it, in other widths than the pages'.
QString fontList(const QStringList& families)
{
    QStringList ordered = families;
    const QString laidOut = laidOutFamily(families);
    if (ordered.removeAll(laidOut) > 0) {
        ordered.prepend(laidOut);
    }
    QStringList quoted;
    for (const QString& family : ordered) {
        quoted << u'"' + QString(family).remove(u'"') + u'"';
    }
    quoted << QStringLiteral("sans-serif");
    return quoted.join(QStringLiteral(", "));
}

// A browser lays the text out with the same fonts and line heights; the page breaks are ours,
// each page of the layout a sheet of its own, so a print from the browser has our pages and the
// page count the report states. The sheet's foot has some room to spare for a browser's rounding.
constexpr int SpareFootTwips = 170; // 6 mm

class Page {
public:
    Page(const PagedDocument& pages) : m_pages(pages), m_content(*pages.content) {}

    QString html(const QString& title)
    {
        m_out.clear();
        m_out += QStringLiteral(
            "<!DOCTYPE html>\n<html lang=\"it\">\n<head>\n<meta charset=\"utf-8\">\n"
            "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>");
        m_out += escapedText(title);
        m_out += QStringLiteral("</title>\n<style>\n");
        style();
        m_out += QStringLiteral("</style>\n</head>\n<body>\n<main>\n");
        for (std::size_t n = 0; n < m_pages.pages.size(); ++n) {
            const std::vector<PageSlice>& page = m_pages.pages[n];
            m_out += QStringLiteral("<div class=\"page\">\n");
            for (std::size_t i = 0; i < page.size(); ++i) {
                const PageSlice& slice = page[i];
                if (const auto* p = std::get_if<Paragraph>(&m_content.blocks[std::size_t(slice.block)])) {
                    paragraphLines(*p, m_pages.lines[std::size_t(slice.block)], slice.first, slice.last);
                } else {
                    i = table(page, i);
                }
            }
            m_out += QStringLiteral("<p class=\"foot\" aria-hidden=\"true\">%1</p>\n")
                         .arg(pageFooterText(int(n), m_pages.pageCount()));
            m_out += QStringLiteral("</div>\n");
        }
        m_out += QStringLiteral("</main>\n</body>\n</html>\n");
        return m_out;
    }

private:
    void style()
    {
        const QString margin = cssLength(points(PageMarginTwips));
        m_out += QStringLiteral(
            "body { margin: 0; background: #fff; color: #000; -webkit-print-color-adjust: exact; "
            "print-color-adjust: exact; }\n");
        // The faces our pages are laid out in travel with the page, so a browser without them does
        // not set the text in wider faces of its own and run past our pages.
        for (const LayoutFace& face : layoutFaces(m_content)) {
            m_out += QStringLiteral("@font-face { font-family: \"%1\"; font-weight: %2; "
                                    "src: url(data:font/ttf;base64,%3) format(\"truetype\"); }\n")
                         .arg(QString::fromLatin1(LayoutFont),
                              face.bold ? QStringLiteral("bold") : QStringLiteral("normal"),
                              QString::fromLatin1(face.data.toBase64()));
        }
        m_out += QStringLiteral(".page { box-sizing: border-box; width: %1; padding: %2; font-family: %3; "
                                "font-kerning: none; font-variant-ligatures: none; }\n")
                     .arg(cssLength(points(PageWidthTwips)), margin, fontList(m_content.families));
        m_out += QStringLiteral("p { margin: 0; white-space: pre-wrap; overflow-wrap: break-word; }\n");
        m_out += QStringLiteral(".r { text-align: right; }\n.j { text-align: justify; }\n"
                                ".c { text-align: center; }\n");
        m_out += QStringLiteral("table { width: 100%; table-layout: fixed; border-collapse: collapse; }\n");
        // The rules are drawn inside the cells and take their room from the padding below the text:
        // a browser rounds a border to whole pixels, and a page of rows would run longer than ours.
        const QString rule = cssLength(points(RuleTwips));
        const QString grey = PlainRule.name();
        m_out += QStringLiteral("td, th { padding: 0 %1 %2 %1; vertical-align: top; font-weight: normal; "
                                "box-shadow: inset -%2 -%2 0 %3; }\n")
                     .arg(cssLength(points(CellPaddingTwips)), rule, grey);
        m_out += QStringLiteral(
                     "table.plain tr:first-child > * { "
                     "box-shadow: inset -%1 -%1 0 %2, inset 0 %1 0 %2; }\n"
                     "table.plain tr > :first-child { box-shadow: inset -%1 -%1 0 %2, inset %1 0 0 %2; }\n"
                     "table.plain tr:first-child > :first-child { "
                     "box-shadow: inset -%1 -%1 0 %2, inset %1 %1 0 %2; }\n"
                     "table.shaded td, table.shaded th { box-shadow: inset -%1 -%1 0 #fff; }\n"
                     "tr { break-inside: avoid; }\n")
                     .arg(rule, grey);
        // On screen sheets on a grey desk; on paper the pages themselves, each breaking where ours do.
        // The page's number stands in its bottom margin: on screen at the foot of each sheet, on
        // paper in the page's own footer, counted by the browser over the same pages.
        const QString foot = cssLength(points(PageHeightTwips) - pageFooterTop() - PageFooterPoints);
        m_out +=
            QStringLiteral(
                "@media screen { body { background: #e8eaed; } .page { position: relative; background: #fff; "
                "margin: 1.5em auto; min-height: %1; box-shadow: 0 1px 4px rgba(0, 0, 0, 0.3); } "
                ".foot { position: absolute; left: 0; right: 0; bottom: %2; } }\n")
                .arg(cssLength(points(PageHeightTwips)), foot);
        m_out +=
            QStringLiteral(".foot { text-align: center; font-size: %1; }\n").arg(cssLength(PageFooterPoints));
        m_out += QStringLiteral(
                     "@page { size: A4; margin: %1 %1 %2 %1; @bottom-center { content: \"pagina \" "
                     "counter(page) \" di \" counter(pages); font-size: %3; vertical-align: middle; } }\n"
                     "@media print { .page { width: auto; padding: 0; break-after: page; } "
                     ".page:last-child { break-after: auto; } .foot { display: none; } }\n")
                     .arg(margin, cssLength(points(PageMarginTwips - SpareFootTwips)),
                          cssLength(PageFooterPoints));
        // Each look's line height as our pages have it: a browser's "normal" rounds the font's
        // metrics to whole pixels, a line or two a page off ours.
        TextMeasurer measurer(m_content);
        for (std::size_t i = 0; i < m_content.styles.size(); ++i) {
            const TextStyle& s = m_content.styles[i];
            m_out += QStringLiteral(".s%1 { font-size: %2; line-height: %3;")
                         .arg(i)
                         .arg(cssLength(s.points), cssLength(measurer.lineHeight(int(i))));
            if (s.bold) {
                m_out += QStringLiteral(" font-weight: bold;");
            }
            if (s.colour.isValid()) {
                m_out += QStringLiteral(" color: %1;").arg(s.colour.name());
            }
            m_out += QStringLiteral(" }\n");
        }
    }

    // The lines [first, last) of a paragraph: the part of it the page holds.
    void paragraphLines(const Paragraph& p, const std::vector<TextLine>& lines, int first, int last)
    {
        const int count = int(lines.size());
        if (first == 0 && last >= count) {
            paragraph(p);
            return;
        }
        const int from = lines[std::size_t(first)].start;
        const int to = last < count ? lines[std::size_t(last)].start : int(p.text.size());
        Paragraph part;
        part.markStyle = p.markStyle;
        part.alignment = p.alignment;
        // A justified paragraph's part that ends a page is justified to its last line, as on the page.
        if (p.alignment == ParagraphAlignment::Justify && last < count) {
            m_lastLineJustified = true;
        }
        for (int i = from; i < to;) {
            const int style = p.styleAt(i);
            int end = i + 1;
            while (end < to && p.styleAt(end) == style) {
                ++end;
            }
            part.append(p.text.mid(i, end - i), style);
            i = end;
        }
        paragraph(part);
        m_lastLineJustified = false;
    }

    void paragraph(const Paragraph& p, double inset = 0)
    {
        QStringList classes{QStringLiteral("s%1").arg(p.markStyle)};
        switch (p.alignment) {
        case ParagraphAlignment::Right:
        case ParagraphAlignment::Decimal:
            classes << QStringLiteral("r");
            break;
        case ParagraphAlignment::Justify:
            classes << QStringLiteral("j");
            break;
        case ParagraphAlignment::Center:
            classes << QStringLiteral("c");
            break;
        case ParagraphAlignment::Left:
            break;
        }
        QString style;
        if (inset > 0) {
            style += QStringLiteral("padding-right: %1;").arg(cssLength(inset));
        }
        if (m_lastLineJustified) {
            style += QStringLiteral("text-align-last: justify;");
        }
        m_out += QStringLiteral("<p class=\"%1\"").arg(classes.join(u' '));
        m_out += style.isEmpty() ? QStringLiteral(">") : QStringLiteral(" style=\"%1\">").arg(style);
        if (p.hasChart()) {
            // Drawn inside the page as wide as the text, titled with its values for a reader that
            // does not see it.
            m_out += QString::fromUtf8(
                evaluationChartSvg(p.chart, points(TextWidthTwips), m_content.families, false));
            m_out += QStringLiteral("</p>\n");
            return;
        }
        if (p.text.isEmpty()) {
            // A blank line as high as the paragraph's size.
            m_out += QStringLiteral("<br>");
        }
        const int n = int(p.spans.size());
        for (int i = 0; i < n; ++i) {
            const StyleSpan& span = p.spans[std::size_t(i)];
            const int end = i + 1 < n ? p.spans[std::size_t(i + 1)].start : int(p.text.size());
            const QString text = escapedText(QStringView(p.text).mid(span.start, end - span.start));
            if (span.style == p.markStyle) {
                m_out += text;
            } else {
                m_out += QStringLiteral("<span class=\"s%1\">%2</span>").arg(span.style).arg(text);
            }
        }
        m_out += QStringLiteral("</p>\n");
    }

    // The rows of a table on this page, from its slice at i (the header repeated on a new page
    // comes as a slice of its own); returns the last slice taken.
    std::size_t table(const std::vector<PageSlice>& page, std::size_t i)
    {
        const int block = page[i].block;
        const Table& t = std::get<Table>(m_content.blocks[std::size_t(block)]);
        const TableGeometry& g = m_pages.tables[std::size_t(block)];
        std::vector<int> rows;
        std::size_t last = i;
        for (; last < page.size() && page[last].block == block; ++last) {
            // A row taller than a page shows whole where it starts.
            if (page[last].clipTop > 0) {
                continue;
            }
            for (int r = page[last].first; r < page[last].last; ++r) {
                rows.push_back(r);
            }
        }
        m_out += t.shaded ? QStringLiteral("<table class=\"shaded\">\n")
                          : QStringLiteral("<table class=\"plain\">\n");
        m_out += QStringLiteral("<colgroup>");
        for (double w : g.columns) {
            m_out += QStringLiteral("<col style=\"width: %1%\">")
                         .arg(QString::number(100.0 * w / points(TextWidthTwips), 'f', 3));
        }
        m_out += QStringLiteral("</colgroup>\n");
        bool inHead = false;
        for (std::size_t k = 0; k < rows.size(); ++k) {
            const int r = rows[k];
            const bool header = r < t.headerRows();
            if (k == 0 || header != inHead) {
                if (k > 0) {
                    m_out += inHead ? QStringLiteral("</thead>\n") : QStringLiteral("</tbody>\n");
                }
                m_out += header ? QStringLiteral("<thead>\n") : QStringLiteral("<tbody>\n");
                inHead = header;
            }
            QStringList look;
            if (t.shaded) {
                look << QStringLiteral("background: ") + rowShade(r).name();
            }
            if (t.leastRowHeight(r) > 0) {
                // A table row's height is the least it takes.
                look << QStringLiteral("height: ") + cssLength(t.leastRowHeight(r));
            }
            m_out += look.isEmpty()
                         ? QStringLiteral("<tr>")
                         : QStringLiteral("<tr style=\"%1\">").arg(look.join(QStringLiteral("; ")));
            for (int c = 0; c < t.columns; ++c) {
                m_out += header ? QStringLiteral("<th scope=\"col\">") : QStringLiteral("<td>");
                for (const Paragraph& p : t.cell(r, c).paragraphs) {
                    paragraph(p, g.inset(r, c));
                }
                m_out += header ? QStringLiteral("</th>") : QStringLiteral("</td>");
            }
            m_out += QStringLiteral("</tr>\n");
        }
        if (!rows.empty()) {
            m_out += inHead ? QStringLiteral("</thead>\n") : QStringLiteral("</tbody>\n");
        }
        m_out += QStringLiteral("</table>\n");
        return last - 1;
    }

    const PagedDocument& m_pages;
    const DocumentContent& m_content;
    QString m_out;
    bool m_lastLineJustified = false;
};

} // namespace

QByteArray htmlPage(const PagedDocument& pages, const QString& title)
{
    return Page(pages).html(title).toUtf8();
}

} // namespace pondra
