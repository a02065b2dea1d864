// Feeds arbitrary bytes as a font file of the user's folder.
//
// What must hold:
//  - the check reads nothing outside the bytes (the sanitizers say so);
//  - the same bytes are always judged alike, and a refusal says why;
//  - accepted, the font starts as TrueType or OpenType does and has at least one table.
// Any breach aborts with a short description on stderr.

#include "breach.h"

#include "archive/fontfile.h"

#include <QByteArray>
#include <QtEndian>

#include <cstddef>
#include <cstdint>

using namespace pondra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A copy of its own size, so that any read past the end is caught.
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QString reason;
    const bool accepted = isFontFile(bytes, &reason);
    if (accepted != isFontFile(bytes, nullptr)) {
        breach("giudizi diversi sugli stessi byte");
    }
    if (!accepted) {
        if (reason.isEmpty()) {
            breach("rifiuto senza motivo");
        }
        return 0;
    }
    const quint32 version = qFromBigEndian<quint32>(bytes.constData());
    if ((version != 0x00010000 && version != 0x74727565 && version != 0x4F54544F) ||
        qFromBigEndian<quint16>(bytes.constData() + 4) == 0) {
        breach("accettato senza intestazione");
    }
    return 0;
}
