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
    void bars_inRankingOrder_colouredByStanding()
    {
        auto study = std::make_unique<Study>();
        nameHypothesis(*study, 1, QStringLiteral("Box")); // 31,5: orange, hatched
        enterRow(*study, 1, 1, QStringLiteral("a"), 2, 35);
        enterRow(*study, 1, 2, QStringLiteral("b"), 11, 65);
        nameHypothesis(*study, 2, QStringLiteral("Villa")); // 85: blue
        enterRow(*study, 2, 1, QStringLiteral("a"), 2, 50);
        enterRow(*study, 2, 2, QStringLiteral("b"), 3, 50);
        nameHypothesis(*study, 3, QStringLiteral("Attico")); // 50,5: yellow, edged
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
        const QList<QColor> colours{QColor(0, 114, 178), QColor(240, 228, 66), QColor(230, 159, 0)};
        const QList<double> values{85, 50.5, 31.5};
        // Bar, hatching or edge: coloured or dark; the scale behind is pale and grey.
        const auto inBar = [](const QColor& c) { return c.hsvSaturation() > 60 || c.value() < 80; };
        for (int i = 0; i < 3; ++i) {
            const QRectF bar = g.barRect(i, values[i]);
            const int y = int(bar.center().y());
            bool coloured = false;
            for (int x = int(bar.left()) + 2; x < int(bar.right()) - 2; ++x) {
                coloured = coloured || image.pixelColor(x, y) == colours[i];
            }
            QVERIFY2(coloured, qPrintable(QStringLiteral("bar %1").arg(i + 1)));
            // The bar runs from 0 to its value, in the row of its position.
            int x = int(g.xOf(0)) + 2;
            while (x < image.width() && inBar(image.pixelColor(x, y))) {
                ++x;
            }
            QVERIFY2(
                qAbs(x - bar.right()) <= 2,
                qPrintable(QStringLiteral("bar %1 ends at %2, not %3").arg(i + 1).arg(x).arg(bar.right())));
        }
        // No evaluation above zero: no coloured bar at all.
        const QRectF last = g.barRect(3, 0);
        QVERIFY(!inBar(image.pixelColor(int(g.xOf(20)), int(last.center().y()))));

        // In grey on paper the three looks stay apart, and the two nearest differ by a mark too.
        std::vector<int> greys;
        for (const QColor& c : colours) {
            greys.push_back(qGray(c.rgb()));
        }
        std::sort(greys.begin(), greys.end());
        QVERIFY(greys[1] - greys[0] >= 40 && greys[2] - greys[1] >= 40);
        const std::vector<ChartItem> items =
            evaluationChartItems(QRectF(0, 0, 480, 300), bars, QStringList{QStringLiteral("DejaVu Sans")});
        int hatched = 0;
        int edged = 0;
        for (const ChartItem& item : items) {
            if (const auto* f = std::get_if<ChartFill>(&item); f && f->fill == colours[1]) {
                edged += f->edge.isValid();
            } else if (const auto* s = std::get_if<ChartStrokes>(&item); s && s->colour == Qt::black) {
                ++hatched;
            }
        }
        // The bar and the legend's sample.
        QCOMPARE(hatched, 2);
        QCOMPARE(edged, 2);
    }

    void labels_wholeUpTo60CharactersOtherwiseCutInTheMiddle_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("label");
        const QString a30(30, u'a');
        QTest::newRow("breve") << QStringLiteral("Villa") << QStringLiteral("Villa");
        QTest::newRow("60 caratteri") << a30 + QString(30, u'b') << a30 + QString(30, u'b');
        QTest::newRow("61 caratteri")
            << a30 + u'x' + QString(30, u'b') << a30 + QChar(0x2026) + QString(29, u'b');
        QTest::newRow("lungo, differenze in fondo")
            << QStringLiteral(
                   "Ipotesi di ristrutturazione dell'edificio principale con ampliamento, variante A")
            << QStringLiteral("Ipotesi di ristrutturazione de") + QChar(0x2026) +
                   QStringLiteral("e con ampliamento, variante A");
        QTest::newRow("spazi al taglio") << QString(29, u'a') + QStringLiteral("   ") + QString(40, u'b')
                                         << QString(29, u'a') + QChar(0x2026) + QString(29, u'b');
    }

    void labels_wholeUpTo60CharactersOtherwiseCutInTheMiddle()
    {
        QFETCH(QString, name);
        QFETCH(QString, label);
        QCOMPARE(chartLabel(name), label);
        QVERIFY(label.size() <= ChartLabelLength);
        // The chart writes it after the position, whatever the font.
        const std::vector<ChartItem> items =
            evaluationChartItems(QRectF(0, 0, 480, 100), {{7, name, Value::number(40)}}, {});
        QVERIFY(std::any_of(items.begin(), items.end(), [&](const ChartItem& item) {
            const auto* t = std::get_if<ChartText>(&item);
            return t && t->text == QStringLiteral("7. ") + label;
        }));
    }

    void values_oneDecimalWithCommaAndNoBreakSpace_data()
    {
        QTest::addColumn<double>("evaluation");
        QTest::addColumn<QString>("text");
        QTest::newRow("intero") << 77.0 << QStringLiteral("77,0\u00a0%");
        QTest::newRow("mezzo") << 44.5 << QStringLiteral("44,5\u00a0%");
        QTest::newRow("arrotondato") << 66.66 << QStringLiteral("66,7\u00a0%");
        QTest::newRow("pieno") << 100.0 << QStringLiteral("100,0\u00a0%");
        QTest::newRow("zero") << 0.0 << QStringLiteral("0,0\u00a0%");
    }

    void values_oneDecimalWithCommaAndNoBreakSpace()
    {
        QFETCH(double, evaluation);
        QFETCH(QString, text);
        const std::vector<ChartBar> bars{{1, QStringLiteral("Villa"), Value::number(evaluation)}};
        const std::vector<ChartItem> items = evaluationChartItems(QRectF(0, 0, 480, 100), bars, {});
        QCOMPARE(std::count_if(items.begin(), items.end(),
                               [&](const ChartItem& item) {
                                   const auto* t = std::get_if<ChartText>(&item);
                                   return t && t->text == text && t->bold;
                               }),
                 1);
        // The picture and its alternative text say the same.
        QVERIFY(evaluationChartDescription(bars).endsWith(QStringLiteral("1. Villa ") + text + u'.'));
        QVERIFY(evaluationChartSvg(bars, 480, {}).contains(">" + text.toUtf8() + "</text>"));
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
        const QByteArray package = docx.readAll();
        QVERIFY(package.contains("word/media/grafico1.png") && package.contains("word/media/grafico1.svg"));
        // The web page draws it inside, titled with the values.
        QFile html(dir.filePath(QStringLiteral("g.html")));
        QVERIFY(html.open(QIODevice::ReadOnly));
        const QString page = QString::fromUtf8(html.readAll());
        QVERIFY(!page.contains(QStringLiteral("<img")));
        QVERIFY(
            page.contains(QStringLiteral("<title>Grafico delle valutazioni in %, in ordine di graduatoria: "
                                         "1. Villa 85,0\u00a0%; 2. Box 31,5\u00a0%.</title>")));

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
