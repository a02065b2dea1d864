#include "model/ranking.h"
#include "model/scoring.h"
#include "reports/printouts.h"
#include "reports/recordingbuilder.h"
#include "support/studybuilder.h"

#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace pondra;
using testsupport::enterRow;
using testsupport::nameHypothesis;

Q_DECLARE_METATYPE(pondra::Value)

namespace {

QString s(const char16_t* text)
{
    return QString::fromUtf16(text);
}

QStringList repeated(const QString& line, int times)
{
    QStringList lines;
    for (int i = 0; i < times; ++i) {
        lines << line;
    }
    return lines;
}

QStringList heading(int titleSize, int descriptionSize)
{
    return {s(u"font Century Gothic"),
            QStringLiteral("size %1").arg(titleSize),
            s(u"type Pondra \r"),
            QStringLiteral("size %1").arg(descriptionSize),
            s(u"type valutazioni qualsiasi mediante confronto\r\r"),
            s(u"size 12")};
}

const QStringList scaleTable = {
    s(u"table 12x2"),
    s(u"table size 10"),
    s(u"cell 1,1 numero"),
    s(u"cell 1,2 scala dei giudizi"),
    s(u"cell 2,1  1"),
    s(u"cell 3,1  2"),
    s(u"cell 4,1  3"),
    s(u"cell 5,1  4"),
    s(u"cell 6,1  5"),
    s(u"cell 7,1  6"),
    s(u"cell 8,1  7"),
    s(u"cell 9,1  8"),
    s(u"cell 10,1  9"),
    s(u"cell 11,1  10"),
    s(u"cell 12,1  11"),
    s(u"cell 2,2 eccellente"),
    s(u"cell 3,2 ottimo"),
    s(u"cell 4,2 buono"),
    s(u"cell 5,2 discreto"),
    s(u"cell 6,2 accettabile"),
    s(u"cell 7,2 mediocre"),
    s(u"cell 8,2 scadente"),
    s(u"cell 9,2 molto scarso"),
    s(u"cell 10,2 pessimo"),
    s(u"cell 11,2 minimo"),
    s(u"cell 12,2 nullo"),
    s(u"format 9"),
    s(u"align 1,1 decimal"),
};

// A hypothesis heading, marked for the outline.
QStringList section(const char16_t* paragraphText)
{
    return {s(u"paragraph"), s(u"paragraph size 12"), s(u"paragraph text ") + s(paragraphText),
            s(u"heading 1"), s(u"paragraph text \r")};
}

QString blankLine()
{
    return QString(40, u'_');
}

QStringList info(const char16_t* title, const char16_t* subject)
{
    return {s(u"info %1 / Studio Rossi / %2").arg(s(title), s(subject))};
}

QStringList hypothesisTableStart(int rows)
{
    return {QStringLiteral("table %1x6").arg(rows),
            s(u"table size 10"),
            s(u"cell 1,1 n."),
            s(u"cell 1,2 caratteristiche considerate"),
            s(u"cell 1,3 giudizi"),
            s(u"cell 1,4 valori"),
            s(u"cell 1,5 coefficienti"),
            s(u"cell 1,6 pesi")};
}

// The numbers of the hypothesis tables firstTable..lastTable on their commas.
QStringList hypothesisNumbersAligned(int firstTable, int lastTable)
{
    QStringList lines;
    for (int t = firstTable; t <= lastTable; ++t) {
        for (const int c : {1, 4, 5, 6}) {
            lines << QStringLiteral("align %1,%2 decimal").arg(t).arg(c);
        }
    }
    return lines;
}

QStringList rankingNumbersAligned(int table)
{
    return {QStringLiteral("align %1,1 decimal").arg(table), QStringLiteral("align %1,3 decimal").arg(table)};
}

// Lists the first differing line, which QCOMPARE on long lists does not show.
void compareLines(const QStringList& actual, const QStringList& expected)
{
    for (qsizetype i = 0; i < std::min(actual.size(), expected.size()); ++i) {
        if (actual.at(i) != expected.at(i)) {
            qWarning("line %lld: got \"%s\", expected \"%s\"", qlonglong(i), qPrintable(actual.at(i)),
                     qPrintable(expected.at(i)));
            break;
        }
    }
    QCOMPARE(actual.size(), expected.size());
    QCOMPARE(actual, expected);
}

} // namespace

Q_DECLARE_METATYPE(pondra::OwnerData)

class TestPrintouts : public QObject {
    Q_OBJECT

private:
    const IdentityTexts identity = InitGlobals();
    std::unique_ptr<Study> study;
    Ranking ranking;

    PrintSource source()
    {
        TitlePage page;
        page.progetto = QStringLiteral("Stima villa");
        page.localita = QStringLiteral("Como");
        page.tipostudio = QStringLiteral("confronto");
        page.committente = QStringLiteral("Bianchi");
        page.luogo = QStringLiteral("Como");
        page.data = s(u"lunedì, 7 dic 2026");
        page.allegati = QString();
        return PrintSource{
            .identity = identity,
            .study = *study,
            .ranking = ranking,
            .titlePage = page,
            .owner = {QStringLiteral("Studio Rossi"), {}, QStringLiteral("via Roma 1"), {}, {}}};
    }

    // As the data check that comes before every printout of the hypotheses leaves the study.
    void scoreAll()
    {
        for (int h = 1; h <= study->countNamedHypotheses(); ++h) {
            Recalculate(*study, h);
        }
    }

    // Casa: two scored rows; Villa: a named row without a coefficient, which is not scored;
    // Rustico: no rows at all.
    void threeHypotheses()
    {
        nameHypothesis(*study, 1, QStringLiteral("Casa"));
        enterRow(*study, 1, 1, QStringLiteral("luce"), 2, 60);
        enterRow(*study, 1, 2, QStringLiteral("rumore"), 1, 40);
        nameHypothesis(*study, 2, QStringLiteral("Villa"));
        enterRow(*study, 2, 1, QStringLiteral("giardino"), 3, 30);
        study->row(2, 1).coefficient = Value::text(QString());
        enterRow(*study, 2, 2, QStringLiteral("garage"), 3, 70);
        nameHypothesis(*study, 3, QStringLiteral("Rustico"));
    }

private Q_SLOTS:
    void init()
    {
        study = std::make_unique<Study>();
        ranking = Ranking();
    }

    void template_headingScaleAndEmptyForm()
    {
        RecordingBuilder b;
        printTemplate(b, identity, QStringLiteral("Studio Rossi"));
        const QStringList expected = info(u"Modello di acquisizione dati", u"Modello di acquisizione dati") +
                                     heading(20, 16) + QStringList{s(u"paragraph")} + scaleTable +
                                     QStringList{s(u"paragraph"),
                                                 s(u"paragraph size 12"),
                                                 s(u"paragraph text \rIpotesi n.:_____  -  nome: "
                                                   u"_____________________________________________"),
                                                 s(u"table 22x4"),
                                                 s(u"table size 10"),
                                                 s(u"cell 1,1 numero"),
                                                 s(u"cell 1,2 caratteristiche considerate per l'ipotesi"),
                                                 s(u"cell 1,3 giudizi"),
                                                 s(u"cell 1,4 pesi in\u00A0% (totale\u00A0=\u00A0100)"),
                                                 s(u"table row height 19.8425"),
                                                 s(u"format 9")};
        compareLines(b.operations, expected);
    }

    void hypothesesData_everyHypothesisInNumberOrder()
    {
        threeHypotheses();
        scoreAll();
        RecordingBuilder b;
        printHypothesesData(b, source());

        const QStringList expected =
            info(u"Dati delle ipotesi", u"Dati delle ipotesi") + heading(20, 16) +
            QStringList{s(u"paragraph")} + scaleTable +
            // Two rows, each followed by the table format.
            section(u"\rIpotesi n.\u00A01: Casa") + hypothesisTableStart(6) +
            QStringList{s(u"cell 2,1  1"),
                        s(u"cell 2,2 luce"),
                        s(u"cell 2,3 ottimo"),
                        s(u"cell 2,4 2"),
                        s(u"cell 2,5 0,900"),
                        s(u"cell 2,6 60"),
                        s(u"format 9"),
                        s(u"cell 3,1  2"),
                        s(u"cell 3,2 rumore"),
                        s(u"cell 3,3 eccellente"),
                        s(u"cell 3,4 1"),
                        s(u"cell 3,5 1,000"),
                        s(u"cell 3,6 40"),
                        s(u"format 9"),
                        s(u"cell 4,2 media dei coefficienti"),
                        s(u"cell 4,5 0,950"),
                        s(u"cell 5,2 coefficiente ponderato"),
                        s(u"cell 5,5 0,940"),
                        s(u"cell 6,2 giudizio complessivo"),
                        s(u"cell 6,3 ottimo")} +
            // The row without a coefficient is listed as it is and left out of the figures.
            section(u"\rIpotesi n.\u00A02: Villa") + hypothesisTableStart(6) +
            QStringList{s(u"cell 2,1  1"),
                        s(u"cell 2,2 giardino"),
                        s(u"cell 2,3 buono"),
                        s(u"cell 2,4 3"),
                        s(u"cell 2,5 "),
                        s(u"cell 2,6 30"),
                        s(u"format 9"),
                        s(u"cell 3,1  2"),
                        s(u"cell 3,2 garage"),
                        s(u"cell 3,3 buono"),
                        s(u"cell 3,4 3"),
                        s(u"cell 3,5 0,800"),
                        s(u"cell 3,6 70"),
                        s(u"format 9"),
                        s(u"cell 4,2 media dei coefficienti"),
                        s(u"cell 4,5 0,800"),
                        s(u"cell 5,2 coefficiente ponderato"),
                        s(u"cell 5,5 0,560"),
                        s(u"cell 6,2 giudizio complessivo"),
                        s(u"cell 6,3 accettabile")} +
            // No rows: header and summary rows only, no table format; the empty mean stays empty.
            section(u"\rIpotesi n.\u00A03: Rustico") + hypothesisTableStart(4) +
            QStringList{s(u"cell 2,2 media dei coefficienti"), s(u"cell 2,5 "),
                        s(u"cell 3,2 coefficiente ponderato"), s(u"cell 3,5 0,000"),
                        s(u"cell 4,2 giudizio complessivo"),   s(u"cell 4,3 nullo")} +
            hypothesisNumbersAligned(2, 4);
        compareLines(b.operations, expected);
    }

    void hypothesisSection_rowsWithoutNameOrJudgementAreNotListed()
    {
        nameHypothesis(*study, 1, QStringLiteral("Casa"));
        enterRow(*study, 1, 1, QStringLiteral("luce"), 2, 60);
        enterRow(*study, 1, 4, QStringLiteral("rumore"), 1, 40);
        // Row 2 unticked; row 3 holds the 0 an older scoring wrote, which still counts in the mean.
        study->row(1, 2) = {Value::integer(0), {}, {}, {}, {}, {}};
        study->row(1, 3).coefficient = Value::integer(0);
        scoreAll();
        RecordingBuilder b;
        printHypothesesData(b, source());
        for (const char16_t* line :
             {u"table 6x6", u"cell 2,1  1", u"cell 3,1  4", u"cell 3,2 rumore", u"cell 4,5 0,630"}) {
            QVERIFY2(b.operations.contains(s(line)), qPrintable(s(line)));
        }
    }

    void hypothesisSection_numberCells_data()
    {
        QTest::addColumn<Value>("coefficient");
        QTest::addColumn<QString>("coefficientCell");
        QTest::addColumn<QString>("mediaCell");

        QTest::newRow("comma text") << Value::text(QStringLiteral("0,9")) << QStringLiteral("0,900")
                                    << QStringLiteral("0,900");
        QTest::newRow("whole text") << Value::text(QStringLiteral("1")) << QStringLiteral("1,000")
                                    << QStringLiteral("1,000");
        QTest::newRow("scored zero") << Value::integer(0) << QStringLiteral("0,000")
                                     << QStringLiteral("0,000");
        QTest::newRow("number") << Value::number(0.75) << QStringLiteral("0,750") << QStringLiteral("0,750");
        QTest::newRow("rounding") << Value::text(QStringLiteral("0,0005")) << QStringLiteral("0,001")
                                  << QStringLiteral("0,000");
        // Not scored: the mean of no coefficient is empty.
        QTest::newRow("never set, empty") << Value() << QStringLiteral("0,000") << QString();
        QTest::newRow("empty text, no number") << Value::text(QString()) << QString() << QString();
    }

    void hypothesisSection_numberCells()
    {
        QFETCH(Value, coefficient);
        QFETCH(QString, coefficientCell);
        QFETCH(QString, mediaCell);
        nameHypothesis(*study, 1, QStringLiteral("Casa"));
        enterRow(*study, 1, 1, QStringLiteral("luce"), 2, 100);
        study->row(1, 1).coefficient = coefficient;
        scoreAll();
        RecordingBuilder b;
        printHypothesesData(b, source());
        QVERIFY(b.operations.contains(QStringLiteral("cell 2,5 ") + coefficientCell));
        QVERIFY(b.operations.contains(QStringLiteral("cell 3,5 ") + mediaCell));
    }

    void ranking_positionsInRankOrder()
    {
        for (int h = 1; h <= 4; ++h) {
            nameHypothesis(*study, h, QStringLiteral("h%1").arg(h));
        }
        const auto entry = [](const char16_t* name, double evaluation, const char16_t* judgement) {
            return RankingEntry{Value::text(s(name)), Value::number(evaluation), Value::text(s(judgement))};
        };
        ranking[1] = entry(u"Villa", 80, u"ottimo");
        ranking[2] = entry(u"Casa", 72.45, u"buono");
        ranking[3] = entry(u"Baita", 40, u"scadente");
        ranking[4] = entry(u"Rustico", 0, u"nullo");
        // Beyond the hypothesis count: not printed.
        ranking[5] = entry(u"Stalla", 99, u"ottimo");
        RecordingBuilder b;
        printRanking(b, source());
        const QStringList expected = info(u"Graduatoria delle ipotesi", u"Graduatoria delle ipotesi") +
                                     heading(20, 16) +
                                     QStringList{s(u"type Classifica delle ipotesi"),
                                                 s(u"paragraph"),
                                                 s(u"table 5x4"),
                                                 s(u"table size 10"),
                                                 s(u"cell 1,1 numero"),
                                                 s(u"cell 1,2 denominazione dell'ipotesi"),
                                                 s(u"cell 1,3 valutazione in\u00A0%"),
                                                 s(u"cell 1,4 giudizio complessivo"),
                                                 s(u"cell 2,1  1"),
                                                 s(u"cell 2,2 Villa"),
                                                 s(u"cell 2,3 80,0"),
                                                 s(u"cell 2,4 ottimo"),
                                                 s(u"cell 3,1  2"),
                                                 s(u"cell 3,2 Casa"),
                                                 s(u"cell 3,3 72,5"),
                                                 s(u"cell 3,4 buono"),
                                                 s(u"cell 4,1  3"),
                                                 s(u"cell 4,2 Baita"),
                                                 s(u"cell 4,3 40,0"),
                                                 s(u"cell 4,4 scadente"),
                                                 s(u"cell 5,1  4"),
                                                 s(u"cell 5,2 Rustico"),
                                                 s(u"cell 5,3 0,0"),
                                                 s(u"cell 5,4 nullo"),
                                                 s(u"format 9"),
                                                 s(u"align 1,1 decimal"),
                                                 s(u"align 1,3 decimal")};
        compareLines(b.operations, expected);
    }

    void ranking_tiesSharePlaces_data()
    {
        QTest::addColumn<QList<double>>("evaluations"); // in ranking order
        QTest::addColumn<QStringList>("cells");         // place and name of each row
        QTest::newRow("1, 1, 3") << QList<double>{80, 80, 60}
                                 << QStringList{s(u"cell 2,1  1"), s(u"cell 2,2 A (a pari merito)"),
                                                s(u"cell 3,1  1"), s(u"cell 3,2 B (a pari merito)"),
                                                s(u"cell 4,1  3"), s(u"cell 4,2 C")};
        QTest::newRow("all equal") << QList<double>{50, 50, 50}
                                   << QStringList{s(u"cell 2,1  1"), s(u"cell 2,2 A (a pari merito)"),
                                                  s(u"cell 3,1  1"), s(u"cell 3,2 B (a pari merito)"),
                                                  s(u"cell 4,1  1"), s(u"cell 4,2 C (a pari merito)")};
        QTest::newRow("no tie") << QList<double>{90, 80, 70}
                                << QStringList{s(u"cell 2,1  1"), s(u"cell 2,2 A"),  s(u"cell 3,1  2"),
                                               s(u"cell 3,2 B"),  s(u"cell 4,1  3"), s(u"cell 4,2 C")};
        QTest::newRow("tie at the end")
            << QList<double>{90, 70, 70} << QStringList{s(u"cell 2,1  1"), s(u"cell 2,2 A"),
                                                        s(u"cell 3,1  2"), s(u"cell 3,2 B (a pari merito)"),
                                                        s(u"cell 4,1  2"), s(u"cell 4,2 C (a pari merito)")};
    }
    void ranking_tiesSharePlaces()
    {
        QFETCH(QList<double>, evaluations);
        for (int p = 1; p <= evaluations.size(); ++p) {
            const QString name(QChar(u'A' + p - 1));
            nameHypothesis(*study, p, name);
            ranking[std::size_t(p)] = {Value::text(name), Value::number(evaluations[p - 1]), Value()};
        }
        RecordingBuilder b;
        printReport(b, source(), {});
        // The cells of places and names in the ranking, the report's last table.
        const qsizetype start = b.operations.lastIndexOf(QStringLiteral("table 4x4"));
        QVERIFY(start > 0);
        const QStringList cells =
            b.operations.mid(start).filter(QRegularExpression(QStringLiteral("^cell [2-4],[12] ")));
        QTEST(cells, "cells");
    }

    void ranking_evaluationCell_data()
    {
        QTest::addColumn<Value>("evaluation");
        QTest::addColumn<QString>("cell");
        QTest::newRow("number") << Value::number(31.25) << QStringLiteral("31,3");
        QTest::newRow("whole") << Value::integer(100) << QStringLiteral("100,0");
        QTest::newRow("comma text") << Value::text(QStringLiteral("72,25")) << QStringLiteral("72,3");
        QTest::newRow("never set counts as 0") << Value() << QStringLiteral("0,0");
        QTest::newRow("empty text stays empty") << Value::text(QString()) << QString();
    }

    void ranking_evaluationCell()
    {
        QFETCH(Value, evaluation);
        QFETCH(QString, cell);
        nameHypothesis(*study, 1, QStringLiteral("Casa"));
        ranking[1] = {Value::text(QStringLiteral("Casa")), evaluation, Value()};
        RecordingBuilder b;
        printRanking(b, source());
        QVERIFY(b.operations.contains(QStringLiteral("cell 2,3 ") + cell));
        QVERIFY(b.operations.contains(QStringLiteral("cell 2,4 ")));
    }

    void report_titlePageDataRankingAndClosing()
    {
        threeHypotheses();
        nameHypothesis(*study, 4, QStringLiteral("Baita"));
        enterRow(*study, 4, 1, QStringLiteral("vista"), 5, 100);
        nameHypothesis(*study, 5, QStringLiteral("Rifugio"));
        enterRow(*study, 5, 1, QStringLiteral("quota"), 9, 100);
        for (int h = 1; h <= 5; ++h) {
            Recalculate(*study, h);
        }
        ordina(*study, ranking);

        // The report repeats the data printout's hypothesis sections and the ranking table.
        RecordingBuilder data;
        printHypothesesData(data, source());
        const qsizetype sectionsStart = 1 + heading(20, 16).size() + 1 + scaleTable.size();
        const qsizetype sectionsEnd = data.operations.size() - hypothesisNumbersAligned(2, 6).size();
        QStringList sections = data.operations.mid(sectionsStart, sectionsEnd - sectionsStart);
        // In the report the hypotheses stand in the outline under section A.
        std::replace(sections.begin(), sections.end(), s(u"heading 1"), s(u"heading 2"));
        QCOMPARE(sections.first(), s(u"paragraph"));
        QCOMPARE(sections.last(), s(u"cell 5,3 pessimo"));
        RecordingBuilder rankingOnly;
        printRanking(rankingOnly, source());
        const QStringList rankingTable = rankingOnly.operations.mid(9, rankingOnly.operations.size() - 11);
        QCOMPARE(rankingTable.first(), s(u"table 6x4"));
        QCOMPARE(rankingTable.last(), s(u"format 9"));

        RecordingBuilder b;
        b.pages = 7;
        QCOMPARE(printReport(b, source()), 7);

        const QStringList expected =
            info(u"Stima villa", u"Relazione di stima") +
            QStringList{s(u"font Century Gothic"),
                        s(u"size 24"),
                        s(u"type VALUTAZIONI DI IPOTESI"),
                        s(u"heading 1 Frontespizio"),
                        s(u"type \r"),
                        s(u"size 14"),
                        s(u"type valutazioni qualsiasi mediante confronto\r"),
                        s(u"size 14"),
                        s(u"blank lines give way"),
                        s(u"type \r\r\r\rperizia: Stima villa\r\r\r"),
                        s(u"type località: Como\r\r\r"),
                        s(u"type tipologia di studio: confronto")} +
            repeated(s(u"type \r"), 9) +
            QStringList{s(u"type progettista: Studio Rossi\r"), s(u"type committente: Bianchi\r\r"),
                        s(u"type Como: lunedì, 7 dic 2026")} +
            repeated(s(u"type \r"), 12) +
            QStringList{
                s(u"blank lines stay"),
                s(u"keep with next"),
                s(u"type Studio Rossi\r"),
                s(u"keep with next off"),
                s(u"type via Roma 1\r\f"),
                s(u"paragraph"),
                s(u"paragraph size 18"),
                s(u"paragraph text \fRELAZIONE DI STIMA"),
                s(u"heading 1"),
                s(u"paragraph text \r\r"),
                s(u"paragraph size 12"),
                s(u"paragraph text La presente elaborazione valuta per confronto la soluzione migliore tra "
                  u"le ipotesi assunte. I requisiti indicati sono quelli che si desiderano, o che meglio "
                  u"descrivono le qualità degli oggetti, dei beni o delle situazioni di stima. Il peso di "
                  u"tali caratteristiche misura l'importanza che ad esse viene data rispetto al totale della "
                  u"valutazione: viene espresso in percentuale.  Maggiore sarà tale valore, maggiore sarà  "
                  u"'il peso', appunto, nell'insieme della stima dell'ipotesi considerata. In definitiva il "
                  u"peso misura quanto è presente quel requisito: meno o più della media.\r"),
                s(u"paragraph text La qualità viene invece indicata mediante un aggettivo a cui corrisponde "
                  u"un preciso coefficiente associato alla formula di calcolo. Nella scala proposta il "
                  u"massimo grado è costituito dal giudizio 'eccellente', mentre il minimo è costituito dal "
                  u"giudizio 'nullo'. Ad ognuno di essi corrisponde un valore che va da '1', per l "
                  u"'eccellente,  allo  '0',  per il nullo.  La stima finale,  esposta in forma di "
                  u"percentuale rispetto ad una ideale con tutti i requisiti al massimo grado, è una media "
                  u"ponderata calcolata con i dati a disposizione. All'aumentare delle caratteristiche "
                  u"considerate per ogni ipotesi si affina la valutazione ed il risultato finale diventa "
                  u"sempre più attendibile.\r"),
                s(u"paragraph size 14"),
                s(u"paragraph text \rA) DATI  (\u00A05\u00A0ipotesi considerate)"),
                s(u"heading 1"),
                s(u"paragraph text \r"),
                s(u"paragraph text \r")} +
            scaleTable + sections +
            QStringList{s(u"paragraph size 14"), s(u"paragraph text \rB) GRADUATORIA DELLE IPOTESI"),
                        s(u"heading 1"), s(u"paragraph text \r"), s(u"paragraph text \r")} +
            rankingTable +
            QStringList{s(u"keep with previous"),
                        s(u"keep with next"),
                        s(u"paragraph text \rLa presente relazione di stima è composta di n."),
                        s(u"paragraph page count"),
                        s(u"paragraph text \u00A0pagine.\r"),
                        s(u"paragraph text Si allega: \r\r\r"),
                        s(u"paragraph text Como: lunedì, 7 dic 2026\r\r\r"),
                        s(u"paragraph text il perito\r"),
                        s(u"keep with next off"),
                        s(u"paragraph text (Studio Rossi)"),
                        s(u"justify all")} +
            hypothesisNumbersAligned(2, 6) + rankingNumbersAligned(7) + QStringList{s(u"page count")};
        compareLines(b.operations, expected);
        QCOMPARE(b.operations.count(s(u"page count")), 1);

        // With the solidity, section C stands between the ranking and the closing texts, which
        // keep their size.
        RecordingBuilder solid;
        printReport(solid, source(), {true});
        const qsizetype closing = solid.operations.indexOf(s(u"keep with previous"));
        const qsizetype section =
            solid.operations.indexOf(s(u"paragraph text \rC) SOLIDITÀ DELLA GRADUATORIA"));
        QCOMPARE(solid.operations.mid(0, section - 2), b.operations.mid(0, section - 2));
        const QStringList c = solid.operations.mid(section - 2, closing - section + 2);
        QCOMPARE(c.mid(0, 5), (QStringList{s(u"paragraph size 14"), s(u"keep with next"),
                                           s(u"paragraph text \rC) SOLIDITÀ DELLA GRADUATORIA"),
                                           s(u"heading 1"), s(u"paragraph text \r")}));
        QVERIFY(c.contains(s(u"chart 5 bars")));
        QVERIFY(c.contains(s(u"table 5x4")));
        QCOMPARE(c.last(), s(u"paragraph size 14"));
        // Section C's table: positions and counts on their commas, after the text is justified.
        QCOMPARE(solid.operations.mid(solid.operations.size() - 3),
                 (QStringList{s(u"align 8,1 decimal"), s(u"align 8,3 decimal"), s(u"page count")}));
    }

    // The studio signs where it is set; unset, lines are left to write on, never anyone's name.
    void report_ownerData_data()
    {
        QTest::addColumn<OwnerData>("owner");
        QTest::addColumn<QStringList>("titlePageEnd");
        QTest::addColumn<QString>("signature");
        QTest::addColumn<QString>("author");
        const QString line = blankLine();
        QTest::newRow("unset") << OwnerData()
                               << QStringList{s(u"type ") + line + u'\r', s(u"type ") + line + s(u"\r\f")}
                               << s(u"il perito\r|(%1)").arg(line) << QString();
        QTest::newRow("everything")
            << OwnerData{s(u"Studio Rossi"), s(u"geom. Mario Rossi, n. 12"), s(u"via Roma 1"), s(u"0521 1"),
                         s(u"r@s.it")}
            << QStringList{s(u"type Studio Rossi\rgeom. Mario Rossi, n. 12\rvia Roma 1\r"),
                           s(u"type tel. 0521 1 - e-mail r@s.it\r\f")}
            << s(u"il perito\rgeom. Mario Rossi, n. 12\r|(Studio Rossi)") << s(u"Studio Rossi");
    }

    void report_ownerData()
    {
        QFETCH(OwnerData, owner);
        QFETCH(QStringList, titlePageEnd);
        QFETCH(QString, signature);
        QFETCH(QString, author);
        nameHypothesis(*study, 1, QStringLiteral("Casa"));
        enterRow(*study, 1, 1, QStringLiteral("luce"), 2, 100);
        scoreAll();
        ordina(*study, ranking);
        PrintSource withOwner = source();
        withOwner.owner = owner;
        RecordingBuilder b;
        printReport(b, withOwner);
        const QStringList& ops = b.operations;
        QCOMPARE(ops.first(), s(u"info Stima villa / %1 / Relazione di stima").arg(author));
        QVERIFY(ops.contains(
            s(u"type progettista: %1\r").arg(owner.isSet() ? owner.OwnerStudioName : blankLine())));
        const qsizetype end = ops.indexOf(s(u"blank lines stay"));
        QCOMPARE(ops.mid(end + 1, 4), (QStringList{s(u"keep with next"), titlePageEnd[0],
                                                   s(u"keep with next off"), titlePageEnd[1]}));
        const QStringList closing = signature.split(u'|');
        const qsizetype perito = ops.indexOf(s(u"paragraph text ") + closing[0]);
        QVERIFY(perito > 0);
        QCOMPARE(ops.mid(perito + 1, 2),
                 (QStringList{s(u"keep with next off"), s(u"paragraph text ") + closing[1]}));
    }

    void report_weightingSection_data()
    {
        QTest::addColumn<QList<int>>("compared");
        // The step of each comparison's one pair, luce against rumore.
        QTest::addColumn<QList<int>>("steps");
        // Villa and Rustico name their rows as Casa does.
        QTest::addColumn<bool>("sameNames");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("not asked") << QList<int>{1} << QList<int>{4} << false << false << QStringList();
        QTest::newRow("no comparison") << QList<int>() << QList<int>() << false << true << QStringList();
        QTest::newRow("one") << QList<int>{1} << QList<int>{4} << false << true
                             << QStringList{s(u"Ipotesi n.\u00A01: Casa")};
        QTest::newRow("other names") << QList<int>{1, 2} << QList<int>{4, 4} << false << true
                                     << QStringList{s(u"Ipotesi n.\u00A01: Casa"),
                                                    s(u"Ipotesi n.\u00A02: Villa")};
        QTest::newRow("other judgements")
            << QList<int>{1, 2} << QList<int>{4, -2} << true << true
            << QStringList{s(u"Ipotesi n.\u00A01: Casa"), s(u"Ipotesi n.\u00A02: Villa")};
        QTest::newRow("shared by some") << QList<int>{1, 3} << QList<int>{4, 4} << true << true
                                        << QStringList{s(u"Confronto comune alle ipotesi n.\u00A01, 3")};
        QTest::newRow("shared by all") << QList<int>{1, 2, 3} << QList<int>{4, 4, 4} << true << true
                                       << QStringList{s(u"Confronto comune a tutte le ipotesi")};
    }

    void report_weightingSection()
    {
        QFETCH(QList<int>, compared);
        QFETCH(QList<int>, steps);
        QFETCH(bool, sameNames);
        QFETCH(bool, asked);
        QFETCH(QStringList, captions);
        threeHypotheses();
        if (sameNames) {
            for (const int h : {2, 3}) {
                enterRow(*study, h, 1, QStringLiteral("luce"), 2, 60);
                enterRow(*study, h, 2, QStringLiteral("rumore"), 1, 40);
            }
        }
        for (qsizetype i = 0; i < compared.size(); ++i) {
            study->hypothesis(compared.at(i)).comparison = PairwiseComparison{{1, 2}, {steps.at(i)}};
        }
        scoreAll();
        ordina(*study, ranking);
        RecordingBuilder b;
        printReport(b, source(), {.withWeighting = asked});
        const QStringList& ops = b.operations;

        const qsizetype heading = ops.indexOf(s(u"paragraph text \rD) CRITERI DI PONDERAZIONE"));
        QCOMPARE(heading >= 0, !captions.isEmpty());
        QStringList shown;
        for (const QString& op : ops.mid(heading < 0 ? ops.size() : heading)) {
            if (op.startsWith(s(u"paragraph text \rIpotesi n.")) ||
                op.startsWith(s(u"paragraph text \rConfronto"))) {
                shown << op.mid(16);
            }
        }
        QCOMPARE(shown, captions);
        if (captions.isEmpty()) {
            QVERIFY(!ops.contains(s(u"table 3x3")));
            return;
        }
        // After the ranking table (table 5), before the closing block, heading kept with the text.
        const qsizetype closing = ops.indexOf(s(u"keep with previous"));
        QVERIFY(ops.indexOf(s(u"table 4x4")) < heading && heading < closing);
        QCOMPARE(ops.mid(heading - 2, 5), (QStringList{s(u"paragraph size 14"), s(u"keep with next"),
                                                       s(u"paragraph text \rD) CRITERI DI PONDERAZIONE"),
                                                       s(u"heading 1"), s(u"paragraph text \r")}));
        QCOMPARE(ops.at(closing - 1), s(u"paragraph size 14"));
        const QStringList d = ops.mid(heading, closing - heading);
        QCOMPARE(d.count(s(u"table 3x3")), captions.size());
        QCOMPARE(d.count(s(u"table 5x3")), captions.size());
        QCOMPARE(d.count(s(u"heading 2")), captions.size());
        // The first matrix: "luce" five times as important as "rumore" (step 4).
        const qsizetype matrix = d.indexOf(s(u"table 3x3"));
        QCOMPARE(d.mid(matrix, 15),
                 (QStringList{s(u"table 3x3"), s(u"table size 10"), s(u"cell 1,1 "), s(u"cell 1,2 luce"),
                              s(u"cell 1,3 rumore"), s(u"cell 2,1 luce"), s(u"cell 2,2 1"), s(u"cell 2,3 5"),
                              s(u"cell 3,1 rumore"), s(u"cell 3,2 1/5"), s(u"cell 3,3 1"), s(u"format 9"),
                              s(u"paragraph text \r"), s(u"table 5x3"), s(u"table size 10")}));
        const qsizetype weights = matrix + 13;
        for (const char16_t* cell : {u"cell 2,2 83,3", u"cell 2,3  83", u"cell 3,2 16,7", u"cell 3,3  17",
                                     u"cell 4,2 2,000", u"cell 5,2 0,000"}) {
            QVERIFY2(d.mid(weights).contains(s(cell)), qPrintable(s(cell)));
        }
        // Every table's numbers on their commas, after the ranking's.
        QStringList aligned;
        for (qsizetype i = 0; i < captions.size(); ++i) {
            const int table = 6 + 2 * int(i);
            for (const auto& [t, c] : std::initializer_list<std::pair<int, int>>{
                     {table, 2}, {table, 3}, {table + 1, 2}, {table + 1, 3}}) {
                aligned << QStringLiteral("align %1,%2 decimal").arg(t).arg(c);
            }
        }
        QCOMPARE(ops.mid(ops.size() - 1 - aligned.size()), aligned + QStringList{s(u"page count")});
    }

    void weightingSection_matrixHeaderAndConsistency_data()
    {
        QTest::addColumn<QList<int>>("steps");
        QTest::addColumn<QStringList>("cells");
        // a 3 times b, a 5 times c, b 3 times c: near enough.
        QTest::newRow("consistent") << QList<int>{2, 4, 2}
                                    << QStringList{s(u"cell 1,2 r1"), s(u"cell 2,4 5"), s(u"cell 4,2 1/5"),
                                                   s(u"cell 6,1 rapporto di coerenza CR (accettabile)")};
        // a 9 times b, c 9 times a, b 9 times c: a circle.
        QTest::newRow("contradictory")
            << QList<int>{8, -8, 8}
            << QStringList{s(u"cell 2,4 1/9"), s(u"cell 6,1 rapporto di coerenza CR (da rivedere)")};
        // Past five the columns are headed by number, the rows by number and name.
        QTest::newRow("six numbered") << QList<int>(15, 0)
                                      << QStringList{s(u"cell 1,2 1"), s(u"cell 1,7 6"), s(u"cell 2,1 1. r1"),
                                                     s(u"cell 7,1 6. r6"), s(u"cell 7,7 1")};
    }

    void weightingSection_matrixHeaderAndConsistency()
    {
        QFETCH(QList<int>, steps);
        QFETCH(QStringList, cells);
        const int n = steps.size() == 3 ? 3 : 6;
        nameHypothesis(*study, 1, QStringLiteral("Casa"));
        PairwiseComparison comparison;
        for (int r = 1; r <= n; ++r) {
            enterRow(*study, 1, r, QStringLiteral("r%1").arg(r), 2, r == 1 ? 100 - (n - 1) : 1);
            comparison.rows.push_back(r);
        }
        comparison.steps.assign(steps.begin(), steps.end());
        study->hypothesis(1).comparison = comparison;
        scoreAll();
        ordina(*study, ranking);
        RecordingBuilder b;
        printReport(b, source(), {.withWeighting = true});
        const QStringList d =
            b.operations.mid(b.operations.indexOf(s(u"paragraph text \rD) CRITERI DI PONDERAZIONE")));
        for (const QString& cell : cells) {
            QVERIFY2(d.contains(cell), qPrintable(cell));
        }
    }

    void titlePageData_oneTableNoData()
    {
        threeHypotheses();
        RecordingBuilder b;
        printTitlePageData(b, source());
        const QStringList expected = info(u"Frontespizio", u"Frontespizio") + heading(18, 12) +
                                     QStringList{s(u"type FRONTESPIZIO\r"),
                                                 s(u"table 10x2"),
                                                 s(u"table size 10"),
                                                 s(u"cell 1,1 tipologia"),
                                                 s(u"cell 1,2 dati"),
                                                 s(u"cell 2,1 perizia"),
                                                 s(u"cell 2,2 Stima villa"),
                                                 s(u"cell 3,1 località"),
                                                 s(u"cell 3,2 Como"),
                                                 s(u"cell 4,1 tipologia di studio"),
                                                 s(u"cell 4,2 confronto"),
                                                 s(u"cell 5,1 committente"),
                                                 s(u"cell 5,2 Bianchi"),
                                                 s(u"cell 6,1 luogo della elaborazione"),
                                                 s(u"cell 6,2 Como"),
                                                 s(u"cell 7,1 data della elaborazione"),
                                                 s(u"cell 7,2 lunedì, 7 dic 2026"),
                                                 s(u"cell 8,1 allegati alla relazione"),
                                                 s(u"cell 8,2 "),
                                                 s(u"cell 9,1 studio tecnico"),
                                                 s(u"cell 9,2 Studio Rossi"),
                                                 s(u"cell 10,1 indirizzo"),
                                                 s(u"cell 10,2 via Roma 1"),
                                                 s(u"format 9")};
        compareLines(b.operations, expected);
    }
};

QTEST_GUILESS_MAIN(TestPrintouts)
#include "tst_printouts.moc"
