#include "archive/datafile.h"
#include "support/csvreader.h"
#include "support/scriptedmodule.h"
#include "support/studybuilder.h"
#include "support/windowcontrols.h"
#include "ui/core/plaintext.h"
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
#include <QTemporaryDir>
#include <QTest>

using namespace pondra;
using testsupport::controls;

namespace {

const QString exportEntry = QStringLiteral("Es&porta per foglio di calcolo...");

} // namespace

// The File menu's recent files and spreadsheet export.
class TestFileMenu : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testsupport::ScriptedModule> scripted;
    QTemporaryDir dir;

    ModuloPondra& module() { return *scripted->module; }
    testsupport::ScriptedDialogs& dialogs() { return *scripted->dialogs; }

    QString studyFile(const QString& name, const QString& hypothesis)
    {
        const QString path = dir.filePath(name);
        auto study = std::make_unique<Study>();
        testsupport::nameHypothesis(*study, 1, hypothesis);
        testsupport::enterRow(*study, 1, 1, QStringLiteral("costo"), 3, 100);
        TitlePage page;
        page.progetto = QStringLiteral("Perizia");
        [&] { QVERIFY(saveStudyFile(path, *study, page, nullptr)); }();
        return path;
    }

    // The window's recent-files entries as the File menu shows them when it opens.
    QList<QAction*> recentEntries(QMainWindow* window)
    {
        QMenu* file = window->menuBar()->actions().at(0)->menu();
        Q_EMIT file->aboutToShow();
        return window->findChild<QMenu*>(QStringLiteral("recenti"))->actions();
    }

    QAction* menuEntry(QMainWindow* window, const QString& text)
    {
        for (QAction* action : window->findChildren<QAction*>()) {
            if (action->text() == text) {
                return action;
            }
        }
        return nullptr;
    }

    void enterStudy()
    {
        Study& study = testsupport::studyOf(module());
        testsupport::nameHypothesis(study, 1, QStringLiteral("Sede"));
        testsupport::enterRow(study, 1, 1, QStringLiteral("costo"), 3, 100);
        module().window<requisiti>()->HScroll1_Change();
    }

private Q_SLOTS:
    void init()
    {
        scripted = std::make_unique<testsupport::ScriptedModule>();
        installShell(module());
    }

    void list_newestFirst_noDuplicates_eightAtMost_sharedBySettings()
    {
        RecentFiles& recent = module().recentFiles();
        for (int i = 1; i <= 10; ++i) {
            recent.add(dir.filePath(QStringLiteral("f%1").arg(i)));
        }
        recent.add(dir.filePath(QStringLiteral("f5")));
        QStringList expected{dir.filePath(QStringLiteral("f5"))};
        for (int i : {10, 9, 8, 7, 6, 4, 3}) {
            expected << dir.filePath(QStringLiteral("f%1").arg(i));
        }
        QCOMPARE(recent.paths(), expected);
        // Another program of the same user sees the same list.
        RecentFiles other(module().environment());
        other.remove(dir.filePath(QStringLiteral("f9")));
        expected.removeAll(dir.filePath(QStringLiteral("f9")));
        QCOMPARE(recent.paths(), expected);
    }

    void openedAndSaved_listedWithFullPath_chosenOneOpens_goneOneSaysSoAndLeaves()
    {
        const QString first = studyFile(QStringLiteral("Pondra-dati-primo"), QStringLiteral("Primo"));
        const QString second = studyFile(QStringLiteral("Pondra-dati-secondo"), QStringLiteral("Secondo"));
        requisiti* data = module().window<requisiti>();
        frontespizio* title = module().window<frontespizio>();
        QVERIFY(recentEntries(title).isEmpty());

        dialogs().fileNames.enqueue(first);
        menuEntry(data, QStringLiteral("&Apri..."))->trigger();
        // Markup and "&" in a file's name are shown as they stand.
        const QString saved = dir.filePath(QStringLiteral("Pondra-dati-<b>copia & co.txt"));
        dialogs().fileNames.enqueue(saved);
        menuEntry(title, QStringLiteral("Salva con &nome..."))->trigger();
        dialogs().fileNames.enqueue(second);
        menuEntry(title, QStringLiteral("&Apri..."))->trigger();
        QCOMPARE(controls(data).ipotesi->text(), QStringLiteral("Secondo"));

        QList<QAction*> entries = recentEntries(title);
        QCOMPARE(entries.size(), 3);
        QCOMPARE(entries.at(0)->text(), QStringLiteral("&1 Pondra-dati-secondo"));
        QCOMPARE(entries.at(1)->text(), QStringLiteral("&2 Pondra-dati-<b>copia && co.txt"));
        QCOMPARE(entries.at(1)->toolTip(), plainToolTip(QDir::toNativeSeparators(saved)));
        QCOMPARE(entries.at(2)->text(), QStringLiteral("&3 Pondra-dati-primo"));

        entries.at(2)->trigger();
        QCOMPARE(module().document().fileName(), first);
        QCOMPARE(controls(data).ipotesi->text(), QStringLiteral("Primo"));
        QCOMPARE(recentEntries(data).at(0)->toolTip(), plainToolTip(QDir::toNativeSeparators(first)));

        QVERIFY(QFile::remove(saved));
        recentEntries(data).at(2)->trigger();
        QCOMPARE(dialogs().messages.size(), 1);
        QVERIFY(dialogs().messages.at(0).text.contains(QStringLiteral("non esiste più")));
        QCOMPARE(module().document().fileName(), first);
        QCOMPARE(module().recentFiles().paths(), (QStringList{first, second}));
    }

    void export_fromTitlePage_addsExtension_writesTitleFields_saysWhere()
    {
        enterStudy();
        frontespizio* title = module().window<frontespizio>();
        QTest::keyClicks(controls(title).progetto, QStringLiteral("Perizia; prima"));
        dialogs().fileNames.enqueue(dir.filePath(QStringLiteral("studio")));
        menuEntry(title, exportEntry)->trigger();
        QCOMPARE(dialogs().fileRequests.at(0).title, QStringLiteral("Esporta per foglio di calcolo"));
        QFile file(dir.filePath(QStringLiteral("studio.csv")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QStringList> rows = testsupport::readCsv(file.readAll());
        QCOMPARE(rows.at(1), (QStringList{QStringLiteral("T:perizia"), QStringLiteral("T:Perizia; prima")}));
        QVERIFY(rows.contains(QStringList{QStringLiteral("N:1"), QStringLiteral("T:Sede"),
                                          QStringLiteral("N:80"), QStringLiteral("T:buono")}));
        QVERIFY(controls(title).passo->text().contains(QDir::toNativeSeparators(file.fileName())));
    }

    void export_failedCheck_asksNoNameWritesNothing()
    {
        enterStudy();
        testsupport::studyOf(module()).row(1, 1).weight = Value::text(QStringLiteral("90"));
        requisiti* data = module().window<requisiti>();
        menuEntry(data, exportEntry)->trigger();
        QCOMPARE(dialogs().messages.size(), 1);
        QVERIFY(dialogs().fileRequests.isEmpty());
    }
};

QTEST_MAIN(TestFileMenu)
#include "tst_filemenu.moc"
