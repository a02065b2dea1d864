#include "docxwriter.h"

#include "evaluationchart.h"
#include "exportwriting.h"

#include "layoutfaces.h"
#include "pagelayout.h"
#include "pagesetup.h"
#include "tablelook.h"

#include "model/textrules.h"

#include <QDateTime>

#include <zip.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace pondra {

namespace {

constexpr char MainNamespace[] = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
// Eighths of a point, as a DOCX measures a rule.
constexpr int RuleEighths = RuleTwips * 8 / TwipsPerPoint;

bool isXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

// Escaped for both element text and attribute values, straight into UTF-8; characters XML cannot
// hold are dropped so one stray control character cannot make a word processor refuse the file.
void appendEscaped(QByteArray& out, QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(char16_t(c), text[++i].unicode());
        } else if (QChar::isSurrogate(c)) {
            continue;
        }
        if (!isXmlChar(c)) {
            continue;
        }
        switch (c) {
        case u'&':
            out += "&amp;";
            continue;
        case u'<':
            out += "&lt;";
            continue;
        case u'>':
            out += "&gt;";
            continue;
        case u'"':
            out += "&quot;";
            continue;
        default:
            break;
        }
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
}

QByteArray escaped(QStringView text)
{
    QByteArray out;
    appendEscaped(out, text);
    return out;
}

QByteArray number(long long value)
{
    return QByteArray::number(value);
}

QByteArray hexColour(const QColor& colour)
{
    return colour.name(QColor::HexRgb).mid(1).toUpper().toLatin1();
}

QByteArray fontsElement(const QString& family)
{
    const QByteArray name = escaped(family);
    return "<w:rFonts w:ascii=\"" + name + "\" w:hAnsi=\"" + name + "\" w:cs=\"" + name + "\"/>";
}

QByteArray sizeElements(double points)
{
    const QByteArray halfPoints = number(std::max(2L, std::lround(points * 2)));
    return "<w:sz w:val=\"" + halfPoints + "\"/><w:szCs w:val=\"" + halfPoints + "\"/>";
}

QByteArray border(const char* side, const QColor& colour)
{
    return QByteArray("<w:") + side + " w:val=\"single\" w:sz=\"" + number(RuleEighths) +
           "\" w:space=\"0\" w:color=\"" + hexColour(colour) + "\"/>";
}

// A face the package carries for the font the document names.
struct CarriedFace {
    bool bold = false;
    // The key the face is scrambled with, as the format asks.
    QByteArray key;
    QByteArray data;
};

// The first 32 bytes of a face mixed with the 16 bytes of its key, read from the last pair of hex
// digits to the first: how a word processor stores a face it carries.
QByteArray scrambled(QByteArray face, const QByteArray& key)
{
    const QByteArray bytes = QByteArray::fromHex(QByteArray(key).remove(0, 1).replace('-', ""));
    for (qsizetype i = 0; i < 32 && i < face.size() && bytes.size() == 16; ++i) {
        face[i] = char(face[i] ^ bytes[15 - i % 16]);
    }
    return face;
}

// The faces the pages are laid out in go into the package under the name the document gives its
// font (layoutfaces.h), scrambled as the format asks. The keys are fixed: they hide nothing, and
// the same report makes the same package.
std::vector<CarriedFace> carriedFaces(const DocumentContent& content)
{
    std::vector<CarriedFace> faces;
    for (const LayoutFace& face : layoutFaces(content)) {
        const QByteArray key =
            face.bold ? "{196A5A98-6EF8-47B8-904E-AFACFDA09AAF}" : "{2162D6EE-DD13-4CAF-BC7B-A4B0754DED42}";
        faces.push_back({face.bold, key, scrambled(face.data, key)});
    }
    return faces;
}

// The document part, the styles and the fonts of the package.
class DocumentXml {
public:
    explicit DocumentXml(const PagedDocument& pages) : m_pages(pages), m_content(*pages.content)
    {
        for (const TextStyle& style : m_content.styles) {
            QByteArray p;
            if (style.bold) {
                p += "<w:b/><w:bCs/>";
            }
            if (style.colour.isValid()) {
                p += "<w:color w:val=\"" + hexColour(style.colour) + "\"/>";
            }
            p += sizeElements(style.points);
            m_runProperties.push_back(p);
        }
    }

    QByteArray document();
    QByteArray styles() const;
    QByteArray fontTable(const std::vector<CarriedFace>& faces) const;

private:
    struct Look {
        bool keepWithNext = false;
        bool pageBreak = false;
        // From the right side, in points: a decimal-aligned number's.
        double inset = 0;
    };
    void paragraph(const Paragraph& p, Look look);
    // A run in the paragraph's own style takes it from the paragraph style.
    void run(const Paragraph& p, int from, int to, int style);
    QByteArray runStart(const Paragraph& p, int style) const;
    void text(QStringView text);
    void table(const Table& t, const TableGeometry& g);

    const PagedDocument& m_pages;
    const DocumentContent& m_content;
    std::vector<QByteArray> m_runProperties;
    QByteArray m_out;

public:
    // The charts' pictures, in the order of the document: word/media/graficoN.png and .svg, with
    // the relationships rIdGraficoN and rIdGraficoSvgN.
    struct Picture {
        QByteArray png;
        QByteArray svg;
    };
    std::vector<Picture> pictures;

private:
    void chart(const Paragraph& p);
};

void DocumentXml::text(QStringView text)
{
    // A line break within a paragraph becomes the word processor's own.
    qsizetype start = 0;
    auto flush = [&](qsizetype end) {
        if (end > start) {
            const QStringView piece = text.mid(start, end - start);
            // Blanks at either end or in a row are kept only when said so.
            const bool keepBlanks = piece.front() == u' ' || piece.back() == u' ' || piece.contains(u"  ");
            m_out += keepBlanks ? "<w:t xml:space=\"preserve\">" : "<w:t>";
            appendEscaped(m_out, piece);
            m_out += "</w:t>";
        }
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == QChar::LineSeparator || c == u'\t') {
            flush(i);
            m_out += c == u'\t' ? "<w:tab/>" : "<w:br/>";
            start = i + 1;
        }
    }
    flush(text.size());
}

void DocumentXml::run(const Paragraph& p, int from, int to, int style)
{
    if (to <= from) {
        return;
    }
    const QByteArray start = runStart(p, style);
    auto plain = [&](int a, int b) {
        if (b > a) {
            m_out += start;
            text(QStringView(p.text).mid(a, b - a));
            m_out += "</w:r>";
        }
    };
    const int fieldEnd = p.fieldStart + p.fieldLength;
    if (!p.hasField() || to <= p.fieldStart || from >= fieldEnd) {
        plain(from, to);
        return;
    }
    // The page count as a field: a word processor shows its own count, the one cached here is
    // ours. The blank of the sign goes before it as plain text.
    int digits = p.fieldStart;
    while (digits < fieldEnd && (p.text.at(digits) == u' ' || p.text.at(digits) == NoBreakSpace)) {
        ++digits;
    }
    plain(from, std::max(from, digits));
    if (digits < fieldEnd && from <= digits) {
        m_out += "<w:fldSimple w:instr=\" NUMPAGES \">";
        m_out += start;
        text(QStringView(p.text).mid(digits, fieldEnd - digits));
        m_out += "</w:r></w:fldSimple>";
    }
    plain(std::max(from, fieldEnd), to);
}

QByteArray DocumentXml::runStart(const Paragraph& p, int style) const
{
    if (style == p.markStyle) {
        return "<w:r>";
    }
    return "<w:r><w:rPr>" + m_runProperties[std::size_t(style)] + "</w:rPr>";
}

void DocumentXml::paragraph(const Paragraph& p, Look look)
{
    m_out += "<w:p><w:pPr><w:pStyle w:val=\"T";
    m_out += QByteArray::number(p.markStyle);
    m_out += "\"/>";
    if (look.keepWithNext) {
        m_out += "<w:keepNext/>";
    }
    switch (p.alignment) {
    case ParagraphAlignment::Justify:
        m_out += "<w:jc w:val=\"both\"/>";
        break;
    case ParagraphAlignment::Right:
        m_out += "<w:jc w:val=\"right\"/>";
        break;
    case ParagraphAlignment::Decimal:
        m_out += "<w:jc w:val=\"right\"/>";
        if (const long inset = std::lround(look.inset * TwipsPerPoint); inset > 0) {
            m_out += "<w:ind w:right=\"" + number(inset) + "\"/>";
        }
        break;
    case ParagraphAlignment::Center:
        m_out += "<w:jc w:val=\"center\"/>";
        break;
    case ParagraphAlignment::Left:
        break;
    }
    if (p.outlineLevel > 0) {
        // A heading in the word processor's navigation and table of contents.
        m_out += "<w:outlineLvl w:val=\"" + number(p.outlineLevel - 1) + "\"/>";
    }
    m_out += "</w:pPr>";
    if (look.pageBreak) {
        // A page break character, as typed.
        m_out += "<w:r><w:br w:type=\"page\"/></w:r>";
    }
    if (p.hasChart()) {
        chart(p);
    }
    const int n = int(p.spans.size());
    for (int i = 0; i < n; ++i) {
        const int end = i + 1 < n ? p.spans[std::size_t(i + 1)].start : int(p.text.size());
        run(p, p.spans[std::size_t(i)].start, end, p.spans[std::size_t(i)].style);
    }
    m_out += "</w:p>";
}

// The chart as an inline picture across the text width, as high as on the pages: an SVG
// picture, sharp at any size, with a PNG one in its place for a word processor older than Word
// 2016.
void DocumentXml::chart(const Paragraph& p)
{
    constexpr long EmuPerPoint = 12700;
    pictures.push_back({evaluationChartPng(p.chart, m_content.families),
                        evaluationChartSvg(p.chart, points(TextWidthTwips), m_content.families)});
    const QByteArray n = QByteArray::number(qulonglong(pictures.size()));
    const QByteArray cx = number(std::lround(points(TextWidthTwips) * EmuPerPoint));
    const QByteArray cy = number(std::lround(p.chartHeight() * EmuPerPoint));
    const QByteArray description = escaped(evaluationChartDescription(p.chart));
    m_out +=
        "<w:r><w:drawing><wp:inline distT=\"0\" distB=\"0\" distL=\"0\" distR=\"0\"><wp:extent cx=\"" + cx +
        "\" cy=\"" + cy + "\"/><wp:docPr id=\"" + n + "\" name=\"Grafico " + n + "\" descr=\"" + description +
        "\"/><wp:cNvGraphicFramePr><a:graphicFrameLocks "
        "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" noChangeAspect=\"1\"/>"
        "</wp:cNvGraphicFramePr><a:graphic xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\">"
        "<a:graphicData uri=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"><pic:pic "
        "xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"><pic:nvPicPr><pic:cNvPr "
        "id=\"" +
        n + "\" name=\"grafico" + n + ".svg\" descr=\"" + description +
        "\"/><pic:cNvPicPr/></pic:nvPicPr><pic:blipFill><a:blip r:embed=\"rIdGrafico" + n +
        "\"><a:extLst><a:ext uri=\"{96DAC541-7B7A-43D3-8B79-37D633B846F1}\"><asvg:svgBlip "
        "xmlns:asvg=\"http://schemas.microsoft.com/office/drawing/2016/SVG/main\" r:embed=\"rIdGraficoSvg" +
        n +
        "\"/></a:ext></a:extLst></a:blip><a:stretch><a:fillRect/></a:stretch></pic:blipFill><pic:spPr>"
        "<a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"" +
        cx + "\" cy=\"" + cy +
        "\"/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></pic:spPr></pic:pic></a:graphicData>"
        "</a:graphic></wp:inline></w:drawing></w:r>";
}

void DocumentXml::table(const Table& t, const TableGeometry& g)
{
    const QColor rule = t.shaded ? QColor(Qt::white) : PlainRule;
    m_out += "<w:tbl><w:tblPr><w:tblW w:w=\"" + number(TextWidthTwips) +
             "\" w:type=\"dxa\"/><w:tblLayout w:type=\"fixed\"/><w:tblBorders>";
    // The pages give each row the rule below it and none above the first: a shaded table's white
    // rule above would only add its width to the table's height and to every page it goes on to.
    m_out += t.shaded ? QByteArray("<w:top w:val=\"nil\"/>") : border("top", rule);
    for (const char* side : {"left", "bottom", "right", "insideH", "insideV"}) {
        m_out += border(side, rule);
    }
    const QByteArray padding = number(CellPaddingTwips);
    m_out += "</w:tblBorders><w:tblCellMar><w:top w:w=\"0\" w:type=\"dxa\"/><w:left w:w=\"" + padding +
             "\" w:type=\"dxa\"/><w:bottom w:w=\"0\" w:type=\"dxa\"/><w:right w:w=\"" + padding +
             "\" w:type=\"dxa\"/></w:tblCellMar>"
             "<w:tblLook w:val=\"0000\" w:firstRow=\"0\" w:lastRow=\"0\" w:firstColumn=\"0\" "
             "w:lastColumn=\"0\" w:noHBand=\"1\" w:noVBand=\"1\"/></w:tblPr><w:tblGrid>";
    std::vector<QByteArray> widths;
    for (double w : g.columns) {
        widths.push_back(number(std::lround(w * TwipsPerPoint)));
        m_out += "<w:gridCol w:w=\"" + widths.back() + "\"/>";
    }
    m_out += "</w:tblGrid>";
    // The start of a cell, by column and shade: the same few over thousands of cells.
    std::vector<QByteArray> starts[4];
    for (int shade = 0; shade < 4; ++shade) {
        const QByteArray fill = t.shaded && shade < 3 ? "<w:shd w:val=\"clear\" w:color=\"auto\" w:fill=\"" +
                                                            hexColour(rowShade(shade)) + "\"/>"
                                                      : QByteArray();
        for (const QByteArray& width : widths) {
            starts[shade].push_back("<w:tc><w:tcPr><w:tcW w:w=\"" + width + "\" w:type=\"dxa\"/>" + fill +
                                    "</w:tcPr>");
        }
    }
    const bool whole = t.rows <= KeptTableRows;
    QByteArray height;
    if (t.minimumRowHeight > 0) {
        height = "<w:trHeight w:val=\"" + number(std::lround(std::ceil(t.minimumRowHeight * TwipsPerPoint))) +
                 "\" w:hRule=\"atLeast\"/>";
    }
    for (int r = 0; r < t.rows; ++r) {
        const bool header = r < t.headerRows();
        // Rows never split; a small table and a header row stay with the rows below them, the last
        // row with what follows when the table says so.
        const bool keep = r + 1 < t.rows ? whole || header : t.keepWithNext;
        m_out +=
            "<w:tr><w:trPr><w:cantSplit/>" + (header ? QByteArray("<w:tblHeader/>") : height) + "</w:trPr>";
        const std::vector<QByteArray>& start = starts[t.shaded ? (r == 0 ? 0 : r % 2 == 1 ? 1 : 2) : 3];
        for (int c = 0; c < t.columns; ++c) {
            m_out += start[std::size_t(c)];
            const Look look{keep, false, g.inset(r, c)};
            for (const Paragraph& p : t.cell(r, c).paragraphs) {
                paragraph(p, look);
            }
            m_out += "</w:tc>";
        }
        m_out += "</w:tr>";
    }
    m_out += "</w:tbl>";
}

QByteArray DocumentXml::document()
{
    m_out.clear();
    m_out.reserve(1 << 20);
    m_out += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
    m_out += QByteArray("<w:document xmlns:w=\"") + MainNamespace +
             "\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
             "xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\"><w:body>";
    const auto& blocks = m_content.blocks;
    // Blank lines at the very end would only make a page of their own in a word processor; a
    // table needs one paragraph after it.
    std::size_t end = blocks.size();
    while (end > 1) {
        const auto* p = std::get_if<Paragraph>(&blocks[end - 1]);
        if (!p || !p->text.isEmpty() || p->hasChart() || std::holds_alternative<Table>(blocks[end - 2])) {
            break;
        }
        --end;
    }
    // A page break goes into the empty paragraph right before what starts the new page, as a
    // word processor keeps a page break of its own; otherwise at the start of that paragraph.
    auto breaksNext = [&](std::size_t b) {
        if (b + 1 >= end) {
            return false;
        }
        if (const auto* p = std::get_if<Paragraph>(&blocks[b + 1])) {
            return p->pageBreakBefore;
        }
        return std::get<Table>(blocks[b + 1]).pageBreakBefore;
    };
    bool breakTaken = false;
    for (std::size_t b = 0; b < end; ++b) {
        if (const auto* p = std::get_if<Paragraph>(&blocks[b])) {
            if (p->leftOut) {
                continue;
            }
            Look look{p->keepWithNext, p->pageBreakBefore && !breakTaken};
            breakTaken = false;
            if (p->text.isEmpty() && !p->hasChart() && !look.pageBreak && breaksNext(b)) {
                look.pageBreak = true;
                breakTaken = true;
            }
            paragraph(*p, look);
        } else {
            const Table& t = std::get<Table>(blocks[b]);
            if (t.pageBreakBefore && !breakTaken) {
                m_out += "<w:p><w:r><w:br w:type=\"page\"/></w:r></w:p>";
            }
            breakTaken = false;
            table(t, m_pages.tables[b]);
        }
    }
    const QByteArray margin = number(PageMarginTwips);
    m_out += "<w:sectPr><w:footerReference w:type=\"default\" r:id=\"rIdPiede\"/><w:pgSz w:w=\"" +
             number(PageWidthTwips) + "\" w:h=\"" + number(PageHeightTwips) + "\"/><w:pgMar w:top=\"" +
             margin + "\" w:right=\"" + margin + "\" w:bottom=\"" + margin + "\" w:left=\"" + margin +
             "\" w:header=\"709\" w:footer=\"" + number(PageMarginTwips / 2) +
             "\" w:gutter=\"0\"/><w:cols w:space=\"708\"/></w:sectPr>";
    m_out += "</w:body></w:document>";
    return std::move(m_out);
}

QByteArray DocumentXml::styles() const
{
    const QString family = m_content.families.value(0);
    const QByteArray normalFont = (family.isEmpty() ? QByteArray() : fontsElement(family)) + sizeElements(12);
    QByteArray x = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
    x += QByteArray("<w:styles xmlns:w=\"") + MainNamespace + "\">";
    // Single line spacing, nothing added before or after a paragraph, never one line of a
    // paragraph alone at the foot or the head of a page: the page layout's own rules.
    const QByteArray paragraphDefaults =
        "<w:widowControl/><w:spacing w:before=\"0\" w:after=\"0\" w:line=\"240\" w:lineRule=\"auto\"/>";
    x += "<w:docDefaults><w:rPrDefault><w:rPr>" + normalFont +
         "<w:lang w:val=\"it-IT\" w:eastAsia=\"it-IT\" w:bidi=\"ar-SA\"/></w:rPr></w:rPrDefault>"
         "<w:pPrDefault><w:pPr>" +
         paragraphDefaults + "</w:pPr></w:pPrDefault></w:docDefaults>";
    x += "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name "
         "w:val=\"Normal\"/><w:qFormat/><w:pPr>" +
         paragraphDefaults + "</w:pPr><w:rPr>" + normalFont + "</w:rPr></w:style>";
    // A paragraph style for each look of text: the paragraph's own look, which its mark and the
    // text in it take without saying so again.
    for (std::size_t i = 0; i < m_runProperties.size(); ++i) {
        const TextStyle& style = m_content.styles[i];
        x += "<w:style w:type=\"paragraph\" w:customStyle=\"1\" w:styleId=\"T" + number(long(i)) +
             "\"><w:name w:val=\"Pondra " + QByteArray::number(style.points) +
             (style.bold ? " grassetto" : "") +
             (style.colour.isValid() ? " " + hexColour(style.colour) : QByteArray()) +
             "\"/><w:basedOn w:val=\"Normal\"/><w:qFormat/><w:rPr>" + m_runProperties[i] +
             "</w:rPr></w:style>";
    }
    x += "<w:style w:type=\"character\" w:default=\"1\" w:styleId=\"DefaultParagraphFont\">"
         "<w:name w:val=\"Default Paragraph Font\"/><w:uiPriority "
         "w:val=\"1\"/><w:semiHidden/><w:unhideWhenUsed/>"
         "</w:style>";
    x +=
        "<w:style w:type=\"table\" w:default=\"1\" w:styleId=\"TableNormal\"><w:name w:val=\"Normal Table\"/>"
        "<w:uiPriority w:val=\"99\"/><w:semiHidden/><w:unhideWhenUsed/><w:tblPr><w:tblInd w:w=\"0\" "
        "w:type=\"dxa\"/><w:tblCellMar><w:top w:w=\"0\" w:type=\"dxa\"/><w:left w:w=\"108\" w:type=\"dxa\"/>"
        "<w:bottom w:w=\"0\" w:type=\"dxa\"/><w:right w:w=\"108\" w:type=\"dxa\"/></w:tblCellMar></w:tblPr>"
        "</w:style>";
    x += "<w:style w:type=\"numbering\" w:default=\"1\" w:styleId=\"NoList\"><w:name w:val=\"No List\"/>"
         "<w:uiPriority w:val=\"99\"/><w:semiHidden/><w:unhideWhenUsed/></w:style>";
    x += "</w:styles>";
    return x;
}

QByteArray DocumentXml::fontTable(const std::vector<CarriedFace>& faces) const
{
    QByteArray x = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
    x += QByteArray("<w:fonts xmlns:w=\"") + MainNamespace +
         "\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">";
    const QStringList& families = m_content.families;
    if (!families.isEmpty()) {
        x += "<w:font w:name=\"" + escaped(families.first()) + "\">";
        if (families.size() > 1) {
            // Where the named font is missing, the one the program lays out in its place.
            x += "<w:altName w:val=\"" + escaped(families.at(1)) + "\"/>";
        }
        x += "<w:family w:val=\"swiss\"/><w:pitch w:val=\"variable\"/>";
        for (std::size_t i = 0; i < faces.size(); ++i) {
            x += QByteArray(faces[i].bold ? "<w:embedBold" : "<w:embedRegular") + " r:id=\"rIdFont" +
                 number(long(i + 1)) + "\" w:fontKey=\"" + faces[i].key + "\"/>";
        }
        x += "</w:font>";
    }
    x += "</w:fonts>";
    return x;
}

QByteArray contentTypes()
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
           "<Default Extension=\"rels\" "
           "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
           "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
           "<Default Extension=\"png\" ContentType=\"image/png\"/>"
           "<Default Extension=\"svg\" ContentType=\"image/svg+xml\"/>"
           "<Default Extension=\"odttf\" "
           "ContentType=\"application/vnd.openxmlformats-officedocument.obfuscatedFont\"/>"
           "<Override PartName=\"/word/document.xml\" "
           "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/"
           ">"
           "<Override PartName=\"/word/footer1.xml\" "
           "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.footer+xml\"/>"
           "<Override PartName=\"/word/styles.xml\" "
           "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>"
           "<Override PartName=\"/word/settings.xml\" "
           "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.settings+xml\"/>"
           "<Override PartName=\"/word/fontTable.xml\" "
           "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.fontTable+xml\"/>"
           "<Override PartName=\"/docProps/core.xml\" "
           "ContentType=\"application/vnd.openxmlformats-package.core-properties+xml\"/>"
           "<Override PartName=\"/docProps/app.xml\" "
           "ContentType=\"application/vnd.openxmlformats-officedocument.extended-properties+xml\"/>"
           "</Types>";
}

QByteArray packageRelationships()
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
           "<Relationship Id=\"rId1\" "
           "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
           "Target=\"word/document.xml\"/>"
           "<Relationship Id=\"rId2\" "
           "Type=\"http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties\" "
           "Target=\"docProps/core.xml\"/>"
           "<Relationship Id=\"rId3\" "
           "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/extended-properties\" "
           "Target=\"docProps/app.xml\"/>"
           "</Relationships>";
}

QByteArray documentRelationships(std::size_t pictures)
{
    QByteArray images;
    for (std::size_t n = 1; n <= pictures; ++n) {
        const QByteArray number = QByteArray::number(qulonglong(n));
        for (const char* kind : {"png", "svg"}) {
            const bool svg = kind[0] == 's';
            images += "<Relationship Id=\"rIdGrafico" + QByteArray(svg ? "Svg" : "") + number +
                      "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/image\" "
                      "Target=\"media/grafico" +
                      number + '.' + kind + "\"/>";
        }
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
           "<Relationship Id=\"rId1\" "
           "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
           "Target=\"styles.xml\"/>"
           "<Relationship Id=\"rId2\" "
           "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/settings\" "
           "Target=\"settings.xml\"/>"
           "<Relationship Id=\"rId3\" "
           "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/fontTable\" "
           "Target=\"fontTable.xml\"/>"
           "<Relationship Id=\"rIdPiede\" "
           "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/footer\" "
           "Target=\"footer1.xml\"/>" +
           images + "</Relationships>";
}

// "pagina N di M" centred at the foot of every page, as the page layout numbers them: the word
// processor's own PAGE and NUMPAGES fields, holding our numbers until it updates them.
QByteArray footer(int pageCount)
{
    const QByteArray run = "<w:r><w:rPr><w:sz w:val=\"" + QByteArray::number(int(PageFooterPoints * 2)) +
                           "\"/></w:rPr><w:t xml:space=\"preserve\">";
    const auto field = [&](const char* instruction, int value) {
        return "<w:fldSimple w:instr=\" " + QByteArray(instruction) + " \">" + run +
               QByteArray::number(value) + "</w:t></w:r></w:fldSimple>";
    };
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<w:ftr xmlns:w=\"" +
           QByteArray(MainNamespace) + "\"><w:p><w:pPr><w:jc w:val=\"center\"/></w:pPr>" + run +
           "pagina </w:t></w:r>" + field("PAGE", 1) + run + " di </w:t></w:r>" +
           field("NUMPAGES", pageCount) + "</w:p></w:ftr>";
}

// The faces the font table carries, each by its relationship rIdFontN.
QByteArray fontTableRelationships(std::size_t faces)
{
    QByteArray x = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                   "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (std::size_t n = 1; n <= faces; ++n) {
        const QByteArray number = QByteArray::number(qulonglong(n));
        x += "<Relationship Id=\"rIdFont" + number +
             "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/font\" "
             "Target=\"fonts/font" +
             number + ".odttf\"/>";
    }
    return x + "</Relationships>";
}

QByteArray settings(bool carriesFaces)
{
    // Without a compatibility mode Word opens the file in its old-version mode. Carried faces stay
    // whole when the file is saved again, so text typed later has its glyphs too.
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<w:settings xmlns:w=\"" +
           QByteArray(MainNamespace) + "\"><w:zoom w:percent=\"100\"/>" +
           (carriesFaces ? "<w:embedTrueTypeFonts/><w:saveSubsetFonts w:val=\"0\"/>" : "") +
           "<w:defaultTabStop w:val=\"709\"/>"
           "<w:characterSpacingControl w:val=\"doNotCompress\"/><w:compat><w:compatSetting "
           "w:name=\"compatibilityMode\" w:uri=\"http://schemas.microsoft.com/office/word\" w:val=\"15\"/>"
           "</w:compat></w:settings>";
}

QByteArray coreProperties(const DocumentContent& content)
{
    const QByteArray now = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toLatin1();
    QByteArray x =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<cp:coreProperties "
        "xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
        "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:dcterms=\"http://purl.org/dc/terms/\" "
        "xmlns:dcmitype=\"http://purl.org/dc/dcmitype/\" "
        "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">";
    if (!content.title.isEmpty()) {
        x += "<dc:title>" + escaped(content.title) + "</dc:title>";
    }
    if (!content.subject.isEmpty()) {
        x += "<dc:subject>" + escaped(content.subject) + "</dc:subject>";
    }
    if (!content.author.isEmpty()) {
        x += "<dc:creator>" + escaped(content.author) + "</dc:creator>";
    }
    x += "<dcterms:created xsi:type=\"dcterms:W3CDTF\">" + now + "</dcterms:created>";
    x += "<dcterms:modified xsi:type=\"dcterms:W3CDTF\">" + now + "</dcterms:modified>";
    x += "</cp:coreProperties>";
    return x;
}

QByteArray appProperties(int pages)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<Properties xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties\" "
           "xmlns:vt=\"http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes\">"
           "<Application>Pondra</Application><Pages>" +
           QByteArray::number(pages) + "</Pages></Properties>";
}

struct Part {
    const char* name;
    QByteArray data;
};

// The package built in memory, so nothing touches the disk until it is whole.
bool zipParts(const std::vector<Part>& parts, QByteArray* archive)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!buffer) {
        zip_error_fini(&error);
        return false;
    }
    // Kept past zip_close(), which would otherwise free it before the bytes are read back.
    zip_source_keep(buffer);
    zip_t* zip = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    zip_error_fini(&error);
    if (!zip) {
        zip_source_free(buffer);
        return false;
    }
    bool ok = true;
    for (const Part& part : parts) {
        zip_source_t* source =
            zip_source_buffer(zip, part.data.constData(), zip_uint64_t(part.data.size()), 0);
        const zip_int64_t index = source ? zip_file_add(zip, part.name, source, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            zip_source_free(source);
            ok = false;
            break;
        }
        // The fastest deflate: the document part of a large report is tens of megabytes of
        // repetitive markup, which it still packs tenfold.
        zip_set_file_compression(zip, zip_uint64_t(index), ZIP_CM_DEFLATE, 1);
    }
    if (!ok) {
        zip_discard(zip);
        zip_source_free(buffer);
        return false;
    }
    if (zip_close(zip) != 0) {
        zip_discard(zip);
        zip_source_free(buffer);
        return false;
    }

    ok = zip_source_open(buffer) == 0;
    if (ok) {
        zip_source_seek(buffer, 0, SEEK_END);
        const zip_int64_t size = zip_source_tell(buffer);
        zip_source_seek(buffer, 0, SEEK_SET);
        ok = size >= 0;
        if (ok) {
            archive->resize(qsizetype(size));
            ok = zip_source_read(buffer, archive->data(), zip_uint64_t(size)) == size;
        }
        zip_source_close(buffer);
    }
    zip_source_free(buffer);
    return ok;
}

} // namespace

bool writeDocx(const PagedDocument& pages, const QString& path, QString* error)
{
    DocumentXml xml(pages);
    std::vector<Part> parts;
    parts.push_back({"[Content_Types].xml", contentTypes()});
    parts.push_back({"_rels/.rels", packageRelationships()});
    parts.push_back({"word/document.xml", xml.document()});
    parts.push_back({"word/_rels/document.xml.rels", documentRelationships(xml.pictures.size())});
    // The parts hold their names by pointer: the names of the pictures live as long as they do.
    std::vector<QByteArray> pictureNames;
    pictureNames.reserve(2 * xml.pictures.size());
    for (std::size_t n = 1; n <= xml.pictures.size(); ++n) {
        const QByteArray name = "word/media/grafico" + QByteArray::number(qulonglong(n));
        pictureNames.push_back(name + ".png");
        parts.push_back({pictureNames.back().constData(), xml.pictures[n - 1].png});
        pictureNames.push_back(name + ".svg");
        parts.push_back({pictureNames.back().constData(), xml.pictures[n - 1].svg});
    }
    parts.push_back({"word/footer1.xml", footer(pages.pageCount())});
    parts.push_back({"word/styles.xml", xml.styles()});
    const std::vector<CarriedFace> faces = carriedFaces(*pages.content);
    parts.push_back({"word/settings.xml", settings(!faces.empty())});
    parts.push_back({"word/fontTable.xml", xml.fontTable(faces)});
    if (!faces.empty()) {
        parts.push_back({"word/_rels/fontTable.xml.rels", fontTableRelationships(faces.size())});
    }
    static constexpr const char* faceNames[] = {"word/fonts/font1.odttf", "word/fonts/font2.odttf"};
    for (std::size_t i = 0; i < faces.size() && i < std::size(faceNames); ++i) {
        parts.push_back({faceNames[i], faces[i].data});
    }
    parts.push_back({"docProps/core.xml", coreProperties(*pages.content)});
    parts.push_back({"docProps/app.xml", appProperties(pages.pageCount())});

    QByteArray archive;
    if (!zipParts(parts, &archive)) {
        return failExport(path, QStringLiteral("la compressione del documento non è riuscita."), error);
    }
    return writeWholeFile(archive, path, error);
}

} // namespace pondra
