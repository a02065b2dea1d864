#pragma once

#include "model/identity.h"
#include "model/ranking.h"
#include "model/scoring.h"
#include "model/study.h"
#include "model/titlepage.h"

#include <QString>

#include <functional>

namespace pondra {

// What the printouts read besides the builder.
struct PrintSource {
    const IdentityTexts& identity;
    // Read after each showHypothesis call, so the printouts see what showing a hypothesis
    // wrote into it (the 0 of an empty coefficient, the overall judgement).
    const Study& study;
    const Ranking& ranking;
    TitlePage titlePage;
    QString ownerStudioName;
    QString ownerAddress;
    // Shows hypothesis h in the Data window (or, headless, scores it) and returns the figures
    // then shown: the hypothesis section prints media and ponderata from them.
    std::function<ScoreFigures(int h)> showHypothesis;
};

} // namespace pondra
