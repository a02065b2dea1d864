#include "textdocumentbuilder.h"

#include "documentexport.h"
#include "pagesetup.h"

#include <QColor>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>
#include <QTextFrame>

#include <algorithm>

namespace pondra {

namespace {

// The colourful table look: a deep teal header with white bold text, light bands.
const QColor HeaderShade(0x1F, 0x5F, 0x6E);
const QColor BandShade(0xE3, 0xEE, 0xF0);
const QColor FormattedRule(0x7A, 0x98, 0xA0);
const QColor PlainRule(0x80, 0x80, 0x80);
// Layout units (1/96 inch): thin rules, a little room around the cell text.
constexpr double RuleWidth = 0.75;
constexpr double CellPadding = 2;

bool isPageBreak(const QChar c)
{
    return c == u'\f';
}

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

// A paragraph of the main text (not a cell, not the one right after a table) whose own
// formats can be changed without touching a table's.
bool isPlainBlock(const QTextDocument& document, const QTextBlock& block)
{
    const int position = block.position();
    return position == 0 || document.characterAt(position - 1) == QChar::ParagraphSeparator;
}

QTextBlockFormat pageBreakBefore()
{
    QTextBlockFormat format;
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    return format;
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
    m_size = 12;
    m_endSize = 12;
    m_tables.clear();
    m_frame = nullptr;
    m_document = std::make_unique<QTextDocument>();
    // Nobody undoes a printout while it is built; the history would only cost time and memory.
    m_document->setUndoRedoEnabled(false);
    QFont font;
    font.setFamilies(m_families);
    font.setPointSizeF(m_size);
    if (qEnvironmentVariableIsSet("NOSHAPE")) { font.setKerning(false); font.setStyleStrategy(QFont::PreferNoShaping); }
    m_document->setDefaultFont(font);
    applyPageMargins(*m_document);
    m_typing = QTextCursor(m_document.get());
    if (qEnvironmentVariableIsSet("WRAP")) m_frame = m_typing.insertFrame(QTextFrameFormat());
    m_typing.setBlockCharFormat(charFormat(m_size));
}

QTextDocument* TextDocumentBuilder::document()
{
    finishTables();
    return m_document.get();
}

std::unique_ptr<QTextDocument> TextDocumentBuilder::takeDocument()
{
    finishTables();
    releaseLayout(*m_document);
    m_document->setUndoRedoEnabled(true);
    m_typing = QTextCursor();
    std::unique_ptr<QTextDocument> document = std::move(m_document);
    start();
    return document;
}

QTextCharFormat TextDocumentBuilder::charFormat(double points) const
{
    QTextCharFormat format;
    if (!qEnvironmentVariableIsSet("NOFAM")) format.setFontFamilies(m_families);
    format.setFontPointSize(points);
    if (qEnvironmentVariableIsSet("NOSHAPE")) { format.setFontKerning(false); format.setFontStyleStrategy(QFont::PreferNoShaping); }
    return format;
}

QTextCharFormat TextDocumentBuilder::cellCharFormat(const Table& table, int row) const
{
    QTextCharFormat format = charFormat(table.fontSize);
    if (table.formatted && row == 1) {
        format.setFontWeight(QFont::Bold);
        format.setForeground(Qt::white);
    }
    return format;
}

QTextCursor TextDocumentBuilder::endCursor() const
{
    if (m_frame) return m_frame->lastCursorPosition();
    QTextCursor cursor(m_document.get());
    cursor.movePosition(QTextCursor::End);
    return cursor;
}

void TextDocumentBuilder::write(QTextCursor& cursor, const QString& text, const QTextCharFormat& format) const
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
            // A fresh paragraph format: the page break of this paragraph does not carry over.
            cursor.insertBlock(QTextBlockFormat(), format);
            runStart = i + 1;
        } else if (isPageBreak(c)) {
            writeRun(i);
            const QTextBlock block = cursor.block();
            const bool breaksAlready = block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore;
            // An empty paragraph simply moves to the next page; otherwise the text after the
            // break starts a paragraph of its own there.
            if (block.length() == 1 && !breaksAlready && isPlainBlock(*m_document, block)) {
                cursor.mergeBlockFormat(pageBreakBefore());
            } else {
                cursor.insertBlock(pageBreakBefore(), format);
            }
            runStart = i + 1;
        }
    }
    writeRun(text.size());
}

void TextDocumentBuilder::setFontName(const QString& family)
{
    m_families = familiesFor(family);
}

void TextDocumentBuilder::setFontSize(double points)
{
    m_size = points;
}

void TextDocumentBuilder::typeText(const QString& text)
{
    if (m_typing.block().length() == 1 && isPlainBlock(*m_document, m_typing.block())) {
        // An empty paragraph takes the size typed into it, as its height shows.
        m_typing.setBlockCharFormat(charFormat(m_size));
    }
    write(m_typing, text, charFormat(m_size));
}

void TextDocumentBuilder::appendParagraph()
{
    // The new paragraph carries the look of the text typed last until it is given its own.
    m_endSize = m_size;
    QTextCursor cursor = endCursor();
    cursor.insertBlock(QTextBlockFormat(), charFormat(m_endSize));
}

void TextDocumentBuilder::setEndParagraphSize(int points)
{
    m_endSize = points;
    QTextCursor cursor = endCursor();
    if (cursor.block().length() == 1 && isPlainBlock(*m_document, cursor.block())) {
        cursor.setBlockCharFormat(charFormat(m_endSize));
    }
}

void TextDocumentBuilder::writeEndParagraph(const QString& text)
{
    QTextCursor cursor = endCursor();
    write(cursor, text, charFormat(m_endSize));
}

void TextDocumentBuilder::appendTable(int rows, int columns)
{
    if (rows < 1 || columns < 1) {
        return;
    }
    finishTables();
    QTextCursor cursor = endCursor();
    const QTextBlock last = cursor.block();
    // A table appended to an empty last paragraph takes that paragraph's place, as it does in
    // a word processor: no blank line before it.
    const bool takesParagraph = last.length() == 1 && last.position() > 0 && isPlainBlock(*m_document, last);
    QTextTableFormat format;
    if (takesParagraph && (last.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)) {
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    }
    Table table;
    table.table = cursor.insertTable(rows, columns, format);
    table.rows = rows;
    table.columns = columns;
    table.fontSize = m_endSize;
    table.widestText.assign(std::size_t(columns), 0);
    if (takesParagraph) {
        QTextCursor separator(m_document.get());
        separator.setPosition(last.position() - 1);
        separator.deleteChar();
    }
    m_tables.push_back(std::move(table));
}

void TextDocumentBuilder::setTableFontSize(double points)
{
    if (m_tables.empty()) {
        return;
    }
    Table& table = m_tables.back();
    table.fontSize = points;
    table.cellsPending = true;
    // Text already in the cells follows; empty cells get the size with the cell looks.
    QTextCursor cursor(m_document.get());
    cursor.setPosition(table.table->firstPosition());
    cursor.setPosition(table.table->lastPosition(), QTextCursor::KeepAnchor);
    if (!cursor.selectedText().trimmed().isEmpty()) {
        QTextCharFormat size;
        size.setFontPointSize(points);
        cursor.mergeCharFormat(size);
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
    QTextCursor cursor = cell.firstCursorPosition();
    if (cell.lastPosition() > cell.firstPosition()) {
        cursor.setPosition(cell.lastPosition(), QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    write(cursor, text, cellCharFormat(table, row));
    int& widest = table.widestText[std::size_t(column - 1)];
    widest = std::max(widest, int(text.size()));
}

void TextDocumentBuilder::applyTableFormat(int format)
{
    if (m_tables.empty() || format != ColourfulTableFormat) {
        return;
    }
    Table& table = m_tables.back();
    // The printouts format a table again after each row; once is what it takes here.
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
    format.setBorder(qEnvironmentVariableIsSet("NOBORDER") ? 0 : RuleWidth);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderBrush(table.formatted ? FormattedRule : PlainRule);
    format.setCellSpacing(0);
    format.setCellPadding(CellPadding);
    format.setMargin(0);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    if (table.formatted) {
        format.setHeaderRowCount(1);
    }
    table.table->setFormat(format);

    // Cell formats carry as little as they can: the layout copies them many times per cell.
    // The size gives empty cells their height; the font family is the document's own.
    QTextTableCellFormat plain;
    plain.setFontPointSize(table.fontSize);
    QTextTableCellFormat band = plain;
    QTextTableCellFormat header = plain;
    if (table.formatted) {
        band.setBackground(BandShade);
        header.setBackground(HeaderShade);
    }
    for (int r = 0; r < table.rows; ++r) {
        const QTextTableCellFormat& cellFormat = r == 0 ? header : r % 2 == 0 ? band : plain;
        for (int c = 0; c < table.columns; ++c) {
            if (!qEnvironmentVariableIsSet("NOCELL")) table.table->cellAt(r, c).setFormat(cellFormat);
        }
    }

    if (table.formatted) {
        // Header texts written before the table was formatted take the header look.
        QTextCursor cursor(m_document.get());
        cursor.setPosition(table.table->cellAt(0, 0).firstPosition());
        cursor.setPosition(table.table->cellAt(0, table.columns - 1).lastPosition(), QTextCursor::KeepAnchor);
        QTextCharFormat headerText;
        headerText.setFontWeight(QFont::Bold);
        headerText.setForeground(Qt::white);
        cursor.mergeCharFormat(headerText);
    }
}

void TextDocumentBuilder::finishTables()
{
    // Only the current table can still owe anything: appending a table finishes the one before.
    if (!m_tables.empty()) {
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
    // One selection down the column: every paragraph of every cell in it, nothing else.
    QTextCursor cursor(m_document.get());
    cursor.setPosition(t.table->cellAt(0, column - 1).firstPosition());
    cursor.setPosition(t.table->cellAt(t.rows - 1, column - 1).lastPosition(), QTextCursor::KeepAnchor);
    QTextBlockFormat format;
    format.setAlignment(qtAlignment(alignment));
    cursor.mergeBlockFormat(format);
}

void TextDocumentBuilder::justifyAll()
{
    QTextCursor cursor(m_document.get());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setAlignment(Qt::AlignJustify);
    cursor.mergeBlockFormat(format);
}

int TextDocumentBuilder::pageCount()
{
    finishTables();
    prepareLayout(*m_document);
    const int pages = m_document->pageCount();
    // Later edits (the closing texts, the alignments) then cost no layout each; the export
    // lays the finished document out once.
    releaseLayout(*m_document);
    return pages;
}

} // namespace pondra
