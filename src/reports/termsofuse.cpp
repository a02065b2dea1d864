#include "termsofuse.h"

#include "pagesetup.h"

#include <QStringList>

namespace pondra {

QString termsOfUseText(bool withStartupMusic)
{
    QStringList paragraphs{
        QStringLiteral(
            "CONTRATTO DI LICENZA D'USO PER L'UTENTE FINALE. Leggete con attenzione le condizioni che "
            "seguono: installando o utilizzando il programma accettate di esserne vincolati. Se non le "
            "accettate, restituite il programma al rivenditore entro quindici giorni dall'acquisto e "
            "vi sarà rimborsato il prezzo pagato."),
        QStringLiteral(
            "1. CONCESSIONE. Software Borealis concede all'acquirente una licenza d'uso personale, non "
            "esclusiva e non trasferibile, del programma su un solo posto di lavoro, cioè su un solo "
            "elaboratore alla volta. L'uso contemporaneo su più elaboratori o in rete richiede una "
            "licenza per ciascun posto di lavoro."),
        QStringLiteral(
            "2. PROPRIETÀ. Il programma, la guida, le stampe modello e ogni altra parte della "
            "confezione restano di proprietà esclusiva di Software Borealis e sono protetti dalle leggi "
            "italiane sul diritto d'autore e dai trattati internazionali. Con la licenza si acquista il "
            "diritto di usare il programma, non il programma stesso."),
        QStringLiteral(
            "3. DIVIETI. Non è consentito copiare il programma, salvo una sola copia di riserva per "
            "uso personale; distribuirlo, cederlo, noleggiarlo o prestarlo a terzi; decompilarlo, "
            "disassemblarlo o sottoporlo a ingegneria inversa, salvo nei limiti in cui la legge lo "
            "consente; modificarlo o trarne opere derivate."),
        QStringLiteral(
            "4. GARANZIA. Software Borealis garantisce per novanta giorni dall'acquisto che il supporto "
            "è privo di difetti e che il programma funziona nella sostanza come descritto nella guida. "
            "I risultati del programma sono un aiuto al giudizio del professionista e non lo "
            "sostituiscono: la scelta delle caratteristiche, dei pesi e dei giudizi, il controllo dei "
            "risultati e la relazione di stima restano sotto la sola responsabilità del professionista "
            "che li firma. Non si garantisce che il programma sia adatto a uno scopo particolare né che "
            "funzioni senza interruzioni o errori."),
        QStringLiteral(
            "5. LIMITAZIONE DI RESPONSABILITÀ. In nessun caso Software Borealis risponderà di danni "
            "diretti o indiretti, perdita di dati, mancato guadagno o interruzione dell'attività derivanti "
            "dall'uso o dall'impossibilità di usare il programma, anche se avvertita della possibilità di "
            "tali danni. La responsabilità complessiva è comunque limitata al prezzo pagato per la "
            "licenza. Conservate sempre una copia di riserva dei vostri file di dati."),
        QStringLiteral(
            "6. ASSISTENZA. L'assistenza tecnica è prestata per posta elettronica, fax e telefono, "
            "nei modi indicati nella finestra dei servizi di supporto ai clienti, a chi ha registrato "
            "la propria licenza. Gli aggiornamenti correttivi della versione acquistata sono forniti "
            "alle stesse condizioni della presente licenza."),
        QStringLiteral(
            "7. DURATA. La licenza vale fino a quando non viene risolta. Essa cessa di diritto, senza "
            "preavviso, se l'utente viola una qualsiasi di queste condizioni; in tal caso l'utente dovrà "
            "distruggere il programma e ogni sua copia."),
        QStringLiteral("8. LEGGE E FORO. Il presente contratto è regolato dalla legge italiana. Per ogni "
                       "controversia è competente in via esclusiva il foro della sede di Software Borealis. "
                       "Se una clausola fosse dichiarata nulla, le altre "
                       "restano valide. Il presente contratto costituisce l'intero accordo tra le parti sul "
                       "programma e prevale su ogni intesa precedente."),
    };
    if (withStartupMusic) {
        constexpr int Prohibitions = 3;
        paragraphs[Prohibitions] +=
            QStringLiteral(" Il file audio che accompagna il programma è concesso solo per l'uso "
                           "all'interno del programma e non può essere estratto né diffuso "
                           "separatamente.");
    }
    return paragraphs.join(u'\n');
}

void printTermsOfUse(DocumentBuilder& b, const IdentityTexts& identity, const QString& text)
{
    b.setFontName(QString::fromLatin1(DocumentFont));
    b.setFontSize(20);
    b.typeText(identity.ProgramName + u'\r');
    b.setFontSize(16);
    b.typeText(identity.ProgramDescription + QStringLiteral("\r\r\r"));
    b.setFontSize(12);
    b.typeText(text + u'\r');
    b.justifyAll();
}

} // namespace pondra
