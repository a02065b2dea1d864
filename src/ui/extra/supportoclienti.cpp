#include "supportoclienti.h"

#include "dialogparts.h"

#include "extrafonts.h"
#include "settings/installation.h"
#include "settings/settings.h"
#include "ui/core/modulopondra.h"

#include <QLabel>
#include <QPushButton>

namespace pondra {

namespace {

constexpr int DesignWidth = 600;
constexpr int DesignHeight = 372;

QLabel* makeLabel(QWidget* parent, const QRect& geometry, const QFont& font, const QString& text,
                  Qt::Alignment alignment = Qt::AlignCenter)
{
    return plainLabel(parent, geometry, font, text, alignment);
}

QLabel* makeParagraph(QWidget* parent, const QRect& geometry, const QString& text)
{
    QLabel* label = makeLabel(parent, geometry, textFont(13), text, Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

} // namespace

supportoclienti::supportoclienti(ModuloPondra& module) : MakerWindow(DesignWidth, DesignHeight)
{
    setWindowTitle(QStringLiteral("Servizi di supporto ai clienti"));
    const MakerData maker = makerData(module.environment().settings());
    const int inner = innerWidth();

    m_brand = makeLabel(this, {Margin, 10, inner, 38}, brandFont(28), maker.Brand);
    m_address = makeLabel(this, {Margin, 50, inner, 20}, textFont(13), maker.Address);
    m_contacts = makeLabel(this, {Margin, 72, inner, 20}, textFont(13),
                           QStringLiteral("tel. ") + maker.Telephone + QStringLiteral(" - fax ") + maker.Fax +
                               QStringLiteral(" - e-mail: ") + maker.Email);
    m_webSite =
        makeLabel(this, {Margin, 94, inner, 20}, textFont(13),
                  QStringLiteral("sito internet: ") + maker.WebSite + QStringLiteral(" - ") + maker.Email);
    addRule(122);
    m_howToAsk =
        makeParagraph(this, {Margin, 134, inner, 82},
                      QStringLiteral("Per ricevere assistenza inviate un fax o un messaggio di posta "
                                     "elettronica che descriva il problema con chiarezza, indicando la "
                                     "versione del programma e le operazioni che lo hanno causato. Usate "
                                     "la linea telefonica solo per le domande che richiedono una risposta "
                                     "a voce, nei giorni feriali ") +
                          maker.OfficeHours + u'.');
    m_adaptations =
        makeParagraph(this, {Margin, 222, inner, 48},
                      QStringLiteral("Su richiesta realizziamo adattamenti del programma alle esigenze "
                                     "particolari del vostro studio. Saremo lieti di ricevere i vostri "
                                     "suggerimenti per le prossime versioni."));
    addRule(278);
    m_inBusinessSince = makeLabel(this, {Margin, 288, inner, 22}, textFont(13, false, true),
                                  QStringLiteral("Sviluppiamo programmi per i professionisti tecnici dal ") +
                                      maker.StartYear + u'.');

    m_okButton = addOkButton(DesignHeight - Margin - 30);
    connect(m_okButton, &QPushButton::clicked, this, &supportoclienti::Command1_Click);
}

void supportoclienti::Command1_Click()
{
    hide();
}

} // namespace pondra
