#include "pdfwriter.h"

#include "pagelayout.h"
#include "pdffile.h"
#include "pdffont.h"
#include "pdfpagecontent.h"

#include <QColorSpace>
#include <QCryptographicHash>
#include <QDateTime>

#include <map>
#include <memory>

namespace pondra {

namespace {

constexpr char Language[] = "it-IT";

} // namespace

TaggedPdf taggedPdf(const PagedDocument& pages, const ArchivalInfo& info,
                    const std::vector<PdfBookmark>& outline, bool withStructure)
{
    PdfFile file;
    const int catalog = file.reserve();
    const int infoObject = file.reserve();
    const int pageTree = file.reserve();
    const int structRoot = file.reserve();
    const int metadata = file.reserve();
    const int profile = file.reserve();
    std::vector<int> pageObjects;
    for (int i = 0; i < pages.pageCount(); ++i) {
        pageObjects.push_back(file.reserve());
    }

    PdfPageContent pageContent(pages);
    QCryptographicHash hash(QCryptographicHash::Md5);
    // Fonts are numbered as the pages come to need them; a page names those known by then.
    std::vector<int> fontObjects;
    QByteArray resources;
    QByteArray kids;
    for (int i = 0; i < pages.pageCount(); ++i) {
        const QByteArray content = pageContent.page(i);
        const auto& fonts = pageContent.fonts();
        // A font may fill a slot left empty on an earlier page (the bold face after a fallback
        // face): it gets its object then.
        bool named = resources.isEmpty();
        for (std::size_t f = 0; f < fonts.size(); ++f) {
            if (fontObjects.size() <= f) {
                fontObjects.push_back(0);
            }
            if (fonts[f] && fontObjects[f] == 0) {
                fontObjects[f] = file.reserve();
                named = true;
            }
        }
        if (named) {
            resources = "<< /Font <<";
            for (std::size_t f = 0; f < fonts.size(); ++f) {
                if (fonts[f]) {
                    resources +=
                        " /F" + QByteArray::number(qsizetype(f + 1)) + ' ' + pdfReference(fontObjects[f]);
                }
            }
            resources += " >> >>";
        }
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
    if (pageContent.unembeddableFace()) {
        return {};
    }
    file.write(pageTree, "<< /Type /Pages /Kids [" + kids + "] /Count " +
                             QByteArray::number(pages.pageCount()) + " >>");
    for (std::size_t f = 0; f < fontObjects.size(); ++f) {
        if (fontObjects[f] != 0) {
            pageContent.fonts()[f]->write(file, fontObjects[f]);
        }
    }
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
