#pragma once

#include <QByteArray>
#include <QString>

class QFile;

namespace pondra {

// Opens `file` (its fileName()) for reading only when it is a regular file. A FIFO or a device
// would make the read wait for ever or never end, so it is refused before it is opened, and
// again if it was swapped in meanwhile. On failure `reason` says why in Italian, as it reads
// after the file's name: "non esiste.", "è una cartella.", "non è un file ordinario.", ...
bool openRegularFile(QFile& file, QString* reason);

// The whole of `path` when it is a regular file of at most `maxBytes` bytes; a larger one is
// refused unread, so that no reader of the user's files can be made to take all the memory or
// minutes of time. On failure `reason` says why, as openRegularFile does ("supera 1 MB.").
bool readRegularFile(const QString& path, qint64 maxBytes, QByteArray* bytes, QString* reason);

// A file name as messages show it: native separators, every character printable.
QString shownFileName(const QString& path);

} // namespace pondra
