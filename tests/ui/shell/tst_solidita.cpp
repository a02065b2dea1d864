#include "settings/settings.h"
#include "support/isolatedsettings.h"
#include "support/scriptedmodule.h"
#include "support/studybuilder.h"
#include "support/windowcontrols.h"
#include "ui/extra/documentwindow.h"
#include "ui/extra/solidita.h"
#include "ui/main/classifica.h"
#include "ui/main/frontespizio.h"
#include "ui/main/requisiti.h"
#include "ui/shell/navigation.h"
#include "ui/shell/printcommands.h"
#include "ui/shell/shell.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

using namespace pondra;
using testsupport::controls;

class TestSolidita : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_settings;
    std::unique_ptr<testsupport::ScriptedModule> scripted;

    ModuloPondra& module() { return *scripted->module; }

    // Three hypotheses: the second one step of «costo» (weight 60) behind the first.
    void enterStudy()
    {
        Study& study = testsupport::studyOf(module());
        for (int h = 1; h <= 3; ++h) {
            testsupport::nameHypothesis(study, h, QStringLiteral("Ipotesi %1").arg(h));
            testsupport::enterRow(study, h, 1, QStringLiteral("costo"), h + 1, 60);
            testsupport::enterRow(study, h, 2, QStringLiteral("qualità"), 3, 40);
        }
        module().window<requisiti>()->HScroll1_Change();
    }

    QList<DocumentWindow*> documents() const
    {
        QList<DocumentWindow*> found;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* d = qobject_cast<DocumentWindow*>(w); d && d->isVisible()) {
                found << d;
            }
        }
        return found;
    }

    QAction* viewEntry(QMainWindow* window, const QString& text)
    {
        for (QAction* menu : window->menuBar()->actions()) {
            if (menu->menu() && menu->text() == QStringLiteral("&Visualizza")) {
                for (QAction* entry : menu->menu()->actions()) {
                    if (entry->text() == text) {
                        return entry;
                    }
                }
            }
        }
        return nullptr;
    }

private Q_SLOTS:
    void initTestCase() { testsupport::keepSettingsIn(m_settings); }

    void init()
    {
        scripted = std::make_unique<testsupport::ScriptedModule>();
        installShell(module());
        module().window<requisiti>()->show();
    }
    void cleanup()
    {
        scripted.reset();
        QVERIFY(documents().isEmpty());
    }

    void buttonAndMenu_showTheAnalysisOfTheCurrentStudy()
    {
        enterStudy();
        ShowResults(module());
        classifica* results = module().window<classifica>();
        QTest::mouseClick(controls(results).cmdsolidita, Qt::LeftButton);
        solidita* window = module().loadedWindow<solidita>();
        QVERIFY(window && window->isVisible());
        QCOMPARE(controls(window).Tabella->rowCount(), 2);
        QCOMPARE(controls(window).Tabella->item(0, 1)->text(), QStringLiteral("Ipotesi 2"));
        QCOMPARE(controls(window).Tabella->item(0, 3)->text(), QStringLiteral("1"));
        QCOMPARE(controls(window).Grafico->bars().size(), std::size_t(3));
        QVERIFY(controls(window).Sintesi->text().startsWith(QStringLiteral("La graduatoria è fragile")));
        QCOMPARE(controls(window).Sintesi->textFormat(), Qt::PlainText); // it quotes the names

        // Coming back to the window after an edit analyses the study as it now stands:
        // hypothesis 2 fell behind.
        testsupport::enterRow(testsupport::studyOf(module()), 2, 1, QStringLiteral("costo"), 11, 60);
        testsupport::studyOf(module()).noteEdit();
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(window, &activate);
        QCOMPARE(controls(window).Tabella->item(0, 1)->text(), QStringLiteral("Ipotesi 3"));
        QCOMPARE(controls(window).Tabella->item(1, 1)->text(), QStringLiteral("Ipotesi 2"));

        // The menu entry shows it again once closed.
        window->close();
        QAction* entry = viewEntry(results, QStringLiteral("So&lidità della graduatoria"));
        QVERIFY(entry);
        entry->trigger();
        QVERIFY(window->isVisible());
    }

    // Below the table, only when the hypotheses are not weighed alike.
    void unequalWeights_areNotedBelowTheTable()
    {
        enterStudy();
        ShowResults(module());
        QTest::mouseClick(controls(module().window<classifica>()).cmdsolidita, Qt::LeftButton);
        solidita* window = module().loadedWindow<solidita>();
        QVERIFY(window && window->isVisible());
        QVERIFY(controls(window).Confronto->isHidden());

        testsupport::enterRow(testsupport::studyOf(module()), 3, 1, QStringLiteral("costo"), 4, 50);
        testsupport::enterRow(testsupport::studyOf(module()), 3, 2, QStringLiteral("qualità"), 3, 50);
        testsupport::studyOf(module()).noteEdit();
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(window, &activate);
        QVERIFY(!controls(window).Confronto->isHidden());
        QCOMPARE(controls(window).Confronto->text(),
                 QStringLiteral("Confronto alla pari:\n"
                                "• «costo» pesa 60\u00A0% nelle ipotesi 1 e 2 e 50\u00A0% nell'ipotesi 3\n"
                                "• «qualità» pesa 40\u00A0% nelle ipotesi 1 e 2 e 50\u00A0% nell'ipotesi 3"));
    }

    void failedCheck_showsNoAnalysis()
    {
        enterStudy();
        testsupport::studyOf(module()).row(2, 2).weight = Value::text(QStringLiteral("30"));
        ShowRobustness(module());
        QCOMPARE(scripted->dialogs->messages.size(), 1);
        QVERIFY(!module().loadedWindow<solidita>());
    }

    void print_opensTheChartAndTableInADocumentWindow()
    {
        enterStudy();
        ShowRobustness(module());
        QTest::mouseClick(controls(module().loadedWindow<solidita>()).cmdstampa, Qt::LeftButton);
        QCOMPARE(documents().size(), 1);
        const QString text = documents().first()->document()->toPlainText();
        QVERIFY(text.contains(QStringLiteral("Solidità della graduatoria")));
        QVERIFY(text.contains(QStringLiteral("giudizio sulla solidità")));
        QVERIFY(text.contains(QStringLiteral("Basta migliorare di un grado il giudizio di «costo»")));
        QVERIFY(text.contains(QChar::ObjectReplacementCharacter)); // the chart
    }

    void reportOption_offByDefault_rememberedAndObeyed()
    {
        enterStudy();
        controls(module().window<frontespizio>()).progetto->setText(QStringLiteral("Perizia"));
        classifica* results = module().window<classifica>();
        QVERIFY(!controls(results).includiSolidita->isChecked());
        PrintReport(module());
        QCOMPARE(documents().size(), 1);
        QVERIFY(!documents().first()->document()->toPlainText().contains(QStringLiteral("SOLIDITÀ")));
        documents().first()->hide();

        controls(results).includiSolidita->click();
        QVERIFY(module().environment().settings().reportIncludesRobustness());
        // The button beside the boxes prints the report with what they tick.
        controls(results).cmdrelazione->click();
        QCOMPARE(documents().size(), 1);
        const QString text = documents().first()->document()->toPlainText();
        const qsizetype section = text.indexOf(QStringLiteral("C) SOLIDITÀ DELLA GRADUATORIA"));
        QVERIFY(section > text.indexOf(QStringLiteral("B) GRADUATORIA DELLE IPOTESI")));
        QVERIFY(section < text.indexOf(QStringLiteral("La presente relazione di stima")));

        // A new session of the same user finds the option as it was left.
        const auto home = scripted->environment->home;
        scripted = std::make_unique<testsupport::ScriptedModule>();
        scripted->environment->home = home;
        installShell(module());
        QVERIFY(controls(module().window<classifica>()).includiSolidita->isChecked());
    }

    void weightingOption_offByDefault_rememberedAndObeyed()
    {
        enterStudy();
        testsupport::studyOf(module()).hypothesis(2).comparison = PairwiseComparison{{1, 2}, {2}};
        classifica* results = module().window<classifica>();
        QVERIFY(!controls(results).includiPesi->isChecked());
        PrintReport(module());
        QCOMPARE(documents().size(), 1);
        QVERIFY(!documents().first()->document()->toPlainText().contains(QStringLiteral("D) CRITERI")));
        documents().first()->hide();

        controls(results).includiPesi->click();
        QVERIFY(module().environment().settings().reportIncludesWeighting());
        QVERIFY(!module().environment().settings().reportIncludesRobustness());
        PrintReport(module());
        QCOMPARE(documents().size(), 1);
        const QString text = documents().first()->document()->toPlainText();
        const qsizetype section = text.indexOf(QStringLiteral("D) CRITERI DI PONDERAZIONE"));
        QVERIFY(section > text.indexOf(QStringLiteral("B) GRADUATORIA DELLE IPOTESI")));
        QVERIFY(section < text.indexOf(QStringLiteral("La presente relazione di stima")));
        // The plain text has no no-break spaces.
        QVERIFY(text.indexOf(QStringLiteral("Ipotesi n. 2: Ipotesi 2"), section) > section);
        QVERIFY(text.indexOf(QStringLiteral("1/3"), section) > section);

        const auto home = scripted->environment->home;
        scripted = std::make_unique<testsupport::ScriptedModule>();
        scripted->environment->home = home;
        installShell(module());
        QVERIFY(controls(module().window<classifica>()).includiPesi->isChecked());
        QVERIFY(!controls(module().window<classifica>()).includiSolidita->isChecked());
    }
};

QTEST_MAIN(TestSolidita)
#include "tst_solidita.moc"
