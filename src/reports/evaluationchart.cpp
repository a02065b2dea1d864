#include "evaluationchart.h"

#include "standingcolours.h"

#include "model/judgementscale.h"
#include "model/standing.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <functional>

namespace pondra {

namespace {

// Design units: the chart is 480 across, about the points of a page's text width.
constexpr double DesignWidth = 480;
constexpr double LabelWidth = 150;
constexpr double Gap = 6;
constexpr double ValueWidth = 42;
constexpr double HeaderHeight = 20; // two lines of step adjectives
constexpr double FooterHeight = 13; // the percentages
constexpr double PreferredRow = 18;
constexpr double TextSize = 9;
constexpr double ScaleTextSize = 6.5;
constexpr double BarShare = 0.64; // of the row's height

const QColor BandShade(236, 239, 241);
const QColor TickColour(190, 196, 200);
const QColor ScaleText(90, 96, 100);

// Step n of the scale stands at its coefficient, 100 % down to 0, and covers what the overall
// judgement of that step covers: 5 % either side.
double stepCentre(int n)
{
    return 10.0 * (JudgementSteps - n);
}

QFont fontOf(const QStringList& families, double pixels, bool bold = false)
{
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(std::max(1, int(std::lround(pixels))));
    font.setBold(bold);
    // Names and figures in Latin script need neither kerning nor shaping, which cost the most.
    font.setKerning(false);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

double percentOf(const ChartBar& bar)
{
    return bar.evaluation.toNumberOr(0.0);
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

double EvaluationChartGeometry::xOf(double percent) const
{
    return plot.left() + plot.width() * std::clamp(percent, 0.0, 100.0) / 100.0;
}

QRectF EvaluationChartGeometry::barRect(int row, double percent) const
{
    const double thickness = rowHeight * BarShare;
    const double top = plot.top() + row * rowHeight + (rowHeight - thickness) / 2;
    return QRectF(xOf(0), top, xOf(percent) - xOf(0), thickness);
}

EvaluationChartGeometry evaluationChartGeometry(const QRectF& area, int bars)
{
    EvaluationChartGeometry g;
    g.unit = area.width() / DesignWidth;
    const double u = g.unit;
    g.plot = QRectF(area.left() + (LabelWidth + Gap) * u, area.top() + HeaderHeight * u,
                    area.width() - (LabelWidth + Gap + ValueWidth) * u,
                    std::max(0.0, area.height() - (HeaderHeight + FooterHeight) * u));
    g.rowHeight = g.plot.height() / std::max(1, bars);
    g.textSize = std::min(TextSize * u, g.rowHeight * 0.62);
    return g;
}

double evaluationChartHeight(double width, int bars)
{
    return width / DesignWidth * (HeaderHeight + FooterHeight + PreferredRow * std::max(1, bars));
}

void paintEvaluationChart(QPainter& painter, const QRectF& area, const std::vector<ChartBar>& bars,
                          const QStringList& families)
{
    const EvaluationChartGeometry g = evaluationChartGeometry(area, int(bars.size()));
    const double u = g.unit;
    const QRectF& plot = g.plot;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    // The eleven steps: every other band shaded, a faint line at each step's own value, its
    // adjective above (on two staggered lines, so that neighbours do not touch) and its percent
    // below.
    const double band = plot.width() / 10.0;
    const QFont scaleFont = fontOf(families, ScaleTextSize * u);
    painter.setFont(scaleFont);
    const QFontMetricsF scaleMetrics(scaleFont, painter.device());
    const double line = HeaderHeight * u / 2;
    for (int n = 1; n <= JudgementSteps; ++n) {
        const double centre = stepCentre(n);
        const double x = g.xOf(centre);
        if (n % 2 == 1) {
            const double left = g.xOf(centre - 5);
            painter.fillRect(QRectF(left, plot.top(), g.xOf(centre + 5) - left, plot.height()), BandShade);
        }
        painter.setPen(QPen(TickColour, 0.5 * u));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(ScaleText);
        const QRectF above(x - band, area.top() + (n % 2 == 1 ? 0 : line), 2 * band, line);
        painter.drawText(
            above, Qt::AlignCenter,
            scaleMetrics.elidedText(JudgementScale::adjective(n), Qt::ElideRight, above.width()));
        painter.drawText(QRectF(x - band / 2, plot.bottom(), band, FooterHeight * u), Qt::AlignCenter,
                         QString::number(int(centre)));
    }

    // Bars first, then each kind of text in one pass: changing fonts costs more than the text.
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const Standing standing = standingOf(bars[i].evaluation);
        const QRectF rect = g.barRect(int(i), percentOf(bars[i]));
        painter.fillRect(rect, standingColours(standing).background);
        if (standing == Standing::Neither && rect.width() > 0) {
            // Yellow on white needs an edge to be seen.
            painter.setPen(QPen(Qt::black, 0.4 * u));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(rect);
        }
    }
    painter.setPen(Qt::black);
    const auto writeRows = [&](const QFont& font,
                               const std::function<void(std::size_t, double, const QFontMetricsF&)>& write) {
        painter.setFont(font);
        const QFontMetricsF metrics(font, painter.device());
        // The baseline that centres a line of text in its row.
        const double shift = (g.rowHeight + metrics.ascent() - metrics.descent()) / 2;
        for (std::size_t i = 0; i < bars.size(); ++i) {
            write(i, plot.top() + double(i) * g.rowHeight + shift, metrics);
        }
    };
    writeRows(
        fontOf(families, g.textSize), [&](std::size_t i, double baseline, const QFontMetricsF& metrics) {
            const QString text = QString::number(bars[i].position) + QStringLiteral(". ") + bars[i].name;
            painter.drawText(QPointF(area.left(), baseline),
                             metrics.elidedText(text, Qt::ElideRight, LabelWidth * u));
        });
    writeRows(fontOf(families, g.textSize, true), [&](std::size_t i, double baseline, const QFontMetricsF&) {
        const QString value = bars[i].evaluation.toDisplayText();
        if (!value.isEmpty()) {
            const double end = g.barRect(int(i), percentOf(bars[i])).right();
            painter.drawText(QPointF(end + Gap * u / 2, baseline), value + QStringLiteral(" %"));
        }
    });
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

} // namespace pondra
