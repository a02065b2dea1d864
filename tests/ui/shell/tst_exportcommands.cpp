#include "support/csvreader.h"
#include "support/scriptedmodule.h"
#include "support/studybuilder.h"
#include "ui/main/frontespizio.h"
#include "ui/main/requisiti.h"
#include "ui/shell/shell.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace pondra;

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

const QString exportEntry = QStringLiteral("Es&porta per foglio di calcolo...");

} // namespace

class TestExportCommands : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testsupport::ScriptedModule> scripted;
    QTemporaryDir dir;

    ModuloPondra& module() { return *scripted->module; }
    testsupport::ScriptedDialogs& dialogs() { return *scripted->dialogs; }

private Q_SLOTS:
    void init()
    {
        scripted = std::make_unique<testsupport::ScriptedModule>();
        installShell(module());
        Study& study = module().study();
        testsupport::nameHypothesis(study, 1, QStringLiteral("Sede"));
        testsupport::enterRow(study, 1, 1, QStringLiteral("costo"), 3, 100);
        module().window<requisiti>()->HScroll1_Change();
    }

    void fromTitlePage_addsExtension_writesTitleFields_saysWhere()
    {
        frontespizio* title = module().window<frontespizio>();
        QTest::keyClicks(title->progetto, QStringLiteral("Perizia; prima"));
        dialogs().fileNames.enqueue(dir.filePath(QStringLiteral("studio")));
        findEntry(title, exportEntry)->trigger();
        QCOMPARE(dialogs().fileRequests.at(0).title, QStringLiteral("Esporta per foglio di calcolo"));
        QFile file(dir.filePath(QStringLiteral("studio.csv")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QStringList> rows = testsupport::readCsv(file.readAll());
        QCOMPARE(rows.at(1), (QStringList{QStringLiteral("T:perizia"), QStringLiteral("T:Perizia; prima")}));
        QVERIFY(rows.contains(QStringList{QStringLiteral("N:1"), QStringLiteral("T:Sede"), QStringLiteral("N:80"),
                                          QStringLiteral("T:buono")}));
        QVERIFY(title->passo->text().contains(QDir::toNativeSeparators(file.fileName())));
    }

    void failedCheck_asksNoNameWritesNothing()
    {
        module().study().row(1, 1).weight = Value::text(QStringLiteral("90"));
        requisiti* data = module().window<requisiti>();
        findEntry(data, exportEntry)->trigger();
        QCOMPARE(dialogs().messages.size(), 1);
        QVERIFY(dialogs().fileRequests.isEmpty());
    }
};

QTEST_MAIN(TestExportCommands)
#include "tst_exportcommands.moc"
