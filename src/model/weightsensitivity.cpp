#include "weightsensitivity.h"

#include "fairness.h"
#include "scoring.h"

#include <QHash>
#include <QSet>
#include <QStringList>

#include <algorithm>

namespace pondra {

namespace {

// The whole weight of a hypothesis, 100 %, in millionths.
constexpr qint64 FullWeight = 100 * Decimal::Unit;

WideInt floorDiv(WideInt a, WideInt b)
{
    const WideInt q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

std::strong_ordering compareWide(WideInt a, WideInt b)
{
    return a < b ? std::strong_ordering::less
                 : (a > b ? std::strong_ordering::greater : std::strong_ordering::equal);
}

std::strong_ordering reversed(std::strong_ordering o)
{
    return o == std::strong_ordering::less
               ? std::strong_ordering::greater
               : (o == std::strong_ordering::greater ? std::strong_ordering::less : o);
}

// a/b against c/d, b and d positive, by their continued fractions: the cross products of two
// crossing points would not fit even in 128 bits.
std::strong_ordering compareFractions(WideInt a, WideInt b, WideInt c, WideInt d)
{
    bool flipped = false;
    for (;;) {
        const WideInt qa = floorDiv(a, b);
        const WideInt qc = floorDiv(c, d);
        if (qa != qc || (a - qa * b == 0) || (c - qc * d == 0)) {
            std::strong_ordering o =
                qa != qc ? compareWide(qa, qc) : compareWide(c - qc * d == 0, a - qa * b == 0);
            return flipped ? reversed(o) : o;
        }
        a -= qa * b;
        c -= qc * d;
        // a/b < c/d exactly when b/a > d/c, both remainders now positive.
        std::swap(a, b);
        std::swap(c, d);
        flipped = !flipped;
    }
}

// One row as the scoring reads it, with the characteristic it names.
struct SensedRow {
    QString key;
    QString name;
    qint64 coefficient = 0; // millionths
    qint64 weight = 0;      // millionths of a percent
};

struct SensedHypothesis {
    int slot = 0;
    QString name;
    std::vector<SensedRow> rows;
    QHash<QString, std::size_t> firstRow; // of each characteristic it names
    qint64 shares = 0;                    // exact, as the scoring sums them
};

std::vector<SensedHypothesis> sensedHypotheses(const Study& study)
{
    std::vector<SensedHypothesis> hypotheses;
    for (int h = 1; h <= MaxHypotheses; ++h) {
        const Hypothesis& hyp = study.hypothesis(h);
        if (hyp.name.isEmpty()) {
            continue;
        }
        SensedHypothesis s{h, hyp.name.toDisplayText(), {}, {}, 0};
        for (int r = 1; r <= MaxRows; ++r) {
            const CharacteristicEntry& row = hyp.rows[std::size_t(r)];
            if (!isScoredRow(row)) {
                continue;
            }
            const Decimal c = scoredCoefficient(row);
            const Decimal w = scoredWeight(row);
            const QString key = characteristicKey(row.name);
            if (!key.isEmpty() && !s.firstRow.contains(key)) {
                s.firstRow.insert(key, s.rows.size());
            }
            s.rows.push_back({key, row.name.toDisplayText().trimmed(), c.units(), w.units()});
            s.shares += weightedShare(c, w);
        }
        hypotheses.push_back(std::move(s));
    }
    return hypotheses;
}

// The line of a hypothesis as the characteristic (its row `moved`) takes the weight t and the
// others share 100 - t in proportion: V(t) = c t + rho (100 - t), rho = P / Q the others' mean
// coefficient per weight.
EvaluationLine lineOf(const SensedHypothesis& h, const SensedRow* moved)
{
    EvaluationLine line{h.slot, h.name, moved != nullptr, {}, h.shares, 0, 1};
    if (!moved) {
        return line;
    }
    WideInt others = 0;  // their shares
    WideInt weights = 0; // their weight
    WideInt coefficients = 0;
    int count = 0;
    for (const SensedRow& row : h.rows) {
        if (&row != moved) {
            others += WideInt(row.coefficient) * row.weight;
            weights += row.weight;
            coefficients += row.coefficient;
            ++count;
        }
    }
    WideInt p = moved->coefficient; // no other row: the characteristic is the whole hypothesis
    WideInt q = 1;
    if (weights > 0) {
        p = others;
        q = weights;
    } else if (count > 0) {
        p = coefficients;
        q = count;
    }
    line.weightToday = Decimal::fromUnits(moved->weight);
    line.alpha = p * FullWeight;
    line.beta = WideInt(moved->coefficient) * q - p;
    line.delta = q;
    return line;
}

// (V_a - V_b) times both denominators is a + b t.
struct Difference {
    WideInt a;
    WideInt b;
};

Difference difference(const EvaluationLine& x, const EvaluationLine& y)
{
    return {x.alpha * y.delta - y.alpha * x.delta, x.beta * y.delta - y.beta * x.delta};
}

// Where a + b t is 0, b not 0.
WeightPoint rootOf(const Difference& d)
{
    return {-d.a, d.b};
}

std::strong_ordering compareSlopes(const EvaluationLine& x, const EvaluationLine& y)
{
    return compareWide(x.beta * y.delta, y.beta * x.delta);
}

// Narrows [from, to] to where a + b t >= 0 (or == 0 when level is asked); false once empty.
bool narrow(WeightInterval& interval, const Difference& d, bool level)
{
    if (d.b == 0) {
        return level ? d.a == 0 : d.a >= 0;
    }
    const WeightPoint root = rootOf(d);
    if (d.b > 0 || level) {
        interval.from = std::max(interval.from, root);
    }
    if (d.b < 0 || level) {
        interval.to = std::min(interval.to, root);
    }
    return interval.from <= interval.to;
}

const WeightInterval wholeRange{WeightPoint(0, 1), WeightPoint(FullWeight, 1)};

std::optional<WeightInterval> keepingFirst(const std::vector<EvaluationLine>& lines, std::size_t first)
{
    WeightInterval interval = wholeRange;
    for (std::size_t h = 0; h < lines.size(); ++h) {
        if (h != first && !narrow(interval, difference(lines[first], lines[h]), false)) {
            return std::nullopt;
        }
    }
    return interval;
}

// Order kept means every two neighbours keep theirs: strictly above stays above, level stays level.
std::optional<WeightInterval> keepingRanking(const std::vector<EvaluationLine>& lines,
                                             const std::vector<std::size_t>& order,
                                             const std::vector<SensedHypothesis>& hypotheses)
{
    WeightInterval interval = wholeRange;
    for (std::size_t i = 1; i < order.size(); ++i) {
        const std::size_t a = order[i - 1];
        const std::size_t b = order[i];
        const bool level = hypotheses[a].shares == hypotheses[b].shares;
        if (!narrow(interval, difference(lines[a], lines[b]), level)) {
            return std::nullopt;
        }
    }
    return interval;
}

std::vector<WeightCrossing> crossingsOf(const std::vector<EvaluationLine>& lines)
{
    struct Found {
        double key;
        WeightCrossing crossing;
    };
    std::vector<Found> found;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        for (std::size_t j = i + 1; j < lines.size(); ++j) {
            const Difference d = difference(lines[i], lines[j]);
            if (d.b == 0) {
                continue; // parallel, or the same line: they never swap
            }
            // The root -a/b within 0..100: -a and b of one sign, |a| <= 100 % of |b|.
            const WideInt n = d.b > 0 ? -d.a : d.a;
            const WideInt m = d.b > 0 ? d.b : -d.b;
            if (n < 0 || n > m * FullWeight) {
                continue;
            }
            const int upper = d.b > 0 ? lines[i].hypothesis : lines[j].hypothesis;
            const int lower = d.b > 0 ? lines[j].hypothesis : lines[i].hypothesis;
            const WeightPoint at(n, m);
            found.push_back({at.percent(), {at, upper, lower}});
        }
    }
    // Binary keys sort almost all of them; exact comparison settles neighbours they confuse.
    std::sort(found.begin(), found.end(), [](const Found& x, const Found& y) { return x.key < y.key; });
    for (std::size_t i = 1; i < found.size(); ++i) {
        for (std::size_t k = i; k > 0 && found[k].crossing.at < found[k - 1].crossing.at; --k) {
            std::swap(found[k], found[k - 1]);
        }
    }
    std::vector<WeightCrossing> crossings;
    crossings.reserve(found.size());
    for (const Found& f : found) {
        crossings.push_back(f.crossing);
    }
    return crossings;
}

// The hypothesis first just past an end of the first's interval: of those meeting the first
// there, the one rising fastest beyond it; equal lines in slot order.
int firstPast(const std::vector<EvaluationLine>& lines, std::size_t first, const WeightPoint& end, bool above)
{
    const EvaluationLine* best = nullptr;
    for (std::size_t h = 0; h < lines.size(); ++h) {
        const Difference d = difference(lines[first], lines[h]);
        if (h == first || d.b == 0 || (d.b < 0) != above || rootOf(d) != end) {
            continue;
        }
        if (!best || (above ? compareSlopes(lines[h], *best) > 0 : compareSlopes(lines[h], *best) < 0)) {
            best = &lines[h];
        }
    }
    return best ? best->hypothesis : 0;
}

CharacteristicSensitivity sensitivityOf(const QString& key, const std::vector<SensedHypothesis>& hypotheses,
                                        const std::vector<std::size_t>& order)
{
    CharacteristicSensitivity c;
    WideInt weights = 0;
    std::optional<qint64> common;
    for (const SensedHypothesis& h : hypotheses) {
        const auto row = h.firstRow.constFind(key);
        const SensedRow* moved = row == h.firstRow.cend() ? nullptr : &h.rows[*row];
        if (moved) {
            if (c.name.isEmpty()) {
                c.name = moved->name;
            }
            ++c.movedIn;
            weights += moved->weight;
            c.variable = c.variable || (common && *common != moved->weight);
            common = moved->weight;
        }
        c.lines.push_back(lineOf(h, moved));
    }
    c.weightToday = WeightPoint(weights, c.movedIn);
    const std::size_t first = order.front();
    c.keepsFirst = keepingFirst(c.lines, first);
    c.keepsRanking = keepingRanking(c.lines, order, hypotheses);
    c.crossings = crossingsOf(c.lines);
    if (!c.keepsFirst) {
        c.margin = WeightPoint(0, 1);
        return c;
    }
    const WeightInterval& keeps = *c.keepsFirst;
    if (keeps.from > wholeRange.from) {
        c.firstBelow = firstPast(c.lines, first, keeps.from, false);
    }
    if (keeps.to < wholeRange.to) {
        c.firstAbove = firstPast(c.lines, first, keeps.to, true);
    }
    if (c.weightToday < keeps.from || c.weightToday > keeps.to) {
        c.margin = WeightPoint(0, 1);
    } else {
        if (c.firstBelow) {
            c.margin = c.weightToday - keeps.from;
        }
        if (c.firstAbove && (!c.margin || keeps.to - c.weightToday < *c.margin)) {
            c.margin = keeps.to - c.weightToday;
        }
    }
    return c;
}

} // namespace

WeightPoint::WeightPoint(WideInt numerator, WideInt denominator)
    : m_num(denominator < 0 ? -numerator : numerator), m_den(denominator < 0 ? -denominator : denominator)
{
}

double WeightPoint::percent() const
{
    return double(m_num) / double(m_den) / double(Decimal::Unit);
}

QString WeightPoint::text() const
{
    constexpr qint64 PerHundredth = Decimal::Unit / 100;
    const WideInt hundredths = floorDiv(2 * m_num + m_den * PerHundredth, 2 * m_den * PerHundredth);
    return Decimal::fromUnits(qint64(hundredths) * PerHundredth).text();
}

WeightPoint WeightPoint::operator-(const WeightPoint& other) const
{
    return {m_num * other.m_den - other.m_num * m_den, m_den * other.m_den};
}

bool WeightPoint::operator==(const WeightPoint& other) const
{
    return (*this <=> other) == 0;
}

std::strong_ordering WeightPoint::operator<=>(const WeightPoint& other) const
{
    return compareFractions(m_num, m_den, other.m_num, other.m_den);
}

double EvaluationLine::evaluationAt(double weightPercent) const
{
    constexpr double Unit = double(Decimal::Unit);
    return (double(alpha) + double(beta) * weightPercent * Unit) / double(delta) / (Unit * Unit);
}

std::strong_ordering EvaluationLine::compareAt(const EvaluationLine& other, Decimal weight) const
{
    const WideInt t = weight.units();
    return compareWide((alpha + beta * t) * other.delta, (other.alpha + other.beta * t) * delta);
}

WeightSensitivity analyseWeightSensitivity(const Study& study)
{
    WeightSensitivity result;
    const std::vector<SensedHypothesis> hypotheses = sensedHypotheses(study);
    if (hypotheses.empty()) {
        return result;
    }
    // Today's order by the exact sums; the first of them is first however the figures round.
    std::vector<std::size_t> order(hypotheses.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return hypotheses[a].shares > hypotheses[b].shares;
    });
    result.first = hypotheses[order.front()].slot;

    QStringList keys;
    QSet<QString> seen;
    for (const SensedHypothesis& h : hypotheses) {
        for (const SensedRow& row : h.rows) {
            if (!row.key.isEmpty() && !seen.contains(row.key)) {
                seen.insert(row.key);
                keys << row.key;
            }
        }
    }
    for (const QString& key : keys) {
        result.characteristics.push_back(sensitivityOf(key, hypotheses, order));
    }
    // The least margin first; characteristics no weight makes change the first last, in order.
    std::stable_sort(result.characteristics.begin(), result.characteristics.end(),
                     [](const CharacteristicSensitivity& a, const CharacteristicSensitivity& b) {
                         return a.margin && (!b.margin || *a.margin < *b.margin);
                     });
    return result;
}

std::vector<int> rankingAt(const CharacteristicSensitivity& c, Decimal weight)
{
    std::vector<const EvaluationLine*> lines;
    for (const EvaluationLine& line : c.lines) {
        lines.push_back(&line);
    }
    std::stable_sort(lines.begin(), lines.end(), [&](const EvaluationLine* a, const EvaluationLine* b) {
        return a->compareAt(*b, weight) > 0;
    });
    std::vector<int> slots;
    for (const EvaluationLine* line : lines) {
        slots.push_back(line->hypothesis);
    }
    return slots;
}

} // namespace pondra
