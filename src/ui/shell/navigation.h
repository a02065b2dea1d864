#pragma once

class QMainWindow;
class QWidget;

namespace pondra {

class ModuloPondra;
enum class AncillaryTopic;

// Moving between the three main windows, ranking, leaving the program, window colours.

void ShowDataWindow(ModuloPondra& module);

// The silent data check the Data window runs for every command that needs sound data; a failure
// has already said why, and the Data window shows where.
bool DataPass(ModuloPondra& module);

// Checks the data silently; only when they pass ranks the hypotheses and shows the Results
// window. A failed check has already said why.
void ShowResults(ModuloPondra& module);

// Ranks again, without a check, and shows the Results window: however it is reached, it shows
// the ranking of the study as it is now.
void ShowResultsWindow(ModuloPondra& module);

// Checks the data silently; only when they pass analyses the solidity of the ranking and shows
// it in its window.
void ShowRobustness(ModuloPondra& module);

// Ranks without a check, then shows the Title-page window.
void ShowTitlePageRanked(ModuloPondra& module);

// The Title-page window as it is, without a new ranking.
void ShowTitlePage(ModuloPondra& module);

// The tip of the day, the terms of use or the price list.
void OpenAncillary(ModuloPondra& module, AncillaryTopic topic);

// Leaving the program once the user said so: unloads every window and shows the splash window
// in its closing form, the study staying in memory.
void CloseToSplash(ModuloPondra& module);

// The Data and Results windows offer grey for all three main windows first; the Title-page
// window goes straight to the colour dialog.
void ChangeBackground(ModuloPondra& module, QMainWindow& window, bool offerGreyForAll);

} // namespace pondra
