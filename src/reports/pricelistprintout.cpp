#include "pricelistprintout.h"

#include "pagesetup.h"

#include "model/textrules.h"

namespace pondra {

namespace {

constexpr int TitleSize = 20;
constexpr int BodySize = 12;
constexpr int TableSize = 8;
constexpr int Columns = 5;
constexpr char16_t PricePattern[] = u"##,##0.00";

} // namespace

void printPriceList(DocumentBuilder& b, const PriceList& list, const QString& purchasePageUrl)
{
    b.setFontName(QString::fromLatin1(DocumentFont));
    b.setFontSize(TitleSize);
    b.typeText(QStringLiteral("prodotti software BOREALIS\r\r"));
    b.setFontSize(BodySize);
    b.typeText(QStringLiteral("acquistabili dalla pagina ") + purchasePageUrl + QStringLiteral("\r\r"));

    b.appendParagraph();
    const int n = int(list.entries.size());
    b.appendTable(n + 1, Columns);
    b.setTableFontSize(TableSize);
    // The blanks widen the subject column, the one whose texts are longest.
    const QString headings[Columns] = {QStringLiteral("numero"), QStringLiteral("nome del software"),
                                       QStringLiteral("argomento trattato") + QString(20, u' '),
                                       QStringLiteral("listino in euro"),
                                       QStringLiteral("in offerta ad euro")};
    for (int c = 1; c <= Columns; ++c) {
        b.setCellText(1, c, headings[c - 1]);
    }
    for (int k = 1; k <= n; ++k) {
        const PriceEntry& e = list.entries[std::size_t(k - 1)];
        b.setCellText(k + 1, 1, signBlankText(k));
        b.setCellText(k + 1, 2, e.name);
        b.setCellText(k + 1, 3, e.subject);
        b.setCellText(k + 1, 4, fixedPatternText(e.netPrice, PricePattern));
        b.setCellText(k + 1, 5, fixedPatternText(e.internetPrice, PricePattern));
    }
    b.applyTableFormat(ColourfulTableFormat);
    b.alignColumn(1, 4, ParagraphAlignment::Right);
    b.alignColumn(1, 5, ParagraphAlignment::Right);
}

} // namespace pondra
