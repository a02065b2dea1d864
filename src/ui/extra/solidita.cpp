#include "solidita.h"

#include "dialogparts.h"

#include "model/fairness.h"
#include "reports/standingcolours.h"
#include "ui/core/modulopondra.h"
#include "ui/core/plaintext.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace pondra {

namespace {

enum Column { PositionColumn, NameColumn, EvaluationColumn, ChangesColumn, VerdictColumn, Columns };

QTableWidgetItem* item(const QString& text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* cell = new QTableWidgetItem(text);
    cell->setTextAlignment(alignment);
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return cell;
}

} // namespace

ChartView::ChartView(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void ChartView::setBars(std::vector<ChartBar> bars)
{
    m_bars = std::move(bars);
    setMinimumHeight(heightForWidth(width()));
    updateGeometry();
    update();
}

int ChartView::heightForWidth(int width) const
{
    return int(std::ceil(evaluationChartHeight(width, int(m_bars.size()))));
}

QSize ChartView::sizeHint() const
{
    return {640, heightForWidth(640)};
}

void ChartView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintEvaluationChart(painter, QRectF(rect()).adjusted(8, 4, -8, -4), m_bars, {font().family()});
}

void ChartView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // A wider chart is a taller one: its rows keep their proportions.
    const int height = heightForWidth(width());
    if (minimumHeight() != height) {
        setMinimumHeight(height);
    }
}

solidita::solidita(ModuloPondra& module) : m_module(module)
{
    setWindowTitle(QStringLiteral("Pondra: solidità della graduatoria"));

    auto* banner = windowBanner(this, QStringLiteral("quanto è solida la graduatoria delle ipotesi"));

    Sintesi = new QLabel(this);
    // The summary quotes the hypotheses' names.
    Sintesi->setTextFormat(Qt::PlainText);
    Sintesi->setWordWrap(true);
    Sintesi->setTextInteractionFlags(Qt::TextSelectableByMouse);

    Grafico = new ChartView;
    Grafico->setToolTip(
        QStringLiteral("la valutazione in percento di ogni ipotesi, in ordine di graduatoria"));
    Area = new QScrollArea;
    Area->setWidget(Grafico);
    Area->setWidgetResizable(true);
    Area->setFrameShape(QFrame::NoFrame);
    Area->setAccessibleName(QStringLiteral("grafico delle valutazioni"));
    Grafico->setAccessibleName(QStringLiteral("grafico delle valutazioni"));

    Tabella = new QTableWidget(0, Columns);
    Tabella->setHorizontalHeaderLabels({QStringLiteral("num."), QStringLiteral("denominazione dell'ipotesi"),
                                        QStringLiteral("valutaz. in %"), QStringLiteral("cambi necessari"),
                                        QStringLiteral("giudizio sulla solidità")});
    Tabella->verticalHeader()->hide();
    Tabella->setAccessibleName(QStringLiteral("solidità della graduatoria"));
    Tabella->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Tabella->setSelectionBehavior(QAbstractItemView::SelectRows);
    Tabella->setWordWrap(true);
    Tabella->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Tabella->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Tabella->horizontalHeader()->setSectionResizeMode(NameColumn, QHeaderView::Interactive);
    Tabella->horizontalHeader()->setSectionResizeMode(VerdictColumn, QHeaderView::Stretch);
    Tabella->setColumnWidth(NameColumn, 200);
    Tabella->setToolTip(
        QStringLiteral("per ogni ipotesi, quanti giudizi cambiati di un grado la porterebbero "
                       "alla pari con la prima, e quali"));

    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(Area);
    splitter->addWidget(Tabella);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setChildrenCollapsible(false);

    cmdstampa = new QPushButton(QStringLiteral("&Stampa"));
    cmdstampa->setObjectName(QStringLiteral("cmdstampa"));
    cmdstampa->setToolTip(QStringLiteral("cliccare per stampare il grafico e la solidità della graduatoria"));
    cmdchiudi = new QPushButton(QStringLiteral("&Chiudi"));
    cmdchiudi->setObjectName(QStringLiteral("cmdchiudi"));
    cmdchiudi->setToolTip(QStringLiteral("cliccare per chiudere la finestra"));
    connect(cmdchiudi, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdstampa, &QPushButton::clicked, this, &solidita::printRequested);

    Confronto = new QLabel(this);
    // The notes quote the characteristics' names.
    Confronto->setTextFormat(Qt::PlainText);
    Confronto->setWordWrap(true);
    Confronto->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Confronto->setToolTip(QStringLiteral("dove le ipotesi non sono valutate sulle stesse caratteristiche "
                                         "con gli stessi pesi"));
    Confronto->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdstampa);
    buttons->addWidget(cmdchiudi);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(banner);
    layout->addWidget(Sintesi);
    layout->addWidget(splitter, 1);
    layout->addWidget(Confronto);
    layout->addLayout(buttons);
    // Whole on a small laptop screen too, title bar included.
    const QRect available = screen()->availableGeometry();
    const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight) +
                         2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    resize(std::min(900, available.width()), std::min(640, available.height() - titleBar));
    Sintesi->setObjectName(QStringLiteral("Sintesi"));
    Grafico->setObjectName(QStringLiteral("Grafico"));
    Tabella->setObjectName(QStringLiteral("Tabella"));
    Confronto->setObjectName(QStringLiteral("Confronto"));
    followEdits();
}

void solidita::followEdits()
{
    connect(&m_module.document(), &StudyDocument::edited, this, [this] {
        if (!isVisible() || m_updatePending) {
            return;
        }
        // Typing a name is many edits: the analysis runs once, when they are over.
        m_updatePending = true;
        QTimer::singleShot(0, this, [this] {
            m_updatePending = false;
            if (isVisible() && m_module.document().study().revision() != m_revision) {
                Aggiorna();
            }
        });
    });
}

solidita::~solidita() = default;

bool solidita::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && m_module.study().revision() != m_revision) {
        Aggiorna();
    }
    return QWidget::event(event);
}

void solidita::Aggiorna()
{
    m_revision = m_module.study().revision();
    m_analysis = analyseRobustness(m_module.study());
    Sintesi->setText(m_analysis.summary);
    Grafico->setBars(chartBars(m_analysis.ranked));

    Tabella->setRowCount(int(m_analysis.challenges.size()));
    int row = 0;
    for (const Challenge& c : m_analysis.challenges) {
        // The challenges follow the first-ranked one, in ranking order.
        const Value evaluation = Value::number(m_analysis.ranked[std::size_t(row + 1)].evaluation);
        Tabella->setItem(row, PositionColumn, item(QString::number(c.position), Qt::AlignCenter));
        Tabella->setItem(row, NameColumn, item(c.name));
        QTableWidgetItem* value = item(evaluation.toDisplayText(), Qt::AlignCenter);
        const StandingColours colours = standingColours(standingOf(evaluation));
        value->setBackground(colours.background);
        value->setForeground(colours.text);
        Tabella->setItem(row, EvaluationColumn, value);
        Tabella->setItem(
            row, ChangesColumn,
            item(c.changesNeeded ? QString::number(*c.changesNeeded) : QStringLiteral("-"), Qt::AlignCenter));
        QTableWidgetItem* verdict = item(c.verdict);
        verdict->setToolTip(plainToolTip(c.rowsText));
        Tabella->setItem(row, VerdictColumn, verdict);
        ++row;
    }
    Tabella->setVisible(!m_analysis.challenges.empty());

    const QStringList notes = fairnessNotes(m_module.study());
    QString text;
    if (!notes.isEmpty()) {
        text = QStringLiteral("Confronto alla pari:");
        for (const QString& note : notes) {
            text += QStringLiteral("\n• ") + note;
        }
    }
    Confronto->setText(text);
    Confronto->setVisible(!notes.isEmpty());
}

} // namespace pondra
