#include "model/rowediting.h"
#include "model/scoring.h"
#include "support/studybuilder.h"
#include "ui/core/studyhistory.h"

#include <QTest>

#include <functional>
#include <memory>

using namespace pondra;
using Merge = StudyHistory::Merge;

namespace {

struct Fixture {
    std::unique_ptr<Study> study = std::make_unique<Study>();
    TitlePage page;
    StudyHistory history{*study, page};
    QList<ChangePlace> shown;

    Fixture()
    {
        testsupport::nameHypothesis(*study, 1, QStringLiteral("Sede"));
        testsupport::enterRow(*study, 1, 1, QStringLiteral("costo"), 3, 60);
        testsupport::enterRow(*study, 1, 2, QStringLiteral("sicurezza"), 5, 40);
        testsupport::nameHypothesis(*study, 2, QStringLiteral("Ampliamento"));
        page.progetto = QStringLiteral("Perizia");
        history.onRestored = [this](const ChangePlace& place) {
            shown << place;
            // Rescored as after an edit, in the hypothesis shown.
            ShowHypothesis(*study, place.hypothesis > 0 ? place.hypothesis : study->CurrentHypothesis);
        };
        Recalculate(*study);
    }

    // An edit as a window's event procedure makes it: the change, then the scoring.
    void edit(const QString& text, const std::function<void(Study&, TitlePage&)>& change, Merge merge = Merge::None,
              int place = 0)
    {
        const auto scope = history.edit(text, merge, place);
        change(*study, page);
        Recalculate(*study);
    }
};

using Change = std::function<void(Study&, TitlePage&)>;

struct Case {
    const char* name;
    int hypothesis;
    Change change;
    int row;
};

const std::vector<Case>& cases()
{
    static const std::vector<Case> list{
        {"tick", 1, [](Study& s, TitlePage&) { SetRowTicked(s, 3, true); }, 3},
        {"untick", 1,
         [](Study& s, TitlePage&) {
             SetRowTicked(s, 2, false);
             SetRowName(s, 2, QString());
         },
         2},
        {"name", 1, [](Study& s, TitlePage&) { SetRowName(s, 3, QStringLiteral("qualità")); }, 3},
        {"judgement", 1, [](Study& s, TitlePage&) { JudgeRow(s, 1, 9); }, 1},
        {"weight", 1, [](Study& s, TitlePage&) { SetRowWeight(s, 2, 41); }, 2},
        {"hypothesis name", 2, [](Study& s, TitlePage&) { SetHypothesisName(s, QString()); }, 0},
        {"clear", 1, [](Study& s, TitlePage&) { ClearShownHypothesis(s); }, 1},
        {"title page", 1, [](Study&, TitlePage& p) { p.committente = QStringLiteral("Comune"); }, 0},
    };
    return list;
}

} // namespace

class TestStudyHistory : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void eachEdit_undoneAndRedone_wholeStudy_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(cases().size()); ++i) {
            QTest::newRow(cases()[std::size_t(i)].name) << i;
        }
    }
    void eachEdit_undoneAndRedone_wholeStudy()
    {
        QFETCH(int, index);
        const Case& c = cases()[std::size_t(index)];
        Fixture f;
        ShowHypothesis(*f.study, c.hypothesis);
        const auto before = std::make_unique<Study>(*f.study);
        const TitlePage pageBefore = f.page;
        f.edit(QStringLiteral("modifica"), c.change);
        const auto after = std::make_unique<Study>(*f.study);
        const TitlePage pageAfter = f.page;
        QVERIFY(!(*after == *before) || !(pageAfter == pageBefore));
        QCOMPARE(f.history.stack().count(), 1);

        f.history.stack().undo();
        QVERIFY(*f.study == *before);
        QCOMPARE(f.page, pageBefore);
        f.history.stack().redo();
        QVERIFY(*f.study == *after);
        QCOMPARE(f.page, pageAfter);
        QCOMPARE(f.shown.size(), 2);
        QCOMPARE(f.shown.at(0).row, c.row);
        QCOMPARE(f.shown.at(0).titlePage, c.row == 0 && c.hypothesis == 1);
    }

    void arrowClicks_onOneRow_mergeIntoOneStep_upAndDownAgain_noStep()
    {
        Fixture f;
        const auto before = std::make_unique<Study>(*f.study);
        for (int w : {61, 62, 63}) {
            f.edit(QStringLiteral("peso caratteristica n. 1"), [w](Study& s, TitlePage&) { SetRowWeight(s, 1, w); },
                   Merge::Weight, 1);
        }
        f.edit(QStringLiteral("peso caratteristica n. 2"), [](Study& s, TitlePage&) { SetRowWeight(s, 2, 37); },
               Merge::Weight, 2);
        QCOMPARE(f.history.stack().count(), 2);
        QCOMPARE(f.history.stack().undoText(), QStringLiteral("peso caratteristica n. 2"));
        f.history.stack().undo();
        f.history.stack().undo();
        QVERIFY(*f.study == *before);

        const quint64 unchanged = f.study->revision();
        f.edit(QString(), [](Study& s, TitlePage&) { SetRowWeight(s, 1, 61); }, Merge::Weight, 1);
        f.edit(QString(), [](Study& s, TitlePage&) { SetRowWeight(s, 1, 60); }, Merge::Weight, 1);
        QCOMPARE(f.history.stack().count(), 0);
        QCOMPARE(f.study->revision(), unchanged);
    }

    void undoAcrossHypothesisChange_showsWhereTheChangeWas()
    {
        Fixture f;
        f.edit(QStringLiteral("giudizio"), [](Study& s, TitlePage&) { JudgeRow(s, 2, 1); });
        // Showing a hypothesis scores it: compared with the same ones shown.
        const auto judged = std::make_unique<Study>(*f.study);
        for (int h : {2, 3, 1}) {
            ShowHypothesis(*judged, h);
        }
        ShowHypothesis(*f.study, 2);
        f.edit(QStringLiteral("spunta"), [](Study& s, TitlePage&) { SetRowTicked(s, 1, true); });
        ShowHypothesis(*f.study, 3);
        f.history.stack().undo();
        QCOMPARE(f.shown.last().hypothesis, 2);
        f.history.stack().undo();
        QCOMPARE(f.shown.last().hypothesis, 1);
        QCOMPARE(f.shown.last().row, 2);
        f.history.stack().redo();
        ShowHypothesis(*f.study, 2);
        ShowHypothesis(*f.study, 1);
        QVERIFY(*f.study == *judged);
    }

    void nestedEdits_oneStep_nothingRecordedWhileRestoring_revisionFollowsUndoAndRedo()
    {
        Fixture f;
        const quint64 saved = f.study->revision();
        {
            const auto outer = f.history.edit(QStringLiteral("spunta caratteristica n. 3"));
            f.edit(QString(), [](Study& s, TitlePage&) { SetRowTicked(s, 3, true); });
            f.edit(QString(), [](Study& s, TitlePage&) { SetRowName(s, 3, QStringLiteral("uso")); });
        }
        QCOMPARE(f.history.stack().count(), 1);
        const quint64 edited = f.study->revision();
        QVERIFY(edited != saved);
        f.history.onRestored = [&f](const ChangePlace&) {
            const auto showing = f.history.edit(QStringLiteral("mostra"));
            f.page.allegati = QStringLiteral("mostrato");
        };
        f.history.stack().undo();
        QCOMPARE(f.history.stack().count(), 1);
        QCOMPARE(f.study->revision(), saved);
        f.history.stack().redo();
        QCOMPARE(f.study->revision(), edited);
        // A change back to what was there is no new state.
        f.edit(QString(), [](Study& s, TitlePage&) { SetRowName(s, 3, QStringLiteral("uso")); });
        QCOMPARE(f.study->revision(), edited);
        QCOMPARE(f.history.stack().count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestStudyHistory)
#include "tst_studyhistory.moc"
