#pragma once

#include <QByteArray>
#include <QString>

namespace pondra {

// Writes `bytes` as the whole new content of `path`, through a temporary file beside it: a
// failure at any point leaves a previous file as it was. On failure `reason` says why in
// Italian, as it reads after the file's name ("il disco è pieno.").
bool saveWholeFile(const QString& path, const QByteArray& bytes, QString* reason);

// Why `path` could not be created or written with `size` bytes, from what the file system says
// now: a folder in its place, a missing folder, a read-only disk or file, no permission on the
// folder, no free inodes, a full disk; never the operating system's English text.
QString writeFailureReason(const QString& path, qint64 size);

} // namespace pondra
