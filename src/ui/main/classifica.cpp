#include "classifica.h"

#include "clickablelabel.h"
#include "colours.h"

#include "model/ranking.h"
#include "model/standing.h"
#include "reports/standingcolours.h"
#include "settings/settings.h"
#include "ui/core/accessibletable.h"
#include "ui/core/modulopondra.h"
#include "ui/core/spoken.h"
#include "ui/layout/twips.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>

namespace pondra {

namespace {

using colours::Cyan;
using colours::Green;
using colours::Yellow;
// Bands from the top, in twips: the hint line, the banner, the headings, then the table with
// one row every 240 and a hairline of window between rows.
constexpr int HintTop = 150;
constexpr int BannerTop = 630;
constexpr int HeadingTop = 1110;
constexpr int HeadingHeight = 480;
constexpr int FirstRowTop = 1650;
constexpr int RowStep = 240;
constexpr int CellHeight = 225;
constexpr int RowsHeight = (classifica::Rows - 1) * RowStep + CellHeight;

struct Column {
    int left;
    int width;
};
constexpr Column BarColumn{120, 255};
constexpr Column NumberColumn{420, 540};
constexpr Column NameColumn{990, 4170};
constexpr Column EvaluationColumn{5190, 900};
constexpr Column JudgementColumn{6120, 1350};
constexpr int TableRight = JudgementColumn.left + JudgementColumn.width;

QLabel* cell(QWidget* parent, const QString& name, int row, const Column& column, int top,
             Qt::Alignment alignment)
{
    // Framed when it has the focus: the ranking is read a row at a time with Tab.
    auto* label = new FocusLabel(parent);
    label->setObjectName(name + u'_' + QString::number(row));
    // Names and judgements come from files: shown as they stand, never as markup.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setIndent(alignment & Qt::AlignLeft ? 4 : 0);
    setColours(label, Cyan, Qt::black);
    placeTwips(label, column.left, top, column.width, CellHeight);
    return label;
}

QLabel* heading(QWidget* parent, const QString& text, const Column& column)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    setColours(label, Yellow, Qt::black);
    placeTwips(label, column.left, HeadingTop, column.width, HeadingHeight);
    return label;
}

// The note of a tie stays in sight: a long name gives way to it.
QString nameWithNote(const QLabel* cell, const QString& name, const QString& note)
{
    if (note.isEmpty()) {
        return name;
    }
    const QFontMetrics metrics = cell->fontMetrics();
    const int room = cell->contentsRect().width() - 2 * cell->indent() - metrics.horizontalAdvance(note);
    return metrics.elidedText(name, Qt::ElideRight, std::max(room, 0)) + note;
}

} // namespace

classifica::classifica(ModuloPondra& module) : MainWindow(module)
{
    buildControls();
    m_module.decorate(*this);
    Form_Load();
}

classifica::~classifica() = default;

void classifica::buildControls()
{
    setWindowTitle(QStringLiteral("Pondra: risultati - graduatoria delle ipotesi a confronto"));
    auto* client = new QWidget(this);
    setCentralWidget(client);

    passo = new QLabel(client);
    passo->setObjectName(QStringLiteral("passo"));
    passo->setTextFormat(Qt::PlainText); // may name a file
    passo->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    passo->setIndent(4);
    setColours(passo, Qt::white, Qt::black);
    placeTwips(passo, 120, HintTop, 9360, 330);

    auto* banner = new QLabel(QStringLiteral("le ipotesi sono elencate in ordine di valutazione"), client);
    banner->setAlignment(Qt::AlignCenter);
    QFont bannerFont = banner->font();
    bannerFont.setBold(true);
    banner->setFont(bannerFont);
    setColours(banner, Green, Yellow);
    placeTwips(banner, BarColumn.left, BannerTop, TableRight - BarColumn.left, 390);

    // The headings and the cells are read as a table; its holder lies over the client area from
    // its corner, so they stand where they would on the client itself.
    table = new LabelTable(client, QStringLiteral("graduatoria delle ipotesi"));
    placeTwips(table, 0, 0, DesignWidth, DesignHeight);
    table->setHeadings({heading(table, QStringLiteral("num."), NumberColumn),
                        heading(table, QStringLiteral("denominazione dell'ipotesi"), NameColumn),
                        heading(table, QStringLiteral("valutaz. in %"), EvaluationColumn),
                        heading(table, QStringLiteral("giudizio complessivo"), JudgementColumn)});
    // A row past the last hypothesis shows no name: it is not read.
    table->setKeyColumn(1);

    QFont bold = font();
    bold.setBold(true);
    for (int i = 1; i <= Rows; ++i) {
        const int top = FirstRowTop + (i - 1) * RowStep;
        numero[i] = cell(table, QStringLiteral("numero"), i, NumberColumn, top, Qt::AlignHCenter);
        nameCell[i] = cell(table, QStringLiteral("nameCell"), i, NameColumn, top, Qt::AlignLeft);
        evaluationCell[i] =
            cell(table, QStringLiteral("evaluationCell"), i, EvaluationColumn, top, Qt::AlignHCenter);
        evaluationCell[i]->setFont(bold);
        judgementCell[i] =
            cell(table, QStringLiteral("judgementCell"), i, JudgementColumn, top, Qt::AlignLeft);
        table->addRow({numero[i], nameCell[i], evaluationCell[i], judgementCell[i]});
    }

    VScroll1 = new QScrollBar(Qt::Vertical, client);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    VScroll1->setRange(1, MaxHypotheses - Rows + 1);
    VScroll1->setSingleStep(1);
    VScroll1->setPageStep(5);
    VScroll1->setValue(1);
    VScroll1->setFocusPolicy(Qt::StrongFocus);
    VScroll1->setAccessibleName(QStringLiteral("barra della graduatoria"));
    placeTwips(VScroll1, BarColumn.left, FirstRowTop, BarColumn.width, RowsHeight);

    Frame2 = new QGroupBox(client);
    const int frameLeft = TableRight + 120;
    const int frameWidth = DesignWidth - 120 - frameLeft;
    placeTwips(Frame2, frameLeft, BannerTop, frameWidth, FirstRowTop + RowsHeight - BannerTop);
    auto button = [&](const QString& name, const QString& text, const QString& tooltip, int index) {
        auto* b = new QPushButton(text, Frame2);
        b->setObjectName(name);
        b->setToolTip(tooltip);
        // As wide as the frame allows: "Stampa classifica" is the longest caption.
        placeTwips(b, 60, 300 + index * 740, frameWidth - 120, 450);
        return b;
    };
    aiuto = button(QStringLiteral("aiuto"), QStringLiteral("&AIUTO"),
                   QStringLiteral("cliccare per avere indicazioni sull'immissione dei dati"), 0);
    cmdGuida = button(QStringLiteral("cmdGuida"), QStringLiteral("&Guida in linea"),
                      QStringLiteral("cliccare per visualizzare il sommario della guida"), 1);
    avanti = button(QStringLiteral("avanti"), QStringLiteral("F&rontespizio"),
                    QStringLiteral("cliccare per visualizzare la finestra Frontespizio"), 2);
    cmdstampa = button(QStringLiteral("cmdstampa"), QStringLiteral("&Stampa classifica"),
                       QStringLiteral("cliccare per stampare la graduatoria della finestra"), 3);
    cmdrelazione = button(
        QStringLiteral("cmdrelazione"), QStringLiteral("Stampa r&elazione"),
        QStringLiteral(
            "cliccare per stampare la relazione di stima con le sezioni spuntate sotto la graduatoria"),
        4);
    cmdesci = button(QStringLiteral("cmdesci"), QStringLiteral("&USCITA"),
                     QStringLiteral("cliccare per uscire da Pondra"), 5);

    // Under the table: the solidity of the ranking.
    constexpr int ExtrasTop = FirstRowTop + RowsHeight + 120;
    includiSolidita = new QCheckBox(QStringLiteral("&includi grafico e solidità nella relazione"), client);
    includiSolidita->setToolTip(
        QStringLiteral("cliccare per aggiungere alla relazione di stima il grafico delle "
                       "valutazioni e la solidità della graduatoria"));
    includiSolidita->setObjectName(QStringLiteral("includiSolidita"));
    includiSolidita->setChecked(m_module.environment().settings().reportIncludesRobustness());
    placeTwips(includiSolidita, NumberColumn.left, ExtrasTop, TableRight - NumberColumn.left, 330);
    connect(includiSolidita, &QCheckBox::toggled, this,
            [this](bool on) { m_module.environment().settings().setReportIncludesRobustness(on); });
    includiPesi = new QCheckBox(QStringLiteral("includi i criteri di &ponderazione nella relazione"), client);
    includiPesi->setToolTip(
        QStringLiteral("cliccare per aggiungere alla relazione di stima le matrici del confronto a "
                       "coppie da cui vengono i pesi, con la loro coerenza"));
    includiPesi->setObjectName(QStringLiteral("includiPesi"));
    includiPesi->setChecked(m_module.environment().settings().reportIncludesWeighting());
    placeTwips(includiPesi, NumberColumn.left, ExtrasTop + 330, TableRight - NumberColumn.left, 330);
    connect(includiPesi, &QCheckBox::toggled, this,
            [this](bool on) { m_module.environment().settings().setReportIncludesWeighting(on); });
    cmdsolidita = new QPushButton(QStringLiteral("So&lidità"), client);
    cmdsolidita->setObjectName(QStringLiteral("cmdsolidita"));
    cmdsolidita->setToolTip(
        QStringLiteral("cliccare per visualizzare il grafico e la solidità della graduatoria"));
    placeTwips(cmdsolidita, frameLeft + 120, ExtrasTop - 60, 1650, 450);

    connect(aiuto, &QPushButton::clicked, this, &classifica::aiuto_Click);
    connect(avanti, &QPushButton::clicked, this, &classifica::titlePageRequested);
    connect(cmdsolidita, &QPushButton::clicked, this, &classifica::robustnessRequested);
    connect(cmdstampa, &QPushButton::clicked, this, &classifica::printRequested);
    connect(cmdrelazione, &QPushButton::clicked, this, &classifica::reportRequested);
    connect(cmdGuida, &QPushButton::clicked, this, &classifica::helpContentsRequested);
    connect(cmdesci, &QPushButton::clicked, this, &classifica::exitRequested);
    connect(VScroll1, &QScrollBar::valueChanged, this, &classifica::VScroll1_Change);

    // It shows the ranking of the study as it is: ranked again at every change while it is open.
    StudyDocument* document = &m_module.document();
    connect(document, &StudyDocument::rankingChanged, this, &classifica::VScroll1_Change);
    connect(document, &StudyDocument::edited, this, [document] { document->rank(); });
}

void classifica::Form_Load()
{
    setUpProportionalLayout();

    for (int i = 1; i <= Rows; ++i) {
        numero[i]->setToolTip(
            QStringLiteral("il numero di graduatoria della ipotesi nella percentuale di valutazione"));
        nameCell[i]->setToolTip(QStringLiteral("l'ipotesi secondo la graduatoria raggiunta"));
        evaluationCell[i]->setToolTip(QStringLiteral("la valutazione in percento dell'ipotesi data"));
        judgementCell[i]->setToolTip(
            QStringLiteral("il giudizio complessivo equiparato alla percentuale di valutazione"));
    }
    showStep(QStringLiteral("la finestra è di sola lettura, visualizzare i risultati"));
}

void classifica::VScroll1_Change()
{
    const Ranking& ranking = m_module.document().ranking();
    const RankingPlaces places = placesOf(ranking);
    m_rowsFilled = true;
    for (int i = 1; i <= Rows; ++i) {
        const int p = VScroll1->value() + i - 1;
        const RankingEntry& entry = ranking[std::size_t(p)];
        const Place& place = places[std::size_t(p)];
        numero[i]->setText(QString::number(place.number));
        nameCell[i]->setText(nameWithNote(nameCell[i], entry.name.toDisplayText(), placeNote(place)));
        evaluationCell[i]->setText(entry.evaluation.toDisplayText());
        // Every refresh recolours the cell, so a cell that showed a hypothesis never keeps its colour.
        const StandingColours colours = standingColours(standingOf(entry.evaluation));
        setColours(evaluationCell[i], colours.background, colours.text);
        judgementCell[i]->setText(entry.overallJudgement.toDisplayText());
        readRow(i, place.number, entry);
    }
    table->rowsRefilled();
}

void classifica::readRow(int i, int position, const RankingEntry& entry)
{
    // The ranking is a grid of labels: each row is read whole from its name cell, the one stop
    // Tab makes in it, as "posizione 1, ipotesi «Alta», valutazione 77,0 %".
    const QString name = entry.name.toDisplayText();
    if (name.isEmpty()) {
        nameCell[i]->setFocusPolicy(Qt::NoFocus);
        setSpokenName(nameCell[i], QString());
        return;
    }
    nameCell[i]->setFocusPolicy(Qt::TabFocus);
    QString row = QStringLiteral("posizione %1, ipotesi «%2», valutazione %3 %")
                      .arg(position)
                      .arg(name, entry.evaluation.toDisplayText());
    if (const QString judgement = entry.overallJudgement.toDisplayText(); !judgement.isEmpty()) {
        row += QStringLiteral(", giudizio complessivo ") + judgement;
    }
    setSpokenName(nameCell[i], row);
}

void classifica::resizeEvent(QResizeEvent* event)
{
    MainWindow::resizeEvent(event);
    // Names beside a tie note are cut to the cells' new width; rows never filled stay empty.
    if (m_rowsFilled) {
        VScroll1_Change();
    }
}

void classifica::aiuto_Click()
{
    m_module.showMessage(
        this,
        {QStringLiteral(
             "- La finestra è di sola lettura;\r"
             "- la barra di scorrimento verticale sulla sinistra consente di visualizzare la graduatoria "
             "di tutte le ipotesi oltre le prime 15;\r"
             "- il colore di sfondo verde significa che l'ipotesi è positiva, il rosso che è negativa;\r"
             "- cliccare sulla finestra per avere la guida corrispondente;\r"
             "- cliccare sui tasti laterali per visualizzare quanto riportato nella rispettiva "
             "didascalia."),
         MessageIcon::Information},
        m_module.identity().HelpTitle);
}

// Clicks on the cells and the labels reach here too: they are part of the window's background.
void classifica::mousePressEvent(QMouseEvent* event)
{
    m_pressedOnBackground = event->button() == Qt::LeftButton &&
                            centralWidget()->geometry().contains(event->position().toPoint());
    MainWindow::mousePressEvent(event);
}

void classifica::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressedOnBackground && event->button() == Qt::LeftButton &&
                       centralWidget()->geometry().contains(event->position().toPoint());
    m_pressedOnBackground = false;
    MainWindow::mouseReleaseEvent(event);
    if (click) {
        Q_EMIT helpRequested();
    }
}

} // namespace pondra
