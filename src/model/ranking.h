#pragma once

#include "study.h"

#include <array>

namespace pondra {

// One position of the ranking; it carries no hypothesis number, the position is the number.
struct RankingEntry {
    Value name;
    Value evaluation;
    Value overallJudgement;

    bool operator==(const RankingEntry&) const = default;
};

// Positions 1..100; position 0 exists and is never used. Empty until the first ranking.
using Ranking = std::array<RankingEntry, MaxHypotheses + 1>;

// Blanks the evaluation and judgement of every free slot in the study, copies the slots into
// the ranking and sorts the named ones best first; equal evaluations keep their slot order.
void ordina(Study& study, Ranking& ranking);

} // namespace pondra
