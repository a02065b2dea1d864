#pragma once

#include "documentbuilder.h"

#include <QStringList>

namespace pondra {

// Writes down every operation, one line each, so a printout's exact sequence can be read back:
// "font Century Gothic", "size 20", "type Pondra \r", "table 12x2", "cell 2,1  1", ...
class RecordingBuilder : public DocumentBuilder {
public:
    QStringList operations;
    // What pageCount() answers.
    int pages = 1;

    void setDocumentInfo(const QString& title, const QString& author, const QString& subject) override
    {
        operations << QStringLiteral("info %1 / %2 / %3").arg(title, author, subject);
    }
    void setFontName(const QString& family) override { operations << QStringLiteral("font ") + family; }
    void setFontSize(double points) override { operations << QStringLiteral("size %1").arg(points); }
    void typeText(const QString& text) override { operations << QStringLiteral("type ") + text; }
    void appendParagraph() override { operations << QStringLiteral("paragraph"); }
    void setEndParagraphSize(int points) override
    {
        operations << QStringLiteral("paragraph size %1").arg(points);
    }
    void writeEndParagraph(const QString& text) override
    {
        operations << QStringLiteral("paragraph text ") + text;
    }
    void writeEndParagraphPageCount() override { operations << QStringLiteral("paragraph page count"); }
    void setKeepWithNext(bool keep) override
    {
        operations << (keep ? QStringLiteral("keep with next") : QStringLiteral("keep with next off"));
    }
    void keepWithPrevious() override { operations << QStringLiteral("keep with previous"); }
    void setBlankLinesGiveWay(bool giveWay) override
    {
        operations << (giveWay ? QStringLiteral("blank lines give way") : QStringLiteral("blank lines stay"));
    }
    void markEndParagraphHeading(int level, const QString& outlineTitle) override
    {
        operations << QStringLiteral("heading %1 %2").arg(level).arg(outlineTitle).trimmed();
    }
    void appendTable(int rows, int columns) override
    {
        operations << QStringLiteral("table %1x%2").arg(rows).arg(columns);
    }
    void setTableFontSize(double points) override
    {
        operations << QStringLiteral("table size %1").arg(points);
    }
    void setTableMinimumRowHeight(double points) override
    {
        operations << QStringLiteral("table row height %1").arg(points);
    }
    void setCellText(int row, int column, const QString& text) override
    {
        operations << QStringLiteral("cell %1,%2 %3").arg(row).arg(column).arg(text);
    }
    void applyTableFormat(int format) override { operations << QStringLiteral("format %1").arg(format); }
    void alignColumn(int table, int column, ParagraphAlignment alignment) override
    {
        operations << QStringLiteral("align %1,%2 %3").arg(table).arg(column).arg(alignmentName(alignment));
    }
    void justifyAll() override { operations << QStringLiteral("justify all"); }
    void appendChart(const std::vector<ChartBar>& bars) override
    {
        operations << QStringLiteral("chart %1 bars").arg(bars.size());
    }
    static QString alignmentName(ParagraphAlignment alignment)
    {
        switch (alignment) {
        case ParagraphAlignment::Right:
            return QStringLiteral("right");
        case ParagraphAlignment::Justify:
            return QStringLiteral("justify");
        case ParagraphAlignment::Center:
            return QStringLiteral("centre");
        case ParagraphAlignment::Decimal:
            return QStringLiteral("decimal");
        case ParagraphAlignment::Left:
            break;
        }
        return QStringLiteral("left");
    }
    int pageCount() override
    {
        operations << QStringLiteral("page count");
        return pages;
    }
};

} // namespace pondra
