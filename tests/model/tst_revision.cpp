#include "model/ranking.h"
#include "model/rowediting.h"
#include "model/scoring.h"

#include <QTest>

#include <functional>

using namespace pondra;

using Action = std::function<void(Study&)>;
Q_DECLARE_METATYPE(Action)

class TestRevision : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyEditMovesItOnce_nothingElseMovesIt_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<int>("moves");
        QTest::newRow("tick") << Action([](Study& s) { SetRowTicked(s, 1, 2, true); }) << 1;
        QTest::newRow("name") << Action([](Study& s) { SetRowName(s, 1, 2, QStringLiteral("costo")); }) << 1;
        QTest::newRow("judgement") << Action([](Study& s) { JudgeRow(s, 1, 1, 4); }) << 1;
        QTest::newRow("weight") << Action([](Study& s) { SetRowWeight(s, 1, 1, 40); }) << 1;
        QTest::newRow("hypothesis name")
            << Action([](Study& s) { SetHypothesisName(s, 1, QStringLiteral("B")); }) << 1;
        QTest::newRow("clear") << Action([](Study& s) { ClearHypothesis(s, 1); }) << 1;
        QTest::newRow("scoring") << Action([](Study& s) { Recalculate(s, 1); }) << 0;
        QTest::newRow("ranking") << Action([](Study& s) {
            Ranking ranking;
            ordina(s, ranking);
        }) << 0;
    }
    void everyEditMovesItOnce_nothingElseMovesIt()
    {
        QFETCH(Action, action);
        QFETCH(int, moves);
        Study study;
        SetHypothesisName(study, 1, QStringLiteral("A"));
        SetRowTicked(study, 1, 1, true);
        SetRowName(study, 1, 1, QStringLiteral("pregio"));
        const quint64 before = study.revision();
        action(study);
        QCOMPARE(study.revision(), before + quint64(moves));
    }

    void replaceWith_movesOn_equalityIgnoresIt()
    {
        Study shown;
        for (int i = 0; i < 3; ++i) {
            shown.noteEdit();
        }
        Study read;
        SetHypothesisName(read, 1, QStringLiteral("Letta"));
        Study expected = read;

        shown.replaceWith(std::move(read));
        QVERIFY(shown == expected);
        QCOMPARE(shown.revision(), quint64(4)); // never back to a revision already used
        QVERIFY(shown.revision() != expected.revision());
    }

    void goneBackToAnEarlierState_theNextEditIsANewRevision()
    {
        Study study;
        study.noteEdit();
        study.noteEdit();
        study.returnToRevision(1);
        QCOMPARE(study.revision(), quint64(1));
        study.noteEdit();
        QCOMPARE(study.revision(), quint64(3));
    }
};

QTEST_MAIN(TestRevision)
#include "tst_revision.moc"
