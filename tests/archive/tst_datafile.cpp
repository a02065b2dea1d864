#include "archive/cp1252.h"
#include "archive/datafile.h"
#include "archive/datafilereader.h"
#include "archive/datafilewriter.h"
#include "archive/pricelist.h"
#include "archive/recoveryfile.h"
#include "model/datacheck.h"
#include "model/scoring.h"
#include "model/textlimits.h"
#include "support/studybuilder.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#ifdef Q_OS_UNIX
#include <QThread>
#include <atomic>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#endif

using namespace pondra;

namespace {

QByteArray latin(const char16_t* text)
{
    return *cp1252::encode(QString::fromUtf16(text));
}

// The example study of one hypothesis with two rows, as the program writes it.
QByteArray exampleFile()
{
    return latin(
        u"1\r\n"
        u"\"Sede nuova\",2,72,\"discreto\"\r\n"
        u"1,\"costo\",\"buono\",3,\"0,8\",\"60\"\r\n"
        u"1,\"qualità\",\"accettabile\",5,\"0,6\",\"40\"\r\n"
        u"\"Ampliamento\",\"Centro\",\"analisi situazione attuale\",\"Comune\",\"Roma\",\"lunedì, 7 dic "
        u"2026\",\"\"\r\n");
}

struct Loaded {
    std::unique_ptr<Study> study = std::make_unique<Study>();
    TitlePage page;
    QString error;
    bool ok = false;
};

Loaded readBytes(const QByteArray& bytes)
{
    Loaded l;
    QBuffer buffer;
    buffer.setData(bytes);
    DataFileReader reader;
    l.ok = reader.read(&buffer, *l.study, l.page);
    l.error = reader.errorString();
    return l;
}

QByteArray writeBytes(const Study& study, const TitlePage& page)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    DataFileWriter writer;
    if (!writer.write(&buffer, study, page)) {
        qWarning() << writer.errorString();
    }
    return buffer.data();
}

// A device that accepts opening and then refuses every byte.
class FailingDevice : public QIODevice {
protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64) override { return -1; }
};

} // namespace

class TestDataFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void example_readsAndScoresAsStated()
    {
        Loaded l = readBytes(exampleFile());
        QVERIFY2(l.ok, qPrintable(l.error));
        const Hypothesis& h = l.study->hypothesis(1);
        QCOMPARE(l.study->countNamedHypotheses(), 1);
        QCOMPARE(h.name, Value::text(QStringLiteral("Sede nuova")));
        QCOMPARE(h.LastNamedRow, Value::integer(2));
        QCOMPARE(h.EvaluationPercent, Value::number(72));
        QCOMPARE(h.rows[2].name, Value::text(QStringLiteral("qualità")));
        QCOMPARE(h.rows[2].judgementNumber, Value::integer(5));
        QCOMPARE(h.rows[2].coefficient, Value::text(QStringLiteral("0,6")));
        QCOMPARE(l.page.data, QStringLiteral("lunedì, 7 dic 2026"));
        QCOMPARE(l.page.allegati, QString());

        const ScoreFigures f = Recalculate(*l.study, 1);
        QCOMPARE(f.media, QStringLiteral("0,7"));
        QCOMPARE(f.ponderata, QStringLiteral("0,72"));
        QCOMPARE(l.study->hypothesis(1).EvaluationPercent.toDisplayText(), QStringLiteral("72"));
        QCOMPARE(l.study->hypothesis(1).OverallJudgement, Value::text(QStringLiteral("discreto")));

        // Writing it back gives the same bytes.
        QCOMPARE(writeBytes(*l.study, l.page), exampleFile());
    }

    void samples_readCheckAndKeepTheirBytes_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("esempio") << QStringLiteral("Pondra-dati-esempio.txt");
        QTest::newRow("uffici") << QStringLiteral("Pondra-dati-uffici.txt");
    }
    void samples_readCheckAndKeepTheirBytes()
    {
        QFETCH(QString, file);
        QFile f(QStringLiteral(PONDRA_TEST_DATA "/") + file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        Loaded l = readBytes(bytes);
        QVERIFY2(l.ok, qPrintable(l.error));
        QCOMPARE(writeBytes(*l.study, l.page), bytes);
        Recalculate(*l.study, 1);
        QVERIFY(CheckData(*l.study, 1).passed);
    }

    void everyStudyFile_keepsItsBytes_data()
    {
        QTest::addColumn<QString>("path");
        const QDir source(QStringLiteral(PONDRA_SOURCE));
        for (const QString& c : QDir(source.filePath(QStringLiteral("tests/golden")))
                                    .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            const QString path = source.filePath(QStringLiteral("tests/golden/%1/study.txt").arg(c));
            if (QFile::exists(path)) {
                QTest::newRow(qPrintable(c)) << path;
            }
        }
        for (const QString& f : QDir(source.filePath(QStringLiteral("resources")))
                                    .entryList({QStringLiteral("Pondra-dati-*.txt")}, QDir::Files)) {
            QTest::newRow(qPrintable(f)) << source.filePath(QStringLiteral("resources/") + f);
        }
    }
    void everyStudyFile_keepsItsBytes()
    {
        QFETCH(QString, path);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        Loaded l = readBytes(bytes);
        if (!l.ok) {
            QSKIP("a file the reader refuses is kept for what the commands say of it");
        }
        QCOMPARE(writeBytes(*l.study, l.page), bytes);
    }

    void comparisons_surviveSaveAndRead()
    {
        Study study;
        testsupport::nameHypothesis(study, 1, QStringLiteral("A"));
        testsupport::enterRow(study, 1, 1, QStringLiteral("costo"), 3, 50);
        testsupport::enterRow(study, 1, 2, QStringLiteral("qualità"), 3, 50);
        testsupport::nameHypothesis(study, 2, QStringLiteral("B"));
        testsupport::enterRow(study, 2, 1, QStringLiteral("costo"), 3, 100);
        testsupport::nameHypothesis(study, 3, QStringLiteral("C"));
        testsupport::enterRow(study, 3, 1, QStringLiteral("costo"), 3, 100);
        testsupport::enterRow(study, 3, 2, QStringLiteral("qualità"), 3, 0);
        testsupport::enterRow(study, 3, 3, QStringLiteral("tempi"), 3, 0);
        study.hypothesis(1).comparison = PairwiseComparison{{2, 1}, {-8}};
        study.hypothesis(3).comparison = PairwiseComparison{{1, 3, 2}, {8, 0, -3}};
        const TitlePage page;
        const QByteArray bytes = writeBytes(study, page);
        QVERIFY(bytes.endsWith("\"confronto a coppie\",2\r\n"
                               "1,2\r\n2,1\r\n-8\r\n"
                               "3,3\r\n1,3,2\r\n8,0,-3\r\n"));

        Loaded l = readBytes(bytes);
        QVERIFY2(l.ok, qPrintable(l.error));
        QVERIFY(*l.study == study);
        QCOMPARE(writeBytes(*l.study, l.page), bytes);

        // The recovery file shares the writer, and its last line follows the comparisons.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("recupero.txt"));
        QString error;
        QVERIFY2(writeRecoveryFile(path, study, page, QStringLiteral("/tmp/x.txt"), &error),
                 qPrintable(error));
        Study recovered;
        TitlePage recoveredPage;
        QString studyFile;
        QVERIFY2(readRecoveryFile(path, recovered, recoveredPage, &studyFile, &error), qPrintable(error));
        QVERIFY(recovered == study);
        QCOMPARE(studyFile, QStringLiteral("/tmp/x.txt"));
    }

    void damagedComparisons_areRejectedNamingTheLine_data()
    {
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<QString>("error");
        // Two hypotheses of three rows each on lines 2 to 9, the title on line 10: the block starts on
        // line 11.
        QTest::newRow("no count") << QByteArray("\"confronto a coppie\"\r\n")
                                  << QStringLiteral(
                                         "riga 11: l'intestazione dei confronti a coppie con 1 campi");
        QTest::newRow("count 0") << QByteArray("\"confronto a coppie\",0\r\n")
                                 << QStringLiteral("riga 11: il numero delle ipotesi con un confronto");
        QTest::newRow("count above the hypotheses") << QByteArray("\"confronto a coppie\",3\r\n")
                                                    << QStringLiteral("riga 11: il numero delle ipotesi");
        QTest::newRow("fewer comparisons than counted")
            << QByteArray("\"confronto a coppie\",2\r\n1,2\r\n1,2\r\n1\r\n")
            << QStringLiteral("il file finisce alla riga 15, dove si attendeva il confronto a coppie n. 2");
        QTest::newRow("hypothesis 0")
            << QByteArray("\"confronto a coppie\",1\r\n0,2\r\n1,2\r\n1\r\n")
            << QStringLiteral("riga 12: il numero dell'ipotesi del confronto a coppie");
        QTest::newRow("hypothesis beyond the file")
            << QByteArray("\"confronto a coppie\",1\r\n3,2\r\n1,2\r\n1\r\n")
            << QStringLiteral("riga 12: il numero dell'ipotesi del confronto a coppie deve essere un numero "
                              "intero da 1 a 2");
        QTest::newRow("hypothesis twice")
            << QByteArray("\"confronto a coppie\",2\r\n1,2\r\n1,2\r\n1\r\n1,2\r\n1,2\r\n1\r\n")
            << QStringLiteral("riga 15: l'ipotesi n. 1 ha già un confronto a coppie");
        QTest::newRow("one row") << QByteArray("\"confronto a coppie\",1\r\n1,1\r\n1\r\n\r\n")
                                 << QStringLiteral("riga 12: il numero delle caratteristiche confrontate");
        QTest::newRow("sixteen rows")
            << QByteArray("\"confronto a coppie\",1\r\n1,16\r\n")
            << QStringLiteral("riga 12: il numero delle caratteristiche confrontate");
        QTest::newRow("row 0") << QByteArray("\"confronto a coppie\",1\r\n1,2\r\n0,2\r\n1\r\n")
                               << QStringLiteral("riga 13: le righe confrontate devono essere numeri interi");
        QTest::newRow("row 101") << QByteArray("\"confronto a coppie\",1\r\n1,2\r\n1,101\r\n1\r\n")
                                 << QStringLiteral("riga 13: le righe confrontate");
        QTest::newRow("row repeated") << QByteArray("\"confronto a coppie\",1\r\n1,3\r\n1,2,1\r\n1,2,3\r\n")
                                      << QStringLiteral("riga 13: la riga 1 è confrontata due volte");
        QTest::newRow("row as text") << QByteArray("\"confronto a coppie\",1\r\n1,2\r\n\"1\",2\r\n1\r\n")
                                     << QStringLiteral("riga 13: le righe confrontate");
        QTest::newRow("missing row")
            << QByteArray("\"confronto a coppie\",1\r\n1,3\r\n1,2\r\n1,2,3\r\n")
            << QStringLiteral("riga 13: le righe confrontate dell'ipotesi n. 1 con 2 campi invece di 3");
        QTest::newRow("extra step")
            << QByteArray("\"confronto a coppie\",1\r\n1,2\r\n1,2\r\n1,2\r\n")
            << QStringLiteral(
                   "riga 14: i giudizi del confronto a coppie dell'ipotesi n. 1 con 2 campi invece di 1");
        QTest::newRow("steps missing") << QByteArray("\"confronto a coppie\",1\r\n1,2\r\n1,2\r\n")
                                       << QStringLiteral("il file finisce alla riga 14");
        QTest::newRow("step 9") << QByteArray("\"confronto a coppie\",1\r\n1,3\r\n1,2,3\r\n0,9,0\r\n")
                                << QStringLiteral(
                                       "riga 14: i giudizi del confronto a coppie devono essere numeri "
                                       "interi da -8 a 8");
        QTest::newRow("step -9") << QByteArray("\"confronto a coppie\",1\r\n1,2\r\n1,2\r\n-9\r\n")
                                 << QStringLiteral("riga 14: i giudizi");
        QTest::newRow("half step") << QByteArray("\"confronto a coppie\",1\r\n1,2\r\n1,2\r\n0.5\r\n")
                                   << QStringLiteral("riga 14: i giudizi");
        QTest::newRow("row beyond the hypothesis")
            << QByteArray("\"confronto a coppie\",1\r\n1,2\r\n1,99\r\n1\r\n")
            << QStringLiteral("riga 13: la riga 99 confrontata non esiste nell'ipotesi n. 1");
    }
    void damagedComparisons_areRejectedNamingTheLine()
    {
        QFETCH(QByteArray, block);
        QFETCH(QString, error);
        const QByteArray rows = "1,\"r\",,,,\r\n1,\"s\",,,,\r\n1,\"t\",,,,\r\n";
        const QByteArray study = "2\r\n\"A\",3,,\r\n" + rows + "\"B\",3,,\r\n" + rows +
                                 "\"a\",\"b\",\"c\",\"d\",\"e\",\"f\",\"g\"\r\n";
        QVERIFY2(readBytes(study).ok, "the file without the block reads");
        const Loaded l = readBytes(study + block);
        QVERIFY(!l.ok);
        QVERIFY2(l.error.contains(error), qPrintable(l.error));
        // Cut anywhere in the block, heading included, the file is refused.
        const QByteArray whole = study + "\"confronto a coppie\",1\r\n1,3\r\n1,2,3\r\n-1,2,-3\r\n";
        for (qsizetype cut = study.size() + 1; cut < whole.size() - 2; ++cut) {
            QVERIFY2(!readBytes(whole.left(cut)).ok,
                     whole.sliced(study.size(), cut - study.size()).constData());
        }
    }

    // What followed the title line before the comparisons were kept is still passed over.
    void otherLinesAfterTheTitle_areLeftAlone_data()
    {
        QTest::addColumn<QByteArray>("tail");
        QTest::newRow("recovery line") << QByteArray("Pondra-recupero,/home/a.txt\r\n");
        QTest::newRow("another text") << QByteArray("\"note\",1\r\n");
        QTest::newRow("numbers") << QByteArray("1,2,3\r\n");
        QTest::newRow("blank lines") << QByteArray("\r\n\r\n");
    }
    void otherLinesAfterTheTitle_areLeftAlone()
    {
        QFETCH(QByteArray, tail);
        const QByteArray study = "1\r\n\"A\",0,,\r\n\"a\",\"b\",\"c\",\"d\",\"e\",\"f\",\"g\"\r\n";
        const Loaded l = readBytes(study + tail);
        QVERIFY2(l.ok, qPrintable(l.error));
        QVERIFY(!l.study->hypothesis(1).comparison);
    }

    void everyValueKind_survivesSaveAndRead()
    {
        auto study = std::make_unique<Study>();
        TitlePage page;
        page.progetto = QStringLiteral("Villa \"La Rosa\"");
        page.data = QStringLiteral("lunedì, 7 dic 2026");            // a comma inside a quoted field
        page.allegati = QStringLiteral("€ – “foto”\r\nplanimetria"); // upper code page, a line end

        Hypothesis& h1 = study->hypothesis(1);
        h1.name = Value::text(QStringLiteral("Casa \"vecchia\", lato nord"));
        h1.LastNamedRow = Value::integer(4);
        h1.EvaluationPercent = Value::number(31.5);
        h1.OverallJudgement = Value::text(QStringLiteral("molto scarso"));
        testsupport::enterRow(*study, 1, 1, QStringLiteral("qualità"), 2, 35);
        // Row 2 cleared, row 3 never touched, row 4 with the 0 the scoring writes.
        CharacteristicEntry& cleared = study->row(1, 2);
        cleared.ticked = Value::integer(0);
        cleared.name = cleared.judgement = cleared.judgementNumber = cleared.coefficient = cleared.weight =
            Value::text(QString());
        CharacteristicEntry& zero = study->row(1, 4);
        zero.ticked = Value::integer(1);
        zero.name = Value::text(QStringLiteral("riga azzerata"));
        zero.coefficient = Value::integer(0);

        Hypothesis& h2 = study->hypothesis(2);
        h2.name = Value::text(QStringLiteral("Mai valutata")); // no rows, never scored: all nothing
        Hypothesis& h3 = study->hypothesis(3);
        h3.name = Value::text(QStringLiteral("Libera"));
        h3.EvaluationPercent = Value::text(QString()); // blanked by a ranking
        h3.OverallJudgement = Value::text(QString());
        h3.LastNamedRow = Value::integer(0);

        // A row typed in a slot past the named ones is kept with it; slot 0 is not part of the file.
        study->row(4, 1).name = Value::text(QStringLiteral("oltre il conteggio"));
        study->hypothesis(4).LastNamedRow = Value::integer(1);

        const QByteArray bytes = writeBytes(*study, page);
        QVERIFY(bytes.contains("\"Casa \"\"vecchia\"\", lato nord\",4,31.5,\"molto scarso\"\r\n"));
        QVERIFY(bytes.contains("\r\n0,\"\",\"\",\"\",\"\",\"\"\r\n,,,,,\r\n1,"));
        QVERIFY(bytes.contains("\"Mai valutata\",,,\r\n"));
        QVERIFY(bytes.contains("\"Libera\",0,\"\",\"\"\r\n"));
        QVERIFY(bytes.startsWith("4\r\n"));

        Loaded l = readBytes(bytes);
        QVERIFY2(l.ok, qPrintable(l.error));
        QVERIFY(*l.study == *study);
        QCOMPARE(l.page, page);
    }

    // Nothing typed is dropped: every slot up to the last in use, every row up to the last in use.
    void slotsAndRowsInUse_areAllWritten_data()
    {
        QTest::addColumn<int>("situation");
        QTest::addColumn<QByteArray>("start"); // the file up to the second hypothesis line
        QTest::newRow("named without gaps") << 0 << QByteArray("1\r\n\"A\",1,,\r\n1,");
        QTest::newRow("named after a free slot") << 1 << QByteArray("3\r\n\"A\",1,,\r\n1,");
        QTest::newRow("rows of an unnamed slot") << 2 << QByteArray("2\r\n\"A\",1,,\r\n1,");
        QTest::newRow("row ticked and weighed before its name") << 3 << QByteArray("1\r\n\"A\",3,,\r\n1,");
        QTest::newRow("comparison of an unnamed slot") << 4 << QByteArray("3\r\n\"A\",1,,\r\n1,");
    }
    void slotsAndRowsInUse_areAllWritten()
    {
        QFETCH(int, situation);
        QFETCH(QByteArray, start);
        auto study = std::make_unique<Study>();
        testsupport::nameHypothesis(*study, 1, QStringLiteral("A"));
        testsupport::enterRow(*study, 1, 1, QStringLiteral("costo"), 3, 60);
        if (situation == 1) {
            testsupport::nameHypothesis(*study, 3, QStringLiteral("C"));
        } else if (situation == 2) {
            testsupport::enterRow(*study, 2, 1, QStringLiteral("costo"), 2, 100);
        } else if (situation == 3) {
            study->row(1, 3).ticked = Value::integer(1);
            study->row(1, 3).weight = Value::text(QStringLiteral("40"));
        } else if (situation == 4) {
            study->hypothesis(3).comparison = PairwiseComparison{{1, 2}, {0}};
        }
        const QByteArray bytes = writeBytes(*study, TitlePage());
        QVERIFY2(bytes.startsWith(start), bytes.constData());
        Loaded l = readBytes(bytes);
        QVERIFY2(l.ok, qPrintable(l.error));
        for (int h = 1; h <= 3; ++h) {
            QCOMPARE(l.study->hypothesis(h).name, study->hypothesis(h).name);
            QVERIFY(l.study->hypothesis(h).rows == study->hypothesis(h).rows);
            QVERIFY(l.study->hypothesis(h).comparison == study->hypothesis(h).comparison);
        }
        QCOMPARE(writeBytes(*l.study, TitlePage()), bytes);
    }

    void zeroHypotheses_countLineAndTitle()
    {
        Study study;
        TitlePage page;
        page.progetto = QStringLiteral("p");
        const QByteArray bytes = writeBytes(study, page);
        QCOMPARE(bytes, QByteArray("0\r\n\"p\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"));
        Loaded l = readBytes(bytes);
        QVERIFY(l.ok);
        QCOMPARE(l.page.progetto, QStringLiteral("p"));
        QCOMPARE(l.study->countNamedHypotheses(), 0);
    }

    void lenientForms_areAccepted()
    {
        // A zero before the point, blanks around fields, bare LF line ends, nothing after the title.
        // A whole number written with a point is the same 16-bit value the program writes.
        const QByteArray bytes = "1\n \"A\" , 1 , 0.5 , \"nullo\"\n1.0,\"x\",\"nullo\",11,0,\"100\"\n"
                                 "\"a\",\"b\",\"c\",\"d\",\"e\",\"f\",\"g\"\n\n";
        Loaded l = readBytes(bytes);
        QVERIFY2(l.ok, qPrintable(l.error));
        QCOMPARE(l.study->hypothesis(1).EvaluationPercent, Value::number(0.5));
        QCOMPARE(l.study->row(1, 1).coefficient, Value::integer(0));
        QCOMPARE(l.study->row(1, 1).ticked, Value::integer(1));
        QCOMPARE(l.page.allegati, QStringLiteral("g"));
    }

    void damagedFile_isRejectedNamingTheLine_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        const QByteArray title = "\"a\",\"b\",\"c\",\"d\",\"e\",\"f\",\"g\"\r\n";
        const QByteArray hyp = "\"H\",1,50,\"mediocre\"\r\n1,\"x\",\"mediocre\",6,\"0,5\",\"100\"\r\n";
        QTest::newRow("empty") << QByteArray() << QStringLiteral("il file finisce alla riga 1");
        QTest::newRow("cut short") << QByteArray("3\r\n" + hyp + hyp)
                                   << QStringLiteral("riga 6, dove si attendeva l'ipotesi n. 3");
        QTest::newRow("no title") << QByteArray("1\r\n" + hyp) << QStringLiteral("la riga del frontespizio");
        QTest::newRow("count above 100")
            << QByteArray("101\r\n" + title) << QStringLiteral("riga 1: il numero delle ipotesi");
        QTest::newRow("negative count")
            << QByteArray("-1\r\n" + title) << QStringLiteral("riga 1: il numero delle ipotesi");
        QTest::newRow("fractional count")
            << QByteArray("1.5\r\n" + title) << QStringLiteral("riga 1: il numero delle ipotesi");
        QTest::newRow("rows above 100") << QByteArray("1\r\n\"H\",101,50,\"x\"\r\n" + title)
                                        << QStringLiteral("riga 2: il numero delle caratteristiche");
        QTest::newRow("stray quote") << QByteArray("1\r\n\"H\"x,1,50,\"x\"\r\n" + title)
                                     << QStringLiteral("riga 2: dopo un testo tra virgolette");
        QTest::newRow("quote inside number") << QByteArray("1\r\nH\",1,50,\"x\"\r\n" + title)
                                             << QStringLiteral("riga 2: virgolette fuori posto");
        QTest::newRow("unclosed quote") << QByteArray("0\r\n\"a\",\"b\",\"c\",\"d\",\"e\",\"f\",\"g\r\n")
                                        << QStringLiteral("riga 2: un testo tra virgolette non è chiuso");
        QTest::newRow("bad number") << QByteArray("1\r\n\"H\",1,5o,\"x\"\r\n" + title)
                                    << QStringLiteral("riga 2: «5o» non è un numero");
        QTest::newRow("coefficient not a number")
            << QByteArray("1\r\n\"H\",1,50,\"x\"\r\n1,\"x\",\"buono\",3,\"abc\",\"100\"\r\n" + title)
            << QStringLiteral("riga 3: il coefficiente deve essere un numero");
        QTest::newRow("ticked neither 0 nor 1")
            << QByteArray("1\r\n\"H\",1,50,\"x\"\r\n2,\"x\",\"buono\",3,\"0,8\",\"100\"\r\n" + title)
            << QStringLiteral("riga 3: l'indicatore di spunta");
        QTest::newRow("evaluation as text") << QByteArray("1\r\n\"H\",0,\"72\",\"x\"\r\n" + title)
                                            << QStringLiteral("riga 2: la valutazione deve essere un numero");
        QTest::newRow("fields shifted") << QByteArray("1\r\n\"H\",1,50\r\n" + title)
                                        << QStringLiteral("riga 2: l'ipotesi n. 1 con 3 campi invece di 4");
        QTest::newRow("cut after the last comma")
            << QByteArray("0\r\n\"a\",\"b\",\"c\",\"d\",\"e\",\"f\",")
            << QStringLiteral("riga 2: il file finisce subito dopo una virgola");
        QTest::newRow("utf-16 with mark")
            << QByteArray("\xFF\xFE"
                          "0\0\r\0\n\0",
                          8)
            << QStringLiteral("il file è in UTF-16: salvarlo come testo Windows-1252 o UTF-8");
        QTest::newRow("utf-16 without mark") << QByteArray("\0"
                                                           "0\0\r\0\n",
                                                           6)
                                             << QStringLiteral("UTF-16");
        QTest::newRow("unprintable bytes quoted")
            << QByteArray("1\r\n\"H\",1,5") + QByteArray("\0\x1b\x81", 3) + ",\"x\"\r\n" + title
            << QStringLiteral("riga 2: «5\\x00\\x1B\\x81» non è un numero");

        // Numbers off the judgement scale, and texts beyond their limits.
        auto rowFile = [&](const QByteArray& row) {
            return "1\r\n\"H\",1,50,\"x\"\r\n" + row + "\r\n" + title;
        };
        const QString coefficientScale =
            QStringLiteral("riga 3: il coefficiente deve essere un valore della scala dei giudizi");
        QTest::newRow("coefficient -5") << rowFile("1,\"x\",\"buono\",3,\"-5\",\"100\"") << coefficientScale;
        QTest::newRow("coefficient 0,85")
            << rowFile("1,\"x\",\"buono\",3,\"0,85\",\"100\"") << coefficientScale;
        QTest::newRow("coefficient 1.1 unquoted")
            << rowFile("1,\"x\",\"buono\",3,1.1,\"100\"") << coefficientScale;
        QTest::newRow("judgement number 12")
            << rowFile("1,\"x\",\"buono\",12,\"0,8\",\"100\"")
            << QStringLiteral("riga 3: il numero del giudizio deve essere un numero intero da 1 a 11");
        QTest::newRow("judgement number 0") << rowFile("1,\"x\",\"buono\",0,\"0,8\",\"100\"")
                                            << QStringLiteral("riga 3: il numero del giudizio");
        QTest::newRow("weight 101") << rowFile("1,\"x\",\"buono\",3,\"0,8\",\"101\"")
                                    << QStringLiteral("riga 3: il peso deve essere compreso tra 0 e 100");
        QTest::newRow("weight -5") << rowFile("1,\"x\",\"buono\",3,\"0,8\",\"-5\"")
                                   << QStringLiteral("riga 3: il peso");
        QTest::newRow("hypothesis name 201")
            << QByteArray("1\r\n\"" + QByteArray(201, 'n') + "\",0,,\r\n" + title)
            << QStringLiteral("riga 2: il nome dell'ipotesi n. 1 supera i 200 caratteri (ne ha 201)");
        QTest::newRow("characteristic name on two lines")
            << rowFile("1,\"sede\r\nnuova\",\"buono\",3,\"0,8\",\"100\"")
            << QStringLiteral("riga 3: il nome della caratteristica n. 1 dell'ipotesi n. 1 va a capo");
        QTest::newRow("name with a tab")
            << rowFile("1,\"a\tb\",\"buono\",3,\"0,8\",\"100\"")
            << QStringLiteral("riga 3: il nome della caratteristica n. 1 dell'ipotesi n. 1 contiene");
        QTest::newRow("judgement with escape")
            << rowFile("1,\"x\",\"buono\x1b[2J\",3,\"0,8\",\"100\"")
            << QStringLiteral("il giudizio della caratteristica n. 1 dell'ipotesi n. 1 "
                              "contiene un carattere di controllo (\\x1B)");
        QTest::newRow("title field 1001")
            << QByteArray("0\r\n\"a\",\"b\",\"c\",\"d\",\"e\",\"f\",\"" + QByteArray(1001, 'x') + "\"\r\n")
            << QStringLiteral(
                   "riga 2: il campo «allegati alla relazione» del frontespizio supera i 1000 caratteri");
    }
    void damagedFile_isRejectedNamingTheLine()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        const Loaded l = readBytes(bytes);
        QVERIFY(!l.ok);
        QVERIFY2(l.error.contains(error), qPrintable(l.error));
    }

    void acceptedForms_atTheEdges()
    {
        const QByteArray title = "\"a\",\"b\",\"c\",\"d\",\"e\",\"f\",\"" + QByteArray(1000, 'x') + "\"\r\n";
        const QByteArray longest(200, 'n');
        // A coefficient with a point, from a program set to another language, is the same step.
        const QByteArray bytes =
            "1\r\n\"" + longest + "\",2,80,\"buono\"\r\n1,\"" + longest +
            "\",\"eccellente\",1,\"1\",\"0\"\r\n1,\"y\",\"buono\",11,\"0.8\",\"100\"\r\n" + title;
        Loaded l = readBytes(bytes);
        QVERIFY2(l.ok, qPrintable(l.error));
        QCOMPARE(l.study->row(1, 2).coefficient, Value::text(QStringLiteral("0,8")));
        QCOMPARE(l.page.allegati.size(), MaxTitleFieldLength);
        QVERIFY(writeBytes(*l.study, l.page).contains(",\"0,8\",\"100\"\r\n"));

        // UTF-8 from another editor, with or without the byte-order mark, and written back in Windows-1252.
        const QByteArray utf8 =
            QStringLiteral("0\r\n\"Qualità €\",\"b\",\"c\",\"d\",\"e\",\"lunedì\",\"g\"\r\n").toUtf8();
        for (const QByteArray& file : {utf8, "\xEF\xBB\xBF" + utf8}) {
            Loaded u = readBytes(file);
            QVERIFY2(u.ok, qPrintable(u.error));
            QCOMPARE(u.page.progetto, QStringLiteral("Qualità €"));
            QVERIFY(writeBytes(*u.study, u.page).startsWith(latin(u"0\r\n\"Qualità €\",")));
        }
    }

    void overLimitText_isRefusedBySave_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("hypothesis name")
            << 0 << QString(201, u'n') << QStringLiteral("«nome dell'ipotesi n. 1» supera i 200");
        QTest::newRow("characteristic on two lines")
            << 1 << QStringLiteral("a\nb")
            << QStringLiteral("«nome della caratteristica n. 1 dell'ipotesi n. 1» va a capo");
        QTest::newRow("title field") << 2 << QString(1001, u't')
                                     << QStringLiteral("«committente» supera i 1000");
    }
    void overLimitText_isRefusedBySave()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, error);
        Study study;
        testsupport::nameHypothesis(study, 1, QStringLiteral("Prima"));
        testsupport::enterRow(study, 1, 1, QStringLiteral("costo"), 1, 100);
        TitlePage page;
        if (field == 0) {
            study.hypothesis(1).name = Value::text(text);
        } else if (field == 1) {
            study.row(1, 1).name = Value::text(text);
        } else {
            page.committente = text;
        }
        DataFileWriter writer;
        QVERIFY(!writer.compose(study, page));
        QVERIFY2(writer.errorString().contains(error), qPrintable(writer.errorString()));
    }

#ifdef Q_OS_UNIX
    // A FIFO would hold the open, a device would never end: both are refused before reading.
    void notARegularFile_isRefusedAtOnce()
    {
        QTemporaryDir dir;
        const QString fifo = dir.filePath(QStringLiteral("Pondra-dati-coda"));
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        // Should the open wait all the same, a writer comes by and lets the test end.
        std::atomic<bool> returned = false;
        std::thread unblock([&] {
            for (int tenth = 0; tenth < 20 && !returned; ++tenth) {
                QThread::msleep(100);
            }
            const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                ::close(fd);
            }
        });
        Study study;
        TitlePage page;
        QString error;
        const bool fifoLoaded = loadStudyFile(fifo, study, page, &error);
        returned = true;
        unblock.join();
        QVERIFY(!fifoLoaded);
        QVERIFY2(error.endsWith(QStringLiteral("non è un file ordinario.")), qPrintable(error));

        QVERIFY(!loadStudyFile(QStringLiteral("/dev/zero"), study, page, &error));
        QVERIFY2(error.endsWith(QStringLiteral("non è un file ordinario.")), qPrintable(error));
        PriceList list;
        QVERIFY(!loadPriceList(QStringLiteral("/dev/zero"), list, &error));
        QVERIFY2(error.endsWith(QStringLiteral("non è un file ordinario.")), qPrintable(error));
    }
#endif

    void damagedFile_leavesCallersStudyUnchanged()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Pondra-dati-rotto"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(exampleFile().left(60));
        f.close();

        Study study;
        testsupport::nameHypothesis(study, 1, QStringLiteral("in memoria"));
        testsupport::nameHypothesis(study, 7, QStringLiteral("settima"));
        TitlePage page;
        page.progetto = QStringLiteral("mia perizia");
        const auto studyBefore = std::make_unique<Study>(study);
        const TitlePage pageBefore = page;

        QString error;
        QVERIFY(!loadStudyFile(path, study, page, &error));
        QVERIFY2(
            error.startsWith(
                QStringLiteral("Il file «%1» non si può aprire: riga 3").arg(QDir::toNativeSeparators(path))),
            qPrintable(error));
        QVERIFY(study == *studyBefore);
        QCOMPARE(page, pageBefore);

        QVERIFY(!loadStudyFile(dir.filePath(QStringLiteral("manca")), study, page, &error));
        QVERIFY(error.endsWith(QStringLiteral("non esiste.")));
        QVERIFY(study == *studyBefore);
    }

    void validFile_replacesWholeStudy()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Pondra-dati-esempio"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(exampleFile());
        f.close();

        Study study;
        testsupport::nameHypothesis(study, 9, QStringLiteral("resto di uno studio più grande"));
        TitlePage page;
        QString error;
        QVERIFY2(loadStudyFile(path, study, page, &error), qPrintable(error));
        QVERIFY(study.hypothesis(9).name.isNothing());
        QCOMPARE(study.hypothesis(1).name, Value::text(QStringLiteral("Sede nuova")));
        QCOMPARE(page.luogo, QStringLiteral("Roma"));
    }

    void failingDevice_reportsTheWrite()
    {
        Study study;
        FailingDevice device;
        QVERIFY(device.open(QIODevice::WriteOnly));
        DataFileWriter writer;
        QVERIFY(!writer.write(&device, study, TitlePage()));
        QVERIFY(writer.errorString().contains(QStringLiteral("scrittura non è riuscita")));

        FailingDevice input;
        QVERIFY(input.open(QIODevice::ReadOnly));
        DataFileReader reader;
        Study fresh;
        TitlePage page;
        QVERIFY(!reader.read(&input, fresh, page));
        QCOMPARE(reader.errorString(), QStringLiteral("il file non si può leggere."));
    }

    void unstorableText_isRefusedNamingTheField_previousFileKept()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Pondra-dati-x"));
        Study study;
        testsupport::nameHypothesis(study, 1, QStringLiteral("Prima"));
        testsupport::enterRow(study, 1, 1, QStringLiteral("costo"), 1, 100);
        TitlePage page;
        QString error;
        QVERIFY2(saveStudyFile(path, study, page, &error), qPrintable(error));
        QFile before(path);
        QVERIFY(before.open(QIODevice::ReadOnly));
        const QByteArray saved = before.readAll();
        before.close();

        study.row(1, 1).name = Value::text(QStringLiteral("superficie in m² ≥ 100"));
        QVERIFY(!saveStudyFile(path, study, page, &error));
        QVERIFY2(error.contains(QStringLiteral("«nome della caratteristica n. 1 dell'ipotesi n. 1»")),
                 qPrintable(error));
        QVERIFY(error.endsWith(QStringLiteral("≥")));
        QFile after(path);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), saved);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1); // no temporary left behind

        study.row(1, 1).name = Value::text(QStringLiteral("costo"));
        page.luogo = QStringLiteral("Kraków ✓");
        QVERIFY(!saveStudyFile(path, study, page, &error));
        QVERIFY2(error.contains(QStringLiteral("«luogo elaborazione»")), qPrintable(error));
    }

    void saveIntoMissingFolder_fails()
    {
        QTemporaryDir dir;
        QString error;
        QVERIFY(!saveStudyFile(dir.filePath(QStringLiteral("no/such/Pondra-dati-x")), Study(), TitlePage(),
                               &error));
        QVERIFY(error.contains(QStringLiteral("non si può salvare")));
    }

    void codePage_mapsUpperRangeBothWays()
    {
        const QByteArray bytes("\x80\x85\x93\x94\xe0\xe8\x81", 7);
        const QString text = cp1252::decode(bytes);
        QCOMPARE(text, QString::fromUtf16(u"€…“”àè\u0081"));
        QCOMPARE(cp1252::encode(text), std::optional<QByteArray>(bytes));
        QCOMPARE(cp1252::encode(u"Ω"), std::nullopt);
        QCOMPARE(cp1252::encode(QString(QChar(0x80))), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_datafile.moc"
