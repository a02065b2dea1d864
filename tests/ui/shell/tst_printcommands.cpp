#include "support/pdfpages.h"
#include "support/scriptedmodule.h"
#include "support/studybuilder.h"
#include "support/windowcontrols.h"
#include "ui/extra/documentwindow.h"
#include "ui/main/classifica.h"
#include "ui/main/frontespizio.h"
#include "ui/main/requisiti.h"
#include "ui/shell/printcommands.h"
#include "ui/shell/shell.h"

#include "reports/documentexport.h"
#include "reports/pagelayout.h"
#include "reports/textdocumentconversion.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

using namespace pondra;
using testsupport::controls;
using testsupport::pdfPages;

class TestPrintCommands : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testsupport::ScriptedModule> scripted;
    requisiti* data = nullptr;

    ModuloPondra& module() { return *scripted->module; }

    void enterValidStudy()
    {
        Study& study = testsupport::studyOf(module());
        for (int h = 1; h <= 3; ++h) {
            testsupport::nameHypothesis(study, h, QStringLiteral("Ipotesi %1").arg(h));
            testsupport::enterRow(study, h, 1, QStringLiteral("costo"), h + 1, 60);
            testsupport::enterRow(study, h, 2, QStringLiteral("qualità"), 3, 40);
        }
        data->HScroll1_Change();
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

private Q_SLOTS:
    void init()
    {
        scripted = std::make_unique<testsupport::ScriptedModule>();
        installShell(module());
        data = module().window<requisiti>();
        data->show();
    }
    void cleanup()
    {
        scripted.reset();
        QVERIFY(documents().isEmpty()); // the module took its document windows with it
    }

    void dataError_printsNothing_rankingAndReportShowDataWindow()
    {
        enterValidStudy();
        testsupport::studyOf(module()).row(2, 2).weight = Value::text(QStringLiteral("30"));
        PrintHypothesesData(module());
        QCOMPARE(scripted->dialogs->messages.size(), 1);
        QVERIFY(documents().isEmpty());
        QVERIFY(controls(data).passo->text() != QStringLiteral("sto preparando la relazione"));

        data->hide();
        PrintReport(module());
        QCOMPARE(scripted->dialogs->messages.size(), 2);
        QVERIFY(documents().isEmpty());
        QVERIFY(data->isVisible());
        QVERIFY(!scripted->dialogs->messageTexts().contains(
            QStringLiteral("I dati sono stati immessi correttamente.")));
    }

    void hypothesesData_leavesTheWindowAsItWas()
    {
        enterValidStudy();
        // The printout's own silent check leaves the window where it was, with the user's hint.
        data->checkQuietly();
        controls(data).passo->setText(
            QStringLiteral("spuntare un'altra caratteristica o indicare la successiva ipotesi"));
        const QString hint = controls(data).passo->text();
        PrintHypothesesData(module());
        QVERIFY(scripted->dialogs->messages.isEmpty());
        QCOMPARE(documents().size(), 1);
        QCOMPARE(controls(data).HScroll1->value(), 1);
        QCOMPARE(controls(data).passo->text(), hint);
        const QString text = documents().first()->document()->toPlainText();
        QVERIFY(text.contains(QStringLiteral("Ipotesi n. 3: Ipotesi 3")));
        QVERIFY(text.contains(QStringLiteral("0,800")));

        // A second printout opens a second window.
        PrintTemplate(module());
        QCOMPARE(documents().size(), 2);
        QCOMPARE(controls(data).passo->text(), hint);
    }

    void report_ranksQuietly_andSaysSo()
    {
        // With the studio set, the step line has nothing else to say.
        module().environment().settings().setInstallation(Settings::Installation::OwnerStudioName,
                                                          QStringLiteral("Studio Rossi"));
        enterValidStudy();
        module().document().setTitleField(0, QStringLiteral("Perizia di prova")); // the perizia
        PrintReport(module());
        frontespizio* title = module().window<frontespizio>();
        QCOMPARE(controls(title).passo->text(),
                 QStringLiteral("la relazione è nella finestra del documento"));
        QCOMPARE(module().document().ranking()[1].name, Value::text(QStringLiteral("Ipotesi 1")));
        QCOMPARE(documents().size(), 1);
        const QString text = documents().first()->document()->toPlainText();
        QVERIFY(text.contains(QStringLiteral("RELAZIONE DI STIMA")));
        QVERIFY(text.contains(QStringLiteral("perizia: Perizia di prova")));
        QVERIFY(text.contains(QStringLiteral("Si allega: \n")));
    }

    void report_printsThePagesItExportsAndStates()
    {
        enterValidStudy();
        PrintReport(module());
        DocumentWindow* window = documents().first();
        QTextDocument& document = *window->document();
        // Shown and not edited, the document prints the pages it was built with.
        QVERIFY(attachedPages(document) != nullptr);
        QTemporaryDir dir;
        auto printed = [&](const QString& name) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(dir.filePath(name));
            return window->printOn(printer) ? pdfPages(dir.filePath(name)) : -1;
        };
        auto exported = [&](const QString& name) {
            QString error;
            return exportDocument(document, dir.filePath(name), &error) ? pdfPages(dir.filePath(name)) : -1;
        };
        const int pages = printed(QStringLiteral("stampata.pdf"));
        QCOMPARE(pages, exported(QStringLiteral("esportata.pdf")));
        QVERIFY(document.toPlainText().contains(QStringLiteral("composta di n. %1 pagine.").arg(pages)));

        // Edited, it is laid out again from what it holds: printed and exported alike, the
        // stated count following the new pages.
        QTextCursor(&document).insertText(QString(120, u'\n'));
        QVERIFY(attachedPages(document) == nullptr);
        const int longer = printed(QStringLiteral("stampata2.pdf"));
        QVERIFY(longer > pages);
        QCOMPARE(longer, exported(QStringLiteral("esportata2.pdf")));
        const std::shared_ptr<const PagedDocument> laidOut = pagesOf(document);
        const DocumentContent& content = *laidOut->content;
        const auto& closing = std::find_if(content.blocks.begin(), content.blocks.end(), [](const Block& b) {
            const auto* p = std::get_if<Paragraph>(&b);
            return p && p->hasField();
        });
        QVERIFY(closing != content.blocks.end());
        QVERIFY(std::get<Paragraph>(*closing).text.contains(
            QStringLiteral("n.\u00A0%1\u00A0pagine").arg(longer)));
    }

    void rankingAndTitlePageData_sayWhatTheyShowed()
    {
        enterValidStudy();
        PrintRanking(module());
        QCOMPARE(controls(module().window<classifica>()).passo->text(),
                 QStringLiteral("i dati sono nella finestra del documento"));
        PrintTitlePageData(module());
        QCOMPARE(controls(module().window<frontespizio>()).passo->text(),
                 QStringLiteral("i dati sono nella finestra del documento"));
        QCOMPARE(documents().size(), 2);
    }

    void documentWindow_saveAsExports_openWithUsesDesktop()
    {
        enterValidStudy();
        PrintRanking(module());
        DocumentWindow* window = documents().first();
        QTemporaryDir dir;
        scripted->dialogs->fileNames.enqueue(dir.filePath(QStringLiteral("classifica.pdf")));
        window->saveAs();
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("classifica.pdf"))).size() > 1000);

        scripted->dialogs->fileNames.enqueue(dir.filePath(QStringLiteral("manca/classifica.docx")));
        window->saveAs();
        QCOMPARE(scripted->dialogs->messages.size(), 1);
        QCOMPARE(scripted->dialogs->messages[0].icon, std::optional<MessageIcon>(MessageIcon::Critical));

#ifdef Q_OS_UNIX
        // Another user plants a link where an older version wrote its copy: it is left alone.
        const QString planted =
            QDir(QDir::tempPath())
                .filePath(QStringLiteral("Pondra-%1-%2.docx")
                              .arg(window->windowTitle().section(u':', -1).trimmed().replace(u' ', u'-'),
                                   QString::number(QCoreApplication::applicationPid())));
        const QString victim = dir.filePath(QStringLiteral("vittima"));
        QFile victimFile(victim);
        QVERIFY(victimFile.open(QIODevice::WriteOnly));
        victimFile.write("dati dell'utente");
        victimFile.close();
        QFile::remove(planted);
        QVERIFY(QFile::link(victim, planted));
#endif
        window->openWith();
        window->openWith();
        QCOMPARE(scripted->environment->openedUrls.size(), 2);
        const QString opened = scripted->environment->openedUrls[0].toLocalFile();
        const QString again = scripted->environment->openedUrls[1].toLocalFile();
        QVERIFY(opened.endsWith(QStringLiteral("/Pondra-classifica-delle-ipotesi.docx")));
        // A copy the desktop may still hold is never written over.
        QVERIFY(again != opened && QFileInfo(again).size() > 1000 && QFileInfo(opened).size() > 1000);
        const QFileInfo folder(QFileInfo(opened).path());
        QCOMPARE(folder.permissions() &
                     ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser),
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
#ifdef Q_OS_UNIX
        QVERIFY(QFileInfo(planted).isSymLink());
        QCOMPARE(QFileInfo(planted).symLinkTarget(), victim);
        QVERIFY(victimFile.open(QIODevice::ReadOnly));
        QCOMPARE(victimFile.readAll(), QByteArray("dati dell'utente"));
        QFile::remove(planted);
#endif
        // The folder goes with the program.
        scripted.reset();
        QVERIFY(!QFileInfo::exists(folder.filePath()));
        QVERIFY(!QFile::exists(opened));
    }

    void documentWindow_saveAs_proposesStudyName_addsChosenExtension_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("extension");
        QTest::newRow("pdf") << QStringLiteral("Documento PDF (*.pdf)") << QStringLiteral(".pdf");
        QTest::newRow("docx") << QStringLiteral("Documento Word (*.docx)") << QStringLiteral(".docx");
        QTest::newRow("html") << QStringLiteral("Pagina web (*.html)") << QStringLiteral(".html");
    }
    void documentWindow_saveAs_proposesStudyName_addsChosenExtension()
    {
        QFETCH(QString, filter);
        QFETCH(QString, extension);
        enterValidStudy();
        QTemporaryDir dir;
        // The study's file, whose name the printouts' names start with; gone since it was saved.
        const QString studyFile = dir.filePath(QStringLiteral("Pondra-dati-uffici.txt"));
        QVERIFY(module().document().save(studyFile, nullptr));
        QVERIFY(QFile::remove(studyFile));
        PrintRanking(module());
        DocumentWindow* window = documents().first();
        QVERIFY(window->height() <= window->screen()->availableGeometry().height());

        scripted->dialogs->chosenFilters.enqueue(filter);
        scripted->dialogs->fileNames.enqueue(dir.filePath(QStringLiteral("uscita")));
        window->saveAs();
        QCOMPARE(scripted->dialogs->fileRequests.last().proposedName,
                 dir.filePath(QStringLiteral("Pondra-dati-uffici - classifica.pdf")));
        const QString written = dir.filePath(QStringLiteral("uscita") + extension);
        QVERIFY(QFileInfo(written).size() > 100);
        QCOMPARE(window->statusBar()->currentMessage(),
                 QStringLiteral("archiviato in «%1»").arg(QDir::toNativeSeparators(written)));
    }
};

QTEST_MAIN(TestPrintCommands)
#include "tst_printcommands.moc"
