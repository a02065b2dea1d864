#include "headlesscommands.h"

#include "model/identity.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const pondra::IdentityTexts identity = pondra::InitGlobals();
    QCoreApplication::setApplicationName(QStringLiteral("Pondra"));
    QCoreApplication::setOrganizationName(QStringLiteral("Pondra"));
    QCoreApplication::setApplicationVersion(identity.ProgramVersion);

    QCommandLineParser parser;
    parser.setApplicationDescription(identity.ProgramName + QStringLiteral("- ") + identity.ProgramDescription);
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption check(QStringLiteral("check"),
                                   QStringLiteral("Controlla i dati del file come la finestra Dati e stampa il "
                                                  "messaggio del controllo (uscita 0 dati corretti, 1 dati da "
                                                  "correggere, 2 file illeggibile)."),
                                   QStringLiteral("FILE"));
    const QCommandLineOption ranking(QStringLiteral("ranking"),
                                     QStringLiteral("Controlla i dati del file e stampa la classifica: posizione, "
                                                    "ipotesi, valutazione in %, giudizio complessivo, separati da "
                                                    "tabulazioni."),
                                     QStringLiteral("FILE"));
    parser.addOption(check);
    parser.addOption(ranking);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("File di dati da aprire nella finestra Dati."),
                                 QStringLiteral("[FILE]"));
    parser.process(app);

    QTextStream out(stdout);
    QTextStream err(stderr);
    if (parser.isSet(check)) {
        return pondra::runCheckCommand(parser.value(check), out, err);
    }
    if (parser.isSet(ranking)) {
        return pondra::runRankingCommand(parser.value(ranking), out, err);
    }
    // The windows are not there yet: say how the program is used.
    out << parser.helpText();
    return 0;
}
