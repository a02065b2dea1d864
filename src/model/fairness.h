#pragma once

#include "study.h"

#include <QStringList>

namespace pondra {

// Where the named hypotheses are not weighed on the same terms, in plain Italian, one note each:
// a characteristic (its name trimmed, in any case) that some hypotheses have and others lack, and
// one that weighs differently from one hypothesis to another. Empty when they are compared alike
// or when fewer than two are named. Only a remark: the data check does not depend on it.
QStringList fairnessNotes(const Study& study);

} // namespace pondra
