#pragma once

#include <QFile>
#include <QRegularExpression>
#include <QString>
#include <QtEndian>

namespace testsupport {

// A written PDF as text to search: its bytes, then the contents of every object stream and other
// Flate stream inflated, since a tagged PDF keeps its pages, catalog and information compressed.
inline QByteArray readablePdf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray pdf = file.readAll();
    QByteArray readable = pdf;
    static const QRegularExpression stream(
        QStringLiteral("<<([^\\n]*?/FlateDecode[^\\n]*?)/Length (\\d+)>>\\nstream\\n"));
    for (const QRegularExpressionMatch& m : stream.globalMatch(QString::fromLatin1(pdf))) {
        // qUncompress wants the length first; a guess too small only makes it grow its buffer.
        QByteArray zlib(4, '\0');
        qToBigEndian<quint32>(quint32(m.captured(2).toInt() * 8 + 1024), zlib.data());
        zlib += pdf.mid(m.capturedEnd(), m.captured(2).toInt());
        readable += '\n' + qUncompress(zlib);
    }
    return readable;
}

// Pages of a written PDF: its page objects.
inline int pdfPages(const QString& path)
{
    QFile file(path);
    if (!file.exists()) {
        return -1;
    }
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    return int(QString::fromLatin1(readablePdf(path)).count(page));
}

} // namespace testsupport
