#pragma once

namespace pondra {

class ModuloPondra;

// At start, with the program's own recovery started: each study left unsaved by a program that
// no longer runs is offered, newest first ("È stato trovato uno studio non archiviato del 08/12/2026
// (ore 05:33). Recuperarlo?"). Sì makes it the study in memory, unsaved and in no file, and ends
// the offer; No removes it. One that cannot be read is moved aside, and the message says where.
// Returns whether a study was recovered.
bool OfferRecovery(ModuloPondra& module);

} // namespace pondra
