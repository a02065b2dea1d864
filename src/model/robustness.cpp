#include "robustness.h"

#include "judgementscale.h"
#include "scoring.h"
#include "textrules.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>

namespace pondra {

namespace {

// The coefficients a scale click leaves in a row, best step first, read as the scoring reads them.
const std::array<Decimal, JudgementSteps>& scaleCoefficients()
{
    static const std::array<Decimal, JudgementSteps> values = [] {
        std::array<Decimal, JudgementSteps> v{};
        for (int n = 1; n <= JudgementSteps; ++n) {
            CharacteristicEntry row;
            row.coefficient = Value::text(JudgementScale::coefficientText(n));
            v[std::size_t(n - 1)] = scoredCoefficient(row);
        }
        return v;
    }();
    return values;
}

// A scored row as the scoring reads it, read once.
struct ScoredRow {
    int row = 0;
    Decimal coefficient;
    Decimal weight;
};

std::vector<ScoredRow> scoredRowsOf(const Hypothesis& hyp)
{
    std::vector<ScoredRow> rows;
    for (int r = 1; r <= MaxRows; ++r) {
        const CharacteristicEntry& row = hyp.rows[std::size_t(r)];
        if (isScoredRow(row)) {
            rows.push_back({r, scoredCoefficient(row), scoredWeight(row)});
        }
    }
    return rows;
}

// The exact shares of a hypothesis, summed.
qint64 sharesOf(const std::vector<ScoredRow>& rows)
{
    qint64 shares = 0;
    for (const ScoredRow& row : rows) {
        shares += weightedShare(row.coefficient, row.weight);
    }
    return shares;
}

// A scored row moved along the scale one step at a time in one direction, and how many exact
// shares each further step takes off the gap between the two hypotheses.
struct Track {
    int hypothesis = 0;
    int row = 0;
    bool better = true;
    std::vector<double> gains; // gains[j]: the step j + 1

    // Each step closes no more of the gap than the step before. Every step along the scale closes
    // the same amount; a coefficient off the scale makes the first step shorter.
    bool concave() const
    {
        return std::adjacent_find(gains.begin(), gains.end(), std::less<>()) == gains.end();
    }
};

// The tracks of every scored row of h: judged better for the challenger, worse for the leader.
std::vector<Track> tracksOf(const std::vector<ScoredRow>& rows, int h, bool better)
{
    std::vector<Track> tracks;
    const auto& scale = scaleCoefficients();
    for (const ScoredRow& row : rows) {
        const Decimal c = row.coefficient;
        const Decimal w = row.weight;
        Track track{h, row.row, better, {}};
        // Shares of weights up to 100 and coefficients up to 1 stay below 2^53: exact as doubles.
        double from = double(weightedShare(c, w));
        const auto step = [&](Decimal coefficient) {
            const double to = double(weightedShare(coefficient, w));
            track.gains.push_back(better ? to - from : from - to);
            from = to;
        };
        // A coefficient off the scale moves first to the nearest step in that direction.
        if (better) {
            std::for_each(scale.rbegin(), scale.rend(), [&](Decimal k) {
                if (k > c) {
                    step(k);
                }
            });
        } else {
            std::for_each(scale.begin(), scale.end(), [&](Decimal k) {
                if (k < c) {
                    step(k);
                }
            });
        }
        if (!track.gains.empty()) {
            tracks.push_back(std::move(track));
        }
    }
    return tracks;
}

// Steps of equal gain in a row of one track.
struct Run {
    double gain;
    int steps;
    std::size_t track;
};

// The steps of the tracks whose steps close less and less, as runs of equal gain, largest gain
// first; the other tracks are listed in irregular. Indexes count from offset.
//
// Along such a track a larger gain never waits behind a smaller one, so the best m steps among
// these tracks are simply the m largest gains. The stable sort keeps equal gains in track order
// and step order: the steps taken of a track are always its first ones.
std::vector<Run> sortedRuns(const std::vector<Track>& tracks, std::size_t offset,
                            std::vector<std::size_t>& irregular)
{
    std::vector<Run> runs;
    for (std::size_t t = 0; t < tracks.size(); ++t) {
        if (!tracks[t].concave()) {
            irregular.push_back(offset + t);
            continue;
        }
        for (double gain : tracks[t].gains) {
            if (gain <= 0) {
                break; // no later step of such a track gains anything either
            }
            if (!runs.empty() && runs.back().track == offset + t && runs.back().gain == gain) {
                ++runs.back().steps;
            } else {
                runs.push_back({gain, 1, offset + t});
            }
        }
    }
    std::stable_sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.gain > b.gain; });
    return runs;
}

// The least number of steps whose gains add up to the gap, and how many steps of each track;
// nothing when all of them together fall short.
struct Solution {
    std::optional<int> count;
    std::vector<int> steps;
};

Solution leastSteps(const std::vector<const Track*>& tracks, const std::vector<Run>& runs,
                    const std::vector<std::size_t>& irregular, double gap)
{
    Solution solution;
    solution.steps.assign(tracks.size(), 0);
    if (gap <= 0) {
        solution.count = 0;
        return solution;
    }

    // The most the regular tracks gain with m steps: the m largest gains.
    std::vector<std::size_t> countBefore{0};
    std::vector<double> gainBefore{0.0};
    for (const Run& run : runs) {
        countBefore.push_back(countBefore.back() + std::size_t(run.steps));
        gainBefore.push_back(gainBefore.back() + run.gain * run.steps);
    }
    const std::size_t regular = countBefore.back();
    const auto largest = [&](std::size_t m) {
        const std::size_t r =
            std::size_t(std::upper_bound(countBefore.begin(), countBefore.end(), m) - countBefore.begin()) -
            1;
        return r == runs.size() ? gainBefore[r] : gainBefore[r] + runs[r].gain * double(m - countBefore[r]);
    };

    // The irregular tracks: the most each number of their steps can gain, exactly, by knapsack,
    // up to the steps the regular tracks alone would need: no least total lies beyond them.
    std::size_t capacity = 0;
    for (std::size_t t : irregular) {
        capacity += tracks[t]->gains.size();
    }
    if (gainBefore.back() >= gap) {
        const std::size_t r =
            std::size_t(std::lower_bound(gainBefore.begin(), gainBefore.end(), gap) - gainBefore.begin());
        capacity = std::min(capacity, countBefore[r]);
    }
    std::vector<double> best(capacity + 1, 0.0); // at most k steps
    std::vector<std::vector<int>> choice(irregular.size(), std::vector<int>(capacity + 1, 0));
    for (std::size_t i = 0; i < irregular.size(); ++i) {
        const std::vector<double>& gains = tracks[irregular[i]]->gains;
        std::vector<double> next = best;
        for (std::size_t k = 1; k <= capacity; ++k) {
            double taken = 0.0;
            for (std::size_t j = 1; j <= std::min(k, gains.size()); ++j) {
                taken += gains[j - 1];
                if (best[k - j] + taken > next[k]) {
                    next[k] = best[k - j] + taken;
                    choice[i][k] = int(j);
                }
            }
        }
        best = std::move(next);
    }

    // The least total: both parts gain more with more steps allowed, so the first total whose
    // best split reaches the gap is the least. Without irregular tracks the split is found at
    // once: the run where the gains add up to the gap.
    std::size_t total = 0;
    std::size_t m = 0;
    if (irregular.empty()) {
        const std::size_t r =
            std::size_t(std::lower_bound(gainBefore.begin(), gainBefore.end(), gap) - gainBefore.begin());
        if (r == gainBefore.size()) {
            return solution;
        }
        m = countBefore[r - 1] + std::size_t(std::ceil((gap - gainBefore[r - 1]) / runs[r - 1].gain));
        total = m;
    } else {
        bool found = false;
        for (total = 1; !found && total <= regular + capacity; ++total) {
            for (m = std::min(total, regular) + 1; m-- > (total > capacity ? total - capacity : 0);) {
                if (largest(m) + best[total - m] >= gap) {
                    found = true;
                    break;
                }
            }
        }
        if (!found) {
            return solution;
        }
        --total;
    }

    std::size_t left = m;
    for (const Run& run : runs) {
        const std::size_t taken = std::min(left, std::size_t(run.steps));
        solution.steps[run.track] += int(taken);
        left -= taken;
    }
    std::size_t k = total - m;
    for (std::size_t i = irregular.size(); i-- > 0;) {
        const int j = choice[i][k];
        solution.steps[irregular[i]] = j;
        k -= std::size_t(j);
    }
    int count = 0;
    for (int steps : solution.steps) {
        count += steps;
    }
    solution.count = count;
    return solution;
}

QString quoted(const QString& text)
{
    return u'«' + text + u'»';
}

// "un", "due" ... "dieci" before a masculine noun; figures beyond.
QString countWord(int n)
{
    static const std::array<const char16_t*, 11> words{u"nessun",  u"un",     u"due",  u"tre",
                                                       u"quattro", u"cinque", u"sei",  u"sette",
                                                       u"otto",    u"nove",   u"dieci"};
    return n >= 0 && n < int(words.size()) ? QString::fromUtf16(words[std::size_t(n)]) : QString::number(n);
}

QString counted(int n, const QString& one, const QString& many)
{
    return countWord(n) + u' ' + (n == 1 ? one : many);
}

// "a, b e c".
QString listed(const QStringList& parts)
{
    if (parts.size() < 2) {
        return parts.join(QString());
    }
    return parts.mid(0, parts.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" e ") + parts.last();
}

QString rowLabel(const JudgementChange& change)
{
    const QString name =
        change.rowName.isEmpty() ? QStringLiteral("riga %1").arg(change.row) : change.rowName;
    return quoted(name) + QStringLiteral(" (peso ") + generalNumberText(change.weight) +
           QStringLiteral(" %)");
}

QString changePhrase(const JudgementChange& change, const QString& challenger, const QString& leader)
{
    const QString steps = counted(change.steps, QStringLiteral("grado"), QStringLiteral("gradi"));
    if (change.better) {
        return QStringLiteral("migliorare di ") + steps + QStringLiteral(" il giudizio di ") +
               rowLabel(change) + QStringLiteral(" dell'ipotesi ") + quoted(challenger);
    }
    return QStringLiteral("peggiorare di ") + steps + QStringLiteral(" il giudizio di ") + rowLabel(change) +
           QStringLiteral(" della prima ipotesi ") + quoted(leader);
}

// Words the pair, once its least changes are known.
void describe(Challenge& c, const QString& leader)
{
    const QString challenger = quoted(c.name);
    QStringList phrases;
    for (const JudgementChange& change : c.changes) {
        phrases << changePhrase(change, c.name, leader);
    }
    if (!c.changesNeeded) {
        c.rowsText = QStringLiteral("nessun cambio di giudizio basta");
        c.verdict = QStringLiteral("Nessun cambio di giudizio porta ") + challenger +
                    QStringLiteral(" alla pari con la prima ipotesi.");
        return;
    }
    const int k = *c.changesNeeded;
    if (k == 0) {
        c.rowsText = QStringLiteral("nessuno: è già alla pari");
        c.verdict = challenger + QStringLiteral(" ha la stessa valutazione di ") + quoted(leader) +
                    QStringLiteral(": sono prime a pari merito.");
        return;
    }
    c.rowsText = phrases.join(QStringLiteral("; "));
    if (k == 1) {
        const JudgementChange& only = c.changes.front();
        c.verdict =
            QStringLiteral("Basta ") + phrases.front() +
            (only.better ? QStringLiteral(" perché raggiunga la prima.")
                         : QStringLiteral(" perché ") + challenger + QStringLiteral(" la raggiunga."));
        return;
    }
    c.verdict = QStringLiteral("La prima ipotesi resta in testa anche se ") +
                (k == 2 ? QStringLiteral("un giudizio cambia")
                        : counted(k - 1, QStringLiteral("giudizio"), QStringLiteral("giudizi")) +
                              QStringLiteral(" cambiano")) +
                QStringLiteral(" di un grado; perché ") + challenger +
                QStringLiteral(" la raggiunga servono ") +
                counted(k, QStringLiteral("cambio"), QStringLiteral("cambi")) + QStringLiteral(": ") +
                listed(phrases) + u'.';
}

QString summaryOf(const RobustnessAnalysis& analysis)
{
    if (analysis.ranked.empty()) {
        return QStringLiteral("Non ci sono ipotesi da mettere a confronto.");
    }
    const QString leader = quoted(analysis.ranked.front().name);
    if (analysis.challenges.empty()) {
        return QStringLiteral("Con una sola ipotesi non c'è una graduatoria da mettere alla prova.");
    }
    const Challenge* closest = nullptr;
    for (const Challenge& c : analysis.challenges) {
        if (c.changesNeeded && (!closest || *c.changesNeeded < *closest->changesNeeded)) {
            closest = &c;
        }
    }
    if (!closest) {
        return QStringLiteral("Nessun cambio di giudizio toglie il primo posto a ") + leader + u'.';
    }
    const int k = *closest->changesNeeded;
    if (k == 0) {
        return QStringLiteral("Il primo posto è condiviso: ") + quoted(closest->name) +
               QStringLiteral(" ha la stessa valutazione di ") + leader + u'.';
    }
    if (k == 1) {
        return QStringLiteral("La graduatoria è fragile: basta un giudizio cambiato di un grado perché ") +
               quoted(closest->name) + QStringLiteral(" raggiunga ") + leader + u'.';
    }
    return leader + QStringLiteral(" resta in testa anche se ") +
           (k == 2 ? QStringLiteral("un giudizio cambia")
                   : counted(k - 1, QStringLiteral("giudizio"), QStringLiteral("giudizi")) +
                         QStringLiteral(" cambiano")) +
           QStringLiteral(" di un grado: la più vicina, ") + quoted(closest->name) +
           QStringLiteral(", la raggiunge con ") +
           counted(k, QStringLiteral("cambio"), QStringLiteral("cambi")) + u'.';
}

} // namespace

RobustnessAnalysis analyseRobustness(const Study& study)
{
    RobustnessAnalysis analysis;
    std::vector<qint64> shares(MaxHypotheses + 1, 0);
    std::vector<qint64> thousandths(MaxHypotheses + 1, 0);
    std::vector<std::vector<ScoredRow>> scored(MaxHypotheses + 1);
    for (int h = 1; h <= MaxHypotheses; ++h) {
        const Hypothesis& hyp = study.hypothesis(h);
        if (!hyp.name.isEmpty()) {
            scored[std::size_t(h)] = scoredRowsOf(hyp);
            shares[std::size_t(h)] = sharesOf(scored[std::size_t(h)]);
            thousandths[std::size_t(h)] = roundedThousandths(shares[std::size_t(h)]);
            analysis.ranked.push_back(
                {h, hyp.name.toDisplayText(), evaluationOfShares(thousandths[std::size_t(h)]), {}});
        }
    }
    // Equal rounded figures make equal evaluations, which the ranking keeps in slot order.
    std::stable_sort(analysis.ranked.begin(), analysis.ranked.end(), [&](const auto& a, const auto& b) {
        return thousandths[std::size_t(a.hypothesis)] > thousandths[std::size_t(b.hypothesis)];
    });
    if (analysis.ranked.empty()) {
        analysis.summary = summaryOf(analysis);
        return analysis;
    }
    std::vector<double> evaluations;
    for (const RankedHypothesis& r : analysis.ranked) {
        evaluations.push_back(r.evaluation);
    }
    const std::vector<Place> places = sharedPlaces(evaluations);
    for (std::size_t p = 0; p < places.size(); ++p) {
        analysis.ranked[p].place = places[p];
    }

    const int leader = analysis.ranked.front().hypothesis;
    const QString& leaderName = analysis.ranked.front().name;
    const std::vector<Track> leaderTracks = tracksOf(scored[std::size_t(leader)], leader, false);
    std::vector<std::size_t> leaderIrregular;
    const std::vector<Run> leaderRuns = sortedRuns(leaderTracks, 0, leaderIrregular);
    for (std::size_t p = 1; p < analysis.ranked.size(); ++p) {
        const int h = analysis.ranked[p].hypothesis;
        Challenge c;
        c.position = analysis.ranked[p].place.number;
        c.hypothesis = h;
        c.name = analysis.ranked[p].name;
        // The challenger's rows first: on equal effect, improving it reads more naturally.
        const std::vector<Track> own = tracksOf(scored[std::size_t(h)], h, true);
        std::vector<const Track*> tracks;
        for (const Track& t : own) {
            tracks.push_back(&t);
        }
        for (const Track& t : leaderTracks) {
            tracks.push_back(&t);
        }
        std::vector<std::size_t> irregular;
        const std::vector<Run> ownRuns = sortedRuns(own, 0, irregular);
        for (std::size_t t : leaderIrregular) {
            irregular.push_back(own.size() + t);
        }
        // The leader's runs, sorted once, counted their tracks from 0; merging keeps the
        // challenger's first among equal gains.
        std::vector<Run> theirs = leaderRuns;
        for (Run& run : theirs) {
            run.track += own.size();
        }
        std::vector<Run> runs;
        runs.reserve(ownRuns.size() + theirs.size());
        std::merge(ownRuns.begin(), ownRuns.end(), theirs.begin(), theirs.end(), std::back_inserter(runs),
                   [](const Run& a, const Run& b) { return a.gain > b.gain; });
        // Level once the challenger's shares reach the least sum that rounds as the first's does
        // (exact while the first keeps its figure).
        const qint64 level = thousandths[std::size_t(leader)] * SharesPerThousandth - SharesPerThousandth / 2;
        const Solution solution = leastSteps(tracks, runs, irregular,
                                             thousandths[std::size_t(h)] == thousandths[std::size_t(leader)]
                                                 ? 0.0
                                                 : double(level - shares[std::size_t(h)]));
        c.changesNeeded = solution.count;
        if (solution.count) {
            std::vector<std::pair<double, JudgementChange>> changes;
            for (std::size_t t = 0; t < tracks.size(); ++t) {
                const int steps = solution.steps[t];
                if (steps == 0) {
                    continue;
                }
                const Track& track = *tracks[t];
                const CharacteristicEntry& row = study.row(track.hypothesis, track.row);
                double gain = 0.0;
                for (int j = 0; j < steps; ++j) {
                    gain += track.gains[std::size_t(j)];
                }
                changes.push_back({gain,
                                   {track.hypothesis, track.row, row.name.toDisplayText(),
                                    scoredWeight(row).toDouble(), steps, track.better}});
            }
            std::stable_sort(changes.begin(), changes.end(),
                             [](const auto& a, const auto& b) { return a.first > b.first; });
            for (auto& change : changes) {
                c.changes.push_back(std::move(change.second));
            }
        }
        describe(c, leaderName);
        analysis.challenges.push_back(std::move(c));
    }
    analysis.summary = summaryOf(analysis);
    return analysis;
}

} // namespace pondra
