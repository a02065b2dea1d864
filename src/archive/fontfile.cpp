#include "fontfile.h"

#include <QSet>
#include <QtEndian>

namespace pondra {

namespace {

quint32 u32At(QByteArrayView data, qsizetype offset)
{
    return qFromBigEndian<quint32>(data.constData() + offset);
}

quint16 u16At(QByteArrayView data, qsizetype offset)
{
    return qFromBigEndian<quint16>(data.constData() + offset);
}

bool refuse(QString* reason, const QString& text)
{
    if (reason) {
        *reason = text;
    }
    return false;
}

} // namespace

bool isFontFile(QByteArrayView data, QString* reason)
{
    const QString notAFont = QStringLiteral("non è un carattere TrueType o OpenType.");
    if (data.size() < 12) {
        return refuse(reason, notAFont);
    }
    const quint32 version = u32At(data, 0);
    // 1.0 and "true" hold TrueType outlines, "OTTO" CFF ones.
    if (version != 0x00010000 && version != 0x74727565 && version != 0x4F54544F) {
        return refuse(reason, notAFont);
    }
    const int tables = u16At(data, 4);
    if (tables == 0 || 12 + 16 * qsizetype(tables) > data.size()) {
        return refuse(reason, QStringLiteral("l'elenco delle tabelle del carattere è incompleto."));
    }
    QSet<QByteArray> tags;
    qsizetype head = -1;
    for (int t = 0; t < tables; ++t) {
        const qsizetype record = 12 + 16 * qsizetype(t);
        const QByteArray tag = data.sliced(record, 4).toByteArray();
        const qint64 offset = u32At(data, record + 8);
        const qint64 length = u32At(data, record + 12);
        if (offset + length > data.size()) {
            return refuse(reason, QStringLiteral("una tabella del carattere esce dal file."));
        }
        if (tag == "head" && length >= 54) {
            head = offset;
        }
        tags.insert(tag);
    }
    const bool outlines = (tags.contains("glyf") && tags.contains("loca")) || tags.contains("CFF ");
    for (const char* needed : {"cmap", "head", "hhea", "hmtx", "maxp"}) {
        if (!tags.contains(needed) || !outlines) {
            return refuse(reason, QStringLiteral("mancano tabelle essenziali del carattere."));
        }
    }
    const int unitsPerEm = head < 0 ? 0 : u16At(data, head + 18);
    if (head < 0 || u32At(data, head + 12) != 0x5F0F3CF5 || unitsPerEm < 16 || unitsPerEm > 16384) {
        return refuse(reason, QStringLiteral("la tabella «head» del carattere non è valida."));
    }
    return true;
}

} // namespace pondra
