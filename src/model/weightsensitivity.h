#pragma once

#include "decimal.h"
#include "study.h"

#include <QString>

#include <optional>
#include <vector>

namespace pondra {

// Wide enough for every product the sensitivity forms from weights and coefficients.
__extension__ using WideInt = __int128;

// A weight as an exact fraction of millionths of a percent: where two straight evaluation lines
// meet is a ratio of products, which no decimal holds.
class WeightPoint {
public:
    WeightPoint() = default;
    WeightPoint(WideInt numerator, WideInt denominator);
    static WeightPoint of(Decimal weight) { return {weight.units(), 1}; }

    WideInt numerator() const { return m_num; }
    WideInt denominator() const { return m_den; }
    double percent() const;
    // Percent with at most two decimals, half up, with the comma: "18,25", "41", "0".
    QString text() const;

    WeightPoint operator-(const WeightPoint& other) const;
    bool operator==(const WeightPoint& other) const;
    std::strong_ordering operator<=>(const WeightPoint& other) const;

private:
    WideInt m_num = 0;
    WideInt m_den = 1;
};

// The evaluation of one hypothesis as the characteristic's weight t moves: (alpha + beta t) /
// delta, t in millionths of a percent, the result in 10^-12 of a percent of evaluation.
struct EvaluationLine {
    int hypothesis = 0; // slot
    QString name;
    bool moved = false;  // has the characteristic; otherwise a flat line
    Decimal weightToday; // its weight in this hypothesis, when moved
    WideInt alpha = 0;
    WideInt beta = 0;
    WideInt delta = 1;

    // The evaluation in percent at a weight in percent: for drawing and reading out only.
    double evaluationAt(double weightPercent) const;
    // Exactly: does this line stand above the other's at the weight, below, or level?
    std::strong_ordering compareAt(const EvaluationLine& other, Decimal weight) const;
};

// Two hypotheses swapping places: below the point `lower` stands above, past it `upper` does.
struct WeightCrossing {
    WeightPoint at;
    int upper = 0; // slot of the hypothesis above past the point
    int lower = 0; // slot of the one above before it
};

// Closed interval of weights, or nothing when no weight keeps what is asked.
struct WeightInterval {
    WeightPoint from;
    WeightPoint to;
};

// How one characteristic's weight moves the ranking.
struct CharacteristicSensitivity {
    QString name;            // as first written, trimmed
    WeightPoint weightToday; // the mean over the hypotheses that have it
    bool variable = false;   // weighted differently in different hypotheses
    int movedIn = 0;         // how many hypotheses have it
    std::optional<WeightInterval> keepsFirst;
    std::optional<WeightInterval> keepsRanking;
    int firstBelow = 0; // slot of the hypothesis first below keepsFirst, 0 when none
    int firstAbove = 0; // and above it
    // Percentage points from today's weight to the nearer end past which the first changes;
    // nothing when no weight from 0 to 100 changes it.
    std::optional<WeightPoint> margin;
    std::vector<EvaluationLine> lines;     // every named hypothesis, in slot order
    std::vector<WeightCrossing> crossings; // within 0..100, by weight
};

struct WeightSensitivity {
    int first = 0; // slot of the hypothesis first today, 0 when none is named
    std::vector<CharacteristicSensitivity> characteristics; // the most critical first
};

// Each characteristic (rows named alike, trimmed and in any case; the first such row of a
// hypothesis) moved from 0 to 100 % in every hypothesis that has it, the other weights of each
// scaled so that they still sum to 100 (shared equally when they all weigh 0): every evaluation
// is a straight line of that weight, measured exactly. The study is taken as the data check
// passes it: weights summing to 100.
WeightSensitivity analyseWeightSensitivity(const Study& study);

// The hypotheses in their order at a weight of the characteristic, best first, equal
// evaluations in slot order: the live ranking of a weight not yet applied.
std::vector<int> rankingAt(const CharacteristicSensitivity& c, Decimal weight);

} // namespace pondra
