#pragma once

#include "model/robustness.h"
#include "model/value.h"

#include <QColor>
#include <QImage>
#include <QLineF>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <variant>
#include <vector>

class QPainter;

namespace pondra {

// One bar of the chart: a ranked hypothesis, its position and its evaluation.
struct ChartBar {
    int position = 0;
    QString name;
    Value evaluation;
};

// One bar per ranked hypothesis, in ranking order.
std::vector<ChartBar> chartBars(const std::vector<RankedHypothesis>& ranked);

// The longest name a bar carries whole.
constexpr int ChartLabelLength = 60;
// A hypothesis' name as the chart writes it: whole up to ChartLabelLength characters; a longer
// one keeps its start and its end around "…", since names of one study often begin alike and
// differ at the end (and the other way round).
QString chartLabel(const QString& name);

// An evaluation as the chart writes it: one decimal, decimal comma, "77,0 %"; nothing for none.
QString chartValueText(const Value& evaluation);

// What the chart shows, value by value, in Italian: the alternative text of its pictures.
QString evaluationChartDescription(const std::vector<ChartBar>& bars);

// Where the chart puts things in its rectangle. Every length is a share of the width, so the
// chart looks the same at any size and on any device.
struct EvaluationChartGeometry {
    double unit = 1;     // one design point: the width over 480
    double textSize = 9; // pixel size of names and values
    QRectF plot;         // from 0 to 100 %, across every bar row
    double rowHeight = 0;

    double xOf(double percent) const;
    // The bar of the row from the top (from 0) for an evaluation: below the row's label.
    QRectF barRect(int row, double percent) const;
    // The baseline of the row's label, above its bar.
    double labelBaseline(int row) const;
};

EvaluationChartGeometry evaluationChartGeometry(const QRectF& area, int bars);

// The height the chart takes at this width for so many bars, each row at its ease.
double evaluationChartHeight(double width, int bars);

// The chart as drawn, in the coordinates of its rectangle: the painter and the SVG picture draw
// the same list, in its order.
struct ChartFill {
    QRectF rect;
    QColor fill; // invalid: none
    QColor edge; // invalid: none
    double edgeWidth = 0;
};
struct ChartStrokes {
    std::vector<QLineF> lines;
    QColor colour;
    double width = 0;
};
struct ChartText {
    QPointF baseline; // where the text starts, is centred or ends, by anchor
    QString text;
    double size = 9; // pixels of the rectangle's coordinates
    bool bold = false;
    QColor colour;
    Qt::AlignmentFlag anchor = Qt::AlignLeft; // AlignLeft, AlignHCenter or AlignRight
};
using ChartItem = std::variant<ChartFill, ChartStrokes, ChartText>;

// The chart: one horizontal bar per hypothesis, from the top in the order given, its position
// and name above it and its value at its end, on a scale from 0 to 100 % whose eleven steps stand
// as faint bands, with their adjectives above and their percentages below, the title of the axis
// and a legend under them. A bar's colour and mark say how its evaluation stands against 50 %, in
// colours that stay apart for a colour-blind reader and in grey on paper. Texts are measured in
// the first of the font families found.
std::vector<ChartItem> evaluationChartItems(const QRectF& area, const std::vector<ChartBar>& bars,
                                            const QStringList& families);

// Paints the chart's items on the painter, the texts at their exact sizes.
void paintEvaluationChart(QPainter& painter, const QRectF& area, const std::vector<ChartBar>& bars,
                          const QStringList& families);

// The chart as a picture this many pixels wide, for formats that take pictures only.
QImage evaluationChartImage(const std::vector<ChartBar>& bars, int width, const QStringList& families);
// Pixels across the chart as a picture: about 180 dpi over a page's text width.
constexpr int ChartPictureWidth = 1200;
// The chart as a PNG file of that width.
QByteArray evaluationChartPng(const std::vector<ChartBar>& bars, const QStringList& families);

// The chart as an SVG picture this many points wide, as high as it asks, its texts in the
// families given and then any sans-serif; titled with its description. Standalone, it starts with
// the XML declaration; otherwise it goes inside a web page, as wide as its place there.
QByteArray evaluationChartSvg(const std::vector<ChartBar>& bars, double widthPoints,
                              const QStringList& families, bool standalone = true);

} // namespace pondra
