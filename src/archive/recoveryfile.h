#pragma once

#include "model/study.h"
#include "model/titlepage.h"

#include <QString>

namespace pondra {

// A study kept against a crash: a data file in UTF-8 (every character is kept), then, after the
// title line and any pairwise comparisons, one line a data-file reader leaves alone naming the
// file that held the study ("Pondra-recupero,/home/…/Pondra-dati-sede.txt"; empty when none).
// Unlike a save it needs no data check: every slot up to the last one in use is written, named or
// not. Written through a temporary file, for the owner only: a crash mid-write leaves the previous one.
bool writeRecoveryFile(const QString& path, const Study& study, const TitlePage& titlePage,
                       const QString& studyFile, QString* error);

// Reads it back whole, with the named hypotheses counted, and the file that held the study
// (empty in a file written before it was recorded); on failure nothing changes and `error`
// says why.
bool readRecoveryFile(const QString& path, Study& study, TitlePage& titlePage, QString* studyFile,
                      QString* error);

} // namespace pondra
