#pragma once

#include "documentbuilder.h"
#include "printsource.h"

#include <vector>

namespace pondra {

// Section D of the estimate report, written from its end paragraph: the method of the pairwise
// comparison, then for every comparison its matrix and the weights, lambda max and consistency
// ratio it gives; nothing when no hypothesis has a comparison. Returns the size of every matrix
// written, in the order of its tables: each matrix table is followed by its weights table.
std::vector<int> weightingSection(DocumentBuilder& b, const PrintSource& s);

// The numbers of the section's tables stand on their decimal commas; the first is table first.
void alignWeightingTables(DocumentBuilder& b, int first, const std::vector<int>& sizes);

} // namespace pondra
