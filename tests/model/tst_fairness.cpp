#include "model/fairness.h"

#include <QTest>

using namespace pondra;

namespace {

// Hypotheses apart by "|", each "nome=peso;nome=peso", a row with a name and a weight cell each ("nome="
// leaves the weight empty, "=30" the name).
Study studyOf(const QString& hypotheses)
{
    Study study;
    int h = 0;
    for (const QString& line : hypotheses.split(u'|')) {
        ++h;
        study.hypothesis(h).name = Value::text(QStringLiteral("Ipotesi %1").arg(h));
        int r = 0;
        for (const QString& cell : line.split(u';', Qt::SkipEmptyParts)) {
            ++r;
            const QString name = cell.section(u'=', 0, 0);
            const QString weight = cell.section(u'=', 1);
            CharacteristicEntry& row = study.row(h, r);
            row.ticked = Value::integer(1);
            row.name = name.isEmpty() ? Value() : Value::text(name);
            row.weight = weight.isEmpty() ? Value() : Value::text(weight);
        }
        study.hypothesis(h).LastNamedRow = Value::integer(qint16(r));
    }
    return study;
}

} // namespace

class TestFairness : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void notes_data()
    {
        QTest::addColumn<QString>("hypotheses");
        QTest::addColumn<QStringList>("notes");
        QTest::newRow("alike") << QStringLiteral("costo=60;qualità=40|costo=60;qualità=40") << QStringList{};
        QTest::newRow("one hypothesis") << QStringLiteral("costo=100") << QStringList{};
        QTest::newRow("order of the rows does not matter")
            << QStringLiteral("costo=60;qualità=40|qualità=40;costo=60") << QStringList{};
        QTest::newRow("case and blanks do not matter")
            << QStringLiteral("Costo=60;qualità=40| costo =60;QUALITÀ=40") << QStringList{};
        QTest::newRow("the same weight written otherwise")
            << QStringLiteral("costo=30|costo=30.0") << QStringList{};
        QTest::newRow("missing in one")
            << QStringLiteral("costo=60;qualità=40|costo=100")
            << QStringList{
                   QStringLiteral("«costo» pesa 60\u00A0% nell'ipotesi 1 e 100\u00A0% nell'ipotesi 2"),
                   QStringLiteral("«qualità» manca nell'ipotesi 2")};
        QTest::newRow("missing in two, first spelling kept")
            << QStringLiteral("costo=50;Rumore=50|costo=50;qualità=50|costo=50;qualità=50|costo=50;rumore=50")
            << QStringList{QStringLiteral("«Rumore» manca nelle ipotesi 2 e 3"),
                           QStringLiteral("«qualità» manca nelle ipotesi 1 e 4")};
        QTest::newRow("three weights")
            << QStringLiteral("costo=30|costo=25|costo=30|costo=12.5")
            << QStringList{
                   QStringLiteral("«costo» pesa 30\u00A0% nelle ipotesi 1 e 3, 25\u00A0% nell'ipotesi 2 "
                                  "e 12,5\u00A0% nell'ipotesi 4")};
        QTest::newRow("an empty weight weighs 0") << QStringLiteral("costo=|costo=0") << QStringList{};
        QTest::newRow("an empty weight against 30")
            << QStringLiteral("costo=|costo=30")
            << QStringList{QStringLiteral("«costo» pesa 0\u00A0% nell'ipotesi 1 e 30\u00A0% nell'ipotesi 2")};
        QTest::newRow("unnamed rows are not characteristics")
            << QStringLiteral("costo=60;=40|costo=60") << QStringList{};
        QTest::newRow("a name twice counts its first row")
            << QStringLiteral("costo=60;costo=40|costo=60") << QStringList{};
    }
    void notes()
    {
        QFETCH(QString, hypotheses);
        QFETCH(QStringList, notes);
        QCOMPARE(fairnessNotes(studyOf(hypotheses)), notes);
    }

    // A free slot between named hypotheses is not a hypothesis lacking every characteristic.
    void freeSlot_isNotCompared()
    {
        Study study = studyOf(QStringLiteral("costo=100||costo=50"));
        study.hypothesis(2).name = Value();
        QCOMPARE(
            fairnessNotes(study),
            QStringList{QStringLiteral("«costo» pesa 100\u00A0% nell'ipotesi 1 e 50\u00A0% nell'ipotesi 3")});
    }
};

QTEST_GUILESS_MAIN(TestFairness)
#include "tst_fairness.moc"
