#include "frontespizio.h"

#include "colours.h"

#include "clickablelabel.h"
#include "model/textlimits.h"
#include "settings/installation.h"
#include "settings/settings.h"
#include "ui/core/modulopondra.h"
#include "ui/layout/line.h"
#include "ui/layout/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>

namespace pondra {

namespace {

// The seven fields and the owner rows below them, in twips.
constexpr int CaptionLeft = 120;
constexpr int CaptionWidth = 2700;
constexpr int FieldLeft = 2880;
constexpr int FieldWidth = 5415;
constexpr int FieldHeight = 285;
constexpr int FirstFieldTop = 1680;
constexpr int FieldStep = 345;
constexpr int OwnerTop = FirstFieldTop + TitlePage::FieldCount * FieldStep + 120;

// The boxes' names, in file order.
constexpr std::array<const char16_t*, TitlePage::FieldCount> fieldNames{
    u"progetto", u"localita", u"tipostudio", u"committente", u"luogo", u"data", u"allegati"};

struct FieldDesign {
    const char16_t* caption;
    const char16_t* tooltip;
};

// Caption and caption tooltip of each field, in file order.
constexpr std::array<FieldDesign, TitlePage::FieldCount> fieldDesigns{{
    {u" perizia.......................:", u"il tipo di progetto che si sta elaborando"},
    {u" località......................:", u"denominazione dei luoghi oggetto dello studio"},
    {u" tipologia di studio......:",
     u"ad esempio: 'analisi situazione attuale'; 'ipotesi situazione di progetto'; ecc."},
    {u" committente..............:", u"chi ha commissionato lo studio"},
    {u" luogo elaborazione...:", u"località in cui viene effettuata la elaborazione dei dati"},
    {u" data elaborazione.....:",
     u"la data della elaborazione è importante per la formulazione di ipotesi e per il riferimento "
     u"temporale delle analisi"},
    {u" allegati alla relazione:", u"grafici, disegni, planimetrie, foto, ecc."},
}};

// A caption as a screen reader should say it: without the dots that lead the eye to the field.
QString spokenCaption(const QString& caption)
{
    QString text = caption;
    text.remove(u'.').remove(u':');
    return text.trimmed();
}

QLabel* caption(QWidget* parent, const QString& text, const QString& tooltip, int top)
{
    auto* label = new QLabel(text, parent);
    label->setToolTip(tooltip);
    placeTwips(label, CaptionLeft, top, CaptionWidth, FieldHeight);
    return label;
}

// A value the user may read but not change: white, framed like the fields beside it.
ClickableLabel* ownerLabel(QWidget* parent, const QString& tooltip, int top)
{
    auto* label = new ClickableLabel(parent);
    label->setTextFormat(Qt::PlainText); // installation settings, as they stand
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setIndent(3);
    label->setToolTip(tooltip);
    setColours(label, Qt::white);
    placeTwips(label, FieldLeft, top, FieldWidth, FieldHeight);
    return label;
}

} // namespace

frontespizio::frontespizio(ModuloPondra& module) : MainWindow(module)
{
    buildControls();
    // Menus and toolbar come before the layout is recorded, so the controls keep their design size.
    m_module.decorate(*this);
    Form_Load();
}

frontespizio::~frontespizio() = default;

void frontespizio::buildControls()
{
    setWindowTitle(QStringLiteral("Pondra: frontespizio per la relazione"));
    auto* client = new QWidget(this);
    setCentralWidget(client);

    auto* banner = new QLabel(QStringLiteral("VALUTAZIONI  MEDIANTE CONFRONTO"), client);
    banner->setAlignment(Qt::AlignCenter);
    QFont bannerFont = banner->font();
    bannerFont.setPointSizeF(bannerFont.pointSizeF() * 1.6);
    bannerFont.setBold(true);
    banner->setFont(bannerFont);
    placeTwips(banner, 120, 420, 9360, 540);
    new Line(600, 1200, 9000, 1200, client);

    QLineEdit** targets[TitlePage::FieldCount] = {&progetto, &localita, &tipostudio, &committente,
                                                  &luogo,    &data,     &allegati};
    for (int i = 0; i < TitlePage::FieldCount; ++i) {
        const int top = FirstFieldTop + i * FieldStep;
        QLabel* label = caption(client, QString::fromUtf16(fieldDesigns[std::size_t(i)].caption),
                                QString::fromUtf16(fieldDesigns[std::size_t(i)].tooltip), top);
        auto* box = new QLineEdit(client);
        label->setBuddy(box);
        box->setAccessibleName(spokenCaption(label->text()));
        box->setAccessibleDescription(label->toolTip());
        box->setObjectName(QString::fromUtf16(fieldNames[std::size_t(i)]));
        box->setMaxLength(MaxTitleFieldLength);
        placeTwips(box, FieldLeft, top, FieldWidth, FieldHeight);
        // Only the user's typing is an edit; showing the title page is not.
        connect(box, &QLineEdit::textEdited, this, [this, i](const QString& text) { field_Change(i, text); });
        *targets[i] = box;
    }

    QLabel* studioCaption = caption(client, QStringLiteral(" studio tecnico...........:"),
                                    QStringLiteral("lo studio che ha effettuato la elaborazione"), OwnerTop);
    Labelstudio = ownerLabel(client,
                             QStringLiteral("dato non modificabile qui: lo studio tecnico si imposta "
                                            "nella finestra «Dati dello studio» (menu ?)"),
                             OwnerTop);
    labelindirizzo = ownerLabel(client,
                                QStringLiteral("dato non modificabile qui: l'indirizzo dello studio si "
                                               "imposta nella finestra «Dati dello studio» (menu ?)"),
                                OwnerTop + FieldStep);
    Labelstudio->setObjectName(QStringLiteral("Labelstudio"));
    labelindirizzo->setObjectName(QStringLiteral("labelindirizzo"));
    studioCaption->setBuddy(Labelstudio);
    connect(Labelstudio, &ClickableLabel::clicked, this, &frontespizio::Labelstudio_Click);
    connect(labelindirizzo, &ClickableLabel::clicked, this, &frontespizio::labelindirizzo_Click);

    const int frameTop = OwnerTop + FieldStep + FieldHeight + 150;
    auto* buttonFrame = new QGroupBox(client);
    placeTwips(buttonFrame, 120, frameTop, 9360, 570);
    const std::array<std::pair<QString, QString>, 5> buttons{{
        {QStringLiteral("&AIUTO"), QStringLiteral("cliccare per avere indicazioni sull'immissione dei dati")},
        {QStringLiteral("&Guida in linea"),
         QStringLiteral("cliccare per visualizzare il sommario della guida")},
        {QStringLiteral("&Dati"), QStringLiteral("cliccare per visualizzare la finestra Dati")},
        {QStringLiteral("&Stampa"), QStringLiteral("cliccare per avere la stampa della relazione")},
        {QStringLiteral("&USCITA"), QStringLiteral("cliccare per uscire da Pondra")},
    }};
    QPushButton** buttonTargets[] = {&aiuto, &cmdGuida, &cmddati, &stampa, &cmdesci};
    const char* buttonNames[] = {"aiuto", "cmdGuida", "cmddati", "stampa", "cmdesci"};
    for (std::size_t b = 0; b < buttons.size(); ++b) {
        auto* button = new QPushButton(buttons[b].first, buttonFrame);
        button->setObjectName(QString::fromLatin1(buttonNames[b]));
        button->setToolTip(buttons[b].second);
        placeTwips(button, 195 + int(b) * 1800, 90, 1770, 390);
        *buttonTargets[b] = button;
    }
    connect(aiuto, &QPushButton::clicked, this, &frontespizio::aiuto_Click);
    connect(cmddati, &QPushButton::clicked, this, &frontespizio::dataWindowRequested);
    connect(stampa, &QPushButton::clicked, this, &frontespizio::printRequested);
    connect(cmdGuida, &QPushButton::clicked, this, &frontespizio::helpContentsRequested);
    connect(cmdesci, &QPushButton::clicked, this, &frontespizio::exitRequested);

    passo = new QLabel(client);
    passo->setObjectName(QStringLiteral("passo"));
    passo->setTextFormat(Qt::PlainText); // may name a file
    passo->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    passo->setIndent(4);
    placeTwips(passo, 120, frameTop + 570 + 60, 9360, 285);

    // Tab goes down the fields, then along the buttons, as they stand on the screen.
    QWidget* order[] = {progetto,    localita,       tipostudio, committente, luogo,   data,   allegati,
                        Labelstudio, labelindirizzo, aiuto,      cmdGuida,    cmddati, stampa, cmdesci};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void frontespizio::Form_Load()
{
    setUpProportionalLayout();

    ShowFields();
    connect(&m_module.document(), &StudyDocument::titlePageChanged, this, &frontespizio::ShowFields);
    ShowOwner();
}

void frontespizio::ShowOwner()
{
    const OwnerData owner = ownerData(m_module.environment().settings());
    Labelstudio->setText(owner.OwnerStudioName);
    labelindirizzo->setText(owner.OwnerAddress);
    Labelstudio->setAccessibleName(QStringLiteral("studio tecnico: ") + owner.OwnerStudioName);
    labelindirizzo->setAccessibleName(QStringLiteral("indirizzo dello studio tecnico: ") +
                                      owner.OwnerAddress);
    showStep(owner.isSet() ? QString() : ownerUnsetStep());
}

QString frontespizio::ownerUnsetStep()
{
    return QStringLiteral(
        "studio tecnico non impostato: impostarlo nella finestra «Dati dello studio» (menu ?)");
}

std::array<QLineEdit*, TitlePage::FieldCount> frontespizio::boxes() const
{
    return {progetto, localita, tipostudio, committente, luogo, data, allegati};
}

void frontespizio::ShowFields()
{
    const TitlePage& page = m_module.titlePage();
    const auto fields = boxes();
    for (int i = 0; i < TitlePage::FieldCount; ++i) {
        QLineEdit* box = fields[std::size_t(i)];
        // Left alone when it already reads so, to keep the cursor where the user is typing.
        if (box->text() != page.field(i)) {
            box->setText(page.field(i));
        }
    }
}

void frontespizio::field_Change(int i, const QString& text)
{
    m_module.document().setTitleField(i, text);
}

void frontespizio::controllodat_Click()
{
    m_module.showMessage(this, CheckTitlePage(m_module.titlePage()), m_module.identity().CheckTitle);
}

void frontespizio::cancella_Click()
{
    m_module.document().clearTitlePage();
}

void frontespizio::aiuto_Click()
{
    m_module.showMessage(
        this,
        {QStringLiteral(
             "- Digitare o correggere i dati spostandosi con il tasto TAB, o con il mouse, nei campi;\r"
             "- la data viene impostata in automatico, ma è modificabile;\r"
             "- lo studio tecnico e il suo indirizzo si impostano nella finestra «Dati dello studio» "
             "(menu ?);\r"
             "- aprire un file archiviato per prelevare, eventualmente, i dati registrati "
             "(Pondra-dati-...);\r"
             "- non digitare dati più lunghi di 60 spazi;\r"
             "- effettuare il controllo dei dati immessi cliccando sul tasto ABC."),
         MessageIcon::Information},
        m_module.identity().HelpTitle);
}

void frontespizio::showNotEditable()
{
    // The studio is the user's own: the message says where it is set, not whom to ask.
    m_module.showMessage(
        this,
        {QStringLiteral("Attenzione: dato non modificabile in questa finestra; lo studio "
                        "tecnico si imposta nella finestra «Dati dello studio», dal menu ?."),
         MessageIcon::Critical},
        m_module.identity().CheckTitle);
}

void frontespizio::Labelstudio_Click()
{
    showNotEditable();
}

void frontespizio::labelindirizzo_Click()
{
    showNotEditable();
}

} // namespace pondra
