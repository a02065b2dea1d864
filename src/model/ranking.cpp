#include "ranking.h"

#include <limits>

namespace pondra {

namespace {

// A hypothesis never scored counts as 0; a blanked (free) slot counts below every named one.
double rankingKey(const RankingEntry& entry)
{
    if (entry.name.isEmpty() || (entry.evaluation.isText() && entry.evaluation.textValue().isEmpty())) {
        return -std::numeric_limits<double>::infinity();
    }
    return entry.evaluation.toNumberOr(0.0);
}

} // namespace

std::vector<Place> sharedPlaces(std::span<const double> evaluations)
{
    std::vector<Place> places(evaluations.size());
    for (std::size_t i = 0; i < evaluations.size(); ++i) {
        if (i > 0 && evaluations[i] == evaluations[i - 1]) {
            places[i] = {places[i - 1].number, true};
            places[i - 1].tied = true;
        } else {
            places[i] = {int(i) + 1, false};
        }
    }
    return places;
}

QString placeNote(const Place& place)
{
    return place.tied ? QStringLiteral(" (a pari merito)") : QString();
}

RankingPlaces placesOf(const Ranking& ranking)
{
    // The named hypotheses lead the ranking: ordina sinks every free slot below them.
    std::vector<double> evaluations;
    for (int p = 1; p <= MaxHypotheses && !ranking[std::size_t(p)].name.isEmpty(); ++p) {
        evaluations.push_back(rankingKey(ranking[std::size_t(p)]));
    }
    const std::vector<Place> shared = sharedPlaces(evaluations);
    RankingPlaces places;
    for (int p = 1; p <= MaxHypotheses; ++p) {
        places[std::size_t(p)] =
            std::size_t(p) <= shared.size() ? shared[std::size_t(p - 1)] : Place{p, false};
    }
    return places;
}

void ordina(Study& study, Ranking& ranking)
{
    for (int i = 1; i <= MaxHypotheses; ++i) {
        Hypothesis& hyp = study.hypothesis(i);
        if (hyp.name.isEmpty()) {
            hyp.EvaluationPercent = Value::text(QString());
            hyp.OverallJudgement = Value::text(QString());
        }
        ranking[std::size_t(i)] = {hyp.name, hyp.EvaluationPercent, hyp.OverallJudgement};
    }

    // With names in slots 1..n, as a passed data check leaves them, this sorts exactly those.
    // Without the check the range reaches the last named slot, so that free slots inside it sink
    // below every named hypothesis.
    const int last = study.highestNamedSlot();
    bool exchanged = true;
    while (exchanged) {
        exchanged = false;
        for (int j = 1; j < last; ++j) {
            if (rankingKey(ranking[std::size_t(j)]) < rankingKey(ranking[std::size_t(j + 1)])) {
                std::swap(ranking[std::size_t(j)], ranking[std::size_t(j + 1)]);
                exchanged = true;
            }
        }
    }
}

} // namespace pondra
