#pragma once

#include "evaluationchart.h"

#include <QString>

#include <vector>

namespace pondra {

// Decimal: a number right-aligned on its decimal comma, level with the others of its column.
enum class ParagraphAlignment { Left, Right, Justify, Center, Decimal };

// The few operations every printout is written with. Text always goes to the end of the
// document: the printouts only ever add to it.
class DocumentBuilder {
public:
    virtual ~DocumentBuilder() = default;

    // The document's title, author and subject, as its metadata give them (a PDF's, a DOCX's).
    virtual void setDocumentInfo(const QString& title, const QString& author, const QString& subject) = 0;

    // Font of the text typed from now on. The printouts name one font, once, at the start.
    virtual void setFontName(const QString& family) = 0;
    virtual void setFontSize(double points) = 0;
    // Typed at the insertion point: '\r' ends a paragraph, '\f' breaks the page.
    virtual void typeText(const QString& text) = 0;

    // A new paragraph at the end of the document; it becomes the end paragraph. Its size and
    // text are set separately, and later texts written to the same end paragraph follow one
    // another in the order written.
    virtual void appendParagraph() = 0;
    virtual void setEndParagraphSize(int points) = 0;
    virtual void writeEndParagraph(const QString& text) = 0;
    // Writes to the end paragraph the number of pages of the document as finally laid out (a
    // page-count field, with one blank in the sign position), however the text around it grows.
    virtual void writeEndParagraphPageCount() = 0;
    // Paragraphs written or ended from now on stay on the page of the paragraph that follows them,
    // as a word processor's "keep with next".
    virtual void setKeepWithNext(bool keep) = 0;
    // The end paragraph stays on the page of what stands before it: the last row of a table, the
    // last lines of a paragraph.
    virtual void keepWithPrevious() = 0;
    // Empty paragraphs ended from now on are spacing that gives way: where the page they stand on
    // would run over, the layout leaves them out before it moves anything to the next page.
    virtual void setBlankLinesGiveWay(bool giveWay) = 0;
    // The end paragraph heads a section of the document's outline (a PDF's bookmarks) at this
    // level, 1 at the top. The outline names it by outlineTitle, or by its text when that is empty.
    virtual void markEndParagraphHeading(int level, const QString& outlineTitle) = 0;

    // A table of empty cells at the end of the document; it becomes the current table.
    virtual void appendTable(int rows, int columns) = 0;
    virtual void setTableFontSize(double points) = 0;
    // The rows of the current table below its header at least this high, in points: room to
    // write in by hand.
    virtual void setTableMinimumRowHeight(double points) = 0;
    // Row and column from 1, in the current table.
    virtual void setCellText(int row, int column, const QString& text) = 0;
    // The program's one table look: a shaded bold header row, centred, and banded rows.
    virtual void applyTableFormat(int format) = 0;
    // Table by its order in the document, from 1; column from 1. The header row of the table look
    // stays centred.
    virtual void alignColumn(int table, int column, ParagraphAlignment alignment) = 0;
    // Every paragraph of the text; table cells keep their own alignment, left unless said.
    virtual void justifyAll() = 0;

    // The chart of these bars at the end of the document, as wide as the text, in a paragraph of
    // its own; the end paragraph is then an empty one below it.
    virtual void appendChart(const std::vector<ChartBar>& bars) = 0;

    // Pages of the document as laid out now, page-count fields included.
    virtual int pageCount() = 0;
};

// The table look the printouts ask for.
constexpr int ColourfulTableFormat = 9;

} // namespace pondra
