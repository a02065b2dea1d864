#include "textdocumentbuilder.h"

#include "chartobject.h"
#include "documentexport.h"
#include "pagesetup.h"

#include <QColor>
#include <QTextBlock>
#include <QFontMetricsF>
#include <QTextDocument>
#include <QTextTable>

namespace pondra {

namespace {

// The colourful table look: a deep teal header row with white bold text over two light bands,
// the cells parted by thin white rules (the spacing between shaded cells). Drawing the rules
// as borders would cost Qt four strokes per cell, the spacing costs nothing.
const QColor HeaderShade(0x1F, 0x5F, 0x6E);
const QColor BandShade(0xD9, 0xE8, 0xEB);
const QColor LightBandShade(0xEE, 0xF5, 0xF6);
const QColor PlainRule(0x80, 0x80, 0x80);
// Points.
constexpr double RuleWidth = 0.5;
constexpr double CellPadding = 1.5;
// The size the printouts give table text. As the document's default size it lets empty cells
// take their height without a format of their own.
constexpr double TableTextSize = 10;

bool isParagraphEnd(const QChar c)
{
    return c == u'\r' || c == u'\n';
}

Qt::Alignment qtAlignment(ParagraphAlignment alignment)
{
    switch (alignment) {
    case ParagraphAlignment::Right:
        return Qt::AlignRight;
    case ParagraphAlignment::Justify:
        return Qt::AlignJustify;
    case ParagraphAlignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

// The family asked for first, then what lays it out where it is missing.
QStringList familiesFor(const QString& family)
{
    QStringList families{family};
    if (family == QLatin1String(DocumentFont)) {
        families << QString::fromLatin1(LayoutFont);
    }
    if (family != QLatin1String(FallbackFont)) {
        families << QString::fromLatin1(FallbackFont);
    }
    return families;
}

// A paragraph of the main text, neither in a cell nor right after a table, whose own formats
// can be changed without touching a table's.
bool isPlainBlock(const QTextDocument& document, const QTextBlock& block)
{
    const int position = block.position();
    return position == 0 || document.characterAt(position - 1) == QChar::ParagraphSeparator;
}

bool breaksPageBefore(const QTextBlock& block)
{
    return block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore;
}

// Lines as far apart as a word processor sets them for the document font (about 1.23 em):
// the Gothic laid out in its place has much wider natural spacing, which would push a page's
// worth of text onto the next one.
QTextBlockFormat paragraphFormat()
{
    static const QTextBlockFormat format = [] {
        QFont font;
        font.setFamilies(familiesFor(QString::fromLatin1(DocumentFont)));
        font.setPixelSize(100);
        const double natural = QFontMetricsF(font).lineSpacing() / 100.0;
        QTextBlockFormat f;
        if (natural > 0) {
            f.setLineHeight(std::clamp(std::round(100.0 * 1.23 / natural), 70.0, 100.0),
                            QTextBlockFormat::ProportionalHeight);
        }
        return f;
    }();
    return format;
}

QTextBlockFormat pageBreakBefore()
{
    QTextBlockFormat format = paragraphFormat();
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    return format;
}

// The text of one cell, selected. While the builder's edit is open Qt does not yet know the new
// tables as frames, so a selection across cells would run along the text, not down a column:
// every change to several cells is made cell by cell.
QTextCursor cellContents(QTextDocument* document, const QTextTableCell& cell)
{
    QTextCursor cursor(document);
    const int first = cell.firstPosition();
    const int last = cell.lastPosition();
    cursor.setPosition(first);
    if (last > first) {
        cursor.setPosition(last, QTextCursor::KeepAnchor);
    }
    return cursor;
}

} // namespace

TextDocumentBuilder::TextDocumentBuilder()
{
    start();
}

TextDocumentBuilder::~TextDocumentBuilder() = default;

void TextDocumentBuilder::start()
{
    m_families = familiesFor(QString::fromLatin1(DocumentFont));
    m_formats.clear();
    m_size = 12;
    m_endSize = 12;
    m_tables.clear();
    m_editing = false;
    m_document = std::make_unique<QTextDocument>();
    // Nobody undoes a printout while it is built; the history would only cost time and memory.
    m_document->setUndoRedoEnabled(false);
    QFont font;
    font.setFamilies(m_families);
    font.setPointSizeF(TableTextSize);
    font.setKerning(false);
    font.setStyleStrategy(QFont::PreferNoShaping);
    m_document->setDefaultFont(font);
    m_typing = QTextCursor(m_document.get());
    m_typing.setBlockFormat(paragraphFormat());
    m_typing.setBlockCharFormat(charFormat(m_size));
    paintChartsAsVector(*m_document);
    // Laid out in pages while still empty, so that the first layout of the content, when the
    // build's edit ends, is one pass over it: a layout from scratch would go in small steps.
    prepareLayout(*m_document);
}

void TextDocumentBuilder::beginEdit()
{
    if (m_editing) {
        return;
    }
    // One edit for everything written until the document is next needed: Qt then takes in the
    // new tables once rather than scanning the whole document after each, and lays the
    // document out again once, in one pass, when the edit ends.
    QTextCursor(m_document.get()).beginEditBlock();
    m_editing = true;
}

void TextDocumentBuilder::endEdit()
{
    finishTables();
    if (m_editing) {
        m_editing = false;
        QTextCursor(m_document.get()).endEditBlock();
    }
}

QTextDocument* TextDocumentBuilder::document()
{
    endEdit();
    prepareLayout(*m_document);
    return m_document.get();
}

std::unique_ptr<QTextDocument> TextDocumentBuilder::takeDocument()
{
    // Without the page layout first: the editor lays the document out at its own width anyway.
    releaseLayout(*m_document);
    endEdit();
    m_document->setUndoRedoEnabled(true);
    m_typing = QTextCursor();
    std::unique_ptr<QTextDocument> document = std::move(m_document);
    start();
    return document;
}

const QTextCharFormat& TextDocumentBuilder::charFormat(double points, bool header)
{
    auto [it, added] = m_formats.try_emplace({points, header});
    if (added) {
        QTextCharFormat& format = it->second;
        format.setFontFamilies(m_families);
        format.setFontPointSize(points);
        // Plain Latin text needs neither kerning nor shaping: laying it out costs less without.
        format.setFontKerning(false);
        format.setFontStyleStrategy(QFont::PreferNoShaping);
        if (header) {
            format.setFontWeight(QFont::Bold);
            format.setForeground(Qt::white);
        }
    }
    return it->second;
}

QTextCursor TextDocumentBuilder::endCursor() const
{
    QTextCursor cursor(m_document.get());
    cursor.movePosition(QTextCursor::End);
    return cursor;
}

void TextDocumentBuilder::write(QTextCursor& cursor, const QString& text, const QTextCharFormat& format)
{
    qsizetype runStart = 0;
    auto writeRun = [&](qsizetype end) {
        if (end > runStart) {
            cursor.insertText(text.mid(runStart, end - runStart), format);
        }
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (isParagraphEnd(c)) {
            writeRun(i);
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') {
                ++i;
            }
            // A fresh paragraph format: a page break before this paragraph is not repeated.
            cursor.insertBlock(paragraphFormat(), format);
            runStart = i + 1;
        } else if (c == u'\f') {
            writeRun(i);
            const QTextBlock block = cursor.block();
            // An empty paragraph simply moves to the next page; otherwise the text after the
            // break starts a paragraph of its own there.
            if (block.length() == 1 && !breaksPageBefore(block) && isPlainBlock(*m_document, block)) {
                // Two breaks with only an empty paragraph between them would leave a blank
                // page: the empty paragraph stays behind on the page before.
                const QTextBlock previous = block.previous();
                if (previous.isValid() && previous.length() == 1 && breaksPageBefore(previous) &&
                    isPlainBlock(*m_document, previous)) {
                    QTextCursor(previous).setBlockFormat(paragraphFormat());
                }
                cursor.mergeBlockFormat(pageBreakBefore());
            } else {
                cursor.insertBlock(pageBreakBefore(), format);
            }
            runStart = i + 1;
        }
    }
    writeRun(text.size());
}

void TextDocumentBuilder::setDocumentInfo(const QString& title, const QString& author)
{
    m_document->setMetaInformation(QTextDocument::DocumentTitle, title);
    setDocumentAuthor(*m_document, author);
}

void TextDocumentBuilder::setFontName(const QString& family)
{
    m_families = familiesFor(family);
    m_formats.clear();
}

void TextDocumentBuilder::setFontSize(double points)
{
    m_size = points;
}

void TextDocumentBuilder::typeText(const QString& text)
{
    beginEdit();
    const QTextCharFormat& format = charFormat(m_size);
    if (m_typing.block().length() == 1 && isPlainBlock(*m_document, m_typing.block())) {
        // An empty paragraph is as high as the size typed into it.
        m_typing.setBlockCharFormat(format);
    }
    write(m_typing, text, format);
}

void TextDocumentBuilder::appendParagraph()
{
    beginEdit();
    // The new paragraph carries the size typed last until it is given its own.
    m_endSize = m_size;
    QTextCursor cursor = endCursor();
    cursor.insertBlock(paragraphFormat(), charFormat(m_endSize));
}

void TextDocumentBuilder::setEndParagraphSize(int points)
{
    beginEdit();
    m_endSize = points;
    QTextCursor cursor = endCursor();
    if (cursor.block().length() == 1 && isPlainBlock(*m_document, cursor.block())) {
        cursor.setBlockCharFormat(charFormat(m_endSize));
    }
}

void TextDocumentBuilder::writeEndParagraph(const QString& text)
{
    beginEdit();
    QTextCursor cursor = endCursor();
    write(cursor, text, charFormat(m_endSize));
}

void TextDocumentBuilder::appendTable(int rows, int columns)
{
    if (rows < 1 || columns < 1) {
        return;
    }
    beginEdit();
    finishTables();
    QTextCursor cursor = endCursor();
    const QTextBlock last = cursor.block();
    // A table appended to an empty last paragraph takes that paragraph's place, as in a word
    // processor: no blank line above it. A page break before the paragraph passes to the table.
    const bool takesParagraph = last.length() == 1 && last.position() > 0 && isPlainBlock(*m_document, last);
    QTextTableFormat format;
    if (takesParagraph && breaksPageBefore(last)) {
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    }
    Table table;
    table.table = cursor.insertTable(rows, columns, format);
    table.rows = rows;
    table.columns = columns;
    table.fontSize = m_endSize;
    if (takesParagraph) {
        QTextCursor separator(m_document.get());
        separator.setPosition(last.position() - 1);
        separator.deleteChar();
    }
    m_tables.push_back(table);
}

void TextDocumentBuilder::setTableFontSize(double points)
{
    if (m_tables.empty()) {
        return;
    }
    beginEdit();
    Table& table = m_tables.back();
    table.fontSize = points;
    table.cellsPending = true;
    // Text already in the cells takes the size now; empty cells get it with the cell looks.
    if (table.hasText) {
        QTextCharFormat size;
        size.setFontPointSize(points);
        for (int r = 0; r < table.rows; ++r) {
            for (int c = 0; c < table.columns; ++c) {
                cellContents(m_document.get(), table.table->cellAt(r, c)).mergeCharFormat(size);
            }
        }
    }
}

void TextDocumentBuilder::setCellText(int row, int column, const QString& text)
{
    if (m_tables.empty()) {
        return;
    }
    Table& table = m_tables.back();
    const QTextTableCell cell = table.table->cellAt(row - 1, column - 1);
    if (!cell.isValid()) {
        return;
    }
    beginEdit();
    QTextCursor cursor = cellContents(m_document.get(), cell);
    if (cursor.hasSelection()) {
        cursor.removeSelectedText();
    }
    write(cursor, text, charFormat(table.fontSize, table.formatted && row == 1));
    cursor.mergeBlockFormat(paragraphFormat());
    table.hasText = table.hasText || !text.isEmpty();
}

void TextDocumentBuilder::applyTableFormat(int format)
{
    if (m_tables.empty() || format != ColourfulTableFormat) {
        return;
    }
    Table& table = m_tables.back();
    // The printouts format a table again after each row it fills; once is what it takes here,
    // the rows written later take the look as they are written.
    if (!table.formatted) {
        table.formatted = true;
        table.cellsPending = true;
    }
}

void TextDocumentBuilder::finishTable(Table& table)
{
    if (!table.cellsPending) {
        return;
    }
    table.cellsPending = false;

    QTextTableFormat format;
    format.setPageBreakPolicy(table.table->format().pageBreakPolicy());
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    format.setMargin(0);
    format.setCellPadding(layoutLength(CellPadding));
    if (table.formatted) {
        format.setBorder(0);
        format.setCellSpacing(layoutLength(RuleWidth));
        format.setHeaderRowCount(1);
    } else {
        format.setBorder(layoutLength(RuleWidth));
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderBrush(PlainRule);
        format.setCellSpacing(0);
    }
    table.table->setFormat(format);

    // The cell formats carry only what differs from the document's: the layout copies them
    // many times over for every cell.
    const bool ownSize = table.fontSize != TableTextSize;
    if (table.formatted || ownSize) {
        QTextTableCellFormat plain;
        if (ownSize) {
            plain.setFontPointSize(table.fontSize);
        }
        QTextTableCellFormat header = plain;
        QTextTableCellFormat band = plain;
        QTextTableCellFormat lightBand = plain;
        if (table.formatted) {
            header.setBackground(HeaderShade);
            band.setBackground(BandShade);
            lightBand.setBackground(LightBandShade);
        }
        for (int r = 0; r < table.rows; ++r) {
            const QTextTableCellFormat& cellFormat = r == 0 ? header : r % 2 == 1 ? band : lightBand;
            for (int c = 0; c < table.columns; ++c) {
                table.table->cellAt(r, c).setFormat(cellFormat);
            }
        }
    }

    if (table.formatted) {
        // Header texts written before the table was formatted take the header look.
        QTextCharFormat headerText;
        headerText.setFontWeight(QFont::Bold);
        headerText.setForeground(Qt::white);
        for (int c = 0; c < table.columns; ++c) {
            cellContents(m_document.get(), table.table->cellAt(0, c)).mergeCharFormat(headerText);
        }
    }
}

void TextDocumentBuilder::finishTables()
{
    // Only the current table can still owe anything: appending a table finishes the one before.
    if (!m_tables.empty() && m_tables.back().cellsPending) {
        beginEdit();
        finishTable(m_tables.back());
    }
}

void TextDocumentBuilder::alignColumn(int table, int column, ParagraphAlignment alignment)
{
    if (table < 1 || table > int(m_tables.size())) {
        return;
    }
    const Table& t = m_tables[std::size_t(table - 1)];
    if (column < 1 || column > t.columns) {
        return;
    }
    beginEdit();
    // Every paragraph of every cell in the column, nothing else.
    QTextBlockFormat format;
    format.setAlignment(qtAlignment(alignment));
    for (int r = 0; r < t.rows; ++r) {
        cellContents(m_document.get(), t.table->cellAt(r, column - 1)).mergeBlockFormat(format);
    }
}

void TextDocumentBuilder::justifyAll()
{
    beginEdit();
    QTextCursor cursor(m_document.get());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setAlignment(Qt::AlignJustify);
    cursor.mergeBlockFormat(format);
}

void TextDocumentBuilder::appendChart(const std::vector<ChartBar>& bars)
{
    beginEdit();
    finishTables();
    QTextCursor cursor = endCursor();
    // The chart takes an empty last paragraph, as a table does; otherwise one of its own.
    if (cursor.block().length() > 1 || !isPlainBlock(*m_document, cursor.block())) {
        cursor.insertBlock(paragraphFormat(), charFormat(m_endSize));
    }
    // The text's tighter line spacing would let the next line into the chart's foot.
    cursor.setBlockFormat(QTextBlockFormat());
    const double textWidth = (PageWidthMm - 2 * PageMarginMm) / 25.4 * 72;
    cursor.insertImage(chartImageFormat(*m_document, bars, m_families, textWidth));
    cursor.insertBlock(paragraphFormat(), charFormat(m_endSize));
}

int TextDocumentBuilder::pageCount()
{
    endEdit();
    prepareLayout(*m_document);
    return m_document->pageCount();
}

} // namespace pondra
