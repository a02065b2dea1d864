#include "vocabulary.h"

namespace pondra {

const QStringList& CharacteristicVocabulary()
{
    static const QStringList words = [] {
        static const char16_t* const list[] = {
            u"accelerazione",
            u"accettabilità",
            u"adattabilità",
            u"altezza",
            u"ambiente",
            u"ampiezza",
            u"aroma",
            u"assistenza",
            u"brillantezza",
            u"capacità",
            u"chiarezza",
            u"clima",
            u"collegamento",
            u"comodità",
            u"consumo",
            u"costo",
            u"cultura",
            u"cura",
            u"diligenza",
            u"dirigenza",
            u"durezza",
            u"efficacia",
            u"entusiasmo",
            u"estetica",
            u"età",
            u"fermezza",
            u"fisico",
            u"flessibilità",
            u"forza",
            u"funzionalità",
            u"gestione",
            u"grafica",
            u"guadagno",
            u"gusto",
            u"igiene",
            u"ingombro",
            u"innovazione",
            u"interno",
            u"inventiva",
            u"lavorabilità",
            u"memoria",
            u"obsolescenza",
            u"ordine",
            u"pagamento",
            u"particolari",
            u"peso",
            u"potenza",
            u"precisione",
            u"preparazione",
            u"produttività",
            u"profumo",
            u"progettualità",
            u"psicologico",
            u"qualità",
            u"quantità",
            u"resistenza",
            u"rigidezza",
            u"risparmio",
            u"rispetto",
            u"scatto",
            u"semplicità",
            u"serietà",
            u"servitù",
            u"sicurezza",
            u"silenziosità",
            u"simpatia",
            u"stampa",
            u"successo",
            u"tecnologia",
            u"trasportabilità",
            u"uso",
            u"utilità",
            u"valore affettivo",
            u"valore storico",
            u"varietà",
            u"velocità",
            u"vicinanza",
            u"vincoli",
            u"volontà",
        };
        QStringList out;
        for (const char16_t* w : list) {
            out << QString::fromUtf16(w);
        }
        return out;
    }();
    return words;
}

} // namespace pondra
