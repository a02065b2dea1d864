// Times the solidity of the ranking on a full-size study (100 hypotheses of 100 judged rows):
// the analysis of every hypothesis against the first, and the painting of the chart of its 100
// bars. It prints figures only; the targets are printed alongside for the reader to compare.

#include "measure.h"
#include "model/judgementscale.h"
#include "model/robustness.h"
#include "model/scoring.h"
#include "reports/evaluationchart.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include <cstdio>
#include <memory>

using namespace pondra;
using bench::Figures;
using bench::measure;
using bench::report;

namespace {

// Every row judged and weighing 1, so that every row of both hypotheses of a pair can move on
// the scale: the most steps the analysis can weigh. With decimals, half the weights are 0.5 and
// 1.5, whose rounding makes steps unequal and sends the rows to the exact search.
std::unique_ptr<Study> fullStudy(bool decimals)
{
    auto study = std::make_unique<Study>();
    for (int h = 1; h <= MaxHypotheses; ++h) {
        study->hypothesis(h).name = Value::text(QStringLiteral("Ipotesi %1").arg(h));
        for (int r = 1; r <= MaxRows; ++r) {
            CharacteristicEntry& row = study->row(h, r);
            const int step = 1 + (h * 7 + r * 3) % JudgementSteps;
            const bool odd = r % 2 == 1;
            row.ticked = Value::integer(1);
            row.name = Value::text(QStringLiteral("requisito %1").arg(r));
            row.judgement = Value::text(JudgementScale::adjective(step));
            row.judgementNumber = Value::integer(qint16(step));
            row.coefficient = Value::text(JudgementScale::coefficientText(step));
            row.weight =
                Value::text(decimals && r <= 20 ? (odd ? QStringLiteral("0.5") : QStringLiteral("1.5"))
                                                : QStringLiteral("1"));
        }
        Recalculate(*study, h);
    }
    return study;
}

} // namespace

int main(int argc, char* argv[])
{
    // The chart is painted offscreen, the same with or without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);

    for (const bool decimals : {false, true}) {
        const std::unique_ptr<Study> study = fullStudy(decimals);
        RobustnessAnalysis analysis;
        constexpr int repetitions = 50;
        const Figures f = measure(
            repetitions, [](int) {}, [&] { analysis = analyseRobustness(*study); });
        report(decimals ? "solidità della graduatoria (100x100, 20 pesi con decimali per ipotesi)"
                        : "solidità della graduatoria (100x100)",
               f, repetitions, 50);
        if (analysis.challenges.size() != 99) {
            std::fprintf(stderr, "analisi incompleta\n");
            return 1;
        }
    }

    const RobustnessAnalysis analysis = analyseRobustness(*fullStudy(false));
    const std::vector<ChartBar> bars = chartBars(analysis.ranked);
    const QStringList families{QStringLiteral("URW Gothic"), QStringLiteral("DejaVu Sans")};
    {
        // On screen: a window 900 pixels wide.
        const double width = 900;
        QImage image(int(width), int(evaluationChartHeight(width, int(bars.size()))),
                     QImage::Format_ARGB32_Premultiplied);
        constexpr int repetitions = 50;
        const Figures f = measure(
            repetitions, [&](int) { image.fill(Qt::white); },
            [&] {
                QPainter painter(&image);
                paintEvaluationChart(painter, QRectF(0, 0, image.width(), image.height()), bars, families);
            });
        report("grafico di 100 barre disegnato (finestra, 900 pixel)", f, repetitions, 20);
    }
    {
        // As the PDF holds it: lines and text on an A4 page at 1200 dpi.
        constexpr int repetitions = 20;
        const Figures f = measure(
            repetitions, [](int) {},
            [&] {
                QBuffer sink;
                sink.open(QIODevice::WriteOnly);
                QPdfWriter pdf(&sink);
                pdf.setResolution(1200);
                QPainter painter(&pdf);
                const double width = pdf.width();
                paintEvaluationChart(painter,
                                     QRectF(0, 0, width, evaluationChartHeight(width, int(bars.size()))),
                                     bars, families);
            });
        report("grafico di 100 barre in PDF, vettoriale (pagina A4 intera)", f, repetitions, 0);
    }
    return 0;
}
