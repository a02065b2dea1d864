// Feeds arbitrary bytes to the price-list reader the way the catalogue window and the
// command-line printout do, then puts every list it accepts through what they do next: the
// window's rows and the printout, built through the recording builder.
//
// What must hold:
//  - a refused list always comes with a reason and leaves the list read before untouched;
//  - an accepted list holds at most a hundred entries, every price a finite number;
//  - its printout is a table of one row per entry under the heading row, each entry's name and
//    subject as read and its prices written as 1.250,00 that stand for the price to the cent.
// Any breach aborts with a short description on stderr.

#include "breach.h"

#include "archive/pricelist.h"
#include "model/textrules.h"
#include "reports/pricelistprintout.h"
#include "reports/recordingbuilder.h"

#include <QBuffer>
#include <QByteArray>
#include <QRegularExpression>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace pondra;

namespace {

// What a list read before holds, to see that a refused file leaves it alone.
PriceList previous()
{
    PriceList list;
    list.heading = QStringLiteral("2025");
    list.entries.push_back({QStringLiteral("Pondra"), QStringLiteral("valutazioni"), 250, 199});
    return list;
}

bool sameList(const PriceList& a, const PriceList& b)
{
    if (a.heading != b.heading || a.entries.size() != b.entries.size()) {
        return false;
    }
    for (std::size_t k = 0; k < a.entries.size(); ++k) {
        const PriceEntry& x = a.entries[k];
        const PriceEntry& y = b.entries[k];
        if (x.name != y.name || x.subject != y.subject || x.netPrice != y.netPrice ||
            x.internetPrice != y.internetPrice) {
            return false;
        }
    }
    return true;
}

// A price cell read back as a number: "-12.345,68" is -12345.68.
void checkPriceCell(const QString& cell, double price, int row)
{
    static const QRegularExpression shape(QStringLiteral("^-?\\d{1,3}(\\.\\d{3})*,\\d\\d$"));
    if (!shape.match(cell).hasMatch()) {
        breach("stampa del listino", QStringLiteral("riga %1: prezzo scritto «%2»").arg(row).arg(cell));
    }
    QString plain = cell;
    plain.remove(u'.').replace(u',', u'.');
    // Long double: the 15 digits of the largest prices, rounded up, lie beyond a double's range.
    const long double shown = std::strtold(plain.toLatin1().constData(), nullptr);
    // Rounded to the cent from the 15 digits the price shows.
    if (std::fabs(shown - price) > 0.005L + 1e-12L + 1e-14L * std::fabs(price)) {
        breach("stampa del listino",
               QStringLiteral("riga %1: «%2» per %3").arg(row).arg(cell).arg(price, 0, 'g', 17));
    }
}

void checkPrintout(const PriceList& list)
{
    RecordingBuilder b;
    const QString purchase = QStringLiteral("https://www.example.org/acquisti.html");
    printPriceList(b, list, purchase);
    const int n = int(list.entries.size());
    const qsizetype table = b.operations.indexOf(QStringLiteral("table %1x5").arg(n + 1));
    if (table < 0) {
        breach("stampa del listino", QStringLiteral("manca la tabella di %1 righe").arg(n + 1));
    }
    // After the table and its size: five heading cells, then five cells an entry, in order.
    const qsizetype first = table + 2 + 5;
    if (b.operations.size() < first + 5 * n) {
        breach("stampa del listino", QStringLiteral("mancano celle"));
    }
    for (int k = 1; k <= n; ++k) {
        const PriceEntry& e = list.entries[std::size_t(k - 1)];
        const auto cell = [&](int c) -> QString {
            const QString prefix = QStringLiteral("cell %1,%2 ").arg(k + 1).arg(c);
            const QString& op = b.operations.at(first + 5 * (k - 1) + (c - 1));
            if (!op.startsWith(prefix)) {
                breach("stampa del listino",
                       QStringLiteral("al posto della cella %1,%2: %3").arg(k + 1).arg(c).arg(op));
            }
            return op.mid(prefix.size());
        };
        if (cell(1) != QStringLiteral(" %1").arg(k) || cell(2) != e.name || cell(3) != e.subject) {
            breach("stampa del listino", QStringLiteral("riga %1 diversa dal listino letto").arg(k + 1));
        }
        checkPriceCell(cell(4), e.netPrice, k + 1);
        checkPriceCell(cell(5), e.internetPrice, k + 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char*>(data), qsizetype(size));
    buffer.open(QIODevice::ReadOnly);
    PriceList list = previous();
    QString error;
    if (!readPriceList(&buffer, list, &error)) {
        if (error.isEmpty()) {
            breach("un listino rifiutato senza motivo");
        }
        if (!sameList(list, previous())) {
            breach("un listino rifiutato cambia quello letto prima", error);
        }
        return 0;
    }
    if (list.entries.size() > std::size_t(MaxPriceEntries)) {
        breach("listino accettato", QStringLiteral("%1 prodotti").arg(list.entries.size()));
    }
    for (const PriceEntry& e : list.entries) {
        if (!std::isfinite(e.netPrice) || !std::isfinite(e.internetPrice)) {
            breach("listino accettato", QStringLiteral("un prezzo non finito per «%1»").arg(e.name));
        }
        // The window shows the prices so.
        if (generalNumberText(e.netPrice).isEmpty() || generalNumberText(e.internetPrice).isEmpty()) {
            breach("listino accettato", QStringLiteral("un prezzo senza testo per «%1»").arg(e.name));
        }
    }
    checkPrintout(list);
    return 0;
}
