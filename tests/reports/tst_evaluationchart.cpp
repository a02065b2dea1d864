#include "reports/documentexport.h"
#include "reports/evaluationchart.h"
#include "reports/pagelayout.h"
#include "reports/textdocumentbuilder.h"
#include "reports/textdocumentconversion.h"

#include "support/studybuilder.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <algorithm>
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
            QVERIFY2(
                qAbs(x - bar.right()) <= 2,
                qPrintable(QStringLiteral("bar %1 ends at %2, not %3").arg(i + 1).arg(x).arg(bar.right())));
        }
        // No evaluation above zero: no coloured bar at all.
        const QRectF last = g.barRect(3, 0);
        QVERIFY(image.pixelColor(int(g.xOf(20)), int(last.center().y())) != colours[1]);
    }

    void chartInADocument_laidOutExportedAndKeptThroughTheWindow()
    {
        const std::vector<ChartBar> bars{{1, QStringLiteral("Villa"), Value::number(85)},
                                         {2, QStringLiteral("Box"), Value::number(31.5)}};
        TextDocumentBuilder b;
        b.typeText(QStringLiteral("Grafico\r"));
        b.appendChart(bars);
        b.writeEndParagraph(QStringLiteral("dopo"));
        const PagedDocument& pages = b.pages();
        const auto chart =
            std::find_if(pages.content->blocks.begin(), pages.content->blocks.end(), [](const Block& block) {
                return std::holds_alternative<Paragraph>(block) && std::get<Paragraph>(block).hasChart();
            });
        QVERIFY(chart != pages.content->blocks.end());
        const std::size_t block = std::size_t(chart - pages.content->blocks.begin());
        QCOMPARE(pages.lines[block].size(), std::size_t(1));
        QCOMPARE(pages.lines[block][0].height, std::get<Paragraph>(*chart).chartHeight());

        // The DOCX holds it as a picture, the web page as an embedded one.
        QTemporaryDir dir;
        for (const QString& name : {QStringLiteral("g.docx"), QStringLiteral("g.html")}) {
            QString error;
            QVERIFY2(exportPages(pages, dir.filePath(name), &error), qPrintable(error));
        }
        QFile docx(dir.filePath(QStringLiteral("g.docx")));
        QVERIFY(docx.open(QIODevice::ReadOnly));
        QVERIFY(docx.readAll().contains("word/media/grafico1.png"));
        QFile html(dir.filePath(QStringLiteral("g.html")));
        QVERIFY(html.open(QIODevice::ReadOnly));
        QVERIFY(html.readAll().contains(
            "<img style=\"width: 100%; height: auto; display: block\" alt=\"grafico delle "
            "valutazioni\" src=\"data:image/png;base64,iVBOR"));

        // The document window's document gives the same chart back when laid out again.
        const std::unique_ptr<QTextDocument> shown = toTextDocument(pages);
        const std::shared_ptr<DocumentContent> back = fromTextDocument(*shown);
        int charts = 0;
        for (const Block& b2 : back->blocks) {
            if (const auto* p = std::get_if<Paragraph>(&b2); p && p->hasChart()) {
                ++charts;
                QCOMPARE(p->chart.size(), bars.size());
                QCOMPARE(p->chart[1].name, QStringLiteral("Box"));
                QCOMPARE(p->chart[1].evaluation, Value::number(31.5));
            }
        }
        QCOMPARE(charts, 1);
    }
};

QTEST_MAIN(TestEvaluationChart)
#include "tst_evaluationchart.moc"
