#include "reports/documentexport.h"
#include "reports/pagelayout.h"
#include "reports/pagepainter.h"
#include "reports/pagesetup.h"
#include "reports/textdocumentbuilder.h"
#include "reports/textdocumentconversion.h"
#include "support/pdfpages.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPicture>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <memory>

using namespace pondra;
using testsupport::pdfPages;

namespace {

const QStringList DocumentFamilies{QStringLiteral("Century Gothic"), QStringLiteral("URW Gothic"),
                                   QStringLiteral("DejaVu Sans")};

QList<QTextTable*> tablesOf(const QTextDocument* document)
{
    QList<QTextTable*> tables;
    const QList<QTextFrame*> frames = document->rootFrame()->childFrames();
    for (QTextFrame* frame : frames) {
        if (auto* table = qobject_cast<QTextTable*>(frame)) {
            tables << table;
        }
    }
    return tables;
}

// The paragraphs of the main text, tables left out.
QList<QTextBlock> mainBlocks(const QTextDocument* document)
{
    QList<QTextBlock> blocks;
    for (auto it = document->rootFrame()->begin(); !it.atEnd(); ++it) {
        if (!it.currentFrame()) {
            blocks << it.currentBlock();
        }
    }
    return blocks;
}

QStringList texts(const QList<QTextBlock>& blocks)
{
    QStringList result;
    for (const QTextBlock& block : blocks) {
        result << block.text();
    }
    return result;
}

bool breaksPage(const QTextBlock& block)
{
    return block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore;
}

QString cellText(QTextTable* table, int row, int column)
{
    const QTextTableCell cell = table->cellAt(row, column);
    QTextCursor cursor(table->document());
    cursor.setPosition(cell.firstPosition());
    cursor.setPosition(cell.lastPosition(), QTextCursor::KeepAnchor);
    return cursor.selectedText().replace(QChar::ParagraphSeparator, u'\n');
}

// Format of the text in a cell, or of the cell's paragraph when it is empty.
QTextCharFormat cellTextFormat(QTextTable* table, int row, int column)
{
    const QTextTableCell cell = table->cellAt(row, column);
    QTextCursor cursor(table->document());
    cursor.setPosition(cell.firstPosition());
    if (cell.lastPosition() > cell.firstPosition()) {
        cursor.movePosition(QTextCursor::NextCharacter);
    }
    return cursor.charFormat();
}

Qt::Alignment cellAlignment(QTextTable* table, int row, int column)
{
    QTextCursor cursor(table->document());
    cursor.setPosition(table->cellAt(row, column).firstPosition());
    return cursor.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void fillTable(DocumentBuilder& b, int rows, int columns)
{
    b.appendTable(rows, columns);
    b.setTableFontSize(10);
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= columns; ++c) {
            b.setCellText(r, c, QStringLiteral("r%1c%2").arg(r).arg(c));
        }
    }
}

} // namespace

class TestTextDocumentBuilder : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pageBreakRightAfterPageBreak_leavesNoBlankPage()
    {
        // A cover ending with a break, then a paragraph that starts with its own break.
        TextDocumentBuilder b;
        b.setFontName(QStringLiteral("Century Gothic"));
        b.setFontSize(14);
        b.typeText(QStringLiteral("copertina\r\f"));
        b.appendParagraph();
        b.setEndParagraphSize(18);
        b.writeEndParagraph(QStringLiteral("\fRELAZIONE DI STIMA\r\r"));
        QCOMPARE(b.pageCount(), 2);
    }

    void coverOfFortyLines_fitsOnePage()
    {
        // Forty 14-point lines, as the report's cover has: a word processor sets them on one page.
        TextDocumentBuilder b;
        b.setFontName(QStringLiteral("Century Gothic"));
        b.setFontSize(14);
        b.typeText(QString(40, u'\r') + QStringLiteral("fine"));
        QCOMPARE(b.pageCount(), 1);
    }

    void typedText_paragraphsAndPageBreaks_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("paragraphs");
        // Paragraph numbers (from 0) that start on a new page.
        QTest::addColumn<QList<int>>("pageStarts");

        QTest::newRow("CR ends a paragraph")
            << QStringLiteral("uno\rdue\r")
            << QStringList{QStringLiteral("uno"), QStringLiteral("due"), QString()} << QList<int>{};
        QTest::newRow("CR LF and LF count once")
            << QStringLiteral("uno\r\ndue\ntre")
            << QStringList{QStringLiteral("uno"), QStringLiteral("due"), QStringLiteral("tre")}
            << QList<int>{};
        QTest::newRow("break after CR moves the empty paragraph")
            << QStringLiteral("indirizzo\r\fRELAZIONE")
            << QStringList{QStringLiteral("indirizzo"), QStringLiteral("RELAZIONE")} << QList<int>{1};
        QTest::newRow("break inside a line starts a paragraph there")
            << QStringLiteral("prima\fdopo") << QStringList{QStringLiteral("prima"), QStringLiteral("dopo")}
            << QList<int>{1};
        QTest::newRow("the paragraph after a broken one does not break")
            << QStringLiteral("a\fb\rc")
            << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")} << QList<int>{1};
        QTest::newRow("two breaks leave a blank page")
            << QStringLiteral("a\r\f\fb") << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}
            << QList<int>{1, 2};
    }

    void typedText_paragraphsAndPageBreaks()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, paragraphs);
        QFETCH(QList<int>, pageStarts);

        TextDocumentBuilder b;
        b.setFontName(QStringLiteral("Century Gothic"));
        b.typeText(typed);
        const QList<QTextBlock> blocks = mainBlocks(b.document());
        QCOMPARE(texts(blocks), paragraphs);
        for (int i = 0; i < blocks.size(); ++i) {
            QVERIFY2(breaksPage(blocks.at(i)) == pageStarts.contains(i), qPrintable(QString::number(i)));
        }
    }

    void fontState_isTheBuildersOwn_andNamesCenturyGothicFirst()
    {
        TextDocumentBuilder b;
        b.setFontName(QStringLiteral("Century Gothic"));
        b.setFontSize(20);
        b.typeText(QStringLiteral("Pondra \r"));
        b.appendTable(2, 2);
        b.setTableFontSize(10);
        b.setCellText(1, 1, QStringLiteral("cella"));
        // Typed after a table: the builder's size, not the cell's.
        b.setFontSize(16);
        b.typeText(QStringLiteral("dopo"));
        b.appendParagraph();
        b.setEndParagraphSize(14);
        b.writeEndParagraph(QStringLiteral("fine"));
        QTextDocument* document = b.document();

        const QList<QTextBlock> blocks = mainBlocks(document);
        QTextCursor heading(blocks.first());
        heading.movePosition(QTextCursor::NextCharacter);
        QCOMPARE(heading.charFormat().fontFamilies().toStringList(), DocumentFamilies);
        QCOMPARE(heading.charFormat().fontPointSize(), 20.0);

        QTextTable* table = tablesOf(document).first();
        QCOMPARE(cellTextFormat(table, 0, 0).fontFamilies().toStringList(), DocumentFamilies);
        QCOMPARE(cellTextFormat(table, 0, 0).fontPointSize(), 10.0);

        const QTextBlock after = document->findBlock(document->find(QStringLiteral("dopo")).selectionStart());
        QTextCursor typed(after);
        typed.movePosition(QTextCursor::NextCharacter);
        QCOMPARE(typed.charFormat().fontPointSize(), 16.0);
        QVERIFY(!typed.charFormat().isTableCellFormat());
        QCOMPARE(typed.charFormat().fontFamilies().toStringList(), DocumentFamilies);

        QTextCursor end = document->find(QStringLiteral("fine"));
        QCOMPARE(end.charFormat().fontPointSize(), 14.0);
        QCOMPARE(end.charFormat().fontFamilies().toStringList(), DocumentFamilies);

        // Where Century Gothic is missing the text is laid out in URW Gothic.
        if (!QFontDatabase::families().contains(QStringLiteral("Century Gothic")) &&
            QFontDatabase::hasFamily(QStringLiteral("URW Gothic"))) {
            QVERIFY2(QFontInfo(end.charFormat().font()).family().startsWith(QStringLiteral("URW Gothic")),
                     qPrintable(QFontInfo(end.charFormat().font()).family()));
        }
    }

    void endParagraph_textsFollowOneAnotherAfterTheLastTable()
    {
        TextDocumentBuilder b;
        b.typeText(QStringLiteral("Classifica delle ipotesi"));
        b.appendParagraph();
        b.setEndParagraphSize(12);
        fillTable(b, 3, 2);
        b.applyTableFormat(ColourfulTableFormat);
        b.setEndParagraphSize(14);
        b.writeEndParagraph(QStringLiteral("\rB) GRADUATORIA\r"));
        b.writeEndParagraph(QStringLiteral("\r"));
        fillTable(b, 2, 2);
        b.writeEndParagraph(QStringLiteral("\rcomposta di n. 3 pagine.\r"));
        b.writeEndParagraph(QStringLiteral("Si allega: "));
        b.writeEndParagraph(QStringLiteral("planimetrie"));
        QTextDocument* document = b.document();

        const QList<QTextTable*> tables = tablesOf(document);
        QCOMPARE(tables.size(), 2);
        const QTextCursor graduatoria = document->find(QStringLiteral("B) GRADUATORIA"));
        QVERIFY(graduatoria.position() > tables.at(0)->lastPosition());
        QVERIFY(graduatoria.position() < tables.at(1)->firstPosition());
        QCOMPARE(graduatoria.charFormat().fontPointSize(), 14.0);

        const QTextBlock last = document->lastBlock();
        QCOMPARE(last.text(), QStringLiteral("Si allega: planimetrie"));
        QVERIFY(last.position() > tables.at(1)->lastPosition());
        QVERIFY(document->find(QStringLiteral("composta di n. 3 pagine.")).position() >
                tables.at(1)->lastPosition());
        QCOMPARE(document->find(QStringLiteral("planimetrie")).charFormat().fontPointSize(), 14.0);
        // The heading before the tables stays where it was typed.
        QCOMPARE(document->firstBlock().text(), QStringLiteral("Classifica delle ipotesi"));
    }

    void appendTable_takesTheEmptyLastParagraphsPlace()
    {
        TextDocumentBuilder b;
        b.typeText(QStringLiteral("FRONTESPIZIO\r"));
        b.appendTable(2, 2);
        b.typeText(QStringLiteral("pagina\r\f"));
        b.appendTable(1, 1);
        QTextDocument* document = b.document();

        const QList<QTextTable*> tables = tablesOf(document);
        QCOMPARE(tables.size(), 2);
        // No blank paragraph between the title and the table.
        QCOMPARE(document->findBlock(tables.at(0)->firstPosition() - 1).text(),
                 QStringLiteral("FRONTESPIZIO"));
        // A page break typed before a table starts the table on a new page.
        QVERIFY(tables.at(1)->format().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore);
        QVERIFY(!(tables.at(0)->format().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore));
        QCOMPARE(b.pageCount(), 2);
    }

    void tables_shapesAndCellTexts()
    {
        TextDocumentBuilder b;
        b.appendParagraph();
        b.appendTable(12, 2);
        b.setTableFontSize(10);
        b.setCellText(1, 1, QStringLiteral("numero"));
        b.setCellText(1, 2, QStringLiteral("scala dei giudizi"));
        b.setCellText(2, 1, QStringLiteral(" 1"));
        b.setCellText(2, 2, QStringLiteral("eccellente"));
        b.setCellText(2, 2, QStringLiteral("ottimo"));     // written again: replaced
        b.setCellText(3, 2, QStringLiteral("due\rrighe")); // two paragraphs in one cell
        b.setCellText(13, 1, QStringLiteral("fuori"));     // no such row: nothing written
        b.setCellText(1, 3, QStringLiteral("fuori"));
        b.appendParagraph();
        b.appendTable(30, 4);
        b.appendTable(0, 4); // no table
        b.setCellText(30, 4, QStringLiteral("ultima"));
        QTextDocument* document = b.document();

        const QList<QTextTable*> tables = tablesOf(document);
        QCOMPARE(tables.size(), 2);
        QCOMPARE(tables.at(0)->rows(), 12);
        QCOMPARE(tables.at(0)->columns(), 2);
        QCOMPARE(tables.at(1)->rows(), 30);
        QCOMPARE(tables.at(1)->columns(), 4);
        QCOMPARE(cellText(tables.at(0), 0, 0), QStringLiteral("numero"));
        QCOMPARE(cellText(tables.at(0), 0, 1), QStringLiteral("scala dei giudizi"));
        QCOMPARE(cellText(tables.at(0), 1, 0), QStringLiteral(" 1"));
        QCOMPARE(cellText(tables.at(0), 1, 1), QStringLiteral("ottimo"));
        QCOMPARE(cellText(tables.at(0), 2, 1), QStringLiteral("due\nrighe"));
        QCOMPARE(cellText(tables.at(0), 11, 0), QString());
        QCOMPARE(cellText(tables.at(1), 29, 3), QStringLiteral("ultima"));
        QVERIFY(!document->toPlainText().contains(QStringLiteral("fuori")));
        // Empty cells are as high as the table's text, not as the paragraph's.
        const auto height = [&](int row, int column) {
            const QTextBlock block = document->findBlock(tables.at(0)->cellAt(row, column).firstPosition());
            return document->documentLayout()->blockBoundingRect(block).height();
        };
        QCOMPARE(height(11, 0), height(1, 0));
        QVERIFY(height(11, 1) < 1.1 * height(1, 1));
    }

    void tableSize_reachesTextWrittenBeforeAndEmptyCells()
    {
        TextDocumentBuilder b;
        b.appendTable(2, 2);
        b.setCellText(1, 1, QStringLiteral("prima"));
        b.setTableFontSize(8);
        b.setCellText(2, 2, QStringLiteral("dopo"));
        QTextTable* table = tablesOf(b.document()).first();
        QCOMPARE(cellTextFormat(table, 0, 0).fontPointSize(), 8.0);
        QCOMPARE(cellTextFormat(table, 1, 1).fontPointSize(), 8.0);
        QCOMPARE(table->cellAt(1, 0).format().fontPointSize(), 8.0);
    }

    void tableFormat_shadedBoldHeaderBandedRows_plainTableBordered()
    {
        TextDocumentBuilder b;
        b.appendTable(4, 3);
        b.setTableFontSize(10);
        b.setCellText(1, 1, QStringLiteral("n."));
        b.setCellText(2, 1, QStringLiteral(" 1"));
        b.applyTableFormat(ColourfulTableFormat);
        b.setCellText(1, 2, QStringLiteral("caratteristiche considerate"));
        b.setCellText(3, 2, QStringLiteral("costo"));
        b.applyTableFormat(ColourfulTableFormat); // again after a row, as the printouts do
        b.appendParagraph();
        fillTable(b, 3, 2);
        b.applyTableFormat(2); // not the program's table look: left as it is
        QTextDocument* document = b.document();
        const QList<QTextTable*> tables = tablesOf(document);
        QTextTable* coloured = tables.at(0);
        QTextTable* plain = tables.at(1);

        QCOMPARE(coloured->format().headerRowCount(), 1);
        QCOMPARE(coloured->format().width(), QTextLength(QTextLength::PercentageLength, 100));
        QVERIFY(coloured->cellAt(1, 1).format().toTableCellFormat().leftPadding() > 3);
        QCOMPARE(coloured->cellAt(1, 1).format().toTableCellFormat().topPadding(), 0.0);
        for (int c = 0; c < 3; ++c) {
            const QColor shade = coloured->cellAt(0, c).format().background().color();
            QVERIFY2(shade.lightness() < 110, qPrintable(shade.name()));
        }
        for (int c : {0, 1}) {
            QCOMPARE(cellTextFormat(coloured, 0, c).fontWeight(), int(QFont::Bold));
            QCOMPARE(cellTextFormat(coloured, 0, c).foreground().color(), QColor(Qt::white));
        }
        QVERIFY(cellTextFormat(coloured, 1, 0).fontWeight() != QFont::Bold);
        QCOMPARE(cellTextFormat(coloured, 2, 1).foreground().style(), Qt::NoBrush);
        const QColor band1 = coloured->cellAt(1, 0).format().background().color();
        const QColor band2 = coloured->cellAt(2, 0).format().background().color();
        QVERIFY(band1.lightness() > 190 && band2.lightness() > 190);
        QVERIFY(band1 != band2);
        QCOMPARE(coloured->cellAt(3, 2).format().background().color(), band1);

        QCOMPARE(plain->format().headerRowCount(), 0);
        QVERIFY(plain->format().border() > 0);
        QCOMPARE(plain->format().borderStyle(), QTextFrameFormat::BorderStyle_Solid);
        QCOMPARE(plain->cellAt(0, 0).format().background().style(), Qt::NoBrush);
        QVERIFY(cellTextFormat(plain, 0, 0).fontWeight() != QFont::Bold);
    }

    void alignColumn_rightAlignsExactlyThatColumnOfThatTable()
    {
        TextDocumentBuilder b;
        fillTable(b, 3, 3);
        b.appendParagraph();
        fillTable(b, 3, 3);
        b.setCellText(3, 2, QStringLiteral("a\rb"));
        b.alignColumn(2, 2, ParagraphAlignment::Right);
        b.alignColumn(3, 1, ParagraphAlignment::Right); // no such table
        b.alignColumn(1, 4, ParagraphAlignment::Right); // no such column
        QTextDocument* document = b.document();
        const QList<QTextTable*> tables = tablesOf(document);

        for (int t = 0; t < 2; ++t) {
            for (int r = 0; r < 3; ++r) {
                for (int c = 0; c < 3; ++c) {
                    const bool right = t == 1 && c == 1;
                    QVERIFY2(bool(cellAlignment(tables.at(t), r, c) & Qt::AlignRight) == right,
                             qPrintable(
                                 QStringLiteral("tabella %1, cella %2,%3").arg(t + 1).arg(r + 1).arg(c + 1)));
                }
            }
        }
        // Every paragraph of a cell of the column.
        const QTextBlock second = document->find(QStringLiteral("b")).block();
        QCOMPARE(second.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    }

    void justifyAll_theTextNotTheCells_headersCentred()
    {
        TextDocumentBuilder b;
        b.typeText(QStringLiteral("RELAZIONE DI STIMA\r\r"));
        b.appendParagraph();
        fillTable(b, 3, 4);
        b.applyTableFormat(ColourfulTableFormat);
        b.writeEndParagraph(QStringLiteral("\ril perito\r(Studio)"));
        b.justifyAll();
        b.alignColumn(1, 3, ParagraphAlignment::Decimal);
        QTextDocument* document = b.document();

        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            const QTextTable* table = QTextCursor(block).currentTable();
            const QTextTableCell cell = table ? table->cellAt(block.position()) : QTextTableCell();
            const Qt::Alignment expected = !table               ? Qt::AlignJustify
                                           : cell.row() == 0    ? Qt::AlignHCenter
                                           : cell.column() == 2 ? Qt::AlignRight
                                                                : Qt::AlignLeft;
            QVERIFY2((block.blockFormat().alignment() & Qt::AlignHorizontal_Mask) == expected,
                     qPrintable(block.text()));
        }
    }

    void pageCount_growsWithContent_andMatchesThePdf()
    {
        QTemporaryDir folder;
        TextDocumentBuilder b;
        b.setFontName(QStringLiteral("Century Gothic"));
        b.setFontSize(12);
        b.typeText(QStringLiteral("Titolo\r"));
        QCOMPARE(b.pageCount(), 1);
        const PagedDocument* once = &b.pages();
        QCOMPARE(b.pageCount(), 1);
        QCOMPARE(&b.pages(), once); // asking again lays nothing out again
        b.typeText(QStringLiteral("\fseconda pagina\r"));
        QCOMPARE(b.pageCount(), 2);
        b.appendParagraph();
        fillTable(b, 150, 6);
        b.applyTableFormat(ColourfulTableFormat);
        const int withTable = b.pageCount();
        QVERIFY2(withTable >= 4, qPrintable(QString::number(withTable)));

        // The pages counted are the pages written.
        const QString counted = QDir(folder.path()).filePath(QStringLiteral("contate.pdf"));
        QVERIFY(exportPages(b.pages(), counted, nullptr));
        QCOMPARE(pdfPages(counted), withTable);

        for (int i = 0; i < 80; ++i) {
            b.writeEndParagraph(QStringLiteral("\rriga di chiusura %1").arg(i));
        }
        b.justifyAll();
        b.alignColumn(1, 4, ParagraphAlignment::Right);
        const int pages = b.pageCount();
        QVERIFY(pages > withTable);
        const QString written = QDir(folder.path()).filePath(QStringLiteral("finito.pdf"));
        QString error;
        QVERIFY2(exportPages(b.pages(), written, &error), qPrintable(error));
        QCOMPARE(pdfPages(written), pages);

        // Handed over to a window, the document carries its pages while nobody edits it, then
        // is laid out afresh from what it holds: the same pages for the same text.
        std::unique_ptr<QTextDocument> taken = b.takeDocument();
        QVERIFY(taken->isUndoRedoEnabled());
        QVERIFY(!taken->isModified());
        QVERIFY(attachedPages(*taken) != nullptr);
        QCOMPARE(pagesOf(*taken)->pageCount(), pages);
        QTextCursor(taken.get()).insertText(QStringLiteral("x"));
        QVERIFY(attachedPages(*taken) == nullptr);
        QCOMPARE(pagesOf(*taken)->pageCount(), pages);
        const QString copied = QDir(folder.path()).filePath(QStringLiteral("copia.pdf"));
        QVERIFY(exportDocument(*taken, copied, nullptr));
        QCOMPARE(pdfPages(copied), pages);
        // Justified and aligned as built, after the round trip too.
        QTextTable* table = tablesOf(taken.get()).first();
        for (int r : {0, 75, 149}) {
            QCOMPARE(cellAlignment(table, r, 3), r == 0 ? Qt::AlignHCenter : Qt::AlignRight);
            QCOMPARE(cellAlignment(table, r, 2), r == 0 ? Qt::AlignHCenter : Qt::AlignLeft);
        }

        // The builder starts afresh.
        QVERIFY(b.document()->toPlainText().isEmpty());
        QVERIFY(tablesOf(b.document()).isEmpty());
    }

    void pdf_isA4WithTheMargins()
    {
        QTemporaryDir folder;
        TextDocumentBuilder b;
        b.typeText(QStringLiteral("x\r"));
        fillTable(b, 3, 3);
        const QString path = QDir(folder.path()).filePath(QStringLiteral("a4.pdf"));
        QVERIFY(exportPages(b.pages(), path, nullptr));
        const QString pdf = QString::fromLatin1(testsupport::readablePdf(path));
        // A4 in whole points, as Qt writes it too.
        QVERIFY2(
            pdf.contains(QRegularExpression(QStringLiteral("/MediaBox \\[0 0 595(\\.0*)? 842(\\.0*)?\\]"))),
            qPrintable(pdf.left(2000)));
        // Everything drawn lies within the margins of 20 mm.
        QPicture picture;
        QPainter painter(&picture);
        PagePainter(b.pages()).paint(painter, 0);
        painter.end();
        const QRectF drawn = picture.boundingRect();
        const double margin = 20 / 25.4 * 72;
        QVERIFY2(drawn.left() >= margin - 1 && drawn.top() >= margin - 1,
                 qPrintable(QString::number(drawn.left())));
        QVERIFY(drawn.right() <= 595.28 - margin + 1);
    }

    void exportFormats_andTheirFailures()
    {
        QTemporaryDir folder;
        TextDocumentBuilder b;
        b.typeText(QStringLiteral("Città di prova\r"));
        fillTable(b, 2, 2);
        const QTextDocument& document = *b.document();

        const QString html = QDir(folder.path()).filePath(QStringLiteral("relazione.html"));
        QVERIFY(exportDocument(document, html, nullptr));
        const QString page = QString::fromUtf8(readAll(html));
        QVERIFY(page.contains(QStringLiteral("Città di prova")));
        QVERIFY(page.contains(QStringLiteral("<title>relazione</title>")));
        QVERIFY(page.contains(QStringLiteral("Century Gothic")));

        const QString htm = QDir(folder.path()).filePath(QStringLiteral("pagina.HTM"));
        QVERIFY(exportDocument(document, htm, nullptr));
        QVERIFY(readAll(htm).startsWith("<!DOCTYPE"));

        const QString pdf = QDir(folder.path()).filePath(QStringLiteral("relazione.pdf"));
        QVERIFY(exportDocument(document, pdf, nullptr));
        QVERIFY(readAll(pdf).startsWith("%PDF"));

        const QString docx = QDir(folder.path()).filePath(QStringLiteral("relazione.docx"));
        QString error;
        QVERIFY2(exportDocument(document, docx, &error), qPrintable(error));
        QVERIFY(readAll(docx).startsWith("PK"));

        for (const QString& name :
             {QStringLiteral("manca/relazione.pdf"), QStringLiteral("manca/relazione.html"),
              QStringLiteral("manca/relazione.docx")}) {
            const QString path = QDir(folder.path()).filePath(name);
            error.clear();
            QVERIFY(!exportDocument(document, path, &error));
            QVERIFY2(error.contains(QStringLiteral("«%1»").arg(QDir::toNativeSeparators(path))),
                     qPrintable(error));
            QVERIFY(!QFile::exists(path));
        }
        error.clear();
        QVERIFY(!exportDocument(document,
                                QDir(folder.path())
                                    .filePath(QStringLiteral("relazione.pdf"))
                                    .replace(QStringLiteral(".pdf"), QStringLiteral(".odt")),
                                &error));
        QVERIFY(error.startsWith(QStringLiteral("Il file «")));
        QVERIFY(error.contains(QStringLiteral(".odt")));
        QVERIFY(!exportDocument(document, QDir(folder.path()).filePath(QStringLiteral("senzaestensione")),
                                nullptr));

        // A failed export leaves the file that was there.
        QFile::remove(pdf);
        QVERIFY(QFile::copy(html, pdf));
        const QByteArray before = readAll(pdf);
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("cartella.pdf")));
        QVERIFY(
            !exportDocument(document, QDir(folder.path()).filePath(QStringLiteral("cartella.pdf")), nullptr));
        QCOMPARE(readAll(pdf), before);
        // Every format names the cause in Italian.
        for (const QString& name : {QStringLiteral("cartella.pdf"), QStringLiteral("cartella.docx"),
                                    QStringLiteral("cartella.html")}) {
            QDir(folder.path()).mkdir(name);
            QVERIFY(!exportDocument(document, QDir(folder.path()).filePath(name), &error));
            QVERIFY2(error.endsWith(QStringLiteral(": è una cartella.")), qPrintable(error));
        }

        QCOMPARE(exportFilters(), (QStringList{QStringLiteral("Documento PDF (*.pdf)"),
                                               QStringLiteral("Documento Word (*.docx)"),
                                               QStringLiteral("Pagina web (*.html)")}));
    }
};

QTEST_MAIN(TestTextDocumentBuilder)
#include "tst_textdocumentbuilder.moc"
