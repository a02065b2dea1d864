#include "documentexport.h"

#include "docxwriter.h"
#include "pagesetup.h"

#include <QAbstractEventDispatcher>
#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <QTextFrame>
#include <QTimerEvent>

#include <memory>

// Qt lays out margins, borders and cell padding in units of this resolution, scaled to the
// layout device; QtGui exports it without a public header.
Q_GUI_EXPORT int qt_defaultDpiY();

namespace pondra {

namespace {

// The resolution both the page count and the PDF are laid out at.
constexpr int LayoutDpi = 1200;
constexpr double MmPerInch = 25.4;
constexpr double PointsPerInch = 72;

// Where prepareLayout keeps the document's own default font while it lays out at the device's.
constexpr char ScreenFontProperty[] = "pondraScreenFont";

QString layoutDeviceName()
{
    return QStringLiteral("pondra-page-layout");
}

QPageLayout a4WithoutMargins()
{
    // The margins belong to the document's root frame, so the device covers the whole sheet.
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter);
}

QSizeF pageSizeOnDevice()
{
    return QSizeF(PageWidthMm / MmPerInch * LayoutDpi, PageHeightMm / MmPerInch * LayoutDpi);
}

qreal marginInLayoutUnits()
{
    return layoutLength(PageMarginMm / MmPerInch * PointsPerInch);
}

QPdfWriter* layoutDevice(const QTextDocument& document)
{
    return document.findChild<QPdfWriter*>(layoutDeviceName(), Qt::FindDirectChildrenOnly);
}

// A PDF writer that never paints: it only gives the layout its fixed resolution and A4 sheet.
QPdfWriter* ensureLayoutDevice(QTextDocument& document)
{
    if (QPdfWriter* device = layoutDevice(document)) {
        return device;
    }
    auto* sink = new QBuffer;
    auto* device = new QPdfWriter(sink);
    // The writer goes first, then its sink, when the document is destroyed.
    sink->setParent(device);
    device->setParent(&document);
    device->setObjectName(layoutDeviceName());
    device->setResolution(LayoutDpi);
    device->setPageLayout(a4WithoutMargins());
    return device;
}

bool hasPageMargins(const QTextDocument& document)
{
    const QTextFrameFormat format = document.rootFrame()->frameFormat();
    const qreal margin = marginInLayoutUnits();
    return qFuzzyCompare(format.leftMargin(), margin) && qFuzzyCompare(format.rightMargin(), margin) &&
           qFuzzyCompare(format.topMargin(), margin) && qFuzzyCompare(format.bottomMargin(), margin);
}

// A copy of a document laid out in pages, for a document that is not (one shown in an editor).
std::unique_ptr<QTextDocument> pagedCopy(const QTextDocument& document)
{
    std::unique_ptr<QTextDocument> copy(document.clone());
    copy->setUndoRedoEnabled(false);
    copy->setPageSize(QSizeF(0, 0));
    prepareLayout(*copy);
    return copy;
}

bool fail(const QString& path, const QString& reason, QString* error)
{
    if (error) {
        *error = QStringLiteral("Il file «%1» non si può scrivere: %2")
                     .arg(QDir::toNativeSeparators(path), reason);
    }
    return false;
}

bool writePdf(const QTextDocument& document, const QString& path, QString* error)
{
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(LayoutDpi);
        writer.setPageLayout(a4WithoutMargins());
        writer.setCreator(QStringLiteral("Pondra"));
        writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
        printDocument(document, writer);
    }
    return writeWholeFile(bytes, path, error);
}

// The page with a title of its own: the document's, or else the file's name.
QByteArray htmlPage(const QTextDocument& document, const QString& path)
{
    QString html = document.toHtml();
    const QString title = document.metaInformation(QTextDocument::DocumentTitle);
    const QString shown = (title.isEmpty() ? QFileInfo(path).completeBaseName() : title).toHtmlEscaped();
    if (title.isEmpty()) {
        const qsizetype head = html.indexOf(QLatin1String("<head>"));
        if (head >= 0) {
            html.insert(head + 6, QStringLiteral("<title>%1</title>").arg(shown));
        }
    } else {
        // Qt writes the title as it is; a title with markup characters must be escaped.
        html.replace(QStringLiteral("<title>%1</title>").arg(title),
                     QStringLiteral("<title>%1</title>").arg(shown));
    }
    return html.toUtf8();
}

bool writeHtml(const QTextDocument& document, const QString& path, QString* error)
{
    return writeWholeFile(htmlPage(document, path), path, error);
}

// Qt lays a new page layout out lazily, in steps that start at a thousand characters and double
// with every tick of the layout's own timer, and each step lays out again the stretch before it
// (a whole table, here). Run those ticks at once: the document is then laid out in a few large
// steps, about a seventh more work than one pass rather than twice as much.
void layOutInLargeSteps(QTextDocument& document)
{
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(layout->thread());
    if (!dispatcher) {
        return;
    }
    for (int tick = 0; tick < 12; ++tick) {
        const QList<QAbstractEventDispatcher::TimerInfo> timers = dispatcher->registeredTimers(layout);
        if (timers.isEmpty()) {
            break;
        }
        for (const QAbstractEventDispatcher::TimerInfo& timer : timers) {
            QTimerEvent event(timer.timerId);
            QCoreApplication::sendEvent(layout, &event);
        }
    }
}

} // namespace

bool writeWholeFile(const QByteArray& bytes, const QString& path, QString* error)
{
    QSaveFile file(path);
    // Unbuffered, so a write the disk refuses is seen here and not lost inside commit().
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return fail(path, file.errorString(), error);
    }
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(path, reason, error);
    }
    if (!file.commit()) {
        return fail(path, file.errorString(), error);
    }
    return true;
}

double layoutLength(double points)
{
    return points / PointsPerInch * qt_defaultDpiY();
}

void applyPageMargins(QTextDocument& document)
{
    if (hasPageMargins(document)) {
        return;
    }
    QTextFrameFormat format = document.rootFrame()->frameFormat();
    format.setMargin(marginInLayoutUnits());
    document.rootFrame()->setFrameFormat(format);
}

void prepareLayout(QTextDocument& document)
{
    if (isPreparedLayout(document)) {
        // A layout Qt started afresh meanwhile (a change of the whole document) goes on here.
        layOutInLargeSteps(document);
        return;
    }
    // Nothing is laid out until everything is in place, then everything once.
    if (!document.pageSize().isNull()) {
        document.setPageSize(QSizeF(0, 0));
    }
    applyPageMargins(document);
    QPdfWriter* device = ensureLayoutDevice(document);
    document.documentLayout()->setPaintDevice(device);
    // The default font at the device's resolution, and with it every format's font: otherwise
    // Qt makes and looks up a new font for the device for every paragraph and cell it lays out.
    const QVariant screenFont = document.property(ScreenFontProperty);
    if (!screenFont.isValid()) {
        document.setProperty(ScreenFontProperty, document.defaultFont());
    }
    document.setDefaultFont(QFont(document.defaultFont(), device));
    document.setPageSize(pageSizeOnDevice());
    layOutInLargeSteps(document);
}

bool isPreparedLayout(const QTextDocument& document)
{
    // The cheap tests first: asking a document for its layout makes one and lays it out.
    const QPdfWriter* device = layoutDevice(document);
    return device && document.pageSize() == pageSizeOnDevice() && hasPageMargins(document) &&
           document.documentLayout()->paintDevice() == device;
}

void releaseLayout(QTextDocument& document)
{
    // A null page size stops the layout from following every edit.
    if (!document.pageSize().isNull()) {
        document.setPageSize(QSizeF(0, 0));
    }
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    if (layout->paintDevice() && layout->paintDevice() == layoutDevice(document)) {
        layout->setPaintDevice(nullptr);
    }
    const QVariant screenFont = document.property(ScreenFontProperty);
    if (screenFont.isValid()) {
        document.setDefaultFont(screenFont.value<QFont>());
        document.setProperty(ScreenFontProperty, QVariant());
    }
}

int pagedCount(const QTextDocument& document)
{
    if (isPreparedLayout(document)) {
        return document.pageCount();
    }
    return pagedCopy(document)->pageCount();
}

void printDocument(const QTextDocument& document, QPagedPaintDevice& device)
{
    device.setPageLayout(a4WithoutMargins());
    if (isPreparedLayout(document)) {
        document.print(&device);
    } else {
        pagedCopy(document)->print(&device);
    }
}

bool exportDocument(const QTextDocument& document, const QString& path, QString* error)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"pdf") {
        return writePdf(document, path, error);
    }
    if (suffix == u"html" || suffix == u"htm") {
        return writeHtml(document, path, error);
    }
    if (suffix == u"docx") {
        QString reason;
        if (writeDocx(document, path, &reason)) {
            return true;
        }
        if (error) {
            const QString file = QDir::toNativeSeparators(path);
            *error = reason.isEmpty() ? QStringLiteral("Il file «%1» non si può scrivere.").arg(file) : reason;
        }
        return false;
    }
    const QString reason =
        suffix.isEmpty()
            ? QStringLiteral("manca l'estensione che ne dice il formato (.pdf, .docx, .html).")
            : QStringLiteral("il formato «.%1» non è tra quelli previsti (.pdf, .docx, .html).")
                  .arg(suffix);
    return fail(path, reason, error);
}

QStringList exportFilters()
{
    return {QStringLiteral("Documento PDF (*.pdf)"), QStringLiteral("Documento Word (*.docx)"),
            QStringLiteral("Pagina web (*.html)")};
}

} // namespace pondra
