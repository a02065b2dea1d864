#include "htmlwriter.h"

#include "evaluationchart.h"
#include "pagelayout.h"
#include "pagesetup.h"
#include "tablelook.h"

namespace pondra {

namespace {

QString cssLength(double pointsValue)
{
    return QString::number(pointsValue, 'f', 2) + QStringLiteral("pt");
}

QString escapedText(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += u"&amp;";
            break;
        case u'<':
            out += u"&lt;";
            break;
        case u'>':
            out += u"&gt;";
            break;
        case u'"':
            out += u"&quot;";
            break;
        case QChar::LineSeparator:
            out += u"<br>";
            break;
        default:
            if (c.unicode() >= 0x20 || c == u'\t') {
                out += c;
            }
        }
    }
    return out;
}

QString fontList(const QStringList& families)
{
    QStringList quoted;
    for (const QString& family : families) {
        quoted << u'"' + QString(family).remove(u'"') + u'"';
    }
    quoted << QStringLiteral("sans-serif");
    return quoted.join(QStringLiteral(", "));
}

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
        const auto& blocks = m_content.blocks;
        for (std::size_t b = 0; b < blocks.size(); ++b) {
            if (const auto* p = std::get_if<Paragraph>(&blocks[b])) {
                paragraph(*p, true);
            } else {
                table(std::get<Table>(blocks[b]), m_pages.tables[b]);
            }
        }
        m_out += QStringLiteral("</main>\n</body>\n</html>\n");
        return m_out;
    }

private:
    void style()
    {
        m_out += QStringLiteral("body { margin: 0; background: #fff; color: #000; }\n");
        m_out += QStringLiteral("main { box-sizing: border-box; max-width: %1; margin: 0 auto; padding: %2; "
                                "font-family: %3; line-height: normal; }\n")
                     .arg(cssLength(points(PageWidthTwips)), cssLength(points(PageMarginTwips)),
                          fontList(m_content.families));
        m_out += QStringLiteral("p { margin: 0; white-space: pre-wrap; overflow-wrap: break-word; }\n");
        m_out += QStringLiteral(".r { text-align: right; }\n.j { text-align: justify; }\n");
        m_out += QStringLiteral(".pb { break-before: page; }\n.kn { break-after: avoid; }\n");
        m_out += QStringLiteral("table { width: 100%; table-layout: fixed; border-collapse: collapse; }\n");
        m_out +=
            QStringLiteral("td { padding: 0 %1; vertical-align: top; border: %2 solid %3; }\n")
                .arg(cssLength(points(CellPaddingTwips)), cssLength(points(RuleTwips)), PlainRule.name());
        m_out += QStringLiteral("table.shaded td { border-color: #fff; }\n");
        m_out += QStringLiteral("table.whole, tr { break-inside: avoid; }\n");
        // On screen a sheet on a grey desk, the page breaks marked; on paper the pages themselves.
        m_out += QStringLiteral(
            "@media screen { body { background: #e8eaed; } main { background: #fff; margin: 1.5em "
            "auto; box-shadow: 0 1px 4px rgba(0, 0, 0, 0.3); } .pb { border-top: 1px dashed "
            "#9aa0a6; margin-top: 1.5em; padding-top: 1.5em; } }\n");
        m_out +=
            QStringLiteral(
                "@page { size: A4; margin: %1; }\n@media print { main { padding: 0; max-width: none; } }\n")
                .arg(cssLength(points(PageMarginTwips)));
        for (std::size_t i = 0; i < m_content.styles.size(); ++i) {
            const TextStyle& s = m_content.styles[i];
            m_out += QStringLiteral(".s%1 { font-size: %2;").arg(i).arg(cssLength(s.points));
            if (s.bold) {
                m_out += QStringLiteral(" font-weight: bold;");
            }
            if (s.colour.isValid()) {
                m_out += QStringLiteral(" color: %1;").arg(s.colour.name());
            }
            m_out += QStringLiteral(" }\n");
        }
    }

    void paragraph(const Paragraph& p, bool inFlow)
    {
        QStringList classes{QStringLiteral("s%1").arg(p.markStyle)};
        if (p.alignment == ParagraphAlignment::Right) {
            classes << QStringLiteral("r");
        } else if (p.alignment == ParagraphAlignment::Justify) {
            classes << QStringLiteral("j");
        }
        if (inFlow && p.pageBreakBefore) {
            classes << QStringLiteral("pb");
        }
        if (inFlow && p.keepWithNext) {
            classes << QStringLiteral("kn");
        }
        m_out += QStringLiteral("<p class=\"%1\">").arg(classes.join(u' '));
        if (p.hasChart()) {
            // The picture inside the page, as wide as the text.
            m_out +=
                QStringLiteral("<img style=\"width: 100%; height: auto; display: block\" alt=\"%1\" "
                               "src=\"data:image/png;base64,%2\"></p>\n")
                    .arg(QStringLiteral("grafico delle valutazioni"),
                         QString::fromLatin1(evaluationChartPng(p.chart, m_content.families).toBase64()));
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

    void table(const Table& t, const TableGeometry& g)
    {
        QStringList classes;
        if (t.shaded) {
            classes << QStringLiteral("shaded");
        }
        if (t.rows <= KeptTableRows) {
            classes << QStringLiteral("whole");
        }
        if (t.pageBreakBefore) {
            classes << QStringLiteral("pb");
        }
        m_out += classes.isEmpty() ? QStringLiteral("<table>\n")
                                   : QStringLiteral("<table class=\"%1\">\n").arg(classes.join(u' '));
        m_out += QStringLiteral("<colgroup>");
        for (double w : g.columns) {
            m_out += QStringLiteral("<col style=\"width: %1%\">")
                         .arg(QString::number(100.0 * w / points(TextWidthTwips), 'f', 3));
        }
        m_out += QStringLiteral("</colgroup>\n");
        const int header = t.headerRows();
        for (int r = 0; r < t.rows; ++r) {
            if (r == 0) {
                m_out += header > 0 ? QStringLiteral("<thead>\n") : QStringLiteral("<tbody>\n");
            } else if (r == header) {
                m_out += QStringLiteral("</thead>\n<tbody>\n");
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
                m_out += QStringLiteral("<td>");
                for (const Paragraph& p : t.cell(r, c).paragraphs) {
                    paragraph(p, false);
                }
                m_out += QStringLiteral("</td>");
            }
            m_out += QStringLiteral("</tr>\n");
        }
        m_out += QStringLiteral("</tbody>\n</table>\n");
    }

    const PagedDocument& m_pages;
    const DocumentContent& m_content;
    QString m_out;
};

} // namespace

QByteArray htmlPage(const PagedDocument& pages, const QString& title)
{
    return Page(pages).html(title).toUtf8();
}

} // namespace pondra
