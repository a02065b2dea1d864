#pragma once

#include <QString>

namespace pondra {

class ModuloPondra;

// At start, with the program's own recovery started: each study left unsaved by a program that
// no longer runs is offered, newest first ("È stato trovato uno studio non archiviato del 08/12/2026
// (ore 05:33)." with its perizia and its file, then "Recuperarlo?"). Sì makes it the study in
// memory, unsaved, under its file's name, and ends the offer; its recovery file goes once the
// study is kept again. No asks once more before the file is deleted; ✕ or Esc leaves every file
// for the next start and ends the offer. Files that cannot be read are moved aside first, all
// told in one message. A file no program can hold (its folder cannot be written) is offered too,
// and never deleted. Returns whether a study was recovered, and in `step` what the Data
// window's step line says of it: how to keep it and, for a file that could not be held, why.
bool OfferRecovery(ModuloPondra& module, QString* step = nullptr);

// Tells the user, in the Data window's step line, once, when the study cannot be kept against a
// crash.
void ReportRecoveryProblems(ModuloPondra& module);

} // namespace pondra
