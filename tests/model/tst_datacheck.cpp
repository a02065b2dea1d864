#include "model/datacheck.h"
#include "support/studybuilder.h"

#include <QTest>

#include <memory>

using namespace pondra;
using testsupport::enterRow;
using testsupport::nameHypothesis;
using namespace Qt::StringLiterals;

class TestDataCheck : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Study> study;
    int start = 1; // the hypothesis shown when the check starts

    // Two well-formed hypotheses, hypothesis 1 on display.
    void enterValidStudy()
    {
        nameHypothesis(*study, 1, QStringLiteral("Uno"));
        enterRow(*study, 1, 1, QStringLiteral("costo"), 3, 60);
        enterRow(*study, 1, 2, QStringLiteral("qualità"), 6, 40);
        nameHypothesis(*study, 2, QStringLiteral("Due"));
        enterRow(*study, 2, 1, QStringLiteral("costo"), 1, 100);
    }

    void expectFailure(const QString& text, int shown)
    {
        const DataCheckResult r = CheckData(*study, start);
        QVERIFY(!r.passed);
        QCOMPARE(r.message.text, text);
        QCOMPARE(r.message.icon, MessageIcon::Critical);
        QCOMPARE(r.shown, shown);
    }

    static Value cleared() { return Value::text(QString()); }

private Q_SLOTS:
    void init()
    {
        study = std::make_unique<Study>();
        start = 1;
    }

    void validStudy_passes_leavesLastHypothesisShown()
    {
        enterValidStudy();
        const DataCheckResult r = CheckData(*study, start);
        QVERIFY(r.passed);
        QCOMPARE(r.message, (Message{QStringLiteral("I dati sono stati immessi correttamente."),
                                     MessageIcon::Information}));
        QCOMPARE(r.shown, 2);
        QVERIFY(r.figures);
        QCOMPARE(r.figures->resto, QStringLiteral("0"));
        QCOMPARE(study->hypothesis(1).EvaluationPercent.numberValue(), 0.68 * 100);
    }

    void nothingEntered() { expectFailure(QStringLiteral("Non è stato immesso alcun dato."), 1); }

    // Names and ticks anywhere count, whatever is on screen; a row removed is a gap.
    void mendedSituations_data()
    {
        QTest::addColumn<int>("situation");
        QTest::addColumn<QString>("text"); // empty: the check passes
        QTest::addColumn<int>("shown");
        const QString name3 = u"Ipotesi n. 3: digitare il nome dell'ipotesi n. 3"_s;
        QTest::newRow("rows 6..15 in view") << 0 << QString() << 2;
        QTest::newRow("nothing, hypothesis 3 shown") << 1 << u"Non è stato immesso alcun dato."_s << 3;
        QTest::newRow("no name anywhere") << 2 << u"Ipotesi n. 1: digitare il nome dell'ipotesi n. 1"_s << 1;
        QTest::newRow("first row removed") << 3 << QString() << 2;
        QTest::newRow("only a named row 3")
            << 4 << u"Ipotesi n. 2: spuntare la caratteristica digitata n. 3"_s << 2;
        QTest::newRow("ticked row in unnamed slot 3") << 5 << name3 << 3;
        QTest::newRow("unnamed slot before remainders") << 6 << name3 << 3;
    }
    void mendedSituations()
    {
        QFETCH(int, situation);
        const CharacteristicEntry removed{Value::integer(0), cleared(), cleared(),
                                          cleared(),         cleared(), cleared()};
        if (situation != 1 && situation != 2) {
            enterValidStudy();
        }
        switch (situation) {
        case 0:
            break;
        case 1:
            start = 3;
            break;
        case 2:
            enterRow(*study, 1, 1, u"costo"_s, 3, 100);
            break;
        case 3: // row 2 carries the weight
        case 4: // row 3 named, not ticked
            enterRow(*study, 2, situation - 1, u"luce"_s, 3, 100);
            study->row(2, 1) = removed;
            if (situation == 4) {
                study->row(2, 3).ticked = Value::integer(0);
            }
            break;
        case 5:
            enterRow(*study, 3, 1, u"costo"_s, 3, 100);
            break;
        case 6:
            study->row(1, 2).weight = Value::text(u"30"_s);
            study->row(3, 4).ticked = Value::integer(1);
            break;
        }
        QFETCH(QString, text);
        QFETCH(int, shown);
        const DataCheckResult r = CheckData(*study, start);
        QCOMPARE(r.passed ? QString() : r.message.text, text);
        QCOMPARE(r.shown, shown);
    }

    void messagesInOrder_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("shown");
        QTest::newRow("no characteristic")
            << 0 << QStringLiteral("Ipotesi n. 2: immettere almeno una caratteristica.") << 2;
        QTest::newRow("named not ticked")
            << 1 << QStringLiteral("Ipotesi n. 2: spuntare la caratteristica digitata n. 4") << 2;
        QTest::newRow("ticked without name")
            << 2 << QStringLiteral("Ipotesi n. 2: digitare la denominazione della caratteristica n. 2") << 2;
        QTest::newRow("ticked without judgement")
            << 3
            << QStringLiteral("Ipotesi n. 2: cliccare sul giudizio da assegnare alla caratteristica n. 1")
            << 2;
        QTest::newRow("hypothesis without name")
            << 4 << QStringLiteral("Ipotesi n. 2: digitare il nome dell'ipotesi n. 2") << 2;
        QTest::newRow("remainder") << 5
                                   << QStringLiteral(
                                          "Ipotesi n. 1: se non si hanno altre caratteristiche da aggiungere "
                                          "assegnare le percentuali fino ad ottenere resto zero.")
                                   << 1;
    }
    void messagesInOrder()
    {
        QFETCH(int, fault);
        enterValidStudy();
        CharacteristicEntry emptyRow;
        switch (fault) {
        case 0:
            study->row(2, 1) = emptyRow;
            break;
        case 1:
            enterRow(*study, 2, 4, QStringLiteral("peso"), 5, 0);
            study->row(2, 4).ticked = Value::integer(0);
            study->row(2, 3).name = Value::text(QStringLiteral("vuota")); // unticked too, but row 3 < 4
            study->row(2, 3).ticked = Value::integer(1);
            study->row(2, 3).judgement = Value::text(QStringLiteral("buono"));
            study->row(2, 3).name = Value::text(QStringLiteral("x"));
            break;
        case 2:
            study->row(2, 2).ticked = Value::integer(1);
            study->hypothesis(2).LastNamedRow = Value::integer(3);
            study->row(2, 3) = study->row(2, 1);
            break;
        case 3:
            study->row(2, 1).judgement = Value::text(QString());
            break;
        case 4:
            study->hypothesis(2).name = Value::text(QString());
            break;
        case 5:
            study->row(1, 2).weight = Value::text(QStringLiteral("30"));
            break;
        }
        QFETCH(QString, text);
        QFETCH(int, shown);
        expectFailure(text, shown);
    }

    void remainderMessage_data()
    {
        QTest::addColumn<QString>("weight"); // of the second row, beside 60
        QTest::addColumn<QString>("text");
        QTest::newRow("under 100") << QStringLiteral("30")
                                   << QStringLiteral("Ipotesi n. 1: se non si hanno altre caratteristiche da "
                                                     "aggiungere assegnare le percentuali fino ad ottenere "
                                                     "resto zero.");
        QTest::newRow("over by 5") << QStringLiteral("45")
                                   << QStringLiteral("Ipotesi n. 1: i pesi superano 100 di 5 punti; ridurli "
                                                     "fino ad ottenere resto zero.");
        QTest::newRow("over by 1") << QStringLiteral("41")
                                   << QStringLiteral("Ipotesi n. 1: i pesi superano 100 di 1 punto; ridurli "
                                                     "fino ad ottenere resto zero.");
    }
    void remainderMessage()
    {
        QFETCH(QString, weight);
        enterValidStudy();
        study->row(1, 2).weight = Value::text(weight);
        QFETCH(QString, text);
        expectFailure(text, 1);
    }

    // The few words a note says of the first finding.
    void todo_namesTheFindingBriefly_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("todo");
        QTest::newRow("none") << 0 << QString();
        QTest::newRow("nothing entered") << 1 << u"tutti i dati"_s;
        QTest::newRow("remainder") << 2 << u"Ipotesi n. 1, resto 30 %"_s;
        QTest::newRow("over 100") << 3 << u"Ipotesi n. 1, pesi oltre 100 di 2,5 %"_s;
        QTest::newRow("judgement") << 4 << u"Ipotesi n. 2, giudizio della caratteristica n. 1"_s;
        QTest::newRow("name") << 5 << u"Ipotesi n. 2, nome dell'ipotesi"_s;
    }
    void todo_namesTheFindingBriefly()
    {
        QFETCH(int, fault);
        if (fault != 1) {
            enterValidStudy();
        }
        if (fault == 2 || fault == 3) {
            study->row(1, 2).weight = Value::text(fault == 2 ? u"10"_s : u"42.5"_s);
        } else if (fault == 4) {
            study->row(2, 1).judgement = Value::text(QString());
        } else if (fault == 5) {
            study->hypothesis(2).name = Value::text(QString());
        }
        QFETCH(QString, todo);
        QCOMPARE(CheckData(*study, start).todo, todo);
    }

    void rowsCheckedBeforeAnyRemainder()
    {
        enterValidStudy();
        study->row(1, 2).weight = Value::text(QStringLiteral("30")); // remainder fault in 1
        study->row(2, 1).judgement = Value::text(QString());         // row fault in 2
        expectFailure(
            QStringLiteral("Ipotesi n. 2: cliccare sul giudizio da assegnare alla caratteristica n. 1"), 2);
    }

    void gapInNames_checksOnlyCountedSlots()
    {
        nameHypothesis(*study, 1, QStringLiteral("Uno"));
        enterRow(*study, 1, 1, QStringLiteral("costo"), 3, 100);
        nameHypothesis(*study, 5, QStringLiteral("Cinque"));
        QCOMPARE(study->countNamedHypotheses(), 2);
        // Slot 2 is empty: remainder 100.
        expectFailure(
            QStringLiteral("Ipotesi n. 2: se non si hanno altre caratteristiche da aggiungere assegnare le "
                           "percentuali fino ad ottenere resto zero."),
            2);
    }

    void clearedHypothesis_asksForACharacteristic()
    {
        enterValidStudy();
        for (int r = 1; r <= 2; ++r) {
            CharacteristicEntry& row = study->row(1, r);
            row.ticked = Value::integer(0);
            row.name = row.judgement = row.judgementNumber = row.coefficient = row.weight =
                Value::text(QString());
        }
        start = 2; // the cleared one is not on screen
        expectFailure(QStringLiteral("Ipotesi n. 1: immettere almeno una caratteristica."), 1);
    }

    void failure_onShownHypothesis_doesNotRescore()
    {
        enterValidStudy();
        study->row(1, 1).judgement = Value::text(QString());
        study->hypothesis(1).EvaluationPercent = Value::number(12);
        const DataCheckResult r = CheckData(*study, start);
        QVERIFY(!r.passed);
        QVERIFY(!r.figures);
        QCOMPARE(study->hypothesis(1).EvaluationPercent, Value::number(12));
    }
};

QTEST_APPLESS_MAIN(TestDataCheck)
#include "tst_datacheck.moc"
