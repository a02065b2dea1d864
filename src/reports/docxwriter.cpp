#include "docxwriter.h"

#include "pagesetup.h"

#include "archive/filewriting.h"
#include "archive/regularfile.h"

#include <QDateTime>
#include <QHash>
#include <QMap>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>

#include <zip.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

// The resolution Qt reads format lengths at; QtGui exports it without a public header.
Q_GUI_EXPORT int qt_defaultDpiY();

namespace pondra {

namespace {

constexpr double MmPerInch = 25.4;
constexpr double TwipsPerInch = 1440.0;
constexpr double TwipsPerMm = TwipsPerInch / MmPerInch;

int mmToTwips(double mm)
{
    return int(std::lround(mm * TwipsPerMm));
}

const int PageWidthTwips = mmToTwips(PageWidthMm);
const int PageHeightTwips = mmToTwips(PageHeightMm);
const int PageMarginTwips = mmToTwips(PageMarginMm);
const int TextWidthTwips = mmToTwips(PageWidthMm - 2 * PageMarginMm);
// The height of a paragraph that Qt lays out with none: Word and LibreOffice keep a line this low.
constexpr int CollapsedLineTwips = 20;
// Keeps a column that the document leaves no room for still visible and editable in Word.
constexpr int MinimumColumnTwips = 60;

constexpr char MainNamespace[] = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";

bool isXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

// Escaped for both element text and attribute values; characters XML cannot hold are dropped so
// one stray control character cannot make Word refuse the whole file.
void appendEscaped(QByteArray& out, QStringView text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            escaped += ch;
            escaped += text[++i];
            continue;
        }
        if (ch.isSurrogate() || !isXmlChar(ch.unicode())) {
            continue;
        }
        switch (ch.unicode()) {
        case u'&':
            escaped += u"&amp;";
            break;
        case u'<':
            escaped += u"&lt;";
            break;
        case u'>':
            escaped += u"&gt;";
            break;
        case u'"':
            escaped += u"&quot;";
            break;
        default:
            escaped += ch;
        }
    }
    out += escaped.toUtf8();
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

// The colour of a brush that paints something, if it does.
bool paintedColour(const QBrush& brush, QByteArray* hex)
{
    if (brush.style() == Qt::NoBrush || brush.color().alpha() == 0) {
        return false;
    }
    *hex = hexColour(brush.color());
    return true;
}

QByteArray shading(const QByteArray& fill)
{
    return "<w:shd w:val=\"clear\" w:color=\"auto\" w:fill=\"" + fill + "\"/>";
}

QString firstFamily(const QTextCharFormat& format)
{
    const QStringList families = format.property(QTextFormat::FontFamilies).toStringList();
    if (!families.isEmpty()) {
        return families.first();
    }
    return format.property(QTextFormat::FontFamily).toString();
}

QString secondFamily(const QTextCharFormat& format)
{
    return format.property(QTextFormat::FontFamilies).toStringList().value(1);
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

QByteArray borderStyleName(QTextFrameFormat::BorderStyle style)
{
    switch (style) {
    case QTextFrameFormat::BorderStyle_None:
        return "nil";
    case QTextFrameFormat::BorderStyle_Dotted:
        return "dotted";
    case QTextFrameFormat::BorderStyle_Dashed:
        return "dashed";
    case QTextFrameFormat::BorderStyle_Solid:
        return "single";
    case QTextFrameFormat::BorderStyle_Double:
        return "double";
    case QTextFrameFormat::BorderStyle_DotDash:
        return "dotDash";
    case QTextFrameFormat::BorderStyle_DotDotDash:
        return "dotDotDash";
    case QTextFrameFormat::BorderStyle_Groove:
        return "threeDEngrave";
    case QTextFrameFormat::BorderStyle_Ridge:
        return "threeDEmboss";
    case QTextFrameFormat::BorderStyle_Inset:
        return "inset";
    case QTextFrameFormat::BorderStyle_Outset:
        return "outset";
    }
    return "single";
}

// One border line as Word describes it: style, width in eighths of a point, colour.
struct Border {
    QByteArray style = "nil";
    int eighths = 0;
    QByteArray colour = "auto";

    QByteArray element(const char* side) const
    {
        const QByteArray tag = QByteArray("<w:") + side;
        if (style == "nil") {
            return tag + " w:val=\"nil\"/>";
        }
        return tag + " w:val=\"" + style + "\" w:sz=\"" + number(eighths) + "\" w:space=\"0\" w:color=\"" +
               colour + "\"/>";
    }
};

// Qt reads the lengths of a format (margins, borders, padding, widths) at its default resolution
// and scales them to whatever device lays the document out; the page size alone is in device units.
class Units {
public:
    Units() : m_dpi(std::max(1, qt_defaultDpiY())), m_twipsPerUnit(TwipsPerInch / m_dpi) {}

    double dpi() const { return m_dpi; }

    int twips(double units) const { return int(std::lround(units * m_twipsPerUnit)); }

    Border border(double width, QTextFrameFormat::BorderStyle style, const QBrush& brush) const
    {
        Border border;
        if (width <= 0 || style == QTextFrameFormat::BorderStyle_None) {
            return border;
        }
        border.style = borderStyleName(style);
        // Word accepts widths from a quarter point to twelve points.
        border.eighths = std::clamp(int(std::lround(twips(width) * 8.0 / 20.0)), 2, 96);
        if (!paintedColour(brush, &border.colour)) {
            border.colour = "auto";
        }
        return border;
    }

private:
    double m_dpi;
    double m_twipsPerUnit;
};

// The font every format falls back to, as QTextDocument lays it out.
struct DefaultFont {
    QString family;
    double points = 12;
    bool bold = false;
    bool italic = false;

    DefaultFont(const QFont& font, double dpi)
    {
        family = font.families().value(0, font.family());
        if (font.pointSizeF() > 0) {
            points = font.pointSizeF();
        } else if (font.pixelSize() > 0) {
            points = font.pixelSize() * 72.0 / dpi;
        }
        bold = font.weight() >= QFont::DemiBold;
        italic = font.italic();
    }
};

class DocumentXml {
public:
    explicit DocumentXml(const QTextDocument& document)
        : m_document(document), m_default(document.defaultFont(), m_units.dpi())
    {
    }

    QByteArray document();
    QByteArray styles() const;
    QByteArray fontTable() const;

private:
    void writeFlow(QTextFrame::iterator it);
    // A collapsed paragraph is an empty block Qt lays out with no height; Word gets a one-point one.
    void writeParagraph(const QTextBlock& block, bool collapsed = false);
    void writeText(QStringView text);
    void writeTable(QTextTable* table);
    // What a table's cells look like, by cell format: the same few over a whole table.
    struct CellLooks {
        QTextTableFormat table;
        // Columns Qt sizes to their content, as Word's automatic fit does.
        std::vector<bool> fitted;
        QHash<int, QByteArray> cells;
    };
    void writeCell(const QTextTableCell& cell, int row, const std::vector<int>& grid, CellLooks& looks);
    // Borders, shading, padding and vertical alignment of a cell.
    QByteArray cellLook(const QTextTableFormat& tableFormat, const QTextTableCellFormat& format) const;
    std::vector<int> columnWidths(const QTextTableFormat& format, int columns) const;
    Border tableBorder(const QTextTableFormat& format) const;
    // Describes a format and keeps it under the given key.
    QByteArray runProperties(const QTextCharFormat& format, int formatIndex);
    QByteArray fragmentProperties(const QTextFragment& fragment);
    QByteArray markProperties(const QTextBlock& block);

    // A paragraph's properties but its page break, which also depends on the block before it.
    struct ParagraphLook {
        bool keepLines = false;
        bool breakBefore = false;
        bool breakAfter = false;
        // What follows the page break among the properties.
        QByteArray rest;
    };
    ParagraphLook describeParagraph(const QTextBlock& block, bool collapsed);
    const ParagraphLook& paragraphLook(const QTextBlock& block, bool collapsed);

    const QTextDocument& m_document;
    Units m_units;
    DefaultFont m_default;
    QByteArray m_out;
    // Formats are shared by index, so each one is described once however many runs use it
    // (paragraph marks under -1 - index).
    QHash<int, QByteArray> m_runProperties;
    // Paragraphs by block and mark format: reports repeat a handful of looks over thousands of cells.
    QHash<qint64, ParagraphLook> m_paragraphLooks;
    ParagraphLook m_uncachedLook;
    // Every font named, with the family laid out in its place as Word's alternative name.
    QMap<QString, QString> m_fonts;
    bool m_breakBeforeNext = false;
    bool m_lastWasParagraph = false;
};

QByteArray DocumentXml::runProperties(const QTextCharFormat& format, int formatIndex)
{
    QByteArray p;
    const QString family = firstFamily(format);
    if (!family.isEmpty()) {
        p += fontsElement(family);
        if (!m_fonts.contains(family) || m_fonts.value(family).isEmpty()) {
            m_fonts.insert(family, secondFamily(format));
        }
    }
    if (format.hasProperty(QTextFormat::FontWeight)) {
        if (format.fontWeight() >= QFont::DemiBold) {
            p += "<w:b/><w:bCs/>";
        } else if (m_default.bold) {
            p += "<w:b w:val=\"0\"/><w:bCs w:val=\"0\"/>";
        }
    }
    if (format.hasProperty(QTextFormat::FontItalic)) {
        if (format.fontItalic()) {
            p += "<w:i/><w:iCs/>";
        } else if (m_default.italic) {
            p += "<w:i w:val=\"0\"/><w:iCs w:val=\"0\"/>";
        }
    }
    if (format.hasProperty(QTextFormat::FontCapitalization)) {
        if (format.fontCapitalization() == QFont::AllUppercase) {
            p += "<w:caps/>";
        } else if (format.fontCapitalization() == QFont::SmallCaps) {
            p += "<w:smallCaps/>";
        }
    }
    if (format.fontStrikeOut()) {
        p += "<w:strike/>";
    }
    QByteArray colour;
    if (format.hasProperty(QTextFormat::ForegroundBrush) && paintedColour(format.foreground(), &colour)) {
        p += "<w:color w:val=\"" + colour + "\"/>";
    }
    if (format.hasProperty(QTextFormat::FontPointSize) && format.fontPointSize() > 0) {
        p += sizeElements(format.fontPointSize());
    } else if (format.hasProperty(QTextFormat::FontPixelSize) &&
               format.intProperty(QTextFormat::FontPixelSize) > 0) {
        p += sizeElements(format.intProperty(QTextFormat::FontPixelSize) * 72.0 / m_units.dpi());
    }
    switch (format.underlineStyle()) {
    case QTextCharFormat::NoUnderline:
    case QTextCharFormat::SpellCheckUnderline:
        break;
    case QTextCharFormat::SingleUnderline:
        p += "<w:u w:val=\"single\"/>";
        break;
    case QTextCharFormat::DashUnderline:
        p += "<w:u w:val=\"dash\"/>";
        break;
    case QTextCharFormat::DotLine:
        p += "<w:u w:val=\"dotted\"/>";
        break;
    case QTextCharFormat::DashDotLine:
        p += "<w:u w:val=\"dotDash\"/>";
        break;
    case QTextCharFormat::DashDotDotLine:
        p += "<w:u w:val=\"dotDotDash\"/>";
        break;
    case QTextCharFormat::WaveUnderline:
        p += "<w:u w:val=\"wave\"/>";
        break;
    }
    if (format.hasProperty(QTextFormat::BackgroundBrush) && paintedColour(format.background(), &colour)) {
        p += shading(colour);
    }
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript) {
        p += "<w:vertAlign w:val=\"superscript\"/>";
    } else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript) {
        p += "<w:vertAlign w:val=\"subscript\"/>";
    }
    return *m_runProperties.insert(formatIndex, p);
}

QByteArray DocumentXml::fragmentProperties(const QTextFragment& fragment)
{
    const auto cached = m_runProperties.constFind(fragment.charFormatIndex());
    if (cached != m_runProperties.cend()) {
        return *cached;
    }
    return runProperties(fragment.charFormat(), fragment.charFormatIndex());
}

QByteArray DocumentXml::markProperties(const QTextBlock& block)
{
    const int key = -1 - block.charFormatIndex();
    const auto cached = m_runProperties.constFind(key);
    if (cached != m_runProperties.cend()) {
        return *cached;
    }
    // The first block of a table cell shares its format with the cell, background included; Qt
    // paints that background as the cell's, never behind the paragraph's end.
    QTextCharFormat format = block.charFormat();
    format.clearProperty(QTextFormat::BackgroundBrush);
    return runProperties(format, key);
}

DocumentXml::ParagraphLook DocumentXml::describeParagraph(const QTextBlock& block, bool collapsed)
{
    const QTextBlockFormat format = block.blockFormat();
    ParagraphLook look;
    look.keepLines = format.nonBreakableLines();
    look.breakBefore = format.pageBreakPolicy().testFlag(QTextFormat::PageBreak_AlwaysBefore);
    look.breakAfter = format.pageBreakPolicy().testFlag(QTextFormat::PageBreak_AlwaysAfter);
    QByteArray& p = look.rest;
    QByteArray colour;
    if (format.hasProperty(QTextFormat::BackgroundBrush) && paintedColour(format.background(), &colour)) {
        p += shading(colour);
    }

    QByteArray spacing;
    if (format.topMargin() != 0) {
        spacing += " w:before=\"" + number(std::max(0, m_units.twips(format.topMargin()))) + '"';
    }
    if (format.bottomMargin() != 0) {
        spacing += " w:after=\"" + number(std::max(0, m_units.twips(format.bottomMargin()))) + '"';
    }
    switch (format.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        spacing +=
            " w:line=\"" + number(std::lround(240 * format.lineHeight() / 100)) + "\" w:lineRule=\"auto\"";
        break;
    case QTextBlockFormat::FixedHeight:
        spacing += " w:line=\"" + number(m_units.twips(format.lineHeight())) + "\" w:lineRule=\"exact\"";
        break;
    case QTextBlockFormat::MinimumHeight:
        spacing += " w:line=\"" + number(m_units.twips(format.lineHeight())) + "\" w:lineRule=\"atLeast\"";
        break;
    default:
        break;
    }
    if (collapsed) {
        spacing += " w:line=\"" + number(CollapsedLineTwips) + "\" w:lineRule=\"exact\"";
    }
    if (!spacing.isEmpty()) {
        p += "<w:spacing" + spacing + "/>";
    }

    double left = format.leftMargin() + format.indent() * m_document.indentWidth();
    if (const QTextList* list = block.textList()) {
        left += list->format().indent() * m_document.indentWidth();
    }
    QByteArray indent;
    if (left != 0) {
        indent += " w:left=\"" + number(m_units.twips(left)) + '"';
    }
    if (format.rightMargin() != 0) {
        indent += " w:right=\"" + number(m_units.twips(format.rightMargin())) + '"';
    }
    if (format.textIndent() > 0) {
        indent += " w:firstLine=\"" + number(m_units.twips(format.textIndent())) + '"';
    } else if (format.textIndent() < 0) {
        indent += " w:hanging=\"" + number(m_units.twips(-format.textIndent())) + '"';
    }
    if (!indent.isEmpty()) {
        p += "<w:ind" + indent + "/>";
    }

    const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
    if (alignment & Qt::AlignJustify) {
        p += "<w:jc w:val=\"both\"/>";
    } else if (alignment & Qt::AlignHCenter) {
        p += "<w:jc w:val=\"center\"/>";
    } else if (alignment & Qt::AlignRight) {
        p += "<w:jc w:val=\"right\"/>";
    }
    if (format.headingLevel() > 0) {
        p += "<w:outlineLvl w:val=\"" + number(std::min(format.headingLevel(), 9) - 1) + "\"/>";
    }
    // The paragraph mark carries the block's own format: it sizes an empty paragraph as Qt does.
    const QByteArray mark = collapsed ? sizeElements(1) : markProperties(block);
    if (!mark.isEmpty()) {
        p += "<w:rPr>" + mark + "</w:rPr>";
    }
    return look;
}

const DocumentXml::ParagraphLook& DocumentXml::paragraphLook(const QTextBlock& block, bool collapsed)
{
    // A list item's marker indent depends on its list, not only on its formats.
    if (collapsed || block.textList()) {
        m_uncachedLook = describeParagraph(block, collapsed);
        return m_uncachedLook;
    }
    const qint64 key = (qint64(block.blockFormatIndex()) << 32) | quint32(block.charFormatIndex());
    auto it = m_paragraphLooks.find(key);
    if (it == m_paragraphLooks.end()) {
        it = m_paragraphLooks.insert(key, describeParagraph(block, false));
    }
    return *it;
}

void DocumentXml::writeText(QStringView text)
{
    // Breaks inside a block become Word's own breaks; what lies between them stays literal text.
    qsizetype start = 0;
    auto flush = [&](qsizetype end) {
        if (end > start) {
            m_out += "<w:t xml:space=\"preserve\">";
            appendEscaped(m_out, text.mid(start, end - start));
            m_out += "</w:t>";
        }
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const char* element = nullptr;
        switch (c) {
        case QChar::LineSeparator:
        case u'\n':
        case u'\r':
        case u'\v':
            element = "<w:br/>";
            break;
        case u'\t':
            element = "<w:tab/>";
            break;
        case u'\f':
            element = "<w:br w:type=\"page\"/>";
            break;
        case QChar::ObjectReplacementCharacter:
        case QChar::ParagraphSeparator:
        case 0xfdd0: // frame markers of QTextDocument
        case 0xfdd1:
            element = "";
            break;
        default:
            continue;
        }
        flush(i);
        m_out += element;
        start = i + 1;
    }
    flush(text.size());
}

void DocumentXml::writeParagraph(const QTextBlock& block, bool collapsed)
{
    const ParagraphLook& look = paragraphLook(block, collapsed);
    const bool breakBefore = m_breakBeforeNext || look.breakBefore;
    m_breakBeforeNext = look.breakAfter;

    m_out += "<w:p>";
    if (look.keepLines || breakBefore || !look.rest.isEmpty()) {
        m_out += "<w:pPr>";
        if (look.keepLines) {
            m_out += "<w:keepLines/>";
        }
        if (breakBefore) {
            m_out += "<w:pageBreakBefore/>";
        }
        m_out += look.rest;
        m_out += "</w:pPr>";
    }
    if (const QTextList* list = block.textList()) {
        // Word numbering would need its own part; the marker as text looks the same.
        QString marker = list->itemText(block);
        if (marker.isEmpty()) {
            marker = list->format().style() == QTextListFormat::ListCircle   ? QStringLiteral("\u25E6")
                     : list->format().style() == QTextListFormat::ListSquare ? QStringLiteral("\u25AA")
                                                                             : QStringLiteral("\u2022");
        }
        m_out += "<w:r>";
        const QByteArray mark = markProperties(block);
        if (!mark.isEmpty()) {
            m_out += "<w:rPr>" + mark + "</w:rPr>";
        }
        m_out += "<w:t xml:space=\"preserve\">";
        appendEscaped(m_out, marker + u' ');
        m_out += "</w:t></w:r>";
    }

    bool runOpen = false;
    QByteArray openProperties;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid()) {
            continue;
        }
        const QByteArray properties = fragmentProperties(fragment);
        // Fragments differing only in what Word cannot show share one run.
        if (!runOpen || openProperties != properties) {
            if (runOpen) {
                m_out += "</w:r>";
            }
            m_out += "<w:r>";
            if (!properties.isEmpty()) {
                m_out += "<w:rPr>";
                m_out += properties;
                m_out += "</w:rPr>";
            }
            runOpen = true;
            openProperties = properties;
        }
        writeText(fragment.text());
    }
    if (runOpen) {
        m_out += "</w:r>";
    }
    m_out += "</w:p>";
    m_lastWasParagraph = true;
}

void DocumentXml::writeFlow(QTextFrame::iterator it)
{
    struct Item {
        QTextFrame* frame = nullptr;
        QTextBlock block;
    };
    std::vector<Item> items;
    for (; !it.atEnd(); ++it) {
        if (QTextFrame* frame = it.currentFrame()) {
            items.push_back({frame, QTextBlock()});
        } else if (it.currentBlock().isValid()) {
            items.push_back({nullptr, it.currentBlock()});
        }
    }
    for (size_t i = 0; i < items.size(); ++i) {
        if (QTextFrame* frame = items[i].frame) {
            if (auto* table = qobject_cast<QTextTable*>(frame)) {
                writeTable(table);
            } else {
                // Word has no inline frames: their contents flow in place.
                writeFlow(frame->begin());
            }
            continue;
        }
        const QTextBlock& block = items[i].block;
        const bool afterFrame = i > 0 && items[i - 1].frame;
        const bool beforeFrame = i + 1 < items.size() && items[i + 1].frame;
        // Qt gives an empty block next to a table no height: it only holds the cursor before or
        // after the table. It is left out unless Word needs a paragraph there (between two tables,
        // after the last one) or it carries a break or spacing, which Qt still applies.
        if (block.length() <= 1 && !block.textList() && (afterFrame || beforeFrame)) {
            const QTextBlockFormat format = block.blockFormat();
            const bool needed = (afterFrame && (beforeFrame || i + 1 == items.size())) ||
                                format.pageBreakPolicy() != QTextFormat::PageBreak_Auto ||
                                format.topMargin() != 0 || format.bottomMargin() != 0;
            if (needed) {
                writeParagraph(block, true);
            }
            continue;
        }
        writeParagraph(block);
    }
}

std::vector<int> DocumentXml::columnWidths(const QTextTableFormat& format, int columns) const
{
    const QTextLength width = format.width();
    int available = TextWidthTwips;
    if (width.type() == QTextLength::PercentageLength) {
        available = int(std::lround(TextWidthTwips * width.rawValue() / 100));
    } else if (width.type() == QTextLength::FixedLength) {
        available = m_units.twips(width.rawValue());
    }
    const QList<QTextLength> constraints = format.columnWidthConstraints();
    std::vector<int> widths(columns, 0);
    int used = 0;
    int variable = 0;
    for (int i = 0; i < columns; ++i) {
        const QTextLength constraint = constraints.value(i);
        if (constraint.type() == QTextLength::FixedLength) {
            widths[i] = m_units.twips(constraint.rawValue());
        } else if (constraint.type() == QTextLength::PercentageLength) {
            widths[i] = int(std::lround(available * constraint.rawValue() / 100));
        } else {
            ++variable;
            continue;
        }
        used += widths[i];
    }
    if (variable > 0) {
        const int share = std::max(MinimumColumnTwips, (available - used) / variable);
        for (int i = 0; i < columns; ++i) {
            if (constraints.value(i).type() == QTextLength::VariableLength) {
                widths[i] = share;
            }
        }
    }
    for (int& w : widths) {
        w = std::max(w, MinimumColumnTwips);
    }
    return widths;
}

Border DocumentXml::tableBorder(const QTextTableFormat& format) const
{
    // Without collapsing and without spacing, Qt draws each cell's border against its
    // neighbour's and the table's own: every line shows twice as wide.
    const bool doubled = !format.borderCollapse() && format.cellSpacing() <= 0;
    return m_units.border(format.border() * (doubled ? 2 : 1), format.borderStyle(), format.borderBrush());
}

void DocumentXml::writeTable(QTextTable* table)
{
    const QTextTableFormat format = table->format();
    const int rows = table->rows();
    const int columns = table->columns();
    if (rows <= 0 || columns <= 0) {
        return;
    }
    if (format.pageBreakPolicy().testFlag(QTextFormat::PageBreak_AlwaysBefore)) {
        m_breakBeforeNext = true;
    }
    const std::vector<int> grid = columnWidths(format, columns);
    int gridTotal = 0;
    for (int w : grid) {
        gridTotal += w;
    }
    const QList<QTextLength> constraints = format.columnWidthConstraints();
    bool allConstrained = constraints.size() >= columns;
    for (int i = 0; i < columns && allConstrained; ++i) {
        allConstrained = constraints.at(i).type() != QTextLength::VariableLength;
    }

    m_out += "<w:tbl><w:tblPr>";
    const QTextLength width = format.width();
    if (width.type() == QTextLength::PercentageLength) {
        m_out += "<w:tblW w:w=\"" + number(std::lround(width.rawValue() * 50)) + "\" w:type=\"pct\"/>";
    } else if (allConstrained || width.type() == QTextLength::FixedLength) {
        m_out += "<w:tblW w:w=\"" + number(gridTotal) + "\" w:type=\"dxa\"/>";
    } else {
        m_out += "<w:tblW w:w=\"0\" w:type=\"auto\"/>";
    }
    const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
    if (alignment & Qt::AlignHCenter) {
        m_out += "<w:jc w:val=\"center\"/>";
    } else if (alignment & Qt::AlignRight) {
        m_out += "<w:jc w:val=\"right\"/>";
    }
    if (!format.borderCollapse() && format.cellSpacing() > 0) {
        // Word counts the spacing on each side of a cell, Qt between two cells.
        m_out += "<w:tblCellSpacing w:w=\"" + number(m_units.twips(format.cellSpacing()) / 2) +
                 "\" w:type=\"dxa\"/>";
    }
    if (format.leftMargin() > 0) {
        m_out += "<w:tblInd w:w=\"" + number(m_units.twips(format.leftMargin())) + "\" w:type=\"dxa\"/>";
    }
    const Border border = tableBorder(format);
    m_out += "<w:tblBorders>" + border.element("top") + border.element("left") + border.element("bottom") +
             border.element("right") + border.element("insideH") + border.element("insideV") +
             "</w:tblBorders>";
    QByteArray colour;
    if (format.hasProperty(QTextFormat::BackgroundBrush) && paintedColour(format.background(), &colour)) {
        m_out += shading(colour);
    }
    if (allConstrained) {
        // Widths as the document sets them, not as Word would fit them to the text.
        m_out += "<w:tblLayout w:type=\"fixed\"/>";
    }
    const QByteArray padding = number(std::max(0, m_units.twips(format.cellPadding())));
    m_out += "<w:tblCellMar><w:top w:w=\"" + padding + "\" w:type=\"dxa\"/><w:left w:w=\"" + padding +
             "\" w:type=\"dxa\"/><w:bottom w:w=\"" + padding + "\" w:type=\"dxa\"/><w:right w:w=\"" +
             padding + "\" w:type=\"dxa\"/></w:tblCellMar>";
    m_out +=
        "<w:tblLook w:val=\"0000\" w:firstRow=\"0\" w:lastRow=\"0\" w:firstColumn=\"0\" w:lastColumn=\"0\" "
        "w:noHBand=\"1\" w:noVBand=\"1\"/>";
    m_out += "</w:tblPr><w:tblGrid>";
    for (int w : grid) {
        m_out += "<w:gridCol w:w=\"" + number(w) + "\"/>";
    }
    m_out += "</w:tblGrid>";

    CellLooks looks{format, std::vector<bool>(size_t(columns)), {}};
    for (int i = 0; i < columns; ++i) {
        looks.fitted[size_t(i)] = constraints.value(i).type() == QTextLength::VariableLength;
    }
    const int headerRows = std::clamp(format.headerRowCount(), 0, rows);
    for (int row = 0; row < rows; ++row) {
        m_out += "<w:tr>";
        if (row < headerRows) {
            // Repeated at the top of every page the table runs onto, as Qt does.
            m_out += "<w:trPr><w:tblHeader/></w:trPr>";
        }
        for (int column = 0; column < columns;) {
            const QTextTableCell cell = table->cellAt(row, column);
            if (!cell.isValid()) {
                ++column;
                continue;
            }
            writeCell(cell, row, grid, looks);
            column = std::max(column + 1, cell.column() + cell.columnSpan());
        }
        m_out += "</w:tr>";
    }
    m_out += "</w:tbl>";
    m_lastWasParagraph = false;
    if (format.pageBreakPolicy().testFlag(QTextFormat::PageBreak_AlwaysAfter)) {
        m_breakBeforeNext = true;
    }
}

void DocumentXml::writeCell(const QTextTableCell& cell, int row, const std::vector<int>& grid,
                            CellLooks& looks)
{
    const int first = cell.column();
    const int span = std::max(1, std::min(cell.columnSpan(), int(grid.size()) - first));
    int width = 0;
    bool fitted = false;
    for (int i = first; i < first + span; ++i) {
        width += grid[size_t(i)];
        fitted = fitted || looks.fitted[size_t(i)];
    }

    // Appended piece by piece: this runs for every cell of every table.
    if (fitted) {
        m_out += "<w:tc><w:tcPr><w:tcW w:w=\"0\" w:type=\"auto\"/>";
    } else {
        m_out += "<w:tc><w:tcPr><w:tcW w:w=\"";
        m_out += number(width);
        m_out += "\" w:type=\"dxa\"/>";
    }
    if (span > 1) {
        m_out += "<w:gridSpan w:val=\"" + number(span) + "\"/>";
    }
    const bool continued = cell.row() != row;
    if (continued) {
        m_out += "<w:vMerge/>";
    } else if (cell.rowSpan() > 1) {
        m_out += "<w:vMerge w:val=\"restart\"/>";
    }
    const int formatIndex = cell.tableCellFormatIndex();
    auto look = looks.cells.constFind(formatIndex);
    if (look == looks.cells.cend()) {
        look = looks.cells.insert(formatIndex, cellLook(looks.table, cell.format().toTableCellFormat()));
    }
    m_out += *look;
    m_out += "</w:tcPr>";

    m_lastWasParagraph = false;
    if (!continued) {
        writeFlow(cell.begin());
    }
    // Word requires every cell to end with a paragraph.
    if (!m_lastWasParagraph) {
        m_out += "<w:p/>";
    }
    m_out += "</w:tc>";
}

QByteArray DocumentXml::cellLook(const QTextTableFormat& tableFormat,
                                 const QTextTableCellFormat& format) const
{
    QByteArray look;
    struct Side {
        const char* name;
        QTextFormat::Property width;
        QTextFormat::Property style;
        QTextFormat::Property brush;
    };
    static constexpr std::array<Side, 4> sides{{
        {"top", QTextFormat::TableCellTopBorder, QTextFormat::TableCellTopBorderStyle,
         QTextFormat::TableCellTopBorderBrush},
        {"left", QTextFormat::TableCellLeftBorder, QTextFormat::TableCellLeftBorderStyle,
         QTextFormat::TableCellLeftBorderBrush},
        {"bottom", QTextFormat::TableCellBottomBorder, QTextFormat::TableCellBottomBorderStyle,
         QTextFormat::TableCellBottomBorderBrush},
        {"right", QTextFormat::TableCellRightBorder, QTextFormat::TableCellRightBorderStyle,
         QTextFormat::TableCellRightBorderBrush},
    }};
    QByteArray borders;
    for (const Side& side : sides) {
        if (!format.hasProperty(side.width) && !format.hasProperty(side.style) &&
            !format.hasProperty(side.brush)) {
            continue;
        }
        // A side the cell leaves unset keeps the table's.
        const double sideWidth =
            format.hasProperty(side.width) ? format.doubleProperty(side.width) : tableFormat.border();
        const auto sideStyle = format.hasProperty(side.style)
                                   ? QTextFrameFormat::BorderStyle(format.intProperty(side.style))
                                   : tableFormat.borderStyle();
        const QBrush sideBrush =
            format.hasProperty(side.brush) ? format.brushProperty(side.brush) : tableFormat.borderBrush();
        borders += m_units.border(sideWidth, sideStyle, sideBrush).element(side.name);
    }
    if (!borders.isEmpty()) {
        look += "<w:tcBorders>" + borders + "</w:tcBorders>";
    }
    QByteArray colour;
    if (format.hasProperty(QTextFormat::BackgroundBrush) && paintedColour(format.background(), &colour)) {
        look += shading(colour);
    }
    const std::array<std::pair<const char*, QTextFormat::Property>, 4> paddings{{
        {"top", QTextFormat::TableCellTopPadding},
        {"left", QTextFormat::TableCellLeftPadding},
        {"bottom", QTextFormat::TableCellBottomPadding},
        {"right", QTextFormat::TableCellRightPadding},
    }};
    QByteArray margins;
    for (const auto& [name, property] : paddings) {
        if (format.hasProperty(property)) {
            margins += QByteArray("<w:") + name + " w:w=\"" +
                       number(std::max(0, m_units.twips(format.doubleProperty(property)))) +
                       "\" w:type=\"dxa\"/>";
        }
    }
    if (!margins.isEmpty()) {
        look += "<w:tcMar>" + margins + "</w:tcMar>";
    }
    if (format.verticalAlignment() == QTextCharFormat::AlignMiddle) {
        look += "<w:vAlign w:val=\"center\"/>";
    } else if (format.verticalAlignment() == QTextCharFormat::AlignBottom) {
        look += "<w:vAlign w:val=\"bottom\"/>";
    }
    return look;
}

QByteArray DocumentXml::document()
{
    m_out.clear();
    m_out += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
    m_out += QByteArray("<w:document xmlns:w=\"") + MainNamespace +
             "\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><w:body>";
    m_breakBeforeNext = false;
    writeFlow(m_document.rootFrame()->begin());
    // The body's last paragraph holds the section; a table cannot be last.
    if (!m_lastWasParagraph) {
        m_out += "<w:p/>";
    }
    const QByteArray margin = number(PageMarginTwips);
    m_out += "<w:sectPr><w:pgSz w:w=\"" + number(PageWidthTwips) + "\" w:h=\"" + number(PageHeightTwips) +
             "\"/><w:pgMar w:top=\"" + margin + "\" w:right=\"" + margin + "\" w:bottom=\"" + margin +
             "\" w:left=\"" + margin +
             "\" w:header=\"709\" w:footer=\"709\" w:gutter=\"0\"/><w:cols w:space=\"708\"/></w:sectPr>";
    m_out += "</w:body></w:document>";
    return std::move(m_out);
}

QByteArray DocumentXml::styles() const
{
    QByteArray normalFont;
    if (!m_default.family.isEmpty()) {
        normalFont += fontsElement(m_default.family);
    }
    if (m_default.bold) {
        normalFont += "<w:b/><w:bCs/>";
    }
    if (m_default.italic) {
        normalFont += "<w:i/><w:iCs/>";
    }
    normalFont += sizeElements(m_default.points);

    QByteArray x = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
    x += QByteArray("<w:styles xmlns:w=\"") + MainNamespace + "\">";
    // Word's own defaults add space after every paragraph; Qt adds none.
    x += "<w:docDefaults><w:rPrDefault><w:rPr>" + normalFont +
         "<w:lang w:val=\"it-IT\" w:eastAsia=\"it-IT\" w:bidi=\"ar-SA\"/></w:rPr></w:rPrDefault>"
         "<w:pPrDefault><w:pPr><w:spacing w:before=\"0\" w:after=\"0\" w:line=\"240\" w:lineRule=\"auto\"/>"
         "</w:pPr></w:pPrDefault></w:docDefaults>";
    x +=
        "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name "
        "w:val=\"Normal\"/><w:qFormat/>"
        "<w:pPr><w:spacing w:before=\"0\" w:after=\"0\" w:line=\"240\" w:lineRule=\"auto\"/></w:pPr><w:rPr>" +
        normalFont + "</w:rPr></w:style>";
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
    x += "<w:style w:type=\"table\" w:styleId=\"TableGrid\"><w:name w:val=\"Table Grid\"/>"
         "<w:basedOn w:val=\"TableNormal\"/><w:uiPriority w:val=\"59\"/><w:tblPr><w:tblBorders>"
         "<w:top w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
         "<w:left w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
         "<w:bottom w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
         "<w:right w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
         "<w:insideH w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
         "<w:insideV w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
         "</w:tblBorders></w:tblPr></w:style>";
    x += "<w:style w:type=\"numbering\" w:default=\"1\" w:styleId=\"NoList\"><w:name w:val=\"No List\"/>"
         "<w:uiPriority w:val=\"99\"/><w:semiHidden/><w:unhideWhenUsed/></w:style>";
    x += "</w:styles>";
    return x;
}

QByteArray DocumentXml::fontTable() const
{
    QMap<QString, QString> fonts = m_fonts;
    if (!m_default.family.isEmpty() && !fonts.contains(m_default.family)) {
        fonts.insert(m_default.family, QString());
    }
    QByteArray x = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
    x += QByteArray("<w:fonts xmlns:w=\"") + MainNamespace + "\">";
    for (auto it = fonts.cbegin(); it != fonts.cend(); ++it) {
        x += "<w:font w:name=\"" + escaped(it.key()) + "\">";
        if (!it.value().isEmpty()) {
            // Where the named font is missing, the one the program lays out in its place.
            x += "<w:altName w:val=\"" + escaped(it.value()) + "\"/>";
        }
        x += "<w:family w:val=\"swiss\"/><w:pitch w:val=\"variable\"/></w:font>";
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
           "<Override PartName=\"/word/document.xml\" "
           "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/"
           ">"
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

QByteArray documentRelationships()
{
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
           "</Relationships>";
}

QByteArray settings()
{
    // Without a compatibility mode Word opens the file in its old-version mode.
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<w:settings xmlns:w=\"" +
           QByteArray(MainNamespace) +
           "\"><w:zoom w:percent=\"100\"/><w:defaultTabStop w:val=\"709\"/>"
           "<w:characterSpacingControl w:val=\"doNotCompress\"/><w:compat><w:compatSetting "
           "w:name=\"compatibilityMode\" w:uri=\"http://schemas.microsoft.com/office/word\" w:val=\"15\"/>"
           "</w:compat></w:settings>";
}

QByteArray coreProperties(const QTextDocument& document)
{
    const QByteArray now = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toLatin1();
    QByteArray x =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<cp:coreProperties "
        "xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
        "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:dcterms=\"http://purl.org/dc/terms/\" "
        "xmlns:dcmitype=\"http://purl.org/dc/dcmitype/\" "
        "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">";
    const QString title = document.metaInformation(QTextDocument::DocumentTitle);
    if (!title.isEmpty()) {
        x += "<dc:title>" + escaped(title) + "</dc:title>";
    }
    x += "<dcterms:created xsi:type=\"dcterms:W3CDTF\">" + now + "</dcterms:created>";
    x += "<dcterms:modified xsi:type=\"dcterms:W3CDTF\">" + now + "</dcterms:modified>";
    x += "</cp:coreProperties>";
    return x;
}

QByteArray appProperties()
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<Properties xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties\" "
           "xmlns:vt=\"http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes\">"
           "<Application>Pondra</Application></Properties>";
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
        zip_set_file_compression(zip, zip_uint64_t(index), ZIP_CM_DEFLATE, 6);
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

void setError(QString* error, const QString& text)
{
    if (error) {
        *error = text;
    }
}

} // namespace

bool writeDocx(const QTextDocument& document, const QString& path, QString* error)
{
    const QString prefix =
        QStringLiteral("Il file «%1» non si può scrivere: ").arg(shownFileName(path));

    DocumentXml xml(document);
    std::vector<Part> parts;
    parts.push_back({"[Content_Types].xml", contentTypes()});
    parts.push_back({"_rels/.rels", packageRelationships()});
    parts.push_back({"word/document.xml", xml.document()});
    parts.push_back({"word/_rels/document.xml.rels", documentRelationships()});
    parts.push_back({"word/styles.xml", xml.styles()});
    parts.push_back({"word/settings.xml", settings()});
    parts.push_back({"word/fontTable.xml", xml.fontTable()});
    parts.push_back({"docProps/core.xml", coreProperties(document)});
    parts.push_back({"docProps/app.xml", appProperties()});

    QByteArray archive;
    if (!zipParts(parts, &archive)) {
        setError(error, prefix + QStringLiteral("la compressione del documento non è riuscita."));
        return false;
    }

    QString reason;
    if (!saveWholeFile(path, archive, &reason)) {
        setError(error, prefix + reason);
        return false;
    }
    return true;
}

} // namespace pondra
