#pragma once

#include "documentbuilder.h"

#include <QStringList>
#include <QTextCharFormat>
#include <QTextCursor>

#include <map>
#include <memory>
#include <utility>
#include <vector>

class QTextDocument;
class QTextTable;

namespace pondra {

// Builds the printouts into a QTextDocument laid out on A4 (pagesetup.h, documentexport.h).
// Everything written goes into one open edit of the document, which keeps every operation
// cheap; the edit ends, and the document is laid out, only when the pages are counted and when
// document() hands it out.
class TextDocumentBuilder : public DocumentBuilder {
public:
    TextDocumentBuilder();
    ~TextDocumentBuilder() override;

    TextDocumentBuilder(const TextDocumentBuilder&) = delete;
    TextDocumentBuilder& operator=(const TextDocumentBuilder&) = delete;

    // The document as built so far, complete and laid out in A4 pages, ready to be exported or
    // printed without a further layout (headless use). It stays owned by the builder, which can
    // build on. Not for an editor: its layout measures at the layout device's resolution.
    QTextDocument* document();
    // Hands the document over (to a window, typically) and starts an empty one. The document
    // is no longer laid out in pages (an editor lays it out at its own width) and has undo on.
    std::unique_ptr<QTextDocument> takeDocument();

    void setDocumentInfo(const QString& title, const QString& author) override;
    void setFontName(const QString& family) override;
    void setFontSize(double points) override;
    void typeText(const QString& text) override;

    void appendParagraph() override;
    void setEndParagraphSize(int points) override;
    void writeEndParagraph(const QString& text) override;

    void appendTable(int rows, int columns) override;
    void setTableFontSize(double points) override;
    void setCellText(int row, int column, const QString& text) override;
    void applyTableFormat(int format) override;
    void alignColumn(int table, int column, ParagraphAlignment alignment) override;
    void justifyAll() override;
    void appendChart(const std::vector<ChartBar>& bars) override;

    int pageCount() override;

private:
    struct Table {
        QTextTable* table = nullptr;
        int rows = 0;
        int columns = 0;
        double fontSize = 0;
        bool formatted = false;
        bool hasText = false;
        // Cell looks (shading, size) still to be written: once, when the table is complete.
        bool cellsPending = true;
    };

    void start();
    // Every edit goes to a document without page layout: Qt would lay it out again after each.
    void beginEdit();
    // Closes the build's edit, so that Qt takes in the new tables, before a layout or a handover.
    void endEdit();
    const QTextCharFormat& charFormat(double points, bool header = false);
    // Writes text at the cursor: '\r' (or '\n', or "\r\n") ends a paragraph, '\f' starts a new page.
    void write(QTextCursor& cursor, const QString& text, const QTextCharFormat& format);
    QTextCursor endCursor() const;
    void finishTable(Table& table);
    void finishTables();

    std::unique_ptr<QTextDocument> m_document;
    bool m_editing = false;
    // The insertion point of typeText; it stays where typing left it.
    QTextCursor m_typing;
    QStringList m_families;
    double m_size = 12;
    double m_endSize = 12;
    // The formats in use, made once: Qt compares formats by content, a reused one costs less.
    std::map<std::pair<double, bool>, QTextCharFormat> m_formats;
    std::vector<Table> m_tables;
};

} // namespace pondra
