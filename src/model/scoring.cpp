#include "scoring.h"

#include "judgementscale.h"
#include "textrules.h"

#include <QtNumeric>

#include <cmath>

namespace pondra {

namespace {

// Division rounding towards minus infinity, as floor() does, for a positive divisor.
constexpr qint64 floorDiv(qint64 a, qint64 b)
{
    return a / b - (a % b < 0 ? 1 : 0);
}

// floor(a / b + 0.5): half up, as the scoring rounds everywhere.
constexpr qint64 roundHalfUp(qint64 a, qint64 b)
{
    const qint64 q = floorDiv(a, b);
    return 2 * (a - q * b) >= b ? q + 1 : q;
}

} // namespace

bool isScoredRow(const CharacteristicEntry& row)
{
    return !row.coefficient.isEmpty();
}

Decimal scoredCoefficient(const CharacteristicEntry& row)
{
    // The reader admits only numeric coefficients; anything else scores as 0.
    const Value& c = row.coefficient;
    switch (c.kind()) {
    case Value::Kind::Integer:
        return c.integerValue();
    case Value::Kind::Number:
        return Decimal::fromDouble(c.numberValue());
    case Value::Kind::Text:
        return Decimal::parse(c.textValue(), u',').value_or(Decimal());
    case Value::Kind::Nothing:
        break;
    }
    return {};
}

Decimal scoredWeight(const CharacteristicEntry& row)
{
    return weightValue(row.weight);
}

Decimal weightValue(const Value& w)
{
    switch (w.kind()) {
    case Value::Kind::Integer:
        return w.integerValue();
    case Value::Kind::Number:
        return Decimal::fromDouble(w.numberValue());
    case Value::Kind::Text:
        return Decimal::leading(w.textValue(), u'.');
    case Value::Kind::Nothing:
        break;
    }
    return {};
}

qint64 weightedShare(Decimal coefficient, Decimal weight)
{
    // c · w in millionths squared: 10^-12 of c · w, 10^-14 of c · w / 100.
    constexpr qint64 Bound = Decimal::Limit * 10'000; // a hundred of them still add up
    qint64 product = 0;
    if (qMulOverflow(coefficient.units(), weight.units(), &product) || product > Bound || product < -Bound) {
        // Only a coefficient and a weight both far beyond their ranges get here.
        const bool negative = (coefficient.units() < 0) != (weight.units() < 0);
        return negative ? -Bound : Bound;
    }
    return product;
}

qint64 roundedThousandths(qint64 shares)
{
    return roundHalfUp(shares, SharesPerThousandth);
}

double evaluationOfShares(qint64 thousandths)
{
    // The evaluation comes from the figure as shown, not from the unrounded sum.
    return parseDisplayNumber(generalNumberText(double(thousandths) / 1000.0)).value_or(0.0) * 100.0;
}

Decimal weightsBesides(const Hypothesis& hypothesis, int r)
{
    Decimal sum;
    for (int other = 1; other <= MaxRows; ++other) {
        const CharacteristicEntry& row = hypothesis.rows.at(std::size_t(other));
        if (other != r && isScoredRow(row)) {
            sum += scoredWeight(row);
        }
    }
    return sum;
}

namespace {

struct Score {
    ScoreFigures figures;
    qint64 thousandths = 0; // the weighted coefficient, rounded once
};

Score scoreOf(const Hypothesis& hyp)
{
    Score score;
    // Every row holding a coefficient is scored, wherever it lies: a row removed in between
    // leaves a gap, never a 0. A stored 0 is a coefficient like any other.
    int n = 0;
    // The mean keeps its binary rounding, so that it reads as it always has (0,575 gives 0,57);
    // weights, remainder and weighted coefficient are exact.
    double sum = 0.0;
    Decimal weights;
    qint64 shares = 0;
    for (int r = 1; r <= MaxRows; ++r) {
        const CharacteristicEntry& row = hyp.rows.at(std::size_t(r));
        if (!isScoredRow(row)) {
            continue;
        }
        ++n;
        const Decimal c = scoredCoefficient(row);
        const Decimal w = scoredWeight(row);
        sum += std::floor(100.0 * c.toDouble() + 0.5) / 100.0;
        weights += w;
        shares += weightedShare(c, w);
    }
    ScoreFigures& figures = score.figures;
    figures.ScoredRowCount = qint16(n);
    if (n > 0) {
        figures.media = generalNumberText(std::floor(100.0 * (sum / n) + 0.5) / 100.0);
    }
    figures.resto = (Decimal(100) - weights).text();
    score.thousandths = roundedThousandths(shares);
    figures.ponderata = Decimal::fromUnits(score.thousandths * (Decimal::Unit / 1000)).text();
    return score;
}

} // namespace

ScoreFigures scoreFigures(const Hypothesis& hypothesis)
{
    return scoreOf(hypothesis).figures;
}

ScoreFigures Recalculate(Study& study, int h)
{
    Hypothesis& hyp = study.hypothesis(h);
    const Score score = scoreOf(hyp);
    const double x = parseDisplayNumber(score.figures.ponderata).value_or(0.0);
    hyp.EvaluationPercent = Value::number(evaluationOfShares(score.thousandths));
    const int k = JudgementScale::stepForWeightedCoefficient(x);
    if (k >= 1 && k <= JudgementSteps) {
        hyp.OverallJudgement = Value::text(JudgementScale::adjective(k));
    }
    return score.figures;
}

} // namespace pondra
