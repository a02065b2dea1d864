#pragma once

#include "documentbuilder.h"

#include "model/identity.h"
#include "model/ranking.h"
#include "model/scoring.h"
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
    QString ownerStudioName;
    QString ownerAddress;
};

// The sections of the estimate report that the user may add.
struct ReportOptions {
    // Section C after the ranking: the chart of the evaluations and what it would take each
    // hypothesis to reach the first.
    bool withRobustness = false;
};

// The blank data-acquisition template: judgement scale and an empty hypothesis form.
void printTemplate(DocumentBuilder& b, const IdentityTexts& identity);

// The data of every hypothesis. The caller has run the data check.
void printHypothesesData(DocumentBuilder& b, const PrintSource& s);

// The ranking as it stands. The caller has run the data check.
void printRanking(DocumentBuilder& b, const PrintSource& s);

// The estimate report. The caller has run the data check and rebuilt the ranking quietly.
// Returns the page count written into the report: the pages of the report as finally laid out.
int printReport(DocumentBuilder& b, const PrintSource& s, const ReportOptions& options = {});

// The title-page fields and the owner data in one table.
void printTitlePageData(DocumentBuilder& b, const PrintSource& s);

} // namespace pondra
