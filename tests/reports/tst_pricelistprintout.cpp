#include "reports/pricelistprintout.h"
#include "reports/recordingbuilder.h"

#include <QRegularExpression>
#include <QTest>

using namespace pondra;

namespace {

PriceList listOf(int n)
{
    PriceList list;
    list.heading = QStringLiteral("2026");
    for (int k = 1; k <= n; ++k) {
        list.entries.push_back({QStringLiteral("Programma %1").arg(k), QStringLiteral("argomento %1").arg(k),
                                100.0 * k, 90.0 * k});
    }
    return list;
}

const QString Purchase = QStringLiteral("https://www.softwareborealis.example/acquisti.html");

} // namespace

class tst_PriceListPrintout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void printout_writesHeadingTableAndAlignment();
    void rows_oneAPriceEntry_data();
    void rows_oneAPriceEntry();
    void prices_groupThousandsWithTwoDecimals();
};

void tst_PriceListPrintout::printout_writesHeadingTableAndAlignment()
{
    RecordingBuilder b;
    printPriceList(b, listOf(2), Purchase);
    const QStringList expected{
        QStringLiteral("font Century Gothic"),
        QStringLiteral("size 20"),
        QStringLiteral("type prodotti software BOREALIS\r\r"),
        QStringLiteral("size 12"),
        QStringLiteral("type acquistabili dalla pagina ") + Purchase + QStringLiteral("\r\r"),
        QStringLiteral("paragraph"),
        QStringLiteral("table 3x5"),
        QStringLiteral("table size 8"),
        QStringLiteral("cell 1,1 numero"),
        QStringLiteral("cell 1,2 nome del software"),
        QStringLiteral("cell 1,3 argomento trattato                    "),
        QStringLiteral("cell 1,4 listino in euro"),
        QStringLiteral("cell 1,5 in offerta ad euro"),
        QStringLiteral("cell 2,1  1"),
        QStringLiteral("cell 2,2 Programma 1"),
        QStringLiteral("cell 2,3 argomento 1"),
        QStringLiteral("cell 2,4 100,00"),
        QStringLiteral("cell 2,5 90,00"),
        QStringLiteral("cell 3,1  2"),
        QStringLiteral("cell 3,2 Programma 2"),
        QStringLiteral("cell 3,3 argomento 2"),
        QStringLiteral("cell 3,4 200,00"),
        QStringLiteral("cell 3,5 180,00"),
        QStringLiteral("format 9"),
        QStringLiteral("align 1,4 right"),
        QStringLiteral("align 1,5 right"),
    };
    QCOMPARE(b.operations, expected);
}

void tst_PriceListPrintout::rows_oneAPriceEntry_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("empty list") << 0;
    QTest::newRow("one") << 1;
    QTest::newRow("twenty-five") << 25;
    QTest::newRow("a hundred") << 100;
}

void tst_PriceListPrintout::rows_oneAPriceEntry()
{
    QFETCH(int, count);
    RecordingBuilder b;
    printPriceList(b, listOf(count), Purchase);
    QVERIFY(b.operations.contains(QStringLiteral("table %1x5").arg(count + 1)));
    // Row k + 1 holds entry k, its number with the leading blank; no row past the list.
    const QStringList numberCells =
        b.operations.filter(QRegularExpression(QStringLiteral("^cell ([2-9]|\\d\\d+),1 ")));
    QCOMPARE(numberCells.size(), count);
    for (int k = 1; k <= count; ++k) {
        QCOMPARE(numberCells.at(k - 1), QStringLiteral("cell %1,1  %2").arg(k + 1).arg(k));
    }
    QVERIFY(!b.operations.contains(QStringLiteral("cell %1,1  %2").arg(count + 2).arg(count + 1)));
    // The look and the alignment come after the last cell, on every list.
    const qsizetype format = b.operations.indexOf(QStringLiteral("format 9"));
    QVERIFY(format > 0);
    QCOMPARE(b.operations.mid(format),
             QStringList({QStringLiteral("format 9"), QStringLiteral("align 1,4 right"),
                          QStringLiteral("align 1,5 right")}));
}

void tst_PriceListPrintout::prices_groupThousandsWithTwoDecimals()
{
    PriceList list;
    list.entries.push_back({QStringLiteral("Energia Edificio"), QStringLiteral("attestati"), 1250, 99.5});
    list.entries.push_back({QStringLiteral("Grande"), QStringLiteral("x"), 12345.678, 0});
    RecordingBuilder b;
    printPriceList(b, list, Purchase);
    QVERIFY(b.operations.contains(QStringLiteral("cell 2,4 1.250,00")));
    QVERIFY(b.operations.contains(QStringLiteral("cell 2,5 99,50")));
    QVERIFY(b.operations.contains(QStringLiteral("cell 3,4 12.345,68")));
    QVERIFY(b.operations.contains(QStringLiteral("cell 3,5 0,00")));
}

QTEST_GUILESS_MAIN(tst_PriceListPrintout)
#include "tst_pricelistprintout.moc"
