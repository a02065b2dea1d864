#pragma once

#include "model/study.h"
#include "model/titlepage.h"

#include <QString>

namespace pondra {

// A study kept against a crash, in the data-file format. Unlike a save it needs no data check:
// every slot up to the last one in use is written, named or not, and a character the code page
// cannot hold is written as "?" rather than refused, so that the write never fails for the
// study's content. Written through a temporary file: a crash mid-write leaves the previous one.
bool writeRecoveryFile(const QString& path, const Study& study, const TitlePage& titlePage, QString* error);

// Reads it back whole, with the named hypotheses counted; on failure nothing changes and
// `error` says why.
bool readRecoveryFile(const QString& path, Study& study, TitlePage& titlePage, QString* error);

} // namespace pondra
