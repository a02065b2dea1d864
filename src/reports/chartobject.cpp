#include "chartobject.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextDocument>
#include <QTextObjectInterface>
#include <QUrl>

// The resolution Qt gives image sizes in; QtGui exports it without a public header.
Q_GUI_EXPORT int qt_defaultDpiY();

namespace pondra {

namespace {

constexpr char ChartCountProperty[] = "pondraCharts";

enum ChartProperty {
    // Clear of the properties the document conversion gives formats.
    ChartPositions = QTextFormat::UserProperty + 100,
    ChartNames,
    ChartEvaluations,
    ChartFamilies,
};

// Paints a chart from its bars, and any other image from its resource as Qt would.
class ChartPainter : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    using QObject::QObject;

    QSizeF intrinsicSize(QTextDocument* document, int, const QTextFormat& format) override
    {
        const QTextImageFormat image = format.toImageFormat();
        QSizeF size(qRound(image.width()), qRound(image.height()));
        // As Qt sizes images: given in screen pixels, scaled to the device the layout measures on.
        if (const QPaintDevice* device = document->documentLayout()->paintDevice()) {
            size *= qreal(device->logicalDpiY()) / qreal(qt_defaultDpiY());
        }
        return size;
    }

    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int,
                    const QTextFormat& format) override
    {
        if (const std::optional<std::vector<ChartBar>> bars = chartBarsOf(format)) {
            painter->fillRect(rect, Qt::white);
            paintEvaluationChart(*painter, rect, *bars, format.property(ChartFamilies).toStringList());
            return;
        }
        const QVariant picture =
            document->resource(QTextDocument::ImageResource, QUrl(format.toImageFormat().name()));
        painter->drawImage(rect, picture.value<QImage>());
    }
};

} // namespace

QTextImageFormat chartImageFormat(QTextDocument& document, const std::vector<ChartBar>& bars,
                                  const QStringList& families, double widthPoints)
{
    // A name no file or web address can have, so that nothing but the picture added here answers it.
    const int number = document.property(ChartCountProperty).toInt() + 1;
    document.setProperty(ChartCountProperty, number);
    const QString name = QStringLiteral("pondra:grafico-%1.png").arg(number);
    document.addResource(QTextDocument::ImageResource, QUrl(name),
                         evaluationChartImage(bars, ChartPictureWidth, families));

    QVariantList positions;
    QStringList names;
    QVariantList evaluations;
    for (const ChartBar& bar : bars) {
        positions << bar.position;
        names << bar.name;
        evaluations << bar.evaluation.toNumberOr(0.0);
    }
    QTextImageFormat format;
    format.setName(name);
    // Qt reads format lengths in pixels of a 96-dpi screen.
    format.setWidth(widthPoints * 96.0 / 72.0);
    format.setHeight(evaluationChartHeight(widthPoints, int(bars.size())) * 96.0 / 72.0);
    format.setProperty(ChartPositions, positions);
    format.setProperty(ChartNames, names);
    format.setProperty(ChartEvaluations, evaluations);
    format.setProperty(ChartFamilies, families);
    return format;
}

std::optional<std::vector<ChartBar>> chartBarsOf(const QTextFormat& format)
{
    if (!format.hasProperty(ChartNames)) {
        return std::nullopt;
    }
    const QVariantList positions = format.property(ChartPositions).toList();
    const QStringList names = format.property(ChartNames).toStringList();
    const QVariantList evaluations = format.property(ChartEvaluations).toList();
    std::vector<ChartBar> bars;
    for (qsizetype i = 0; i < names.size() && i < positions.size() && i < evaluations.size(); ++i) {
        bars.push_back({positions[i].toInt(), names[i], Value::number(evaluations[i].toDouble())});
    }
    return bars;
}

void paintChartsAsVector(QTextDocument& document)
{
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    if (dynamic_cast<ChartPainter*>(layout->handlerForObject(QTextFormat::ImageObject))) {
        return;
    }
    layout->registerHandler(QTextFormat::ImageObject, new ChartPainter(layout));
}

} // namespace pondra

#include "chartobject.moc"
