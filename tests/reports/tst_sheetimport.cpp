#include "archive/cp1252.h"
#include "archive/datafile.h"
#include "archive/sheetimport.h"
#include "model/rowediting.h"
#include "model/scoring.h"
#include "reports/spreadsheetexport.h"

#include <QRandomGenerator>
#include <QTest>

using namespace pondra;
using namespace Qt::StringLiterals;

namespace {

// Names a spreadsheet or the exporter could trip on.
const QStringList awkward{u"=SOMMA(A1)"_s,         u"a;b"_s,      u"c, d"_s,
                          u"\"tra virgolette\""_s, u"àèéìòù €"_s, u"-1"_s};

std::unique_ptr<Study> randomStudy(quint32 seed, TitlePage& page)
{
    QRandomGenerator random(seed);
    auto study = std::make_unique<Study>();
    const int hypotheses = random.bounded(1, 8);
    for (int h = 1; h <= hypotheses; ++h) {
        SetHypothesisName(*study, h, awkward.value(random.bounded(10), u"ipotesi %1"_s.arg(h)));
        const int rows = random.bounded(1, 12);
        for (int r = 1; r <= rows; ++r) {
            SetRowTicked(*study, h, r, true);
            SetRowName(*study, h, r, awkward.value(random.bounded(12), u"caratteristica %1"_s.arg(r)));
            JudgeRow(*study, h, r, random.bounded(1, 12));
            SetRowWeight(*study, h, r, Decimal::fromTenths(random.bounded(1001)));
        }
    }
    for (int i = 0; i < TitlePage::FieldCount; ++i) {
        page.field(i) = awkward.value(random.bounded(8), u"campo %1"_s.arg(i));
    }
    return study;
}

} // namespace

class TestSheetImport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void exportedSheet_givesBackTheStudy_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::newRow("esempio") << 0u;
        for (quint32 seed = 1; seed <= 30; ++seed) {
            QTest::addRow("casuale %u", seed) << seed;
        }
    }

    void exportedSheet_givesBackTheStudy()
    {
        QFETCH(quint32, seed);
        auto study = std::make_unique<Study>();
        TitlePage page;
        if (seed == 0) {
            QVERIFY(loadStudyFile(u"" PONDRA_RESOURCES "/Pondra-dati-riscaldamento.txt"_s, *study, page,
                                  nullptr));
        } else {
            study = randomStudy(seed, page);
        }
        const SheetImport imported = importSheet(composeSpreadsheet(*study, page, InitGlobals()));
        QVERIFY2(imported.study, qPrintable(imported.error));
        for (int h = 1; h <= study->highestNamedSlot(); ++h) { // scored, as the document leaves them
            Recalculate(*study, h);
            Recalculate(*imported.study, h);
        }
        QVERIFY(*imported.study == *study);
        QCOMPARE(imported.titlePage, std::optional(page));
    }

    void handMadeSheet_inEachSeparatorAndEncoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QString italian = u"caratteristica;Caldaia à;peso;Stufa;\r\n"
                                u"costo;buono;60;3;50\r\n"
                                u"\r\n"
                                u"qualità;0,8;40,5;Ottimo;50\r\n"_s;
        const QString international = u"caratteristica,Caldaia à,peso,Stufa,\n"
                                      u"costo,buono,60,3,50\n"
                                      u"\"qualità\" , 0.8 ,40.5,Ottimo,50.0\n"_s;
        QTest::newRow("; UTF-8 con BOM") << "\xEF\xBB\xBF" + italian.toUtf8();
        QTest::newRow("; Windows-1252") << *cp1252::encode(italian);
        QTest::newRow(", UTF-8") << international.toUtf8();
    }

    void handMadeSheet_inEachSeparatorAndEncoding()
    {
        QFETCH(QByteArray, bytes);
        Study expected;
        SetHypothesisName(expected, 1, u"Caldaia à"_s);
        SetHypothesisName(expected, 2, u"Stufa"_s);
        const struct {
            int h, r;
            const char16_t* name;
            int step, tenths;
        } rows[] = {{1, 1, u"costo", 3, 600},
                    {2, 1, u"costo", 3, 500},
                    {1, 2, u"qualità", 3, 405},
                    {2, 2, u"qualità", 2, 500}};
        for (const auto& row : rows) {
            SetRowTicked(expected, row.h, row.r, true);
            SetRowName(expected, row.h, row.r, QString::fromUtf16(row.name));
            JudgeRow(expected, row.h, row.r, row.step);
            SetRowWeight(expected, row.h, row.r, Decimal::fromTenths(row.tenths));
        }
        const SheetImport imported = importSheet(bytes);
        QVERIFY2(imported.study, qPrintable(imported.error));
        QVERIFY(*imported.study == expected);
        QVERIFY(!imported.titlePage);
    }

    void faultySheet_saysWhereAndImportsNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        const QByteArray head = "c;A;peso\r\n";
        QTest::newRow("virgolette") << QByteArray("a;\"b\r\nc;d")
                                    << u"riga 1, colonna B: le virgolette aperte"_s;
        QTest::newRow("giudizio") << head + "x;ottimissimo;10"
                                  << u"riga 2, colonna B: «ottimissimo» non è un giudizio"_s;
        QTest::newRow("peso") << head + "x;buono;150" << u"riga 2, colonna C: il peso «150» non va"_s;
        QTest::newRow("sopra i pesi")
            << QByteArray("c;A;pesi") << u"riga 1, colonna C: sopra la colonna dei pesi"_s;
        QTest::newRow("ipotesi senza nome")
            << QByteArray("c;;peso;B\r\nx;;5;1") << u"riga 1, colonna B: manca il nome"_s;
        QTest::newRow("caratteristica") << head + ";buono;10" << u"riga 2, colonna A: manca il nome"_s;
        QTest::newRow("fuori dalle ipotesi")
            << head + "x;buono;10;;5" << u"riga 2, colonna E: qui c'è un dato"_s;
        QTest::newRow("a capo tra virgolette")
            << QByteArray("c;\"A\r\nB\";peso\r\nx;zz;1") << u"riga 3, colonna B:"_s;
        QTest::newRow("vuoto") << QByteArray(" ;\r\n") << u"il foglio è vuoto."_s;
    }

    void faultySheet_saysWhereAndImportsNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        const SheetImport imported = importSheet(bytes);
        QVERIFY(!imported.study);
        QVERIFY2(imported.error.startsWith(error), qPrintable(imported.error));
    }
};

QTEST_GUILESS_MAIN(TestSheetImport)
#include "tst_sheetimport.moc"
