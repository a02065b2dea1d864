#pragma once

#include "documentbuilder.h"
#include "printsource.h"

namespace pondra {

// The solidity of the ranking as its window shows it: the chart of the evaluations, a word on
// the whole ranking and, for every hypothesis after the first, the least changes of judgement
// that would bring it level with the first. The caller has run the data check.
void printRobustness(DocumentBuilder& b, const PrintSource& s);

// The same chart and table as section C of the estimate report, written from its end paragraph,
// which it leaves at the size of the closing texts. Returns whether it added a table (there is
// none for a single hypothesis).
bool robustnessSection(DocumentBuilder& b, const PrintSource& s);

// The figures of the section's table, table by its number in the document, read right-aligned.
void alignRobustnessTable(DocumentBuilder& b, int table);

} // namespace pondra
