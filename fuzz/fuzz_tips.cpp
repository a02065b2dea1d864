// Feeds arbitrary bytes to the tips-file reader the way the tip window does.
//
// What must hold:
//  - reading the same bytes twice gives the same tips;
//  - every line feed ends one tip (the last line may lack it), and no tip holds one;
//  - the tips are the file's lines in order, nothing added, dropped or changed: written back in
//    the file's encoding (UTF-8 when the bytes are valid as such, else Windows-1252) each stands
//    where the one before it ended, followed by LF, CR LF or the end of the file.
// Any breach aborts with a short description on stderr.

#include "breach.h"

#include "archive/cp1252.h"
#include "archive/tipsfile.h"

#include <QByteArray>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

using namespace pondra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList tips = readTips(bytes);
    if (readTips(bytes) != tips) {
        breach("gli stessi byte danno altri suggerimenti");
    }

    const qsizetype feeds = bytes.count('\n');
    if (tips.size() < feeds || tips.size() > feeds + 1) {
        breach("suggerimenti", QStringLiteral("%1 per %2 fine riga").arg(tips.size()).arg(feeds));
    }

    // Every byte of the file is a tip's or a line end's, in order: a UTF-8 file may start with its
    // byte-order mark, and one carriage return before the line feed (or at the very end) belongs to the
    // line end.
    const bool utf8 = QByteArrayView(bytes).isValidUtf8();
    qsizetype at = utf8 && bytes.startsWith("\xef\xbb\xbf") ? 3 : 0;
    for (qsizetype i = 0; i < tips.size(); ++i) {
        const QString& tip = tips.at(i);
        if (tip.contains(u'\n')) {
            breach("suggerimento", QStringLiteral("n. %1 con una fine riga").arg(i + 1));
        }
        const std::optional<QByteArray> written = utf8 ? std::optional(tip.toUtf8()) : cp1252::encode(tip);
        if (!written) {
            breach("suggerimento", QStringLiteral("n. %1 con caratteri fuori da Windows-1252").arg(i + 1));
        }
        if (!QByteArrayView(bytes).sliced(at).startsWith(*written)) {
            breach("suggerimento", QStringLiteral("n. %1 non è la riga del file").arg(i + 1));
        }
        at += written->size();
        if (QByteArrayView(bytes).sliced(at).startsWith("\r\n")) {
            at += 2;
        } else if (at < bytes.size() && bytes.at(at) == '\n') {
            ++at;
        } else if (at + 1 == bytes.size() && bytes.at(at) == '\r') {
            ++at; // a carriage return that ends the file ends its last line
        } else if (at < bytes.size()) {
            breach("suggerimento", QStringLiteral("n. %1 non finisce con la riga").arg(i + 1));
        }
    }
    if (at != bytes.size()) {
        breach("suggerimenti", QStringLiteral("%1 byte dopo l'ultimo").arg(bytes.size() - at));
    }
    return 0;
}
