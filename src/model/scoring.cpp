#include "scoring.h"

#include "judgementscale.h"
#include "textrules.h"

#include <cmath>

namespace pondra {

namespace {

double roundHalfUp(double value, double scale)
{
    return std::floor(scale * value + 0.5) / scale;
}

} // namespace

bool isScoredRow(const CharacteristicEntry& row)
{
    return !row.coefficient.isEmpty();
}

double scoredCoefficient(const CharacteristicEntry& row)
{
    // The reader admits only numeric coefficients; anything else scores as 0.
    return row.coefficient.toNumberOr(0.0);
}

double scoredWeight(const CharacteristicEntry& row)
{
    return row.weight.toLeadingNumber();
}

double weightedShare(double coefficient, double weight)
{
    return std::floor(1000.0 * (coefficient * weight / 100.0) + 0.5);
}

double evaluationOfShares(double thousandths)
{
    // The evaluation comes from the figure as shown, not from the unrounded sum.
    return parseDisplayNumber(generalNumberText(thousandths / 1000.0)).value_or(0.0) * 100.0;
}

namespace {

struct Score {
    ScoreFigures figures;
    double shares = 0.0; // the weighted coefficient in whole thousandths
};

Score scoreOf(const Hypothesis& hyp)
{
    Score score;
    // Every row holding a coefficient is scored, wherever it lies: a row removed in between
    // leaves a gap, never a 0. A stored 0 is a coefficient like any other.
    int n = 0;
    double sum = 0.0;
    double weights = 0.0;
    // Whole thousandths: adding the rounded terms as fractions would let binary error show in
    // the fifteenth digit of a long hypothesis (0,840000000000001 for 28 rows of 0,03).
    for (int r = 1; r <= MaxRows; ++r) {
        const CharacteristicEntry& row = hyp.rows.at(std::size_t(r));
        if (!isScoredRow(row)) {
            continue;
        }
        ++n;
        const double c = scoredCoefficient(row);
        const double w = scoredWeight(row);
        sum += roundHalfUp(c, 100.0);
        weights += w;
        score.shares += weightedShare(c, w);
    }
    ScoreFigures& figures = score.figures;
    figures.ScoredRowCount = qint16(n);
    figures.media = n == 0 ? QString() : generalNumberText(roundHalfUp(sum / n, 100.0));
    figures.resto = generalNumberText(100.0 - weights);
    figures.ponderata = generalNumberText(score.shares / 1000.0);
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
    hyp.EvaluationPercent = Value::number(evaluationOfShares(score.shares));
    const int k = JudgementScale::stepForWeightedCoefficient(x);
    if (k >= 1 && k <= JudgementSteps) {
        hyp.OverallJudgement = Value::text(JudgementScale::adjective(k));
    }
    return score.figures;
}

} // namespace pondra
