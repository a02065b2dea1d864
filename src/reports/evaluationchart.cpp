#include "evaluationchart.h"

#include "markupescaping.h"
#include "typeface.h"

#include "model/judgementscale.h"
#include "model/standing.h"
#include "model/textrules.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace pondra {

namespace {

// Design units: the chart is 480 across, about the points of a page's text width.
constexpr double DesignWidth = 480;
constexpr double PlotLeft = 12; // room for the half of the texts centred on 0
constexpr double Gap = 3;
constexpr double ValueWidth = 44;   // "100,0 %" at the end of a full bar
constexpr double HeaderHeight = 20; // two lines of step adjectives
constexpr double PercentHeight = 13;
constexpr double AxisTitleHeight = 11;
constexpr double LegendHeight = 14;
constexpr double FooterHeight = PercentHeight + AxisTitleHeight + LegendHeight;
constexpr double PreferredRow = 23; // a line of label, the bar under it and a gap
constexpr double TextSize = 9;
constexpr double ScaleTextSize = 6.5;
constexpr double AxisTextSize = 7.5;
// Shares of a row: the label's baseline, then the bar.
constexpr double LabelBaselineShare = 0.40;
constexpr double BarTopShare = 0.56;
constexpr double BarShare = 0.34;
constexpr double LabelShare = 0.40; // the most of a row the label's size may take
constexpr double SwatchWidth = 14;
constexpr double SwatchHeight = 7;
constexpr double HatchSpacing = 3.5;

const QColor BandShade(236, 239, 241);
const QColor TickColour(190, 196, 200);
const QColor ScaleText(90, 96, 100);

// A bar's look by how its evaluation stands: blue, yellow and orange stay apart for every kind
// of colour blindness and print as dark, light and middle grey; the hatching of the bars under
// 50 % and the edge of the yellow ones tell them apart in any case.
struct BarLook {
    QColor fill;
    bool hatched = false;
    bool edged = false;
};

BarLook barLook(Standing standing)
{
    switch (standing) {
    case Standing::Positive:
        return {QColor(0, 114, 178), false, false};
    case Standing::Negative:
        return {QColor(230, 159, 0), true, false};
    case Standing::Neither:
        break;
    }
    return {QColor(240, 228, 66), false, true};
}

constexpr double ReferencePixels = 100;

QFont fontOf(const QStringList& families, double pixels, bool bold = false)
{
    addShippedFaces();
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(std::max(1, int(std::lround(pixels))));
    font.setBold(bold);
    // Names and figures in Latin script need neither kerning nor shaping, which cost the most.
    font.setKerning(false);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// Texts measured at any size from one large font, so that the sizes are exact on every device.
class TextMeasure {
public:
    explicit TextMeasure(const QStringList& families)
        : m_regular(fontOf(families, ReferencePixels)), m_bold(fontOf(families, ReferencePixels, true))
    {
    }

    double width(const QString& text, double size, bool bold = false) const
    {
        return metrics(bold).horizontalAdvance(text) * size / ReferencePixels;
    }
    // From the baseline up to the top of the text, and down to its bottom.
    double ascent(double size, bool bold = false) const
    {
        return metrics(bold).ascent() * size / ReferencePixels;
    }
    double descent(double size, bool bold = false) const
    {
        return metrics(bold).descent() * size / ReferencePixels;
    }
    // The baseline that centres a line of text on y.
    double centredBaseline(double y, double size, bool bold = false) const
    {
        return y + (ascent(size, bold) - descent(size, bold)) / 2;
    }
    QString elided(const QString& text, double size, double width) const
    {
        return m_regular.elidedText(text, Qt::ElideRight, width * ReferencePixels / size);
    }

private:
    const QFontMetricsF& metrics(bool bold) const { return bold ? m_bold : m_regular; }

    QFontMetricsF m_regular;
    QFontMetricsF m_bold;
};

// Step n of the scale stands at its coefficient, 100 % down to 0, and covers what the overall
// judgement of that step covers: 5 % either side.
double stepCentre(int n)
{
    return 10.0 * (JudgementSteps - n);
}

double percentOf(const ChartBar& bar)
{
    return bar.evaluation.toNumberOr(0.0);
}

// Lines rising to the right across the rectangle, spacing apart along its width.
std::vector<QLineF> hatching(const QRectF& r, double spacing)
{
    std::vector<QLineF> lines;
    // On each line x + y is the same; from the top left corner to the bottom right one.
    for (double k = r.left() + r.top() + spacing / 2; k < r.right() + r.bottom(); k += spacing) {
        const double x0 = std::max(r.left(), k - r.bottom());
        const double x1 = std::min(r.right(), k - r.top());
        if (x1 > x0) {
            lines.emplace_back(x0, k - x0, x1, k - x1);
        }
    }
    return lines;
}

void addBar(std::vector<ChartItem>& items, const QRectF& rect, Standing standing, double u)
{
    if (rect.width() <= 0) {
        return;
    }
    const BarLook look = barLook(standing);
    items.push_back(ChartFill{rect, look.fill, look.edged ? QColor(Qt::black) : QColor(), 0.4 * u});
    if (look.hatched) {
        items.push_back(ChartStrokes{hatching(rect, HatchSpacing * u), Qt::black, 0.6 * u});
    }
}

QString percentText(const QString& number)
{
    return number + QChar(0x00A0) + u'%';
}

} // namespace

std::vector<ChartBar> chartBars(const std::vector<RankedHypothesis>& ranked)
{
    std::vector<ChartBar> bars;
    for (const RankedHypothesis& r : ranked) {
        bars.push_back({r.place.number, r.name, Value::number(r.evaluation)});
    }
    return bars;
}

QString chartLabel(const QString& name)
{
    if (name.size() <= ChartLabelLength) {
        return name;
    }
    // The start gets the odd character; neither piece splits a surrogate pair or ends in blanks.
    qsizetype head = ChartLabelLength / 2;
    qsizetype tail = ChartLabelLength - 1 - head;
    if (name.at(head - 1).isHighSurrogate()) {
        --head;
    }
    if (name.at(name.size() - tail).isLowSurrogate()) {
        --tail;
    }
    return name.first(head).trimmed() + QChar(0x2026) + name.last(tail).trimmed();
}

QString chartValueText(const Value& evaluation)
{
    const std::optional<double> value = evaluation.toNumber();
    return value ? percentText(fixedPatternText(*value, u"0.0")) : QString();
}

QString evaluationChartDescription(const std::vector<ChartBar>& bars)
{
    QStringList values;
    for (const ChartBar& bar : bars) {
        const QString value = chartValueText(bar.evaluation);
        values << QString::number(bar.position) + QStringLiteral(". ") + bar.name +
                      (value.isEmpty() ? QString() : u' ' + value);
    }
    return QStringLiteral("Grafico delle valutazioni in %, in ordine di graduatoria: ") +
           values.join(QStringLiteral("; ")) + u'.';
}

double EvaluationChartGeometry::xOf(double percent) const
{
    return plot.left() + plot.width() * std::clamp(percent, 0.0, 100.0) / 100.0;
}

QRectF EvaluationChartGeometry::barRect(int row, double percent) const
{
    const double top = plot.top() + row * rowHeight + rowHeight * BarTopShare;
    return QRectF(xOf(0), top, xOf(percent) - xOf(0), rowHeight * BarShare);
}

double EvaluationChartGeometry::labelBaseline(int row) const
{
    return plot.top() + row * rowHeight + rowHeight * LabelBaselineShare;
}

EvaluationChartGeometry evaluationChartGeometry(const QRectF& area, int bars)
{
    EvaluationChartGeometry g;
    g.unit = area.width() / DesignWidth;
    const double u = g.unit;
    g.plot = QRectF(area.left() + PlotLeft * u, area.top() + HeaderHeight * u,
                    area.width() - (PlotLeft + Gap + ValueWidth) * u,
                    std::max(0.0, area.height() - (HeaderHeight + FooterHeight) * u));
    g.rowHeight = g.plot.height() / std::max(1, bars);
    g.textSize = std::min(TextSize * u, g.rowHeight * LabelShare);
    return g;
}

double evaluationChartHeight(double width, int bars)
{
    return width / DesignWidth * (HeaderHeight + FooterHeight + PreferredRow * std::max(1, bars));
}

std::vector<ChartItem> evaluationChartItems(const QRectF& area, const std::vector<ChartBar>& bars,
                                            const QStringList& families)
{
    const EvaluationChartGeometry g = evaluationChartGeometry(area, int(bars.size()));
    const double u = g.unit;
    const QRectF& plot = g.plot;
    const TextMeasure measure(families);
    std::vector<ChartItem> items;
    items.reserve(bars.size() * 4 + 60);

    // The eleven steps: every other band shaded, a faint line at each step's own value, its
    // adjective above (on two staggered lines, so that neighbours do not touch) and its percent
    // below.
    const double band = plot.width() / 10.0;
    const double scaleSize = ScaleTextSize * u;
    const double line = HeaderHeight * u / 2;
    ChartStrokes ticks{{}, TickColour, 0.5 * u};
    std::vector<ChartText> scaleTexts;
    for (int n = 1; n <= JudgementSteps; ++n) {
        const double centre = stepCentre(n);
        const double x = g.xOf(centre);
        if (n % 2 == 1) {
            const double left = g.xOf(centre - 5);
            items.push_back(ChartFill{QRectF(left, plot.top(), g.xOf(centre + 5) - left, plot.height()),
                                      BandShade, QColor(), 0});
        }
        ticks.lines.emplace_back(x, plot.top(), x, plot.bottom());
        const double top = area.top() + (n % 2 == 1 ? 0 : line);
        scaleTexts.push_back({QPointF(x, measure.centredBaseline(top + line / 2, scaleSize)),
                              measure.elided(JudgementScale::adjective(n), scaleSize, 2 * band), scaleSize,
                              false, ScaleText, Qt::AlignHCenter});
        scaleTexts.push_back(
            {QPointF(x, measure.centredBaseline(plot.bottom() + PercentHeight * u / 2, scaleSize)),
             QString::number(int(centre)), scaleSize, false, ScaleText, Qt::AlignHCenter});
    }
    items.push_back(std::move(ticks));

    for (std::size_t i = 0; i < bars.size(); ++i) {
        addBar(items, g.barRect(int(i), percentOf(bars[i])), standingOf(bars[i].evaluation), u);
    }

    // Texts after every shape, each kind together: changing fonts costs more than the text.
    for (ChartText& t : scaleTexts) {
        items.push_back(std::move(t));
    }
    const double labelWidth = area.right() - plot.left();
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const QString label =
            QString::number(bars[i].position) + QStringLiteral(". ") + chartLabel(bars[i].name);
        // A label of wide letters shrinks rather than lose characters.
        const double width = measure.width(label, g.textSize);
        const double size = width > labelWidth ? g.textSize * labelWidth / width : g.textSize;
        items.push_back(ChartText{QPointF(plot.left(), g.labelBaseline(int(i))), label, size, false,
                                  Qt::black, Qt::AlignLeft});
    }
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const QString value = chartValueText(bars[i].evaluation);
        if (!value.isEmpty()) {
            const QRectF bar = g.barRect(int(i), percentOf(bars[i]));
            items.push_back(ChartText{
                QPointF(bar.right() + Gap * u, measure.centredBaseline(bar.center().y(), g.textSize, true)),
                value, g.textSize, true, Qt::black, Qt::AlignLeft});
        }
    }

    // The title of the axis, then the legend: a sample of each look and what it means.
    const double axisSize = AxisTextSize * u;
    const double axisTop = plot.bottom() + PercentHeight * u;
    items.push_back(ChartText{
        QPointF(plot.center().x(), measure.centredBaseline(axisTop + AxisTitleHeight * u / 2, axisSize)),
        percentText(QStringLiteral("valutazione in")), axisSize, false, Qt::black, Qt::AlignHCenter});
    const struct {
        Standing standing;
        QString meaning;
    } legend[] = {{Standing::Positive, percentText(QStringLiteral("sopra il 50"))},
                  {Standing::Neither, percentText(QStringLiteral("50"))},
                  {Standing::Negative, percentText(QStringLiteral("sotto il 50"))}};
    const double spacing = 12 * u;
    double total = -spacing;
    for (const auto& entry : legend) {
        total += (SwatchWidth + Gap) * u + measure.width(entry.meaning, axisSize) + spacing;
    }
    const double middle = axisTop + AxisTitleHeight * u + LegendHeight * u / 2;
    double x = plot.center().x() - total / 2;
    for (const auto& entry : legend) {
        addBar(items, QRectF(x, middle - SwatchHeight * u / 2, SwatchWidth * u, SwatchHeight * u),
               entry.standing, u);
        x += (SwatchWidth + Gap) * u;
        items.push_back(ChartText{QPointF(x, measure.centredBaseline(middle, axisSize)), entry.meaning,
                                  axisSize, false, Qt::black, Qt::AlignLeft});
        x += measure.width(entry.meaning, axisSize) + spacing;
    }
    return items;
}

void paintEvaluationChart(QPainter& painter, const QRectF& area, const std::vector<ChartBar>& bars,
                          const QStringList& families)
{
    const std::vector<ChartItem> items = evaluationChartItems(area, bars, families);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QTransform base = painter.transform();
    const QFont regular = fontOf(families, ReferencePixels);
    const QFont bold = fontOf(families, ReferencePixels, true);
    const TextMeasure measure(families);
    int font = -1;
    for (const ChartItem& item : items) {
        if (const auto* f = std::get_if<ChartFill>(&item)) {
            if (f->fill.isValid()) {
                painter.fillRect(f->rect, f->fill);
            }
            if (f->edge.isValid()) {
                painter.setPen(QPen(f->edge, f->edgeWidth));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(f->rect);
            }
        } else if (const auto* s = std::get_if<ChartStrokes>(&item)) {
            painter.setPen(QPen(s->colour, s->width, Qt::SolidLine, Qt::FlatCap));
            painter.drawLines(s->lines.data(), int(s->lines.size()));
        } else {
            const ChartText& t = std::get<ChartText>(item);
            if (t.size <= 0) {
                continue; // a chart squeezed to nothing
            }
            if (font != int(t.bold)) {
                font = int(t.bold);
                painter.setFont(t.bold ? bold : regular);
            }
            double x = t.baseline.x();
            if (t.anchor != Qt::AlignLeft) {
                const double width = measure.width(t.text, t.size, t.bold);
                x -= t.anchor == Qt::AlignRight ? width : width / 2;
            }
            // One large font scaled to each size: exact on the screen, on paper and in a PDF.
            const double k = t.size / ReferencePixels;
            painter.setTransform(QTransform(k, 0, 0, k, x, t.baseline.y()) * base);
            painter.setPen(t.colour);
            painter.drawText(QPointF(0, 0), t.text);
            painter.setTransform(base);
        }
    }
    painter.restore();
}

QImage evaluationChartImage(const std::vector<ChartBar>& bars, int width, const QStringList& families)
{
    const int height = int(std::ceil(evaluationChartHeight(width, int(bars.size()))));
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintEvaluationChart(painter, QRectF(0, 0, width, height), bars, families);
    return image;
}

QByteArray evaluationChartPng(const std::vector<ChartBar>& bars, const QStringList& families)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    evaluationChartImage(bars, ChartPictureWidth, families).save(&buffer, "PNG");
    return png;
}

namespace {

// A length in the SVG: two decimals at most, no zeros after them.
QByteArray svgNumber(double value)
{
    QByteArray text = QByteArray::number(value, 'f', 2);
    while (text.endsWith('0')) {
        text.chop(1);
    }
    if (text.endsWith('.')) {
        text.chop(1);
    }
    return text == "-0" ? QByteArray("0") : text;
}

QByteArray svgColour(const QColor& colour)
{
    return colour.isValid() ? colour.name(QColor::HexRgb).toLatin1() : QByteArray("none");
}

QByteArray svgEscaped(const QString& text)
{
    return escapedMarkup(text).toUtf8();
}

QByteArray svgFontList(const QStringList& families)
{
    QStringList quoted;
    for (const QString& family : families) {
        quoted << u'\'' + QString(family).remove(u'\'').remove(u'"') + u'\'';
    }
    quoted << QStringLiteral("sans-serif");
    return svgEscaped(quoted.join(QStringLiteral(", ")));
}

} // namespace

QByteArray evaluationChartSvg(const std::vector<ChartBar>& bars, double widthPoints,
                              const QStringList& families, bool standalone)
{
    const double height = evaluationChartHeight(widthPoints, int(bars.size()));
    QByteArray svg;
    svg.reserve(4096 + qsizetype(bars.size()) * 1500);
    if (standalone) {
        svg += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n";
    }
    const QByteArray w = svgNumber(widthPoints);
    const QByteArray h = svgNumber(height);
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + w + "pt\" height=\"" + h +
           "pt\" viewBox=\"0 0 " + w + ' ' + h + "\" role=\"img\"" +
           (standalone ? QByteArray() : QByteArray(" style=\"display: block; width: 100%; height: auto\"")) +
           ">\n<title>" + svgEscaped(evaluationChartDescription(bars)) + "</title>\n";
    svg += "<rect width=\"" + w + "\" height=\"" + h + "\" fill=\"#ffffff\"/>\n";
    svg += "<g font-family=\"" + svgFontList(families) + "\">\n";
    for (const ChartItem& item : evaluationChartItems(QRectF(0, 0, widthPoints, height), bars, families)) {
        if (const auto* f = std::get_if<ChartFill>(&item)) {
            svg += "<rect x=\"" + svgNumber(f->rect.x()) + "\" y=\"" + svgNumber(f->rect.y()) +
                   "\" width=\"" + svgNumber(f->rect.width()) + "\" height=\"" + svgNumber(f->rect.height()) +
                   "\" fill=\"" + svgColour(f->fill) + '"';
            if (f->edge.isValid()) {
                svg +=
                    " stroke=\"" + svgColour(f->edge) + "\" stroke-width=\"" + svgNumber(f->edgeWidth) + '"';
            }
            svg += "/>\n";
        } else if (const auto* s = std::get_if<ChartStrokes>(&item)) {
            svg += "<path fill=\"none\" stroke=\"" + svgColour(s->colour) + "\" stroke-width=\"" +
                   svgNumber(s->width) + "\" d=\"";
            for (const QLineF& l : s->lines) {
                svg += 'M' + svgNumber(l.x1()) + ' ' + svgNumber(l.y1()) + 'L' + svgNumber(l.x2()) + ' ' +
                       svgNumber(l.y2());
            }
            svg += "\"/>\n";
        } else {
            const ChartText& t = std::get<ChartText>(item);
            svg += "<text x=\"" + svgNumber(t.baseline.x()) + "\" y=\"" + svgNumber(t.baseline.y()) +
                   "\" font-size=\"" + svgNumber(t.size) + '"';
            if (t.bold) {
                svg += " font-weight=\"bold\"";
            }
            if (t.anchor != Qt::AlignLeft) {
                svg += t.anchor == Qt::AlignRight ? " text-anchor=\"end\"" : " text-anchor=\"middle\"";
            }
            if (t.colour != Qt::black) {
                svg += " fill=\"" + svgColour(t.colour) + '"';
            }
            svg += '>' + svgEscaped(t.text) + "</text>\n";
        }
    }
    svg += "</g>\n</svg>\n";
    return svg;
}

} // namespace pondra
