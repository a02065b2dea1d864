#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace pondra::cp1252 {

// Data files are Windows-1252 on disk. Bytes the code page leaves undefined decode to the
// control character of the same number, so any file reads.
QString decode(QByteArrayView bytes);

// Nothing when the text holds a character the code page cannot store.
std::optional<QByteArray> encode(QStringView text);

} // namespace pondra::cp1252
