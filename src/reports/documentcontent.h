#pragma once

#include "documentbuilder.h"

#include <QColor>
#include <QString>
#include <QStringList>

#include <variant>
#include <vector>

namespace pondra {

// What a printout is made of, as the builder leaves it: paragraphs and tables with their looks.
// The page layout, the PDF, the DOCX, the web page and the document window all start from it.

// The look of a stretch of text. A document uses a handful, shared by index.
struct TextStyle {
    double points = 12;
    bool bold = false;
    // Invalid: the automatic colour, black on paper.
    QColor colour;

    bool operator==(const TextStyle& other) const
    {
        return points == other.points && bold == other.bold && colour == other.colour;
    }
};

// Where a style starts in a paragraph's text; it holds up to the next span.
struct StyleSpan {
    int start = 0;
    int style = 0;
};

struct Paragraph {
    QString text;
    // The first starts at 0 whenever there is text.
    std::vector<StyleSpan> spans;
    // The style of the paragraph's end: it gives an empty paragraph its height.
    int markStyle = 0;
    ParagraphAlignment alignment = ParagraphAlignment::Left;
    bool pageBreakBefore = false;
    // Stays on the page of what follows it (a heading, a signature block).
    bool keepWithNext = false;
    // Blank spacing that the layout may leave out so that its page holds what it must
    // (DocumentBuilder::setBlankLinesGiveWay); leftOut says the layout did, for the writers.
    bool givesWay = false;
    bool leftOut = false;
    // The stretch of text that shows the document's page count, kept true by the page layout.
    int fieldStart = -1;
    int fieldLength = 0;
    // A heading of the document's outline (the PDF's bookmarks), 1 at the top; 0 for text. The
    // outline names it by outlineTitle, or by its text when that is empty.
    int outlineLevel = 0;
    QString outlineTitle;

    // A chart of the evaluations in the paragraph, and nothing else: as wide as the text and as
    // high as its bars ask (chartHeight). Word holds a picture in a paragraph the same way.
    std::vector<ChartBar> chart;

    bool hasField() const { return fieldStart >= 0; }
    bool hasChart() const { return !chart.empty(); }
    // The height of the chart across the text width, in points.
    double chartHeight() const;
    int styleAt(int position) const;
    // The style of the text typed at the end.
    int lastStyle() const { return spans.empty() ? markStyle : spans.back().style; }
    void append(const QString& more, int style);
};

struct TableCell {
    // Never empty: an empty cell holds one empty paragraph.
    std::vector<Paragraph> paragraphs;
};

struct Table {
    int rows = 0;
    int columns = 0;
    // Row by row.
    std::vector<TableCell> cells;
    // The colourful look: a shaded bold header row repeated on every page, banded rows, white
    // rules. A table without it is ruled in grey.
    bool shaded = false;
    bool pageBreakBefore = false;
    // The last row stays on the page of what follows the table.
    bool keepWithNext = false;
    // Every row below the header rows at least this high, in points, its rule included: room to
    // write in by hand.
    double minimumRowHeight = 0;

    TableCell& cell(int row, int column) { return cells[std::size_t(row * columns + column)]; }
    const TableCell& cell(int row, int column) const { return cells[std::size_t(row * columns + column)]; }
    int headerRows() const { return shaded && rows > 1 ? 1 : 0; }
    double leastRowHeight(int row) const { return row < headerRows() ? 0 : minimumRowHeight; }
};

using Block = std::variant<Paragraph, Table>;

struct DocumentContent {
    // The font families, the one the document names first, then those laid out in its place.
    QStringList families;
    std::vector<TextStyle> styles;
    std::vector<Block> blocks;
    QString title;
    QString author;
    // What the document is, as its metadata say: "Relazione di stima", ...
    QString subject;

    // The index of the style, added when new.
    int styleIndex(const TextStyle& style);
    const TextStyle& style(int index) const { return styles[std::size_t(index)]; }
};

// Tables of at most this many rows are never split across pages.
constexpr int KeptTableRows = 15;

} // namespace pondra
