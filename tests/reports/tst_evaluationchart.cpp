#include "reports/evaluationchart.h"

#include <QImage>
#include <QPainter>
#include <QTest>

using namespace pondra;

class TestEvaluationChart : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void bars_inRankingOrder_colouredAsTheResultsWindow()
    {
        Ranking ranking;
        const QList<std::pair<const char*, Value>> entries{{"Villa", Value::number(85)},
                                                           {"Attico", Value::number(50.5)},
                                                           {"Box", Value::number(31.5)},
                                                           {"Rudere", Value::number(0)}};
        for (int p = 1; p <= entries.size(); ++p) {
            ranking[std::size_t(p)] = {Value::text(QString::fromLatin1(entries[p - 1].first)), entries[p - 1].second, {}};
        }
        const std::vector<ChartBar> bars = chartBars(ranking, int(entries.size()));
        QCOMPARE(bars.size(), std::size_t(4));

        const QImage image = evaluationChartImage(bars, 960, QStringLiteral("DejaVu Sans"));
        const EvaluationChartGeometry g =
            evaluationChartGeometry(QRectF(0, 0, image.width(), image.height()), int(bars.size()));
        const QList<QColor> colours{QColor(0, 128, 0), QColor(255, 255, 0), QColor(255, 0, 0)};
        for (int i = 0; i < 3; ++i) {
            const QRectF bar = g.barRect(i, bars[std::size_t(i)].evaluation.numberValue());
            const int y = int(bar.center().y());
            QCOMPARE(image.pixelColor(int(bar.center().x()), y), colours[i]);
            // The bar runs from 0 to its value, in the row of its position.
            int x = int(g.xOf(0)) + 2;
            while (x < image.width() && image.pixelColor(x, y) == colours[i]) {
                ++x;
            }
            QVERIFY2(qAbs(x - bar.right()) <= 2, qPrintable(QStringLiteral("bar %1 ends at %2, not %3")
                                                              .arg(i + 1).arg(x).arg(bar.right())));
        }
        // No evaluation above zero: no coloured bar at all.
        const QRectF last = g.barRect(3, 0);
        QVERIFY(image.pixelColor(int(g.xOf(20)), int(last.center().y())) != colours[1]);
    }
};

QTEST_MAIN(TestEvaluationChart)
#include "tst_evaluationchart.moc"
