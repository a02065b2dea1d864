#include "standingcolours.h"

namespace pondra {

StandingColours standingColours(Standing standing)
{
    const QColor yellow(255, 255, 0);
    switch (standing) {
    case Standing::Positive:
        return {QColor(0, 128, 0), yellow};
    case Standing::Negative:
        // A red just deep enough for its yellow figures to be read (4.5:1), on screen and paper.
        return {QColor(229, 0, 0), yellow};
    case Standing::Neither:
        break;
    }
    return {yellow, Qt::black};
}

} // namespace pondra
