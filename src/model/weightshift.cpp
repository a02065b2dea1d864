#include "weightshift.h"

#include "fairness.h"
#include "scoring.h"
#include "weight.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace pondra {

Hypothesis withCharacteristicWeight(const Hypothesis& hypothesis, const QString& key, Decimal weight)
{
    int moved = 0;
    std::vector<int> others;
    for (int r = 1; r <= MaxRows; ++r) {
        const CharacteristicEntry& row = hypothesis.rows[std::size_t(r)];
        if (!isScoredRow(row)) {
            continue;
        }
        if (moved == 0 && characteristicKey(row.name) == key) {
            moved = r;
        } else {
            others.push_back(r);
        }
    }
    if (moved == 0 || others.empty()) {
        return hypothesis;
    }
    constexpr qint64 Tenth = Decimal::Unit / 10;
    const qint64 tenths = std::clamp<qint64>((weight.units() + Tenth / 2) / Tenth, 0, 1000);
    std::vector<qint64> parts; // each other row's weight, in any unit
    for (int r : others) {
        parts.push_back(scoredWeight(hypothesis.rows[std::size_t(r)]).units());
    }
    qint64 whole = std::accumulate(parts.begin(), parts.end(), qint64(0));
    if (whole <= 0) {
        std::fill(parts.begin(), parts.end(), 1);
        whole = qint64(parts.size());
    }
    // Floors first, then a tenth more for the largest remainders.
    const qint64 left = 1000 - tenths;
    std::vector<qint64> shares(parts.size());
    std::vector<std::size_t> byRemainder(parts.size());
    qint64 given = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        shares[i] = left * parts[i] / whole;
        given += shares[i];
        byRemainder[i] = i;
    }
    const auto remainder = [&](std::size_t i) { return (left * parts[i]) % whole; };
    std::stable_sort(byRemainder.begin(), byRemainder.end(),
                     [&](std::size_t a, std::size_t b) { return remainder(a) > remainder(b); });
    for (std::size_t k = 0; given < left; ++k, ++given) {
        ++shares[byRemainder[k]];
    }
    Hypothesis result = hypothesis;
    result.comparison.reset(); // the weights no longer come from it
    result.rows[std::size_t(moved)].weight = Value::text(storedWeightText(Decimal::fromTenths(tenths)));
    for (std::size_t i = 0; i < others.size(); ++i) {
        result.rows[std::size_t(others[i])].weight =
            Value::text(storedWeightText(Decimal::fromTenths(shares[i])));
    }
    return result;
}

} // namespace pondra
