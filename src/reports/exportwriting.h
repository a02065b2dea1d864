#pragma once

#include <QByteArray>
#include <QString>

namespace pondra {

// What every exporter shares: the one wording of a failed export and the whole-file write.

// Sets error, when given, to the one wording of every failed export, "Il file «NAME» non si può
// scrivere: " and the reason; returns false.
bool failExport(const QString& path, const QString& reason, QString* error);

// Writes the bytes whole through a temporary file, so a failed write leaves any previous file
// intact; the many small writes of a document writer are made in memory first. On failure
// returns false and, when error is given, an Italian message naming the file.
bool writeWholeFile(const QByteArray& bytes, const QString& path, QString* error);

} // namespace pondra
