#pragma once

#include "documentbuilder.h"
#include "printsource.h"

#include "model/identity.h"

namespace pondra {

// The blank data-acquisition template: judgement scale and an empty hypothesis form, its rows
// high enough to write in by hand, on one page. The studio is its author.
void printTemplate(DocumentBuilder& b, const IdentityTexts& identity, const QString& ownerStudioName);

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
