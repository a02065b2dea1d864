#include "textdocumentbuilder.h"

#include "pagelayout.h"
#include "pagesetup.h"
#include "textdocumentconversion.h"

#include "model/textrules.h"

#include <QTextDocument>

#include <algorithm>

namespace pondra {

namespace {

// A caption sits on its table, or at most this many blank lines above it.
constexpr int CaptionGap = 2;

bool isParagraphEnd(const QChar c)
{
    return c == u'\r' || c == u'\n';
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

} // namespace

TextDocumentBuilder::TextDocumentBuilder()
{
    start();
}

TextDocumentBuilder::~TextDocumentBuilder() = default;

void TextDocumentBuilder::start()
{
    m_content = std::make_shared<DocumentContent>();
    m_content->families = familiesFor(QString::fromLatin1(DocumentFont));
    m_size = 12;
    m_endSize = 12;
    m_keep = false;
    m_giveWay = false;
    m_tables.clear();
    Paragraph first;
    first.markStyle = sizeStyle(m_size);
    m_content->blocks.emplace_back(std::move(first));
    m_pages.reset();
    m_document.reset();
}

void TextDocumentBuilder::changed()
{
    m_pages.reset();
    m_document.reset();
}

const PagedDocument& TextDocumentBuilder::pages()
{
    if (!m_pages) {
        m_pages = layOutPages(m_content);
    }
    return *m_pages;
}

QTextDocument* TextDocumentBuilder::document()
{
    if (!m_document) {
        m_document = toTextDocument(pages());
    }
    return m_document.get();
}

std::unique_ptr<QTextDocument> TextDocumentBuilder::takeDocument()
{
    pages();
    std::unique_ptr<QTextDocument> document = toTextDocument(*m_pages);
    attachPages(*document, std::move(m_pages));
    start();
    return document;
}

void TextDocumentBuilder::appendChart(const std::vector<ChartBar>& bars)
{
    if (bars.empty()) {
        return;
    }
    changed();
    // The chart takes an empty last paragraph, as a table does; otherwise one of its own.
    const Paragraph& last = endParagraph();
    if (!last.text.isEmpty() || last.hasChart()) {
        newParagraph(sizeStyle(m_endSize), false);
    }
    Paragraph& chart = endParagraph();
    chart.chart = bars;
    chart.keepWithNext = m_keep;
    newParagraph(sizeStyle(m_endSize), false);
}

int TextDocumentBuilder::pageCount()
{
    return pages().pageCount();
}

Paragraph& TextDocumentBuilder::endParagraph()
{
    // The content always ends with a paragraph: a table is followed by one.
    return std::get<Paragraph>(m_content->blocks.back());
}

int TextDocumentBuilder::sizeStyle(double points)
{
    TextStyle style;
    style.points = points;
    return m_content->styleIndex(style);
}

void TextDocumentBuilder::newParagraph(int markStyle, bool pageBreak)
{
    Paragraph p;
    p.markStyle = markStyle;
    p.pageBreakBefore = pageBreak;
    p.keepWithNext = m_keep;
    p.givesWay = m_giveWay;
    m_content->blocks.emplace_back(std::move(p));
}

void TextDocumentBuilder::pageBreak(int style)
{
    auto& blocks = m_content->blocks;
    Paragraph& last = endParagraph();
    if (!last.text.isEmpty() || last.pageBreakBefore) {
        newParagraph(style, true);
        return;
    }
    // An empty paragraph simply moves to the next page. Two breaks with only an empty paragraph
    // between them would leave a blank page: the first empty paragraph stays behind.
    if (blocks.size() >= 2) {
        if (auto* previous = std::get_if<Paragraph>(&blocks[blocks.size() - 2])) {
            if (previous->text.isEmpty() && previous->pageBreakBefore) {
                previous->pageBreakBefore = false;
            }
        }
    }
    last.pageBreakBefore = true;
}

void TextDocumentBuilder::write(const QString& text, int style)
{
    changed();
    qsizetype runStart = 0;
    auto writeRun = [&](qsizetype end) {
        if (end > runStart) {
            Paragraph& p = endParagraph();
            p.append(text.mid(runStart, end - runStart), style);
            p.keepWithNext = p.keepWithNext || m_keep;
        }
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (isParagraphEnd(c)) {
            writeRun(i);
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') {
                ++i;
            }
            Paragraph& ended = endParagraph();
            ended.keepWithNext = ended.keepWithNext || m_keep;
            newParagraph(style, false);
            runStart = i + 1;
        } else if (c == u'\f') {
            writeRun(i);
            pageBreak(style);
            runStart = i + 1;
        }
    }
    writeRun(text.size());
}

void TextDocumentBuilder::setDocumentInfo(const QString& title, const QString& author, const QString& subject)
{
    changed();
    m_content->title = title;
    m_content->author = author;
    m_content->subject = subject;
}

void TextDocumentBuilder::setFontName(const QString& family)
{
    changed();
    m_content->families = familiesFor(family);
}

void TextDocumentBuilder::setFontSize(double points)
{
    m_size = points;
}

void TextDocumentBuilder::typeText(const QString& text)
{
    const int style = sizeStyle(m_size);
    Paragraph& last = endParagraph();
    if (last.text.isEmpty()) {
        // An empty paragraph is as high as the size typed into it.
        last.markStyle = style;
    }
    write(text, style);
}

void TextDocumentBuilder::appendParagraph()
{
    changed();
    // The new paragraph carries the size typed last until it is given its own.
    m_endSize = m_size;
    newParagraph(sizeStyle(m_endSize), false);
}

void TextDocumentBuilder::setEndParagraphSize(int points)
{
    changed();
    m_endSize = points;
    Paragraph& last = endParagraph();
    if (last.text.isEmpty()) {
        last.markStyle = sizeStyle(m_endSize);
    }
}

void TextDocumentBuilder::writeEndParagraph(const QString& text)
{
    write(text, sizeStyle(m_endSize));
}

void TextDocumentBuilder::writeEndParagraphPageCount()
{
    changed();
    Paragraph& p = endParagraph();
    p.fieldStart = int(p.text.size());
    // The layout writes the count it finds.
    const QString provisional = joinedSignBlankText(0);
    p.append(provisional, sizeStyle(m_endSize));
    p.fieldLength = int(provisional.size());
}

void TextDocumentBuilder::setKeepWithNext(bool keep)
{
    m_keep = keep;
}

void TextDocumentBuilder::keepWithPrevious()
{
    auto& blocks = m_content->blocks;
    if (blocks.size() < 2) {
        return;
    }
    changed();
    Block& previous = blocks[blocks.size() - 2];
    if (auto* p = std::get_if<Paragraph>(&previous)) {
        p->keepWithNext = true;
    } else {
        std::get<Table>(previous).keepWithNext = true;
    }
}

void TextDocumentBuilder::setBlankLinesGiveWay(bool giveWay)
{
    m_giveWay = giveWay;
}

void TextDocumentBuilder::markEndParagraphHeading(int level, const QString& outlineTitle)
{
    changed();
    Paragraph& p = endParagraph();
    p.outlineLevel = std::max(0, level);
    p.outlineTitle = outlineTitle;
}

void TextDocumentBuilder::appendTable(int rows, int columns)
{
    if (rows < 1 || columns < 1) {
        return;
    }
    changed();
    auto& blocks = m_content->blocks;
    const Paragraph last = endParagraph();
    // A table appended to an empty last paragraph takes that paragraph's place, as in a word
    // processor: no blank line above it. A page break before the paragraph passes to the table.
    const bool takesParagraph = last.text.isEmpty() && blocks.size() > 1;
    Table table;
    table.rows = rows;
    table.columns = columns;
    table.pageBreakBefore = takesParagraph && last.pageBreakBefore;
    TableState state;
    state.fontSize = m_endSize;
    Paragraph empty;
    empty.markStyle = sizeStyle(state.fontSize);
    table.cells.resize(std::size_t(rows) * std::size_t(columns));
    for (TableCell& cell : table.cells) {
        cell.paragraphs.push_back(empty);
    }
    if (takesParagraph) {
        blocks.back() = std::move(table);
    } else {
        blocks.emplace_back(std::move(table));
    }
    state.block = blocks.size() - 1;
    m_tables.push_back(state);
    // The paragraph a word processor keeps after every table.
    Paragraph after;
    after.markStyle = last.markStyle;
    blocks.emplace_back(std::move(after));
    keepCaptionWith(state.block);
}

void TextDocumentBuilder::keepCaptionWith(std::size_t tableBlock)
{
    auto& blocks = m_content->blocks;
    for (std::size_t b = tableBlock, blanks = 0; b-- > 0;) {
        auto* p = std::get_if<Paragraph>(&blocks[b]);
        if (!p || p->hasChart()) {
            return;
        }
        if (!p->text.isEmpty()) {
            for (std::size_t k = b; k < tableBlock; ++k) {
                std::get<Paragraph>(blocks[k]).keepWithNext = true;
            }
            return;
        }
        if (++blanks > CaptionGap || p->pageBreakBefore) {
            return;
        }
    }
}

int TextDocumentBuilder::cellStyle(const Table& table, const TableState& state, int row)
{
    TextStyle style;
    style.points = state.fontSize;
    if (table.shaded && row == 0) {
        style.bold = true;
        style.colour = Qt::white;
    }
    return m_content->styleIndex(style);
}

void TextDocumentBuilder::restyleCells(Table& table, const TableState& state)
{
    for (int r = 0; r < table.rows; ++r) {
        const int style = cellStyle(table, state, r);
        for (int c = 0; c < table.columns; ++c) {
            for (Paragraph& p : table.cell(r, c).paragraphs) {
                if (r < table.headerRows()) {
                    p.alignment = ParagraphAlignment::Center;
                }
                p.markStyle = style;
                for (StyleSpan& span : p.spans) {
                    span.style = style;
                }
            }
        }
    }
}

void TextDocumentBuilder::setTableFontSize(double points)
{
    if (m_tables.empty()) {
        return;
    }
    changed();
    TableState& state = m_tables.back();
    state.fontSize = points;
    restyleCells(std::get<Table>(m_content->blocks[state.block]), state);
}

void TextDocumentBuilder::setTableMinimumRowHeight(double points)
{
    if (m_tables.empty()) {
        return;
    }
    changed();
    std::get<Table>(m_content->blocks[m_tables.back().block]).minimumRowHeight = std::max(0.0, points);
}

void TextDocumentBuilder::setCellText(int row, int column, const QString& text)
{
    if (m_tables.empty()) {
        return;
    }
    const TableState& state = m_tables.back();
    Table& table = std::get<Table>(m_content->blocks[state.block]);
    if (row < 1 || row > table.rows || column < 1 || column > table.columns) {
        return;
    }
    changed();
    const int style = cellStyle(table, state, row - 1);
    std::vector<Paragraph>& paragraphs = table.cell(row - 1, column - 1).paragraphs;
    const ParagraphAlignment alignment = paragraphs.front().alignment;
    paragraphs.clear();
    Paragraph p;
    p.markStyle = style;
    p.alignment = alignment;
    qsizetype runStart = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || isParagraphEnd(text.at(i))) {
            QString piece = text.mid(runStart, i - runStart);
            // A page break has no place in a cell.
            piece.remove(u'\f');
            p.append(piece, style);
            paragraphs.push_back(std::move(p));
            p = Paragraph();
            p.markStyle = style;
            p.alignment = alignment;
            if (i < text.size() && text.at(i) == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') {
                ++i;
            }
            runStart = i + 1;
        }
    }
}

void TextDocumentBuilder::applyTableFormat(int format)
{
    if (m_tables.empty() || format != ColourfulTableFormat) {
        return;
    }
    const TableState& state = m_tables.back();
    Table& table = std::get<Table>(m_content->blocks[state.block]);
    // The printouts format a table again after each row they fill; the rows written later take
    // the look as they are written.
    if (!table.shaded) {
        changed();
        table.shaded = true;
        restyleCells(table, state);
    }
}

void TextDocumentBuilder::alignColumn(int table, int column, ParagraphAlignment alignment)
{
    if (table < 1 || table > int(m_tables.size())) {
        return;
    }
    Table& t = std::get<Table>(m_content->blocks[m_tables[std::size_t(table - 1)].block]);
    if (column < 1 || column > t.columns) {
        return;
    }
    changed();
    for (int r = t.headerRows(); r < t.rows; ++r) {
        for (Paragraph& p : t.cell(r, column - 1).paragraphs) {
            p.alignment = alignment;
        }
    }
}

void TextDocumentBuilder::justifyAll()
{
    changed();
    // Words of a name wrapped in a narrow cell would stand far apart: cells keep their alignment.
    for (Block& block : m_content->blocks) {
        if (auto* p = std::get_if<Paragraph>(&block)) {
            p->alignment = ParagraphAlignment::Justify;
        }
    }
}

} // namespace pondra
