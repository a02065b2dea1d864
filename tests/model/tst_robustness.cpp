#include "model/judgementscale.h"
#include "model/ranking.h"
#include "model/robustness.h"
#include "model/scoring.h"
#include "model/weight.h"
#include "support/studybuilder.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <functional>
#include <limits>
#include <memory>

using namespace pondra;
using testsupport::enterRow;
using testsupport::nameHypothesis;

namespace {

// The scale steps a row can reach from coefficient c, one step at a time, in one direction.
QList<int> reachableSteps(Decimal c, bool better)
{
    QList<int> steps;
    for (int i = 0; i < JudgementSteps; ++i) {
        const int n = better ? JudgementSteps - i : i + 1;
        const Decimal k = *Decimal::parse(JudgementScale::coefficientText(n), u',');
        if (better ? k > c : k < c) {
            steps << n;
        }
    }
    return steps;
}

struct Outcome {
    double evaluation;
    int steps;
};

// Every way of moving the scored rows of h in one direction by at most `limit` steps in all,
// scored by the program's own Recalculate: the evaluation each gives and the steps it takes.
std::vector<Outcome> allOutcomes(Study& study, int h, bool better, int limit)
{
    QList<int> rows;
    QList<QList<int>> reach;
    QList<Value> original;
    for (int r = 1; r <= MaxRows; ++r) {
        if (isScoredRow(study.row(h, r))) {
            rows << r;
            reach << reachableSteps(scoredCoefficient(study.row(h, r)), better);
            original << study.row(h, r).coefficient;
        }
    }
    std::vector<Outcome> outcomes;
    const std::function<void(int, int)> move = [&](int i, int steps) {
        if (i == rows.size()) {
            Recalculate(study, h);
            outcomes.push_back({study.hypothesis(h).EvaluationPercent.numberValue(), steps});
            return;
        }
        for (int j = 0; j <= reach[i].size() && steps + j <= limit; ++j) {
            study.row(h, rows[i]).coefficient =
                j == 0 ? original[i] : Value::text(JudgementScale::coefficientText(reach[i][j - 1]));
            move(i + 1, steps + j);
        }
        study.row(h, rows[i]).coefficient = original[i];
    };
    move(0, 0);
    Recalculate(study, h);
    return outcomes;
}

// The least changes by trying every way up to the limit on each side; nothing when none is
// enough.
std::optional<int> exhaustiveLeast(Study& study, int leader, int challenger, int limit = 1000)
{
    std::vector<Outcome> down = allOutcomes(study, leader, false, limit);
    const std::vector<Outcome> up = allOutcomes(study, challenger, true, limit);
    std::sort(down.begin(), down.end(),
              [](const Outcome& a, const Outcome& b) { return a.evaluation < b.evaluation; });
    std::vector<int> fewest(down.size());
    for (std::size_t i = 0; i < down.size(); ++i) {
        fewest[i] = std::min(down[i].steps, i ? fewest[i - 1] : std::numeric_limits<int>::max());
    }
    std::optional<int> least;
    for (const Outcome& o : up) {
        const auto level = std::upper_bound(down.begin(), down.end(), o.evaluation,
                                            [](double e, const Outcome& d) { return e < d.evaluation; });
        if (level != down.begin()) {
            const int total = o.steps + fewest[std::size_t(level - down.begin() - 1)];
            least = std::min(total, least.value_or(total));
        }
    }
    return least;
}

// Two to four hypotheses of one to three rows. Irregular studies also hold weights with
// decimals and coefficients off the scale, where the rounding makes steps of one row unequal.
void fillRandomStudy(Study& study, QRandomGenerator& random, bool irregular)
{
    const int count = random.bounded(2, 5);
    for (int h = 1; h <= count; ++h) {
        nameHypothesis(study, h, QStringLiteral("H%1").arg(h));
        const int rows = random.bounded(1, 4);
        int left = 100;
        for (int r = 1; r <= rows; ++r) {
            const int weight = r == rows ? left : random.bounded(0, left + 1);
            left -= weight;
            enterRow(study, h, r, QStringLiteral("r%1").arg(r), random.bounded(1, JudgementSteps + 1),
                     weight);
        }
        if (irregular) {
            CharacteristicEntry& first = study.row(h, 1);
            if (random.bounded(2) && rows > 1) {
                const Decimal half = Decimal::fromTenths(5 * random.bounded(1, 40));
                first.weight = Value::text(storedWeightText(scoredWeight(first) + half));
                study.row(h, rows).weight =
                    Value::text(storedWeightText(scoredWeight(study.row(h, rows)) - half));
            }
            if (random.bounded(2)) {
                first.coefficient =
                    Value::text(QStringLiteral("0,%1").arg(random.bounded(1, 100), 2, 10, QChar(u'0')));
            }
        }
        Recalculate(study, h);
    }
}

// Applies the analysis's changes and scores both hypotheses again with the program's own rules.
bool changesBringLevel(Study study, const Challenge& c, int leader)
{
    for (const JudgementChange& change : c.changes) {
        CharacteristicEntry& row = study.row(change.hypothesis, change.row);
        const QList<int> reach = reachableSteps(scoredCoefficient(row), change.better);
        if (change.steps < 1 || change.steps > reach.size()) {
            return false;
        }
        row.coefficient = Value::text(JudgementScale::coefficientText(reach[change.steps - 1]));
    }
    Recalculate(study, leader);
    Recalculate(study, c.hypothesis);
    return study.hypothesis(c.hypothesis).EvaluationPercent.numberValue() >=
           study.hypothesis(leader).EvaluationPercent.numberValue();
}

} // namespace

class TestRobustness : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Study> study;

private Q_SLOTS:
    void init() { study = std::make_unique<Study>(); }

    void leastChanges_matchExhaustiveSearch_data()
    {
        QTest::addColumn<bool>("irregular");
        QTest::newRow("whole weights, scale coefficients") << false;
        QTest::newRow("weights with decimals, coefficients off the scale") << true;
    }
    void leastChanges_matchExhaustiveSearch()
    {
        QFETCH(bool, irregular);
        QRandomGenerator random(irregular ? 1414 : 2718);
        for (int trial = 0; trial < 100; ++trial) {
            study = std::make_unique<Study>();
            fillRandomStudy(*study, random, irregular);
            const RobustnessAnalysis analysis = analyseRobustness(*study);

            Ranking ranking;
            Study ranked = *study;
            ordina(ranked, ranking);
            QCOMPARE(int(analysis.ranked.size()), study->countNamedHypotheses());
            for (std::size_t p = 0; p < analysis.ranked.size(); ++p) {
                QCOMPARE(ranking[p + 1].name.toDisplayText(), analysis.ranked[p].name);
                QCOMPARE(ranking[p + 1].evaluation.numberValue(), analysis.ranked[p].evaluation);
            }

            const int leader = analysis.ranked.front().hypothesis;
            for (const Challenge& c : analysis.challenges) {
                const std::optional<int> least = exhaustiveLeast(*study, leader, c.hypothesis);
                if (c.changesNeeded != least) {
                    qWarning() << "trial" << trial << "position" << c.position << c.verdict;
                }
                QCOMPARE(c.changesNeeded, least);
                if (least) {
                    int steps = 0;
                    for (const JudgementChange& change : c.changes) {
                        steps += change.steps;
                    }
                    QCOMPARE(steps, *least);
                    QVERIFY(changesBringLevel(*study, c, leader));
                }
            }
        }
    }

    void laterStepGainsMore_leastIsNotTheGreedyCount()
    {
        // Off the scale, «finiture» first gains 20 thousandths, then 40 and 40: three steps close
        // the gap of 100, where always taking the largest next step (30s of the other rows)
        // would take four.
        nameHypothesis(*study, 1, QStringLiteral("A"));
        for (int r = 1; r <= 10; ++r) {
            enterRow(*study, 1, r, QStringLiteral("a%1").arg(r), r <= 5 ? 5 : 6, 10);
        }
        nameHypothesis(*study, 2, QStringLiteral("B"));
        enterRow(*study, 2, 1, QStringLiteral("finiture"), 4, 40);
        study->row(2, 1).coefficient = Value::text(QStringLiteral("0,75"));
        enterRow(*study, 2, 2, QStringLiteral("spazio"), 6, 30);
        enterRow(*study, 2, 3, QStringLiteral("zona"), 11, 30);

        const RobustnessAnalysis analysis = analyseRobustness(*study);
        QCOMPARE(analysis.challenges.size(), std::size_t(1));
        const Challenge& c = analysis.challenges.front();
        QCOMPARE(c.changesNeeded, std::optional<int>(3));
        QCOMPARE(c.changes.size(), std::size_t(1));
        QCOMPARE(c.changes.front().rowName, QStringLiteral("finiture"));
        QCOMPARE(c.changes.front().steps, 3);
        QCOMPARE(exhaustiveLeast(*study, 1, 2, 4), std::optional<int>(3));
    }

    void verdicts_data()
    {
        QTest::addColumn<QList<QList<int>>>("leader");     // step, weight per row
        QTest::addColumn<QList<QList<int>>>("challenger"); // step, weight per row
        QTest::addColumn<QString>("verdict");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<int>("position"); // the challenger's
        const auto s = [](const char16_t* text) { return QString::fromUtf16(text); };
        QTest::newRow("solid")
            << QList<QList<int>>{{1, 100}} << QList<QList<int>>{{3, 100}}
            << s(u"La prima ipotesi resta in testa anche se un giudizio cambia di un grado; "
                 u"perché «B» la raggiunga servono due cambi: migliorare di due gradi il "
                 u"giudizio di «prezzo» (peso 100 %) dell'ipotesi «B».")
            << s(u"«A» resta in testa anche se un giudizio cambia di un grado: la più vicina, "
                 u"«B», la raggiunge con due cambi.")
            << 2;
        QTest::newRow("one change of the challenger")
            << QList<QList<int>>{{2, 30}, {3, 70}} << QList<QList<int>>{{3, 30}, {3, 70}}
            << s(u"Basta migliorare di un grado il giudizio di «zona» (peso 70 %) dell'ipotesi «B» perché "
                 u"raggiunga la prima.")
            << s(u"La graduatoria è fragile: basta un giudizio cambiato di un grado perché «B» raggiunga "
                 u"«A».")
            << 2;
        QTest::newRow("one change of the leader")
            << QList<QList<int>>{{2, 60}, {3, 40}} << QList<QList<int>>{{3, 50}, {2, 50}}
            << s(u"Basta peggiorare di un grado il giudizio di «prezzo» (peso 60 %) della prima ipotesi «A» "
                 u"perché "
                 u"«B» la raggiunga.")
            << s(u"La graduatoria è fragile: basta un giudizio cambiato di un grado perché «B» raggiunga "
                 u"«A».")
            << 2;
        QTest::newRow("tie") << QList<QList<int>>{{2, 50}, {4, 50}} << QList<QList<int>>{{3, 50}, {3, 50}}
                             << s(u"«B» ha la stessa valutazione di «A»: sono prime a pari merito.")
                             << s(u"Il primo posto è condiviso: «B» ha la stessa valutazione di «A».") << 1;
    }
    void verdicts()
    {
        QFETCH(QList<QList<int>>, leader);
        QFETCH(QList<QList<int>>, challenger);
        const QStringList rowNames{QStringLiteral("prezzo"), QStringLiteral("zona")};
        nameHypothesis(*study, 1, QStringLiteral("A"));
        nameHypothesis(*study, 2, QStringLiteral("B"));
        for (int r = 0; r < leader.size(); ++r) {
            enterRow(*study, 1, r + 1, rowNames[r], leader[r][0], leader[r][1]);
        }
        for (int r = 0; r < challenger.size(); ++r) {
            enterRow(*study, 2, r + 1, rowNames[r], challenger[r][0], challenger[r][1]);
        }
        const RobustnessAnalysis analysis = analyseRobustness(*study);
        QCOMPARE(analysis.challenges.size(), std::size_t(1));
        QTEST(analysis.challenges.front().verdict, "verdict");
        QTEST(analysis.summary, "summary");
        QTEST(analysis.challenges.front().position, "position");
    }

    void singleHypothesis_hasNoChallenge()
    {
        nameHypothesis(*study, 1, QStringLiteral("A"));
        enterRow(*study, 1, 1, QStringLiteral("prezzo"), 3, 100);
        const RobustnessAnalysis analysis = analyseRobustness(*study);
        QCOMPARE(analysis.ranked.size(), std::size_t(1));
        QVERIFY(analysis.challenges.empty());
        QCOMPARE(analysis.summary,
                 QStringLiteral("Con una sola ipotesi non c'è una graduatoria da mettere alla prova."));
    }
};

QTEST_APPLESS_MAIN(TestRobustness)
#include "tst_robustness.moc"
