#pragma once

#include <QByteArrayView>
#include <QStringList>

namespace pondra {

// The tips file, one hint a line: UTF-8 when the bytes are valid as such (a byte-order mark is
// dropped), else Windows-1252. LF or CR LF ends a line and a final line end adds no empty hint;
// a blank line in between is a hint of its own, shown empty. No bytes, no hints.
QStringList readTips(QByteArrayView bytes);

} // namespace pondra
