#pragma once

#include "study.h"

#include <QStringList>

namespace pondra {

// What makes rows the same characteristic: the name trimmed, in any case. Empty for no name.
QString characteristicKey(const Value& name);

// Where the named hypotheses are not weighed on the same terms, in plain Italian, one note each:
// a characteristic (its name trimmed, in any case) that some hypotheses have and others lack, and
// one that weighs differently from one hypothesis to another. Empty when they are compared alike
// or when fewer than two are named. Only a remark: the data check does not depend on it.
QStringList fairnessNotes(const Study& study);

} // namespace pondra
