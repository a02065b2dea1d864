#include "support/isolatedsettings.h"
#include "support/scriptedmodule.h"
#include "support/studybuilder.h"
#include "support/windowcontrols.h"
#include "ui/extra/confronto.h"
#include "ui/help/helppage.h"
#include "ui/main/requisiti.h"
#include "ui/shell/shell.h"

#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace pondra;
using testsupport::controls;

// The "Pesi a confronto" window as the Data window opens it, and the command that copies the
// shown hypothesis's characteristics into the others.
class TestConfronto : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_settings;
    std::unique_ptr<testsupport::ScriptedModule> scripted;

    ModuloPondra& module() { return *scripted->module; }

    // Hypothesis 1 holds these names, weighed 10 each; hypothesis 2 «comfort» and «giardino».
    void enterStudy(const QStringList& names)
    {
        Study& study = testsupport::studyOf(module());
        testsupport::nameHypothesis(study, 1, QStringLiteral("Caldaia"));
        for (int i = 0; i < names.size(); ++i) {
            testsupport::enterRow(study, 1, i + 1, names.at(i), 2, 10);
        }
        testsupport::nameHypothesis(study, 2, QStringLiteral("Pompa di calore"));
        testsupport::enterRow(study, 2, 1, QStringLiteral("giardino"), 4, 50);
        testsupport::enterRow(study, 2, 2, QStringLiteral("Comfort"), 5, 50);
        module().window<requisiti>()->HScroll1_Change();
    }

    confronto* openWindow()
    {
        controls(module().window<requisiti>()).cmdconfronto->click();
        return module().loadedWindow<confronto>();
    }

    QAction* editEntry(const QString& text)
    {
        for (QAction* menu : module().window<requisiti>()->menuBar()->actions()) {
            if (menu->menu() && menu->text() == QStringLiteral("&Modifica")) {
                for (QAction* entry : menu->menu()->actions()) {
                    if (entry->text() == text) {
                        return entry;
                    }
                }
            }
        }
        return nullptr;
    }

    int shownWeightSum()
    {
        int sum = 0;
        for (int r = 1; r <= MaxRows; ++r) {
            sum += module().study().row(1, r).weight.toDisplayText().toInt();
        }
        return sum;
    }

private Q_SLOTS:
    void initTestCase() { testsupport::keepSettingsIn(m_settings); }

    void init()
    {
        scripted = std::make_unique<testsupport::ScriptedModule>();
        installShell(module());
        module().window<requisiti>()->show();
    }

    void opens_onlyWithTwoToFifteenNames_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("opens");
        QTest::newRow("one") << 1 << false;
        QTest::newRow("two") << 2 << true;
        QTest::newRow("fifteen") << 15 << true;
        QTest::newRow("sixteen") << 16 << false;
    }
    void opens_onlyWithTwoToFifteenNames()
    {
        QFETCH(int, count);
        QFETCH(bool, opens);
        QStringList names;
        for (int i = 1; i <= count; ++i) {
            names << QStringLiteral("car %1").arg(i);
        }
        enterStudy(names);

        confronto* window = openWindow();

        QCOMPARE(window && window->isVisible(), opens);
        QCOMPARE(scripted->dialogs->messages.size(), opens ? 0 : 1);
        if (opens) {
            const auto c = controls(window);
            QCOMPARE(c.Domanda->text(),
                     QStringLiteral("Quanto è più importante «car 1» rispetto a «car 2»?"));
            QCOMPARE(c.Coppia->text(), QStringLiteral("coppia 1 di %1").arg(count * (count - 1) / 2));
            QCOMPARE(c.Pesi->rowCount(), count);
            QCOMPARE(c.Coerenza->text(), QStringLiteral("giudizi coerenti"));
        }
    }

    // Steps for the pairs (costo, comfort), (costo, consumi), (comfort, consumi), given on the
    // scale one pair after the other.
    void judgements_changeFigures_data()
    {
        QTest::addColumn<QList<int>>("steps");
        QTest::addColumn<QList<int>>("wholeWeights");
        QTest::addColumn<QString>("verdict");
        QTest::newRow("equal") << QList{0, 0, 0} << QList{34, 33, 33} << QStringLiteral("giudizi coerenti");
        QTest::newRow("costo first") << QList{2, 4, 1} << QList{65, 23, 12}
                                     << QStringLiteral("giudizi coerenti");
        QTest::newRow("going round") << QList{6, -6, 6} << QList{33, 33, 33}
                                     << QStringLiteral("poco coerenti: rivedere il confronto tra ");
    }
    void judgements_changeFigures()
    {
        QFETCH(QList<int>, steps);
        QFETCH(QList<int>, wholeWeights);
        QFETCH(QString, verdict);
        enterStudy({QStringLiteral("costo"), QStringLiteral("comfort"), QStringLiteral("consumi")});
        const auto c = controls(openWindow());

        for (int pair = 0; pair < steps.size(); ++pair) {
            c.Scala->setValue(steps.at(pair));
            c.cmdavanti->click();
        }

        QCOMPARE(c.Coerenza->text().startsWith(verdict), true);
        if (verdict.startsWith(QStringLiteral("giudizi"))) {
            for (int i = 0; i < 3; ++i) {
                QCOMPARE(c.Pesi->item(i, 2)->text(), QString::number(wholeWeights.at(i)));
            }
        }
        // The matrix shows the same judgements, the reciprocal under the diagonal.
        QCOMPARE(c.Matrice->item(0, 1)->text(), steps.at(0) >= 0
                                                    ? QString::number(steps.at(0) + 1)
                                                    : QStringLiteral("1/%1").arg(1 - steps.at(0)));
        QCOMPARE(c.Matrice->item(1, 0)->text(), steps.at(0) <= 0
                                                    ? QString::number(1 - steps.at(0))
                                                    : QStringLiteral("1/%1").arg(steps.at(0) + 1));
        QVERIFY(c.Indici->text().contains(QStringLiteral("CR ")));
    }

    void matrixEntry_becomesTheJudgement_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("step");
        QTest::newRow("whole") << QStringLiteral("5") << 4;
        QTest::newRow("fraction") << QStringLiteral("1/3") << -2;
        QTest::newRow("decimal comma, nearest") << QStringLiteral("0,21") << -4;
        QTest::newRow("not a number") << QStringLiteral("molto") << 0;
    }
    void matrixEntry_becomesTheJudgement()
    {
        QFETCH(QString, typed);
        QFETCH(int, step);
        enterStudy({QStringLiteral("costo"), QStringLiteral("comfort"), QStringLiteral("consumi")});
        confronto* window = openWindow();
        const auto c = controls(window);

        c.Matrice->item(0, 2)->setText(typed);

        QCOMPARE(window->comparison().steps.at(1), step);
        QCOMPARE(c.Scala->value(), step);
        QCOMPARE(c.Domanda->text(), QStringLiteral("Quanto è più importante «costo» rispetto a «consumi»?"));
    }

    void applica_writesWeightsInOneStep()
    {
        enterStudy({QStringLiteral("costo"), QStringLiteral("comfort"), QStringLiteral("consumi")});
        const Study before = module().study();
        const int steps = module().document().undoStack().count();
        const auto c = controls(openWindow());
        c.Scala->setValue(2);
        c.cmdavanti->click();
        c.Scala->setValue(4);

        c.cmdapplica->click();

        QCOMPARE(shownWeightSum(), 100);
        QCOMPARE(module().study().row(1, 1).weight.toDisplayText(), c.Pesi->item(0, 2)->text());
        QCOMPARE(controls(module().window<requisiti>()).resto->text(), QStringLiteral("0"));
        QCOMPARE(module().document().undoStack().count(), steps + 1);
        module().document().undoStack().undo();
        QVERIFY(module().study() == before);
        // Undone, the window starts again from the hypothesis as it was: no stored judgements.
        QCOMPARE(c.Scala->value(), 0);
    }

    void guida_opensItsHelpPage()
    {
        enterStudy({QStringLiteral("costo"), QStringLiteral("comfort")});
        controls(openWindow()).cmdguida->click();
        QVERIFY(module().loadedWindow<guidaconfronto>());
        QVERIFY(module().loadedWindow<guidaconfronto>()->isVisible());
    }

    void copyCommand_asksFirst_data()
    {
        QTest::addColumn<MessageAnswer>("answer");
        QTest::newRow("yes") << MessageAnswer::Yes;
        QTest::newRow("no") << MessageAnswer::No;
    }
    void copyCommand_asksFirst()
    {
        QFETCH(MessageAnswer, answer);
        enterStudy({QStringLiteral("costo"), QStringLiteral("comfort")});
        const Study before = module().study();
        scripted->dialogs->answers << answer;

        QAction* entry = editEntry(QStringLiteral("Co&pia caratteristiche e pesi nelle altre ipotesi"));
        QVERIFY(entry);
        entry->trigger();

        QCOMPARE(scripted->dialogs->messages.size(), 1);
        QCOMPARE(scripted->dialogs->messages.first().buttons, MessageButtons::YesNo);
        const Study& study = module().study();
        if (answer == MessageAnswer::Yes) {
            QCOMPARE(study.row(2, 1).name.toDisplayText(), QStringLiteral("costo"));
            QVERIFY(study.row(2, 1).judgement.isEmpty());
            // «Comfort» kept its judgement, moved to the row of «comfort».
            QCOMPARE(study.row(2, 2).name.toDisplayText(), QStringLiteral("comfort"));
            QCOMPARE(int(study.row(2, 2).judgementNumber.integerValue()), 5);
        } else {
            QVERIFY(study == before);
        }
    }
};

QTEST_MAIN(TestConfronto)
#include "tst_confronto.moc"
