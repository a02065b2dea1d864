#include "model/ranking.h"
#include "model/scoring.h"
#include "support/studybuilder.h"

#include <QTest>

#include <memory>

using namespace pondra;

class TestRanking : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Study> study;
    Ranking ranking;

    void addHypothesis(int h, const QString& name, std::optional<double> evaluation)
    {
        study->hypothesis(h).name = Value::text(name);
        if (evaluation) {
            study->hypothesis(h).EvaluationPercent = Value::number(*evaluation);
            study->hypothesis(h).OverallJudgement = Value::text(QStringLiteral("g%1").arg(h));
        }
    }

    QStringList rankedNames(int count) const
    {
        QStringList names;
        for (int p = 1; p <= count; ++p) {
            names << ranking[std::size_t(p)].name.toDisplayText();
        }
        return names;
    }

private Q_SLOTS:
    void init()
    {
        study = std::make_unique<Study>();
        ranking = Ranking();
    }

    void equalEvaluations_keepSlotOrder()
    {
        addHypothesis(1, QStringLiteral("s1"), 40);
        addHypothesis(2, QStringLiteral("s2"), 85);
        addHypothesis(3, QStringLiteral("s3"), 85);
        addHypothesis(4, QStringLiteral("s4"), 60);
        ordina(*study, ranking);
        QCOMPARE(rankedNames(4), (QStringList{QStringLiteral("s2"), QStringLiteral("s3"),
                                              QStringLiteral("s4"), QStringLiteral("s1")}));
        // Whole entries move together.
        QCOMPARE(ranking[1].evaluation, Value::number(85));
        QCOMPARE(ranking[1].overallJudgement, Value::text(QStringLiteral("g2")));
        QCOMPARE(ranking[4].overallJudgement, Value::text(QStringLiteral("g1")));
    }

    void decimalsCount()
    {
        addHypothesis(1, QStringLiteral("a"), 31);
        addHypothesis(2, QStringLiteral("b"), 31.5);
        ordina(*study, ranking);
        QCOMPARE(rankedNames(2), (QStringList{QStringLiteral("b"), QStringLiteral("a")}));
    }

    void neverScored_countsAsZero_keepsOrderAmongZeros()
    {
        addHypothesis(1, QStringLiteral("zero"), 0);
        addHypothesis(2, QStringLiteral("never"), std::nullopt);
        addHypothesis(3, QStringLiteral("some"), 0.5);
        ordina(*study, ranking);
        QCOMPARE(rankedNames(3),
                 (QStringList{QStringLiteral("some"), QStringLiteral("zero"), QStringLiteral("never")}));
        QVERIFY(ranking[3].evaluation.isNothing());
    }

    void freeSlots_areBlankedInTheStudy_positionsAboveCountKeepTheirSlots()
    {
        addHypothesis(1, QStringLiteral("a"), 20);
        addHypothesis(2, QStringLiteral("b"), 70);
        study->hypothesis(5).EvaluationPercent = Value::number(0);
        study->hypothesis(5).OverallJudgement = Value::text(QStringLiteral("nullo"));
        ordina(*study, ranking);
        QCOMPARE(study->hypothesis(5).EvaluationPercent, Value::text(QString()));
        QCOMPARE(study->hypothesis(5).OverallJudgement, Value::text(QString()));
        QCOMPARE(ranking[5].evaluation, Value::text(QString()));
        QVERIFY(ranking[3].name.isNothing());
    }

    void withoutCheck_freeSlotNeverAboveNamed()
    {
        // Names in slots 1 and 3, slot 2 free: as on the way to the title page, unchecked.
        addHypothesis(1, QStringLiteral("a"), 20);
        addHypothesis(3, QStringLiteral("c"), 90);
        QCOMPARE(study->countNamedHypotheses(), 2);
        ordina(*study, ranking);
        QCOMPARE(rankedNames(2), (QStringList{QStringLiteral("c"), QStringLiteral("a")}));
        QVERIFY(ranking[3].name.isEmpty());
    }

    void rankingOfScoredStudy_followsEvaluations()
    {
        using testsupport::enterRow;
        testsupport::nameHypothesis(*study, 1, QStringLiteral("low"));
        enterRow(*study, 1, 1, QStringLiteral("x"), 9, 100);
        testsupport::nameHypothesis(*study, 2, QStringLiteral("high"));
        enterRow(*study, 2, 1, QStringLiteral("x"), 2, 100);
        Recalculate(*study, 1);
        Recalculate(*study, 2);
        ordina(*study, ranking);
        QCOMPARE(rankedNames(2), (QStringList{QStringLiteral("high"), QStringLiteral("low")}));
        QCOMPARE(ranking[1].overallJudgement, Value::text(QStringLiteral("ottimo")));
    }

    void places_data()
    {
        QTest::addColumn<QList<double>>("evaluations"); // in slot order
        QTest::addColumn<QString>("places");            // in ranking order, "=" when tied
        QTest::newRow("tie first") << QList<double>{60, 80, 80} << QStringLiteral("1= 1= 3");
        QTest::newRow("all equal") << QList<double>{50, 50, 50} << QStringLiteral("1= 1= 1=");
        QTest::newRow("no tie") << QList<double>{70, 90, 80} << QStringLiteral("1 2 3");
        QTest::newRow("tie at the end") << QList<double>{70, 90, 70} << QStringLiteral("1 2= 2=");
        QTest::newRow("two ties") << QList<double>{9, 9, 5, 5, 1} << QStringLiteral("1= 1= 3= 3= 5");
    }
    void places()
    {
        QFETCH(QList<double>, evaluations);
        for (int h = 1; h <= evaluations.size(); ++h) {
            addHypothesis(h, QStringLiteral("s%1").arg(h), evaluations[h - 1]);
        }
        ordina(*study, ranking);
        const RankingPlaces places = placesOf(ranking);
        QStringList written;
        for (int p = 1; p <= evaluations.size(); ++p) {
            written << QString::number(places[std::size_t(p)].number) +
                           (places[std::size_t(p)].tied ? QStringLiteral("=") : QString());
        }
        QTEST(written.join(u' '), "places");
        const int free = int(evaluations.size()) + 1;
        QCOMPARE(places[std::size_t(free)], (Place{free, false}));
    }

    void singleOrNoHypothesis_makesNoComparison()
    {
        ordina(*study, ranking);
        QVERIFY(ranking[1].name.isEmpty());
        addHypothesis(1, QStringLiteral("solo"), 50);
        ordina(*study, ranking);
        QCOMPARE(rankedNames(1), QStringList{QStringLiteral("solo")});
    }
};

QTEST_APPLESS_MAIN(TestRanking)
#include "tst_ranking.moc"
