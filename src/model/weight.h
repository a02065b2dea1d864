#pragma once

#include "decimal.h"
#include "study.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace pondra {

// The weight of a row as the user types it, as the data file stores it and as the windows and
// printouts show it.

// A weight, or why there is none.
struct WeightReading {
    std::optional<Decimal> weight;
    QString problem;
};

// The data file's form: whole numbers as always ("35"), decimals with a point, as the file's
// numbers are written ("12.5"), so that older readers take them the same way.
QString storedWeightText(Decimal weight);

// The weight cell as it is shown: a number written with a point is shown with the comma; any
// other text as it stands.
QString shownWeightText(const Value& weight);

// A weight typed into a row: 0 to 100, at most one decimal after a comma ("35", "12,5").
// While typing, nothing as long as the text can still become a weight, else why not.
std::optional<QString> weightTypingProblem(QStringView text);
// Once typed in full.
WeightReading readTypedWeight(QStringView text);

// The weight that leaves nothing to assign in hypothesis h when row r takes it: 100 less the
// weights of its other scored rows. Only a ticked row takes it, and only within 0..100.
WeightReading weightCompleting100(const Study& study, int h, int r);

} // namespace pondra
