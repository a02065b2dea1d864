#include "model/weight.h"
#include "model/weightsensitivity.h"
#include "support/studybuilder.h"

#include <QRandomGenerator>
#include <QTest>

#include <map>

using namespace pondra;
using namespace Qt::StringLiterals;

namespace {

// A weight in tenths of a percent as the sensitivity measures weights.
WeightPoint tenths(qint64 t)
{
    return WeightPoint::of(Decimal::fromTenths(t));
}

void enterTenths(Study& study, int h, int r, const QString& name, int step, qint64 weight)
{
    testsupport::enterRow(study, h, r, name, step, 0);
    study.row(h, r).weight = Value::text(storedWeightText(Decimal::fromTenths(weight)));
}

// One row of a random study: characteristic, coefficient and weight in tenths.
struct Row {
    int name;
    qint64 c;
    qint64 w;
};

// A hypothesis's evaluation times 1000 at the weight t (tenths) of characteristic x, as the
// fraction num / den: the others share 1000 - t in proportion to their weights.
std::pair<qint64, qint64> valueAt(const std::vector<Row>& rows, int x, qint64 t)
{
    const auto moved = std::find_if(rows.begin(), rows.end(), [x](const Row& r) { return r.name == x; });
    qint64 all = 0, others = 0, rest = 0;
    for (const Row& r : rows) {
        all += r.c * r.w;
        if (&r != &*moved) {
            others += r.c * r.w;
            rest += r.w;
        }
    }
    if (moved == rows.end()) {
        return {all, 1};
    }
    if (rest == 0) {
        return {moved->c * 1000, 1};
    }
    return {moved->c * t * rest + others * (1000 - t), rest};
}

int sign(std::pair<qint64, qint64> a, std::pair<qint64, qint64> b)
{
    const qint64 d = a.first * b.second - b.first * a.second;
    return (d > 0) - (d < 0);
}

} // namespace

class TestWeightSensitivity : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A: costo buono 40, qualità mediocre 60 (62 %); B: costo mediocre 40, qualità ottimo 60
    // (74 %). Costo at t: A = 50 + 0,3 t, B = 90 - 0,4 t, level at 400/7.
    void twoHypotheses_workedByHand()
    {
        Study study;
        testsupport::nameHypothesis(study, 1, u"A"_s);
        testsupport::nameHypothesis(study, 2, u"B"_s);
        testsupport::enterRow(study, 1, 1, u"Costo"_s, 3, 40);
        testsupport::enterRow(study, 1, 2, u"qualità"_s, 6, 60);
        testsupport::enterRow(study, 2, 1, u" costo"_s, 6, 40);
        testsupport::enterRow(study, 2, 2, u"Qualità"_s, 2, 60);
        const WeightSensitivity s = analyseWeightSensitivity(study);
        QCOMPARE(s.first, 2);
        QCOMPARE(s.characteristics.size(), std::size_t(2));
        const CharacteristicSensitivity& costo = s.characteristics[0];
        QCOMPARE(costo.name, u"Costo"_s);
        QCOMPARE(costo.movedIn, 2);
        QVERIFY(!costo.variable);
        QCOMPARE(costo.keepsFirst->from, tenths(0));
        QCOMPARE(costo.keepsFirst->to, WeightPoint(400 * Decimal::Unit, 7));
        QCOMPARE(costo.keepsFirst->to.text(), u"57,14"_s);
        QCOMPARE(costo.firstBelow, 0);
        QCOMPARE(costo.firstAbove, 1);
        QCOMPARE(costo.margin->text(), u"17,14"_s);
        QCOMPARE(costo.crossings.size(), std::size_t(1));
        QCOMPARE(costo.crossings[0].upper, 1);
        QCOMPARE(costo.lines[0].evaluationAt(100), 80.0);
        QCOMPARE(rankingAt(costo, 58), (std::vector<int>{1, 2}));
        const CharacteristicSensitivity& qualita = s.characteristics[1];
        QCOMPARE(qualita.keepsFirst->from, WeightPoint(300 * Decimal::Unit, 7));
        QCOMPARE(qualita.firstBelow, 1);
        QCOMPARE(qualita.firstAbove, 0);
        QCOMPARE(qualita.keepsRanking->to, tenths(1000));
    }

    // Each weight moved in steps of 0,1 over small random studies: the first's interval holds
    // exactly where it stays on top, the ranking's where every neighbour keeps its place, and
    // each pair's crossing is reported within the step where its order turns, and only there.
    void againstStepsOfOneTenth()
    {
        QRandomGenerator random(32);
        for (int k = 0; k < 150; ++k) {
            Study study;
            std::vector<std::vector<Row>> hyps(std::size_t(random.bounded(2, 5)));
            for (std::size_t h = 0; h < hyps.size(); ++h) {
                testsupport::nameHypothesis(study, int(h) + 1, QString::number(h));
                const int n = int(random.bounded(1, 4));
                const int skip = int(random.bounded(0, 4));
                qint64 left = 1000;
                for (int r = 0, name = 0; r < n; ++r, ++name) {
                    name += name == skip;
                    const qint64 w = r + 1 == n ? left : random.bounded(1, int(left - (n - r - 1)) + 1);
                    left -= w;
                    const int step = int(random.bounded(1, 12));
                    hyps[h].push_back({name, 11 - step, w});
                    enterTenths(study, int(h) + 1, r + 1, u"c"_s + QString::number(name), step, w);
                }
            }
            const WeightSensitivity s = analyseWeightSensitivity(study);
            std::vector<std::size_t> order;
            for (std::size_t h = 0; h < hyps.size(); ++h) {
                order.push_back(h);
            }
            const auto today = [&](std::size_t h) { return valueAt(hyps[h], -1, 0); };
            std::stable_sort(order.begin(), order.end(),
                             [&](std::size_t a, std::size_t b) { return sign(today(a), today(b)) > 0; });
            QCOMPARE(s.first, int(order[0]) + 1);
            for (const CharacteristicSensitivity& c : s.characteristics) {
                const int x = c.name.mid(1).toInt();
                // Per pair: 2t for a crossing at t, 2t + 1 for one within the step (t, t + 1).
                std::map<std::pair<int, int>, std::vector<qint64>> expected;
                for (qint64 t = 0; t <= 1000; ++t) {
                    const auto at = [&](std::size_t h, qint64 u) { return valueAt(hyps[h], x, u); };
                    bool onTop = true, kept = true;
                    for (std::size_t h = 0; h < hyps.size(); ++h) {
                        onTop = onTop && sign(at(order[0], t), at(h, t)) >= 0;
                    }
                    for (std::size_t i = 1; i < order.size(); ++i) {
                        kept = kept && sign(at(order[i - 1], t), at(order[i], t)) ==
                                           sign(today(order[i - 1]), today(order[i]));
                    }
                    const auto inside = [&](const std::optional<WeightInterval>& v) {
                        return v && v->from <= tenths(t) && tenths(t) <= v->to;
                    };
                    QCOMPARE(inside(c.keepsFirst), onTop);
                    // At the ends of the ranking's interval two hypotheses are level.
                    const bool atEnd = c.keepsRanking &&
                                       (c.keepsRanking->from == tenths(t) || c.keepsRanking->to == tenths(t));
                    QCOMPARE(inside(c.keepsRanking) && !atEnd, kept && !atEnd);
                    for (std::size_t a = 0; a < hyps.size(); ++a) {
                        for (std::size_t b = a + 1; b < hyps.size(); ++b) {
                            const int now = sign(at(a, t), at(b, t));
                            const int next = t < 1000 ? sign(at(a, t + 1), at(b, t + 1)) : now;
                            const bool same =
                                sign(at(a, 0), at(b, 0)) == 0 && sign(at(a, 1000), at(b, 1000)) == 0;
                            auto& cells = expected[{int(a) + 1, int(b) + 1}];
                            if (!same && now == 0) {
                                cells.push_back(2 * t);
                            } else if (now * next < 0) {
                                cells.push_back(2 * t + 1);
                            }
                        }
                    }
                }
                std::map<std::pair<int, int>, std::vector<qint64>> found;
                for (const WeightCrossing& crossing : c.crossings) {
                    const auto pair = std::minmax(crossing.upper, crossing.lower);
                    const qint64 below = qint64(crossing.at.percent() * 10 + 1e-9);
                    const bool onGrid = crossing.at == tenths(below);
                    QVERIFY(onGrid || (tenths(below) < crossing.at && crossing.at < tenths(below + 1)));
                    found[pair].push_back(onGrid ? 2 * below : 2 * below + 1);
                }
                for (auto& [pair, cells] : expected) {
                    QCOMPARE(found[pair], cells);
                }
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestWeightSensitivity)
#include "tst_weightsensitivity.moc"
