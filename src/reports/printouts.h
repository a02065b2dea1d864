#pragma once

#include "documentbuilder.h"

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

// The blank data-acquisition template: judgement scale and an empty hypothesis form.
void printTemplate(DocumentBuilder& b, const IdentityTexts& identity);

// The data of every hypothesis. The caller has run the data check.
void printHypothesesData(DocumentBuilder& b, const PrintSource& s);

// The ranking as it stands. The caller has run the data check.
void printRanking(DocumentBuilder& b, const PrintSource& s);

// The estimate report. The caller has run the data check and rebuilt the ranking quietly.
// Returns the page count written into the report: the pages of the report as finally laid out.
// With the solidity, section C after the ranking holds the chart of the evaluations and what it
// would take each hypothesis to reach the first.
int printReport(DocumentBuilder& b, const PrintSource& s, bool withRobustness = false);

// The title-page fields and the owner data in one table.
void printTitlePageData(DocumentBuilder& b, const PrintSource& s);

} // namespace pondra
