// Feeds arbitrary bytes to the data-file reader the way opening a file does, then puts every
// study it accepts through what the program does next: showing the first hypothesis, the data
// check, the ranking and saving again.
//
// What must hold for every accepted file:
//  - a refused file always comes with a reason;
//  - a file read as Windows-1252 can be saved again; one read as UTF-8 may hold characters
//    Windows-1252 cannot, which the save refuses by name, and then nothing more is asked of it;
//  - the composed file reads back, as the same study and title page, and composing that gives
//    the same bytes (unless the Windows-1252 bytes composed happen to be valid UTF-8). Numbers are compared
//    in the form the file stores them (15 significant digits, a whole number written with a point comes back
//    as a whole number); set PONDRA_FUZZ_STRICT=1 to demand equal Value kinds and exact doubles as well;
//  - the same holds for the study as the check and the ranking leave it, for what the file
//    holds of it.
// With PONDRA_FUZZ_KEEP=1 two more must hold, about what saving after the check keeps:
//  - no named hypothesis lies beyond the slots the save writes;
//  - a study that passed the check passes it again once saved and opened.
// Any breach aborts with a short description on stderr.

#include "breach.h"

#include "archive/datafilereader.h"
#include "archive/datafilewriter.h"
#include "archive/textencoding.h"
#include "model/datacheck.h"
#include "model/ranking.h"
#include "model/scoring.h"
#include "model/study.h"
#include "model/textrules.h"
#include "model/titlepage.h"

#include <QBuffer>
#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

using namespace pondra;

namespace {

bool envFlag(const char* name)
{
    const char* v = std::getenv(name);
    return v && *v && *v != '0';
}

bool strictMode()
{
    static const bool strict = envFlag("PONDRA_FUZZ_STRICT");
    return strict;
}

bool keepMode()
{
    static const bool keep = envFlag("PONDRA_FUZZ_KEEP");
    return keep;
}

bool read(const QByteArray& bytes, Study& study, TitlePage& page, QString* error)
{
    QBuffer buffer;
    buffer.setData(bytes);
    DataFileReader reader;
    const bool ok = reader.read(&buffer, study, page);
    if (error) {
        *error = reader.errorString();
    }
    return ok;
}

QByteArray compose(const Study& study, const TitlePage& page, const char* when)
{
    DataFileWriter writer;
    const std::optional<QByteArray> bytes = writer.compose(study, page);
    if (!bytes) {
        // Every text came from Windows-1252 bytes, storable UTF-8 or the program's own texts.
        breach(when, writer.errorString());
    }
    return *bytes;
}

// Equal as the data file stores them: a number by its written form, anything else exactly.
bool sameStored(const Value& a, const Value& b)
{
    if (strictMode()) {
        return a == b;
    }
    if (a.isNumeric() || b.isNumeric()) {
        return a.isNumeric() && b.isNumeric() &&
               dataFileNumberText(*a.toNumber()) == dataFileNumberText(*b.toNumber());
    }
    return a == b;
}

QString where(int h, int r, const char* field)
{
    const QString name = QString::fromLatin1(field);
    return r > 0 ? QStringLiteral("ipotesi %1, caratteristica %2, %3").arg(h).arg(r).arg(name)
                 : QStringLiteral("ipotesi %1, %2").arg(h).arg(name);
}

// Compares what the file holds of two studies: the slots written and their rows written.
// Returns where they differ, or nothing.
std::optional<QString> storedDifference(const Study& a, const Study& b)
{
    const int count = DataFileWriter::slotsToWrite(a);
    if (count != DataFileWriter::slotsToWrite(b)) {
        return QStringLiteral("numero delle ipotesi %1 / %2").arg(count).arg(DataFileWriter::slotsToWrite(b));
    }
    for (int h = 1; h <= count; ++h) {
        const Hypothesis& x = a.hypothesis(h);
        const Hypothesis& y = b.hypothesis(h);
        if (!sameStored(x.name, y.name)) {
            return where(h, 0, "nome");
        }
        const int rows = DataFileWriter::rowsToWrite(a, h);
        // The row count is written as held, unless rows past the last named one raise it.
        const bool countAsHeld = rows == a.lastNamedRowOf(h);
        if (rows != DataFileWriter::rowsToWrite(b, h) ||
            (countAsHeld && !sameStored(x.LastNamedRow, y.LastNamedRow))) {
            return where(h, 0, "numero delle caratteristiche");
        }
        if (!sameStored(x.EvaluationPercent, y.EvaluationPercent)) {
            return where(h, 0, "valutazione");
        }
        if (!sameStored(x.OverallJudgement, y.OverallJudgement)) {
            return where(h, 0, "giudizio complessivo");
        }
        if (x.comparison != y.comparison) {
            return where(h, 0, "confronto a coppie");
        }
        for (int r = 1; r <= rows; ++r) {
            const CharacteristicEntry& p = x.rows.at(std::size_t(r));
            const CharacteristicEntry& q = y.rows.at(std::size_t(r));
            if (!sameStored(p.ticked, q.ticked)) {
                return where(h, r, "spunta");
            }
            if (!sameStored(p.name, q.name)) {
                return where(h, r, "nome");
            }
            if (!sameStored(p.judgement, q.judgement)) {
                return where(h, r, "giudizio");
            }
            if (!sameStored(p.judgementNumber, q.judgementNumber)) {
                return where(h, r, "valore");
            }
            if (!sameStored(p.coefficient, q.coefficient)) {
                return where(h, r, "coefficiente");
            }
            if (!sameStored(p.weight, q.weight)) {
                return where(h, r, "peso");
            }
        }
    }
    return std::nullopt;
}

// Saving the study and opening the file again must give it back, and saving that must give
// the same bytes.
void roundTrip(const Study& study, const TitlePage& page, const char* when)
{
    const QByteArray first = compose(study, page, when);
    // Windows-1252 bytes that happen to be valid UTF-8 as a whole (an accented capital before a
    // symbol such as "È»", and no other letter beyond ASCII) are read as UTF-8, as any file
    // that is valid UTF-8 is: no real study is written so, and nothing more is asked of it.
    if (detectEncoding(first).encoding != TextEncoding::Windows1252) {
        return;
    }
    auto back = std::make_unique<Study>();
    TitlePage backPage;
    QString error;
    if (!read(first, *back, backPage, &error)) {
        breach(when, QStringLiteral("il file composto non si rilegge: ") + error);
    }
    if (const auto diff = storedDifference(study, *back)) {
        breach(when, QStringLiteral("lo studio riletto differisce: ") + *diff);
    }
    if (!(backPage == page)) {
        breach(when, QStringLiteral("il frontespizio riletto differisce"));
    }
    const QByteArray second = compose(*back, backPage, when);
    if (second != first) {
        breach(when, QStringLiteral("comporre lo studio riletto dà altri byte"));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    auto study = std::make_unique<Study>();
    TitlePage page;
    QString error;
    if (!read(bytes, *study, page, &error)) {
        if (error.isEmpty()) {
            breach("un file rifiutato senza motivo");
        }
        return 0;
    }

    if (detectEncoding(bytes).encoding == TextEncoding::Utf8 && !DataFileWriter().compose(*study, page)) {
        return 0;
    }

    // As read, nothing is outside what the file holds, so the whole study must come back.
    roundTrip(*study, page, "file come letto");
    if (strictMode()) {
        auto back = std::make_unique<Study>();
        TitlePage backPage;
        read(compose(*study, page, "file come letto"), *back, backPage, nullptr);
        if (!(*back == *study)) {
            breach("file come letto", QStringLiteral("lo studio riletto non è identico"));
        }
    }

    // What opening a file and pressing the check and ranking buttons do.
    Recalculate(*study, 1);
    const DataCheckResult check = CheckData(*study, 1);
    auto ranking = std::make_unique<Ranking>();
    ordina(*study, *ranking);
    CheckTitlePage(page);

    roundTrip(*study, page, "dopo verifica e graduatoria");

    if (keepMode()) {
        if (study->highestNamedSlot() > DataFileWriter::slotsToWrite(*study)) {
            breach("dopo verifica e graduatoria",
                   QStringLiteral("l'ipotesi n. %1 ha un nome ma il salvataggio si ferma alla n. %2")
                       .arg(study->highestNamedSlot())
                       .arg(DataFileWriter::slotsToWrite(*study)));
        }
        if (check.passed) {
            auto reopened = std::make_unique<Study>();
            TitlePage reopenedPage;
            read(compose(*study, page, "dopo verifica e graduatoria"), *reopened, reopenedPage, nullptr);
            Recalculate(*reopened, 1);
            const DataCheckResult again = CheckData(*reopened, 1);
            if (!again.passed) {
                breach("verifica superata, salvata e riaperta",
                       QStringLiteral("ora non passa: ") + again.message.text);
            }
        }
    }
    return 0;
}
