#pragma once

#include "model/standing.h"

#include <QColor>

namespace pondra {

// How an evaluation is coloured wherever it is shown: green with yellow text above the half-way
// mark, red with yellow text below it, yellow with black text otherwise.
struct StandingColours {
    QColor background;
    QColor text;
};

StandingColours standingColours(Standing standing);

} // namespace pondra
