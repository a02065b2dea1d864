#include "model/datacheck.h"
#include "model/judgementscale.h"
#include "model/scoring.h"
#include "model/study.h"
#include "model/weight.h"
#include "support/studybuilder.h"

#include <QRandomGenerator>
#include <QTest>

#include <array>
#include <memory>

using namespace pondra;
using testsupport::enterRow;

Q_DECLARE_METATYPE(pondra::Value)

using namespace Qt::StringLiterals;

namespace {

// n / 10^places as a person writes it: "87,5", "0,315", "-10", "0".
QString decimalText(qint64 n, int places)
{
    qint64 scale = 1;
    for (int i = 0; i < places; ++i) {
        scale *= 10;
    }
    const qint64 m = n < 0 ? -n : n;
    QString text = QString::number(m / scale);
    QString fraction = QString::number(m % scale).rightJustified(places, u'0');
    while (fraction.endsWith(u'0')) {
        fraction.chop(1);
    }
    if (!fraction.isEmpty()) {
        text += u',' + fraction;
    }
    return n < 0 ? u'-' + text : text;
}

} // namespace

class TestScoring : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Study> study;

private Q_SLOTS:
    void init() { study = std::make_unique<Study>(); }

    void noScoredRow_givesNullo()
    {
        const ScoreFigures f = Recalculate(*study, 1);
        QCOMPARE(f.media, QString());
        QCOMPARE(f.resto, QStringLiteral("100"));
        QCOMPARE(f.ponderata, QStringLiteral("0"));
        QCOMPARE(f.ScoredRowCount, qint16(0));
        QCOMPARE(study->hypothesis(1).EvaluationPercent, Value::number(0));
        QCOMPARE(study->hypothesis(1).OverallJudgement, Value::text(QStringLiteral("nullo")));
    }

    void typicalHypotheses_data()
    {
        QTest::addColumn<QList<int>>("steps");
        QTest::addColumn<QList<int>>("weights");
        QTest::addColumn<QString>("media");
        QTest::addColumn<QString>("resto");
        QTest::addColumn<QString>("ponderata");
        QTest::addColumn<double>("evaluation");
        QTest::addColumn<QString>("judgement");
        QTest::newRow("buono 60 + mediocre 40")
            << QList<int>{3, 6} << QList<int>{60, 40} << QStringLiteral("0,65") << QStringLiteral("0")
            << QStringLiteral("0,68") << 0.68 * 100 << QStringLiteral("discreto");
        QTest::newRow("ottimo 35 alone")
            << QList<int>{2} << QList<int>{35} << QStringLiteral("0,9") << QStringLiteral("65")
            << QStringLiteral("0,315") << 0.315 * 100 << QStringLiteral("molto scarso");
        QTest::newRow("all nullo") << QList<int>{11, 11} << QList<int>{50, 50} << QStringLiteral("0")
                                   << QStringLiteral("0") << QStringLiteral("0") << 0.0
                                   << QStringLiteral("nullo");
        QTest::newRow("all eccellente")
            << QList<int>{1, 1, 1} << QList<int>{30, 30, 40} << QStringLiteral("1") << QStringLiteral("0")
            << QStringLiteral("1") << 100.0 << QStringLiteral("eccellente");
        // 0,57 x 100 is the double just below 57; it is stored so and shows as 57.
        QTest::newRow("three rows") << QList<int>{4, 9, 1} << QList<int>{70, 20, 10} << QStringLiteral("0,63")
                                    << QStringLiteral("0") << QStringLiteral("0,63") << 0.63 * 100
                                    << QStringLiteral("accettabile");
        QTest::newRow("mean rounds half up")
            << QList<int>{2, 3, 3, 3} << QList<int>{25, 25, 25, 25} << QStringLiteral("0,83")
            << QStringLiteral("0") << QStringLiteral("0,825") << 0.825 * 100 << QStringLiteral("buono");
    }
    void typicalHypotheses()
    {
        QFETCH(QList<int>, steps);
        QFETCH(QList<int>, weights);
        for (int i = 0; i < steps.size(); ++i) {
            enterRow(*study, 1, i + 1, QStringLiteral("r%1").arg(i), steps[i], weights[i]);
        }
        const ScoreFigures f = Recalculate(*study, 1);
        QTEST(f.media, "media");
        QTEST(f.resto, "resto");
        QTEST(f.ponderata, "ponderata");
        QTEST(study->hypothesis(1).EvaluationPercent.numberValue(), "evaluation");
        QTEST(study->hypothesis(1).OverallJudgement.textValue(), "judgement");
    }

    void longHypothesis_weightedCoefficientHasThreeDecimals()
    {
        // Twenty-eight shares of 0,03 added as binary fractions make 0,840000000000001.
        for (int r = 1; r <= 28; ++r) {
            enterRow(*study, 1, r, QStringLiteral("r%1").arg(r), 1, 3);
        }
        enterRow(*study, 1, 29, QStringLiteral("ultima"), 11, 16);
        const ScoreFigures f = Recalculate(*study, 1);
        QCOMPARE(f.ponderata, QStringLiteral("0,84"));
        QCOMPARE(study->hypothesis(1).EvaluationPercent.toDisplayText(), QStringLiteral("84"));
    }

    void evaluation_isShownFigureTimes100_keepsBinaryValue()
    {
        // 0,6 x 95 gives 0,57: evaluation is that figure times 100, not rounded again.
        enterRow(*study, 1, 1, QStringLiteral("a"), 5, 95);
        enterRow(*study, 1, 2, QStringLiteral("b"), 11, 5);
        const ScoreFigures f = Recalculate(*study, 1);
        QCOMPARE(f.ponderata, QStringLiteral("0,57"));
        QCOMPARE(study->hypothesis(1).EvaluationPercent.numberValue(), 0.57 * 100);
        QVERIFY(study->hypothesis(1).EvaluationPercent.numberValue() < 57.0);
        QCOMPARE(study->hypothesis(1).EvaluationPercent.toDisplayText(), QStringLiteral("57"));
    }

    void weightsOver100_keepPreviousJudgementWhenOffScale()
    {
        enterRow(*study, 1, 1, QStringLiteral("a"), 1, 60);
        enterRow(*study, 1, 2, QStringLiteral("b"), 1, 50);
        study->hypothesis(1).OverallJudgement = Value::text(QStringLiteral("buono"));
        const ScoreFigures f = Recalculate(*study, 1);
        QCOMPARE(f.resto, QStringLiteral("-10"));
        QCOMPARE(f.ponderata, QStringLiteral("1,1"));
        QCOMPARE(study->hypothesis(1).EvaluationPercent.numberValue(), 1.1 * 100);
        QCOMPARE(study->hypothesis(1).OverallJudgement, Value::text(QStringLiteral("buono")));
    }

    // Figures a person computes by hand over the rows that hold a coefficient, wherever they are.
    void rowsWithGaps_data()
    {
        QTest::addColumn<QList<Value>>("coefficients"); // row r holds coefficients[r - 1]
        QTest::addColumn<QString>("weights");
        QTest::addColumn<QString>("figures"); // n, media, resto, ponderata, overall judgement
        const Value gap = Value::text(QString());
        const auto c = [](const char16_t* text) { return Value::text(QString::fromUtf16(text)); };
        QTest::newRow("middle row unticked")
            << QList{c(u"0,8"), gap, c(u"0,5")} << u"50,,50"_s << u"2 0,65 0 0,65 discreto"_s;
        QTest::newRow("first row unticked")
            << QList{gap, c(u"0,9"), c(u"0")} << u",70,30"_s << u"2 0,45 0 0,63 accettabile"_s;
        QTest::newRow("untouched row inside")
            << QList{c(u"1"), Value(), c(u"0,2"), c(u"0,7")} << u"30,,20,50"_s << u"3 0,63 0 0,69 discreto"_s;
        // An older file's 0 is a coefficient, as it always was.
        QTest::newRow("stored 0 coefficient")
            << QList{c(u"0,8"), Value::integer(0), c(u"0,5")} << u"60,,40"_s << u"3 0,43 0 0,68 discreto"_s;
    }
    void rowsWithGaps()
    {
        QFETCH(QList<Value>, coefficients);
        QFETCH(QString, weights);
        for (int r = 1; r <= coefficients.size(); ++r) {
            study->row(1, r).coefficient = coefficients.at(r - 1);
            study->row(1, r).weight = Value::text(weights.section(u',', r - 1, r - 1));
        }
        const auto rows = study->hypothesis(1).rows;
        const ScoreFigures f = Recalculate(*study, 1);
        QTEST(QStringList({QString::number(f.ScoredRowCount), f.media, f.resto, f.ponderata,
                           study->hypothesis(1).OverallJudgement.textValue()})
                  .join(u' '),
              "figures");
        QVERIFY(study->hypothesis(1).rows == rows); // no cell written
    }

    void rowWithoutWeight_countsInMeanOnly()
    {
        enterRow(*study, 1, 1, QStringLiteral("a"), 1, 100);
        enterRow(*study, 1, 2, QStringLiteral("b"), 6, 0);
        study->row(1, 2).weight = Value::text(QString());
        const ScoreFigures f = Recalculate(*study, 1);
        QCOMPARE(f.media, QStringLiteral("0,75"));
        QCOMPARE(f.ponderata, QStringLiteral("1"));
        QCOMPARE(f.resto, QStringLiteral("0"));
    }

    // How a weight cell reads in the sums and how it is shown; the sums are exact.
    void weightCells_readExactly_data()
    {
        QTest::addColumn<Value>("cell");
        QTest::addColumn<QString>("read");
        QTest::addColumn<QString>("shown");
        const auto t = [](const char* text) { return Value::text(QString::fromLatin1(text)); };
        QTest::newRow("whole") << t("35") << u"35"_s << u"35"_s;
        QTest::newRow("typed decimal, as stored") << t("12.5") << u"12,5"_s << u"12,5"_s;
        QTest::newRow("two decimals of an older file") << t("25.25") << u"25,25"_s << u"25,25"_s;
        QTest::newRow("past the sixth decimal, half away from zero")
            << t("33.3333335") << u"33,333334"_s << u"33,3333335"_s;
        QTest::newRow("text after the number") << t(" 7 kg") << u"7"_s << u" 7 kg"_s;
        QTest::newRow("exponent") << t("1.5e1") << u"15"_s << u"1.5e1"_s;
        // A comma ends a file's number, as every reader of these files has taken it.
        QTest::newRow("comma in a file") << t("12,5") << u"12"_s << u"12,5"_s;
        QTest::newRow("integer") << Value::integer(40) << u"40"_s << u"40"_s;
        QTest::newRow("number") << Value::number(12.5) << u"12,5"_s << u"12,5"_s;
        QTest::newRow("never set") << Value() << u"0"_s << QString();
    }
    void weightCells_readExactly()
    {
        QFETCH(Value, cell);
        CharacteristicEntry row;
        row.weight = cell;
        QTEST(scoredWeight(row).text(), "read");
        QTEST(shownWeightText(cell), "shown");
    }

    // Three "buono" rows of 33,3 + 33,3 + 33,4 score 80 %, level with a whole-number 80 %.
    void decimalWeights_roundOnceAfterSumming()
    {
        for (int r = 1; r <= 3; ++r) {
            enterRow(*study, 1, r, u"r"_s, 3, 0);
            study->row(1, r).weight = Value::text(r == 3 ? u"33.4"_s : u"33.3"_s);
        }
        enterRow(*study, 2, 1, u"r"_s, 3, 100);
        QCOMPARE(Recalculate(*study, 1).ponderata, u"0,8"_s);
        Recalculate(*study, 2);
        QCOMPARE(study->hypothesis(1).EvaluationPercent, study->hypothesis(2).EvaluationPercent);
    }

    // Whole weights on the scale keep every figure the rounding of each row's share gave.
    void wholeWeights_keepTheirFigures()
    {
        std::array<Decimal, JudgementSteps> scale;
        for (int step = 1; step <= JudgementSteps; ++step) {
            CharacteristicEntry row;
            row.coefficient = Value::text(JudgementScale::coefficientText(step));
            scale[std::size_t(step - 1)] = scoredCoefficient(row);
        }
        QRandomGenerator random(32);
        for (int k = 0; k < 200'000; ++k) {
            qint64 shares = 0, old = 0;
            for (int r = int(random.bounded(1, 9)); r > 0; --r) {
                const int step = int(random.bounded(1, JudgementSteps + 1));
                const int weight = int(random.bounded(0, 101));
                shares += weightedShare(scale[std::size_t(step - 1)], weight);
                old += qint64(11 - step) * weight; // each row's share, already whole thousandths
            }
            QCOMPARE(roundedThousandths(shares), old);
        }
    }

    // Decimal weights against a person's arithmetic in whole tenths: 64,6 + 27,3 + 8,1 is 100.
    void decimalWeights_sumExactly()
    {
        QRandomGenerator random(2026);
        QList<QList<int>> studies{{646, 273, 81}};
        while (studies.size() < 700) {
            QList<int> tenths;
            for (int left = 1000; left > 0;) {
                const int w = tenths.size() == 7 ? left : int(random.bounded(1, left + 1));
                tenths << w;
                left -= w;
            }
            studies << tenths;
        }
        for (int k = 0; k < int(studies.size()); ++k) {
            QList<int> tenths = studies[k];
            // Every other study misses 100 by a few tenths either way.
            const int off = k % 2 ? int(random.bounded(-30, 31)) : 0;
            tenths.last() = std::max(0, tenths.last() + off);
            study->hypothesis(1) = Hypothesis{};
            testsupport::nameHypothesis(*study, 1, u"A"_s);
            qint64 sum = 0, products = 0;
            for (int r = 1; r <= int(tenths.size()); ++r) {
                const int step = int(random.bounded(1, JudgementSteps + 1));
                enterRow(*study, 1, r, u"r"_s, step, 0);
                study->row(1, r).weight = Value::text(storedWeightText(Decimal::fromTenths(tenths[r - 1])));
                const qint64 c = 11 - step; // tenths
                sum += tenths[r - 1];
                products += c * tenths[r - 1]; // ten-thousandths
            }
            const ScoreFigures f = Recalculate(*study, 1);
            QCOMPARE(f.resto, decimalText(1000 - sum, 1));
            QCOMPARE(f.ponderata, decimalText((products + 5) / 10, 3)); // rounded once, half up
            QCOMPARE(CheckData(*study, 1).passed, sum == 1000);
        }
    }

    void recalculate_scoresTheSlotGiven()
    {
        testsupport::nameHypothesis(*study, 1, QStringLiteral("uno"));
        study->hypothesis(4).name = Value::text(QStringLiteral("quattro"));
        const ScoreFigures f = Recalculate(*study, 7);
        QCOMPARE(study->countNamedHypotheses(), 2);
        QCOMPARE(scoreFigures(study->hypothesis(7)), f);
        QCOMPARE(f.resto, QStringLiteral("100"));
        QCOMPARE(study->hypothesis(7).EvaluationPercent, Value::number(0));
        QCOMPARE(study->hypothesis(7).OverallJudgement, Value::text(QStringLiteral("nullo")));
    }

    void updateLastNamedRow_keepsOldValueWhenNoName()
    {
        study->row(1, 7).name = Value::text(QStringLiteral("x"));
        UpdateLastNamedRow(*study, 1);
        QCOMPARE(study->hypothesis(1).LastNamedRow, Value::integer(7));
        study->row(1, 7).name = Value::text(QString());
        UpdateLastNamedRow(*study, 1);
        QCOMPARE(study->hypothesis(1).LastNamedRow, Value::integer(7));
        study->row(1, 3).name = Value::text(QStringLiteral("y"));
        UpdateLastNamedRow(*study, 1);
        QCOMPARE(study->hypothesis(1).LastNamedRow, Value::integer(3));
    }
};

QTEST_APPLESS_MAIN(TestScoring)
#include "tst_scoring.moc"
