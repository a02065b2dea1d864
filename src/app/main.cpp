#include "guicommands.h"
#include "headlesscommands.h"

#include "model/identity.h"
#include "settings/translations.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

namespace {

struct Options {
    QCommandLineOption check{
        QStringLiteral("check"),
        QStringLiteral("Controlla i dati del file come la finestra Dati e stampa il messaggio del "
                       "controllo (uscita 0 dati corretti, 1 dati da correggere, 2 file "
                       "illeggibile)."),
        QStringLiteral("FILE")};
    QCommandLineOption ranking{
        QStringLiteral("ranking"),
        QStringLiteral("Controlla i dati del file e stampa la classifica: posizione, ipotesi, "
                       "valutazione in %, giudizio complessivo, separati da tabulazioni."),
        QStringLiteral("FILE")};
    QCommandLineOption analysis{
        QStringLiteral("analysis"),
        QStringLiteral("Controlla i dati del file, stampa la classifica come --ranking, poi per "
                       "ogni ipotesi dalla seconda in giù: posizione, ipotesi, cambi di "
                       "giudizio necessari per raggiungere la prima, giudizi da cambiare, "
                       "separati da tabulazioni."),
        QStringLiteral("FILE")};
    QCommandLineOption pairwise{
        QStringLiteral("pairwise"),
        QStringLiteral("Confronto a coppie: dalla matrice reciproca data come testo (righe separate "
                       "da \";\", valori da spazi: interi, decimali o frazioni come 1/3, da 1/9 a 9; "
                       "da 2 a 15 righe) stampa per ogni riga il numero, il peso in % con un "
                       "decimale e il peso in % intero, poi lambda, CI e CR, separati da "
                       "tabulazioni (uscita 2 per una matrice non valida)."),
        QStringLiteral("MATRICE")};
    QCommandLineOption print{
        QStringLiteral("print"),
        QStringLiteral("Scrive la stampa indicata (relazione, dati, classifica, solidita, "
                       "frontespizio dello studio nel FILE; modello, guida, listino, licenza "
                       "senza file) "
                       "nel formato dell'estensione del file dato con -o (.pdf, .docx, .html)."),
        QStringLiteral("TIPO")};
    QCommandLineOption robustness{
        QStringLiteral("solidita"),
        QStringLiteral("Con --print relazione: aggiunge la sezione C, grafico delle valutazioni e "
                       "solidità della graduatoria.")};
    QCommandLineOption weighting{
        QStringLiteral("pesi"),
        QStringLiteral("Con --print relazione: aggiunge la sezione D, criteri di ponderazione "
                       "delle ipotesi i cui pesi vengono dal confronto a coppie.")};
    QCommandLineOption spreadsheet{
        QStringLiteral("export-csv"),
        QStringLiteral("Controlla i dati del file e scrive nel file dato con -o la "
                       "classifica e i dati di ogni ipotesi per un foglio di calcolo "
                       "(CSV con punto e virgola e virgola decimale)."),
        QStringLiteral("FILE")};
    QCommandLineOption output{{QStringLiteral("o"), QStringLiteral("output")},
                              QStringLiteral("Il file da scrivere con --print o --export-csv."),
                              QStringLiteral("USCITA")};
    QCommandLineOption screenshot{
        QStringLiteral("screenshot"),
        QStringLiteral("Disegna la finestra indicata (frmSplash, requisiti, classifica, "
                       "frontespizio, solidita, confronto, informa, supportoclienti, prodotti, frmTip, "
                       "licenza, sommario e le pagine della guida, da manuale a guidaconfronto) "
                       "nell'immagine PNG data "
                       "come primo argomento, con il file di dati eventualmente indicato "
                       "come secondo."),
        QStringLiteral("FINESTRA")};
};

void describe(QCommandLineParser& parser, const Options& options)
{
    const pondra::IdentityTexts identity = pondra::InitGlobals();
    parser.setApplicationDescription(identity.ProgramName + QStringLiteral("- ") +
                                     identity.ProgramDescription);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(options.check);
    parser.addOption(options.ranking);
    parser.addOption(options.analysis);
    parser.addOption(options.pairwise);
    parser.addOption(options.print);
    parser.addOption(options.robustness);
    parser.addOption(options.weighting);
    parser.addOption(options.spreadsheet);
    parser.addOption(options.output);
    parser.addOption(options.screenshot);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("File di dati da aprire nella finestra Dati."),
                                 QStringLiteral("[FILE]"));
}

void identify()
{
    QCoreApplication::setApplicationName(QStringLiteral("Pondra"));
    QCoreApplication::setOrganizationName(QStringLiteral("Pondra"));
    QCoreApplication::setApplicationVersion(pondra::InitGlobals().ProgramVersion);
}

// Every window, dialog and document in Italian.
void identify(QApplication& app)
{
    pondra::installItalianTranslations(app);
    identify();
}

} // namespace

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const Options options;
    QCommandLineParser parser;
    describe(parser, options);
    const bool parsed = parser.parse(arguments);

    // The headless commands need no display; only the windows start a GUI application.
    const bool windows = parsed && !parser.isSet(QStringLiteral("help")) &&
                         !parser.isSet(QStringLiteral("version")) && !parser.isSet(options.check) &&
                         !parser.isSet(options.ranking) && !parser.isSet(options.analysis) &&
                         !parser.isSet(options.spreadsheet) && !parser.isSet(options.pairwise);
    if (!windows) {
        QCoreApplication app(argc, argv);
        identify();
        parser.process(app);
        QTextStream out(stdout);
        QTextStream err(stderr);
        if (parser.isSet(options.spreadsheet)) {
            return pondra::runSpreadsheetCommand(parser.value(options.spreadsheet),
                                                 parser.value(options.output), err);
        }
        if (parser.isSet(options.pairwise)) {
            return pondra::runPairwiseCommand(parser.value(options.pairwise), out, err);
        }
        if (parser.isSet(options.check)) {
            return pondra::runCheckCommand(parser.value(options.check), out, err);
        }
        if (parser.isSet(options.analysis)) {
            return pondra::runAnalysisCommand(parser.value(options.analysis), out, err);
        }
        return pondra::runRankingCommand(parser.value(options.ranking), out, err);
    }

    // Printouts and pictures are made offscreen, the same with or without a display.
    if ((parser.isSet(options.print) || parser.isSet(options.screenshot)) &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (parser.isSet(options.print)) {
        QApplication app(argc, argv);
        identify(app);
        QTextStream out(stdout);
        QTextStream err(stderr);
        return pondra::runPrintCommand(parser.value(options.print), parser.positionalArguments().value(0),
                                       parser.value(options.output),
                                       {.withRobustness = parser.isSet(options.robustness),
                                        .withWeighting = parser.isSet(options.weighting)},
                                       out, err);
    }
    if (parser.isSet(options.screenshot)) {
        QApplication app(argc, argv);
        identify(app);
        const QStringList rest = parser.positionalArguments();
        if (rest.isEmpty()) {
            QTextStream(stderr) << QStringLiteral("Manca il nome dell'immagine da scrivere.") << Qt::endl;
            return pondra::ExitUnreadable;
        }
        return pondra::runScreenshot(parser.value(options.screenshot), rest.at(0), rest.value(1));
    }

    QApplication app(argc, argv);
    identify(app);
    return pondra::runWindows(parser.positionalArguments().value(0));
}
