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

ScoreFigures Recalculate(Study& study)
{
    Hypothesis& hyp = study.hypothesis(study.CurrentHypothesis);
    ScoreFigures figures;

    // Every row holding a coefficient is scored, wherever it lies: a row removed in between
    // leaves a gap, never a 0. A stored 0 is a coefficient like any other.
    int n = 0;
    double sum = 0.0;
    double weights = 0.0;
    double weighted = 0.0;
    for (int r = 1; r <= MaxRows; ++r) {
        const CharacteristicEntry& row = hyp.rows.at(std::size_t(r));
        if (row.coefficient.isEmpty()) {
            continue;
        }
        ++n;
        // The reader admits only numeric coefficients; anything else scores as 0.
        const double c = row.coefficient.toNumberOr(0.0);
        const double w = row.weight.toLeadingNumber();
        sum += roundHalfUp(c, 100.0);
        weights += w;
        weighted += std::floor(1000.0 * (c * w / 100.0) + 0.5) / 1000.0;
    }
    figures.ScoredRowCount = qint16(n);

    figures.media = n == 0 ? QString() : generalNumberText(roundHalfUp(sum / n, 100.0));
    figures.resto = generalNumberText(100.0 - weights);
    figures.ponderata = generalNumberText(weighted);

    // The evaluation comes from the figure as shown, not from the unrounded sum.
    const double x = parseDisplayNumber(figures.ponderata).value_or(0.0);
    hyp.EvaluationPercent = Value::number(x * 100.0);
    const int k = JudgementScale::stepForWeightedCoefficient(x);
    if (k >= 1 && k <= JudgementSteps) {
        hyp.OverallJudgement = Value::text(JudgementScale::adjective(k));
    }
    return figures;
}

ScoreFigures ShowHypothesis(Study& study, int h)
{
    study.CurrentHypothesis = h;
    study.recountHypotheses();
    return Recalculate(study);
}

} // namespace pondra
