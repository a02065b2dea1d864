#pragma once

#include "decimal.h"
#include "study.h"

#include <QString>

namespace pondra {

// The three check figures under the rows of the Data window, and how many rows were scored.
struct ScoreFigures {
    QString media;     // mean of the coefficients; empty when no row is scored
    QString resto;     // percent still to assign; negative when the weights exceed 100
    QString ponderata; // weighted coefficient
    qint16 ScoredRowCount = 0;

    bool operator==(const ScoreFigures&) const = default;
};

// How the scoring reads a row: it is scored when its coefficient cell holds anything; its
// coefficient is that cell as a number (anything else counts as 0), its weight the leading
// number of the weight cell, with a point as the decimal separator. Both exactly, as decimals.
bool isScoredRow(const CharacteristicEntry& row);
Decimal scoredCoefficient(const CharacteristicEntry& row);
Decimal scoredWeight(const CharacteristicEntry& row);
// A weight cell read so, wherever it is shown or stepped from.
Decimal weightValue(const Value& weight);

// A scored row's exact share of the weighted coefficient: c · w / 100 in units of 10^-14, the
// product of the two decimals' millionths, so always a whole number. Shares add up exactly.
qint64 weightedShare(Decimal coefficient, Decimal weight);
// Exact shares per thousandth of the weighted coefficient.
inline constexpr qint64 SharesPerThousandth = Decimal::Unit * Decimal::Unit / 10;

// The sum of a hypothesis's exact shares rounded once, half up, to thousandths of the weighted
// coefficient (0,1 % of evaluation): the figure shown, ranked and printed.
qint64 roundedThousandths(qint64 shares);

// The evaluation the scoring stores for a hypothesis whose weighted coefficient rounds to this
// many thousandths: the weighted coefficient as shown, read back, times 100. It grows strictly
// with the thousandths, so comparing them compares evaluations.
double evaluationOfShares(qint64 thousandths);

// The weights of the scored rows of a hypothesis, but row r's (0 for none), added exactly.
Decimal weightsBesides(const Hypothesis& hypothesis, int r);

// The figures of a hypothesis over the rows that hold a coefficient, wherever they lie, as
// scoring it shows them; nothing is stored.
ScoreFigures scoreFigures(const Hypothesis& hypothesis);

// Scores hypothesis h: stores its EvaluationPercent and OverallJudgement, writes no row,
// returns the figures to show.
ScoreFigures Recalculate(Study& study, int h);

} // namespace pondra
