#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "support/csvreader.h"

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run pondra(const QStringList& args,
           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(environment);
    p.start(QStringLiteral(PONDRA_EXECUTABLE), args);
    p.waitForFinished(30000);
    Run run{p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
#ifdef Q_OS_WIN
    // Windows ends a console's lines with CR LF.
    run.out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    run.err.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
#endif
    return run;
}

QString writeFile(const QTemporaryDir& dir, const QByteArray& bytes)
{
    const QString path = dir.filePath(QStringLiteral("Pondra-dati-prova"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

const QByteArray title = "\"p\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n";

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void ranking_ofShippedExample()
    {
        const Run r = pondra(
            {QStringLiteral("--ranking"), QStringLiteral(PONDRA_RESOURCES "/Pondra-dati-riscaldamento.txt")});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QStringLiteral("1\tTeleriscaldamento comunale\t78,5\tbuono\n"
                                       "2\tCaldaia a condensazione a metano\t77\tbuono\n"
                                       "3\tPompa di calore aria-acqua\t75,5\tbuono\n"
                                       "4\tCaldaia a pellet\t44,5\tscadente\n"));
    }

    void analysis_ofShippedExample_afterItsRanking()
    {
        const QString ranking = QStringLiteral("1\tTeleriscaldamento comunale\t78,5\tbuono\n"
                                               "2\tCaldaia a condensazione a metano\t77\tbuono\n"
                                               "3\tPompa di calore aria-acqua\t75,5\tbuono\n"
                                               "4\tCaldaia a pellet\t44,5\tscadente\n");
        const Run r = pondra({QStringLiteral("--analysis"),
                              QStringLiteral(PONDRA_RESOURCES "/Pondra-dati-riscaldamento.txt")});
        QCOMPARE(r.exitCode, 0);
        const QString first = QStringLiteral("Teleriscaldamento comunale");
        const QString pellet = QStringLiteral("Caldaia a pellet");
        QCOMPARE(r.out,
                 ranking +
                     QStringLiteral(
                         "2\tCaldaia a condensazione a metano\t1\tmigliorare di un grado il giudizio di "
                         "«costo» (peso 30 %) dell'ipotesi «Caldaia a condensazione a metano»\n"
                         "3\tPompa di calore aria-acqua\t1\tmigliorare di un grado il giudizio di «costo» "
                         "(peso 30 %) dell'ipotesi «Pompa di calore aria-acqua»\n"
                         "4\t%1\t12\tpeggiorare di sette gradi il giudizio di «costo» (peso 30 %) della "
                         "prima ipotesi «%2»; migliorare di quattro gradi il giudizio di «costo» (peso 30 %) "
                         "dell'ipotesi «%1»; migliorare di un grado il giudizio di «consumo» (peso 25 %) "
                         "dell'ipotesi «%1»\n")
                         .arg(pellet, first));
    }

    void sensitivity_ofShippedExample_afterItsRanking()
    {
        const Run r = pondra({QStringLiteral("--sensitivity"),
                              QStringLiteral(PONDRA_RESOURCES "/Pondra-dati-riscaldamento.txt")});
        QCOMPARE(r.exitCode, 0);
        const QStringList lines = r.out.split(u'\n');
        QCOMPARE(lines.mid(4, 3),
                 QStringList({QStringLiteral("assistenza\t15\t0\t20,93\t-\tCaldaia a condensazione a metano"),
                              QStringLiteral("sicurezza\t10\t2,7\t30,77\tCaldaia a condensazione a "
                                             "metano\tPompa di calore aria-acqua"),
                              QStringLiteral("obsolescenza\t10\t2,7\t30,77\tCaldaia a condensazione a "
                                             "metano\tPompa di calore aria-acqua")}));
        QCOMPARE(lines.at(9), QStringLiteral("ingombro\t10\t0\t100\t-\t-"));
    }

    void analysis_ofSingleHypothesis_isItsRankingAlone()
    {
        QTemporaryDir dir;
        const QString path =
            writeFile(dir, "1\r\n\"Sede\",1,,\r\n1,\"costo\",\"buono\",3,\"0,8\",\"100\"\r\n" + title);
        const Run r = pondra({QStringLiteral("--analysis"), path});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QStringLiteral("1\tSede\t80\tbuono\n"));
    }

    void check_passes()
    {
        const Run r = pondra(
            {QStringLiteral("--check"), QStringLiteral(PONDRA_RESOURCES "/Pondra-dati-riscaldamento.txt")});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QStringLiteral("I dati sono stati immessi correttamente.\n"));
    }

    void failedCheck_printsMessage_exit1()
    {
        QTemporaryDir dir;
        // Weights 60 + 30: the remainder message for hypothesis 1.
        const QString path = writeFile(dir, "1\r\n\"Sede\",2,,\r\n1,\"costo\",\"buono\",3,\"0,8\",\"60\"\r\n"
                                            "1,\"qualit\xe0\",\"buono\",3,\"0,8\",\"30\"\r\n" +
                                                title);
        const QString message =
            QStringLiteral("Ipotesi n. 1: se non si hanno altre caratteristiche da aggiungere "
                           "assegnare le percentuali fino ad ottenere resto zero.\n");
        Run r = pondra({QStringLiteral("--check"), path});
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.out, message);
        for (const QString& command :
             {QStringLiteral("--ranking"), QStringLiteral("--analysis"), QStringLiteral("--sensitivity")}) {
            r = pondra({command, path});
            QCOMPARE(r.exitCode, 1);
            QCOMPARE(r.out, QString());
            QCOMPARE(r.err, message);
        }
    }

    void openedStudy_isShownAndScored_beforeTheCheck()
    {
        // Evaluations missing from the file: showing hypothesis 1 scores it, the check scores the rest.
        QTemporaryDir dir;
        const QString path = writeFile(dir, "2\r\n\"A\",1,,\r\n1,\"x\",\"ottimo\",2,\"0,9\",\"100\"\r\n"
                                            "\"B\",1,,\r\n1,\"x\",\"nullo\",11,\"0\",\"100\"\r\n" +
                                                title);
        const Run r = pondra({QStringLiteral("--ranking"), path});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QStringLiteral("1\tA\t90\tottimo\n2\tB\t0\tnullo\n"));
    }

    void ranking_linesStayOneRowOfFourFields()
    {
        // A name holding markup prints as it is; one with a character that does not print
        // (here a right-to-left override) prints it escaped.
        QTemporaryDir dir;
        const QString path =
            writeFile(dir, QStringLiteral("2\r\n\"<b>A</b>\",1,,\r\n1,\"x\",\"ottimo\",2,\"0,9\",\"100\"\r\n"
                                          "\"B\u202Eb\",1,,\r\n1,\"x\",\"nullo\",11,\"0\",\"100\"\r\n")
                                   .toUtf8() +
                               title);
        Run r = pondra({QStringLiteral("--ranking"), path});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QStringLiteral("1\t<b>A</b>\t90\tottimo\n2\tB\\u202Eb\t0\tnullo\n"));

        // A coefficient off the scale no longer ranks ("-5" once gave -97 % and "buono").
        r = pondra({QStringLiteral("--ranking"),
                    writeFile(dir, "1\r\n\"A\",1,,\r\n1,\"x\",\"buono\",3,\"-5\",\"100\"\r\n" + title)});
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(QStringLiteral("riga 3: il coefficiente")), qPrintable(r.err));
    }

    void emptyStudy_saysNothingEntered()
    {
        QTemporaryDir dir;
        const Run r = pondra({QStringLiteral("--check"), writeFile(dir, "0\r\n" + title)});
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.out, QStringLiteral("Non è stato immesso alcun dato.\n"));
    }

    void removedFirstRow_isAGap_slotPastTheNamedOnesMustBeNamed()
    {
        QTemporaryDir dir;
        Run r = pondra(
            {QStringLiteral("--ranking"), writeFile(dir, "1\r\n\"A\",2,,\r\n0,\"\",\"\",\"\",\"\",\"\"\r\n"
                                                         "1,\"y\",\"ottimo\",2,\"0,9\",\"100\"\r\n" +
                                                             title)});
        QCOMPARE(r.out, QStringLiteral("1\tA\t90\tottimo\n"));
        // Slot 2 unnamed with a ticked row: a save would have left it out.
        r = pondra({QStringLiteral("--check"),
                    writeFile(dir, "2\r\n\"A\",1,,\r\n1,\"x\",\"ottimo\",2,\"0,9\",\"100\"\r\n"
                                   "\"\",1,,\r\n1,\"x\",\"buono\",3,\"0,8\",\"100\"\r\n" +
                                       title)});
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.out, QStringLiteral("Ipotesi n. 2: digitare il nome dell'ipotesi n. 2\n"));
    }

    void unreadableFile_exit2_reasonOnStderr()
    {
        QTemporaryDir dir;
        Run r = pondra({QStringLiteral("--check"), writeFile(dir, "101\r\n" + title)});
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(QStringLiteral("riga 1: il numero delle ipotesi")), qPrintable(r.err));
        r = pondra({QStringLiteral("--ranking"), dir.filePath(QStringLiteral("manca"))});
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.err.contains(QStringLiteral("non esiste")));
    }

    void screenshot_rendersWindowWithStudy()
    {
        QTemporaryDir dir;
        const QString png = dir.filePath(QStringLiteral("dati.png"));
        Run r = pondra({QStringLiteral("--screenshot"), QStringLiteral("requisiti"), png,
                        QStringLiteral(PONDRA_RESOURCES "/Pondra-dati-riscaldamento.txt")});
        QCOMPARE(r.exitCode, 0);
        QImage picture(png);
        QVERIFY(!picture.isNull());
        QVERIFY(picture.width() >= 600 && picture.height() >= 400);

        r = pondra({QStringLiteral("--screenshot"), QStringLiteral("nessuna"), png});
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.err.contains(QStringLiteral("frmSplash")));
    }

    void screenshot_damagedFile_saysWhyAndWritesNothing()
    {
        QTemporaryDir dir;
        const QString png = dir.filePath(QStringLiteral("dati.png"));
        const Run r = pondra({QStringLiteral("--screenshot"), QStringLiteral("requisiti"), png,
                              writeFile(dir, "2\r\n\"A\",1,,\r\n")});
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(QStringLiteral("riga 3")), qPrintable(r.err));
        QVERIFY(!QFile::exists(png));
    }

    void print_reportOfShippedExample_inEveryFormat()
    {
        // Read from and written into a folder whose name has an accent and a space.
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkdir(QStringLiteral("Niccolò Documenti")));
        const QDir dir(root.filePath(QStringLiteral("Niccolò Documenti")));
        const QString study = dir.filePath(QStringLiteral("Studio è.txt"));
        QVERIFY(QFile::copy(QStringLiteral(PONDRA_RESOURCES "/Pondra-dati-riscaldamento.txt"), study));
        Run r = pondra({QStringLiteral("--print"), QStringLiteral("relazione"), study, QStringLiteral("-o"),
                        dir.filePath(QStringLiteral("relazione.pdf"))});
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.out.startsWith(QStringLiteral("pagine: ")), qPrintable(r.out));
        QVERIFY(r.out.trimmed().section(u' ', -1).toInt() >= 2);
        QFile pdf(dir.filePath(QStringLiteral("relazione.pdf")));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");

        for (const QString& kind :
             {QStringLiteral("dati"), QStringLiteral("classifica"), QStringLiteral("frontespizio")}) {
            r = pondra({QStringLiteral("--print"), kind, study, QStringLiteral("-o"),
                        dir.filePath(kind + QStringLiteral(".docx"))});
            QCOMPARE(r.exitCode, 0);
            QVERIFY(QFileInfo(dir.filePath(kind + QStringLiteral(".docx"))).size() > 1000);
        }
        r = pondra({QStringLiteral("--print"), QStringLiteral("solidita"), study, QStringLiteral("-o"),
                    dir.filePath(QStringLiteral("solidita.html"))});
        QCOMPARE(r.exitCode, 0);
        QFile robustness(dir.filePath(QStringLiteral("solidita.html")));
        QVERIFY(robustness.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(robustness.readAll()).contains(QStringLiteral("giudizio sulla solidità")));
        r = pondra({QStringLiteral("--print"), QStringLiteral("modello"), QStringLiteral("-o"),
                    dir.filePath(QStringLiteral("modello.html"))});
        QCOMPARE(r.exitCode, 0);
        QFile html(dir.filePath(QStringLiteral("modello.html")));
        QVERIFY(html.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(html.readAll())
                    .contains(QStringLiteral("caratteristiche considerate per l'ipotesi")));
    }

    void printedReport_hasTheSectionsOfItsOptions_notTheRememberedOnes()
    {
        // A user who asked the Results window for section C.
        QTemporaryDir home;
        QDir(home.path()).mkpath(QStringLiteral(".config/Pondra"));
        QFile conf(home.filePath(QStringLiteral(".config/Pondra/Pondra.conf")));
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write("[Relazione]\nIncludiSolidita=true\nIncludiPesi=true\n");
        conf.close();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral(".config")));

        const QString study = QStringLiteral(PONDRA_RESOURCES "/Pondra-dati-riscaldamento.txt");
        const QString out = home.filePath(QStringLiteral("relazione.html"));
        const auto report = [&](const QStringList& options) {
            const Run r = pondra(QStringList{QStringLiteral("--print"), QStringLiteral("relazione"), study,
                                             QStringLiteral("-o"), out} +
                                     options,
                                 environment);
            QFile html(out);
            return r.exitCode == 0 && html.open(QIODevice::ReadOnly) ? QString::fromUtf8(html.readAll())
                                                                     : QString();
        };
        const QString section = QStringLiteral("C) SOLIDITÀ DELLA GRADUATORIA");
        const QString plain = report({});
        QVERIFY(plain.contains(QStringLiteral("B) GRADUATORIA DELLE IPOTESI")));
        QVERIFY(!plain.contains(section));
        QVERIFY(report({QStringLiteral("--solidita")}).contains(section));
        // The shipped study compares no pairs: asked for, section D still has nothing to say.
        const QString weighed = report({QStringLiteral("--pesi"), QStringLiteral("--solidita")});
        QVERIFY(weighed.contains(section));
        QVERIFY(!weighed.contains(QStringLiteral("D) CRITERI DI PONDERAZIONE")));
    }

    void print_failedCheckOrBadRequest()
    {
        QTemporaryDir dir;
        const QString path =
            writeFile(dir, "1\r\n\"Sede\",1,,\r\n1,\"costo\",\"buono\",3,\"0,8\",\"60\"\r\n" + title);
        const QString out = dir.filePath(QStringLiteral("x.pdf"));
        Run r =
            pondra({QStringLiteral("--print"), QStringLiteral("relazione"), path, QStringLiteral("-o"), out});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.err.contains(QStringLiteral("resto zero")));
        QVERIFY(!QFile::exists(out));
        // The title-page data need no check.
        r = pondra(
            {QStringLiteral("--print"), QStringLiteral("frontespizio"), path, QStringLiteral("-o"), out});
        QCOMPARE(r.exitCode, 0);

        r = pondra({QStringLiteral("--print"), QStringLiteral("lettera"), path, QStringLiteral("-o"), out});
        QCOMPARE(r.exitCode, 2);
        r = pondra({QStringLiteral("--print"), QStringLiteral("frontespizio"), path, QStringLiteral("-o"),
                    dir.filePath(QStringLiteral("x.odt"))});
        QCOMPARE(r.exitCode, 2);
        QVERIFY(!r.err.isEmpty());
    }

    void exportCsv_rankingAsTheRankingCommand_failedCheckWritesNothing()
    {
        QTemporaryDir dir;
        const QString example = QStringLiteral(PONDRA_RESOURCES "/Pondra-dati-riscaldamento.txt");
        const QString out = dir.filePath(QStringLiteral("studio.csv"));
        Run r = pondra({QStringLiteral("--export-csv"), example, QStringLiteral("-o"), out});
        QCOMPARE(r.exitCode, 0);
        QFile file(out);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QStringList> rows = testsupport::readCsv(file.readAll());
        const qsizetype heading = rows.indexOf(QStringList{QStringLiteral("T:Classifica delle ipotesi")});
        QVERIFY(heading > 0);
        QStringList ranking;
        for (qsizetype i = heading + 2; i < rows.size() && !rows.at(i).isEmpty(); ++i) {
            QStringList cells;
            for (const QString& cell : rows.at(i)) {
                cells << cell.mid(2);
            }
            ranking << cells.join(u'\t');
        }
        r = pondra({QStringLiteral("--ranking"), example});
        QCOMPARE(ranking.join(u'\n') + u'\n', r.out);

        const QString failing =
            writeFile(dir, "1\r\n\"Sede\",1,,\r\n1,\"costo\",\"buono\",3,\"0,8\",\"60\"\r\n" + title);
        const QString notWritten = dir.filePath(QStringLiteral("no.csv"));
        r = pondra({QStringLiteral("--export-csv"), failing, QStringLiteral("-o"), notWritten});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.err.contains(QStringLiteral("resto zero")));
        QVERIFY(!QFile::exists(notWritten));
    }

    void pairwise_printsToStdout_badMatrixToStderr()
    {
        Run r = pondra({QStringLiteral("--pairwise"), QStringLiteral("1 3 5; 1/3 1 2; 1/5 1/2 1")});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QStringLiteral("1\t64,8\t65\n2\t23,0\t23\n3\t12,2\t12\n"
                                       "lambda\t3,004\nCI\t0,002\nCR\t0,003\n"));
        r = pondra({QStringLiteral("--pairwise"), QStringLiteral("1 2; 1/3 1")});
        QCOMPARE(r.exitCode, 2);
        QCOMPARE(r.out, QString());
        QVERIFY2(r.err.contains(QStringLiteral("non è reciproca")), qPrintable(r.err));
    }

    void importCsv_shippedSheetRanksAsItsStudy_faultySheetWritesNothing()
    {
        const QTemporaryDir dir;
        const QString study = dir.filePath(QStringLiteral("studio"));
        Run r = pondra({QStringLiteral("--import-csv"),
                        QStringLiteral(PONDRA_RESOURCES "/Pondra-foglio-riscaldamento.csv"),
                        QStringLiteral("-o"), study});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(pondra({QStringLiteral("--ranking"), study}).out,
                 pondra({QStringLiteral("--ranking"),
                         QStringLiteral(PONDRA_RESOURCES "/Pondra-dati-riscaldamento.txt")})
                     .out);
        r = pondra({QStringLiteral("--import-csv"), writeFile(dir, "c;A;peso\r\nx;zz;1\r\n"),
                    QStringLiteral("-o"), dir.filePath(QStringLiteral("altro"))});
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(QStringLiteral("riga 2, colonna B:")), qPrintable(r.err));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("altro"))));
    }

    void speaksItalian_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<bool>("onStdout");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("withoutDisplay");
        const auto row = [](const char* name, const QStringList& args, int code, bool out,
                            const QString& text, bool withoutDisplay = false) {
            QTest::newRow(name) << args << code << out << text << withoutDisplay;
        };
        const QString study = QStringLiteral(PONDRA_RESOURCES "/Pondra-dati-riscaldamento.txt");
        // The version first, as Linux programs print it, the one the package carries.
        row("version", {QStringLiteral("--version")}, 0, true, QStringLiteral("pondra " PONDRA_VERSION "\n"));
        row("help", {QStringLiteral("--help")}, 0, true, QStringLiteral("Uso: pondra [OPZIONE...] [FILE]\n"));
        row("unknown", {QStringLiteral("--bogus")}, 2, false,
            QStringLiteral("pondra: opzione sconosciuta «--bogus».\n"));
        row("unknowns", {QStringLiteral("-x"), QStringLiteral("--yz")}, 2, false,
            QStringLiteral("pondra: opzioni sconosciute «-x», «--yz».\n"));
        row("missing value", {QStringLiteral("--print")}, 2, false,
            QStringLiteral("pondra: manca il valore dell'opzione «--print».\n"));
        row("missing short value", {QStringLiteral("--print"), QStringLiteral("dati"), QStringLiteral("-o")},
            2, false, QStringLiteral("pondra: manca il valore dell'opzione «-o».\n"));
        row("unexpected value", {QStringLiteral("--solidita=si")}, 2, false,
            QStringLiteral("pondra: l'opzione «--solidita» non vuole un valore.\n"));
        row("section without report", {QStringLiteral("--pesi"), study}, 2, false,
            QStringLiteral("pondra: l'opzione «--pesi» vale solo con «--print relazione».\n"));
        row("output without writer", {study, QStringLiteral("-o"), QStringLiteral("x.pdf")}, 2, false,
            QStringLiteral(
                "pondra: l'opzione «-o» vale solo con «--print», «--export-csv», «--import-csv».\n"));
        row("two actions", {QStringLiteral("--ranking"), study, QStringLiteral("--check"), study}, 2, false,
            QStringLiteral("pondra: le opzioni «--check» e «--ranking» non vanno insieme"));
        row("extra argument", {QStringLiteral("--check"), study, QStringLiteral("altro")}, 2, false,
            QStringLiteral("pondra: argomento in più «altro».\n"));
#ifndef Q_OS_WIN
        // Windows always has its desktop.
        row("no display", {study}, 2, false,
            QStringLiteral("pondra: le finestre del programma richiedono una sessione grafica"), true);
#endif
    }

    void speaksItalian()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(bool, onStdout);
        QFETCH(QString, expected);
        QFETCH(bool, withoutDisplay);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (withoutDisplay) {
            for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
                environment.remove(QLatin1String(name));
            }
        }
        const Run r = pondra(args, environment);
        QCOMPARE(r.exitCode, exitCode);
        const QString& text = onStdout ? r.out : r.err;
        QVERIFY2(text.startsWith(expected), qPrintable(text));
        QCOMPARE((onStdout ? r.err : r.out), QString());
        for (const char* english : {"Usage", "Options", "Unknown", "Missing", "Unexpected", "Displays"}) {
            QVERIFY2(!text.contains(QLatin1String(english)), english);
        }
        if (!onStdout) {
            QVERIFY(text.endsWith(QStringLiteral("Per l'elenco delle opzioni: pondra --help\n")));
        }
    }

    void help_listsEveryOptionOnceWithinEightyColumns()
    {
        const Run r = pondra({QStringLiteral("--help")});
        for (const char* option :
             {"--check", "--ranking", "--analysis", "--sensitivity", "--pairwise", "--print", "--solidita",
              "--pesi", "--export-csv", "-o, --output", "--screenshot", "-v, --version"}) {
            QVERIFY2(r.out.contains(QStringLiteral("\n  ") + QLatin1String(option) + u' '), option);
        }
        for (const QString& line : r.out.split(u'\n')) {
            QVERIFY2(line.size() <= 80, qPrintable(line));
        }
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
