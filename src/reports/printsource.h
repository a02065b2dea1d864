#pragma once

#include "model/identity.h"
#include "model/ownerdata.h"
#include "model/ranking.h"
#include "model/study.h"
#include "model/titlepage.h"

#include <QString>

namespace pondra {

// What the printouts read besides the builder. The windows and the command line build every
// printout from the same source: the study as the data check left it, every hypothesis scored.
struct PrintSource {
    const IdentityTexts& identity;
    const Study& study;
    const Ranking& ranking;
    TitlePage titlePage;
    // The studio that signs; unset, the report leaves lines to write it by hand.
    OwnerData owner;
};

// The sections of the estimate report that the user may add.
struct ReportOptions {
    // Section C after the ranking: the chart of the evaluations and what it would take each
    // hypothesis to reach the first.
    bool withRobustness = false;
    // Section D after them: how the weights of the hypotheses compared in pairs were drawn, with
    // every matrix and its consistency. Left out when no hypothesis has a comparison.
    bool withWeighting = false;
};

} // namespace pondra
