#pragma once

#include "study.h"

#include <QString>

#include <array>
#include <span>
#include <vector>

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

// Where a ranked hypothesis stands. Equal evaluations share the place of the first of them, and
// the next place counts them all: 1, 1, 3.
struct Place {
    int number = 0;
    bool tied = false; // shares its place with another hypothesis

    bool operator==(const Place&) const = default;
};

// The places of evaluations in ranking order, best first, one each.
std::vector<Place> sharedPlaces(std::span<const double> evaluations);

// Written after the name of a tied hypothesis: " (a pari merito)"; empty otherwise.
QString placeNote(const Place& place);

// Positions 1..100 of a ranking as places; a free position keeps its own number, untied.
using RankingPlaces = std::array<Place, MaxHypotheses + 1>;
RankingPlaces placesOf(const Ranking& ranking);

// Blanks the evaluation and judgement of every free slot in the study, copies the slots into
// the ranking and sorts the named ones best first; equal evaluations keep their slot order.
void ordina(Study& study, Ranking& ranking);

} // namespace pondra
