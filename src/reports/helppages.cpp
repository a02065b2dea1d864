#include "helppages.h"

#include "pagesetup.h"

namespace pondra {

namespace {

constexpr int NameSize = 20;
constexpr int HeadingSize = 16;
constexpr int BodySize = 12;

QList<HelpPageText> makePages()
{
    return {
        {QStringLiteral("manuale"), QStringLiteral("MANUALE D'USO RAPIDO"),
         QStringLiteral(
             "Pondra confronta fino a cento ipotesi, ciascuna descritta da un massimo di cento "
             "caratteristiche. Nella finestra Dati si scrive il nome dell'ipotesi, poi, per ogni "
             "caratteristica, se ne spunta la casella, se ne scrive il nome o lo si sceglie dall'elenco e "
             "si clicca sul giudizio prescelto nella scala: il programma riempie da sé le caselle del "
             "giudizio, del suo numero (colonna \"valori\") e del coefficiente e aggiorna i risultati di "
             "controllo in fondo alla finestra. Il valore della casella \"coeff. ponderato\", moltiplicato "
             "per 100, è la valutazione in percento dell'ipotesi. Quando si spunta una riga vuota, il "
             "programma vi scrive il nome della caratteristica della stessa riga dell'ipotesi precedente: "
             "così i nomi scritti per la prima ipotesi si ritrovano nelle successive, mentre una riga che "
             "ha già un nome lo conserva. I dati si possono salvare in qualunque momento, anche a lavoro "
             "non finito (Ctrl+S); per fare pratica conviene aprire un "
             "file \"Pondra-dati-...\" già salvato, come l'esempio Pondra-dati-riscaldamento.txt installato "
             "con il programma (per esempio in /usr/share/pondra). Il programma controlla i dati di tutte "
             "le ipotesi quando dalla finestra Dati si chiedono i Risultati, prima "
             "delle stampe dei dati delle ipotesi, della classifica e della relazione e quando nella "
             "finestra Dati si preme il pulsante ABC della barra degli strumenti; il passaggio alla "
             "finestra Frontespizio non controlla nulla e nel Frontespizio il pulsante ABC controlla solo "
             "i campi del frontespizio. Il pulsante AIUTO dà indicazioni passo per passo, i pulsanti "
             "delle finestre principali si descrivono quando vi si ferma sopra il mouse e il sommario "
             "della guida si apre in qualunque momento con il pulsante Guida in linea; il tasto F1 apre "
             "la pagina della guida della finestra in cui si lavora.")},
        {QStringLiteral("guidafunzionamento"), QStringLiteral("FUNZIONAMENTO DEL PROGRAMMA"),
         QStringLiteral(
             "Pondra valuta ogni ipotesi attraverso le sue caratteristiche: a ciascuna caratteristica si "
             "assegna un aggettivo della scala di qualità, da \"eccellente\" a \"nullo\", e a ogni aggettivo "
             "corrisponde un coefficiente compreso fra 1 e 0. Il risultato è una graduatoria delle "
             "ipotesi, ognuna con la propria valutazione in percento rispetto a una soluzione ottimale, "
             "che avrebbe tutte le caratteristiche al massimo della scala, e con il giudizio complessivo "
             "che ne deriva. Più caratteristiche si considerano, più la stima si avvicina al vero. A ogni "
             "caratteristica si dà un peso in percento, che ne misura l'importanza rispetto alle altre: i "
             "pesi di un'ipotesi devono sommare a 100 (il resto da assegnare deve arrivare a 0) e una "
             "caratteristica senza peso non conta nel coefficiente ponderato. Quando si passa all'ipotesi "
             "successiva e si spunta la casella di una riga vuota, il programma vi scrive il nome della "
             "caratteristica della stessa riga dell'ipotesi precedente; una riga che ha già un nome lo "
             "conserva. Per cambiare un giudizio si clicca sul numero della riga e poi sul nuovo giudizio "
             "della scala; togliere la spunta, invece, cancella la riga intera, con il nome, il giudizio "
             "e il peso. Il peso si scrive nella sua casella, da 0 a 100 con al più un decimale dopo la "
             "virgola (12,5), oppure si cambia di un'unità con le frecce accanto, che partono dal peso "
             "mostrato (da 10 su una riga ancora senza peso); Completa a 100 (menu Modifica, o tasto "
             "destro sulla casella) dà alla riga il resto da assegnare. Conviene assegnare i pesi "
             "dopo aver scritto tutte le caratteristiche e dato tutti i giudizi.")},
        {QStringLiteral("guidaarchivio"), QStringLiteral("ARCHIVIO DATI"),
         QStringLiteral(
             "I dati di uno studio si salvano in un file e si riaprono quando servono: così il lavoro può "
             "essere ripreso in un secondo momento, corretto o confrontato con altre elaborazioni. I file "
             "si salvano e si aprono dalla finestra Dati o dalla finestra Frontespizio, con i comandi "
             "Apri, Salva, Salva con nome ed Elimina del menu File oppure con i pulsanti corrispondenti "
             "della barra degli strumenti. Salva scrive sul file aperto o salvato per ultimo e chiede il "
             "nome del file solo quando non ce n'è uno; Salva con nome lo chiede sempre. File recenti "
             "elenca gli ultimi otto file aperti o salvati; Esporta per foglio di calcolo scrive la "
             "classifica e i dati delle ipotesi in un file CSV che LibreOffice Calc ed Excel aprono così "
             "com'è. Il nome proposto per un file nuovo è \"Pondra-dati-\" seguito dalle parole della "
             "perizia; senza estensione il programma aggiunge \".txt\", e Apri mostra tutti i file "
             "\"Pondra-dati-...\" e \".txt\". Si può salvare anche un lavoro non finito: il file "
             "conserva tutto ciò che è stato scritto e la riga in fondo alla finestra dice che cosa resta "
             "da completare. Apri chiede conferma quando lo studio in memoria è stato "
             "cambiato dopo l'ultima apertura o l'ultimo salvataggio, perché i dati non archiviati "
             "andrebbero persi; Elimina chiede conferma prima di cancellare il file scelto. Finché lo "
             "studio ha modifiche non salvate, il programma ne scrive ogni 30 secondi una copia di "
             "recupero: se il computer o il programma si fermano all'improvviso, al successivo avvio "
             "propone di recuperarla. Un file "
             "danneggiato o illeggibile non viene caricato: i dati in memoria restano quelli di prima e "
             "un messaggio indica il file e la riga in cui si trova il problema.")},
        {QStringLiteral("guidastampa"), QStringLiteral("STAMPA"),
         QStringLiteral(
             "Ogni finestra della guida si può stampare con il proprio pulsante Stampa, e il sommario "
             "stampa tutte le pagine della guida in un solo documento, che salva anche come \"Pondra "
             "-guida.docx\" nella cartella dei documenti dell'utente. Le stampe dei dati sono quattro: i "
             "dati di tutte le ipotesi della finestra Dati, la sola classifica della finestra Risultati, "
             "i soli dati del frontespizio e la relazione completa. Si ottengono con il pulsante Stampa o "
             "con l'icona della stampante della barra degli strumenti di ciascuna finestra, tranne i dati "
             "del frontespizio, che si scelgono dalla voce Stampa del menu File della finestra "
             "Frontespizio; il modello in bianco per la raccolta dei dati si sceglie invece dal menu File "
             "della finestra Dati. Le stampe dei dati delle ipotesi, della classifica e della relazione "
             "controllano prima i dati; la relazione rifà anche la classifica. Ogni stampa si apre in una "
             "finestra documento di Pondra, dove si può leggere e ritoccare; da lì si stampa con il "
             "pulsante Stampa, si salva come PDF, DOCX o HTML con Salva come..., oppure si apre nel "
             "programma di videoscrittura con Apri con..., per modificarla ancora, conservarla o spedirla "
             "per posta elettronica.")},
        {QStringLiteral("guidacaratteristiche"), QStringLiteral("FINESTRA 'DATI'"),
         QStringLiteral(
             "Nella finestra Dati si descrive un'ipotesi alla volta. Per prima cosa si scrive il nome "
             "dell'ipotesi nella casella in alto; poi si procede una caratteristica alla volta: si spunta "
             "la sua casella, se ne scrive o se ne corregge il nome, si clicca sul giudizio prescelto "
             "nella scala a destra (il giudizio, il suo numero di graduatoria e il coefficiente vengono "
             "scritti dal programma) e infine se ne scrive il peso in percento nella sua casella (Invio "
             "o Tab lo confermano) o lo si regola con le frecce accanto. In fondo alla finestra i risultati "
             "di controllo si aggiornano a ogni "
             "giudizio e a ogni peso. Per cambiare un giudizio si clicca sul numero della riga e poi sul "
             "nuovo giudizio; togliendo la spunta si cancella la riga intera. Ogni modifica si annulla con "
             "Modifica, Annulla (Ctrl+Z) e si ripete con Ripeti (Ctrl+Y). Con la barra di scorrimento "
             "in alto, o con i tasti PagSu e PagGiù, si passa da un'ipotesi all'altra; con quella "
             "verticale si vedono le righe oltre le prime dieci. Il programma guida la procedura con le "
             "indicazioni scritte a piè di finestra e con il pulsante AIUTO, e il pulsante ABC della "
             "barra degli strumenti controlla i dati, indicando il primo errore trovato.")},
        {QStringLiteral("guidagraduatoria"), QStringLiteral("FINESTRA 'GRADUATORIA'"),
         QStringLiteral(
             "La finestra Risultati mostra, in sola lettura, la graduatoria di tutte le ipotesi, dalla "
             "migliore alla peggiore: per ciascuna la posizione, il nome, la valutazione in percento "
             "rispetto alla soluzione ottimale e il giudizio complessivo. Le ipotesi con la stessa "
             "valutazione hanno la stessa posizione, con «(a pari merito)» accanto al nome, e la "
             "successiva conta anche loro (1, 1, 3). La casella della valutazione è "
             "verde (ipotesi positiva) da 51 % in su e rossa (ipotesi negativa) da 1 a 49,9 %; resta "
             "gialla, né positiva né negativa, da 50 a 50,9 % e sotto l'1 %. Le ipotesi oltre le prime "
             "quindici si vedono con la barra di scorrimento verticale. I pulsanti portano alla finestra "
             "Frontespizio, stampano la graduatoria, danno indicazioni o aprono la guida; Solidità mostra "
             "quanti giudizi cambiati di un grado basterebbero a ogni ipotesi per raggiungere la prima, "
             "con il grafico delle valutazioni, e la casella sotto la tabella decide se la relazione li "
             "comprende. I dati non si "
             "cambiano qui: si modificano, si salvano e si stampano per intero dalla finestra Dati o "
             "dalla finestra Frontespizio, e la graduatoria viene ricalcolata ogni volta che la si "
             "richiama. Un clic sullo sfondo della finestra apre questa pagina della guida.")},
        {QStringLiteral("guidafrontespizio"), QStringLiteral("FINESTRA 'FRONTESPIZIO'"),
         QStringLiteral(
             "La finestra Frontespizio raccoglie i dati che compaiono in testa alla relazione di stima. "
             "La perizia dà il nome allo studio e al file proposto per salvarlo; la località e la "
             "tipologia di studio dicono dove e di che genere è la "
             "valutazione; il committente indica per chi è stata fatta; il luogo e la data "
             "dell'elaborazione collocano il giudizio nel tempo, perché le ipotesi valgono per le "
             "condizioni di quel momento; gli allegati elencano grafici, disegni, planimetrie o foto che "
             "accompagnano la relazione. La data è già scritta con quella di oggi, ma si può cambiare. Il "
             "nome e l'indirizzo dello studio tecnico sono fissati dall'installazione del programma e non "
             "si modificano qui. Il pulsante ABC della barra degli strumenti controlla che ogni campo sia "
             "compilato. Compilati i campi, si salvano i dati e si stampa la relazione completa con il "
             "pulsante Stampa: la relazione si apre in una finestra documento di Pondra, da cui si stampa "
             "o si salva.")},
        {QStringLiteral("guidaconfronto"), QStringLiteral("PESI A CONFRONTO"),
         QStringLiteral(
             "La finestra Pesi a confronto, che si apre dalla finestra Dati con il pulsante Pesi a "
             "confronto o dal menu Modifica, ricava i pesi delle caratteristiche dell'ipotesi "
             "visualizzata confrontandole a due a due: servono da 2 a 15 caratteristiche con il nome. "
             "Per ogni coppia la finestra chiede quanto la prima è più importante della seconda e la "
             "risposta si sceglie sulla scala, con il mouse o con le frecce, da \"estremamente più "
             "importante\" la prima, passando per \"ugualmente importanti\", fino a \"estremamente più "
             "importante\" la seconda; Avanti e Indietro passano da una coppia all'altra. Chi preferisce "
             "può scrivere i giudizi nella matrice, sopra la diagonale, come numeri da 1/9 a 9: 3 dice che "
             "la caratteristica della riga è moderatamente più importante di quella della colonna, 1/3 il "
             "contrario; sotto la diagonale compaiono da sé i reciproci. A ogni giudizio la finestra "
             "aggiorna i pesi in percento, con un decimale e interi, l'autovalore massimo (λmax), "
             "l'indice di coerenza (CI) e il rapporto di coerenza (CR): sotto 0,100 i giudizi sono "
             "coerenti, altrimenti la finestra indica la coppia da rivedere per prima. Applica scrive i "
             "pesi interi, che sommano a 100, nelle righe dell'ipotesi e ne conserva i giudizi per la "
             "volta successiva; con la casella \"anche alle altre ipotesi\" li scrive anche in ogni "
             "altra ipotesi che ha caratteristiche con gli stessi nomi, ciascuna nelle proprie righe. "
             "Annulla della finestra Dati toglie in un solo passo tutto ciò che Applica ha scritto. Il "
             "comando Copia caratteristiche e pesi nelle altre ipotesi del menu Modifica, infine, dà a "
             "tutte le altre ipotesi i nomi e i pesi dell'ipotesi visualizzata, riga per riga, "
             "conservando i giudizi delle caratteristiche con lo stesso nome.")},
    };
}

QString paragraphEnds(int count)
{
    return QString(count, u'\r');
}

void heading(DocumentBuilder& b, const IdentityTexts& identity)
{
    b.setFontName(QString::fromLatin1(DocumentFont));
    b.setFontSize(NameSize);
    b.typeText(identity.ProgramName + paragraphEnds(1));
    b.setFontSize(HeadingSize);
    b.typeText(identity.ProgramDescription + paragraphEnds(3));
}

QString titleLine(const QString& title)
{
    return QStringLiteral("Guida: ") + title + paragraphEnds(2);
}

} // namespace

const QList<HelpPageText>& helpPages()
{
    static const QList<HelpPageText> pages = makePages();
    return pages;
}

const HelpPageText& helpPage(int topic)
{
    const QList<HelpPageText>& pages = helpPages();
    return topic >= 1 && topic <= pages.size() ? pages.at(topic - 1) : pages.first();
}

void printHelpPage(DocumentBuilder& b, const IdentityTexts& identity, const QString& title,
                   const QString& text)
{
    heading(b, identity);
    b.typeText(titleLine(title));
    b.setFontSize(BodySize);
    b.typeText(text + paragraphEnds(1));
    b.justifyAll();
}

void printHelpContents(DocumentBuilder& b, const IdentityTexts& identity)
{
    heading(b, identity);
    const QList<HelpPageText>& pages = helpPages();
    for (qsizetype i = 0; i < pages.size(); ++i) {
        b.typeText(titleLine(pages.at(i).title));
        // Only the first title keeps the heading's size; the rest of the guide is body text.
        if (i == 0) {
            b.setFontSize(BodySize);
        }
        const bool last = i == pages.size() - 1;
        b.typeText(pages.at(i).text + paragraphEnds(1) + (last ? QString() : QStringLiteral("\f")));
    }
    b.justifyAll();
}

} // namespace pondra
