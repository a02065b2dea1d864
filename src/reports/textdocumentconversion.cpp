#include "textdocumentconversion.h"

#include "chartobject.h"
#include "pagelayout.h"
#include "pagesetup.h"
#include "tablelook.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace pondra {

namespace {

// What the pages need and a QTextDocument has no format property for.
constexpr int KeepWithNextProperty = QTextFormat::UserProperty + 1;
constexpr int PageCountFieldProperty = QTextFormat::UserProperty + 2;
constexpr int ShadedTableProperty = QTextFormat::UserProperty + 3;
constexpr int OutlineTitleProperty = QTextFormat::UserProperty + 4;
constexpr int MinimumRowHeightProperty = QTextFormat::UserProperty + 5;
constexpr int DecimalAlignedProperty = QTextFormat::UserProperty + 6;
constexpr int KeptTableEndProperty = QTextFormat::UserProperty + 7;
constexpr int GivesWayProperty = QTextFormat::UserProperty + 8;
// The author and subject of the document, which QTextDocument has no meta information for.
constexpr char AuthorProperty[] = "pondraAuthor";
constexpr char SubjectProperty[] = "pondraSubject";

// Qt reads format lengths in pixels of a 96-dpi screen.
constexpr double PixelsPerPoint = 96.0 / 72.0;

class AttachedPages : public QObject {
public:
    AttachedPages(std::unique_ptr<PagedDocument> p, int revision) : pages(std::move(p)), revision(revision) {}
    std::unique_ptr<PagedDocument> pages;
    int revision = 0;
};

QString attachedName()
{
    return QStringLiteral("pondra-pages");
}

Qt::Alignment qtAlignment(ParagraphAlignment alignment)
{
    switch (alignment) {
    case ParagraphAlignment::Right:
    case ParagraphAlignment::Decimal:
        return Qt::AlignRight;
    case ParagraphAlignment::Center:
        return Qt::AlignHCenter;
    case ParagraphAlignment::Justify:
        return Qt::AlignJustify;
    case ParagraphAlignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

ParagraphAlignment contentAlignment(const QTextBlockFormat& format)
{
    const Qt::Alignment alignment = format.alignment();
    if (alignment & Qt::AlignJustify) {
        return ParagraphAlignment::Justify;
    }
    if (alignment & Qt::AlignRight) {
        return format.boolProperty(DecimalAlignedProperty) ? ParagraphAlignment::Decimal
                                                           : ParagraphAlignment::Right;
    }
    if (alignment & Qt::AlignHCenter) {
        return ParagraphAlignment::Center;
    }
    return ParagraphAlignment::Left;
}

class Writer {
public:
    Writer(const DocumentContent& content, QTextDocument& document) : m_content(content), m_cursor(&document)
    {
        for (const TextStyle& style : content.styles) {
            QTextCharFormat f;
            f.setFontFamilies(content.families);
            f.setFontPointSize(style.points);
            f.setFontWeight(style.bold ? QFont::Bold : QFont::Normal);
            if (style.colour.isValid()) {
                f.setForeground(style.colour);
            }
            m_formats.push_back(f);
        }
    }

    QTextBlockFormat blockFormat(const Paragraph& p) const
    {
        QTextBlockFormat f;
        f.setAlignment(qtAlignment(p.alignment));
        if (p.alignment == ParagraphAlignment::Decimal) {
            f.setProperty(DecimalAlignedProperty, true);
        }
        if (p.pageBreakBefore) {
            f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        }
        if (p.keepWithNext) {
            f.setProperty(KeepWithNextProperty, true);
        }
        if (p.givesWay) {
            f.setProperty(GivesWayProperty, true);
        }
        if (p.outlineLevel > 0) {
            f.setHeadingLevel(p.outlineLevel);
        }
        if (!p.outlineTitle.isEmpty()) {
            f.setProperty(OutlineTitleProperty, p.outlineTitle);
        }
        return f;
    }

    // The paragraph's text at the cursor, in the block the cursor is in.
    void text(const Paragraph& p)
    {
        const int n = int(p.spans.size());
        for (int i = 0; i < n; ++i) {
            const int start = p.spans[std::size_t(i)].start;
            const int end = i + 1 < n ? p.spans[std::size_t(i + 1)].start : int(p.text.size());
            QTextCharFormat format = m_formats[std::size_t(p.spans[std::size_t(i)].style)];
            if (p.hasField() && start < p.fieldStart + p.fieldLength && end > p.fieldStart) {
                // The field's stretch marked on its own.
                const int a = std::max(start, p.fieldStart);
                const int b = std::min(end, p.fieldStart + p.fieldLength);
                insert(p.text.mid(start, a - start), format);
                QTextCharFormat field = format;
                field.setProperty(PageCountFieldProperty, true);
                insert(p.text.mid(a, b - a), field);
                insert(p.text.mid(b, end - b), format);
            } else {
                insert(p.text.mid(start, end - start), format);
            }
        }
    }

    void insert(const QString& text, const QTextCharFormat& format)
    {
        if (!text.isEmpty()) {
            m_cursor.insertText(text, format);
        }
    }

    void paragraph(const Paragraph& p, bool fresh)
    {
        if (fresh) {
            m_cursor.setBlockFormat(blockFormat(p));
            m_cursor.setBlockCharFormat(m_formats[std::size_t(p.markStyle)]);
        } else {
            m_cursor.insertBlock(blockFormat(p), m_formats[std::size_t(p.markStyle)]);
        }
        if (p.hasChart()) {
            m_cursor.insertImage(
                chartImageFormat(*m_cursor.document(), p.chart, m_content.families, points(TextWidthTwips)));
        }
        text(p);
    }

    void table(const Table& t, const TableGeometry& g, QTextDocument& document)
    {
        QTextTableFormat format;
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        QList<QTextLength> widths;
        for (double w : g.columns) {
            widths << QTextLength(QTextLength::PercentageLength, 100.0 * w / points(TextWidthTwips));
        }
        format.setColumnWidthConstraints(widths);
        format.setMargin(0);
        format.setCellPadding(0);
        format.setCellSpacing(t.shaded ? points(RuleTwips) * PixelsPerPoint : 0);
        format.setBorder(t.shaded ? 0 : points(RuleTwips) * PixelsPerPoint);
        format.setBorderBrush(PlainRule);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderCollapse(!t.shaded);
        format.setHeaderRowCount(t.headerRows());
        if (t.pageBreakBefore) {
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        }
        format.setProperty(ShadedTableProperty, t.shaded);
        format.setProperty(KeptTableEndProperty, t.keepWithNext);
        if (t.minimumRowHeight > 0) {
            format.setProperty(MinimumRowHeightProperty, t.minimumRowHeight);
        }
        QTextTable* table = m_cursor.insertTable(t.rows, t.columns, format);
        const double side = points(CellPaddingTwips) * PixelsPerPoint;
        for (int r = 0; r < t.rows; ++r) {
            QTextTableCellFormat cellFormat;
            cellFormat.setLeftPadding(side);
            cellFormat.setRightPadding(side);
            if (t.shaded) {
                cellFormat.setBackground(rowShade(r));
            }
            for (int c = 0; c < t.columns; ++c) {
                QTextTableCell cell = table->cellAt(r, c);
                m_cursor = cell.firstCursorPosition();
                bool fresh = true;
                for (const Paragraph& p : t.cell(r, c).paragraphs) {
                    paragraph(p, fresh);
                    fresh = false;
                }
                // The cell's format is its first paragraph's: the looks join the text's size.
                QTextCharFormat merged = cell.format();
                merged.merge(cellFormat);
                cell.setFormat(merged);
            }
        }
        m_cursor = QTextCursor(&document);
        m_cursor.movePosition(QTextCursor::End);
    }

private:
    const DocumentContent& m_content;
    QTextCursor m_cursor;
    std::vector<QTextCharFormat> m_formats;
};

TextStyle styleOf(const QTextCharFormat& format, const QFont& defaultFont)
{
    TextStyle style;
    style.points = format.hasProperty(QTextFormat::FontPointSize) && format.fontPointSize() > 0
                       ? format.fontPointSize()
                   : defaultFont.pointSizeF() > 0 ? defaultFont.pointSizeF()
                                                  : 12;
    style.bold = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() >= QFont::DemiBold
                                                             : defaultFont.weight() >= QFont::DemiBold;
    if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush) {
        const QColor colour = format.foreground().color();
        if (colour != QColor(Qt::black)) {
            style.colour = colour;
        }
    }
    return style;
}

class Reader {
public:
    Reader(const QTextDocument& document, DocumentContent& content) : m_document(document), m_content(content)
    {
    }

    Paragraph paragraph(const QTextBlock& block)
    {
        Paragraph p;
        const QTextBlockFormat format = block.blockFormat();
        p.alignment = contentAlignment(format);
        p.pageBreakBefore = format.pageBreakPolicy().testFlag(QTextFormat::PageBreak_AlwaysBefore);
        p.keepWithNext = format.boolProperty(KeepWithNextProperty);
        p.givesWay = format.boolProperty(GivesWayProperty);
        p.outlineLevel = format.headingLevel();
        p.outlineTitle = format.stringProperty(OutlineTitleProperty);
        p.markStyle = m_content.styleIndex(styleOf(block.charFormat(), m_document.defaultFont()));
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid()) {
                continue;
            }
            const QTextCharFormat charFormat = fragment.charFormat();
            const int style = m_content.styleIndex(styleOf(charFormat, m_document.defaultFont()));
            if (std::optional<std::vector<ChartBar>> bars = chartBarsOf(charFormat)) {
                p.chart = std::move(*bars);
            }
            QString text = fragment.text();
            text.remove(QChar::ObjectReplacementCharacter);
            if (charFormat.boolProperty(PageCountFieldProperty)) {
                if (!p.hasField()) {
                    p.fieldStart = int(p.text.size());
                    p.fieldLength = 0;
                }
                if (p.fieldStart + p.fieldLength == int(p.text.size())) {
                    p.fieldLength += int(text.size());
                }
            }
            p.append(text, style);
        }
        return p;
    }

    Table table(QTextTable* t)
    {
        Table table;
        const QTextTableFormat format = t->format();
        table.rows = t->rows();
        table.columns = t->columns();
        table.shaded = format.boolProperty(ShadedTableProperty);
        table.keepWithNext = format.boolProperty(KeptTableEndProperty);
        table.minimumRowHeight = format.doubleProperty(MinimumRowHeightProperty);
        table.pageBreakBefore = format.pageBreakPolicy().testFlag(QTextFormat::PageBreak_AlwaysBefore);
        table.cells.resize(std::size_t(table.rows) * std::size_t(table.columns));
        for (int r = 0; r < table.rows; ++r) {
            for (int c = 0; c < table.columns; ++c) {
                const QTextTableCell cell = t->cellAt(r, c);
                TableCell& out = table.cell(r, c);
                // A merged cell shows its text in its first row and column only.
                if (cell.row() == r && cell.column() == c) {
                    for (auto it = cell.begin(); !it.atEnd(); ++it) {
                        if (it.currentBlock().isValid()) {
                            out.paragraphs.push_back(paragraph(it.currentBlock()));
                        }
                    }
                }
                if (out.paragraphs.empty()) {
                    Paragraph empty;
                    empty.markStyle = m_content.styleIndex(styleOf(cell.format(), m_document.defaultFont()));
                    out.paragraphs.push_back(empty);
                }
            }
        }
        return table;
    }

    void flow(QTextFrame* frame)
    {
        for (auto it = frame->begin(); !it.atEnd(); ++it) {
            if (QTextFrame* child = it.currentFrame()) {
                if (auto* t = qobject_cast<QTextTable*>(child)) {
                    m_content.blocks.emplace_back(table(t));
                } else {
                    // Frames of other kinds flow in place.
                    flow(child);
                }
            } else if (it.currentBlock().isValid()) {
                m_content.blocks.emplace_back(paragraph(it.currentBlock()));
            }
        }
    }

private:
    const QTextDocument& m_document;
    DocumentContent& m_content;
};

} // namespace

std::unique_ptr<QTextDocument> toTextDocument(const PagedDocument& pages)
{
    const DocumentContent& content = *pages.content;
    auto document = std::make_unique<QTextDocument>();
    document->setUndoRedoEnabled(false);
    QFont font;
    font.setFamilies(content.families);
    font.setPointSizeF(12);
    document->setDefaultFont(font);
    if (!content.title.isEmpty()) {
        document->setMetaInformation(QTextDocument::DocumentTitle, content.title);
    }
    document->setProperty(AuthorProperty, content.author);
    document->setProperty(SubjectProperty, content.subject);
    paintChartsAsVector(*document);
    Writer writer(content, *document);
    QTextCursor edit(document.get());
    edit.beginEditBlock();
    bool fresh = true;
    for (std::size_t b = 0; b < content.blocks.size(); ++b) {
        if (const auto* p = std::get_if<Paragraph>(&content.blocks[b])) {
            if (p->leftOut) {
                continue;
            }
            writer.paragraph(*p, fresh);
            fresh = false;
        } else {
            writer.table(std::get<Table>(content.blocks[b]), pages.tables[b], *document);
            // The block Qt keeps after a table takes the next paragraph.
            fresh = true;
        }
    }
    edit.endEditBlock();
    document->setUndoRedoEnabled(true);
    document->setModified(false);
    return document;
}

std::shared_ptr<DocumentContent> fromTextDocument(const QTextDocument& document)
{
    auto content = std::make_shared<DocumentContent>();
    content->families = document.defaultFont().families();
    if (content->families.isEmpty()) {
        content->families << document.defaultFont().family();
    }
    content->title = document.metaInformation(QTextDocument::DocumentTitle);
    content->author = document.property(AuthorProperty).toString();
    content->subject = document.property(SubjectProperty).toString();
    Reader reader(document, *content);
    reader.flow(document.rootFrame());
    if (content->blocks.empty() || !std::holds_alternative<Paragraph>(content->blocks.back())) {
        Paragraph last;
        last.markStyle = content->styleIndex(TextStyle());
        content->blocks.emplace_back(std::move(last));
    }
    return content;
}

void attachPages(QTextDocument& document, std::unique_ptr<PagedDocument> pages)
{
    delete document.findChild<QObject*>(attachedName(), Qt::FindDirectChildrenOnly);
    auto* attached = new AttachedPages(std::move(pages), document.revision());
    attached->setObjectName(attachedName());
    attached->setParent(&document);
}

const PagedDocument* attachedPages(const QTextDocument& document)
{
    const auto* attached = dynamic_cast<const AttachedPages*>(
        document.findChild<QObject*>(attachedName(), Qt::FindDirectChildrenOnly));
    if (!attached || attached->revision != document.revision()) {
        return nullptr;
    }
    return attached->pages.get();
}

} // namespace pondra
