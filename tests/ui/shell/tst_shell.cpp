#include "archive/datafile.h"
#include "support/scriptedmodule.h"
#include "support/studybuilder.h"
#include "support/windowcontrols.h"
#include "ui/extra/confronto.h"
#include "ui/extra/frmsplash.h"
#include "ui/extra/licenza.h"
#include "ui/extra/prodotti.h"
#include "ui/extra/solidita.h"
#include "ui/help/helppage.h"
#include "ui/help/sommario.h"
#include "ui/main/classifica.h"
#include "ui/main/frontespizio.h"
#include "ui/main/requisiti.h"
#include "ui/shell/shell.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

using namespace pondra;
using namespace Qt::StringLiterals;
using testsupport::controls;

Q_DECLARE_METATYPE(pondra::MessageAnswer)

namespace {

QAction* findEntry(QMainWindow* window, const QString& text)
{
    for (QAction* action : window->findChildren<QAction*>()) {
        if (action->text() == text) {
            return action;
        }
    }
    return nullptr;
}

QAction* toolbarButton(QMainWindow* window, int number)
{
    return window->findChild<QAction*>(QStringLiteral("Toolbar1_%1").arg(number));
}

const QString remainderMessage =
    QStringLiteral("Ipotesi n. 1: se non si hanno altre caratteristiche da aggiungere "
                   "assegnare le percentuali fino ad ottenere resto zero.");

} // namespace

class TestShell : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testsupport::ScriptedModule> scripted;
    requisiti* data = nullptr;
    QTemporaryDir dir;

    ModuloPondra& module() { return *scripted->module; }
    testsupport::ScriptedDialogs& dialogs() { return *scripted->dialogs; }

    // Two named hypotheses whose weights add up to 100: "Alta" scores 90, "Bassa" 50.
    void enterValidStudy()
    {
        Study& study = testsupport::studyOf(module());
        testsupport::nameHypothesis(study, 1, QStringLiteral("Bassa"));
        testsupport::enterRow(study, 1, 1, QStringLiteral("costo"), 6, 100);
        testsupport::nameHypothesis(study, 2, QStringLiteral("Alta"));
        testsupport::enterRow(study, 2, 1, QStringLiteral("costo"), 2, 100);
        // Each shown once, so each is scored, as entering them does.
        controls(data).HScroll1->setValue(2);
        controls(data).HScroll1->setValue(1);
    }

    void setPerizia(const QString& text)
    {
        module().document().setTitleField(0, text); // the perizia, the first field
    }

    // The study held under the name of a file that no file has, as when its file was removed
    // behind the program's back; changed or not, as it was.
    void holdUnder(const QString& file)
    {
        const bool modified = module().document().isModified();
        QVERIFY(module().document().save(file, nullptr));
        QVERIFY(QFile::remove(file));
        if (modified) {
            testsupport::studyOf(module()).noteEdit();
        }
    }

    QString path(const QString& name) const { return dir.filePath(name); }

private Q_SLOTS:
    void init()
    {
        scripted = std::make_unique<testsupport::ScriptedModule>();
        installShell(module());
        data = module().window<requisiti>();
        data->show();
    }
    void cleanup() { scripted.reset(); }

    void mainWindows_haveMenusToolbarAndWindowNumber()
    {
        QVERIFY(findEntry(data, QStringLiteral("Controllo &dati ipotesi")));
        QVERIFY(findEntry(data, QStringLiteral("Finestra Dati"))->isChecked());
        QCOMPARE(data->findChild<QToolBar*>()->actions().size(), 21);
        QCOMPARE(toolbarButton(data, 19)->toolTip(), QStringLiteral("controllo dati ipotesi"));
        auto* results = module().window<classifica>();
        // Open and save work here too, so that their keys do.
        QVERIFY(findEntry(results, QStringLiteral("Apri"))->isEnabled());
        QVERIFY(findEntry(results, QStringLiteral("Finestra Risultati"))->isChecked());
        auto* title = module().window<frontespizio>();
        QCOMPARE(toolbarButton(title, 6)->toolTip(), QStringLiteral("stampa completa dell'elaborazione"));
        QVERIFY(toolbarButton(title, 6)->isEnabled());
    }

    void showResults_failingCheck_neitherRanksNorShows()
    {
        QTest::mouseClick(controls(data).avanti, Qt::LeftButton);
        QCOMPARE(dialogs().messageTexts(), QStringList{QStringLiteral("Non è stato immesso alcun dato.")});
        QVERIFY(!module().loadedWindow<classifica>());
        QVERIFY(module().document().ranking()[1].name.isNothing());
    }

    void showResults_passingCheck_ranksAndShows()
    {
        enterValidStudy();
        QTest::mouseClick(controls(data).avanti, Qt::LeftButton);
        QVERIFY(dialogs().messages.isEmpty()); // the check was silent
        classifica* results = module().loadedWindow<classifica>();
        QVERIFY(results && results->isVisible());
        QCOMPARE(controls(results).Label1[1]->text(), QStringLiteral("Alta"));
        QCOMPARE(controls(results).Label2[2]->text(), QStringLiteral("50"));
    }

    void markupFromFile_showsAsText()
    {
        const QString link = QStringLiteral("<a href=\"file:///etc/passwd\">clicca</a>");
        const QString file = path(QStringLiteral("Pondra-dati-<b>"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("1\r\n\"" + link.toLatin1().replace("\"", "\"\"") +
                "\",1,80,\"<i>buono</i>\"\r\n1,\"<u>x</u>\",\"<b>buono</b>\",3,\"0,8\",\"100\"\r\n"
                "\"p\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n");
        f.close();
        dialogs().fileNames.enqueue(file);
        findEntry(data, QStringLiteral("&Apri..."))->trigger();
        QVERIFY2(dialogs().messages.isEmpty(), qPrintable(dialogs().messageTexts().join(u'\n')));
        QCOMPARE(controls(data).giudizio[1]->text(), QStringLiteral("<b>buono</b>"));
        QCOMPARE(controls(data).giudizio[1]->textFormat(), Qt::PlainText);
        QTest::mouseClick(controls(data).avanti, Qt::LeftButton);
        classifica* results = module().loadedWindow<classifica>();
        QVERIFY(results && results->isVisible());
        for (QLabel* label : {controls(results).Label1[1], controls(results).Label5[1]}) {
            QCOMPARE(label->textFormat(), Qt::PlainText);
        }
        QCOMPARE(controls(results).Label1[1]->text(), link);
    }

    void titlePageRoad_ranksQuietlyWithoutCheck_resultsAlwaysShowCurrentRanking()
    {
        enterValidStudy();
        // Data, then title page, then results: the Results window, new, shows the ranking.
        findEntry(data, QStringLiteral("Finestra Frontespizio"))->trigger();
        QVERIFY(module().loadedWindow<frontespizio>()->isVisible());
        toolbarButton(module().window<frontespizio>(), 9)->trigger();
        classifica* results = module().loadedWindow<classifica>();
        QVERIFY(results && results->isVisible());
        QCOMPARE(controls(results).Label1[1]->text(), QStringLiteral("Alta"));
        QCOMPARE(controls(results).Label1[2]->text(), QStringLiteral("Bassa"));

        // Data that fail the check: the road to the title page ranks anyway, without a word.
        testsupport::enterRow(testsupport::studyOf(module()), 1, 1, QStringLiteral("costo"), 1, 90);
        data->HScroll1_Change(); // shown again, so scored again: 90, level with "Alta"
        findEntry(data, QStringLiteral("Finestra Frontespizio"))->trigger();
        QVERIFY(dialogs().messages.isEmpty());
        QCOMPARE(module().document().ranking()[1].name, Value::text(QStringLiteral("Bassa")));
        // Showing the results from the title page shows the ranking as it now stands.
        findEntry(module().window<frontespizio>(), QStringLiteral("Finestra Risultati"))->trigger();
        QCOMPARE(controls(results).Label1[1]->text(), QStringLiteral("Bassa (a pari merito)"));
        QVERIFY(dialogs().messages.isEmpty());
    }

    void results_clickOnBackgroundOrAltN_opensItsHelpPage()
    {
        enterValidStudy();
        QTest::mouseClick(controls(data).avanti, Qt::LeftButton);
        classifica* results = module().loadedWindow<classifica>();
        QTest::mouseClick(controls(results).Label1[3], Qt::LeftButton); // a cell is background too
        QVERIFY(module().loadedWindow<guidagraduatoria>());
        module().unloadWindow<guidagraduatoria>();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::mouseClick(controls(results).avanti, Qt::LeftButton); // a button is not
        QVERIFY(!module().loadedWindow<guidagraduatoria>());

        // The corner entry's letter, with Alt, in the Results and Title-page windows.
        results->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(results));
        QTest::keyClick(results, Qt::Key_N, Qt::AltModifier);
        QTRY_VERIFY(module().loadedWindow<guidagraduatoria>()); // a button's key clicks it a moment later
        frontespizio* title = module().window<frontespizio>();
        title->show();
        title->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(title));
        QTest::keyClick(title, Qt::Key_N, Qt::AltModifier);
        QTRY_VERIFY(module().loadedWindow<guidafrontespizio>());
    }

    void save_firstAsksName_secondDoesNot()
    {
        enterValidStudy();
        setPerizia(QStringLiteral("Perizia"));
        dialogs().fileNames.enqueue(path(QStringLiteral("Pondra-dati-uno.txt")));
        findEntry(data, QStringLiteral("&Salva"))->trigger();
        QCOMPARE(dialogs().fileRequests.size(), 1);
        QCOMPARE(dialogs().fileRequests[0].title, QStringLiteral("Salva file con nome"));
        QCOMPARE(dialogs().fileRequests[0].filters,
                 QStringLiteral("File di dati Pondra (Pondra-dati-* *.txt)"));
        QCOMPARE(module().document().fileName(), path(QStringLiteral("Pondra-dati-uno.txt")));
        QVERIFY(QFile::exists(module().document().fileName()));

        findEntry(data, QStringLiteral("&Salva"))->trigger();
        QCOMPARE(dialogs().fileRequests.size(), 1);

        QCOMPARE(controls(data).passo->text(),
                 QStringLiteral("archiviato in «%1»")
                     .arg(QDir::toNativeSeparators(path(QStringLiteral("Pondra-dati-uno.txt")))));
        QVERIFY(data->windowTitle().endsWith(QStringLiteral(" - Pondra-dati-uno.txt")));
        QVERIFY(module().window<frontespizio>()->windowTitle().endsWith(
            QStringLiteral(" - Pondra-dati-uno.txt")));
    }

    // Unfinished work is saved as it is; the step line and a note say what is left, and where
    // the user works nothing moves.
    void save_unfinishedStudy_writesAndSaysWhatIsLeft_data()
    {
        QTest::addColumn<int>("window"); // 1 Data, 3 Title page
        QTest::addColumn<int>("weight"); // of row 1 of hypothesis 1, 100 when complete
        QTest::addColumn<QString>("perizia");
        QTest::addColumn<QString>("step");
        const QString saved = QStringLiteral("Studio salvato; da completare: ");
        QTest::newRow("complete") << 1 << 100 << QStringLiteral("P") << QString();
        QTest::newRow("remainder") << 1 << 85 << QStringLiteral("P")
                                   << saved + QStringLiteral("Ipotesi n. 1, resto 15 %");
        QTest::newRow("weights over 100, from the title page")
            << 3 << 110 << QStringLiteral("P")
            << saved + QStringLiteral("Ipotesi n. 1, pesi oltre 100 di 10 %");
        QTest::newRow("no perizia") << 1 << 100 << QString()
                                    << saved + QStringLiteral("perizia nel Frontespizio");
        QTest::newRow("both, from the title page")
            << 3 << 90 << QStringLiteral(" ") << saved + QStringLiteral("Ipotesi n. 1, resto 10 %; perizia");
    }
    void save_unfinishedStudy_writesAndSaysWhatIsLeft()
    {
        QFETCH(int, window);
        QFETCH(int, weight);
        QFETCH(QString, perizia);
        QFETCH(QString, step);
        enterValidStudy();
        setPerizia(perizia);
        testsupport::studyOf(module()).row(1, 1).weight = Value::text(QString::number(weight));
        controls(data).HScroll1->setValue(2);
        QMainWindow* from = window == 1 ? static_cast<QMainWindow*>(data) : module().window<frontespizio>();
        from->show();
        const QString file =
            path(QStringLiteral("Pondra-dati-%1.txt").arg(QString::fromUtf8(QTest::currentDataTag())));
        dialogs().fileNames.enqueue(file);
        findEntry(from, QStringLiteral("&Salva"))->trigger();
        QVERIFY2(dialogs().messages.isEmpty(), qPrintable(dialogs().messageTexts().join(u'\n')));
        QVERIFY(QFile::exists(file));
        QVERIFY(!module().document().isModified());
        QCOMPARE(module().document().shownHypothesis(), 2); // the check did not move the window
        auto* shown = qobject_cast<MainWindow*>(from);
        auto* note = from->findChild<QLabel*>(QStringLiteral("nota"));
        if (step.isEmpty()) {
            QCOMPARE(shown->stepText(),
                     QStringLiteral("archiviato in «%1»").arg(QDir::toNativeSeparators(file)));
            QVERIFY(!note || !note->isVisible());
            return;
        }
        QCOMPARE(shown->stepText(), step);
        QVERIFY(note && note->isVisible());
        QVERIFY(note->text().contains(QDir::toNativeSeparators(file)));
        // The note goes with the next step; Risultati still checks first.
        shown->showStep(QStringLiteral("avanti"));
        QVERIFY(!note->isVisible());
        if (weight != 100) {
            QTest::mouseClick(controls(data).avanti, Qt::LeftButton);
            QCOMPARE(dialogs().messages.size(), 1);
            QVERIFY(!module().loadedWindow<classifica>() ||
                    !module().loadedWindow<classifica>()->isVisible());
        }
    }

    void saveAs_cancelledKeepsFileName_proposesPrefixAndPerizia_addsTxt_data()
    {
        QTest::addColumn<QString>("perizia");
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("no perizia") << QString() << QStringLiteral("Pondra-dati-") << QStringLiteral("studio")
                                    << QStringLiteral("studio.txt");
        QTest::newRow("words of the perizia")
            << QStringLiteral(" Sede: lotto n. 5/B ") << QStringLiteral("Pondra-dati-Sede lotto n 5 B")
            << QStringLiteral("Pondra-dati-Sede lotto n 5 B")
            << QStringLiteral("Pondra-dati-Sede lotto n 5 B.txt");
        QTest::newRow("an extension typed is kept")
            << QStringLiteral("x") << QStringLiteral("Pondra-dati-x") << QStringLiteral("studio.dat")
            << QStringLiteral("studio.dat");
    }
    void saveAs_cancelledKeepsFileName_proposesPrefixAndPerizia_addsTxt()
    {
        QFETCH(QString, perizia);
        QFETCH(QString, proposed);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        enterValidStudy();
        setPerizia(perizia);
        const QString before = path(QStringLiteral("Pondra-dati-prima"));
        QVERIFY(module().document().save(before, nullptr));
        findEntry(data, QStringLiteral("Salva con &nome..."))->trigger();
        QCOMPARE(module().document().fileName(), before);
        // Proposed beside the study's file, the cursor after the prefix.
        const auto& request = dialogs().fileRequests.last();
        QCOMPARE(request.proposedName, QDir(dir.path()).filePath(proposed));
        QCOMPARE(request.cursorAt, std::optional<int>(12));

        dialogs().fileNames.enqueue(path(typed));
        toolbarButton(module().window<frontespizio>(), 3)->trigger();
        QCOMPARE(module().document().fileName(), path(written));
        QVERIFY(QFile::exists(path(written)));

        // Apri shows study files whatever their name, and every file besides.
        findEntry(data, QStringLiteral("&Apri..."))->trigger();
        QCOMPARE(dialogs().fileRequests.last().filters,
                 QStringLiteral("File di dati Pondra (Pondra-dati-* *.txt);;Tutti i file (*)"));
        QCOMPARE(dialogs().fileRequests.last().selectedFilter,
                 QStringLiteral("File di dati Pondra (Pondra-dati-* *.txt)"));
    }

    void openFromTitlePage_saveFromDataWindow_writesOpenedFile()
    {
        const QString file = path(QStringLiteral("Pondra-dati-aperto"));
        {
            Study study;
            testsupport::nameHypothesis(study, 1, QStringLiteral("Da file"));
            testsupport::enterRow(study, 1, 1, QStringLiteral("costo"), 3, 100);
            TitlePage page;
            page.progetto = QStringLiteral("Perizia dal file");
            page.data = QStringLiteral("martedì, 1 dic 2026");
            QVERIFY(saveStudyFile(file, study, page, nullptr));
        }
        frontespizio* title = module().window<frontespizio>();
        dialogs().fileNames.enqueue(file);
        findEntry(title, QStringLiteral("&Apri..."))->trigger();
        QCOMPARE(dialogs().fileRequests[0].title, QStringLiteral("Apri file"));
        QCOMPARE(dialogs().fileRequests[0].selectedFilter,
                 QStringLiteral("File di dati Pondra (Pondra-dati-* *.txt)"));
        QCOMPARE(module().document().fileName(), file);
        QCOMPARE(controls(title).data->text(), QStringLiteral("martedì, 1 dic 2026"));
        QCOMPARE(controls(data).ipotesi->text(), QStringLiteral("Da file"));

        const QDateTime before = QFileInfo(file).lastModified();
        QTest::qWait(20);
        findEntry(data, QStringLiteral("&Salva"))->trigger();
        QVERIFY(dialogs().messages.isEmpty());
        QCOMPARE(dialogs().fileRequests.size(), 1); // no dialog for the save
        QVERIFY(QFileInfo(file).lastModified() >= before);
    }

    void cancelledOpen_nextSaveAsksName()
    {
        enterValidStudy();
        setPerizia(QStringLiteral("Perizia"));
        holdUnder(path(QStringLiteral("Pondra-dati-vecchio")));
        findEntry(data, QStringLiteral("&Apri..."))->trigger();
        QCOMPARE(module().document().fileName(), QString());
        QCOMPARE(controls(data).ipotesi->text(), QStringLiteral("Bassa")); // nothing cleared
        findEntry(data, QStringLiteral("&Salva"))->trigger();
        QCOMPARE(dialogs().fileRequests.size(), 2);
    }

    void damagedFileOverLoadedStudy_changesNothing()
    {
        enterValidStudy();
        const QString file = path(QStringLiteral("Pondra-dati-rotto"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("2\r\n\"A\",1,,\r\n");
        f.close();
        holdUnder(path(QStringLiteral("Pondra-dati-buono")));
        const auto before = std::make_unique<Study>(module().study());
        dialogs().fileNames.enqueue(file);
        findEntry(data, QStringLiteral("&Apri..."))->trigger();
        QCOMPARE(dialogs().messages.size(), 1);
        QVERIFY(dialogs().messages[0].text.contains(QStringLiteral("riga 3")));
        QVERIFY(module().study() == *before);
        QCOMPARE(module().document().fileName(), path(QStringLiteral("Pondra-dati-buono")));
        QCOMPARE(controls(data).ipotesi->text(), QStringLiteral("Bassa"));
    }

    void saveIntoMissingFolder_saysWhy_keepsName()
    {
        enterValidStudy();
        setPerizia(QStringLiteral("Perizia"));
        dialogs().fileNames.enqueue(path(QStringLiteral("manca/Pondra-dati-x")));
        findEntry(data, QStringLiteral("&Salva"))->trigger();
        QCOMPARE(dialogs().messages.size(), 1);
        QVERIFY(dialogs().messages[0].text.contains(QStringLiteral("non si può salvare")));
        QCOMPARE(module().document().fileName(), QString());
    }

    void delete_asksFirst_noKeepsFile_currentFileForgotten()
    {
        enterValidStudy();
        setPerizia(QStringLiteral("Perizia"));
        const QString file = path(QStringLiteral("Pondra-dati-tre.txt"));
        dialogs().fileNames.enqueue(file);
        findEntry(data, QStringLiteral("&Salva"))->trigger();
        QVERIFY(!module().document().isModified());

        dialogs().fileNames.enqueue(file);
        dialogs().answers.enqueue(MessageAnswer::No);
        toolbarButton(data, 4)->trigger();
        QCOMPARE(dialogs().fileRequests.last().title, module().identity().DeleteDialogTitle);
        QCOMPARE(dialogs().messages.last().text,
                 QStringLiteral("Eliminare definitivamente il file «Pondra-dati-tre.txt»?"));
        QCOMPARE(dialogs().messages.last().defaultAnswer, MessageAnswer::No);
        QVERIFY(QFile::exists(file));

        // Yes deletes it: the study is in no file any more, so the next save asks a name.
        dialogs().fileNames.enqueue(file);
        findEntry(module().window<classifica>(), QStringLiteral("Elimina..."))->trigger();
        QVERIFY(!QFile::exists(file));
        QCOMPARE(module().document().fileName(), QString());
        QVERIFY(module().document().isModified());
        QVERIFY(!data->windowTitle().contains(QStringLiteral("Pondra-dati-tre")));
        const int requests = dialogs().fileRequests.size();
        findEntry(data, QStringLiteral("&Salva"))->trigger();
        QCOMPARE(dialogs().fileRequests.size(), requests + 1);
        QCOMPARE(dialogs().fileRequests.last().title, QStringLiteral("Salva file con nome"));
    }

    void deleteMissingFile_saysWhy()
    {
        dialogs().fileNames.enqueue(path(QStringLiteral("Pondra-dati-nessuno")));
        findEntry(data, QStringLiteral("&Elimina..."))->trigger();
        QCOMPARE(dialogs().messages.size(), 2);
        QVERIFY(dialogs().messages[1].text.endsWith(QStringLiteral("non esiste.")));
    }

    void exitQuestion_noKeepsEverything_yesShowsClosingSplash()
    {
        enterValidStudy();
        dialogs().answers.enqueue(MessageAnswer::No);
        QTest::mouseClick(controls(data).cmdesci, Qt::LeftButton);
        const MessageRequest& question = dialogs().messages.last();
        QCOMPARE(question.text, QStringLiteral("Vuoi uscire da Pondra?"));
        QCOMPARE(question.title, QStringLiteral("Pondra: uscita"));
        QCOMPARE(question.defaultAnswer, MessageAnswer::No);
        QCOMPARE(module().loadedWindow<requisiti>(), data);

        // The Results window's check and clear buttons lead to the same question.
        toolbarButton(module().window<classifica>(), 19)->trigger();
        QCOMPARE(dialogs().messages.size(), 2);

        module().window<solidita>()->show();
        QPointer<QWidget> printout = new QWidget;
        module().adoptDocumentWindow(printout);
        dialogs().answers.enqueue(MessageAnswer::Yes);
        QTest::mouseClick(controls(data).cmdesci, Qt::LeftButton);
        QVERIFY(!module().loadedWindow<requisiti>());
        QVERIFY(!module().loadedWindow<classifica>());
        QVERIFY(!module().loadedWindow<solidita>());
        QTRY_VERIFY(!printout);
        frmSplash* splash = module().loadedWindow<frmSplash>();
        QVERIFY(splash && splash->isVisible());
        QCOMPARE(splash->label(2)->text(), QStringLiteral("       elaborazione eseguita con"));
        QCOMPARE(module().study().hypothesis(2).name, Value::text(QStringLiteral("Alta"))); // still in memory
    }

    // Every way out asks the one question: the save question when there are unsaved changes,
    // otherwise the plain one.
    void exitRoutes_askOneQuestion_data()
    {
        QTest::addColumn<int>("route");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QString>("perizia"); // typed as the change; empty: a hypothesis renamed
        QTest::addColumn<bool>("hasFile");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<bool>("leaves");
        const QStringList routes{
            u"USCITA Dati"_s,        u"USCITA Risultati"_s,   u"USCITA Frontespizio"_s,
            u"Esci Dati"_s,          u"Esci Risultati"_s,     u"Esci Frontespizio"_s,
            u"barra 21"_s,           u"barra 19 Risultati"_s, u"chiusura dell'ultima finestra"_s,
            u"USCITA del sommario"_s};
        for (int route = 0; route < routes.size(); ++route) {
            const QByteArray name = routes[route].toUtf8();
            QTest::newRow(name + ", unchanged")
                << route << false << QString() << false << MessageAnswer::Yes << true;
            QTest::newRow(name + ", changed, discard")
                << route << true << QStringLiteral("Perizia") << false << MessageAnswer::Discard << true;
        }
        QTest::newRow("unchanged, No") << 0 << false << QString() << false << MessageAnswer::No << false;
        QTest::newRow("changed, Annulla")
            << 0 << true << QStringLiteral("Perizia") << false << MessageAnswer::Cancel << false;
        QTest::newRow("changed, Salva") << 2 << true << QString() << true << MessageAnswer::Save << true;
        QTest::newRow("changed, Salva, name dialog cancelled")
            << 0 << true << QString() << false << MessageAnswer::Save << false;
    }
    void exitRoutes_askOneQuestion()
    {
        QFETCH(int, route);
        QFETCH(bool, changed);
        QFETCH(QString, perizia);
        QFETCH(bool, hasFile);
        QFETCH(MessageAnswer, answer);
        QFETCH(bool, leaves);
        enterValidStudy();
        const QString file = path(QStringLiteral("Pondra-dati-uscita.txt"));
        QFile::remove(file);
        if (hasFile) {
            QVERIFY(module().document().save(file, nullptr));
        }
        if (changed && !perizia.isEmpty()) {
            setPerizia(perizia);
        } else if (changed) {
            module().document().nameHypothesis(QStringLiteral("Bassa bis"));
        }
        classifica* results = module().window<classifica>();
        frontespizio* title = module().window<frontespizio>();
        if (route != 8) {
            results->show();
            title->show();
        }
        dialogs().answers.enqueue(answer);
        switch (route) {
        case 0:
            QTest::mouseClick(controls(data).cmdesci, Qt::LeftButton);
            break;
        case 1:
            QTest::mouseClick(controls(results).cmdesci, Qt::LeftButton);
            break;
        case 2:
            QTest::mouseClick(controls(title).cmdesci, Qt::LeftButton);
            break;
        case 3:
            findEntry(data, QStringLiteral("Es&ci"))->trigger();
            break;
        case 4:
            findEntry(results, QStringLiteral("Esci"))->trigger();
            break;
        case 5:
            findEntry(title, QStringLiteral("Es&ci"))->trigger();
            break;
        case 6:
            toolbarButton(data, 21)->trigger();
            break;
        case 7:
            toolbarButton(results, 19)->trigger();
            break;
        case 8:
            data->close();
            break;
        case 9:
            module().window<sommario>()->cmduscita_Click();
            break;
        }
        QCOMPARE(dialogs().messages.size(), 1);
        const MessageRequest& question = dialogs().messages.last();
        QCOMPARE(question.title, QStringLiteral("Pondra: uscita"));
        QCOMPARE(question.icon, std::optional<MessageIcon>(MessageIcon::Question));
        if (changed) {
            // Named by the perizia, else by the file, else not at all.
            const QString name = !perizia.isEmpty() ? QStringLiteral(" «Perizia»")
                                 : hasFile          ? QStringLiteral(" «Pondra-dati-uscita.txt»")
                                                    : QString();
            QCOMPARE(question.text,
                     QStringLiteral("Salvare le modifiche allo studio%1 prima di uscire?").arg(name));
            QCOMPARE(question.buttons, MessageButtons::SaveDiscardCancel);
            QCOMPARE(question.discardText, QStringLiteral("&Esci senza salvare"));
            QCOMPARE(question.defaultAnswer, MessageAnswer::Save);
        } else {
            QCOMPARE(question.text, QStringLiteral("Vuoi uscire da Pondra?"));
            QCOMPARE(question.buttons, MessageButtons::YesNo);
            QCOMPARE(question.defaultAnswer, MessageAnswer::No);
        }
        QCOMPARE(module().loadedWindow<requisiti>() == nullptr, leaves);
        QCOMPARE(module().loadedWindow<frmSplash>() != nullptr, leaves);
        if (answer == MessageAnswer::Save) {
            QCOMPARE(module().document().isModified(), !leaves);
            QCOMPARE(QFile::exists(file), leaves);
        }
    }

    void keys_shownInTheMenusOfEveryMainWindow_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QKeySequence>("key");
        const QList<QStringList> entries{
            {u"&Apri..."_s, u"&Salva"_s, u"Salva con &nome..."_s, u"&dati finestra"_s,
             u"Guida della &finestra"_s, u"Es&ci"_s},
            {u"Apri"_s, u"Salva"_s, u"Salva con nome..."_s, u"Stampa classifica"_s,
             u"Guida della &finestra"_s, u"Esci"_s},
            {u"&Apri..."_s, u"&Salva"_s, u"Salva con &nome..."_s, u"&intera elaborazione"_s,
             u"Guida della &finestra"_s, u"Es&ci"_s},
        };
        const QList<QKeySequence> keys{
            Qt::CTRL | Qt::Key_O, Qt::CTRL | Qt::Key_S, Qt::CTRL | Qt::SHIFT | Qt::Key_S,
            Qt::CTRL | Qt::Key_P, Qt::Key_F1,           Qt::CTRL | Qt::Key_Q};
        for (int w = 1; w <= 3; ++w) {
            for (int i = 0; i < keys.size(); ++i) {
                QTest::addRow("%d %s", w, qPrintable(entries[w - 1][i])) << w << entries[w - 1][i] << keys[i];
            }
        }
    }
    void keys_shownInTheMenusOfEveryMainWindow()
    {
        QFETCH(int, window);
        QFETCH(QString, entry);
        QFETCH(QKeySequence, key);
        QMainWindow* w = window == 1   ? static_cast<QMainWindow*>(data)
                         : window == 2 ? static_cast<QMainWindow*>(module().window<classifica>())
                                       : module().window<frontespizio>();
        QAction* action = findEntry(w, entry);
        QVERIFY(action && action->isEnabled());
        QCOMPARE(action->shortcut(), key);
        if (key == QKeySequence(Qt::Key_F1)) {
            action->trigger();
            const bool shown[] = {bool(module().loadedWindow<guidacaratteristiche>()),
                                  bool(module().loadedWindow<guidagraduatoria>()),
                                  bool(module().loadedWindow<guidafrontespizio>())};
            QCOMPARE(std::count(std::begin(shown), std::end(shown), true), 1);
            QVERIFY(shown[window - 1]);
        }
    }

    // Ctrl+S reaches Salva while the scale takes the Alt letters.
    void saveKey_withTheScaleActive_keepsTheScaleLetters()
    {
        QVERIFY(QTest::qWaitForWindowActive(data));
        const auto c = controls(data);
        QTest::mouseClick(c.Check[1], Qt::LeftButton);
        QTest::keyClicks(c.requisito[1]->lineEdit(), QStringLiteral("costo"));
        QTest::keyClick(c.requisito[1]->lineEdit(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(dialogs().fileRequests.size(), 1);
        QCOMPARE(dialogs().fileRequests[0].title, QStringLiteral("Salva file con nome"));
        QTest::keyClick(c.requisito[1]->lineEdit(), Qt::Key_S, Qt::AltModifier);
        QCOMPARE(c.giudizio[1]->text(), QStringLiteral("scadente"));
        QCOMPARE(c.requisito[1]->currentText(), QStringLiteral("costo"));
    }

    void helpEntries_openTheRightPages()
    {
        findEntry(data, QStringLiteral("&Guida in linea"))->trigger();
        sommario* contents = module().loadedWindow<sommario>();
        QVERIFY(contents && contents->isVisible());

        // The window's own view entry asks first; No opens nothing.
        dialogs().answers.enqueue(MessageAnswer::No);
        findEntry(data, QStringLiteral("Finestra Dati"))->trigger();
        QCOMPARE(dialogs().messages.last().text,
                 QStringLiteral("È questa la finestra 'Dati': si vuole la guida della finestra?"));
        QCOMPARE(dialogs().messages.last().title, module().identity().HelpTitle);
        QVERIFY(!module().loadedWindow<guidacaratteristiche>());
        findEntry(data, QStringLiteral("Finestra Dati"))->trigger();
        QVERIFY(module().loadedWindow<guidacaratteristiche>());

        module().window<classifica>()->findChild<QToolButton*>(QStringLiteral("finestra"))->click();
        QVERIFY(module().loadedWindow<guidagraduatoria>());
        QTest::mouseClick(controls(module().window<frontespizio>()).cmdGuida, Qt::LeftButton);
        QCOMPARE(module().loadedWindow<sommario>(), contents);

        // The contents lead to the terms, whose Sommario leads back; USCITA is the program's exit.
        contents->openTopic(9);
        licenza* terms = module().loadedWindow<licenza>();
        QVERIFY(terms && terms->isVisible());
        contents->hide();
        terms->cmdSommario_Click();
        QVERIFY(contents->isVisible());
        contents->openTopic(10);
        QVERIFY(module().loadedWindow<prodotti>());

        dialogs().answers.enqueue(MessageAnswer::Yes);
        contents->cmduscita_Click();
        QVERIFY(!module().loadedWindow<sommario>() && !module().loadedWindow<licenza>() &&
                !module().loadedWindow<prodotti>() && !module().loadedWindow<guidacaratteristiche>());
        QVERIFY(module().loadedWindow<frmSplash>());
    }

    void escape_closesEverySecondaryWindow()
    {
        enterValidStudy();
        const QList<QWidget*> windows{module().window<confronto>(), module().window<solidita>(),
                                      module().window<sommario>(),  module().window<prodotti>(),
                                      module().window<licenza>(),   loadHelpPage(module(), 1)};
        for (QWidget* window : windows) {
            window->show();
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
            QTest::keyClick(window, Qt::Key_Escape);
            QVERIFY2(!window->isVisible(), window->metaObject()->className());
        }
        QVERIFY(data->isVisible());
    }

    void background_greyForAll_orDialogForOne()
    {
        const QColor grey(192, 192, 192);
        findEntry(data, QStringLiteral("&Colore di sfondo"))->trigger();
        QCOMPARE(dialogs().messages.last().text,
                 QStringLiteral("Desideri colori uguali e riposanti (grigio) per tutte le finestre?"));
        QVERIFY(!dialogs().messages.last().icon);
        QCOMPARE(data->palette().color(QPalette::Window), grey);
        QCOMPARE(module().window<classifica>()->palette().color(QPalette::Window), grey);
        QCOMPARE(module().window<frontespizio>()->palette().color(QPalette::Window), grey);

        // Already grey: straight to the dialog, for this window only.
        dialogs().colours.enqueue(QColor(10, 20, 30));
        findEntry(data, QStringLiteral("&Colore di sfondo"))->trigger();
        QCOMPARE(dialogs().messages.size(), 1);
        QCOMPARE(data->palette().color(QPalette::Window), QColor(10, 20, 30));
        QCOMPARE(module().ChosenBackColor, QColor(10, 20, 30));
        QCOMPARE(module().window<classifica>()->palette().color(QPalette::Window), grey);

        // The title page never asks.
        dialogs().colours.enqueue(QColor(1, 2, 3));
        findEntry(module().window<frontespizio>(), QStringLiteral("&Colore di sfondo"))->trigger();
        QCOMPARE(dialogs().messages.size(), 1);
        QCOMPARE(module().window<frontespizio>()->palette().color(QPalette::Window), QColor(1, 2, 3));
    }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
