#pragma once

#include "documentcontent.h"
#include "typeface.h"

#include <functional>
#include <memory>
#include <vector>

namespace pondra {

// A line of a paragraph: the characters it holds and how high it stands, in points.
struct TextLine {
    int start = 0;
    // Past the last character drawn: blanks at the end of a line hang in the margin.
    int end = 0;
    // Where the next line starts.
    int next = 0;
    double width = 0;
    double height = 0;
    // From the top of the line to the baseline.
    double baseline = 0;
    // Stretched to the full width: every line of a justified paragraph but its last.
    bool justified = false;
};

// A blank that a justified line stretches and that may hang past a line's end.
bool isBlank(char32_t c);

// One character of a line as it is drawn: its code point (a surrogate pair as one), its first
// unit in the text, its style and glyph, and where its left edge falls.
struct PlacedCharacter {
    QChar unit;
    char32_t code = 0;
    int style = 0;
    const GlyphSource* glyph = nullptr;
    double x = 0;
};

// Breaks paragraphs into lines and measures text in the document's typefaces, in points.
class TextMeasurer {
public:
    explicit TextMeasurer(const DocumentContent& content);

    std::vector<TextLine> lines(const Paragraph& paragraph, double width);
    double height(const Paragraph& paragraph, double width);
    // The width of characters [from, to) on one line.
    double width(const Paragraph& paragraph, int from, int to);
    // The widest word and the whole text on one line: what a table column needs at the least
    // and at the most.
    void extent(const Paragraph& paragraph, double* widestWord, double* oneLine);
    // Walks the characters of a line from left to right as they are drawn in a box of the given
    // width at `left`: aligned, a decimal number set in by `inset`, blanks stretched where the
    // line is justified. Returns where the line ends.
    double placeLine(const Paragraph& paragraph, const TextLine& line, double left, double width,
                     double inset, const std::function<void(const PlacedCharacter&)>& visit);

    Typeface& typeface(int style);
    double size(int style) const { return m_content.style(style).points; }
    double lineHeight(int style);
    double baseline(int style);

private:
    const DocumentContent& m_content;
    Typefaces m_typefaces;
};

// Where a table's columns and rows fall, in points.
struct TableGeometry {
    std::vector<double> columns;
    std::vector<double> rows;
    // By cell, row by row: the room right of a decimal-aligned number that brings its comma level
    // with the column's.
    std::vector<double> insets;

    double inset(int row, int column) const
    {
        const std::size_t i = std::size_t(row) * columns.size() + std::size_t(column);
        return i < insets.size() ? insets[i] : 0;
    }
};

// A run of a block placed on a page: lines of a paragraph or rows of a table.
struct PageSlice {
    int block = 0;
    // Lines or rows [first, last).
    int first = 0;
    int last = 0;
    // From the top edge of the page.
    double top = 0;
    // A row higher than a page shows in parts: the part from clipTop, clipHeight high.
    double clipTop = 0;
    double clipHeight = -1;
};

// The content laid out in A4 pages, once, for the page count, the PDF, printing and the DOCX.
struct PagedDocument {
    // The content shares its life with the pages: the pages point into it.
    std::shared_ptr<DocumentContent> content;
    std::vector<std::vector<PageSlice>> pages;
    // By block: the lines of each paragraph, the geometry of each table.
    std::vector<std::vector<TextLine>> lines;
    std::vector<TableGeometry> tables;
    // False when no page count written into the document makes it that many pages long.
    bool settled = true;
    // By page, its footer, "pagina N di M", on one line in the bottom margin: outside the text,
    // so numbering the pages never moves what they hold.
    std::vector<Paragraph> footers;
    std::vector<TextLine> footerLines;

    int pageCount() const { return int(pages.size()); }
};

// Lays the content out and writes the final page count into its page-count fields.
std::unique_ptr<PagedDocument> layOutPages(std::shared_ptr<DocumentContent> content);

// The footer of page `page` (from 0) of `count`, the same words in every output.
QString pageFooterText(int page, int count);
// The top of the footer's line, from the page's top edge, in points.
double pageFooterTop();
constexpr double PageFooterPoints = 9;

// The text of a cell as a table column would hold it: between its sides' padding.
double cellTextWidth(double columnWidth);

} // namespace pondra
