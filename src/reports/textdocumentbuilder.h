#pragma once

#include "documentbuilder.h"
#include "documentcontent.h"

#include <memory>
#include <vector>

class QTextDocument;

namespace pondra {

struct PagedDocument;

// Builds the printouts as document content (documentcontent.h), laid out in A4 pages when asked
// for the page count or the pages, and handed out as a QTextDocument for the document window.
class TextDocumentBuilder : public DocumentBuilder {
public:
    TextDocumentBuilder();
    ~TextDocumentBuilder() override;

    TextDocumentBuilder(const TextDocumentBuilder&) = delete;
    TextDocumentBuilder& operator=(const TextDocumentBuilder&) = delete;

    // The content as built so far, laid out in pages once for as long as nothing is added: the
    // page count, the PDF, printing and the DOCX all read these pages.
    const PagedDocument& pages();
    // The content as built so far.
    const DocumentContent& content() const { return *m_content; }
    // The content as a document owned by the builder, for reading it back.
    QTextDocument* document();
    // Hands the content over as a document (to a window, typically), with its laid-out pages
    // for printing it as it is, and starts an empty one.
    std::unique_ptr<QTextDocument> takeDocument();

    void setDocumentInfo(const QString& title, const QString& author, const QString& subject) override;
    void setFontName(const QString& family) override;
    void setFontSize(double points) override;
    void typeText(const QString& text) override;

    void appendParagraph() override;
    void setEndParagraphSize(int points) override;
    void writeEndParagraph(const QString& text) override;
    void writeEndParagraphPageCount() override;
    void setKeepWithNext(bool keep) override;
    void keepWithPrevious() override;
    void setBlankLinesGiveWay(bool giveWay) override;
    void markEndParagraphHeading(int level, const QString& outlineTitle) override;

    void appendTable(int rows, int columns) override;
    void setTableFontSize(double points) override;
    void setTableMinimumRowHeight(double points) override;
    void setCellText(int row, int column, const QString& text) override;
    void applyTableFormat(int format) override;
    void alignColumn(int table, int column, ParagraphAlignment alignment) override;
    void justifyAll() override;
    void appendChart(const std::vector<ChartBar>& bars) override;

    int pageCount() override;

private:
    struct TableState {
        std::size_t block = 0;
        double fontSize = 10;
    };

    void start();
    // Anything written makes the pages and the document made so far stale.
    void changed();
    Paragraph& endParagraph();
    int sizeStyle(double points);
    // Text at the end of the document: '\r' (or '\n', or "\r\n") ends a paragraph, '\f' starts a
    // new page.
    void write(const QString& text, int style);
    void newParagraph(int markStyle, bool pageBreak);
    void pageBreak(int style);
    int cellStyle(const Table& table, const TableState& state, int row);
    void restyleCells(Table& table, const TableState& state);
    // The heading right above a table (through at most two blank lines) goes to the table's page.
    void keepCaptionWith(std::size_t tableBlock);

    std::shared_ptr<DocumentContent> m_content;
    std::unique_ptr<PagedDocument> m_pages;
    std::unique_ptr<QTextDocument> m_document;
    std::vector<TableState> m_tables;
    double m_size = 12;
    double m_endSize = 12;
    bool m_keep = false;
    bool m_giveWay = false;
};

} // namespace pondra
