#pragma once

#include <QByteArrayView>
#include <QString>

namespace pondra {

// A font file read from a folder the user may fill holds at most this many bytes.
inline constexpr qint64 MaxFontFileBytes = 50 * 1024 * 1024;

// Whether `data` is one TrueType or OpenType font whose tables all lie within the data: the
// header, a table directory, and the tables a face cannot do without (cmap, head, hhea, hmtx,
// maxp, and glyf with loca or CFF), with a sound head table. On failure `reason` says why, in
// Italian, as it reads after the file's name.
bool isFontFile(QByteArrayView data, QString* reason);

} // namespace pondra
