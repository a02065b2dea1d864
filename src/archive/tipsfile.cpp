#include "tipsfile.h"

#include "cp1252.h"
#include "regularfile.h"
#include "textencoding.h"

#include <QStringDecoder>

namespace pondra {

namespace {

// Editors on Linux write UTF-8; Notepad of old wrote Windows-1252, as the data files are. Bytes
// that are not valid UTF-8 can only be the latter. Stateless: a character cut short at the end
// of the file is an error too, where a stateful decoder would wait for more and drop it.
QString decodeTips(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? cp1252::decode(bytes) : text;
}

} // namespace

QStringList readTips(QByteArrayView bytes)
{
    if (bytes.isEmpty()) {
        return {};
    }
    QStringList lines = decodeTips(bytes).split(u'\n');
    if (lines.last().isEmpty()) {
        lines.removeLast();
    }
    for (QString& line : lines) {
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
    }
    return lines;
}

bool loadTips(const QString& path, QStringList& tips, QString* error)
{
    QByteArray bytes;
    QString reason;
    if (readRegularFile(path, MaxTipsFileBytes, &bytes, &reason)) {
        if (const int line = firstLineLongerThan(bytes, MaxLineCharacters)) {
            reason = longLineText(line);
        } else {
            tips = readTips(bytes);
            return true;
        }
    }
    if (error) {
        *error = QStringLiteral("Il file «%1» non si può leggere: %2").arg(shownFileName(path), reason);
    }
    return false;
}

} // namespace pondra
