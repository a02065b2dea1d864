#include "support/scriptedmodule.h"

#include "reports/helppages.h"
#include "reports/recordingbuilder.h"
#include "reports/textdocumentbuilder.h"
#include "ui/extra/documentwindow.h"
#include "ui/extra/licenza.h"
#include "ui/help/helpguide.h"
#include "ui/help/helppage.h"
#include "ui/help/sommario.h"
#include "ui/layout/sidebyside.h"
#include "ui/layout/twips.h"
#include "ui/main/clickablelabel.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

using namespace pondra;
using testsupport::ScriptedModule;

namespace {

const QStringList PageClasses{QStringLiteral("pondra::manuale"),
                              QStringLiteral("pondra::guidafunzionamento"),
                              QStringLiteral("pondra::guidaarchivio"),
                              QStringLiteral("pondra::guidastampa"),
                              QStringLiteral("pondra::guidacaratteristiche"),
                              QStringLiteral("pondra::guidagraduatoria"),
                              QStringLiteral("pondra::guidafrontespizio"),
                              QStringLiteral("pondra::guidaconfronto")};

const QStringList PageTitles{
    QStringLiteral("MANUALE D'USO RAPIDO"),    QStringLiteral("FUNZIONAMENTO DEL PROGRAMMA"),
    QStringLiteral("ARCHIVIO DATI"),           QStringLiteral("STAMPA"),
    QStringLiteral("FINESTRA 'DATI'"),         QStringLiteral("FINESTRA 'GRADUATORIA'"),
    QStringLiteral("FINESTRA 'FRONTESPIZIO'"), QStringLiteral("PESI A CONFRONTO")};

// The visible help pages, by class name.
QStringList shownPages()
{
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<HelpPage*>(w) && w->isVisible()) {
            names << QString::fromLatin1(w->metaObject()->className());
        }
    }
    names.sort();
    return names;
}

QList<DocumentWindow*> documentWindows()
{
    QList<DocumentWindow*> found;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* d = qobject_cast<DocumentWindow*>(w)) {
            found << d;
        }
    }
    return found;
}

void moveOver(QWidget* widget)
{
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

QList<int> boldTopics(const sommario& contents)
{
    QList<int> bold;
    for (int i = 1; i <= sommario::TopicCount; ++i) {
        if (contents.lbl[std::size_t(i)]->font().bold()) {
            bold << i;
        }
    }
    return bold;
}

void runDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString typedText(const RecordingBuilder& b)
{
    QString text;
    for (const QString& op : b.operations) {
        if (op.startsWith(QStringLiteral("type "))) {
            text += op.mid(5);
        }
    }
    return text;
}

} // namespace

class tst_Help : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void helpPages_holdSevenPagesInTopicOrder();
    void printHelpPage_typesHeadingTitleAndText();
    void printHelpContents_onePageASheet();
    void printHelpContents_realDocumentHasSevenPages();

    void contents_controlsAsDesigned();
    void openTopic_arrowAndLabelOpenSameWindow_data();
    void openTopic_arrowAndLabelOpenSameWindow();
    void openTopic_ancillaryTopicsGoToHook_data();
    void openTopic_ancillaryTopicsGoToHook();
    void labelBorder_noneWhilePressed();
    void highlight_followsTheMouse();
    void contents_closeHidesAndKeepsState();
    void contents_exitGoesToHook();

    void helpPages_controlsSizesAndTooltips();
    void helpPage_textNeverCut();
    void helpPage_existsOnceAndChiudiDestroysIt();
    void helpPage_titleBarCloseUnloads();
    void helpPage_sommarioShowsContentsAndStays();
    void openHelpPage_outOfRangeGivesManual();

    void helpPageStampa_opensOwnDocumentEachTime();
    void contentsStampa_savesGuideAndOpensDocument();
    void contentsStampa_saveFailureTellsUser();
    void saveHelpGuide_triesFoldersInOrder();

    void sideBySide_anyScreenWidth_data();
    void sideBySide_anyScreenWidth();
    void pagesAndTerms_openBesideContents();
};

void tst_Help::helpPages_holdSevenPagesInTopicOrder()
{
    const QList<HelpPageText>& pages = helpPages();
    QCOMPARE(pages.size(), HelpPageCount);
    for (int i = 0; i < HelpPageCount; ++i) {
        QCOMPARE(QStringLiteral("pondra::") + pages.at(i).window, PageClasses.at(i));
        QCOMPARE(pages.at(i).title, PageTitles.at(i));
        // One paragraph each, of a readable length.
        const QString& text = pages.at(i).text;
        QVERIFY2(text.size() >= 600 && text.size() <= 1800, qPrintable(pages.at(i).title));
        // Names as the windows show them: the box is "coeff. ponderato", the window "Risultati";
        // and no advice that would lose a row.
        for (const char* wrong : {"media ponderata", "finestra Graduatoria", "casella azzurra",
                                  "si rimette la spunta", "verde quando supera"}) {
            QVERIFY2(!text.contains(QString::fromUtf8(wrong), Qt::CaseInsensitive), wrong);
        }
        QVERIFY(!text.contains(u'\r') && !text.contains(u'\n') && !text.contains(u'\f'));
        QVERIFY(!text.contains(QStringLiteral("Word")));
    }
    QCOMPARE(helpPage(3).title, PageTitles.at(2));
    QCOMPARE(helpPage(0).title, PageTitles.at(0));
    QCOMPARE(helpPage(HelpPageCount + 1).title, PageTitles.at(0));
}

void tst_Help::printHelpPage_typesHeadingTitleAndText()
{
    RecordingBuilder b;
    const IdentityTexts identity = InitGlobals();
    printHelpPage(b, identity, QStringLiteral("STAMPA"), QStringLiteral("testo"));
    const QStringList expected{
        QStringLiteral("font Century Gothic"),
        QStringLiteral("size 20"),
        QStringLiteral("type Pondra \r"),
        QStringLiteral("size 16"),
        QStringLiteral("type valutazioni qualsiasi mediante confronto\r\r\r"),
        QStringLiteral("type Guida: STAMPA\r\r"),
        QStringLiteral("size 12"),
        QStringLiteral("type testo\r"),
        QStringLiteral("justify all"),
    };
    QCOMPARE(b.operations, expected);
}

void tst_Help::printHelpContents_onePageASheet()
{
    RecordingBuilder b;
    printHelpContents(b, InitGlobals());
    const QString text = typedText(b);
    QCOMPARE(text.count(u'\f'), HelpPageCount - 1);
    QVERIFY(!text.endsWith(u'\f'));
    QVERIFY(text.endsWith(helpPages().last().text + u'\r'));

    // Titles in topic order, each text right after its title and ended by a page break.
    qsizetype from = 0;
    for (int i = 0; i < HelpPageCount; ++i) {
        const QString block = QStringLiteral("Guida: ") + PageTitles.at(i) + QStringLiteral("\r\r") +
                              helpPages().at(i).text + u'\r' +
                              (i < HelpPageCount - 1 ? QStringLiteral("\f") : QString());
        const qsizetype at = text.indexOf(block, from);
        QVERIFY2(at >= from, qPrintable(PageTitles.at(i)));
        from = at + block.size();
    }

    // Sizes: 20 and 16 for the heading, the first title still at 16, then 12 only once.
    QStringList sizes;
    for (const QString& op : std::as_const(b.operations)) {
        if (op.startsWith(QStringLiteral("size "))) {
            sizes << op;
        }
    }
    QCOMPARE(sizes,
             (QStringList{QStringLiteral("size 20"), QStringLiteral("size 16"), QStringLiteral("size 12")}));
    const qsizetype firstTitle = b.operations.indexOf(QStringLiteral("type Guida: MANUALE D'USO RAPIDO\r\r"));
    QVERIFY(firstTitle > 0);
    QCOMPARE(b.operations.at(firstTitle - 1),
             QStringLiteral("type valutazioni qualsiasi mediante confronto\r\r\r"));
    QCOMPARE(b.operations.at(firstTitle + 1), QStringLiteral("size 12"));
    QCOMPARE(b.operations.first(), QStringLiteral("font Century Gothic"));
    QCOMPARE(b.operations.last(), QStringLiteral("justify all"));
    QCOMPARE(b.operations.count(QStringLiteral("justify all")), 1);
}

void tst_Help::printHelpContents_realDocumentHasSevenPages()
{
    TextDocumentBuilder b;
    printHelpContents(b, InitGlobals());
    // Every help text fits one sheet, so each page break starts exactly one new page.
    QCOMPARE(b.pageCount(), HelpPageCount);
    QVERIFY(b.document()->toPlainText().contains(QStringLiteral("Guida: FINESTRA 'FRONTESPIZIO'")));
}

void tst_Help::contents_controlsAsDesigned()
{
    ScriptedModule s;
    sommario* contents = s.module->window<sommario>();
    QCOMPARE(contents->windowTitle(), QStringLiteral("Pondra: guida in linea"));
    QCOMPARE(contents->Label1->text(), QStringLiteral("Argomenti della guida"));
    QVERIFY(contents->Label1->alignment() & Qt::AlignHCenter);
    const QStringList captions{QStringLiteral("  Manuale d'uso rapido"),
                               QStringLiteral("  Funzionamento del programma"),
                               QStringLiteral("  Archivio dati"),
                               QStringLiteral(" Stampa"),
                               QStringLiteral(" Finestra DATI"),
                               QStringLiteral(" Finestra GRADUATORIA"),
                               QStringLiteral(" Finestra FRONTESPIZIO"),
                               QStringLiteral("  Suggerimento del giorno"),
                               QStringLiteral("  Licenza d'uso di") + u' ' + u'"' +
                                   QStringLiteral(" Pondra") + u'"',
                               QStringLiteral("  altri prodotti Software Borealis")};
    for (int i = 1; i <= sommario::TopicCount; ++i) {
        QCOMPARE(contents->puls[std::size_t(i)]->text(), QStringLiteral("--->"));
        QCOMPARE(contents->lbl[std::size_t(i)]->text(), captions.at(i - 1));
        QCOMPARE(contents->lbl[std::size_t(i)]->frameShape(), QFrame::Box);
        // Arrow and label of a topic share a row.
        QCOMPARE(contents->puls[std::size_t(i)]->y(), contents->lbl[std::size_t(i)]->y());
    }
    // Two groups: the gap after topic 7 is wider than the step between topics.
    const int step = contents->lbl[2]->y() - contents->lbl[1]->y();
    QVERIFY(contents->lbl[8]->y() - contents->lbl[7]->y() > step);
    QCOMPARE(contents->lbl[10]->y() - contents->lbl[9]->y(), step);

    QCOMPARE(contents->cmdstampa->text(), QStringLiteral("&Stampa"));
    QCOMPARE(contents->cmdstampa->toolTip(),
             QStringLiteral("cliccare per avere la copia su carta del sommario"));
    QCOMPARE(contents->cmdchiudi->text(), QStringLiteral("&Chiudi"));
    QCOMPARE(contents->cmdchiudi->toolTip(), QStringLiteral("cliccare per chiudere la finestra"));
    QCOMPARE(contents->cmduscita->text(), QStringLiteral("&USCITA"));
    QCOMPARE(contents->cmduscita->toolTip(), QStringLiteral("cliccare per uscire da Pondra"));

    // Its fixed outer size; offscreen windows have no frame.
    QCOMPARE(contents->width(), twipsToPixelsRounded(3975));
    QCOMPARE(contents->height(), twipsToPixelsRounded(6825));
}

void tst_Help::openTopic_arrowAndLabelOpenSameWindow_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("window");
    for (int i = 1; i <= 7; ++i) {
        QTest::addRow("topic %d", i) << i << PageClasses.at(i - 1);
    }
}

void tst_Help::openTopic_arrowAndLabelOpenSameWindow()
{
    QFETCH(int, index);
    QFETCH(QString, window);
    QList<int> hooked;
    {
        ScriptedModule s;
        sommario* contents = s.module->window<sommario>();
        contents->openAncillary = [&](AncillaryTopic topic) { hooked << int(topic); };
        QTest::mouseClick(contents->puls[std::size_t(index)], Qt::LeftButton);
        QCOMPARE(shownPages(), QStringList{window});
    }
    {
        ScriptedModule s;
        sommario* contents = s.module->window<sommario>();
        contents->openAncillary = [&](AncillaryTopic topic) { hooked << int(topic); };
        QTest::mousePress(contents->lbl[std::size_t(index)], Qt::LeftButton);
        QCOMPARE(shownPages(), QStringList{window});
        QTest::mouseRelease(contents->lbl[std::size_t(index)], Qt::LeftButton);
    }
    QVERIFY(hooked.isEmpty());
    runDeferredDeletes();
}

void tst_Help::openTopic_ancillaryTopicsGoToHook_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QList<int>>("hooked");
    QTest::addColumn<QStringList>("pages");
    const QStringList manual{PageClasses.first()};
    QTest::newRow("tip") << 8 << QList<int>{8, 8} << QStringList();
    QTest::newRow("terms") << 9 << QList<int>{9, 9} << QStringList();
    QTest::newRow("price list") << 10 << QList<int>{10, 10} << QStringList();
    QTest::newRow("below range") << 0 << QList<int>() << manual;
    QTest::newRow("above range") << 11 << QList<int>() << manual;
    QTest::newRow("negative") << -3 << QList<int>() << manual;
}

void tst_Help::openTopic_ancillaryTopicsGoToHook()
{
    QFETCH(int, index);
    QFETCH(QList<int>, hooked);
    QFETCH(QStringList, pages);
    ScriptedModule s;
    sommario* contents = s.module->window<sommario>();
    QList<int> calls;
    contents->openAncillary = [&](AncillaryTopic topic) { calls << int(topic); };
    if (index >= 1 && index <= sommario::TopicCount) {
        // The arrow and the label of the same topic.
        QTest::mouseClick(contents->puls[std::size_t(index)], Qt::LeftButton);
        QTest::mousePress(contents->lbl[std::size_t(index)], Qt::LeftButton);
        QTest::mouseRelease(contents->lbl[std::size_t(index)], Qt::LeftButton);
    } else {
        contents->openTopic(index);
    }
    QCOMPARE(calls, hooked);
    QCOMPARE(shownPages(), pages);

    // Without a hook the ancillary topics do nothing, and nothing breaks.
    contents->openAncillary = nullptr;
    contents->openTopic(9);
    QCOMPARE(shownPages(), pages);
}

void tst_Help::labelBorder_noneWhilePressed()
{
    ScriptedModule s;
    sommario* contents = s.module->window<sommario>();
    ClickableLabel* label = contents->lbl[4];
    QTest::mousePress(label, Qt::LeftButton);
    QCOMPARE(label->frameShape(), QFrame::NoFrame);
    QCOMPARE(contents->lbl[3]->frameShape(), QFrame::Box);
    QTest::mouseRelease(label, Qt::LeftButton);
    QCOMPARE(label->frameShape(), QFrame::Box);
}

void tst_Help::highlight_followsTheMouse()
{
    ScriptedModule s;
    sommario* contents = s.module->window<sommario>();
    contents->show();
    QVERIFY(boldTopics(*contents).isEmpty());
    moveOver(contents->lbl[3]);
    QCOMPARE(boldTopics(*contents), QList<int>{3});
    moveOver(contents->lbl[4]);
    QCOMPARE(boldTopics(*contents), QList<int>{4});
    moveOver(contents->lbl[4]);
    QCOMPARE(boldTopics(*contents), QList<int>{4});
    moveOver(contents->lbl[10]);
    QCOMPARE(boldTopics(*contents), QList<int>{10});
    // The window's background clears every highlight.
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), contents->mapToGlobal(QPointF(2, 2)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(contents, &move);
    QVERIFY(boldTopics(*contents).isEmpty());
}

void tst_Help::contents_closeHidesAndKeepsState()
{
    ScriptedModule s;
    sommario* first = showHelpContents(*s.module);
    QPointer<sommario> guard(first);
    QVERIFY(first->isVisible());
    moveOver(first->lbl[6]);
    QTest::mouseClick(first->cmdchiudi, Qt::LeftButton);
    QVERIFY(!first->isVisible());
    runDeferredDeletes();
    QVERIFY(guard);
    QCOMPARE(s.module->loadedWindow<sommario>(), first);

    // Reopened from a help page: the same window, highlight as it was.
    HelpPage* page = openHelpPage(*s.module, 2);
    QTest::mouseClick(page->cmdSommario, Qt::LeftButton);
    QCOMPARE(s.module->loadedWindow<sommario>(), first);
    QVERIFY(first->isVisible());
    QCOMPARE(boldTopics(*first), QList<int>{6});
}

void tst_Help::contents_exitGoesToHook()
{
    ScriptedModule s;
    sommario* contents = s.module->window<sommario>();
    QTest::mouseClick(contents->cmduscita, Qt::LeftButton); // no hook yet: nothing happens
    int exits = 0;
    contents->exitProgram = [&] { ++exits; };
    QTest::mouseClick(contents->cmduscita, Qt::LeftButton);
    QCOMPARE(exits, 1);
    QVERIFY(s.dialogs->messages.isEmpty());
}

void tst_Help::helpPages_controlsSizesAndTooltips()
{
    ScriptedModule s;
    for (int topic = 1; topic <= HelpPageCount; ++topic) {
        HelpPage* page = loadHelpPage(*s.module, topic);
        QCOMPARE(QString::fromLatin1(page->metaObject()->className()), PageClasses.at(topic - 1));
        QCOMPARE(page->topic(), topic);
        QCOMPARE(page->windowTitle(), QStringLiteral("Guida in linea"));
        QCOMPARE(page->Label1->text(), PageTitles.at(topic - 1));
        QCOMPARE(page->Label2->text(), helpPages().at(topic - 1).text);
        QVERIFY(page->Label2->wordWrap());
        QCOMPARE(page->cmdstampa->text(), QStringLiteral("S&tampa"));
        QCOMPARE(page->cmdchiudi->text(), QStringLiteral("&Chiudi"));
        QCOMPARE(page->cmdSommario->text(), QStringLiteral("&Sommario"));
        QCOMPARE(page->height(), twipsToPixelsRounded(6825));
        if (topic == 1) {
            QCOMPARE(page->width(), twipsToPixelsRounded(9600));
            QCOMPARE(page->cmdchiudi->toolTip(), QStringLiteral("cliccare per chiudere la finestra"));
            QCOMPARE(page->cmdstampa->toolTip(),
                     QStringLiteral("cliccare per avere la copia su carta del MANUALE D'USO RAPIDO"));
            QCOMPARE(page->cmdSommario->toolTip(), QStringLiteral("cliccare per tornare al sommario"));
        } else {
            QCOMPARE(page->width(), twipsToPixelsRounded(5640));
            QCOMPARE(page->x(), twipsToPixelsRounded(5467));
            QVERIFY(page->cmdchiudi->toolTip().isEmpty());
            QVERIFY(page->cmdstampa->toolTip().isEmpty());
            QVERIFY(page->cmdSommario->toolTip().isEmpty());
        }
        QVERIFY(!page->isVisible());
    }
}

void tst_Help::helpPage_textNeverCut()
{
    ScriptedModule s;
    for (int topic = 1; topic <= HelpPageCount; ++topic) {
        HelpPage* page = openHelpPage(*s.module, topic);
        // Also much smaller than designed: the text scrolls instead of being cut.
        for (const QSize size : {page->size(), page->size() / 2}) {
            page->resize(size);
            QApplication::processEvents();
            QLabel* text = page->Label2;
            QVERIFY2(text->height() >= text->heightForWidth(text->width()), qPrintable(page->Label1->text()));
            QVERIFY(page->textArea->geometry().bottom() < page->cmdstampa->geometry().top());
        }
    }
}

void tst_Help::helpPage_existsOnceAndChiudiDestroysIt()
{
    ScriptedModule s;
    HelpPage* first = openHelpPage(*s.module, 5);
    QCOMPARE(openHelpPage(*s.module, 5), first);
    QCOMPARE(s.module->loadedWindow<guidacaratteristiche>(), first);
    QPointer<HelpPage> guard(first);
    QTest::mouseClick(first->cmdchiudi, Qt::LeftButton);
    QVERIFY(!first->isVisible());
    QCOMPARE(s.module->loadedWindow<guidacaratteristiche>(), nullptr);
    runDeferredDeletes();
    QVERIFY(!guard);
    HelpPage* again = openHelpPage(*s.module, 5);
    QVERIFY(again->isVisible());
    QCOMPARE(s.module->loadedWindow<guidacaratteristiche>(), again);
}

void tst_Help::helpPage_titleBarCloseUnloads()
{
    ScriptedModule s;
    QPointer<HelpPage> page = openHelpPage(*s.module, 6);
    page->close();
    QCOMPARE(s.module->loadedWindow<guidagraduatoria>(), nullptr);
    runDeferredDeletes();
    QVERIFY(!page);
}

void tst_Help::helpPage_sommarioShowsContentsAndStays()
{
    ScriptedModule s;
    HelpPage* page = openHelpPage(*s.module, 7);
    QCOMPARE(s.module->loadedWindow<sommario>(), nullptr);
    QTest::mouseClick(page->cmdSommario, Qt::LeftButton);
    sommario* contents = s.module->loadedWindow<sommario>();
    QVERIFY(contents);
    QVERIFY(contents->isVisible());
    QVERIFY(page->isVisible());
    QCOMPARE(s.module->loadedWindow<guidafrontespizio>(), page);
}

void tst_Help::openHelpPage_outOfRangeGivesManual()
{
    ScriptedModule s;
    QVERIFY(qobject_cast<manuale*>(openHelpPage(*s.module, 0)));
    QVERIFY(qobject_cast<manuale*>(openHelpPage(*s.module, HelpPageCount + 1)));
    QCOMPARE(shownPages(), QStringList{PageClasses.first()});
}

void tst_Help::helpPageStampa_opensOwnDocumentEachTime()
{
    ScriptedModule s;
    HelpPage* page = openHelpPage(*s.module, 4);
    const qsizetype before = documentWindows().size();
    QTest::mouseClick(page->cmdstampa, Qt::LeftButton);
    QTest::mouseClick(page->cmdstampa, Qt::LeftButton);
    const QList<DocumentWindow*> after = documentWindows();
    QCOMPARE(after.size(), before + 2);
    QSet<QTextDocument*> documents;
    for (DocumentWindow* w : after) {
        documents << w->document();
    }
    QCOMPARE(documents.size(), after.size());
    const QString text = after.last()->document()->toPlainText();
    QVERIFY(text.contains(QStringLiteral("Guida: STAMPA")));
    QVERIFY(text.contains(helpPages().at(3).text));
    QVERIFY(!text.contains(QStringLiteral("Guida: ARCHIVIO DATI")));
    QVERIFY(s.dialogs->messages.isEmpty());
}

void tst_Help::contentsStampa_savesGuideAndOpensDocument()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    ScriptedModule s;
    sommario* contents = s.module->window<sommario>();
    // A documents folder not made yet is made, and takes the guide.
    contents->guideFolders = {folder.filePath(QStringLiteral("Documenti")), folder.path()};
    const qsizetype before = documentWindows().size();
    QTest::mouseClick(contents->cmdstampa, Qt::LeftButton);
    QVERIFY(s.dialogs->messages.isEmpty());
    const QString saved = folder.filePath(QStringLiteral("Documenti/Pondra -guida.docx"));
    QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("Pondra -guida.docx"))));
    QVERIFY(QFileInfo(saved).size() > 0);
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(2) == "PK");
    const QList<DocumentWindow*> after = documentWindows();
    QCOMPARE(after.size(), before + 1);
    QVERIFY(
        after.last()->document()->toPlainText().contains(QStringLiteral("Guida: FINESTRA 'GRADUATORIA'")));
    // The document window names the file written.
    QCOMPARE(after.last()->windowTitle(),
             QDir::toNativeSeparators(saved) + QStringLiteral(" - Pondra: guida in linea"));
}

void tst_Help::contentsStampa_saveFailureTellsUser()
{
    QTemporaryDir folder;
    // A plain file where the folder would go: the folder cannot be made.
    QFile plain(folder.filePath(QStringLiteral("file")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    ScriptedModule s;
    sommario* contents = s.module->window<sommario>();
    contents->guideFolders = {folder.filePath(QStringLiteral("file/Documenti"))};
    const qsizetype before = documentWindows().size();
    QTest::mouseClick(contents->cmdstampa, Qt::LeftButton);
    QCOMPARE(s.dialogs->messages.size(), 1);
    QCOMPARE(s.dialogs->messages.first().icon, std::optional<MessageIcon>(MessageIcon::Critical));
    QVERIFY(s.dialogs->messages.first().text.contains(QStringLiteral("Pondra -guida.docx")));
    // The printout itself still opens, under its plain title.
    QCOMPARE(documentWindows().size(), before + 1);
    QCOMPARE(documentWindows().last()->windowTitle(), QStringLiteral("Pondra: guida in linea"));
}

void tst_Help::saveHelpGuide_triesFoldersInOrder()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString first = root.filePath(QStringLiteral("uno"));
    const QString second = root.filePath(QStringLiteral("due"));
    QVERIFY(QDir().mkpath(first) && QDir().mkpath(second));
    // A file where a folder is expected cannot take the guide.
    const QString notFolder = root.filePath(QStringLiteral("file"));
    QFile plain(notFolder);
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();

    QTextDocument document(QStringLiteral("guida"));
    const QString name = helpGuideFileName(InitGlobals());
    QCOMPARE(name, QStringLiteral("Pondra -guida.docx"));

    QString error;
    QCOMPARE(saveHelpGuide(document, name, {first, second}, &error), QDir(first).filePath(name));
    QVERIFY(!QFile::exists(QDir(second).filePath(name)));

    QCOMPARE(saveHelpGuide(document, name,
                           {QString(), notFolder, notFolder + QStringLiteral("/sotto"), second}, &error),
             QDir(second).filePath(name));
    // A missing folder is made first: without a documents folder the guide still goes there.
    const QString missing = root.filePath(QStringLiteral("casa/Documenti"));
    QCOMPARE(saveHelpGuide(document, name, {missing, second}, &error), QDir(missing).filePath(name));

    error.clear();
    QVERIFY(saveHelpGuide(document, name, {notFolder}, &error).isEmpty());
    QVERIFY(error.contains(name));
    QVERIFY(error.contains(QDir::toNativeSeparators(notFolder)));
    QVERIFY(saveHelpGuide(document, name, {}, &error).isEmpty());
    QVERIFY(!error.isEmpty());
    QVERIFY(saveHelpGuide(document, name, {}, nullptr).isEmpty());

    // The documents folder, then home; never the program's own folder.
    QCOMPARE(
        defaultGuideFolders(),
        (QStringList{QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), QDir::homePath()}));
    QVERIFY(!defaultGuideFolders().contains(QCoreApplication::applicationDirPath()));
}

void tst_Help::sideBySide_anyScreenWidth_data()
{
    QTest::addColumn<QRect>("contents");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QPoint>("windowAt");
    QTest::addColumn<QPoint>("contentsAt");
    const QSize page(376, 455);
    const QSize manual(640, 455);
    QTest::newRow("wide screen: right of it") << QRect(240, 135, 265, 455) << page << QRect(0, 0, 1920, 1080)
                                              << QPoint(513, 135) << QPoint(240, 135);
    QTest::newRow("contents at the right edge: left of it")
        << QRect(1600, 135, 265, 455) << page << QRect(0, 0, 1920, 1080) << QPoint(1216, 135)
        << QPoint(1600, 135);
    QTest::newRow("neither side: the contents moves left")
        << QRect(128, 96, 265, 455) << manual << QRect(0, 0, 1024, 768) << QPoint(384, 96) << QPoint(111, 96);
    QTest::newRow("second screen") << QRect(1920 + 160, 90, 265, 455) << page << QRect(1920, 0, 1280, 1024)
                                   << QPoint(1920 + 433, 90) << QPoint(1920 + 160, 90);
    QTest::newRow("short screen: top kept on it")
        << QRect(100, 300, 265, 455) << page << QRect(0, 0, 800, 600) << QPoint(373, 145) << QPoint(100, 300);
    QTest::newRow("too narrow for both: at the right edge")
        << QRect(100, 75, 265, 455) << manual << QRect(0, 0, 800, 600) << QPoint(160, 75) << QPoint(100, 75);
}

void tst_Help::sideBySide_anyScreenWidth()
{
    QFETCH(QRect, contents);
    QFETCH(QSize, window);
    QFETCH(QRect, screen);
    QFETCH(QPoint, windowAt);
    QFETCH(QPoint, contentsAt);
    const SideBySide place = sideBySide(contents, window, screen, 8);
    QCOMPARE(place.window, windowAt);
    QCOMPARE(place.contents, contentsAt);
    const QRect windowRect(place.window, window);
    const QRect contentsRect(place.contents, contents.size());
    if (contents.width() + 8 + window.width() <= screen.width()) {
        QVERIFY(!windowRect.intersects(contentsRect));
        QVERIFY(screen.contains(windowRect));
    }
}

void tst_Help::pagesAndTerms_openBesideContents()
{
    ScriptedModule s;
    sommario* contents = showHelpContents(*s.module);
    QVERIFY(QTest::qWaitForWindowExposed(contents));
    contents->openAncillary = [&](AncillaryTopic topic) {
        if (topic == AncillaryTopic::TermsOfUse) {
            s.module->window<licenza>()->show();
        }
    };
    for (int topic : {2, 5, 7, 9}) {
        QTest::mouseClick(contents->puls[std::size_t(topic)], Qt::LeftButton);
        QWidget* opened = topic == 9 ? static_cast<QWidget*>(s.module->window<licenza>())
                                     : static_cast<QWidget*>(loadHelpPage(*s.module, topic));
        QVERIFY(opened->isVisible());
        QVERIFY2(!opened->frameGeometry().intersects(contents->frameGeometry()),
                 qPrintable(QString::number(topic)));
        QCOMPARE(opened->frameGeometry().top(), contents->frameGeometry().top());
    }
    // Without the contents on screen a page keeps its own place.
    contents->hide();
    QTest::mouseClick(loadHelpPage(*s.module, 2)->cmdchiudi, Qt::LeftButton);
    QCOMPARE(openHelpPage(*s.module, 2)->x(), twipsToPixelsRounded(5467));
    runDeferredDeletes();
}

QTEST_MAIN(tst_Help)
#include "tst_help.moc"
