#pragma once

namespace pondra {

class ModuloPondra;

// The printouts as the windows start them: the check where one is due, the status texts in the
// window's hint line, then the document in a window of its own.

void PrintTemplate(ModuloPondra& module);       // Data window: data-acquisition template
void PrintHypothesesData(ModuloPondra& module); // Data window: data of all hypotheses
void PrintRanking(ModuloPondra& module);        // Results window: the ranking
void PrintRobustness(ModuloPondra& module);     // Solidity window: chart and solidity
void PrintReport(ModuloPondra& module);         // Title-page window: the estimate report
void PrintTitlePageData(ModuloPondra& module);  // Title-page window: its data

} // namespace pondra
