#include "archivalpdf.h"

#include <QPdfWriter>

namespace pondra {

namespace {

// The creation date in the metadata stands here until the PDF is written; it is as long as the
// longest date, so the date takes its place without moving a byte of the file.
constexpr char DatePlaceholder[] = "<xmp:CreateDate>0000-00-00T00:00:00+00:00</xmp:CreateDate>";

QByteArray escaped(const QString& text)
{
    return text.toHtmlEscaped().toUtf8();
}

// The metadata Qt writes for PDF/A-1b have no author; these are the same with it. Every entry
// of the PDF's own information is here with the same value, as the standard requires.
QByteArray metadata(const QString& title, const QString& author, const QString& creator)
{
    QByteArray x = "<?xpacket begin=\"\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
                   "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
                   "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
                   "<rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
                   "<dc:format>application/pdf</dc:format>\n"
                   "<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">" +
                   escaped(title) + "</rdf:li></rdf:Alt></dc:title>\n";
    if (!author.isEmpty()) {
        x += "<dc:creator><rdf:Seq><rdf:li>" + escaped(author) + "</rdf:li></rdf:Seq></dc:creator>\n";
    }
    x += "</rdf:Description>\n"
         "<rdf:Description rdf:about=\"\" xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\">\n"
         "<xmp:CreatorTool>" +
         escaped(creator) + "</xmp:CreatorTool>\n" + DatePlaceholder +
         "\n"
         "</rdf:Description>\n"
         "<rdf:Description rdf:about=\"\" xmlns:pdf=\"http://ns.adobe.com/pdf/1.3/\">\n"
         "<pdf:Producer>Qt " +
         QByteArray(qVersion()) +
         "</pdf:Producer>\n"
         "</rdf:Description>\n"
         "<rdf:Description rdf:about=\"\" xmlns:pdfaid=\"http://www.aiim.org/pdfa/ns/id/\">\n"
         "<pdfaid:part>1</pdfaid:part>\n"
         "<pdfaid:conformance>B</pdfaid:conformance>\n"
         "</rdf:Description>\n"
         "</rdf:RDF>\n"
         "</x:xmpmeta>\n"
         "<?xpacket end=\"w\"?>";
    return x;
}

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

} // namespace

void prepareArchivalPdf(QPdfWriter& writer, const QString& title, const QString& author)
{
    const QString creator = QStringLiteral("Pondra");
    writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
    writer.setTitle(title);
    writer.setCreator(creator);
    writer.setDocumentXmpMetadata(metadata(title, author, creator));
}

bool completeArchivalPdf(QByteArray& pdf)
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
    return true;
}

} // namespace pondra
