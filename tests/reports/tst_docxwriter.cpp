#include "archive/datafile.h"
#include "model/identity.h"
#include "model/ranking.h"
#include "model/scoring.h"
#include "reports/docxwriter.h"
#include "reports/pagelayout.h"
#include "reports/pagesetup.h"
#include "reports/printouts.h"
#include "reports/textdocumentbuilder.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRawFont>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <zip.h>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

#include <algorithm>
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

// A report page through the builder: a heading kept with its table, justified text with escapes,
// a page break, a shaded table with a right-aligned column, a plain one, the page-count field
// and a signature block.
void reportPage(TextDocumentBuilder& b)
{
    b.setFontName(u"Century Gothic"_s);
    b.setFontSize(20);
    b.typeText(u"Relazione\r"_s);
    b.setFontSize(12);
    b.typeText(Escaped + u"\r\f"_s);
    b.appendParagraph();
    b.setEndParagraphSize(14);
    b.writeEndParagraph(u"\fA) DATI\r\r"_s);
    b.appendTable(3, 3);
    b.setTableFontSize(10);
    const QStringList texts{u"numero"_s,
                            u"caratteristiche considerate"_s,
                            u"valutazione in %"_s,
                            u" 1"_s,
                            u"Centro"_s,
                            u"31,5"_s,
                            u" 2"_s,
                            u"Periferia"_s,
                            u"7,0"_s};
    for (int i = 0; i < texts.size(); ++i) {
        b.setCellText(i / 3 + 1, i % 3 + 1, texts.at(i));
    }
    b.applyTableFormat(ColourfulTableFormat);
    b.appendParagraph();
    b.appendTable(2, 2);
    b.setCellText(1, 1, u"semplice"_s);
    b.writeEndParagraph(u"\rcomposta di n."_s);
    b.writeEndParagraphPageCount();
    b.writeEndParagraph(u" pagine.\r"_s);
    b.setKeepWithNext(true);
    b.writeEndParagraph(u"Roma: oggi\ril perito\r"_s);
    b.setKeepWithNext(false);
    b.writeEndParagraph(u"(Studio)"_s);
    b.justifyAll();
    b.alignColumn(1, 3, ParagraphAlignment::Right);
}

// A paragraph's look: its style's run properties, by the name of one ("w:sz@w:val").
QString styled(const Element* paragraph, const Element& styles, const QString& property)
{
    const QString id = paragraph->value(u"w:pPr/w:pStyle@w:val"_s);
    for (const Element* style : styles.all(u"w:style"_s)) {
        if (style->attributes.value(u"w:styleId"_s) == id) {
            return style->value(u"w:rPr/"_s + property);
        }
    }
    return u"(no style)"_s;
}

// The body of the written document, parsed.
Element writtenBody(const PagedDocument& pages, QString* styles = nullptr)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"r.docx"_s);
    QString error;
    if (!writeDocx(pages, path, &error)) {
        qWarning() << error;
    }
    if (styles) {
        *styles = QString::fromUtf8(part(path, u"word/styles.xml"_s));
    }
    const Element root = parseXml(part(path, u"word/document.xml"_s), &error);
    const Element* body = root.find(u"w:document/w:body"_s);
    return body && error.isEmpty() ? *body : Element();
}

// Where the pages are laid out in URW Gothic the package carries its faces.
bool carriesFaces(const PagedDocument& pages)
{
    return laidOutFamily(pages.content->families) == QLatin1StringView(LayoutFont);
}

// A carried face as it was: its first 32 bytes mixed again with the key's bytes, last first.
QByteArray unscrambled(QByteArray face, QString key)
{
    const QByteArray bytes = QByteArray::fromHex(key.remove(u'{').remove(u'}').remove(u'-').toLatin1());
    for (int i = 0; i < 32 && bytes.size() == 16; ++i) {
        face[i] = char(face[i] ^ bytes[15 - i % 16]);
    }
    return face;
}

// The shipped example's report, as `pondra --print relazione` writes it.
std::unique_ptr<TextDocumentBuilder> exampleReport()
{
    auto b = std::make_unique<TextDocumentBuilder>();
    Study study;
    TitlePage titlePage;
    QString error;
    if (!loadStudyFile(QStringLiteral(PONDRA_RESOURCES "/Pondra-dati-riscaldamento.txt"), study, titlePage,
                       &error)) {
        qWarning() << error;
        return b;
    }
    for (int h = 1; h <= study.countNamedHypotheses(); ++h) {
        Recalculate(study, h);
    }
    Ranking ranking;
    ordina(study, ranking);
    printReport(*b,
                {InitGlobals(), study, ranking, titlePage, {u"Studio Rossi"_s, {}, u"via Roma 1"_s, {}, {}}});
    return b;
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
    void paragraphs_looksBreaksBlankLinesAndKeeps();
    void tables_columnsOfThePagesFixedAndKept();
    void pageCount_isAFieldCachingOurCount();
    void export_replacesFileOnlyWhenComplete();
    void chart_svgWithPngFallbackAsLargeAsOnThePages_data();
    void chart_svgWithPngFallbackAsLargeAsOnThePages();
    void faces_carriedUnderTheDocumentsName_data();
    void faces_carriedUnderTheDocumentsName();
    void libreOffice_laysOutOurPages_data();
    void libreOffice_laysOutOurPages();
};

void TestDocxWriter::package_holdsEveryPartWellFormed()
{
    TextDocumentBuilder b;
    reportPage(b);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"r.docx"_s);
    QString error;
    QVERIFY2(writeDocx(b.pages(), path, &error), qPrintable(error));
    QStringList names;
    for (const auto& [name, data] : readPackage(path)) {
        names << name;
        if (name.endsWith(u".odttf")) {
            continue;
        }
        QString xmlError;
        parseXml(data, &xmlError);
        QVERIFY2(xmlError.isEmpty(), qPrintable(name + u": "_s + xmlError));
    }
    const QStringList faces = carriesFaces(b.pages())
                                  ? QStringList{u"word/_rels/fontTable.xml.rels"_s,
                                                u"word/fonts/font1.odttf"_s, u"word/fonts/font2.odttf"_s}
                                  : QStringList();
    const QStringList before{u"[Content_Types].xml"_s, u"_rels/.rels"_s,
                             u"word/document.xml"_s,   u"word/_rels/document.xml.rels"_s,
                             u"word/footer1.xml"_s,    u"word/styles.xml"_s,
                             u"word/settings.xml"_s,   u"word/fontTable.xml"_s};
    QCOMPARE(names, (before + faces + QStringList{u"docProps/core.xml"_s, u"docProps/app.xml"_s}));
    // Century Gothic by name, with the face laid out in its place as its alternative.
    const QString fonts = QString::fromUtf8(part(path, u"word/fontTable.xml"_s));
    QVERIFY(fonts.contains(u"w:name=\"Century Gothic\""_s));
    QVERIFY(fonts.contains(u"<w:altName w:val=\"URW Gothic\"/>"_s));
    QVERIFY(QString::fromUtf8(part(path, u"docProps/app.xml"_s))
                .contains(u"<Pages>%1</Pages>"_s.arg(b.pageCount())));
}

void TestDocxWriter::paragraphs_looksBreaksBlankLinesAndKeeps()
{
    TextDocumentBuilder b;
    reportPage(b);
    QString styles;
    const Element body = writtenBody(b.pages(), &styles);
    const auto paragraphs = body.all(u"w:p"_s, false);
    QStringList texts;
    for (const Element* p : paragraphs) {
        texts << p->text();
    }
    // Blank lines stay, beside tables too; page breaks are page-break characters.
    QCOMPARE(texts, (QStringList{u"Relazione"_s, Escaped, u"\f"_s, u"A) DATI"_s, QString(), QString(),
                                 QString(), u"composta di n.\u00A0%1 pagine."_s.arg(b.pageCount()),
                                 u"Roma: oggi"_s, u"il perito"_s, u"(Studio)"_s}));
    QVERIFY(!body.has(u"w:p/w:pPr/w:pageBreakBefore"_s));
    const Element styleSheet = parseXml(styles.toUtf8());
    QCOMPARE(styled(paragraphs[0], styleSheet, u"w:sz@w:val"_s), u"40"_s);
    QVERIFY(!paragraphs[0]->has(u"w:r/w:rPr"_s)); // the text takes its paragraph's look
    QCOMPARE(paragraphs[1]->value(u"w:pPr/w:jc@w:val"_s), u"both"_s);
    // An empty paragraph is as high as its own size.
    QCOMPARE(styled(paragraphs[4], styleSheet, u"w:sz@w:val"_s), u"28"_s);
    // The heading stays with its table, the signature block together.
    for (int i : {3, 4, 8, 9}) {
        QVERIFY2(paragraphs[std::size_t(i)]->has(u"w:pPr/w:keepNext"_s), qPrintable(texts.at(i)));
    }
    for (int i : {0, 1, 7}) {
        QVERIFY2(!paragraphs[std::size_t(i)]->has(u"w:pPr/w:keepNext"_s), qPrintable(texts.at(i)));
    }
    // Single line spacing, nothing added around paragraphs, widow control: nothing else anywhere.
    QVERIFY(styles.contains(
        u"<w:widowControl/><w:spacing w:before=\"0\" w:after=\"0\" w:line=\"240\" w:lineRule=\"auto\"/>"_s));
    QVERIFY(!body.has(u"w:p/w:pPr/w:spacing"_s));
    // Escaped text with its double blanks.
    QCOMPARE(paragraphs[1]->find(u"w:r/w:t"_s)->chars, Escaped);
}

void TestDocxWriter::tables_columnsOfThePagesFixedAndKept()
{
    TextDocumentBuilder b;
    reportPage(b);
    const PagedDocument& pages = b.pages();
    QString styles;
    const Element body = writtenBody(pages, &styles);
    const Element styleSheet = parseXml(styles.toUtf8());
    const auto tables = body.all(u"w:tbl"_s, false);
    QCOMPARE(tables.size(), std::size_t(2));
    for (std::size_t t = 0; t < tables.size(); ++t) {
        const Element* table = tables[t];
        QCOMPARE(table->value(u"w:tblPr/w:tblLayout@w:type"_s), u"fixed"_s);
        QCOMPARE(table->value(u"w:tblPr/w:tblW@w:w"_s), QString::number(TextWidthTwips));
        int sum = 0;
        QList<int> grid;
        for (const Element* col : table->all(u"w:gridCol"_s)) {
            grid << col->attributes.value(u"w:w"_s).toInt();
            sum += grid.last();
        }
        QCOMPARE(sum, TextWidthTwips);
        for (const Element* row : table->all(u"w:tr"_s, false)) {
            QVERIFY(row->has(u"w:trPr/w:cantSplit"_s));
            const auto cells = row->all(u"w:tc"_s, false);
            for (int c = 0; c < grid.size(); ++c) {
                QCOMPARE(cells[std::size_t(c)]->value(u"w:tcPr/w:tcW@w:w"_s), QString::number(grid.at(c)));
                QCOMPARE(cells[std::size_t(c)]->value(u"w:tcPr/w:tcW@w:type"_s), u"dxa"_s);
            }
        }
    }
    // Columns as wide as their content asks: the long header gets more than the number.
    const auto cols = tables[0]->all(u"w:gridCol"_s);
    QVERIFY(cols[1]->attributes.value(u"w:w"_s).toInt() > 2 * cols[0]->attributes.value(u"w:w"_s).toInt());
    const auto rows = tables[0]->all(u"w:tr"_s, false);
    QVERIFY(rows[0]->has(u"w:trPr/w:tblHeader"_s));
    QCOMPARE(rows[0]->value(u"w:tc/w:tcPr/w:shd@w:fill"_s), u"1F5F6E"_s);
    const Element* headerText = rows[0]->find(u"w:tc/w:p"_s);
    QCOMPARE(styled(headerText, styleSheet, u"w:color@w:val"_s), u"FFFFFF"_s);
    QCOMPARE(styled(headerText, styleSheet, u"w:b@w:val"_s), QString()); // present, no value: bold
    QCOMPARE(rows[1]->all(u"w:tc"_s, false)[2]->value(u"w:p/w:pPr/w:jc@w:val"_s), u"right"_s);
    // A small table stays together: every row but the last keeps with the next.
    QVERIFY(rows[1]->has(u"w:tc/w:p/w:pPr/w:keepNext"_s));
    QVERIFY(!rows[2]->has(u"w:tc/w:p/w:pPr/w:keepNext"_s));
    QVERIFY(!tables[1]->has(u"w:tr/w:trPr/w:tblHeader"_s));
    // Each row has its rule below it; only a plain table shows one above too.
    QCOMPARE(tables[0]->value(u"w:tblPr/w:tblBorders/w:top@w:val"_s), u"nil"_s);
    QCOMPARE(tables[1]->value(u"w:tblPr/w:tblBorders/w:top@w:val"_s), u"single"_s);
    QCOMPARE(tables[1]->value(u"w:tblPr/w:tblBorders/w:insideH@w:color"_s), u"808080"_s);
}

void TestDocxWriter::pageCount_isAFieldCachingOurCount()
{
    TextDocumentBuilder b;
    reportPage(b);
    for (int i = 0; i < 120; ++i) {
        b.writeEndParagraph(u"\rriga %1"_s.arg(i));
    }
    const int pages = b.pageCount();
    QVERIFY(pages > 2);
    const Element body = writtenBody(b.pages());
    const auto fields = body.all(u"w:fldSimple"_s);
    QCOMPARE(fields.size(), std::size_t(1));
    QCOMPARE(fields[0]->attributes.value(u"w:instr"_s).trimmed(), u"NUMPAGES"_s);
    QCOMPARE(fields[0]->text(), QString::number(pages));
    bool found = false;
    for (const Element* p : body.all(u"w:p"_s, false)) {
        found = found || p->text() == u"composta di n.\u00A0%1 pagine."_s.arg(pages);
    }
    QVERIFY(found);

    // Every page's footer numbers it among as many pages as the sentence states.
    QTemporaryDir dir;
    const QString path = dir.filePath(u"r.docx"_s);
    QVERIFY(writeDocx(b.pages(), path, nullptr));
    const Element footer = parseXml(part(path, u"word/footer1.xml"_s));
    const auto numbers = footer.all(u"w:fldSimple"_s);
    QCOMPARE(numbers.size(), std::size_t(2));
    QCOMPARE(numbers[0]->attributes.value(u"w:instr"_s).trimmed(), u"PAGE"_s);
    QCOMPARE(numbers[1]->attributes.value(u"w:instr"_s).trimmed(), u"NUMPAGES"_s);
    QCOMPARE(footer.text(), u"pagina 1 di %1"_s.arg(pages));
    QVERIFY(QString::fromUtf8(part(path, u"word/document.xml"_s)).contains(u"<w:footerReference"_s));
}

void TestDocxWriter::export_replacesFileOnlyWhenComplete()
{
    TextDocumentBuilder b;
    reportPage(b);
    const PagedDocument& document = b.pages();
    QTemporaryDir dir;
    // A folder that cannot exist: its parent is a file.
    const QString blocker = dir.filePath(u"file"_s);
    QFile f(blocker);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    const QString impossible = blocker + u"/relazione.docx"_s;
    QString error;
    QVERIFY(!writeDocx(document, impossible, &error));
    QVERIFY2(error.startsWith(prefixFor(impossible)), qPrintable(error));
    QVERIFY(!writeDocx(document, impossible, nullptr));

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
    const bool written = writeDocx(document, path, &error);
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
    QVERIFY(writeDocx(document, replaced, &error));
    QVERIFY(!part(replaced, u"word/document.xml"_s).isEmpty());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{u"file"_s, u"relazione.docx"_s}));
}

void TestDocxWriter::chart_svgWithPngFallbackAsLargeAsOnThePages_data()
{
    QTest::addColumn<int>("bars");
    QTest::newRow("una barra") << 1;
    QTest::newRow("quattro barre") << 4;
    QTest::newRow("venticinque barre") << 25;
}

void TestDocxWriter::chart_svgWithPngFallbackAsLargeAsOnThePages()
{
    QFETCH(int, bars);
    std::vector<ChartBar> chart;
    for (int i = 1; i <= bars; ++i) {
        chart.push_back({i, u"Ipotesi %1"_s.arg(i), Value::number(100.0 - 3.5 * i)});
    }
    TextDocumentBuilder b;
    b.appendChart(chart);
    const PagedDocument& pages = b.pages();
    // The height the pages give the chart's line, the PDF paints it in and the DOCX must keep.
    const auto& blocks = pages.content->blocks;
    const auto chartBlock = std::find_if(blocks.begin(), blocks.end(), [](const Block& block) {
        return std::holds_alternative<Paragraph>(block) && std::get<Paragraph>(block).hasChart();
    });
    QVERIFY(chartBlock != blocks.end());
    const double height = pages.lines[std::size_t(chartBlock - blocks.begin())][0].height;
    QTemporaryDir dir;
    const QString path = dir.filePath(u"g.docx"_s);
    QVERIFY(writeDocx(pages, path, nullptr));
    const Element body = parseXml(part(path, u"word/document.xml"_s));
    const Element* inline_ = body.find(u"w:document/w:body/w:p/w:r/w:drawing/wp:inline"_s);
    QVERIFY(inline_);
    QCOMPARE(inline_->value(u"wp:extent@cx"_s), QString::number(std::lround(points(TextWidthTwips) * 12700)));
    QCOMPARE(inline_->value(u"wp:extent@cy"_s), QString::number(std::lround(height * 12700)));
    QVERIFY(inline_->value(u"wp:docPr@descr"_s).contains(u"1. Ipotesi 1 96,5\u00a0%"_s));

    // The PNG in the blip, the SVG in its Office 2016 extension; both parts typed and related.
    const Element* blip = inline_->find(u"a:graphic/a:graphicData/pic:pic/pic:blipFill/a:blip"_s);
    QVERIFY(blip);
    QCOMPARE(blip->value(u"a:extLst/a:ext@uri"_s), u"{96DAC541-7B7A-43D3-8B79-37D633B846F1}"_s);
    const Element relations = parseXml(part(path, u"word/_rels/document.xml.rels"_s));
    const auto target = [&](const QString& id) {
        for (const Element* r : relations.all(u"Relationship"_s)) {
            if (r->attributes.value(u"Id"_s) == id) {
                return u"word/"_s + r->attributes.value(u"Target"_s);
            }
        }
        return QString();
    };
    const QByteArray png = part(path, target(blip->attributes.value(u"r:embed"_s)));
    const QByteArray svg = part(path, target(blip->value(u"a:extLst/a:ext/asvg:svgBlip@r:embed"_s)));
    const QString types = QString::fromUtf8(part(path, u"[Content_Types].xml"_s));
    QVERIFY(types.contains(u"Extension=\"svg\" ContentType=\"image/svg+xml\""_s));
    QVERIFY(types.contains(u"Extension=\"png\" ContentType=\"image/png\""_s));
    const QImage fallback = QImage::fromData(png, "PNG");
    QCOMPARE(fallback.width(), ChartPictureWidth);
    QVERIFY(qAbs(fallback.height() - ChartPictureWidth * height / points(TextWidthTwips)) <= 1);
    QString error;
    const Element picture = parseXml(svg, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const auto number = [](QString length) { return length.remove(u"pt"_s).toDouble(); };
    QCOMPARE(number(picture.value(u"svg@width"_s)), std::round(points(TextWidthTwips) * 100) / 100);
    QVERIFY(qAbs(number(picture.value(u"svg@height"_s)) - height) < 0.01);
}

void TestDocxWriter::faces_carriedUnderTheDocumentsName_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("face");
    QTest::newRow("normale") << u"w:embedRegular"_s << u"Book"_s;
    QTest::newRow("grassetto") << u"w:embedBold"_s << u"Demi"_s;
}

void TestDocxWriter::faces_carriedUnderTheDocumentsName()
{
    QFETCH(QString, element);
    QFETCH(QString, face);
    TextDocumentBuilder b;
    reportPage(b);
    if (!carriesFaces(b.pages())) {
        QSKIP("Le pagine non sono impaginate in URW Gothic: il DOCX non porta caratteri.");
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(u"r.docx"_s);
    QVERIFY(writeDocx(b.pages(), path, nullptr));
    const Element fonts = parseXml(part(path, u"word/fontTable.xml"_s));
    const Element* font = fonts.find(u"w:fonts/w:font"_s);
    QVERIFY(font);
    QCOMPARE(font->attributes.value(u"w:name"_s), u"Century Gothic"_s);
    const Element* embed = font->find(element);
    QVERIFY(embed);
    QString target;
    const Element rels = parseXml(part(path, u"word/_rels/fontTable.xml.rels"_s));
    for (const Element* r : rels.all(u"Relationship"_s)) {
        if (r->attributes.value(u"Id"_s) == embed->attributes.value(u"r:id"_s)) {
            target = r->attributes.value(u"Target"_s);
        }
    }
    const QByteArray stored = part(path, u"word/"_s + target);
    QVERIFY2(stored.size() > 1000, qPrintable(target));
    const QByteArray data = unscrambled(stored, embed->attributes.value(u"w:fontKey"_s));

    // A TrueType face of the family laid out, in its weight, as wide glyph by glyph as the face
    // the pages are measured in.
    QRawFont carried(data, 100, QFont::PreferNoHinting);
    QVERIFY(carried.isValid());
    QCOMPARE(carried.familyName(), u"URW Gothic"_s);
    QVERIFY(!carried.fontTable("glyf").isEmpty());
    // No ligatures or kerning for a word processor to apply where the pages have none.
    for (const char* table : {"CFF ", "GSUB", "GPOS"}) {
        QVERIFY2(carried.fontTable(table).isEmpty(), table);
    }
#ifndef Q_OS_WIN
    // Windows's font engine names no style for a face it did not install.
    QCOMPARE(carried.styleName(), face);
#endif
    QFont system(u"URW Gothic"_s);
    system.setWeight(face == u"Demi" ? QFont::Bold : QFont::Normal);
    system.setStyleStrategy(QFont::NoFontMerging);
    QRawFont measured = QRawFont::fromFont(system);
    measured.setPixelSize(100);
#ifndef Q_OS_WIN
    QCOMPARE(measured.styleName(), face);
#endif
    QString text;
    for (char32_t c = 0x20; c < 0x250; ++c) {
        if (measured.supportsCharacter(c)) {
            text += QString::fromUcs4(&c, 1);
        }
    }
    text += u"€«»‘’“”–—…"_s;
    auto advances = [&](const QRawFont& f) {
        return f.advancesForGlyphIndexes(f.glyphIndexesForString(text), QRawFont::UseDesignMetrics);
    };
    QCOMPARE(advances(carried), advances(measured));
    QCOMPARE(carried.ascent(), measured.ascent());
    QCOMPARE(carried.descent(), measured.descent());
    QCOMPARE(carried.leading(), measured.leading());

    QVERIFY(part(path, u"[Content_Types].xml"_s).contains("Extension=\"odttf\""));
    QVERIFY(part(path, u"word/settings.xml"_s).contains("<w:embedTrueTypeFonts/>"));
}

void TestDocxWriter::libreOffice_laysOutOurPages_data()
{
    // As installed, and told to lay Century Gothic out in the system's URW Gothic.
    QTest::addColumn<QString>("fontConfiguration");
    QTest::newRow("senza alias") << QString();
    QTest::newRow("con alias") << QStringLiteral(PONDRA_TOOLS "/libreoffice-fonts.conf");
}

void TestDocxWriter::libreOffice_laysOutOurPages()
{
    QFETCH(QString, fontConfiguration);
    const QString soffice = QStandardPaths::findExecutable(u"soffice"_s);
    if (soffice.isEmpty()) {
        QSKIP("LibreOffice (soffice) non è installato.");
    }
    const std::unique_ptr<TextDocumentBuilder> b = exampleReport();
    const int ours = b->pageCount();
    QVERIFY(ours > 1);
    QTemporaryDir dir;
    const QString docx = dir.filePath(u"relazione.docx"_s);
    QVERIFY(writeDocx(b->pages(), docx, nullptr));
    // A profile of its own, so runs side by side do not wait for each other; the fonts as the
    // system has them, without any alias.
    QProcess lo;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(u"FONTCONFIG_FILE"_s);
    if (!fontConfiguration.isEmpty()) {
        environment.insert(u"FONTCONFIG_FILE"_s, fontConfiguration);
    }
    lo.setProcessEnvironment(environment);
    lo.start(soffice, {u"-env:UserInstallation=file://"_s + dir.filePath(u"profilo"_s), u"--headless"_s,
                       u"--convert-to"_s, u"pdf"_s, u"--outdir"_s, dir.path(), docx});
    QVERIFY(lo.waitForFinished(180000));
    QFile pdf(dir.filePath(u"relazione.pdf"_s));
    QVERIFY2(pdf.open(QIODevice::ReadOnly), lo.readAllStandardError().constData());
    const QString text = QString::fromLatin1(pdf.readAll());
    static const QRegularExpression page(u"/Type\\s*/Page(?![s\\w])"_s);
    QCOMPARE(int(text.count(page)), ours);
    if (carriesFaces(b->pages()) || !fontConfiguration.isEmpty()) {
        QVERIFY(text.contains(u"URWGothic"_s));
        QVERIFY(!text.contains(u"DejaVu"_s));
    }
}

QTEST_MAIN(TestDocxWriter)
#include "tst_docxwriter.moc"
