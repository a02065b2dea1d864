#include "archivalpdf.h"

#include "pdffile.h"

#include <QPdfWriter>
#include <QRegularExpression>

#include <algorithm>
#include <map>

namespace pondra {

namespace {

// The creation date in the metadata stands here until the PDF is written; it is as long as the
// longest date, so the date takes its place without moving a byte of the file.
constexpr char DatePlaceholder[] = "<xmp:CreateDate>0000-00-00T00:00:00+00:00</xmp:CreateDate>";

// Every printout is in Italian.
constexpr char Language[] = "it-IT";

QByteArray escaped(const QString& text)
{
    return text.toHtmlEscaped().toUtf8();
}

// The part of the metadata that names the standards met. PDF/A-2 knows no PDF/UA schema: it is
// described in the metadata's own extension schema, as PDF/A asks of any schema it does not know.
QByteArray conformance(bool tagged)
{
    if (!tagged) {
        return "<rdf:Description rdf:about=\"\" xmlns:pdfaid=\"http://www.aiim.org/pdfa/ns/id/\">\n"
               "<pdfaid:part>1</pdfaid:part>\n"
               "<pdfaid:conformance>B</pdfaid:conformance>\n"
               "</rdf:Description>\n";
    }
    return "<rdf:Description rdf:about=\"\" xmlns:pdfaid=\"http://www.aiim.org/pdfa/ns/id/\">\n"
           "<pdfaid:part>2</pdfaid:part>\n"
           "<pdfaid:conformance>B</pdfaid:conformance>\n"
           "</rdf:Description>\n"
           "<rdf:Description rdf:about=\"\" xmlns:pdfuaid=\"http://www.aiim.org/pdfua/ns/id/\">\n"
           "<pdfuaid:part>1</pdfuaid:part>\n"
           "</rdf:Description>\n"
           "<rdf:Description rdf:about=\"\" xmlns:pdfaExtension=\"http://www.aiim.org/pdfa/ns/extension/\" "
           "xmlns:pdfaSchema=\"http://www.aiim.org/pdfa/ns/schema#\" "
           "xmlns:pdfaProperty=\"http://www.aiim.org/pdfa/ns/property#\">\n"
           "<pdfaExtension:schemas><rdf:Bag><rdf:li rdf:parseType=\"Resource\">\n"
           "<pdfaSchema:schema>PDF/UA Universal Accessibility Schema</pdfaSchema:schema>\n"
           "<pdfaSchema:namespaceURI>http://www.aiim.org/pdfua/ns/id/</pdfaSchema:namespaceURI>\n"
           "<pdfaSchema:prefix>pdfuaid</pdfaSchema:prefix>\n"
           "<pdfaSchema:property><rdf:Seq><rdf:li rdf:parseType=\"Resource\">\n"
           "<pdfaProperty:name>part</pdfaProperty:name>\n"
           "<pdfaProperty:valueType>Integer</pdfaProperty:valueType>\n"
           "<pdfaProperty:category>internal</pdfaProperty:category>\n"
           "<pdfaProperty:description>Indicates, which part of ISO 14289 standard is followed"
           "</pdfaProperty:description>\n"
           "</rdf:li></rdf:Seq></pdfaSchema:property>\n"
           "</rdf:li></rdf:Bag></pdfaExtension:schemas>\n"
           "</rdf:Description>\n";
}

} // namespace

// Every entry of the PDF's own information is here with the same value, as the standard requires.
QByteArray archivalMetadata(const ArchivalInfo& info, const QString& creator, const QByteArray& producer,
                            const QByteArray& createDate, bool tagged)
{
    QByteArray x = "<?xpacket begin=\"\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
                   "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
                   "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
                   "<rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
                   "<dc:format>application/pdf</dc:format>\n"
                   "<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">" +
                   escaped(info.title) + "</rdf:li></rdf:Alt></dc:title>\n";
    if (!info.author.isEmpty()) {
        x += "<dc:creator><rdf:Seq><rdf:li>" + escaped(info.author) + "</rdf:li></rdf:Seq></dc:creator>\n";
    }
    if (!info.subject.isEmpty()) {
        x += "<dc:description><rdf:Alt><rdf:li xml:lang=\"x-default\">" + escaped(info.subject) +
             "</rdf:li></rdf:Alt></dc:description>\n";
    }
    x += QByteArray("<dc:language><rdf:Bag><rdf:li>") + Language + "</rdf:li></rdf:Bag></dc:language>\n";
    x += "</rdf:Description>\n"
         "<rdf:Description rdf:about=\"\" xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\">\n"
         "<xmp:CreatorTool>" +
         escaped(creator) + "</xmp:CreatorTool>\n" + createDate;
    if (tagged) {
        x += "\n" + QByteArray(createDate).replace("CreateDate", "ModifyDate");
    }
    x += "\n"
         "</rdf:Description>\n"
         "<rdf:Description rdf:about=\"\" xmlns:pdf=\"http://ns.adobe.com/pdf/1.3/\">\n"
         "<pdf:Producer>" +
         producer +
         "</pdf:Producer>\n"
         "</rdf:Description>\n" +
         conformance(tagged) +
         "</rdf:RDF>\n"
         "</x:xmpmeta>\n"
         "<?xpacket end=\"w\"?>";
    return x;
}

namespace {

// "D:20261208005813Z" or "D:20261208015813+01'00'" as the metadata write it:
// "2026-12-08T00:58:13Z", "2026-12-08T01:58:13+01:00".
QByteArray metadataDate(const QByteArray& pdfDate)
{
    if (pdfDate.size() < 16 || !pdfDate.startsWith("D:")) {
        return {};
    }
    const QByteArray d = pdfDate.mid(2, 14);
    for (char c : d) {
        if (c < '0' || c > '9') {
            return {};
        }
    }
    QByteArray iso = d.mid(0, 4) + '-' + d.mid(4, 2) + '-' + d.mid(6, 2) + 'T' + d.mid(8, 2) + ':' +
                     d.mid(10, 2) + ':' + d.mid(12, 2);
    const QByteArray zone = pdfDate.mid(16);
    if (zone == "Z") {
        return iso + 'Z';
    }
    // +HH'mm'
    if (zone.size() == 7 && (zone[0] == '+' || zone[0] == '-') && zone[3] == '\'') {
        return iso + zone.mid(0, 3) + ':' + zone.mid(4, 2);
    }
    return {};
}

// A text string of the PDF: UTF-16 with its byte order mark, in hexadecimal.
QByteArray number(qint64 n)
{
    return QByteArray::number(n);
}

// The PDF as Qt writes it, read as far as the update needs: one revision with one
// cross-reference table, its trailer, and a page tree of one level.
class WrittenPdf {
public:
    explicit WrittenPdf(const QByteArray& pdf) : m_pdf(pdf) {}

    bool read()
    {
        const qsizetype start = m_pdf.lastIndexOf("startxref");
        const qsizetype trailer = start < 0 ? -1 : m_pdf.lastIndexOf("trailer", start);
        if (trailer < 0) {
            return false;
        }
        bool ok = false;
        xref = m_pdf.mid(start + 9, m_pdf.indexOf("%%EOF", start) - start - 9).trimmed().toLongLong(&ok);
        const QByteArray t = m_pdf.mid(trailer, start - trailer);
        size = integer(t, "/Size");
        root = reference(t, "/Root");
        info = reference(t, "/Info");
        const QRegularExpressionMatch id =
            QRegularExpression(QStringLiteral("/ID\\s*\\[[^\\]]*\\]")).match(QString::fromLatin1(t));
        this->id = id.captured().toLatin1();
        if (!ok || size <= 0 || root <= 0 || info <= 0 || this->id.isEmpty() || !readXref()) {
            return false;
        }
        const QByteArray catalog = dictionary(root);
        const QByteArray pages = dictionary(reference(catalog, "/Pages"));
        const QRegularExpressionMatch kids =
            QRegularExpression(QStringLiteral("/Kids\\s*\\[([^\\]]*)\\]")).match(QString::fromLatin1(pages));
        static const QRegularExpression ref(QStringLiteral("(\\d+)\\s+0\\s+R"));
        for (const QRegularExpressionMatch& m : ref.globalMatch(kids.captured(1))) {
            this->pages.push_back(m.captured(1).toInt());
        }
        return !catalog.isEmpty() && !dictionary(info).isEmpty();
    }

    // What is between the << and >> of an object that is a dictionary; empty for another.
    QByteArray dictionary(int object) const
    {
        const auto at = m_offsets.find(object);
        if (at == m_offsets.end()) {
            return {};
        }
        const qsizetype end = m_pdf.indexOf("endobj", at->second);
        const qsizetype open = m_pdf.indexOf("<<", at->second);
        const qsizetype close = end < 0 ? -1 : m_pdf.lastIndexOf(">>", end);
        if (open < 0 || close <= open || open > end) {
            return {};
        }
        return m_pdf.mid(open + 2, close - open - 2);
    }

    // The upper edge of the page, in points from its lower one.
    double pageTop(int page) const
    {
        static const QRegularExpression box(
            QStringLiteral("/MediaBox\\s*\\[\\s*[-\\d.]+\\s+[-\\d.]+\\s+[-\\d.]+\\s+([-\\d.]+)\\s*\\]"));
        const QRegularExpressionMatch m =
            box.match(QString::fromLatin1(dictionary(pages[std::size_t(page)])));
        return m.hasMatch() ? m.captured(1).toDouble() : 842;
    }

    static int reference(const QByteArray& dictionary, const char* key)
    {
        const QRegularExpression r(QString::fromLatin1(key) + QStringLiteral("\\s+(\\d+)\\s+0\\s+R"));
        return r.match(QString::fromLatin1(dictionary)).captured(1).toInt();
    }

    static int integer(const QByteArray& dictionary, const char* key)
    {
        const QRegularExpression r(QString::fromLatin1(key) + QStringLiteral("\\s+(\\d+)"));
        return r.match(QString::fromLatin1(dictionary)).captured(1).toInt();
    }

    qint64 xref = 0;
    int size = 0;
    int root = 0;
    int info = 0;
    QByteArray id;
    // The page objects in page order.
    std::vector<int> pages;

private:
    bool readXref()
    {
        if (xref <= 0 || !m_pdf.mid(qsizetype(xref), 4).startsWith("xref")) {
            return false;
        }
        qsizetype at = m_pdf.indexOf('\n', qsizetype(xref)) + 1;
        while (at > 0 && at < m_pdf.size() && !m_pdf.mid(at, 7).startsWith("trailer")) {
            const qsizetype lineEnd = m_pdf.indexOf('\n', at);
            const QList<QByteArray> header = m_pdf.mid(at, lineEnd - at).trimmed().split(' ');
            if (lineEnd < 0 || header.size() != 2) {
                return false;
            }
            const int first = header[0].toInt();
            const int count = header[1].toInt();
            at = lineEnd + 1;
            // Entries of 20 bytes: offset, generation, in use or free.
            for (int i = 0; i < count; ++i, at += 20) {
                if (m_pdf.at(at + 17) == 'n') {
                    m_offsets[first + i] = m_pdf.mid(at, 10).toLongLong();
                }
            }
        }
        return at > 0 && at < m_pdf.size();
    }

    const QByteArray& m_pdf;
    std::map<int, qint64> m_offsets;
};

} // namespace

std::map<int, QByteArray> pdfOutlineObjects(const std::vector<PdfBookmark>& outline,
                                            const std::vector<int>& pages,
                                            const std::function<double(int)>& pageTop, int first)
{
    std::vector<const PdfBookmark*> marks;
    for (const PdfBookmark& b : outline) {
        if (b.page >= 0 && b.page < int(pages.size())) {
            marks.push_back(&b);
        }
    }
    const int n = int(marks.size());
    // Item 0 is the root; bookmark i is item i + 1.
    std::vector<int> parent(std::size_t(n + 1), -1);
    std::vector<std::vector<int>> children(std::size_t(n + 1));
    std::vector<int> open;
    for (int i = 1; i <= n; ++i) {
        while (!open.empty() &&
               marks[std::size_t(open.back() - 1)]->level >= marks[std::size_t(i - 1)]->level) {
            open.pop_back();
        }
        parent[std::size_t(i)] = open.empty() ? 0 : open.back();
        children[std::size_t(parent[std::size_t(i)])].push_back(i);
        open.push_back(i);
    }
    // Every bookmark shows its own open: the count is of all that stand below it.
    std::vector<int> below(std::size_t(n + 1), 0);
    for (int i = n; i >= 1; --i) {
        below[std::size_t(parent[std::size_t(i)])] += 1 + below[std::size_t(i)];
    }
    auto ref = [&](int item) { return number(first + item) + " 0 R"; };
    auto family = [&](int item) {
        const std::vector<int>& c = children[std::size_t(item)];
        return c.empty() ? QByteArray()
                         : "/First " + ref(c.front()) + "\n/Last " + ref(c.back()) + "\n/Count " +
                               number(below[std::size_t(item)]) + '\n';
    };
    std::map<int, QByteArray> objects;
    objects[first] = "<<\n/Type /Outlines\n" + family(0) + ">>";
    for (int i = 1; i <= n; ++i) {
        const PdfBookmark& b = *marks[std::size_t(i - 1)];
        const std::vector<int>& siblings = children[std::size_t(parent[std::size_t(i)])];
        const auto at = std::find(siblings.begin(), siblings.end(), i);
        QByteArray o = "<<\n/Title " + pdfText(b.title) + "\n/Parent " + ref(parent[std::size_t(i)]) + '\n';
        if (at != siblings.begin()) {
            o += "/Prev " + ref(*std::prev(at)) + '\n';
        }
        if (std::next(at) != siblings.end()) {
            o += "/Next " + ref(*std::next(at)) + '\n';
        }
        o += family(i);
        const double y = pageTop(b.page) - b.top;
        o += "/Dest [" + number(pages[std::size_t(b.page)]) + " 0 R /XYZ 0 " + QByteArray::number(y, 'f', 2) +
             " null]\n>>";
        objects[first + i] = o;
    }
    return objects;
}

namespace {

// The update appended to the PDF: its information and catalog again with what Qt cannot write,
// and the outline.
bool appendUpdate(QByteArray& pdf, const ArchivalInfo& info, const std::vector<PdfBookmark>& outline)
{
    WrittenPdf file(pdf);
    if (!file.read()) {
        return false;
    }
    std::map<int, QByteArray> objects;
    int size = file.size;
    QByteArray catalog = file.dictionary(file.root);
    catalog += QByteArray("/Lang (") + Language + ")\n";
    if (!outline.empty()) {
        objects = pdfOutlineObjects(
            outline, file.pages, [&](int page) { return file.pageTop(page); }, size);
        catalog += "/Outlines " + number(size) + " 0 R\n/PageMode /UseOutlines\n";
        size += int(objects.size());
    }
    objects[file.root] = "<<" + catalog + ">>";
    QByteArray information = file.dictionary(file.info);
    if (!info.author.isEmpty()) {
        information += "/Author " + pdfText(info.author) + '\n';
    }
    if (!info.subject.isEmpty()) {
        information += "/Subject " + pdfText(info.subject) + '\n';
    }
    objects[file.info] = "<<" + information + ">>";

    if (!pdf.endsWith('\n')) {
        pdf += '\n';
    }
    std::map<int, qint64> offsets;
    for (const auto& [object, text] : objects) {
        offsets[object] = pdf.size();
        pdf += number(object) + " 0 obj\n" + text + "\nendobj\n";
    }
    const qint64 xref = pdf.size();
    pdf += "xref\n";
    // A subsection for every run of consecutive objects.
    for (auto run = offsets.begin(); run != offsets.end();) {
        auto end = run;
        int count = 0;
        while (end != offsets.end() && end->first == run->first + count) {
            ++end;
            ++count;
        }
        pdf += number(run->first) + ' ' + number(count) + '\n';
        for (; run != end; ++run) {
            pdf += number(run->second).rightJustified(10, '0') + " 00000 n \n";
        }
    }
    pdf += "trailer\n<<\n/Size " + number(size) + "\n/Info " + number(file.info) + " 0 R\n/Root " +
           number(file.root) + " 0 R\n/Prev " + number(file.xref) + '\n' + file.id + "\n>>\nstartxref\n" +
           number(xref) + "\n%%EOF\n";
    return true;
}

} // namespace

void prepareArchivalPdf(QPdfWriter& writer, const ArchivalInfo& info)
{
    const QString creator = QStringLiteral("Pondra");
    writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
    writer.setTitle(info.title);
    writer.setCreator(creator);
    writer.setDocumentXmpMetadata(
        archivalMetadata(info, creator, "Qt " + QByteArray(qVersion()), DatePlaceholder, false));
}

bool completeArchivalPdf(QByteArray& pdf, const ArchivalInfo& info, const std::vector<PdfBookmark>& outline)
{
    const QByteArray key = "/CreationDate (";
    const qsizetype at = pdf.lastIndexOf(key);
    const qsizetype end = at < 0 ? -1 : pdf.indexOf(')', at);
    const qsizetype placeholder = pdf.indexOf(DatePlaceholder);
    if (end < 0 || placeholder < 0) {
        return false;
    }
    const QByteArray date = metadataDate(pdf.mid(at + key.size(), end - at - key.size()));
    if (date.isEmpty()) {
        return false;
    }
    QByteArray element = "<xmp:CreateDate>" + date + "</xmp:CreateDate>";
    const qsizetype length = qsizetype(sizeof(DatePlaceholder)) - 1;
    if (element.size() > length) {
        return false;
    }
    // The rest is blank space between the metadata's elements.
    element.append(length - element.size(), ' ');
    pdf.replace(placeholder, length, element);
    return appendUpdate(pdf, info, outline);
}

} // namespace pondra
