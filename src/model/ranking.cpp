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
