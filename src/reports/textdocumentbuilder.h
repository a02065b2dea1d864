#pragma once

#include "documentbuilder.h"

#include <QStringList>
#include <QTextCharFormat>
#include <QTextCursor>

#include <memory>
#include <vector>

class QTextDocument;
class QTextTable;
class QTextFrame;

namespace pondra {

// Builds the printouts into a QTextDocument laid out on A4 (pagesetup.h). The document is
// built without a view and without a page layout, which keeps every edit cheap; it is laid out
// for pages only when the page count is asked, and by the exports.
class TextDocumentBuilder : public DocumentBuilder {
public:
    TextDocumentBuilder();
    ~TextDocumentBuilder() override;

    TextDocumentBuilder(const TextDocumentBuilder&) = delete;
    TextDocumentBuilder& operator=(const TextDocumentBuilder&) = delete;

    // The document as built so far, complete in every table. It stays owned by the builder.
    QTextDocument* document();
    // Hands the document over (to a window, typically) and starts an empty one. The document
    // is no longer laid out for pages and has undo switched on, ready to be shown and edited.
    std::unique_ptr<QTextDocument> takeDocument();

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

    int pageCount() override;

private:
    struct Table {
        QTextTable* table = nullptr;
        int rows = 0;
        int columns = 0;
        double fontSize = 0;
        bool formatted = false;
        // Cell looks (size, shading) still to be written; done once, when the table is complete.
        bool cellsPending = true;
        // Longest text per column, for the column widths.
        std::vector<int> widestText;
    };

    void start();
    QTextCharFormat charFormat(double points) const;
    QTextCharFormat cellCharFormat(const Table& table, int row) const;
    // Writes text at the cursor: '\r' (or '\n', or "\r\n") ends a paragraph, '\f' starts a new page.
    void write(QTextCursor& cursor, const QString& text, const QTextCharFormat& format) const;
    QTextCursor endCursor() const;
    // Writes out what the current table still owes: cell looks and column widths.
    void finishTable(Table& table);
    void finishTables();

    std::unique_ptr<QTextDocument> m_document;
    // The insertion point of typeText; it stays where typing left it.
    QTextCursor m_typing;
    QStringList m_families;
    double m_size = 12;
    double m_endSize = 12;
    std::vector<Table> m_tables;
    QTextFrame* m_frame = nullptr;
};

} // namespace pondra
