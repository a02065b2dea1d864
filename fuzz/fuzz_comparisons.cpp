// Feeds arbitrary bytes as the pairwise-comparison block of a study of three hypotheses of four
// rows each: what follows its title line.
//
// What must hold:
//  - refused, the reader names the line;
//  - accepted, every comparison names rows its hypothesis holds, and the study saved and read
//    again is the same study with the same bytes;
//  - a block that begins as the heading and is cut anywhere is refused, never read as a study
//    without its comparisons.
// Any breach aborts with a short description on stderr.

#include "breach.h"

#include "archive/datafilereader.h"
#include "archive/datafilewriter.h"
#include "model/study.h"
#include "model/titlepage.h"

#include <QBuffer>
#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <memory>

using namespace pondra;

namespace {

const QByteArray Study3x4 = [] {
    QByteArray bytes = "3\r\n";
    for (const char* name : {"\"A\"", "\"B\"", "\"C\""}) {
        bytes += QByteArray(name) + ",4,,\r\n";
        for (const char* row : {"costo", "tempi", "qualita", "rischio"}) {
            bytes += QByteArray("1,\"") + row + "\",,,,25\r\n";
        }
    }
    return bytes + "\"p\",\"l\",\"t\",\"c\",\"d\",\"o\",\"a\"\r\n";
}();

bool read(const QByteArray& bytes, Study& study, TitlePage& page, QString* error)
{
    QBuffer buffer;
    buffer.setData(bytes);
    DataFileReader reader;
    const bool ok = reader.read(&buffer, study, page);
    *error = reader.errorString();
    return ok;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray block(reinterpret_cast<const char*>(data), qsizetype(size));
    auto study = std::make_unique<Study>();
    TitlePage page;
    QString error;
    if (!read(Study3x4 + block, *study, page, &error)) {
        if (!error.contains(QStringLiteral("riga"))) {
            breach("rifiuto senza la riga", error);
        }
        return 0;
    }
    const QByteArray heading = "\"confronto a coppie\"";
    if (block.size() < heading.size() && heading.startsWith(block) && !block.isEmpty()) {
        breach("intestazione interrotta accettata");
    }
    for (int h = 1; h <= MaxHypotheses; ++h) {
        if (const std::optional<PairwiseComparison>& comparison = study->hypothesis(h).comparison) {
            for (const int r : comparison->rows) {
                if (r < 1 || r > study->lastNamedRowOf(h)) {
                    breach("riga confrontata inesistente",
                           QStringLiteral("ipotesi %1, riga %2").arg(h).arg(r));
                }
            }
        }
    }
    DataFileWriter writer;
    const std::optional<QByteArray> saved = writer.compose(*study, page);
    if (!saved) {
        breach("salvataggio", writer.errorString());
    }
    auto again = std::make_unique<Study>();
    TitlePage pageAgain;
    if (!read(*saved, *again, pageAgain, &error)) {
        breach("riapertura", error);
    }
    if (!(*again == *study) || !(pageAgain == page) || writer.compose(*again, pageAgain) != saved) {
        breach("salvato e riaperto, lo studio cambia");
    }
    return 0;
}
