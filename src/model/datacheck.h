#pragma once

#include "message.h"
#include "scoring.h"
#include "study.h"

#include <optional>

namespace pondra {

struct DataCheckResult {
    bool passed = false;
    // The first problem found, or the confirmation when every hypothesis passed.
    Message message;
    // The figures of the last scoring the check ran, to be shown with the hypothesis it left
    // current; nothing when it scored none.
    std::optional<ScoreFigures> figures;
    // Whether the check moved to another hypothesis on the way, which the window must show.
    bool movedHypothesis = false;
    // The hypothesis the check left current: the one concerned by the problem, the last one after
    // a pass, or the one it started from.
    int shown =
        1; // What is still to be done, in a few words, for a note that does not stop the user ("Ipotesi
    // n. 2, resto 15 %"); empty after a pass.
    QString todo;
};

// No hypothesis has a name and no row of any hypothesis is ticked.
bool NothingEntered(const Study& study);

// Checks the hypotheses 1..countNamedHypotheses() in order, starting from the one shown, and stops
// at the first problem, leaving the hypothesis concerned current. It scores every hypothesis on
// the way, as showing them does, and after a pass the last one is current.
DataCheckResult CheckData(Study& study, int shown);

} // namespace pondra
