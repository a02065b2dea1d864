#include "pdfwriter.h"

#include "layoutfaces.h"
#include "pagelayout.h"
#include "pagesetup.h"
#include "pdffile.h"
#include "pdffont.h"
#include "pdfpagecontent.h"
#include "typeface.h"

#include <QColorSpace>
#include <QCryptographicHash>
#include <QDateTime>

#include <array>
#include <map>
#include <memory>

namespace pondra {

namespace {

constexpr char Language[] = "it-IT";

} // namespace

TaggedPdf taggedPdf(const PagedDocument& pages, const ArchivalInfo& info,
                    const std::vector<PdfBookmark>& outline, bool withStructure)
{
    if (laidOutFamily(pages.content->families) != QLatin1StringView(LayoutFont)) {
        return {};
    }
    std::array<std::unique_ptr<PdfFont>, 2> fonts;
    for (bool bold : {false, true}) {
        fonts[bold ? 1 : 0] = std::make_unique<PdfFont>(layoutFaceData(bold));
        if (!fonts[bold ? 1 : 0]->isValid()) {
            return {};
        }
    }

    PdfFile file;
    const int catalog = file.reserve();
    const int infoObject = file.reserve();
    const int pageTree = file.reserve();
    const int structRoot = file.reserve();
    const int metadata = file.reserve();
    const int profile = file.reserve();
    const std::array<int, 2> fontObjects{file.reserve(), file.reserve()};
    std::vector<int> pageObjects;
    for (int i = 0; i < pages.pageCount(); ++i) {
        pageObjects.push_back(file.reserve());
    }

    PdfPageContent pageContent(pages, fonts);
    QCryptographicHash hash(QCryptographicHash::Md5);
    const QByteArray resources =
        "<< /Font << /F1 " + pdfReference(fontObjects[0]) + " /F2 " + pdfReference(fontObjects[1]) + " >> >>";
    QByteArray kids;
    for (int i = 0; i < pages.pageCount(); ++i) {
        const QByteArray content = pageContent.page(i);
        hash.addData(content);
        const int stream = file.reserve();
        file.writeStream(stream, QByteArray(), content);
        file.write(pageObjects[std::size_t(i)],
                   "<< /Type /Page /Parent " + pdfReference(pageTree) + " /MediaBox [0 0 " +
                       pdfNumber(pdfPageWidth()) + ' ' + pdfNumber(pdfPageHeight()) + "] /Resources " +
                       resources + " /Contents " + pdfReference(stream) + " /StructParents " +
                       QByteArray::number(i) + " /Tabs /S >>");
        kids += pdfReference(pageObjects[std::size_t(i)]) + ' ';
    }
    if (pageContent.missingGlyph()) {
        return {};
    }
    file.write(pageTree, "<< /Type /Pages /Kids [" + kids + "] /Count " +
                             QByteArray::number(pages.pageCount()) + " >>");
    fonts[0]->write(file, fontObjects[0]);
    fonts[1]->write(file, fontObjects[1]);
    pageContent.structure().write(file, structRoot, pageObjects);

    const QString creator = QStringLiteral("Pondra");
    const QByteArray producer = "Pondra";
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QByteArray date = pdfDate(now);
    file.writeStream(
        metadata, " /Type /Metadata /Subtype /XML",
        archivalMetadata(info, creator, producer,
                         "<xmp:CreateDate>" + now.toString(Qt::ISODate).toLatin1() + "</xmp:CreateDate>",
                         true),
        false);
    file.writeStream(profile, " /N 3", QColorSpace(QColorSpace::SRgb).iccProfile());
    QByteArray information = "<< /Title " + pdfText(info.title) + " /Creator " + pdfText(creator) +
                             " /Producer " + pdfText(QString::fromLatin1(producer)) + " /CreationDate (" +
                             date + ") /ModDate (" + date + ')';
    if (!info.author.isEmpty()) {
        information += " /Author " + pdfText(info.author);
    }
    if (!info.subject.isEmpty()) {
        information += " /Subject " + pdfText(info.subject);
    }
    file.write(infoObject, information + " >>");

    QByteArray root = "<< /Type /Catalog /Pages " + pdfReference(pageTree) + " /Lang (" + Language +
                      ") /MarkInfo << /Marked true >> /StructTreeRoot " + pdfReference(structRoot) +
                      " /ViewerPreferences << /DisplayDocTitle true >> /Metadata " + pdfReference(metadata) +
                      " /OutputIntents [<< /Type /OutputIntent /S /GTS_PDFA1 /OutputConditionIdentifier "
                      "(sRGB IEC61966-2.1) /Info (sRGB IEC61966-2.1) /DestOutputProfile " +
                      pdfReference(profile) + " >>]";
    if (!outline.empty()) {
        const int first = file.reserve();
        std::map<int, QByteArray> objects = pdfOutlineObjects(
            outline, pageObjects, [](int) { return pdfPageHeight(); }, first);
        // The objects after the root's are numbered on from it.
        for (std::size_t i = 1; i < objects.size(); ++i) {
            file.reserve();
        }
        for (const auto& [object, text] : objects) {
            file.write(object, text);
        }
        root += " /Outlines " + pdfReference(first) + " /PageMode /UseOutlines";
    }
    file.write(catalog, root + " >>");
    hash.addData(date);
    return {file.finish(catalog, infoObject, hash.result()),
            withStructure ? pageContent.structure().outline() : QString()};
}

} // namespace pondra
