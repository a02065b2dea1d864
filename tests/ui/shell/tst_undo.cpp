#include "archive/datafile.h"
#include "support/scriptedmodule.h"
#include "support/studybuilder.h"
#include "support/windowcontrols.h"
#include "ui/extra/solidita.h"
#include "ui/main/classifica.h"
#include "ui/main/frontespizio.h"
#include "ui/main/requisiti.h"
#include "ui/main/weightarrows.h"
#include "ui/shell/navigation.h"
#include "ui/shell/shell.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace pondra;
using testsupport::controls;

namespace {

using Action = std::function<void(requisiti&, frontespizio&)>;

} // namespace

Q_DECLARE_METATYPE(Action)

// Undo and redo driven through the real windows, as a user makes the edits.
class TestUndo : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testsupport::ScriptedModule> scripted;
    requisiti* data = nullptr;
    frontespizio* title = nullptr;

    ModuloPondra& module() { return *scripted->module; }
    QAction* undo(QMainWindow* w) { return w->findChild<QAction*>(QStringLiteral("annulla")); }
    QAction* redo(QMainWindow* w) { return w->findChild<QAction*>(QStringLiteral("ripeti")); }

    // What the user sees and what is saved: the study and the title page.
    struct State {
        std::unique_ptr<Study> study;
        TitlePage page;
        bool operator==(const State& o) const { return *study == *o.study && page == o.page; }
    };
    State state() { return {std::make_unique<Study>(module().study()), module().titlePage()}; }

private Q_SLOTS:
    void init()
    {
        scripted = std::make_unique<testsupport::ScriptedModule>();
        installShell(module());
        Study& study = testsupport::studyOf(module());
        testsupport::nameHypothesis(study, 1, QStringLiteral("Sede"));
        testsupport::enterRow(study, 1, 1, QStringLiteral("costo"), 3, 60);
        testsupport::enterRow(study, 1, 2, QStringLiteral("sicurezza"), 5, 40);
        testsupport::nameHypothesis(study, 2, QStringLiteral("Ampliamento"));
        testsupport::enterRow(study, 2, 1, QStringLiteral("costo"), 2, 100);
        data = module().window<requisiti>();
        title = module().window<frontespizio>();
        data->HScroll1_Change();
        data->show();
    }

    void eachEdit_undoneAndRedone_wholeStudy_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("undoText");
        QTest::newRow("tick") << Action([](requisiti& d, frontespizio&) { controls(&d).Check[3]->click(); })
                              << QStringLiteral("A&nnulla spunta caratteristica n. 3");
        QTest::newRow("untick") << Action([](requisiti& d, frontespizio&) { controls(&d).Check[2]->click(); })
                                << QStringLiteral("A&nnulla rimozione spunta caratteristica n. 2");
        QTest::newRow("name typed") << Action([](requisiti& d, frontespizio&) {
            QTest::keyClicks(controls(&d).requisito[1]->lineEdit(), QStringLiteral(" fisso"));
        }) << QStringLiteral("A&nnulla nome caratteristica n. 1");
        QTest::newRow("judgement") << Action([](requisiti& d, frontespizio&) {
            d.numero_Click(2);
            controls(&d).scala[9]->click();
        }) << QStringLiteral("A&nnulla giudizio caratteristica n. 2");
        QTest::newRow("weight clicks merge") << Action([](requisiti& d, frontespizio&) {
            for (int i = 0; i < 5; ++i) {
                controls(&d).scroll[1]->stepUp();
            }
        }) << QStringLiteral("A&nnulla peso caratteristica n. 1");
        QTest::newRow("weight typed, one step") << Action([](requisiti& d, frontespizio&) {
            QLineEdit* box = controls(&d).percentuale[1];
            box->selectAll();
            QTest::keyClicks(box, QStringLiteral("4"));
            QTest::keyClicks(box, QStringLiteral("5,5"));
            QTest::keyClick(box, Qt::Key_Return);
        }) << QStringLiteral("A&nnulla peso caratteristica n. 1");
        QTest::newRow("hypothesis name") << Action([](requisiti& d, frontespizio&) {
            QTest::keyClicks(controls(&d).ipotesi, QStringLiteral(" nuova"));
        }) << QStringLiteral("A&nnulla nome ipotesi n. 1");
        QTest::newRow("clear") << Action([](requisiti& d, frontespizio&) { d.cancellare_Click(); })
                               << QStringLiteral("A&nnulla cancellazione ipotesi n. 1");
        QTest::newRow("title field") << Action([](requisiti&, frontespizio& t) {
            QTest::keyClicks(controls(&t).committente, QStringLiteral("Comune"));
        }) << QString::fromUtf16(u"A&nnulla modifica «committente»");
        QTest::newRow("title cleared") << Action([](requisiti&, frontespizio& t) { t.cancella_Click(); })
                                       << QStringLiteral("A&nnulla cancellazione frontespizio");
    }
    void eachEdit_undoneAndRedone_wholeStudy()
    {
        QFETCH(Action, action);
        QFETCH(QString, undoText);
        const State before = state();
        QVERIFY(!undo(data)->isEnabled());
        action(*data, *title);
        const State after = state();
        QVERIFY(!(after == before));
        QCOMPARE(undo(data)->text(), undoText);
        QCOMPARE(undo(title)->text(), undoText);

        undo(title)->trigger();
        QVERIFY(state() == before);
        QVERIFY(!undo(data)->isEnabled());
        QCOMPARE(redo(data)->text(),
                 QString(undoText).replace(QStringLiteral("A&nnulla"), QStringLiteral("&Ripeti")));
        redo(data)->trigger();
        QVERIFY(state() == after);
    }

    // "Completa a 100" gives the row last clicked what is left, as one step; when it cannot, the
    // hint line says why and nothing changes.
    void completeTo100_givesTheRowClickedTheRemainder()
    {
        Study& study = testsupport::studyOf(module());
        study.row(1, 2).weight = Value::text(QStringLiteral("25.5"));
        module().document().showHypothesis(1);
        const auto c = controls(data);
        QAction* complete = data->findChild<QAction*>(QStringLiteral("completa"));
        QVERIFY(complete);

        complete->trigger(); // no row clicked yet
        QCOMPARE(c.passo->text(),
                 QStringLiteral("Per completare a 100, cliccare prima sulla caratteristica."));
        QCOMPARE(module().document().undoStack().count(), 0);

        data->numero_Click(2);
        complete->trigger();
        QCOMPARE(study.row(1, 2).weight, Value::text(QStringLiteral("40")));
        QCOMPARE(c.resto->text(), QStringLiteral("0"));
        QCOMPARE(undo(data)->text(),
                 QStringLiteral("A&nnulla completamento a 100 della caratteristica n. 2"));
        undo(data)->trigger();
        QCOMPARE(c.percentuale[2]->text(), QStringLiteral("25,5"));

        // From the row's own menu: row 1 takes 100 less 25,5.
        c.percentuale[1]->customContextMenuRequested({2, 2});
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        menu->findChild<QAction*>(QStringLiteral("completa"))->trigger();
        menu->close();
        QCOMPARE(study.row(1, 1).weight, Value::text(QStringLiteral("74.5")));

        // Weights already past 100, or a row not ticked, cannot be completed.
        study.row(1, 1).weight = Value::text(QStringLiteral("105"));
        module().document().showHypothesis(1);
        data->numero_Click(2);
        complete->trigger();
        QCOMPARE(
            c.passo->text(),
            QString::fromUtf16(u"Le altre caratteristiche pesano già 105 %, più di 100: ridurne i pesi."));
        data->numero_Click(3);
        complete->trigger();
        QCOMPARE(c.passo->text(),
                 QStringLiteral("Per completare a 100, spuntare prima la caratteristica n. 3."));
        QCOMPARE(study.row(1, 2).weight, Value::text(QStringLiteral("25.5")));
        QCOMPARE(study.row(1, 3).weight, Value());
    }

    void undoAcrossHypothesisChange_showsHypothesisAndRow_rescores()
    {
        // Row 15 of hypothesis 2, then hypothesis 3 shown with the first rows.
        controls(data).HScroll1->setValue(2);
        controls(data).VScroll1->setValue(10);
        controls(data).Check[6]->click();
        QTest::keyClicks(controls(data).requisito[6]->lineEdit(), QStringLiteral("uso"));
        controls(data).scala[1]->click();
        const QString resto = controls(data).resto->text();
        controls(data).scroll[6]->stepUp();
        controls(data).HScroll1->setValue(3);
        controls(data).VScroll1->setValue(1);

        undo(data)->trigger();
        QCOMPARE(controls(data).HScroll1->value(), 2);
        QCOMPARE(controls(data).Label9->text(), QStringLiteral("Ipotesi n. 2"));
        const int first = module().document().firstShownRow();
        QVERIFY(first <= 15 && 15 < first + StudyDocument::VisibleRows);
        QCOMPARE(controls(data).percentuale[15 - first + 1]->text(), QString());
        QCOMPARE(controls(data).resto->text(), resto);
        QCOMPARE(module().document().shownHypothesis(), 2);
    }

    void revision_undoBackToSaved_isUnchanged_openClearsHistory()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("Pondra-dati-prova"));
        QVERIFY(saveStudyFile(file, module().study(), TitlePage(), nullptr));
        QString error;
        QVERIFY(module().document().open(file, &error));
        QVERIFY(!module().document().isModified());

        // Up and down again on one row's arrows is no step and no change.
        controls(data).scroll[1]->stepUp();
        controls(data).scroll[1]->stepDown();
        QVERIFY(!undo(data)->isEnabled());
        QVERIFY(!module().document().isModified());

        controls(data).scroll[1]->stepDown();
        QTest::keyClicks(controls(title).luogo, QStringLiteral("Roma"));
        undo(data)->trigger();
        QVERIFY(module().document().isModified());
        undo(data)->trigger();
        QVERIFY(!module().document().isModified());
        redo(data)->trigger();
        QVERIFY(module().document().isModified());

        QVERIFY(module().document().open(file, &error));
        QVERIFY(!undo(data)->isEnabled());
        QVERIFY(!redo(data)->isEnabled());
    }

    void undoKeys_fromATextField_reachTheStudysHistory()
    {
        QApplication::setActiveWindow(data);
        QVERIFY(QTest::qWaitForWindowActive(data));
        const State before = state();
        controls(data).scroll[2]->stepUp();
        controls(data).ipotesi->setFocus();
        QTest::keyClicks(controls(data).ipotesi, QStringLiteral("X"));
        // Twice: the name, then the weight, which the field itself knows nothing of.
        QTest::keyClick(controls(data).ipotesi, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(controls(data).ipotesi, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(state() == before);
        QCOMPARE(controls(data).percentuale[2]->text(), QStringLiteral("40"));
        QTest::keyClick(controls(data).ipotesi, Qt::Key_Y, Qt::ControlModifier);
        QTest::keyClick(controls(data).ipotesi, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(controls(data).ipotesi->text(), QStringLiteral("SedeX"));
        QCOMPARE(module().study().hypothesis(1).name.toDisplayText(), QStringLiteral("SedeX"));
        QCOMPARE(module().study().row(1, 2).weight.toDisplayText(), QStringLiteral("41"));
    }

    void resultsAndSolidity_followEditsAndUndoWhileOpen()
    {
        ShowResults(module());
        ShowRobustness(module());
        auto* results = module().loadedWindow<classifica>();
        auto* robustness = module().loadedWindow<solidita>();
        const auto first = [&] { return controls(results).Label1[1]->text(); };
        const QString summary = controls(robustness).Sintesi->text();
        QCOMPARE(first(), QStringLiteral("Ampliamento"));

        // Hypothesis 2 falls from "ottimo" to "nullo" on its only row.
        controls(data).HScroll1->setValue(2);
        data->numero_Click(1);
        controls(data).scala[11]->click();
        QCOMPARE(first(), QStringLiteral("Sede"));
        QTRY_VERIFY(controls(robustness).Sintesi->text() != summary);

        undo(data)->trigger();
        QCOMPARE(first(), QStringLiteral("Ampliamento"));
        QTRY_COMPARE(controls(robustness).Sintesi->text(), summary);
    }
};

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
