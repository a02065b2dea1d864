#include "documentexport.h"

#include "archivalpdf.h"
#include "docxwriter.h"
#include "exportwriting.h"
#include "htmlwriter.h"
#include "pagelayout.h"
#include "pagepainter.h"
#include "pdfwriter.h"
#include "textdocumentconversion.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPdfWriter>
#include <QTextDocument>

namespace pondra {

namespace {

// A PDF measured in points: the pages' own unit.
constexpr int PdfResolution = 72;

// The headings of the document where the pages show them, for the PDF's outline.
std::vector<PdfBookmark> bookmarks(const PagedDocument& pages)
{
    std::vector<PdfBookmark> marks;
    const auto& blocks = pages.content->blocks;
    for (int page = 0; page < pages.pageCount(); ++page) {
        for (const PageSlice& slice : pages.pages[std::size_t(page)]) {
            const auto* p = std::get_if<Paragraph>(&blocks[std::size_t(slice.block)]);
            if (p && p->outlineLevel > 0 && slice.first == 0) {
                const QString title = p->outlineTitle.isEmpty() ? p->text.simplified() : p->outlineTitle;
                marks.push_back({title, p->outlineLevel, page, slice.top - slice.clipTop});
            }
        }
    }
    return marks;
}

bool writePdf(const PagedDocument& pages, const QString& path, QString* error)
{
    const DocumentContent& content = *pages.content;
    const ArchivalInfo info{content.title, content.author, content.subject};
    const TaggedPdf tagged = taggedPdf(pages, info, bookmarks(pages));
    if (!tagged.bytes.isEmpty()) {
        return writeWholeFile(tagged.bytes, path, error);
    }
    // Without the faces to embed: Qt's writer, untagged, in whatever face the pages are laid out.
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(PdfResolution);
        prepareArchivalPdf(writer, info);
        if (!printPages(pages, writer)) {
            return failExport(path, QStringLiteral("la composizione del PDF non è riuscita."), error);
        }
    }
    if (!completeArchivalPdf(bytes, info, bookmarks(pages))) {
        return failExport(path, QStringLiteral("la composizione del PDF non è riuscita."), error);
    }
    return writeWholeFile(bytes, path, error);
}

// Characters that show nothing of their own: blanks, controls, joiners and emoji selectors.
bool needsNoGlyph(char32_t c)
{
    const QChar::Category category = QChar::category(c);
    return QChar::isSpace(c) || category == QChar::Other_Control || category == QChar::Other_Format ||
           (c >= 0xFE00 && c <= 0xFE0F) || (c >= 0xE0100 && c <= 0xE01EF);
}

// A text as a message quotes it: on one line, its start when long.
QString quoted(const QString& text)
{
    const QString line = text.simplified();
    return line.size() <= 60 ? line : line.left(59) + u'…';
}

// The first character no installed face can show, and where it stands; empty when there is none.
// Printed as an empty box it would be lost without a word, in a file that claims to be whole.
QString unprintableCharacter(const PagedDocument& pages)
{
    TextMeasurer measurer(*pages.content);
    const auto missing = [&](const QString& text, int style) -> std::optional<char32_t> {
        for (const char32_t c : text.toUcs4()) {
            if (!needsNoGlyph(c) && measurer.typeface(style).glyph(c).glyph == 0) {
                return c;
            }
        }
        return std::nullopt;
    };
    const auto inParagraph = [&](const Paragraph& p) -> std::optional<char32_t> {
        for (std::size_t s = 0; s < p.spans.size(); ++s) {
            const int end = s + 1 < p.spans.size() ? p.spans[s + 1].start : int(p.text.size());
            if (const auto c =
                    missing(p.text.mid(p.spans[s].start, end - p.spans[s].start), p.spans[s].style)) {
                return c;
            }
        }
        for (const ChartBar& bar : p.chart) {
            if (const auto c = missing(bar.name, p.markStyle)) {
                return c;
            }
        }
        return std::nullopt;
    };
    const auto refusal = [](char32_t c, const QString& where) {
        return QStringLiteral("il carattere «%1» %2 non si può stampare con i caratteri installati.")
            .arg(QString::fromUcs4(&c, 1), where);
    };
    int tables = 0;
    for (const Block& block : pages.content->blocks) {
        if (const auto* p = std::get_if<Paragraph>(&block)) {
            if (const auto c = inParagraph(*p)) {
                return refusal(*c, QStringLiteral("del testo «%1»").arg(quoted(p->text)));
            }
            continue;
        }
        const Table& table = std::get<Table>(block);
        ++tables;
        for (int r = 0; r < table.rows; ++r) {
            for (int col = 0; col < table.columns; ++col) {
                for (const Paragraph& p : table.cell(r, col).paragraphs) {
                    if (const auto c = inParagraph(p)) {
                        return refusal(*c, QStringLiteral("della tabella n. %1, riga %2, colonna %3 («%4»)")
                                               .arg(tables)
                                               .arg(r + 1)
                                               .arg(col + 1)
                                               .arg(quoted(p.text)));
                    }
                }
            }
        }
    }
    return {};
}

// The page's title: the document's, or else the file's name.
QString pageTitle(const PagedDocument& pages, const QString& path)
{
    return pages.content->title.isEmpty() ? QFileInfo(path).completeBaseName() : pages.content->title;
}

} // namespace

std::shared_ptr<const PagedDocument> pagesOf(const QTextDocument& document)
{
    if (const PagedDocument* attached = attachedPages(document)) {
        // Shared without being owned: the document keeps them.
        return std::shared_ptr<const PagedDocument>(std::shared_ptr<const PagedDocument>(), attached);
    }
    return layOutPages(fromTextDocument(document));
}

QString layoutProblem(const PagedDocument& pages)
{
    if (!pages.settled) {
        return QStringLiteral("il numero di pagine scritto nel documento non trova un valore stabile: "
                              "ogni numero provato cambia le pagine che conta.");
    }
    return unprintableCharacter(pages);
}

bool printDocument(const QTextDocument& document, QPagedPaintDevice& device)
{
    const std::shared_ptr<const PagedDocument> pages = pagesOf(document);
    return layoutProblem(*pages).isEmpty() && printPages(*pages, device);
}

bool exportPages(const PagedDocument& pages, const QString& path, QString* error)
{
    const QString problem = layoutProblem(pages);
    if (!problem.isEmpty()) {
        return failExport(path, problem, error);
    }
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"pdf") {
        return writePdf(pages, path, error);
    }
    if (suffix == u"html" || suffix == u"htm") {
        return writeWholeFile(htmlPage(pages, pageTitle(pages, path)), path, error);
    }
    if (suffix == u"docx") {
        return writeDocx(pages, path, error);
    }
    const QString reason =
        suffix.isEmpty()
            ? QStringLiteral("manca l'estensione che ne dice il formato (.pdf, .docx, .html).")
            : QStringLiteral("il formato «.%1» non è tra quelli previsti (.pdf, .docx, .html).").arg(suffix);
    return failExport(path, reason, error);
}

bool exportDocument(const QTextDocument& document, const QString& path, QString* error)
{
    return exportPages(*pagesOf(document), path, error);
}

QStringList exportFilters()
{
    return {QStringLiteral("Documento PDF (*.pdf)"), QStringLiteral("Documento Word (*.docx)"),
            QStringLiteral("Pagina web (*.html)")};
}

} // namespace pondra
