#include "reports/docxwriter.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QXmlStreamReader>

#include <zip.h>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

#include <memory>
#include <vector>

using namespace pondra;
using namespace Qt::StringLiterals;

namespace {

const QString Escaped = u"Costi & ricavi <netti>: più  perché"_s;

// Just enough of a DOM to ask the package precise questions.
struct Element {
    QString name;
    QMap<QString, QString> attributes;
    QString chars;
    std::vector<Element> children;

    std::vector<const Element*> all(const QString& wanted, bool deep = true) const
    {
        std::vector<const Element*> found;
        for (const Element& c : children) {
            if (c.name == wanted) {
                found.push_back(&c);
            }
            if (deep) {
                const auto below = c.all(wanted);
                found.insert(found.end(), below.begin(), below.end());
            }
        }
        return found;
    }
    // "w:pPr/w:jc": the first element along the path.
    const Element* find(const QString& path) const
    {
        const Element* e = this;
        for (const QString& step : path.split(u'/')) {
            const auto next = e->all(step, false);
            if (next.empty()) {
                return nullptr;
            }
            e = next.front();
        }
        return e;
    }
    // "w:pPr/w:jc@w:val": an attribute along the path, or "(none)" when the element is missing.
    QString value(const QString& pathAndAttribute) const
    {
        const qsizetype at = pathAndAttribute.indexOf(u'@');
        const Element* e = find(pathAndAttribute.left(at));
        return e ? e->attributes.value(pathAndAttribute.mid(at + 1)) : u"(none)"_s;
    }
    bool has(const QString& path) const { return find(path) != nullptr; }
    // The text Word shows: runs' texts, breaks as '\n' or '\f', tabs as '\t'.
    QString text() const
    {
        QString t;
        for (const Element& c : children) {
            if (c.name == u"w:t") {
                t += c.chars;
            } else if (c.name == u"w:br") {
                t += c.attributes.value(u"w:type"_s) == u"page" ? u'\f' : u'\n';
            } else if (c.name == u"w:tab") {
                t += u'\t';
            } else {
                t += c.text();
            }
        }
        return t;
    }
};

Element parseXml(const QByteArray& xml, QString* error = nullptr)
{
    Element root;
    std::vector<Element*> open{&root};
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            Element e;
            e.name = reader.qualifiedName().toString();
            for (const QXmlStreamAttribute& a : reader.attributes()) {
                e.attributes.insert(a.qualifiedName().toString(), a.value().toString());
            }
            open.back()->children.push_back(std::move(e));
            open.push_back(&open.back()->children.back());
        } else if (reader.isEndElement()) {
            open.pop_back();
        } else if (reader.isCharacters()) {
            open.back()->chars += reader.text();
        }
    }
    if (error && reader.hasError()) {
        *error = reader.errorString();
    }
    return root;
}

// The package's parts by name, in the order stored.
std::vector<std::pair<QString, QByteArray>> readPackage(const QString& path)
{
    std::vector<std::pair<QString, QByteArray>> parts;
    zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, nullptr);
    for (zip_int64_t i = 0; zip && i < zip_get_num_entries(zip, 0); ++i) {
        zip_stat_t stat;
        zip_file_t* file = zip_stat_index(zip, zip_uint64_t(i), 0, &stat) == 0
                               ? zip_fopen_index(zip, zip_uint64_t(i), 0)
                               : nullptr;
        if (file) {
            QByteArray data(qsizetype(stat.size), Qt::Uninitialized);
            if (zip_fread(file, data.data(), stat.size) == zip_int64_t(stat.size)) {
                parts.emplace_back(QString::fromUtf8(stat.name), data);
            }
            zip_fclose(file);
        }
    }
    if (zip) {
        zip_close(zip);
    }
    return parts;
}

QByteArray part(const QString& path, const QString& name)
{
    for (const auto& [partName, data] : readPackage(path)) {
        if (partName == name) {
            return data;
        }
    }
    return {};
}

QTextCharFormat textFormat(double points, bool bold = false, const QColor& colour = QColor())
{
    QTextCharFormat f;
    f.setFontFamilies({u"Century Gothic"_s, u"URW Gothic"_s, u"DejaVu Sans"_s});
    f.setFontPointSize(points);
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    if (colour.isValid()) {
        f.setForeground(colour);
    }
    return f;
}

void addParagraph(QTextCursor& cursor, const QString& text, const QTextCharFormat& format,
                  Qt::Alignment alignment = Qt::AlignLeft, bool pageBreak = false)
{
    QTextBlockFormat block;
    block.setAlignment(alignment);
    block.setPageBreakPolicy(pageBreak ? QTextFormat::PageBreak_AlwaysBefore : QTextFormat::PageBreak_Auto);
    if (cursor.atStart()) {
        cursor.setBlockFormat(block);
        cursor.setBlockCharFormat(format);
    } else {
        cursor.insertBlock(block, format);
    }
    cursor.insertText(text, format);
}

const QStringList CellTexts{u"Ipotesi"_s, u"Valutazione"_s, u"Sede"_s, u"31,5"_s, u"Centro"_s, u"7"_s};

// A page of a report: headings, body text, a page break and a 3x2 table with a shaded header row.
std::unique_ptr<QTextDocument> reportDocument()
{
    auto document = std::make_unique<QTextDocument>();
    QTextCursor cursor(document.get());
    addParagraph(cursor, u"Relazione"_s, textFormat(20, true, QColor(0x1F, 0x38, 0x64)), Qt::AlignHCenter);
    addParagraph(cursor, Escaped, textFormat(11), Qt::AlignJustify);
    addParagraph(cursor, u"Roma, lunedì"_s, textFormat(11), Qt::AlignRight);
    addParagraph(cursor, QString(), textFormat(6));
    addParagraph(cursor, u"Dopo l'interruzione"_s + QChar(QChar::LineSeparator) + u"seconda riga"_s,
                 textFormat(12), Qt::AlignLeft, true);

    QTextTableFormat table;
    table.setHeaderRowCount(1);
    table.setColumnWidthConstraints(
        {QTextLength(QTextLength::PercentageLength, 70), QTextLength(QTextLength::PercentageLength, 30)});
    table.setBorder(1);
    table.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    table.setBorderBrush(QColor(0x80, 0x80, 0x80));
    table.setBorderCollapse(true);
    table.setCellPadding(3);
    cursor.insertBlock(QTextBlockFormat(), textFormat(10));
    QTextTable* t = cursor.insertTable(3, 2, table);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 2; ++column) {
            QTextTableCell cell = t->cellAt(row, column);
            QTextCursor c = cell.firstCursorPosition();
            QTextBlockFormat block;
            block.setAlignment(column == 1 && row > 0 ? Qt::AlignRight : Qt::AlignLeft);
            c.setBlockFormat(block);
            c.insertText(CellTexts.at(row * 2 + column),
                         row == 0 ? textFormat(10, true, Qt::white) : textFormat(10));
            if (row != 1) {
                QTextCharFormat shaded = cell.format();
                shaded.setBackground(row == 0 ? QColor(0x4F, 0x81, 0xBD) : QColor(0xDC, 0xE6, 0xF1));
                cell.setFormat(shaded);
            }
        }
    }
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(u"Fine"_s, textFormat(11));
    return document;
}

// The body of the written document, parsed.
Element writtenBody(const QTextDocument& document)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"r.docx"_s);
    QString error;
    if (!writeDocx(document, path, &error)) {
        qWarning() << error;
    }
    const Element root = parseXml(part(path, u"word/document.xml"_s), &error);
    const Element* body = root.find(u"w:document/w:body"_s);
    return body && error.isEmpty() ? *body : Element();
}

// A cell by row and position in the row, from 0.
const Element* rows0Cell(const Element* table, int row, int cell)
{
    return table->all(u"w:tr"_s, false).at(size_t(row))->all(u"w:tc"_s, false).at(size_t(cell));
}

QString prefixFor(const QString& path)
{
    return u"Il file «%1» non si può scrivere: "_s.arg(QDir::toNativeSeparators(path));
}

} // namespace

class TestDocxWriter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void package_holdsEveryPartWellFormed();
    void paragraphs_keepFontSizeWeightColourAndAlignment();
    void paragraphs_keepBreaksAndEmptyLines();
    void text_isEscapedWithSpacesAndAccentsKept();
    void table_keepsHeaderShadingBordersAndWidths();
    void table_fixedWidthsInQtUnitsAndMergedCells_data();
    void table_fixedWidthsInQtUnitsAndMergedCells();
    void table_bordersAsQtDrawsThem_data();
    void table_bordersAsQtDrawsThem();
    void emptyBlocksBesideTables_takeNoRoomAsInQt();
    void export_replacesFileOnlyWhenComplete();
};

void TestDocxWriter::package_holdsEveryPartWellFormed()
{
    const auto document = reportDocument();
    document->setMetaInformation(QTextDocument::DocumentTitle, u"Relazione & analisi"_s);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"r.docx"_s);
    QVERIFY(writeDocx(*document, path, nullptr));
    QMap<QString, QByteArray> parts;
    QStringList names;
    for (const auto& [name, data] : readPackage(path)) {
        names << name;
        parts.insert(name, data);
        QString error;
        parseXml(data, &error);
        QVERIFY2(error.isEmpty(), qPrintable(name + u": "_s + error));
    }
    // Readers that sniff the package expect the content types first.
    QCOMPARE(names.value(0), u"[Content_Types].xml"_s);
    for (const QString& name : {u"_rels/.rels"_s, u"word/document.xml"_s, u"word/_rels/document.xml.rels"_s,
                                u"word/styles.xml"_s, u"docProps/core.xml"_s, u"docProps/app.xml"_s}) {
        QVERIFY2(parts.contains(name), qPrintable(name));
    }
    QVERIFY(parts[u"[Content_Types].xml"_s].contains(
        "PartName=\"/word/document.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\""));
    QVERIFY(parts[u"_rels/.rels"_s].contains("Target=\"word/document.xml\""));
    // Every part the document refers to is there.
    const Element relationships = parseXml(parts[u"word/_rels/document.xml.rels"_s]);
    for (const Element* r : relationships.all(u"Relationship"_s)) {
        QVERIFY2(parts.contains(u"word/"_s + r->attributes[u"Target"_s]),
                 qPrintable(r->attributes[u"Target"_s]));
    }
    QVERIFY(parts[u"docProps/core.xml"_s].contains("<dc:title>Relazione &amp; analisi</dc:title>"));

    // A4 with 20 mm margins.
    const Element doc = parseXml(parts[u"word/document.xml"_s]);
    const Element* section = doc.find(u"w:document/w:body/w:sectPr"_s);
    QVERIFY(section);
    QCOMPARE(section->value(u"w:pgSz@w:w"_s), u"11906"_s);
    QCOMPARE(section->value(u"w:pgSz@w:h"_s), u"16838"_s);
    for (const QString& side : {u"w:top"_s, u"w:bottom"_s, u"w:left"_s, u"w:right"_s}) {
        QCOMPARE(section->value(u"w:pgMar@"_s + side), u"1134"_s);
    }

    // The Normal style carries the document's default font; paragraphs get no spacing Qt does not add.
    const Element styles = parseXml(parts[u"word/styles.xml"_s]);
    const auto styleList = styles.all(u"w:style"_s);
    const auto normal = std::find_if(styleList.begin(), styleList.end(), [](const Element* s) {
        return s->attributes[u"w:styleId"_s] == u"Normal";
    });
    QVERIFY(normal != styleList.end());
    const QFont font = document->defaultFont();
    QCOMPARE((*normal)->value(u"w:rPr/w:rFonts@w:ascii"_s), font.families().value(0, font.family()));
    QCOMPARE(styles.value(u"w:styles/w:docDefaults/w:pPrDefault/w:pPr/w:spacing@w:after"_s), u"0"_s);
}

void TestDocxWriter::paragraphs_keepFontSizeWeightColourAndAlignment()
{
    const Element body = writtenBody(*reportDocument());
    const auto paragraphs = body.all(u"w:p"_s, false);
    QVERIFY(paragraphs.size() >= 3);
    // The first family is the one Word names; the others are only for laying out.
    const Element* title = paragraphs[0];
    QCOMPARE(title->text(), u"Relazione"_s);
    for (const QString& script : {u"w:ascii"_s, u"w:hAnsi"_s, u"w:cs"_s}) {
        QCOMPARE(title->value(u"w:r/w:rPr/w:rFonts@"_s + script), u"Century Gothic"_s);
    }
    // Word counts sizes in half points.
    QCOMPARE(title->value(u"w:r/w:rPr/w:sz@w:val"_s), u"40"_s);
    QVERIFY(title->has(u"w:r/w:rPr/w:b"_s));
    QCOMPARE(title->value(u"w:r/w:rPr/w:color@w:val"_s), u"1F3864"_s);
    QCOMPARE(paragraphs[1]->value(u"w:r/w:rPr/w:sz@w:val"_s), u"22"_s);
    QVERIFY(!paragraphs[1]->has(u"w:r/w:rPr/w:b"_s));
    QVERIFY(!paragraphs[1]->has(u"w:r/w:rPr/w:color"_s));

    const QStringList alignments{u"center"_s, u"both"_s, u"right"_s, u"(none)"_s};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(paragraphs[size_t(i)]->value(u"w:pPr/w:jc@w:val"_s), alignments.at(i));
    }

    // Mixed formats in one paragraph stay separate runs, in order; a half point is kept.
    QTextDocument mixed;
    QTextCursor cursor(&mixed);
    cursor.insertText(u"normale "_s, textFormat(10.5));
    cursor.insertText(u"grassetto"_s, textFormat(10.5, true));
    QTextCharFormat italic = textFormat(9);
    italic.setFontItalic(true);
    italic.setFontUnderline(true);
    cursor.insertText(u" corsivo"_s, italic);
    const Element mixedBody = writtenBody(mixed);
    const auto runs = mixedBody.all(u"w:r"_s);
    QCOMPARE(runs.size(), size_t(3));
    QCOMPARE(runs[0]->text() + u'|' + runs[1]->text() + u'|' + runs[2]->text(),
             u"normale |grassetto| corsivo"_s);
    QCOMPARE(runs[0]->value(u"w:rPr/w:sz@w:val"_s), u"21"_s);
    QVERIFY(!runs[0]->has(u"w:rPr/w:b"_s));
    QVERIFY(runs[1]->has(u"w:rPr/w:b"_s));
    QVERIFY(runs[2]->has(u"w:rPr/w:i"_s));
    QCOMPARE(runs[2]->value(u"w:rPr/w:u@w:val"_s), u"single"_s);
    QCOMPARE(runs[2]->value(u"w:rPr/w:sz@w:val"_s), u"18"_s);
}

void TestDocxWriter::paragraphs_keepBreaksAndEmptyLines()
{
    const Element body = writtenBody(*reportDocument());
    const auto paragraphs = body.all(u"w:p"_s, false);
    // Every block is a paragraph, the empty one for spacing included; only the empty block that
    // holds the table's place, which Qt gives no height, is left out.
    QCOMPARE(paragraphs.size(), size_t(6));
    QCOMPARE(paragraphs[5]->text(), u"Fine"_s);
    // The empty paragraph keeps its size in its mark, which sets its height.
    QCOMPARE(paragraphs[3]->text(), QString());
    QVERIFY(!paragraphs[3]->has(u"w:r"_s));
    QCOMPARE(paragraphs[3]->value(u"w:pPr/w:rPr/w:sz@w:val"_s), u"12"_s);
    // The page break goes with its paragraph and no other; a line separator breaks the line only.
    int breaks = 0;
    for (const Element* p : body.all(u"w:p"_s)) {
        breaks += p->has(u"w:pPr/w:pageBreakBefore"_s);
    }
    QCOMPARE(breaks, 1);
    QVERIFY(paragraphs[4]->has(u"w:pPr/w:pageBreakBefore"_s));
    QCOMPARE(paragraphs[4]->text(), u"Dopo l'interruzione\nseconda riga"_s);

    // A break after a block lands on the next paragraph; a form feed in the text breaks in place.
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextBlockFormat after;
    after.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysAfter);
    cursor.setBlockFormat(after);
    cursor.insertText(u"uno"_s);
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertText(u"due\fdue bis\ttab"_s);
    const Element small = writtenBody(document);
    const auto ps = small.all(u"w:p"_s, false);
    QCOMPARE(ps.size(), size_t(2));
    QVERIFY(!ps[0]->has(u"w:pPr/w:pageBreakBefore"_s));
    QVERIFY(ps[1]->has(u"w:pPr/w:pageBreakBefore"_s));
    QCOMPARE(ps[1]->text(), u"due\fdue bis\ttab"_s);

    // An empty document is still a body Word opens: one paragraph, then the section.
    const Element empty = writtenBody(QTextDocument());
    QCOMPARE(empty.all(u"w:p"_s, false).size(), size_t(1));
    QCOMPARE(empty.children.back().name, u"w:sectPr"_s);
}

void TestDocxWriter::text_isEscapedWithSpacesAndAccentsKept()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"r.docx"_s);
    QVERIFY(writeDocx(*reportDocument(), path, nullptr));
    const QByteArray xml = part(path, u"word/document.xml"_s);
    QVERIFY(xml.contains("<w:t xml:space=\"preserve\">Costi &amp; ricavi &lt;netti&gt;: più  perché</w:t>"));
    QVERIFY(xml.contains("Roma, luned\xc3\xac"));
    const Element root = parseXml(xml);
    const auto paragraphs = root.all(u"w:p"_s);
    QVERIFY(std::any_of(paragraphs.begin(), paragraphs.end(),
                        [](const Element* p) { return p->text() == Escaped; }));

    // Characters XML cannot hold are left out rather than making the file unreadable.
    QTextDocument control;
    QTextCursor(&control).insertText(u"a"_s + QChar(0x01) + u"b"_s + QChar(0xFFFF) + u"c\U0001F600"_s);
    const Element body = writtenBody(control);
    QCOMPARE(body.all(u"w:p"_s).size(), size_t(1));
    QCOMPARE(body.all(u"w:p"_s)[0]->text(), u"abc\U0001F600"_s);
}

void TestDocxWriter::table_keepsHeaderShadingBordersAndWidths()
{
    const Element body = writtenBody(*reportDocument());
    const auto tables = body.all(u"w:tbl"_s);
    QCOMPARE(tables.size(), size_t(1));
    const Element* table = tables[0];

    // 70 % and 30 % of the 170 mm text width, kept as set rather than fitted to the text.
    const auto columns = table->all(u"w:gridCol"_s);
    QCOMPARE(columns.size(), size_t(2));
    QCOMPARE(columns[0]->attributes[u"w:w"_s], u"6747"_s);
    QCOMPARE(columns[1]->attributes[u"w:w"_s], u"2891"_s);
    QCOMPARE(table->value(u"w:tblPr/w:tblLayout@w:type"_s), u"fixed"_s);
    // Lengths are in Qt's 96-dpi units: a 1-unit grey line is 3/4 point, a padding of 3 units 45 twips.
    for (const QString& side :
         {u"w:top"_s, u"w:left"_s, u"w:bottom"_s, u"w:right"_s, u"w:insideH"_s, u"w:insideV"_s}) {
        const QString border = u"w:tblPr/w:tblBorders/"_s + side;
        QCOMPARE(table->value(border + u"@w:val"_s), u"single"_s);
        QCOMPARE(table->value(border + u"@w:sz"_s), u"6"_s);
        QCOMPARE(table->value(border + u"@w:color"_s), u"808080"_s);
    }
    QCOMPARE(table->value(u"w:tblPr/w:tblCellMar/w:left@w:w"_s), u"45"_s);

    const auto rows = table->all(u"w:tr"_s, false);
    QCOMPARE(rows.size(), size_t(3));
    // The header row repeats on each page; the others do not.
    QVERIFY(rows[0]->has(u"w:trPr/w:tblHeader"_s));
    QVERIFY(!rows[1]->has(u"w:trPr/w:tblHeader"_s));
    const QStringList fills{u"4F81BD"_s, u"(none)"_s, u"DCE6F1"_s};
    for (int r = 0; r < 3; ++r) {
        const auto cells = rows[size_t(r)]->all(u"w:tc"_s, false);
        QCOMPARE(cells.size(), size_t(2));
        for (int c = 0; c < 2; ++c) {
            const Element* cell = cells[size_t(c)];
            QCOMPARE(cell->value(u"w:tcPr/w:shd@w:fill"_s), fills.at(r));
            QCOMPARE(cell->value(u"w:tcPr/w:tcW@w:w"_s), columns[size_t(c)]->attributes[u"w:w"_s]);
            QCOMPARE(cell->all(u"w:p"_s).size(), size_t(1));
            QCOMPARE(cell->text(), CellTexts.at(r * 2 + c));
            // Bold white text on the header; the cell's shading stays off the paragraph's end.
            QCOMPARE(cell->has(u"w:p/w:r/w:rPr/w:b"_s), r == 0);
            QCOMPARE(cell->value(u"w:p/w:r/w:rPr/w:color@w:val"_s), r == 0 ? u"FFFFFF"_s : u"(none)"_s);
            QVERIFY(!cell->has(u"w:p/w:pPr/w:rPr/w:shd"_s));
            QCOMPARE(cell->value(u"w:p/w:pPr/w:jc@w:val"_s), c == 1 && r > 0 ? u"right"_s : u"(none)"_s);
        }
    }
}

void TestDocxWriter::table_fixedWidthsInQtUnitsAndMergedCells_data()
{
    QTest::addColumn<QSizeF>("pageSize");
    QTest::newRow("as built, no page size") << QSizeF();
    // As the page count and the PDF lay it out: A4 on a 1200-dpi device.
    QTest::newRow("laid out in pages") << QSizeF(9921, 14031);
}

void TestDocxWriter::table_fixedWidthsInQtUnitsAndMergedCells()
{
    // Format lengths are in Qt's 96-dpi units whatever device the document is laid out on.
    QFETCH(QSizeF, pageSize);
    QTextDocument document;
    if (pageSize.isValid()) {
        document.setPageSize(pageSize);
    }
    QTextTableFormat format;
    format.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 96), QTextLength(),
                                      QTextLength(QTextLength::FixedLength, 48)});
    format.setHeaderRowCount(2);
    QTextTable* table = QTextCursor(&document).insertTable(3, 3, format);
    table->mergeCells(0, 0, 1, 2);
    table->mergeCells(1, 2, 2, 1);
    table->cellAt(0, 0).firstCursorPosition().insertText(u"unita"_s);
    table->cellAt(1, 2).firstCursorPosition().insertText(u"alta"_s);

    const Element body = writtenBody(document);
    QCOMPARE(body.all(u"w:tbl"_s).size(), size_t(1));
    const Element* t = body.all(u"w:tbl"_s)[0];
    // One inch, the rest of the text width, half an inch.
    QStringList widths;
    for (const Element* column : t->all(u"w:gridCol"_s)) {
        widths << column->attributes[u"w:w"_s];
    }
    QCOMPARE(widths, (QStringList{u"1440"_s, QString::number(9638 - 1440 - 720), u"720"_s}));
    // The column Qt fits to its content is left to Word's own fitting.
    QCOMPARE(t->value(u"w:tblPr/w:tblLayout@w:type"_s), u"(none)"_s);
    QCOMPARE(rows0Cell(t, 2, 1)->value(u"w:tcPr/w:tcW@w:type"_s), u"auto"_s);
    QCOMPARE(rows0Cell(t, 2, 2)->value(u"w:tcPr/w:tcW@w:w"_s), u"720"_s);

    const auto rows = t->all(u"w:tr"_s, false);
    QCOMPARE(rows.size(), size_t(3));
    QVERIFY(rows[1]->has(u"w:trPr/w:tblHeader"_s));
    QVERIFY(!rows[2]->has(u"w:trPr/w:tblHeader"_s));
    // Every row covers the three grid columns, and every cell ends with a paragraph.
    for (const Element* row : rows) {
        int covered = 0;
        for (const Element* cell : row->all(u"w:tc"_s, false)) {
            const QString span = cell->value(u"w:tcPr/w:gridSpan@w:val"_s);
            covered += span == u"(none)" ? 1 : span.toInt();
            QCOMPARE(cell->children.back().name, u"w:p"_s);
        }
        QCOMPARE(covered, 3);
    }
    const Element* wide = rows[0]->all(u"w:tc"_s, false).at(0);
    QCOMPARE(wide->value(u"w:tcPr/w:gridSpan@w:val"_s), u"2"_s);
    QCOMPARE(wide->value(u"w:tcPr/w:tcW@w:type"_s), u"auto"_s);
    QCOMPARE(wide->text(), u"unita"_s);
    const Element* tall = rows[1]->all(u"w:tc"_s, false).at(2);
    QCOMPARE(tall->value(u"w:tcPr/w:vMerge@w:val"_s), u"restart"_s);
    QCOMPARE(tall->text(), u"alta"_s);
    const Element* below = rows[2]->all(u"w:tc"_s, false).at(2);
    QCOMPARE(below->value(u"w:tcPr/w:vMerge@w:val"_s), QString());
    QCOMPARE(below->text(), QString());
}

void TestDocxWriter::table_bordersAsQtDrawsThem_data()
{
    QTest::addColumn<bool>("collapse");
    QTest::addColumn<double>("spacing");
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("eighths");
    QTest::addColumn<QString>("cellSpacing");
    const int solid = QTextFrameFormat::BorderStyle_Solid;
    QTest::newRow("collapsed") << true << 0.0 << solid << u"single"_s << u"6"_s << u"(none)"_s;
    // Each cell's own border meets its neighbour's and the table's: every line is twice as wide.
    QTest::newRow("separate, no spacing") << false << 0.0 << solid << u"single"_s << u"12"_s << u"(none)"_s;
    // Word counts the spacing on each side of a cell: 4 units between cells is 30 twips a side.
    QTest::newRow("separate, spaced") << false << 4.0 << solid << u"single"_s << u"6"_s << u"30"_s;
    QTest::newRow("dashed") << true << 0.0 << int(QTextFrameFormat::BorderStyle_Dashed) << u"dashed"_s
                            << u"6"_s << u"(none)"_s;
    // Without borders none shows, whatever Word's table style would draw.
    QTest::newRow("no style") << true << 0.0 << int(QTextFrameFormat::BorderStyle_None) << u"nil"_s
                              << QString() << u"(none)"_s;
}

void TestDocxWriter::table_bordersAsQtDrawsThem()
{
    QFETCH(bool, collapse);
    QFETCH(double, spacing);
    QFETCH(int, style);
    QFETCH(QString, line);
    QFETCH(QString, eighths);
    QFETCH(QString, cellSpacing);
    QTextDocument document;
    QTextTableFormat format;
    format.setBorder(1);
    format.setBorderCollapse(collapse);
    format.setCellSpacing(spacing);
    format.setBorderStyle(QTextFrameFormat::BorderStyle(style));
    QTextCursor(&document).insertTable(2, 2, format);

    const Element body = writtenBody(document);
    const Element* properties = body.find(u"w:tbl/w:tblPr"_s);
    QVERIFY(properties);
    for (const QString& side : {u"w:top"_s, u"w:insideH"_s, u"w:insideV"_s}) {
        QCOMPARE(properties->value(u"w:tblBorders/"_s + side + u"@w:val"_s), line);
        QCOMPARE(properties->value(u"w:tblBorders/"_s + side + u"@w:sz"_s), eighths);
    }
    QCOMPARE(properties->value(u"w:tblCellSpacing@w:w"_s), cellSpacing);
}

void TestDocxWriter::emptyBlocksBesideTables_takeNoRoomAsInQt()
{
    const QTextCharFormat big = textFormat(20);
    auto tableTop = [](QTextDocument& d) {
        for (auto it = d.rootFrame()->begin(); !it.atEnd(); ++it) {
            if (it.currentFrame()) {
                return d.documentLayout()->frameBoundingRect(it.currentFrame()).top();
            }
        }
        return -1.0;
    };
    // What the writer relies on: Qt places a table the same with or without an empty block before it.
    QTextDocument direct;
    QTextCursor d(&direct);
    d.insertText(u"A"_s, big);
    d.insertTable(1, 1);
    QTextDocument document;
    QTextCursor c(&document);
    c.insertText(u"A"_s, big);
    c.insertBlock(QTextBlockFormat(), big);
    c.insertTable(1, 1);
    QCOMPARE(tableTop(document), tableTop(direct));

    // Then: a spacing line between the blocks holding the tables' places, a table, another right
    // after it, and the document's end after a third.
    c.movePosition(QTextCursor::End);
    c.insertBlock(QTextBlockFormat(), big);
    c.insertBlock(QTextBlockFormat(), big);
    for (int i = 0; i < 3; ++i) {
        c.insertTable(1, 1);
        c.movePosition(QTextCursor::End);
    }
    QStringList shape;
    const Element body = writtenBody(document);
    for (const Element& e : body.children) {
        if (e.name == u"w:sectPr") {
            continue;
        }
        const bool low = e.value(u"w:pPr/w:spacing@w:lineRule"_s) == u"exact" &&
                         e.value(u"w:pPr/w:spacing@w:line"_s).toInt() <= 20;
        shape << (e.name == u"w:tbl"   ? u"table"_s
                  : low                ? u"low"_s
                  : e.text().isEmpty() ? u"empty"_s
                                       : e.text());
    }
    // Word merges tables that touch and needs a paragraph after the last: those stay, one point low.
    QCOMPARE(shape, (QStringList{u"A"_s, u"table"_s, u"empty"_s, u"table"_s, u"low"_s, u"table"_s, u"low"_s,
                                 u"table"_s, u"low"_s}));

    // A page break on such a block still breaks before the table.
    QTextDocument broken;
    QTextCursor b(&broken);
    b.insertText(u"A"_s, big);
    QTextBlockFormat pageBreak;
    pageBreak.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    b.insertBlock(pageBreak, big);
    b.insertTable(1, 1);
    const Element brokenBody = writtenBody(broken);
    const auto paragraphs = brokenBody.all(u"w:p"_s, false);
    QCOMPARE(paragraphs.size(), size_t(3));
    QVERIFY(paragraphs[1]->has(u"w:pPr/w:pageBreakBefore"_s));
}

void TestDocxWriter::export_replacesFileOnlyWhenComplete()
{
    const auto document = reportDocument();
    QTemporaryDir dir;
    // A folder that cannot exist: its parent is a file.
    const QString blocker = dir.filePath(u"file"_s);
    QFile f(blocker);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    const QString impossible = blocker + u"/relazione.docx"_s;
    QString error;
    QVERIFY(!writeDocx(*document, impossible, &error));
    QVERIFY2(error.startsWith(prefixFor(impossible)), qPrintable(error));
    QVERIFY(!writeDocx(*document, impossible, nullptr));

#ifdef Q_OS_UNIX
    // The disk refuses the bytes midway (a file-size limit holds even for root): the old file stays whole.
    const QString path = dir.filePath(u"relazione.docx"_s);
    const QByteArray old(300, 'x');
    QFile target(path);
    QVERIFY(target.open(QIODevice::WriteOnly));
    target.write(old);
    target.close();
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = saved;
    tight.rlim_cur = 1024;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
    error.clear();
    const bool written = writeDocx(*document, path, &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(!written);
    QVERIFY2(error.startsWith(prefixFor(path)), qPrintable(error));
    QVERIFY(target.open(QIODevice::ReadOnly));
    QCOMPARE(target.readAll(), old);
    target.close();
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{u"file"_s, u"relazione.docx"_s}));
#endif

    // Once the export can complete, it replaces the old file and leaves nothing else behind.
    const QString replaced = dir.filePath(u"relazione.docx"_s);
    QVERIFY(writeDocx(*document, replaced, &error));
    QVERIFY(!part(replaced, u"word/document.xml"_s).isEmpty());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{u"file"_s, u"relazione.docx"_s}));
}

QTEST_MAIN(TestDocxWriter)
#include "tst_docxwriter.moc"
