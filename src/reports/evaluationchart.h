#pragma once

#include "model/robustness.h"
#include "model/value.h"

#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>

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

// Where the chart puts things in its rectangle. Every length is a share of the width, so the
// chart looks the same at any size and on any device.
struct EvaluationChartGeometry {
    double unit = 1;     // one design point: the width over 480
    double textSize = 9; // pixel size of names and values
    QRectF plot;         // from 0 to 100 %, across every bar row
    double rowHeight = 0;

    double xOf(double percent) const;
    // The bar of the row from the top (from 0) for an evaluation.
    QRectF barRect(int row, double percent) const;
};

EvaluationChartGeometry evaluationChartGeometry(const QRectF& area, int bars);

// The height the chart takes at this width for so many bars, each row at its ease.
double evaluationChartHeight(double width, int bars);

// Paints the chart: one horizontal bar per hypothesis, from the top in the order given, on a
// scale from 0 to 100 % whose eleven steps stand as faint bands, with their adjectives above and
// their percentages below. A bar is coloured as the Results window colours its evaluation and
// carries the value at its end. The texts are written in the first of the font families found.
void paintEvaluationChart(QPainter& painter, const QRectF& area, const std::vector<ChartBar>& bars,
                          const QStringList& families);

// The chart as a picture this many pixels wide, for formats that take pictures only.
QImage evaluationChartImage(const std::vector<ChartBar>& bars, int width, const QStringList& families);
// Pixels across the chart as a picture: about 180 dpi over a page's text width.
constexpr int ChartPictureWidth = 1200;
// The chart as a PNG file of that width.
QByteArray evaluationChartPng(const std::vector<ChartBar>& bars, const QStringList& families);

} // namespace pondra
