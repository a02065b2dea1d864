#pragma once

namespace pondra {

class ModuloPondra;

// At start, with the program's own recovery started: each study left unsaved by a program that
// no longer runs is offered, newest first ("È stato trovato uno studio non archiviato del 08/12/2026
// (ore 05:33)." with its perizia and its file, then "Recuperarlo?"). Sì makes it the study in
// memory, unsaved, under its file's name, and ends the offer; its recovery file goes once the
// study is kept again. No asks once more before the file is deleted; ✕ or Esc leaves every file
// for the next start and ends the offer. Files that cannot be read are moved aside first, all
// told in one message. Returns whether a study was recovered.
bool OfferRecovery(ModuloPondra& module);

// Tells the user, in the Data window's step line, once, when the study cannot be kept against a
// crash.
void ReportRecoveryProblems(ModuloPondra& module);

} // namespace pondra
