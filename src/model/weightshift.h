#pragma once

#include "decimal.h"
#include "study.h"

#include <QString>

namespace pondra {

// The hypothesis with its first scored row of the characteristic `key` weighing `weight` (to one
// decimal) and its other scored rows sharing what is left in proportion to their weights, or
// equally when they all weigh 0; each weight to one decimal, the largest remainders taking the
// last tenths, so that they still sum to 100. Unchanged when it has no such row, or no other
// row to give the rest to. A pairwise comparison the weights came from no longer holds.
Hypothesis withCharacteristicWeight(const Hypothesis& hypothesis, const QString& key, Decimal weight);

} // namespace pondra
