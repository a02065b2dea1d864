#include "support/scriptedmodule.h"

#include "reports/recordingbuilder.h"
#include "reports/termsofuse.h"
#include "settings/programfiles.h"
#include "ui/core/modulopondra.h"
#include "ui/extra/documentwindow.h"
#include "ui/extra/frmtip.h"
#include "ui/extra/licenza.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace pondra;

namespace {

QString missingMessage()
{
    return QStringLiteral(
               "Impossibile trovare il file SuggerimentiPondra.TXT\r\n\r\nCreare un file di testo denominato "
               "SuggerimentiPondra.TXT utilizzando un editor di testo e inserendo un suggerimento per ogni "
               "riga. "
               "Inserire il file nella cartella ") +
           QDir::toNativeSeparators(userDataFolder()) + QStringLiteral(". ");
}

QString writeTips(const QTemporaryDir& dir, const QByteArray& content)
{
    const QString path = dir.filePath(QStringLiteral("SuggerimentiPondra.TXT"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
        return {};
    }
    return path;
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

} // namespace

class TestTipAndTerms : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tips_design();
    void tips_fileLines_data();
    void tips_fileLines();
    void tips_stepForwardAndBack();
    void tips_longTip_scrollsInsteadOfBeingCut();
    void tips_missingFile_showsMessageAndStaysPut();
    void tips_closeAndReopen_keepsPosition();
    void tips_shippedFile_isUsable();

    void terms_window_singleInstanceAndDesign();
    void terms_buttons_hideAndContentsHook();
    void terms_printout_exactSequence();
    void terms_print_takesCurrentText();
    void terms_shippedText();
};

void TestTipAndTerms::tips_design()
{
    testsupport::ScriptedModule s;
    frmTip tip(*s.module, QString());
    QCOMPARE(tip.windowTitle(), QStringLiteral("Suggerimento del giorno"));
    QCOMPARE(tip.heading()->text(), QStringLiteral("Non tutti sanno che..."));
    QCOMPARE(tip.cmdprecedente()->text(), QStringLiteral("&Precedente"));
    QCOMPARE(tip.cmdNextTip()->text(), QStringLiteral("&Successivo"));
    QCOMPARE(tip.cmdOK()->text(), QStringLiteral("&Chiudi"));
    QVERIFY(tip.lblTipText()->wordWrap());
    QVERIFY(!tip.Picture1()->pixmap().isNull());
    // Fixed design size: the window cannot be stretched.
    QCOMPARE(tip.minimumSize(), tip.maximumSize());
    // Every button fits its caption and stays inside the window.
    for (QPushButton* b : {tip.cmdprecedente(), tip.cmdNextTip(), tip.cmdOK()}) {
        QVERIFY2(b->sizeHint().width() <= b->width(), qPrintable(b->text()));
        QVERIFY(tip.rect().contains(b->geometry()));
    }
}

void TestTipAndTerms::tips_fileLines_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("tips");

    QTest::newRow("CR LF, final line end")
        << QByteArray("uno\r\ndue\r\ntre\r\n")
        << QStringList{QStringLiteral("uno"), QStringLiteral("due"), QStringLiteral("tre")};
    QTest::newRow("LF only") << QByteArray("uno\ndue\n")
                             << QStringList{QStringLiteral("uno"), QStringLiteral("due")};
    QTest::newRow("no final line end")
        << QByteArray("uno\r\ndue") << QStringList{QStringLiteral("uno"), QStringLiteral("due")};
    QTest::newRow("empty lines are tips")
        << QByteArray("uno\r\n\r\ntre\r\n\r\n")
        << QStringList{QStringLiteral("uno"), QString(), QStringLiteral("tre"), QString()};
    QTest::newRow("blanks kept as read")
        << QByteArray("  rientro \r\n") << QStringList{QStringLiteral("  rientro ")};
    QTest::newRow("Windows-1252") << QByteArray("perch\xe9 \x80 \x93"
                                                "citt\xe0\x94\r\n")
                                  << QStringList{QString::fromUtf8("perché € “città”")};
    // Linux editors write UTF-8: read as such when the bytes are valid UTF-8, BOM or not.
    QTest::newRow("UTF-8") << QString::fromUtf8("perché € “città”\nè\n").toUtf8()
                           << QStringList{QString::fromUtf8("perché € “città”"), QString::fromUtf8("è")};
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xef\xbb\xbfperch\xc3\xa9\r\n")
                                    << QStringList{QString::fromUtf8("perché")};
    // A character cut short at the end makes the bytes invalid UTF-8: nothing is dropped.
    QTest::newRow("UTF-8 cut short") << QByteArray("citt\xc3\xa0\nperch\xc3")
                                     << QStringList{QString::fromUtf8("cittÃ\u00a0"),
                                                    QString::fromUtf8("perchÃ")};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
}

void TestTipAndTerms::tips_fileLines()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, tips);
    QTemporaryDir dir;
    const QString path = writeTips(dir, content);
    QVERIFY(!path.isEmpty());

    testsupport::ScriptedModule s;
    frmTip tip(*s.module, path);
    QCOMPARE(tip.TipList(), tips);
    QCOMPARE(tip.TipIndex(), 1);
    QCOMPARE(tip.lblTipText()->text(), tips.value(0));
    QVERIFY(s.dialogs->messages.isEmpty());
}

void TestTipAndTerms::tips_stepForwardAndBack()
{
    QTemporaryDir dir;
    const QString path = writeTips(dir, "primo\r\n\r\nterzo\r\n");
    testsupport::ScriptedModule s;
    frmTip tip(*s.module, path);
    const auto shows = [&](int index, const QString& text) {
        return tip.TipIndex() == index && tip.lblTipText()->text() == text;
    };
    QVERIFY(shows(1, QStringLiteral("primo")));

    // Back from the first tip does not wrap.
    QTest::mouseClick(tip.cmdprecedente(), Qt::LeftButton);
    QVERIFY(shows(1, QStringLiteral("primo")));

    // Forward three times: the empty line shows empty, then round to the first again.
    QTest::mouseClick(tip.cmdNextTip(), Qt::LeftButton);
    QVERIFY(shows(2, QString()));
    QTest::mouseClick(tip.cmdNextTip(), Qt::LeftButton);
    QVERIFY(shows(3, QStringLiteral("terzo")));
    QTest::mouseClick(tip.cmdNextTip(), Qt::LeftButton);
    QVERIFY(shows(1, QStringLiteral("primo")));

    tip.cmdNextTip_Click();
    tip.cmdNextTip_Click();
    QVERIFY(shows(3, QStringLiteral("terzo")));
    tip.cmdprecedente_Click();
    QVERIFY(shows(2, QString()));
    tip.cmdprecedente_Click();
    QVERIFY(shows(1, QStringLiteral("primo")));
}

void TestTipAndTerms::tips_longTip_scrollsInsteadOfBeingCut()
{
    QTemporaryDir dir;
    const QString tipText = QStringLiteral("Un suggerimento molto lungo, ripetuto. ").repeated(40);
    const QString path = writeTips(dir, "breve\r\n" + tipText.toLatin1() + "\r\n");
    testsupport::ScriptedModule s;
    frmTip tip(*s.module, path);
    tip.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tip));
    QScrollBar* bar = tip.tipArea()->verticalScrollBar();
    QCOMPARE(bar->maximum(), 0);
    tip.cmdNextTip_Click();
    QApplication::processEvents();
    QLabel* text = tip.lblTipText();
    QCOMPARE(text->text(), tipText);
    // The whole text is laid out and the area scrolls to its end; the window keeps its size.
    QVERIFY(text->height() >= text->heightForWidth(text->width()));
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(tip.size(), tip.minimumSize());
}

void TestTipAndTerms::tips_missingFile_showsMessageAndStaysPut()
{
    QTemporaryDir dir;
    const QStringList paths{QString(), dir.filePath(QStringLiteral("SuggerimentiPondra.TXT")), dir.path()};
    for (const QString& path : paths) {
        testsupport::ScriptedModule s;
        frmTip tip(*s.module, path);
        QCOMPARE(tip.lblTipText()->text(), missingMessage());
        QCOMPARE(tip.TipIndex(), 0);
        QVERIFY(tip.TipList().isEmpty());
        tip.cmdNextTip_Click();
        tip.cmdprecedente_Click();
        tip.cmdNextTip_Click();
        QCOMPARE(tip.lblTipText()->text(), missingMessage());
        QCOMPARE(tip.TipIndex(), 0);
        QVERIFY(!tip.LoadTips(path));
        // No message box: the window itself says what is missing.
        QVERIFY(s.dialogs->messages.isEmpty());
    }
    QCOMPARE(frmTip::missingFileMessage(), missingMessage());

#ifdef Q_OS_UNIX
    // A FIFO in its place would hold the window for ever: it is refused before it is opened.
    const QString fifo = dir.filePath(QStringLiteral("coda"));
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    testsupport::ScriptedModule s;
    frmTip tip(*s.module, fifo);
    QVERIFY2(tip.lblTipText()->text().endsWith(QStringLiteral("non è un file ordinario.")),
             qPrintable(tip.lblTipText()->text()));
#endif
}

void TestTipAndTerms::tips_closeAndReopen_keepsPosition()
{
    if (QFileInfo::exists(programFile(QStringLiteral("SuggerimentiPondra.TXT")))) {
        QSKIP("a tips file lies beside the test program");
    }
    QTemporaryDir dir;
    const QString path = writeTips(dir, "primo\r\nsecondo\r\nterzo\r\n");
    testsupport::ScriptedModule s;
    frmTip* tip = s.module->window<frmTip>();
    // Beside the test program there is no tips file: the window opened on the message.
    QCOMPARE(tip->lblTipText()->text(), missingMessage());
    QVERIFY(tip->LoadTips(path));
    tip->show();
    QVERIFY(QTest::qWaitForWindowExposed(tip));
    QTest::mouseClick(tip->cmdNextTip(), Qt::LeftButton);
    QCOMPARE(tip->lblTipText()->text(), QStringLiteral("secondo"));

    QTest::mouseClick(tip->cmdOK(), Qt::LeftButton);
    QVERIFY(tip->isHidden());
    QCOMPARE(s.module->window<frmTip>(), tip);
    tip->show();
    QCOMPARE(tip->TipIndex(), 2);
    QCOMPARE(tip->lblTipText()->text(), QStringLiteral("secondo"));

    // The title bar's close only hides it too.
    tip->cmdNextTip_Click();
    QVERIFY(tip->close());
    QVERIFY(tip->isHidden());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(s.module->loadedWindow<frmTip>(), tip);
    QCOMPARE(tip->lblTipText()->text(), QStringLiteral("terzo"));
    QCOMPARE(tip->TipList().size(), 3);
}

void TestTipAndTerms::tips_shippedFile_isUsable()
{
    const QString path = QStringLiteral(PONDRA_RESOURCES "/SuggerimentiPondra.TXT");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    // UTF-8, as Linux editors write it, with CR LF line ends so Notepad shows it too.
    QVERIFY(!QString::fromUtf8(bytes).contains(QChar::ReplacementCharacter));
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));

    testsupport::ScriptedModule s;
    frmTip tip(*s.module, path);
    QCOMPARE(tip.lblTipText()->text(), tip.TipList().value(0));
    int nonEmpty = 0;
    bool accented = false;
    for (const QString& line : tip.TipList()) {
        nonEmpty += line.trimmed().isEmpty() ? 0 : 1;
        QVERIFY2(line.size() < 250, qPrintable(line));
        accented = accented || line.contains(QChar(0xE8)); // è
        for (const QChar c : line) {
            QVERIFY2(c.isPrint(), qPrintable(line));
        }
    }
    QVERIFY(nonEmpty >= 15);
    QVERIFY(accented);
}

void TestTipAndTerms::terms_window_singleInstanceAndDesign()
{
    testsupport::ScriptedModule s;
    licenza* window = s.module->window<licenza>();
    QCOMPARE(s.module->window<licenza>(), window);
    QCOMPARE(window->windowTitle(), QStringLiteral("LICENZA D'USO"));
    QCOMPARE(window->programName()->text(), s.module->identity().ProgramName);
    QCOMPARE(window->programName()->text(), QStringLiteral("Pondra "));
    QVERIFY(window->Text1()->isReadOnly());
    QCOMPARE(window->Text1()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(window->Text1()->toPlainText(), termsOfUseText(startupMusicInstalled()));

    // The design size and left edge, in whole pixels of 15 twips.
    QCOMPARE(window->frameGeometry().size(), QSize(376, 455));
    QCOMPARE(window->frameGeometry().left(), 364);

    // Hidden and shown again, the same window keeps where the reader had scrolled to.
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QScrollBar* bar = window->Text1()->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    bar->setValue(bar->maximum());
    window->cmdchiudi_Click();
    QCOMPARE(s.module->window<licenza>(), window);
    window->show();
    QCOMPARE(bar->value(), bar->maximum());

    // Stampa, Sommario, Chiudi from the left, as in the help pages and the price list.
    QVERIFY(window->cmdstampa()->x() < window->cmdSommario()->x());
    QVERIFY(window->cmdSommario()->x() < window->cmdchiudi()->x());

    // Every control stays inside the window and apart from the others.
    const QList<QWidget*> controls{window->programName(), window->Text1(), window->cmdSommario(),
                                   window->cmdstampa(), window->cmdchiudi()};
    for (qsizetype i = 0; i < controls.size(); ++i) {
        QVERIFY(window->rect().contains(controls[i]->geometry()));
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            QVERIFY(!controls[i]->geometry().intersects(controls[j]->geometry()));
        }
    }
}

void TestTipAndTerms::terms_buttons_hideAndContentsHook()
{
    testsupport::ScriptedModule s;
    licenza* window = s.module->window<licenza>();
    QCOMPARE(window->cmdchiudi()->text(), QStringLiteral("&Chiudi"));
    QCOMPARE(window->cmdstampa()->text(), QStringLiteral("S&tampa"));
    QCOMPARE(window->cmdSommario()->text(), QStringLiteral("&Sommario"));
    QCOMPARE(window->cmdchiudi()->toolTip(),
             QStringLiteral("cliccare per chiudere la finestra LICENZA D'USO"));
    QCOMPARE(window->cmdstampa()->toolTip(), QStringLiteral("cliccare per stampare la LICENZA D'USO"));
    QCOMPARE(window->cmdSommario()->toolTip(),
             QStringLiteral("cliccare per visualizzare il sommario della guida"));

    window->show();
    QTest::mouseClick(window->cmdchiudi(), Qt::LeftButton);
    QVERIFY(window->isHidden());
    QCOMPARE(s.module->loadedWindow<licenza>(), window);

    // Without a hook Sommario does nothing; with one it asks for the contents once a click.
    QTest::mouseClick(window->cmdSommario(), Qt::LeftButton);
    int asked = 0;
    window->showContents = [&asked] { ++asked; };
    QTest::mouseClick(window->cmdSommario(), Qt::LeftButton);
    QTest::mouseClick(window->cmdSommario(), Qt::LeftButton);
    QCOMPARE(asked, 2);
    QVERIFY(documentWindows().isEmpty());
}

void TestTipAndTerms::terms_printout_exactSequence()
{
    IdentityTexts identity;
    identity.ProgramName = QStringLiteral("Pondra ");
    identity.ProgramDescription = QStringLiteral("valutazioni qualsiasi mediante confronto");
    RecordingBuilder b;
    printTermsOfUse(b, identity, QStringLiteral("primo\nsecondo"));
    const QStringList expected{
        QStringLiteral("font Century Gothic"),
        QStringLiteral("size 20"),
        QStringLiteral("type Pondra \r"),
        QStringLiteral("size 16"),
        QStringLiteral("type valutazioni qualsiasi mediante confronto\r\r\r"),
        QStringLiteral("size 12"),
        QStringLiteral("type primo\nsecondo\r"),
        QStringLiteral("justify all"),
    };
    QCOMPARE(b.operations, expected);
}

void TestTipAndTerms::terms_print_takesCurrentText()
{
    testsupport::ScriptedModule s;
    licenza* window = s.module->window<licenza>();
    const QString edited = QStringLiteral("Testo cambiato prima della stampa.");
    window->Text1()->setPlainText(edited);

    RecordingBuilder b;
    window->printTerms(b);
    QCOMPARE(b.operations.value(6), QStringLiteral("type ") + edited + u'\r');
    QCOMPARE(b.operations.value(2), QStringLiteral("type ") + s.module->identity().ProgramName + u'\r');
    QCOMPARE(b.operations.value(4),
             QStringLiteral("type ") + s.module->identity().ProgramDescription + QStringLiteral("\r\r\r"));

    // Stampa opens the printout in a window of its own, one per click.
    QVERIFY(documentWindows().isEmpty());
    QTest::mouseClick(window->cmdstampa(), Qt::LeftButton);
    const QList<DocumentWindow*> opened = documentWindows();
    QCOMPARE(opened.size(), 1);
    const QString printed = opened.first()->document()->toPlainText();
    QVERIFY(printed.startsWith(QStringLiteral("Pondra ")));
    QVERIFY(printed.contains(edited));
    QVERIFY(!printed.contains(QStringLiteral("Software Borealis")));
}

void TestTipAndTerms::terms_shippedText()
{
    // Decompiling is forbidden except where the law allows it; the music only where it is.
    QVERIFY(termsOfUseText(false).contains(QStringLiteral("salvo nei limiti in cui la legge lo consente;")));
    QVERIFY(!termsOfUseText(false).contains(QStringLiteral("audio")));
    const QString text = termsOfUseText(true);
    QVERIFY2(text.size() >= 3000 && text.size() <= 3600, qPrintable(QString::number(text.size())));
    // Several paragraphs, each a line of its own, none empty.
    const QStringList paragraphs = text.split(u'\n');
    QVERIFY(paragraphs.size() >= 6);
    for (const QString& p : paragraphs) {
        QVERIFY(!p.trimmed().isEmpty());
    }
    QVERIFY(!text.contains(u'\r'));
    for (const char* phrase : {"Software Borealis", "un solo posto di lavoro", "decompil", "file audio",
                               "responsabilità", "legge italiana", "foro"}) {
        QVERIFY2(text.contains(QString::fromUtf8(phrase)), phrase);
    }
}

QTEST_MAIN(TestTipAndTerms)
#include "tst_tipandterms.moc"
