#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace pondra {

// The tips file, one hint a line: UTF-8 when the bytes are valid as such (a byte-order mark is
// dropped), else Windows-1252. LF or CR LF ends a line and a final line end adds no empty hint;
// a blank line in between is a hint of its own, shown empty. No bytes, no hints.
QStringList readTips(QByteArrayView bytes);

// A tips file holds at most this many bytes.
inline constexpr qint64 MaxTipsFileBytes = 1024 * 1024;

// Reads the file at `path` as above when it is a regular file of at most MaxTipsFileBytes with no
// line longer than MaxLineCharacters; otherwise `error` says why, naming the file.
bool loadTips(const QString& path, QStringList& tips, QString* error);

} // namespace pondra
