#include "textencoding.h"

#include "cp1252.h"

#include "model/textrules.h"

#include <QStringDecoder>

#include <algorithm>

namespace pondra {

DetectedEncoding detectEncoding(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        return {TextEncoding::Utf8, 3};
    }
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        return {TextEncoding::Utf16, 2};
    }
    // Every line of a data file starts with a printable character, never a NUL.
    const QByteArrayView head = bytes.first(std::min<qsizetype>(bytes.size(), 2));
    if (head.contains('\0')) {
        return {TextEncoding::Utf16, 0};
    }
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
    if (!ascii) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = utf8.decode(bytes);
        if (!utf8.hasError()) {
            return {TextEncoding::Utf8, 0};
        }
    }
    return {TextEncoding::Windows1252, 0};
}

QString decodeText(QByteArrayView bytes, TextEncoding encoding)
{
    return encoding == TextEncoding::Utf8 ? QString::fromUtf8(bytes) : cp1252::decode(bytes);
}

QString utf16RefusalText()
{
    return QStringLiteral("il file è in UTF-16: salvarlo come testo Windows-1252 o UTF-8.");
}

int firstLineLongerThan(QByteArrayView bytes, qsizetype maxCharacters)
{
    int line = 1;
    qsizetype characters = 0;
    for (const char byte : bytes) {
        if (byte == '\n') {
            ++line;
            characters = 0;
        } else if ((uchar(byte) & 0xC0) != 0x80 && byte != '\r' && ++characters > maxCharacters) {
            return line;
        }
    }
    return 0;
}

QString longLineText(int line)
{
    return QStringLiteral("la riga %1 supera i %2 caratteri.")
        .arg(line)
        .arg(fixedPatternText(double(MaxLineCharacters), u"#,##0"));
}

} // namespace pondra
