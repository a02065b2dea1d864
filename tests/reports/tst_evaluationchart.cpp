#include "reports/evaluationchart.h"

#include "support/studybuilder.h"

#include <QImage>
#include <QTest>

#include <memory>

using namespace pondra;
using testsupport::enterRow;
using testsupport::nameHypothesis;

class TestEvaluationChart : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void bars_inRankingOrder_colouredAsTheResultsWindow()
    {
        auto study = std::make_unique<Study>();
        nameHypothesis(*study, 1, QStringLiteral("Box")); // 31,5: red
        enterRow(*study, 1, 1, QStringLiteral("a"), 2, 35);
        enterRow(*study, 1, 2, QStringLiteral("b"), 11, 65);
        nameHypothesis(*study, 2, QStringLiteral("Villa")); // 85: green
        enterRow(*study, 2, 1, QStringLiteral("a"), 2, 50);
        enterRow(*study, 2, 2, QStringLiteral("b"), 3, 50);
        nameHypothesis(*study, 3, QStringLiteral("Attico")); // 50,5: yellow
        enterRow(*study, 3, 1, QStringLiteral("a"), 6, 95);
        enterRow(*study, 3, 2, QStringLiteral("b"), 5, 5);
        nameHypothesis(*study, 4, QStringLiteral("Rudere")); // 0: no bar
        enterRow(*study, 4, 1, QStringLiteral("a"), 11, 100);

        const std::vector<ChartBar> bars = chartBars(analyseRobustness(*study).ranked);
        QCOMPARE(bars.size(), std::size_t(4));
        QCOMPARE(bars[0].name, QStringLiteral("Villa"));
        QCOMPARE(bars[1].name, QStringLiteral("Attico"));
        QCOMPARE(bars[2].name, QStringLiteral("Box"));

        const QImage image = evaluationChartImage(bars, 960, QStringList{QStringLiteral("DejaVu Sans")});
        const EvaluationChartGeometry g =
            evaluationChartGeometry(QRectF(0, 0, image.width(), image.height()), int(bars.size()));
        const QList<QColor> colours{QColor(0, 128, 0), QColor(255, 255, 0), QColor(255, 0, 0)};
        const QList<double> values{85, 50.5, 31.5};
        for (int i = 0; i < 3; ++i) {
            const QRectF bar = g.barRect(i, values[i]);
            const int y = int(bar.center().y());
            QCOMPARE(image.pixelColor(int(bar.center().x()), y), colours[i]);
            // The bar runs from 0 to its value, in the row of its position.
            int x = int(g.xOf(0)) + 2;
            while (x < image.width() && image.pixelColor(x, y) == colours[i]) {
                ++x;
            }
            QVERIFY2(qAbs(x - bar.right()) <= 2,
                     qPrintable(QStringLiteral("bar %1 ends at %2, not %3").arg(i + 1).arg(x).arg(bar.right())));
        }
        // No evaluation above zero: no coloured bar at all.
        const QRectF last = g.barRect(3, 0);
        QVERIFY(image.pixelColor(int(g.xOf(20)), int(last.center().y())) != colours[1]);
    }
};

QTEST_MAIN(TestEvaluationChart)
#include "tst_evaluationchart.moc"
