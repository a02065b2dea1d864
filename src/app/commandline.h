#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

namespace pondra {

// The program's options, their Italian help and the Italian reading of a wrong command line.
// Qt's parser reads the arguments; its own help and messages, which are English, are never
// shown.
struct CommandLine {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Mostra questo aiuto ed esce.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Mostra il nome e la versione del programma ed esce.")};
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
    QCommandLineOption sensitivity{
        QStringLiteral("sensitivity"),
        QStringLiteral("Controlla i dati del file, stampa la classifica come --ranking, poi per "
                       "ogni caratteristica, dalla più critica: nome, peso attuale in % (la media, "
                       "con «variabile», se le ipotesi la pesano diversamente), peso minimo e "
                       "massimo che lasciano prima la stessa ipotesi, ipotesi prima sotto e sopra "
                       "quei pesi («-» se nessuna), separati da tabulazioni."),
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
                       "senza file) nel formato dell'estensione del file dato con -o (.pdf, "
                       ".docx, .html)."),
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
    QCommandLineOption sheet{
        QStringLiteral("import-csv"),
        QStringLiteral("Legge lo studio dal foglio di calcolo in CSV (quello scritto da --export-csv "
                       "o uno fatto a mano: una riga per caratteristica, per ogni ipotesi una "
                       "colonna di giudizi e una di pesi) e lo scrive come file di dati nel file "
                       "dato con -o."),
        QStringLiteral("FILE.csv")};
    QCommandLineOption output{{QStringLiteral("o"), QStringLiteral("output")},
                              QStringLiteral("Il file da scrivere con --print, --export-csv o --import-csv."),
                              QStringLiteral("USCITA")};
    QCommandLineOption screenshot{
        QStringLiteral("screenshot"),
        QStringLiteral("Disegna la finestra indicata (frmSplash, requisiti, classifica, "
                       "frontespizio, solidita, confronto, informa, supportoclienti, prodotti, "
                       "frmTip, licenza, sommario e le pagine della guida, da manuale a "
                       "guidaconfronto) nell'immagine PNG data come primo argomento, con il file "
                       "di dati eventualmente indicato come secondo."),
        QStringLiteral("FINESTRA")};

    // In the order the help lists them.
    QList<QCommandLineOption> all() const;

    // Adds every option to the parser, which then reads but never answers by itself.
    void describe(QCommandLineParser& parser) const;

    // What `--help` prints: usage, the options wrapped to 80 columns, the exit codes.
    QString helpText() const;

    // What `--version` prints, as Linux programs print it: name and version on the first line.
    static QString versionText();

    // The options that each choose what the program does; at most one may be given.
    QList<QCommandLineOption> actions() const;

    // Why arguments the parser read make no command (two actions, an option without the one it
    // serves, arguments left over), in Italian; empty when they make one.
    QString misuse(const QCommandLineParser& parser) const;

    // The reason the parser refused the arguments, in Italian, with the hint to ask for help.
    static QString errorText(const QCommandLineParser& parser);

    // A refusal in the form errorText() gives it.
    static QString refusal(const QString& reason);
};

} // namespace pondra
