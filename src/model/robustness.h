#pragma once

#include "ranking.h"
#include "study.h"

#include <QString>

#include <optional>
#include <vector>

namespace pondra {

// One judgement moved along the scale by some steps, each step one change: a row of the
// challenger judged better, or a row of the first hypothesis judged worse.
struct JudgementChange {
    int hypothesis = 0; // slot
    int row = 0;
    QString rowName;
    double weight = 0.0;
    int steps = 0;
    bool better = true; // the challenger's row judged better; otherwise the leader's judged worse

    bool operator==(const JudgementChange&) const = default;
};

// How far a hypothesis of the ranking stands from the first one.
struct Challenge {
    int position = 0;   // in the ranking: 1 when level with the first, otherwise from 2
    int hypothesis = 0; // slot
    QString name;
    // The least number of one-step changes that brings it level with the first or above it;
    // nothing when no change of judgement can.
    std::optional<int> changesNeeded;
    // One least set of changes, the most effective first.
    std::vector<JudgementChange> changes;
    QString rowsText; // the changes, in plain Italian
    QString verdict;  // a sentence on the pair, in plain Italian
};

// A hypothesis in its place in the ranking.
struct RankedHypothesis {
    int hypothesis = 0; // slot
    QString name;
    double evaluation = 0.0; // as the scoring stores it
    Place place;             // as the ranking gives it
};

// The solidity of the ranking: the hypotheses in ranking order and, for every one after the
// first, what it would take to reach the first.
struct RobustnessAnalysis {
    std::vector<RankedHypothesis> ranked; // first-ranked first
    std::vector<Challenge> challenges;    // one for each ranked after the first
    QString summary;                      // a sentence on the whole ranking
};

// Scores every named hypothesis from its rows as the scoring does and ranks them as the ranking
// does (best first, equal evaluations in slot order), then measures each against the first.
// Exact under the scoring's rounding, every least count a true minimum, whenever each row's share
// falls on whole thousandths (whole weights on the scale); with decimal weights the first
// hypothesis's rounding is taken as it stands today.
RobustnessAnalysis analyseRobustness(const Study& study);

} // namespace pondra
