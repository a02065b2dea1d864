#include "document/studydocument.h"
#include "support/studybuilder.h"

#include <QTest>

using namespace pondra;
using namespace testsupport;

namespace {

// Hypothesis 1, shown: costo, comfort, consumi in rows 1..3, weighed 50, 30, 20.
const QStringList ShownNames = {QStringLiteral("costo"), QStringLiteral("comfort"),
                                QStringLiteral("consumi")};

// Hypothesis h holds these names from row 1 on ("" an empty row), row r judged r.
void enterHypothesis(Study& study, int h, const QStringList& names)
{
    nameHypothesis(study, h, QStringLiteral("ipotesi %1").arg(h));
    for (int i = 0; i < names.size(); ++i) {
        if (!names.at(i).isEmpty()) {
            enterRow(study, h, i + 1, names.at(i), i + 1, 10);
        }
    }
}

int weightOf(const Study& study, int h, int r)
{
    return study.row(h, r).weight.toDisplayText().toInt();
}

// The weights of hypothesis h by name, trimmed and lower case.
QMap<QString, int> weightsByName(const Study& study, int h)
{
    QMap<QString, int> weights;
    for (int r = 1; r <= study.lastNamedRowOf(h); ++r) {
        if (!study.row(h, r).name.isEmpty()) {
            weights.insert(study.row(h, r).name.toDisplayText().trimmed().toLower(), weightOf(study, h, r));
        }
    }
    return weights;
}

} // namespace

// The intents the pairwise comparison and its copy command give the document: each is one step
// that undo takes back whole.
class TestPairwiseWeights : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<StudyDocument> document;

    void load(const QStringList& otherNames)
    {
        Study study;
        enterHypothesis(study, 1, ShownNames);
        for (int i = 0; i < 3; ++i) {
            study.row(1, i + 1).weight = Value::text(QString::number(QList{50, 30, 20}.at(i)));
        }
        enterHypothesis(study, 2, otherNames);
        document = std::make_unique<StudyDocument>(QDate(2026, 12, 8));
        document->adoptRecovered(std::move(study), TitlePage());
        document->showHypothesis(1);
    }

    // One step that undo takes back exactly and redo gives again.
    void checkOneStep(const Study& before, int stepsBefore)
    {
        QCOMPARE(document->undoStack().count(), stepsBefore + 1);
        const Study after = document->study();
        document->undoStack().undo();
        QVERIFY(document->study() == before);
        QCOMPARE(document->study().revision(), before.revision());
        document->undoStack().redo();
        QVERIFY(document->study() == after);
    }

private Q_SLOTS:
    void applyPairwiseWeights_data()
    {
        QTest::addColumn<QStringList>("otherNames");
        QTest::addColumn<bool>("everyHypothesis");
        QTest::addColumn<bool>("otherTakesThem");

        QTest::newRow("shown only") << ShownNames << false << false;
        QTest::newRow("same names, other rows, other spelling")
            << QStringList{QStringLiteral(" Consumi"), QString(), QStringLiteral("COSTO "),
                           QStringLiteral("comfort")}
            << true << true;
        QTest::newRow("one name more")
            << (ShownNames + QStringList{QStringLiteral("giardino")}) << true << false;
        QTest::newRow("one name less") << ShownNames.mid(0, 2) << true << false;
    }
    void applyPairwiseWeights()
    {
        QFETCH(QStringList, otherNames);
        QFETCH(bool, everyHypothesis);
        QFETCH(bool, otherTakesThem);
        load(otherNames);
        const Study before = document->study();
        const int steps = document->undoStack().count();
        // costo 3 times comfort and 5 times consumi, comfort twice consumi.
        const PairwiseComparison comparison{{1, 2, 3}, {2, 4, 1}};

        document->applyPairwiseWeights(comparison, everyHypothesis);

        const Study& study = document->study();
        const QMap<QString, int> shown = weightsByName(study, 1);
        QCOMPARE(shown.value(QStringLiteral("costo")) + shown.value(QStringLiteral("comfort")) +
                     shown.value(QStringLiteral("consumi")),
                 100);
        QVERIFY(shown.value(QStringLiteral("costo")) > shown.value(QStringLiteral("comfort")));
        QVERIFY(shown.value(QStringLiteral("comfort")) > shown.value(QStringLiteral("consumi")));
        QCOMPARE(study.hypothesis(1).comparison, std::optional(comparison));
        QCOMPARE(weightsByName(study, 2) == shown, otherTakesThem);
        if (!otherTakesThem) {
            QVERIFY(study.hypothesis(2) == before.hypothesis(2));
        }
        checkOneStep(before, steps);
        // Emptied, the hypothesis keeps no comparison for rows it no longer has.
        document->clearShownHypothesis();
        QVERIFY(!document->study().hypothesis(1).comparison);
    }

    void copyCharacteristics_data()
    {
        QTest::addColumn<QStringList>("otherNames");
        // The judgement each of rows 1..4 has after the copy, -1 for none.
        QTest::addColumn<QList<int>>("judgements");

        QTest::newRow("none in common") << QStringList{QStringLiteral("giardino")} << QList{-1, -1, -1, -1};
        QTest::newRow("same rows") << ShownNames << QList{1, 2, 3, -1};
        QTest::newRow("moved, other spelling, one row too many")
            << QStringList{QStringLiteral("Consumi "), QStringLiteral("giardino"), QStringLiteral("COSTO"),
                           QStringLiteral("rumore")}
            << QList{3, -1, 1, -1};
    }
    void copyCharacteristics()
    {
        QFETCH(QStringList, otherNames);
        QFETCH(QList<int>, judgements);
        load(otherNames);
        const Study before = document->study();
        const int steps = document->undoStack().count();

        document->copyCharacteristicsToOtherHypotheses();

        const Study& study = document->study();
        QCOMPARE(study.lastNamedRowOf(2), 3);
        for (int r = 1; r <= 4; ++r) {
            QCOMPARE(study.row(2, r).name.toDisplayText(), ShownNames.value(r - 1));
            QCOMPARE(study.row(2, r).weight.toDisplayText(), study.row(1, r).weight.toDisplayText());
            const int judged = judgements.at(r - 1);
            QCOMPARE(study.row(2, r).judgement.isEmpty(), judged < 0);
            if (judged >= 0) {
                QCOMPARE(int(study.row(2, r).judgementNumber.integerValue()), judged);
            }
        }
        QCOMPARE(study.hypothesis(1), before.hypothesis(1));
        checkOneStep(before, steps);
    }
};

QTEST_GUILESS_MAIN(TestPairwiseWeights)
#include "tst_pairwiseweights.moc"
