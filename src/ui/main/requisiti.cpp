#include "requisiti.h"

#include "clickablelabel.h"
#include "colours.h"
#include "model/datacheck.h"
#include "model/judgementscale.h"
#include "model/scoring.h"
#include "model/textlimits.h"
#include "model/textrules.h"
#include "model/vocabulary.h"
#include "model/weight.h"
#include "ui/core/modulopondra.h"
#include "ui/core/spoken.h"
#include "ui/layout/twips.h"
#include "weightarrows.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>

namespace pondra {

namespace {

using colours::Cyan;
using colours::Grey;
using colours::Red;
using colours::Yellow;

// Names for the controls, so that they can be found as a screen reader or a test finds them.
template <class Widget> Widget* named(Widget* widget, const char* name, int index = 0)
{
    const QString base = QString::fromLatin1(name);
    widget->setObjectName(index ? base + u'_' + QString::number(index) : base);
    return widget;
}

// The arrows step from the weight shown; a row without one starts from 10.
Decimal arrowPosition(const Value& weight)
{
    return weight.isEmpty() ? Decimal(WeightArrows::StartPosition) : weightValue(weight);
}

// Rows of the characteristic area, in twips.
constexpr int FirstRowTop = 930;
constexpr int RowStep = 345;
constexpr int RowHeight = 315;

// A label that shows a value, framed like a read-only field.
QLabel* valueLabel(QWidget* parent, Qt::Alignment alignment = Qt::AlignCenter)
{
    auto* label = new QLabel(parent);
    // Judgements and weights come from files: shown as they stand, never as markup.
    label->setTextFormat(Qt::PlainText);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(alignment | Qt::AlignVCenter);
    setColours(label, Qt::white);
    return label;
}

QLabel* caption(QWidget* parent, const QString& text, const QString& tooltip = QString())
{
    auto* label = new QLabel(text, parent);
    label->setToolTip(tooltip);
    label->setWordWrap(true);
    return label;
}

} // namespace

requisiti::requisiti(ModuloPondra& module) : MainWindow(module)
{
    buildControls();
    m_module.decorate(*this);
    Form_Load();
    followDocument();
}

requisiti::~requisiti()
{
    // A box losing its focus as the window goes would commit into a window half gone.
    for (int i = 1; i <= Slots; ++i) {
        disconnect(percentuale[i], &QLineEdit::editingFinished, this, nullptr);
    }
}

void requisiti::buildControls()
{
    setWindowTitle(QStringLiteral("Pondra: dati sulle ipotesi e sui relativi requisiti da valutare"));
    auto* client = new QWidget(this);
    client->setMouseTracking(true);
    setCentralWidget(client);

    hypothesisNumber = named(caption(client, QString()), "hypothesisNumber");
    placeTwips(hypothesisNumber, 120, 150, 1350, 300);
    ipotesi = named(new QLineEdit(client), "ipotesi");
    ipotesi->setMaxLength(MaxNameLength);
    ipotesi->setToolTip(QStringLiteral("digitare il tipo di ipotesi da valutare"));
    ipotesi->setAccessibleName(QStringLiteral("nome dell'ipotesi"));
    hypothesisNumber->setBuddy(ipotesi);
    placeTwips(ipotesi, 1500, 120, 3750, 330);
    HScroll1 = named(new QScrollBar(Qt::Horizontal, client), "HScroll1");
    HScroll1->setRange(1, MaxHypotheses);
    HScroll1->setPageStep(5);
    HScroll1->setSingleStep(1);
    HScroll1->setFocusPolicy(Qt::StrongFocus);
    HScroll1->setToolTip(QStringLiteral("passare ad un'altra ipotesi"));
    setSpokenDescription(HScroll1, QStringLiteral("Pagina su e Pagina giù passano all'ipotesi "
                                                  "precedente o successiva"));
    placeTwips(HScroll1, 5340, 150, 1380, 270);

    auto* label1 = caption(client, QStringLiteral("CARATTERISTICHE CONSIDERATE"),
                           QStringLiteral("l'elenco dei requisiti da valutare"));
    placeTwips(label1, 840, 480, 2280, 420);
    auto* label8 =
        caption(client, QStringLiteral("n."), QStringLiteral("numero d'ordine delle caratteristiche"));
    placeTwips(label8, 120, 660, 360, 240);
    auto* label7 =
        caption(client, QStringLiteral("giudizi"),
                QStringLiteral("riportati in automatico cliccando sui tasti della scala dei valori"));
    placeTwips(label7, 3180, 660, 1260, 240);
    auto* label10 = caption(client, QStringLiteral("valori"),
                            QStringLiteral("il numero corrispondente al giudizio cliccato"));
    placeTwips(label10, 4500, 660, 480, 240);
    auto* label2 = caption(client, QStringLiteral("coeff."),
                           QStringLiteral("il coefficiente associato al giudizio prescelto"));
    placeTwips(label2, 5040, 660, 510, 240);
    auto* label3 = caption(client, QStringLiteral("peso in %"),
                           QStringLiteral("il peso in % del singolo giudizio assegnato"));
    placeTwips(label3, 5610, 480, 600, 420);

    m_rowMarks.fill(Cyan);
    for (int i = 1; i <= Slots; ++i) {
        const int top = FirstRowTop + (i - 1) * RowStep;
        numero[i] = named(new ClickableLabel(client), "numero", i);
        numero[i]->setAlignment(Qt::AlignCenter);
        numero[i]->setFrameStyle(QFrame::Panel | QFrame::Raised);
        setColours(numero[i], Cyan);
        placeTwips(numero[i], 120, top, 360, RowHeight);
        connect(numero[i], &ClickableLabel::clicked, this, [this, i] { numero_Click(i); });
        connect(numero[i], &ClickableLabel::hovered, this, [this, i] { markRow(rowOfSlot(i), Red); });

        Check[i] = named(new QCheckBox(client), "Check", i);
        setColours(Check[i], Grey);
        placeTwips(Check[i], 540, top + 15, 270, RowHeight - 30);
        connect(Check[i], &QCheckBox::clicked, this, [this, i] { Check_Click(i); });

        requisito[i] = named(new QComboBox(client), "requisito", i);
        requisito[i]->setEditable(true);
        requisito[i]->lineEdit()->setMaxLength(MaxNameLength);
        requisito[i]->setInsertPolicy(QComboBox::NoInsert);
        requisito[i]->setMaxVisibleItems(15);
        // The list offers words; what the user types stays as typed, neither completed nor
        // matched to a word of another case.
        requisito[i]->setCompleter(nullptr);
        requisito[i]->setEnabled(false);
        placeTwips(requisito[i], 840, top, 2280, RowHeight);
        connect(requisito[i], &QComboBox::editTextChanged, this, [this, i] { requisito_Change(i); });

        giudizio[i] = named(valueLabel(client, Qt::AlignLeft), "giudizio", i);
        giudizio[i]->setIndent(3);
        placeTwips(giudizio[i], 3180, top, 1260, RowHeight);
        valore[i] = named(valueLabel(client), "valore", i);
        placeTwips(valore[i], 4500, top, 480, RowHeight);
        coefficiente[i] = named(valueLabel(client), "coefficiente", i);
        placeTwips(coefficiente[i], 5040, top, 510, RowHeight);
        percentuale[i] = named(new QLineEdit(client), "percentuale", i);
        percentuale[i]->setAlignment(Qt::AlignCenter);
        percentuale[i]->setToolTip(QStringLiteral(
            "valore modificabile (da 0 a 100, un decimale) digitandolo o cliccando sulle frecce"));
        percentuale[i]->setEnabled(false);
        percentuale[i]->setContextMenuPolicy(Qt::CustomContextMenu);
        placeTwips(percentuale[i], 5610, top, 540, RowHeight);
        connect(percentuale[i], &QLineEdit::textEdited, this,
                [this, i](const QString& text) { percentuale_Edited(i, text); });
        connect(percentuale[i], &QLineEdit::editingFinished, this, [this, i] { percentuale_Change(i); });
        connect(percentuale[i], &QWidget::customContextMenuRequested, this,
                [this, i](const QPoint& at) { showRowMenu(i, percentuale[i], at); });
        numero[i]->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(numero[i], &QWidget::customContextMenuRequested, this,
                [this, i](const QPoint& at) { showRowMenu(i, numero[i], at); });

        scroll[i] = named(new WeightArrows(client), "scroll", i);
        scroll[i]->setEnabled(false);
        // The weight box steps with the arrow keys itself: the arrows are for the mouse.
        scroll[i]->setFocusPolicy(Qt::ClickFocus);
        placeTwips(scroll[i], 6180, top, 240, RowHeight);
        connect(scroll[i], &WeightArrows::changed, this, [this, i] { scroll_Change(i); });
    }

    VScroll1 = named(new QScrollBar(Qt::Vertical, client), "VScroll1");
    VScroll1->setRange(1, StudyDocument::MaxFirstShownRow);
    VScroll1->setPageStep(5);
    VScroll1->setSingleStep(1);
    VScroll1->setFocusPolicy(Qt::StrongFocus);
    VScroll1->setAccessibleName(QStringLiteral("barra delle caratteristiche"));
    placeTwips(VScroll1, 6480, FirstRowTop, 240, (Slots - 1) * RowStep + RowHeight);

    Frame1 = named(new QGroupBox(QStringLiteral("SCALA GIUDIZI"), client), "Frame1");
    Frame1->setToolTip(
        QStringLiteral("giudizi, in ordine decrescente, da esprimere cliccando sul tasto prescelto per "
                       "la caratteristica selezionata"));
    placeTwips(Frame1, 6840, 390, 2640, 3960);
    for (int n = 1; n <= JudgementSteps; ++n) {
        const JudgementStep& step = JudgementScale::step(n);
        scala[n] = named(new QPushButton(QString::fromUtf16(step.caption), Frame1), "scala", n);
        scala[n]->setToolTip(QString::fromUtf16(step.tooltip));
        scala[n]->setStyleSheet(QStringLiteral("text-align: left; padding-left: 6px;"));
        scala[n]->setEnabled(false);
        placeTwips(scala[n], 120, 300 + (n - 1) * 330, 2400, 315);
        connect(scala[n], &QPushButton::clicked, this, [this, n] { scala_Click(n); });
    }

    const int figuresTop = FirstRowTop + Slots * RowStep + 90;
    auto figure = [&](QLabel*& target, const char* name, int left, const QString& text,
                      const QString& tooltip) {
        QLabel* label = caption(client, text, tooltip);
        label->setWordWrap(false);
        placeTwips(label, left, figuresTop, 2220, 240);
        target = named(valueLabel(client), name);
        target->setToolTip(tooltip);
        label->setBuddy(target);
        target->setAccessibleName(text);
        placeTwips(target, left, figuresTop + 240, 2100, 300);
    };
    figure(media, "media", 120, QStringLiteral("media dei coefficienti"),
           QStringLiteral("la media dei coefficienti associati ai giudizi sulle caratteristiche"));
    figure(resto, "resto", 2400, QStringLiteral("resto da assegnare in %"),
           QStringLiteral("la rimanente parte di percentuale da assegnare alle caratteristiche"));
    figure(ponderata, "ponderata", 4680, QStringLiteral("coeff. ponderato"),
           QStringLiteral("la media dei coefficienti ponderata con le percentuali associate"));

    // Beside the figures, under the scale: weights from judgements made two at a time.
    cmdconfronto = named(new QPushButton(QStringLiteral("Pesi a &confronto"), client), "cmdconfronto");
    cmdconfronto->setToolTip(
        QStringLiteral("cliccare per ricavare i pesi confrontando le caratteristiche a due a due"));
    placeTwips(cmdconfronto, 6960, figuresTop + 150, 2520, 390);
    connect(cmdconfronto, &QPushButton::clicked, this, [this] {
        commitTypedWeights();
        Q_EMIT pairwiseComparisonRequested();
    });

    const int buttonsTop = figuresTop + 660;
    const std::array<std::pair<QPushButton**, std::pair<QString, QString>>, 5> buttons{{
        {&aiuto,
         {QStringLiteral("&AIUTO"),
          QStringLiteral("cliccare per avere indicazioni sull'immissione dei dati")}},
        {&avanti,
         {QStringLiteral("Risul&tati"),
          QStringLiteral("cliccare per visualizzare i risultati dell'elaborazione")}},
        {&cmdstampa,
         {QStringLiteral("&Stampa"), QStringLiteral("cliccare per avere la stampa dei dati immessi")}},
        {&cmdGuida,
         {QStringLiteral("&Guida in linea"),
          QStringLiteral("cliccare per visualizzare il sommario della guida")}},
        {&cmdesci, {QStringLiteral("&USCITA"), QStringLiteral("cliccare per uscire da Pondra")}},
    }};
    const std::array<const char*, 5> buttonNames{"aiuto", "avanti", "cmdstampa", "cmdGuida", "cmdesci"};
    for (std::size_t b = 0; b < buttons.size(); ++b) {
        auto* button = new QPushButton(buttons[b].second.first, client);
        button->setToolTip(buttons[b].second.second);
        placeTwips(button, 120 + int(b) * 1890, buttonsTop, 1800, 390);
        *buttons[b].first = button;
        named(button, buttonNames[b]);
    }
    connect(aiuto, &QPushButton::clicked, this, &requisiti::aiuto_Click);
    connect(avanti, &QPushButton::clicked, this, &requisiti::resultsRequested);
    connect(cmdstampa, &QPushButton::clicked, this, &requisiti::printRequested);
    connect(cmdGuida, &QPushButton::clicked, this, &requisiti::helpContentsRequested);
    connect(cmdesci, &QPushButton::clicked, this, &requisiti::exitRequested);

    passo = named(valueLabel(client, Qt::AlignLeft), "passo");
    passo->setIndent(4);
    placeTwips(passo, 120, buttonsTop + 480, 9360, 300);

    // Tab follows the rows as they are read: the tick, the name, the judgement (its row number)
    // and the weight of each row in turn, then the scale and the buttons.
    QList<QWidget*> order{ipotesi, HScroll1};
    for (int i = 1; i <= Slots; ++i) {
        order << Check[i] << requisito[i] << numero[i] << percentuale[i];
    }
    order << VScroll1;
    for (int n = 1; n <= JudgementSteps; ++n) {
        order << scala[n];
    }
    order << cmdconfronto << aiuto << avanti << cmdstampa << cmdGuida << cmdesci;
    for (qsizetype k = 1; k < order.size(); ++k) {
        setTabOrder(order[k - 1], order[k]);
    }

    connect(HScroll1, &QScrollBar::valueChanged, this, &requisiti::HScroll1_Change);
    connect(VScroll1, &QScrollBar::valueChanged, this, &requisiti::VScroll1_Change);
    connect(ipotesi, &QLineEdit::textChanged, this, &requisiti::ipotesi_Change);

    auto* previous = new QShortcut(QKeySequence(Qt::Key_PageUp), this);
    connect(previous, &QShortcut::activated, this, [this] { HScroll1->setValue(HScroll1->value() - 1); });
    // Esc gives up choosing a new judgement: the row keeps the one it has.
    auto* keep = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(keep, &QShortcut::activated, this, [this] {
        if (scala[1]->isEnabled()) {
            DisableScale();
            showStep(nextStep());
        }
    });
    auto* next = new QShortcut(QKeySequence(Qt::Key_PageDown), this);
    connect(next, &QShortcut::activated, this, [this] { HScroll1->setValue(HScroll1->value() + 1); });
    // Watched wherever they arrive in this window: the scale's letters, the wheel over the rows,
    // the mouse over the background.
    qApp->installEventFilter(this);
}

void requisiti::Form_Load()
{
    setUpProportionalLayout();

    m_module.InitGlobals();
    StudyDocument& document = m_module.document();
    // A window loaded again over a study still in memory starts at its first hypothesis and row.
    document.returnToStart();
    showStep(QStringLiteral("prelevare un file dall'archivio o iniziare a digitare l'ipotesi"));
    HScroll1->setValue(1);
    resto->setText(QStringLiteral("0"));
    setSpokenName(resto, QStringLiteral("resto da assegnare: 0 %"));

    for (int i = 1; i <= Slots; ++i) {
        Check[i]->setToolTip(QStringLiteral("indicatore di spunta della caratteristica"));
        numero[i]->setToolTip(QStringLiteral("cliccare per modificare il giudizio della caratteristica"));
        requisito[i]->setToolTip(QStringLiteral("denominazione della caratteristica"));
        giudizio[i]->setToolTip(
            QStringLiteral("giudizio di valutazione scelto cliccando sul tasto della scala"));
        valore[i]->setToolTip(QStringLiteral("numero di graduatoria del giudizio prescelto"));
        coefficiente[i]->setToolTip(
            QStringLiteral("coefficiente associato nel calcolo al giudizio prescelto"));
        const QSignalBlocker blocker(requisito[i]);
        requisito[i]->addItems(CharacteristicVocabulary());
        requisito[i]->setCurrentIndex(-1);
    }
    {
        const QSignalBlocker blocker(ipotesi);
        ipotesi->setText(document.study().hypothesis(1).name.toDisplayText());
    }
    // Its first hypothesis is shown with the figures of its rows, so that a tick cannot silently
    // overwrite rows the screen did not show.
    showCurrentHypothesis();
    if (!NothingEntered(document.study())) {
        showFigures(document.scoreShown());
    }
    showStep(nextStep());
}

void requisiti::followDocument()
{
    StudyDocument* document = &m_module.document();
    connect(document, &StudyDocument::shownHypothesisChanged, this, &requisiti::showCurrentHypothesis);
    connect(document, &StudyDocument::firstShownRowChanged, this, [this](int firstRow) {
        {
            const QSignalBlocker blocker(VScroll1);
            VScroll1->setValue(firstRow);
        }
        ShowRows();
    });
    connect(document, &StudyDocument::figuresChanged, this, &requisiti::showFigures);
    connect(document, &StudyDocument::rowChanged, this, [this](int h, int r) {
        if (h == m_module.document().shownHypothesis()) {
            showChangedRow(r);
        }
    });
    connect(document, &StudyDocument::hypothesisCleared, this, [this] {
        ShowRows();
        showStep(nextStep());
    });
    connect(document, &StudyDocument::stepRestored, this, [this] { showStep(nextStep()); });
    // A weight still being typed is part of what the user saves (a key saves without leaving it).
    connect(document, &StudyDocument::aboutToSave, this, &requisiti::commitTypedWeights);
}

int requisiti::rowOfSlot(int index) const
{
    return m_module.document().firstShownRow() + index - 1;
}

std::optional<int> requisiti::slotOfRow(int r) const
{
    const int index = r - m_module.document().firstShownRow() + 1;
    return index >= 1 && index <= Slots ? std::optional<int>(index) : std::nullopt;
}

void requisiti::ShowRows()
{
    const StudyDocument& document = m_module.document();
    const int h = document.shownHypothesis();
    for (int i = 1; i <= Slots; ++i) {
        const int r = rowOfSlot(i);
        const CharacteristicEntry& row = document.study().row(h, r);
        m_shownRows[std::size_t(i)] = row;
        numero[i]->setText(QString::number(r));
        setColours(numero[i], m_rowMarks[std::size_t(r)]);
        Check[i]->setChecked(row.isTicked());
        {
            // Showing a stored name is not an edit of it.
            const QSignalBlocker blocker(requisito[i]);
            requisito[i]->setEditText(row.name.toDisplayText());
        }
        showJudgement(i, row);
        showWeight(i, row.weight);
        requisito[i]->setEnabled(row.isTicked());
        percentuale[i]->setEnabled(row.isTicked());
        scroll[i]->setEnabled(row.isTicked());
        nameRow(i);
    }
}

void requisiti::nameRow(int index)
{
    const QString n = signBlankText(rowOfSlot(index)).trimmed();
    const QString of = QStringLiteral(" della caratteristica n. ") + n;
    setSpokenName(Check[index], QStringLiteral("spunta") + of);
    setSpokenName(requisito[index], QStringLiteral("nome") + of);
    setSpokenName(requisito[index]->lineEdit(), QStringLiteral("nome") + of);
    setSpokenName(numero[index], QStringLiteral("giudizio") + of);
    setSpokenName(percentuale[index], QStringLiteral("peso in %") + of);
    scroll[index]->setSubject(QStringLiteral("del peso") + of);
    describeRow(index);
}

void requisiti::describeRow(int index)
{
    // What the row says, read with any of its controls: the judgement, its number and
    // coefficient are shown in labels a screen reader would otherwise find tied to nothing.
    const auto shown = [](const QString& text) { return text.isEmpty() ? QStringLiteral("nessuno") : text; };
    const QString name = requisito[index]->currentText();
    const QString judgement = giudizio[index]->text();
    QString summary = QStringLiteral("caratteristica n. ") + signBlankText(rowOfSlot(index)).trimmed();
    if (!Check[index]->isChecked()) {
        summary += QStringLiteral(", non spuntata");
    } else {
        summary +=
            QStringLiteral(", ") + (name.isEmpty() ? QStringLiteral("senza nome") : name) +
            (judgement.isEmpty() ? QStringLiteral(", giudizio non scelto")
                                 : QStringLiteral(": ") + judgement + QStringLiteral(", valore ") +
                                       shown(valore[index]->text()) + QStringLiteral(", coefficiente ") +
                                       shown(coefficiente[index]->text())) +
            QStringLiteral(", peso ") +
            (percentuale[index]->text().isEmpty() ? QStringLiteral("non assegnato")
                                                  : percentuale[index]->text() + QStringLiteral(" %"));
    }
    setSpokenDescription(requisito[index], summary);
    setSpokenDescription(requisito[index]->lineEdit(), summary);
    setSpokenDescription(numero[index],
                         summary +
                             QStringLiteral(". Invio per cambiare il giudizio, poi la lettera del giudizio"));
    setSpokenDescription(Check[index], summary);
    setSpokenName(giudizio[index], QStringLiteral("giudizio della caratteristica n. ") +
                                       signBlankText(rowOfSlot(index)).trimmed() + QStringLiteral(": ") +
                                       shown(giudizio[index]->text()));
    setSpokenName(valore[index], QStringLiteral("valore: ") + shown(valore[index]->text()));
    setSpokenName(coefficiente[index], QStringLiteral("coefficiente: ") + shown(coefficiente[index]->text()));
    setSpokenDescription(percentuale[index],
                         QStringLiteral("frecce su e giù per cambiarlo di uno; resto da assegnare: ") +
                             resto->text() + QStringLiteral(" %"));
}

void requisiti::showJudgement(int index, const CharacteristicEntry& row)
{
    giudizio[index]->setText(row.judgement.toDisplayText());
    valore[index]->setText(row.judgementNumber.toDisplayText());
    coefficiente[index]->setText(row.coefficient.toDisplayText());
}

void requisiti::showWeight(int index, const Value& weight)
{
    // Setting the text also marks it unedited: only what the user types is committed.
    percentuale[index]->setText(shownWeightText(weight));
    markWeight(index, false);
    scroll[index]->setPosition(arrowPosition(weight));
}

void requisiti::showChangedRow(int r)
{
    const std::optional<int> slot = slotOfRow(r);
    if (!slot) {
        return;
    }
    const int i = *slot;
    const CharacteristicEntry& row =
        m_module.document().study().row(m_module.document().shownHypothesis(), r);
    CharacteristicEntry& shown = m_shownRows[std::size_t(i)];
    // Only what changed: a row number clicked keeps its judgement blank until a step is chosen.
    if (!(row.ticked == shown.ticked)) {
        Check[i]->setChecked(row.isTicked());
        requisito[i]->setEnabled(row.isTicked());
        percentuale[i]->setEnabled(row.isTicked());
        scroll[i]->setEnabled(row.isTicked());
    }
    if (!(row.name == shown.name) && requisito[i]->currentText() != row.name.toDisplayText()) {
        // Left alone when it already reads so, to keep the cursor where the user is typing.
        const QSignalBlocker blocker(requisito[i]);
        requisito[i]->setEditText(row.name.toDisplayText());
    }
    if (!(row.judgement == shown.judgement) || !(row.judgementNumber == shown.judgementNumber) ||
        !(row.coefficient == shown.coefficient)) {
        showJudgement(i, row);
    }
    if (!(row.weight == shown.weight)) {
        showWeight(i, row.weight);
    }
    shown = row;
    describeRow(i);
}

void requisiti::EnableScale()
{
    for (int n = 1; n <= JudgementSteps; ++n) {
        scala[n]->setEnabled(true);
    }
}

void requisiti::DisableScale()
{
    for (int n = 1; n <= JudgementSteps; ++n) {
        scala[n]->setEnabled(false);
    }
}

void requisiti::Check_Click(int index)
{
    commitTypedWeights();
    const bool ticked = Check[index]->isChecked();
    CurrentRowSlot = index;
    m_selectedSlot = index;
    m_module.document().tickRow(rowOfSlot(index), ticked);
    if (ticked) {
        EnableScale();
        scroll[index]->setEnabled(true);
        percentuale[index]->setEnabled(true);
        requisito[index]->setEnabled(true);
        // The focus stays where the user is: the name field is the next Tab stop, and said so.
        announce(QStringLiteral("riga %1 aperta: con Tab si passa al nome della caratteristica")
                     .arg(rowOfSlot(index)));
    } else {
        CloseRow();
    }
    showStep(nextStep());
}

void requisiti::requisito_Change(int index)
{
    m_module.document().nameRow(rowOfSlot(index), requisito[index]->currentText());
    showStep(nextStep());
}

void requisiti::CloseRow()
{
    DisableScale();
    if (CurrentRowSlot) {
        scroll[*CurrentRowSlot]->setEnabled(false);
        percentuale[*CurrentRowSlot]->setEnabled(false);
        requisito[*CurrentRowSlot]->setEnabled(false);
    }
    ShowRows();
}

void requisiti::scala_Click(int index)
{
    if (!CurrentRowSlot) {
        return;
    }
    const int i = *CurrentRowSlot;
    if (requisito[i]->currentText().isEmpty()) {
        m_module.showMessage(
            this,
            {QStringLiteral("Digitare prima il tipo di caratteristica da valutare."), MessageIcon::Critical},
            m_module.identity().CheckTitle);
        return;
    }
    m_module.document().judgeRow(rowOfSlot(i), index);
    DisableScale();
    showStep(nextStep());
}

void requisiti::numero_Click(int index)
{
    // The row keeps its judgement, and the figures stay true, until a step of the scale is
    // chosen; Esc leaves it as it is.
    CurrentRowSlot = index;
    m_selectedSlot = index;
    EnableScale();
    showStep(QStringLiteral("scegliere il nuovo giudizio della caratteristica n.") +
             signBlankText(rowOfSlot(index)));
}

void requisiti::scroll_Change(int index)
{
    m_selectedSlot = index;
    m_module.document().weighRow(rowOfSlot(index), scroll[index]->position());
    weightAccepted();
    showStep(nextStep());
}

void requisiti::percentuale_Edited(int index, const QString& text)
{
    // Said while typing, never blocked: a text the user did not mean (7.5 kept as 75) would be
    // worse than a refusal. Committing refuses it.
    const std::optional<QString> problem = weightTypingProblem(text);
    markWeight(index, problem.has_value());
    if (problem) {
        refuseWeight(index, *problem);
    } else {
        weightAccepted();
    }
}

void requisiti::markWeight(int index, bool wrong)
{
    QPalette palette;
    if (wrong) {
        palette = percentuale[index]->palette();
        palette.setColor(QPalette::Text, colours::Warning);
    }
    percentuale[index]->setPalette(palette);
}

void requisiti::percentuale_Change(int index)
{
    QLineEdit* box = percentuale[index];
    // Leaving a box untouched commits nothing: it may show a weight no one could type (25,25).
    if (!box->isModified()) {
        return;
    }
    box->setModified(false);
    m_selectedSlot = index;
    const int r = rowOfSlot(index);
    const Value& stored = m_module.document().study().row(m_module.document().shownHypothesis(), r).weight;
    const WeightReading typed = readTypedWeight(box->text());
    if (!typed.weight) {
        showWeight(index, stored);
        refuseWeight(index, typed.problem);
        return;
    }
    if (stored == Value::text(storedWeightText(*typed.weight))) {
        showWeight(index, stored); // "35,0" reads 35 again
    } else {
        m_module.document().typeRowWeight(r, *typed.weight);
    }
    weightAccepted();
    showStep(nextStep());
}

void requisiti::commitTypedWeights()
{
    for (int i = 1; i <= Slots; ++i) {
        percentuale_Change(i);
    }
}

void requisiti::refuseWeight(int index, const QString& reason)
{
    tellRefusal(reason);
    // Beside the box, where the user is looking; the hint line keeps it after the tip fades.
    QWidget* box = percentuale[index];
    QToolTip::showText(box->mapToGlobal(QPoint(0, box->height())), reason, box);
}

void requisiti::tellRefusal(const QString& reason)
{
    if (!m_refusal) {
        m_refusal = Refusal{stepText(), {}};
    }
    m_refusal->reason = reason;
    showStep(reason);
}

void requisiti::weightAccepted()
{
    if (!m_refusal) {
        return;
    }
    // Unless another step has been suggested since.
    if (stepText() == m_refusal->reason) {
        showStep(m_refusal->hint);
    }
    m_refusal.reset();
    QToolTip::hideText();
}

void requisiti::completa_Click()
{
    commitTypedWeights();
    if (!m_selectedSlot) {
        tellRefusal(QStringLiteral("Per completare a 100, cliccare prima sulla caratteristica."));
        return;
    }
    completeRow(*m_selectedSlot);
}

void requisiti::completeRow(int index)
{
    m_selectedSlot = index;
    if (const std::optional<QString> problem = m_module.document().completeRowTo100(rowOfSlot(index))) {
        refuseWeight(index, *problem);
        return;
    }
    weightAccepted();
}

void requisiti::showRowMenu(int index, QWidget* at, const QPoint& position)
{
    // The box's own editing entries, when it is the box, below the row's command.
    QMenu* menu = at == percentuale[index] ? percentuale[index]->createStandardContextMenu() : new QMenu(at);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setObjectName(QStringLiteral("rowMenu"));
    auto* complete = new QAction(QStringLiteral("Completa a &100"), menu);
    complete->setObjectName(QStringLiteral("completa"));
    complete->setToolTip(QStringLiteral("dare a questa caratteristica il resto da assegnare"));
    connect(complete, &QAction::triggered, this, [this, index] { completeRow(index); });
    QAction* first = menu->actions().value(0);
    menu->insertAction(first, complete);
    if (first) {
        menu->insertSeparator(first);
    }
    menu->popup(at->mapToGlobal(position));
}

void requisiti::VScroll1_Change()
{
    commitTypedWeights();
    m_module.document().showRowsFrom(VScroll1->value());
}

void requisiti::HScroll1_Change()
{
    commitTypedWeights();
    // The row last clicked belongs to the hypothesis left.
    m_selectedSlot.reset();
    m_module.document().showHypothesis(HScroll1->value());
}

void requisiti::showCurrentHypothesis()
{
    const StudyDocument& document = m_module.document();
    const int h = document.shownHypothesis();
    {
        const QSignalBlocker blocker(HScroll1);
        HScroll1->setValue(h);
    }
    hypothesisNumber->setText(QStringLiteral("Ipotesi n.") + signBlankText(h));
    setSpokenName(HScroll1, QStringLiteral("barra delle ipotesi: ipotesi %1 di %2")
                                .arg(h)
                                .arg(std::max(h, document.study().highestNamedSlot())));
    const QString name = document.study().hypothesis(h).name.toDisplayText();
    if (ipotesi->text() != name) {
        // The study already holds this name: showing it is no edit.
        const QSignalBlocker blocker(ipotesi);
        ipotesi->setText(name);
        showStep(nextStep());
    }
    ShowRows();
    DisableScale();
}

void requisiti::ipotesi_Change()
{
    m_module.document().nameHypothesis(ipotesi->text());
    showStep(nextStep());
}

QString requisiti::nextStep() const
{
    const StudyDocument& document = m_module.document();
    if (NothingEntered(document.study())) {
        return QStringLiteral("prelevare un file dall'archivio o iniziare a digitare l'ipotesi");
    }
    const Hypothesis& hyp = document.study().hypothesis(document.shownHypothesis());
    if (hyp.name.isEmpty()) {
        return QStringLiteral("digitare il nome dell'ipotesi");
    }
    // The row being worked on first, then the others in order.
    QList<int> rows;
    if (CurrentRowSlot) {
        rows << rowOfSlot(*CurrentRowSlot);
    }
    for (int r = 1; r <= MaxRows; ++r) {
        rows << r;
    }
    bool anyTicked = false;
    for (const int r : rows) {
        const CharacteristicEntry& row = hyp.rows.at(std::size_t(r));
        if (!row.isTicked()) {
            continue;
        }
        anyTicked = true;
        if (row.name.isEmpty()) {
            return QStringLiteral("scegliere la caratteristica n.") + signBlankText(r);
        }
        if (row.judgement.isEmpty()) {
            return QStringLiteral("scegliere il giudizio della caratteristica n.") + signBlankText(r);
        }
    }
    if (!anyTicked) {
        return QStringLiteral("spuntare una caratteristica, sceglierla e indicarne il giudizio");
    }
    const QString remainder = scoreFigures(hyp).resto;
    if (remainder != QStringLiteral("0")) {
        return QStringLiteral("assegnare i pesi fino a resto zero (resto %1 %)").arg(remainder);
    }
    return QStringLiteral("spuntare un'altra caratteristica o indicare la successiva ipotesi");
}

void requisiti::showFigures(const ScoreFigures& figures)
{
    if (resto->text() != figures.resto) {
        announce(QStringLiteral("resto da assegnare: ") + figures.resto + QStringLiteral(" %"));
    }
    media->setText(figures.media);
    resto->setText(figures.resto);
    ponderata->setText(figures.ponderata);
    // Named with what they are, so that the change is heard as "resto da assegnare: 15".
    setSpokenName(media, QStringLiteral("media dei coefficienti: ") + figures.media);
    setSpokenName(resto, QStringLiteral("resto da assegnare: ") + figures.resto + QStringLiteral(" %"));
    setSpokenName(ponderata, QStringLiteral("coefficiente ponderato: ") + figures.ponderata);
    for (int i = 1; i <= Slots; ++i) {
        describeRow(i);
    }
}

bool requisiti::runCheck(bool tellPass)
{
    commitTypedWeights();
    // The document shows where the check stopped, and the window with it.
    const DataCheckResult result = m_module.document().checkData();
    if (!result.passed || tellPass) {
        m_module.showMessage(this, result.message, m_module.identity().CheckTitle);
    }
    return result.passed;
}

bool requisiti::checkQuietly()
{
    return runCheck(false);
}

void requisiti::controllodati_Click()
{
    runCheck(true);
}

void requisiti::cancellare_Click()
{
    m_module.document().clearShownHypothesis();
}

void requisiti::aiuto_Click()
{
    const QString title = m_module.identity().HelpTitle;
    // Guided by the whole hypothesis, not by the rows in view.
    const Hypothesis& shown = m_module.document().study().hypothesis(m_module.document().shownHypothesis());
    const bool started =
        std::any_of(shown.rows.begin() + 1, shown.rows.end(),
                    [](const CharacteristicEntry& row) { return row.isTicked() || !row.name.isEmpty(); });
    if (started) {
        if (checkQuietly()) {
            m_module.showMessage(
                this,
                // Unticking a row to re-judge it would erase its name, judgement and weight: the
                // row number is the way back to a row already entered.
                {QStringLiteral(
                     "- Spuntare la caratteristica da valutare o, per correggerne una già spuntata, "
                     "cliccare sul suo numero di riga e poi sul nuovo giudizio;\r"
                     "- passare ad un'altra ipotesi cliccando sulla barra di scorrimento orizzontale;\r"
                     "- oppure archiviare i dati (Pondra-dati-...) o cliccare su 'Risultati'."),
                 MessageIcon::Information},
                title);
        }
        return;
    }
    m_module.showMessage(
        this,
        {QStringLiteral("- Digitare il nome dell'ipotesi da valutare;\r"
                        "- spuntare e digitare una caratteristica per volta (almeno una);\r"
                        "- cliccare sul corrispondente giudizio prescelto;\r"
                        "- digitare i pesi in % o modificarli con le frecce laterali;\r"
                        "- o aprire un file archiviato, del tipo Pondra-dati-..., per prelevare i dati."),
         MessageIcon::Information},
        title);
}

std::optional<int> requisiti::scaleStepForKey(const QKeyEvent& key) const
{
    if (!scala[1]->isEnabled()) {
        return std::nullopt;
    }
    // On the row's judgement the letter alone will do, as in a list.
    const bool onJudgement =
        key.modifiers() == Qt::NoModifier &&
        std::find(numero.begin() + 1, numero.end(), QApplication::focusWidget()) != numero.end();
    for (int n = 1; n <= JudgementSteps; ++n) {
        const QKeySequence mnemonic = QKeySequence::mnemonic(scala[n]->text());
        if (mnemonic == QKeySequence(key.keyCombination()) ||
            (onJudgement && mnemonic == QKeySequence(Qt::ALT | Qt::Key(key.key())))) {
            return n;
        }
    }
    return std::nullopt;
}

bool requisiti::scaleKey(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this) {
        return false;
    }
    const auto& key = *static_cast<QKeyEvent*>(event);
    if (event->type() == QEvent::ShortcutOverride) {
        m_swallowedKey.reset();
        // Taken before any shortcut of the window that shares the letter: the step is chosen
        // here, and the key press that follows is swallowed.
        if (const std::optional<int> n = scaleStepForKey(key)) {
            event->accept();
            m_swallowedKey = key.keyCombination();
            scala[*n]->click();
            return true;
        }
        return false;
    }
    if (m_swallowedKey && key.keyCombination() == *m_swallowedKey) {
        m_swallowedKey.reset();
        return true;
    }
    return false;
}

std::optional<int> requisiti::weightBoxSlot(QObject* watched) const
{
    for (int i = 1; i <= Slots; ++i) {
        if (watched == percentuale[i]) {
            return i;
        }
    }
    return std::nullopt;
}

bool requisiti::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        // Up and down in a weight box step it as its arrows do, from what was typed.
        if (const int key = static_cast<QKeyEvent*>(event)->key(); key == Qt::Key_Up || key == Qt::Key_Down) {
            if (const std::optional<int> i = weightBoxSlot(watched)) {
                percentuale_Change(*i);
                key == Qt::Key_Up ? scroll[*i]->stepUp() : scroll[*i]->stepDown();
                return true;
            }
        }
        // The keypad's decimal key types the decimal comma, whatever the keyboard's layout.
        if (const auto* key = static_cast<QKeyEvent*>(event);
            key->modifiers().testFlag(Qt::KeypadModifier) && key->text() == QStringLiteral(".")) {
            if (const std::optional<int> i = weightBoxSlot(watched)) {
                QKeyEvent comma(QEvent::KeyPress, Qt::Key_Comma, key->modifiers(), QStringLiteral(","));
                QCoreApplication::sendEvent(percentuale[*i], &comma);
                return true;
            }
        }
        // Esc in a weight box gives back the weight stored.
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            if (const std::optional<int> i = weightBoxSlot(watched)) {
                const StudyDocument& document = m_module.document();
                showWeight(*i, document.study().row(document.shownHypothesis(), rowOfSlot(*i)).weight);
                weightAccepted();
                return true;
            }
        }
        return scaleKey(watched, event);
    case QEvent::ShortcutOverride:
        return scaleKey(watched, event);
    case QEvent::FocusIn:
        if (const std::optional<int> i = weightBoxSlot(watched)) {
            m_selectedSlot = *i;
        }
        break;
    case QEvent::MouseMove:
        if (watched == centralWidget()) {
            for (int r = 1; r <= MaxRows; ++r) {
                markRow(r, Yellow);
            }
        }
        break;
    case QEvent::Wheel:
        return rowAreaWheel(watched, static_cast<QWheelEvent*>(event));
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void requisiti::markRow(int r, const QColor& colour)
{
    // The mark belongs to the row, so it scrolls with it.
    m_rowMarks[std::size_t(r)] = colour;
    if (const std::optional<int> slot = slotOfRow(r)) {
        setColours(numero[*slot], colour);
    }
}

bool requisiti::rowAreaWheel(QObject* watched, QWheelEvent* event)
{
    // Over a name field the wheel scrolls the rows and never changes the name. An open list is
    // a window of its own and scrolls as usual.
    for (int i = 1; i <= Slots; ++i) {
        if (watched == requisito[i]) {
            QCoreApplication::sendEvent(VScroll1, event);
            return true;
        }
    }
    // What the rows do not take themselves reaches the window's client area: over the rows it
    // scrolls them.
    if (watched == centralWidget()) {
        const QRect rows =
            numero[1]->geometry().united(scroll[Slots]->geometry()).united(VScroll1->geometry());
        if (rows.contains(event->position().toPoint())) {
            // Sent, so it goes no further: at the end of its range the bar ignores it.
            QCoreApplication::sendEvent(VScroll1, event);
            return true;
        }
    }
    return false;
}

} // namespace pondra
