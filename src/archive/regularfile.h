#pragma once

#include <QString>

class QFile;

namespace pondra {

// Opens `file` (its fileName()) for reading only when it is a regular file. A FIFO or a device
// would make the read wait for ever or never end, so it is refused before it is opened, and
// again if it was swapped in meanwhile. On failure `reason` says why in Italian, as it reads
// after the file's name: "non esiste.", "è una cartella.", "non è un file ordinario.", ...
bool openRegularFile(QFile& file, QString* reason);

// A file name as messages show it: native separators, every character printable.
QString shownFileName(const QString& path);

} // namespace pondra
