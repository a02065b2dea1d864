#include "archive/cp1252.h"
#include "archive/pricelist.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

using namespace pondra;

namespace {

// The file as it lies on disk: Windows-1252, CR LF.
QByteArray onDisk(const QString& text)
{
    QByteArray bytes = cp1252::encode(text).value();
    return bytes.replace("\n", "\r\n");
}

bool read(const QByteArray& bytes, PriceList& list, QString* error = nullptr)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return readPriceList(&buffer, list, error);
}

// A list of n entries: "Programma k", "argomento k", net 100 * k, internet 90 * k.
QString listOf(int n, int announced = -1)
{
    QString text = QStringLiteral("\"2026\",%1\n").arg(announced < 0 ? n : announced);
    for (int k = 1; k <= n; ++k) {
        text += QStringLiteral("\"Programma %1\",\"argomento %1\",%2,%3\n").arg(k).arg(100 * k).arg(90 * k);
    }
    return text;
}

// A list that was read before, so a refused file can be seen to leave it alone.
PriceList previous()
{
    PriceList list;
    list.heading = QStringLiteral("prima");
    list.entries.push_back({QStringLiteral("vecchio"), QStringLiteral("x"), 1, 2});
    return list;
}

} // namespace

class tst_PriceList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void validList_readsEveryField_data();
    void validList_readsEveryField();
    void counts_fromNoneToHundred_data();
    void counts_fromNoneToHundred();
    void invalidList_isRefusedNamingTheLine_data();
    void invalidList_isRefusedNamingTheLine();
    void accentedLetters_decodeFromWindows1252();
    void fieldsAfterTheLastEntry_areIgnored();
    void files_missingOrUnreadable_sayWhich();
    void shippedList_reads();
};

void tst_PriceList::validList_readsEveryField_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("heading");

    const QString entries =
        QStringLiteral("\"Pondra\",\"valutazioni qualsiasi mediante confronto\",1250,99.5\n"
                       "\"Topos\",\"rilievi topografici\",890,750\n");
    QTest::newRow("one record a line") << QStringLiteral("\"2026\",2\n") + entries << QStringLiteral("2026");
    QTest::newRow("heading as a number") << QStringLiteral("2026,2\n") + entries << QStringLiteral("2026");
    QTest::newRow("heading with decimals")
        << QStringLiteral("2026.5,2\n") + entries << QStringLiteral("2026,5");
    QTest::newRow("one field a line")
        << QStringLiteral(
               "\"Listino 2026\"\n2\n\"Pondra\"\n\"valutazioni qualsiasi mediante confronto\"\n1250\n"
               "99.5\n\"Topos\"\n\"rilievi topografici\"\n890\n750\n")
        << QStringLiteral("Listino 2026");
    QTest::newRow("blank lines between")
        << QStringLiteral("\"2026\",2\n\n") + entries + QStringLiteral("\n") << QStringLiteral("2026");
    QTest::newRow("all on one line, no final line end")
        << QStringLiteral("\"2026\",2,\"Pondra\",\"valutazioni qualsiasi mediante confronto\",1250,99.5,"
                          "\"Topos\",\"rilievi topografici\",890,750")
        << QStringLiteral("2026");
}

void tst_PriceList::validList_readsEveryField()
{
    QFETCH(QString, text);
    QFETCH(QString, heading);
    PriceList list;
    QString error;
    QVERIFY2(read(onDisk(text), list, &error), qPrintable(error));
    QCOMPARE(list.heading, heading);
    QCOMPARE(list.entries.size(), std::size_t(2));
    QCOMPARE(list.entries[0].name, QStringLiteral("Pondra"));
    QCOMPARE(list.entries[0].subject, QStringLiteral("valutazioni qualsiasi mediante confronto"));
    QCOMPARE(list.entries[0].netPrice, 1250.0);
    QCOMPARE(list.entries[0].internetPrice, 99.5);
    QCOMPARE(list.entries[1].name, QStringLiteral("Topos"));
    QCOMPARE(list.entries[1].internetPrice, 750.0);
}

void tst_PriceList::counts_fromNoneToHundred_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("none") << 0;
    QTest::newRow("fewer than ten") << 3;
    QTest::newRow("twenty-five") << 25;
    QTest::newRow("the most a list holds") << MaxPriceEntries;
}

void tst_PriceList::counts_fromNoneToHundred()
{
    QFETCH(int, count);
    PriceList list = previous();
    QString error;
    QVERIFY2(read(onDisk(listOf(count)), list, &error), qPrintable(error));
    QCOMPARE(list.heading, QStringLiteral("2026"));
    QCOMPARE(int(list.entries.size()), count);
    if (count > 0) {
        const PriceEntry& last = list.entries.back();
        QCOMPARE(last.name, QStringLiteral("Programma %1").arg(count));
        QCOMPARE(last.subject, QStringLiteral("argomento %1").arg(count));
        QCOMPARE(last.netPrice, 100.0 * count);
        QCOMPARE(last.internetPrice, 90.0 * count);
    }
}

void tst_PriceList::invalidList_isRefusedNamingTheLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");

    QTest::newRow("more than a hundred")
        << listOf(101)
        << QStringLiteral("riga 1: il numero dei prodotti deve essere un numero intero da 0 a 100.");
    QTest::newRow("negative count") << QStringLiteral("\"2026\",-1\n")
                                    << QStringLiteral("riga 1: il numero dei prodotti deve essere");
    QTest::newRow("count with decimals")
        << QStringLiteral("\"2026\",2.5\n") << QStringLiteral("riga 1: il numero dei prodotti deve essere");
    QTest::newRow("count as a text") << QStringLiteral("\"2026\",\"due\"\n")
                                     << QStringLiteral("riga 1: il numero dei prodotti deve essere");
    QTest::newRow("count missing")
        << QStringLiteral("\"2026\"\n")
        << QStringLiteral("il file finisce alla riga 2, dove si attendeva il numero dei prodotti.");
    QTest::newRow("empty file") << QString()
                                << QStringLiteral("dove si attendeva l'intestazione del listino.");
    QTest::newRow("cut short by an entry")
        << listOf(2, 3)
        << QStringLiteral("il file finisce alla riga 4, dove si attendeva il nome del prodotto n. 3.");
    QTest::newRow("cut short inside an entry")
        << QStringLiteral("\"2026\",1\n\"Pondra\",\"valutazioni\",250\n")
        << QStringLiteral(
               "il file finisce alla riga 3, dove si attendeva il prezzo via internet del prodotto n. 1.");
    QTest::newRow("price as a text")
        << QStringLiteral("\"2026\",2\n\"A\",\"a\",1,2\n\"B\",\"b\",\"molto\",2\n")
        << QStringLiteral("riga 3: il costo netto del prodotto n. 2 deve essere un numero.");
    QTest::newRow("price left empty")
        << QStringLiteral("\"2026\",1\n\"A\",\"a\",1,\n")
        << QStringLiteral("riga 2: il prezzo via internet del prodotto n. 1 deve essere un numero.");
    QTest::newRow("price with a comma for decimals")
        << QStringLiteral("\"2026\",1\n\"A\",\"a\",\"99,5\",2\n")
        << QStringLiteral("riga 2: il costo netto del prodotto n. 1 deve essere un numero.");
    QTest::newRow("unreadable number") << QStringLiteral("\"2026\",1\n\"A\",\"a\",12x,2\n")
                                       << QStringLiteral("riga 2: «12x» non è un numero.");
    QTest::newRow("quote never closed")
        << QStringLiteral("\"2026\",1\n\"A,\"a\",1,2\n") << QStringLiteral("riga 2: ");
}

void tst_PriceList::invalidList_isRefusedNamingTheLine()
{
    QFETCH(QString, text);
    QFETCH(QString, message);
    PriceList list = previous();
    QString error;
    QVERIFY(!read(onDisk(text), list, &error));
    QVERIFY2(error.contains(message), qPrintable(error));
    // A refused file leaves the list read before as it was.
    QCOMPARE(list.heading, QStringLiteral("prima"));
    QCOMPARE(list.entries.size(), std::size_t(1));
    QCOMPARE(list.entries[0].name, QStringLiteral("vecchio"));
}

void tst_PriceList::accentedLetters_decodeFromWindows1252()
{
    const QString text = QStringLiteral(
        "\"listino più recente\",1\n\"Contabilità\",\"perizie e attività € \"\"extra\"\"\",1,2\n");
    const QByteArray bytes = onDisk(text);
    // Each accented letter is one byte on disk, the euro sign is 0x80.
    QVERIFY(bytes.contains('\x80'));
    QVERIFY(bytes.contains('\xe0'));
    PriceList list;
    QString error;
    QVERIFY2(read(bytes, list, &error), qPrintable(error));
    QCOMPARE(list.heading, QStringLiteral("listino più recente"));
    QCOMPARE(list.entries[0].name, QStringLiteral("Contabilità"));
    QCOMPARE(list.entries[0].subject, QStringLiteral("perizie e attività € \"extra\""));
}

void tst_PriceList::fieldsAfterTheLastEntry_areIgnored()
{
    PriceList list;
    QString error;
    QVERIFY2(read(onDisk(listOf(2) + QStringLiteral("\"avanzo\",3,zzz,\"non chiuso\n")), list, &error),
             qPrintable(error));
    QCOMPARE(list.entries.size(), std::size_t(2));
}

void tst_PriceList::files_missingOrUnreadable_sayWhich()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    PriceList list = previous();
    QString error;

    const QString missing = dir.filePath(QStringLiteral("listino.txt"));
    QVERIFY(!loadPriceList(missing, list, &error));
    QVERIFY2(error.contains(QDir::toNativeSeparators(missing)) &&
                 error.contains(QStringLiteral("non esiste")),
             qPrintable(error));

    QVERIFY(!loadPriceList(dir.path(), list, &error));
    QVERIFY2(error.contains(QStringLiteral("è una cartella")), qPrintable(error));

    // A device that was never opened cannot be read.
    QBuffer closed;
    QVERIFY(!readPriceList(&closed, list, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!readPriceList(nullptr, list, &error));
    QCOMPARE(list.heading, QStringLiteral("prima"));

    // A bad file's message names the file and the line.
    const QString bad = dir.filePath(QStringLiteral("rotto.txt"));
    QFile file(bad);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(onDisk(listOf(2, 5)));
    file.close();
    QVERIFY(!loadPriceList(bad, list, &error));
    QVERIFY2(error.contains(QDir::toNativeSeparators(bad)) && error.contains(QStringLiteral("riga 4")),
             qPrintable(error));

    const QString good = dir.filePath(QStringLiteral("buono.txt"));
    QFile goodFile(good);
    QVERIFY(goodFile.open(QIODevice::WriteOnly));
    goodFile.write(onDisk(listOf(4)));
    goodFile.close();
    QVERIFY2(loadPriceList(good, list, &error), qPrintable(error));
    QCOMPARE(list.entries.size(), std::size_t(4));
}

void tst_PriceList::shippedList_reads()
{
    PriceList list;
    QString error;
    QVERIFY2(loadPriceList(QStringLiteral(PONDRA_RESOURCES "/listino.txt"), list, &error), qPrintable(error));
    QCOMPARE(list.heading, QStringLiteral("2026"));
    QVERIFY(list.entries.size() >= 12 && list.entries.size() <= 25);
    for (const PriceEntry& e : list.entries) {
        QVERIFY(!e.name.isEmpty() && !e.subject.isEmpty());
        QVERIFY(e.netPrice > 0 && e.internetPrice > 0 && e.internetPrice <= e.netPrice);
    }
}

QTEST_GUILESS_MAIN(tst_PriceList)
#include "tst_pricelist.moc"
