#include "support/scriptedmodule.h"
#include "support/windowcontrols.h"
#include "ui/extra/frmsplash.h"
#include "ui/main/classifica.h"
#include "ui/main/frontespizio.h"
#include "ui/main/requisiti.h"
#include "ui/main/weightarrows.h"
#include "ui/shell/shell.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

using namespace pondra;
using testsupport::controls;

// A whole working session through the real windows, as a user goes through it: start, enter two
// hypotheses, see the results, fill in the title page, save, leave, start again, open the file.
class TestWorkflow : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testsupport::ScriptedModule> scripted;

    static QAction* entry(QMainWindow* window, const QString& text)
    {
        for (QAction* action : window->findChildren<QAction*>()) {
            if (action->text() == text) {
                return action;
            }
        }
        return nullptr;
    }

    static void enterRow(requisiti* w, int slot, const QString& name, int step, int weight)
    {
        const auto c = controls(w);
        QTest::mouseClick(c.Check[slot], Qt::LeftButton);
        c.requisito[slot]->lineEdit()->selectAll();
        c.requisito[slot]->lineEdit()->insert(name);
        QTest::mouseClick(c.scala[step], Qt::LeftButton);
        // The arrows start from the weight shown: already there, the user clicks away and back.
        if (c.scroll[slot]->position() == weight) {
            c.scroll[slot]->stepDown();
        }
        while (c.scroll[slot]->position() != weight) {
            c.scroll[slot]->position() < weight ? c.scroll[slot]->stepUp() : c.scroll[slot]->stepDown();
        }
    }

    static QStringList rankingShown(classifica* results, int rows)
    {
        const auto c = controls(results);
        QStringList lines;
        for (int i = 1; i <= rows; ++i) {
            lines << QStringList{c.numero[i]->text(), c.Label1[i]->text(), c.Label2[i]->text(),
                                 c.Label5[i]->text()}
                         .join(u'|');
        }
        return lines;
    }

private Q_SLOTS:
    void wholeSession()
    {
        scripted = std::make_unique<testsupport::ScriptedModule>();
        ModuloPondra& module = *scripted->module;
        installShell(module);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("Pondra-dati-sede.txt"));

        frmSplash* splash = module.window<frmSplash>();
        splash->show();
        splash->Form_Click();
        requisiti* data = module.loadedWindow<requisiti>();
        QVERIFY(data && data->isVisible());

        controls(data).ipotesi->setText(QStringLiteral("Centro storico"));
        enterRow(data, 1, QStringLiteral("costo"), 4, 50);
        enterRow(data, 2, QStringLiteral("vicinanza"), 1, 30);
        enterRow(data, 3, QStringLiteral("comodità"), 6, 20);
        controls(data).HScroll1->setValue(2);
        controls(data).ipotesi->setText(QStringLiteral("Periferia"));
        enterRow(data, 1, QStringLiteral("costo"), 2, 50); // names come from hypothesis 1
        QCOMPARE(controls(data).requisito[1]->currentText(), QStringLiteral("costo"));
        enterRow(data, 2, QStringLiteral("vicinanza"), 8, 30);
        enterRow(data, 3, QStringLiteral("comodità"), 3, 20);

        QTest::mouseClick(controls(data).avanti, Qt::LeftButton);
        QVERIFY2(scripted->dialogs->messages.isEmpty(),
                 qPrintable(scripted->dialogs->messageTexts().join(u'\n')));
        classifica* results = module.loadedWindow<classifica>();
        QVERIFY(results && results->isVisible());
        // 0,7·50 + 1·30 + 0,5·20 = 75; 0,9·50 + 0,3·30 + 0,8·20 = 70.
        const QStringList ranking{QStringLiteral("1|Centro storico|75|buono"),
                                  QStringLiteral("2|Periferia|70|discreto")};
        QCOMPARE(rankingShown(results, 2), ranking);

        QTest::mouseClick(controls(results).avanti, Qt::LeftButton);
        frontespizio* title = module.loadedWindow<frontespizio>();
        QVERIFY(title && title->isVisible());
        QTest::keyClicks(controls(title).progetto, QStringLiteral("Nuova sede dello studio"));
        // Closed from its title bar and opened again, the title page keeps what was typed.
        title->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!module.loadedWindow<frontespizio>());
        QTest::mouseClick(controls(results).avanti, Qt::LeftButton);
        title = module.loadedWindow<frontespizio>();
        QCOMPARE(controls(title).progetto->text(), QStringLiteral("Nuova sede dello studio"));
        QTest::keyClicks(controls(title).committente, QStringLiteral("Studio Rossi"));
        scripted->dialogs->fileNames.enqueue(file);
        entry(title, QStringLiteral("&Salva"))->trigger();
        QVERIFY(QFile::exists(file));
        QCOMPARE(module.document().fileName(), file);
        QCOMPARE(controls(title).passo->text(),
                 QStringLiteral("archiviato in «%1»").arg(QDir::toNativeSeparators(file)));
        QVERIFY(title->windowTitle().endsWith(QStringLiteral(" - Pondra-dati-sede.txt")));

        scripted->dialogs->answers.enqueue(MessageAnswer::Yes);
        QTest::mouseClick(controls(title).cmdesci, Qt::LeftButton);
        QVERIFY(!module.loadedWindow<requisiti>() && !module.loadedWindow<classifica>() &&
                !module.loadedWindow<frontespizio>());
        splash = module.loadedWindow<frmSplash>();
        QVERIFY(splash && splash->isVisible());

        // Starting again: the study and its title page are still in memory, and the file
        // reopens the same without a question, as nothing changed since it was saved.
        splash->Form_Click();
        data = module.loadedWindow<requisiti>();
        QCOMPARE(controls(data).ipotesi->text(), QStringLiteral("Centro storico"));
        QCOMPARE(module.titlePage().committente, QStringLiteral("Studio Rossi"));
        scripted->dialogs->fileNames.enqueue(file);
        entry(data, QStringLiteral("&Apri..."))->trigger();
        QCOMPARE(controls(data).giudizio[2]->text(), QStringLiteral("eccellente"));
        QTest::mouseClick(controls(data).avanti, Qt::LeftButton);
        QCOMPARE(rankingShown(module.loadedWindow<classifica>(), 2), ranking);
        QTest::mouseClick(controls(module.loadedWindow<classifica>()).avanti, Qt::LeftButton);
        QCOMPARE(controls(module.loadedWindow<frontespizio>()).progetto->text(),
                 QStringLiteral("Nuova sede dello studio"));
        QCOMPARE(controls(module.loadedWindow<frontespizio>()).committente->text(),
                 QStringLiteral("Studio Rossi"));
        QVERIFY(scripted->dialogs->messages.size() == 1); // only the exit question was asked
        scripted.reset();
    }

    // Half-done work saved as it is, with nothing the user typed left out, and opened again.
    void unfinishedStudy_savedAndReopened_cellForCellAndByteForByte()
    {
        scripted = std::make_unique<testsupport::ScriptedModule>();
        ModuloPondra& module = *scripted->module;
        installShell(module);
        QTemporaryDir dir;
        requisiti* data = module.window<requisiti>();
        data->show();
        const auto c = controls(data);
        c.ipotesi->setText(QStringLiteral("Prima"));
        enterRow(data, 1, QStringLiteral("costo"), 4, 60); // weights short of 100
        c.HScroll1->setValue(2);                           // not named yet, one row judged
        enterRow(data, 1, QStringLiteral("costo"), 3, 30);
        c.HScroll1->setValue(4); // after a free slot, a row ticked and weighed before its name
        c.ipotesi->setText(QStringLiteral("Quarta"));
        QTest::mouseClick(c.Check[2], Qt::LeftButton);
        c.scroll[2]->stepUp();
        const Study typed = module.study();

        scripted->dialogs->fileNames.enqueue(dir.filePath(QStringLiteral("bozza")));
        entry(data, QStringLiteral("&Salva"))->trigger();
        QCOMPARE(scripted->dialogs->fileRequests.last().proposedName, QStringLiteral("Pondra-dati-"));
        QVERIFY2(scripted->dialogs->messages.isEmpty(),
                 qPrintable(scripted->dialogs->messageTexts().join(u'\n')));
        const QString file = dir.filePath(QStringLiteral("bozza.txt"));
        QCOMPARE(module.document().fileName(), file);
        QCOMPARE(controls(data).passo->text(),
                 QStringLiteral("Studio salvato; da completare: Ipotesi n. 2, nome dell'ipotesi; "
                                "perizia nel Frontespizio"));

        scripted->dialogs->fileNames.enqueue(file);
        entry(data, QStringLiteral("&Apri..."))->trigger();
        QVERIFY(scripted->dialogs->messages.isEmpty());
        for (int h = 1; h <= MaxHypotheses; ++h) {
            QCOMPARE(module.study().hypothesis(h).name, typed.hypothesis(h).name);
            for (int r = 1; r <= MaxRows; ++r) {
                QVERIFY2(module.study().row(h, r) == typed.row(h, r),
                         qPrintable(QStringLiteral("%1/%2").arg(h).arg(r)));
            }
        }
        const QString again = dir.filePath(QStringLiteral("ancora.txt"));
        scripted->dialogs->fileNames.enqueue(again);
        entry(data, QStringLiteral("Salva con &nome..."))->trigger();
        QFile first(file);
        QFile second(again);
        QVERIFY(first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly));
        QCOMPARE(second.readAll(), first.readAll());
        scripted.reset();
    }
};

QTEST_MAIN(TestWorkflow)
#include "tst_workflow.moc"
