#pragma once

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

// Scores the current hypothesis over the rows that hold a coefficient, wherever they lie: stores
// its EvaluationPercent and OverallJudgement, writes no row, returns the figures to show.
ScoreFigures Recalculate(Study& study);

// Shows hypothesis h as the Data window does when its hypothesis bar moves: h becomes the
// current one, the named hypotheses are counted again, the hypothesis is scored.
ScoreFigures ShowHypothesis(Study& study, int h);

} // namespace pondra
