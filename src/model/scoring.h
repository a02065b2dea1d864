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

// A scored row's share of the weighted coefficient in thousandths: c · w / 100 rounded half up
// to three decimals, times 1000, so always a whole number. Shares add up exactly, and the
// weighted coefficient is their sum over 1000.
qint64 weightedShare(Decimal coefficient, Decimal weight);

// The evaluation the scoring stores for a hypothesis whose shares add up to this many
// thousandths: the weighted coefficient as shown, read back, times 100. It grows strictly with
// the shares, so comparing shares compares evaluations.
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
