#include "prodotti.h"

#include "documentwindow.h"

#include "model/textrules.h"
#include "reports/pricelistprintout.h"
#include "reports/textdocumentbuilder.h"
#include "settings/installation.h"
#include "settings/programfiles.h"
#include "settings/settings.h"
#include "ui/core/accessibletable.h"
#include "ui/core/modulopondra.h"
#include "ui/core/plaintext.h"
#include "ui/layout/clsresize.h"
#include "ui/layout/twips.h"
#include "ui/main/colours.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QUrl>

#include <algorithm>

namespace pondra {

namespace {

const QColor Cyan(0, 255, 255);
const QColor Yellow(255, 255, 0);
const QColor Navy(0, 0, 128);

// Bands from the top, in twips: title, headings, ten rows one every 285, notes, then the two
// link buttons stacked on the left and the commands beside them.
constexpr int TitleTop = 90;
constexpr int TitleHeight = 360;
constexpr int HeadingTop = 510;
constexpr int HeadingHeight = 570;
constexpr int FirstRowTop = 1125;
constexpr int RowStep = 285;
constexpr int CellHeight = 270;
constexpr int RowsHeight = (prodotti::Rows - 1) * RowStep + CellHeight;
constexpr int NotesTop = FirstRowTop + RowsHeight + 60;
constexpr int NoteHeight = 240;
constexpr int TermsTop = NotesTop + 2 * NoteHeight + 30;
constexpr int TermsHeight = 840;
constexpr int LinksTop = TermsTop + TermsHeight + 60;
constexpr int LinkHeight = 360;
constexpr int LinkGap = 60;
constexpr int LinkWidth = 4800;
constexpr int CommandHeight = 420;
constexpr int CommandWidth = 1380;

struct Column {
    int left;
    int width;
};
constexpr Column BarColumn{120, 255};
constexpr Column NumberColumn{420, 510};
constexpr Column NameColumn{960, 2130};
constexpr Column SubjectColumn{3120, 3750};
constexpr Column NetColumn{6900, 1215};
constexpr Column OfferColumn{8145, 1215};
constexpr int TableLeft = BarColumn.left;
constexpr int TableRight = OfferColumn.left + OfferColumn.width;
constexpr int TableWidth = TableRight - TableLeft;
constexpr int TitleWidth = 7200;

QLabel* cell(QWidget* parent, const Column& column, int top, Qt::Alignment alignment)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setIndent(alignment & Qt::AlignHCenter ? 0 : 4);
    setColours(label, Cyan, Qt::black);
    placeTwips(label, column.left, top, column.width, CellHeight);
    return label;
}

QLabel* heading(QWidget* parent, const QString& text, const Column& column)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    setColours(label, Yellow, Qt::black);
    placeTwips(label, column.left, HeadingTop, column.width, HeadingHeight);
    return label;
}

QLabel* note(QWidget* parent, const QString& text, int top, int height, Qt::Alignment alignment)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment);
    label->setWordWrap(true);
    placeTwips(label, TableLeft, top, TableWidth, height);
    return label;
}

// The names in a hand-written face where there is one, otherwise in a rounded or plain sans.
QFont nameFont(const QFont& base)
{
    QFont font = base;
    font.setFamilies({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"),
                      QStringLiteral("Comic Relief"), QStringLiteral("DejaVu Sans"),
                      QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace

prodotti::prodotti(ModuloPondra& module) : m_module(module)
{
    buildControls();
    Form_Load();
}

prodotti::~prodotti() = default;

void prodotti::buildControls()
{
    setWindowTitle(QStringLiteral("prodotti software BOREALIS"));
    const MakerData maker = makerData(m_module.environment().settings());

    Label1 = new QLabel(QStringLiteral("VERSIONI PROFESSIONALI PER WINDOWS - LISTINO"), this);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont titleFont = Label1->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
    Label1->setFont(titleFont);
    Label1->setStyleSheet(QStringLiteral("color: #000080"));
    placeTwips(Label1, TableLeft, TitleTop, TitleWidth, TitleHeight);

    Label10 = new QLabel(this);
    Label10->setTextFormat(Qt::PlainText);
    Label10->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Label10->setIndent(8);
    Label10->setFont(titleFont);
    Label10->setStyleSheet(QStringLiteral("color: #c00000"));
    placeTwips(Label10, TableLeft + TitleWidth, TitleTop, TableWidth - TitleWidth, TitleHeight);

    // The headings and the cells are read as a table; its holder lies over the window from its
    // corner, so they stand where they would on the window itself.
    table = new LabelTable(this, QStringLiteral("listino dei prodotti"));
    placeTwips(table, 0, 0, DesignWidth, DesignHeight);
    Label2 = heading(table, QStringLiteral("num."), NumberColumn);
    Label3 = heading(table, QStringLiteral("nome programma"), NameColumn);
    Label4 = heading(table, QStringLiteral("argomento trattato "), SubjectColumn);
    Label5 = heading(table, QStringLiteral("costo netto in euro"), NetColumn);
    Label5->setToolTip(
        QStringLiteral("al costo netto bisogna aggiungere l'IVA e le eventuali spese di trasporto"));
    Label6 = heading(table, QStringLiteral("via internet a euro"), OfferColumn);
    Label6->setToolTip(QStringLiteral("per chi acquista via internet"));
    table->setHeadings({Label2, Label3, Label4, Label5, Label6});
    // The rows past the list show only their numbers: they are not read.
    table->setKeyColumn(1);

    for (int i = 1; i <= Rows; ++i) {
        const int top = FirstRowTop + (i - 1) * RowStep;
        num[i] = cell(table, NumberColumn, top, Qt::AlignHCenter);
        nom[i] = cell(table, NameColumn, top, Qt::AlignLeft);
        nom[i]->setFont(nameFont(nom[i]->font()));
        argom[i] = cell(table, SubjectColumn, top, Qt::AlignLeft);
        eur[i] = cell(table, NetColumn, top, Qt::AlignRight);
        off[i] = cell(table, OfferColumn, top, Qt::AlignRight);
        table->addRow({num[i], nom[i], argom[i], eur[i], off[i]});
    }

    VScroll1 = new QScrollBar(Qt::Vertical, this);
    VScroll1->setRange(1, 1);
    VScroll1->setSingleStep(1);
    VScroll1->setPageStep(Rows);
    VScroll1->setAccessibleName(QStringLiteral("barra dei prodotti"));
    placeTwips(VScroll1, BarColumn.left, FirstRowTop, BarColumn.width, RowsHeight);

    // Over the empty rows, so the reason is read where the programs would be.
    Avviso = new QLabel(this);
    Avviso->setTextFormat(Qt::PlainText);
    Avviso->setWordWrap(true);
    Avviso->setAlignment(Qt::AlignCenter);
    Avviso->setFrameStyle(QFrame::Box);
    setColours(Avviso, Qt::white, colours::Warning);
    placeTwips(Avviso, NameColumn.left, FirstRowTop + RowStep, TableRight - NameColumn.left, 3 * RowStep);
    Avviso->hide();

    Label11 = note(this, QStringLiteral("(per offerte e opportunità vedi il catalogo sul sito)"), NotesTop,
                   NoteHeight, Qt::AlignCenter);
    Label11->setToolTip(QStringLiteral("esistono versioni ridotte dal costo minore"));
    QFont bold = Label11->font();
    bold.setBold(true);
    Label11->setFont(bold);
    Label8 = note(this,
                  QStringLiteral("per ogni copia successiva alla prima dello stesso programma è previsto uno "
                                 "sconto del 30 %"),
                  NotesTop + NoteHeight, NoteHeight, Qt::AlignCenter);
    Label8->setToolTip(QStringLiteral(
        "lo sconto vale anche per gli acquisti multipli di programmi diversi nello stesso ordine"));
    Label7 =
        note(this,
             QStringLiteral("I programmi contrassegnati con * sono in preparazione. I prezzi non comprendono "
                            "l'IVA e le spese di spedizione. La spedizione avviene per corriere o per posta "
                            "ordinaria, con pagamento anticipato mediante bonifico bancario oppure in "
                            "contrassegno. I prezzi si riferiscono alle versioni installate sul computer "
                            "dell'acquirente e comprendono un anno di aggiornamenti gratuiti."),
             TermsTop, TermsHeight, Qt::AlignLeft | Qt::AlignTop);
    QFont small = Label7->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    Label7->setFont(small);

    auto button = [&](const QString& text, const QString& tooltip, int left, int top, int width, int height) {
        auto* b = new QPushButton(text, this);
        b->setToolTip(tooltip);
        placeTwips(b, left, top, width, height);
        return b;
    };
    Command1 = button(QStringLiteral("Sito: ") + maker.WebSite, QStringLiteral("clicca per accedere al sito"),
                      TableLeft, LinksTop, LinkWidth, LinkHeight);
    Command2 = button(QStringLiteral("Email: ") + maker.Email, QStringLiteral("clicca per inviare un'email"),
                      TableLeft, LinksTop + LinkHeight + LinkGap, LinkWidth, LinkHeight);
    const int commandTop = LinksTop + (2 * LinkHeight + LinkGap - CommandHeight) / 2;
    const int commandGap = (TableRight - TableLeft - LinkWidth - 3 * CommandWidth) / 3;
    cmdstampa =
        button(QStringLiteral("S&tampa"), QStringLiteral("cliccare per stampare il listino"),
               TableRight - 3 * CommandWidth - 2 * commandGap, commandTop, CommandWidth, CommandHeight);
    cmdSommario = button(QStringLiteral("&Sommario"),
                         QStringLiteral("cliccare per visualizzare il sommario della guida"),
                         TableRight - 2 * CommandWidth - commandGap, commandTop, CommandWidth, CommandHeight);
    cmdchiudi =
        button(QStringLiteral("&Chiudi"), QStringLiteral("cliccare per chiudere la finestra sui prodotti"),
               TableRight - CommandWidth, commandTop, CommandWidth, CommandHeight);

    connect(VScroll1, &QScrollBar::valueChanged, this, &prodotti::VScroll1_Change);
    connect(Command1, &QPushButton::clicked, this, &prodotti::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &prodotti::Command2_Click);
    connect(cmdchiudi, &QPushButton::clicked, this, &prodotti::cmdchiudi_Click);
    connect(cmdstampa, &QPushButton::clicked, this, &prodotti::cmdstampa_Click);
    connect(cmdSommario, &QPushButton::clicked, this, &prodotti::cmdSommario_Click);
}

void prodotti::Form_Load()
{
    m_resize = std::make_unique<clsResize>();
    LoadProportionalLayout(*m_resize, this, DesignWidth, DesignHeight);

    loadFrom(programFile(QStringLiteral("listino.txt")));
}

void prodotti::loadFrom(const QString& path)
{
    m_list = PriceList();
    m_loadError.clear();
    if (!loadPriceList(path, m_list, &m_loadError)) {
        m_list = PriceList();
    }
    const bool read = m_loadError.isEmpty();
    Label10->setText(read ? m_list.heading : QStringLiteral("non disponibile"));
    Avviso->setText(m_loadError);
    Avviso->setVisible(!read);

    // Fewer than ten entries would put the end of the range below its start: the bar then stays
    // at 1 and the rows past the list show only their numbers.
    const int n = int(m_list.entries.size());
    const QSignalBlocker quiet(VScroll1);
    VScroll1->setRange(1, std::max(1, n - Rows + 1));
    VScroll1->setValue(1);
    VScroll1->setEnabled(n > Rows);
    VScroll1_Change();
}

void prodotti::VScroll1_Change()
{
    ListTop = VScroll1->value();
    const int n = int(m_list.entries.size());
    for (int i = 1; i <= Rows; ++i) {
        const int k = ListTop + i - 1;
        num[i]->setText(QString::number(k));
        if (k >= 1 && k <= n) {
            const PriceEntry& e = m_list.entries[std::size_t(k - 1)];
            nom[i]->setText(e.name);
            argom[i]->setText(e.subject);
            // A long text is cut by its cell; the tooltip holds it whole.
            nom[i]->setToolTip(plainToolTip(e.name));
            argom[i]->setToolTip(plainToolTip(e.subject));
            eur[i]->setText(generalNumberText(e.netPrice));
            off[i]->setText(generalNumberText(e.internetPrice));
        } else {
            nom[i]->clear();
            argom[i]->clear();
            nom[i]->setToolTip({});
            argom[i]->setToolTip({});
            eur[i]->clear();
            off[i]->clear();
        }
    }
    table->rowsRefilled();
}

void prodotti::Link(const QString& address)
{
    m_module.environment().openUrl(QUrl(address));
}

void prodotti::Command1_Click()
{
    const MakerData maker = makerData(m_module.environment().settings());
    Link(maker.CatalogueUrl.isEmpty() ? QStringLiteral("https://") + maker.WebSite : maker.CatalogueUrl);
}

void prodotti::Command2_Click()
{
    // No blank after the colon: mail programs would take it as part of the address.
    Link(QStringLiteral("mailto:") + makerData(m_module.environment().settings()).Email);
}

void prodotti::cmdchiudi_Click()
{
    hide();
}

void prodotti::cmdstampa_Click()
{
    TextDocumentBuilder builder;
    printPriceList(builder, m_list, makerData(m_module.environment().settings()).PurchaseUrl);
    showDocument(m_module, builder.takeDocument(), QStringLiteral("prodotti software BOREALIS: listino"));
}

void prodotti::cmdSommario_Click()
{
    if (showContents) {
        showContents();
    }
}

void prodotti::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_resize) {
        m_resize->ResizeControls();
    }
}

} // namespace pondra
