#include "standing.h"

#include "textrules.h"

namespace pondra {

Standing standingOf(const Value& evaluation)
{
    // The shown text has the decimal comma, so reading it with the point keeps only the digits
    // before the comma.
    const double tenfold = 10.0 * leadingNumber(evaluation.toDisplayText());
    if (tenfold > 500.0) {
        return Standing::Positive;
    }
    if (tenfold > 0.0 && tenfold < 500.0) {
        return Standing::Negative;
    }
    return Standing::Neither;
}

} // namespace pondra
