#pragma once

#include "model/study.h"
#include "model/titlepage.h"

#include <QString>

#include <optional>

namespace pondra {

// Opens a data file the safe way: the file is read whole into a fresh study, and only a
// complete, valid file replaces the study and the title page. Only a regular file is opened: a FIFO or a
// device is refused at once. On failure nothing changes and `error` says why.
bool loadStudyFile(const QString& path, Study& study, TitlePage& titlePage, QString* error);

// Saves through a temporary file: a failed save leaves any previous file intact.
// The file holds every slot in use (DataFileWriter::slotsToWrite), or the first `hypotheses`
// slots when given.
bool saveStudyFile(const QString& path, const Study& study, const TitlePage& titlePage, QString* error,
                   std::optional<int> hypotheses = std::nullopt);

} // namespace pondra
