#include "requisiti.h"

#include "clickablelabel.h"
#include "colours.h"
#include "model/datacheck.h"
#include "model/judgementscale.h"
#include "model/rowediting.h"
#include "model/textlimits.h"
#include "model/textrules.h"
#include "model/vocabulary.h"
#include "ui/core/modulopondra.h"
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
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QWheelEvent>

namespace pondra {

namespace {

const QColor Cyan(0, 255, 255);
const QColor Red(255, 0, 0);
const QColor Yellow(255, 255, 0);
const QColor Grey(192, 192, 192);

// The arrows step from the weight shown; a row without one starts from 10.
int arrowPosition(const Value& weight)
{
    if (weight.isEmpty()) {
        return WeightArrows::StartPosition;
    }
    return int(
        std::clamp(weight.toLeadingNumber(), double(WeightArrows::Minimum), double(WeightArrows::Maximum)));
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
}

requisiti::~requisiti() = default;

void requisiti::buildControls()
{
    setWindowTitle(QStringLiteral("Pondra: dati sulle ipotesi e sui relativi requisiti da valutare"));
    auto* client = new QWidget(this);
    client->setMouseTracking(true);
    setCentralWidget(client);

    Label9 = caption(client, QString());
    placeTwips(Label9, 120, 150, 1350, 300);
    ipotesi = new QLineEdit(client);
    ipotesi->setMaxLength(MaxNameLength);
    ipotesi->setToolTip(QStringLiteral("digitare il tipo di ipotesi da valutare"));
    placeTwips(ipotesi, 1500, 120, 3750, 330);
    HScroll1 = new QScrollBar(Qt::Horizontal, client);
    HScroll1->setRange(1, MaxHypotheses);
    HScroll1->setPageStep(5);
    HScroll1->setSingleStep(1);
    HScroll1->setFocusPolicy(Qt::StrongFocus);
    HScroll1->setToolTip(QStringLiteral("passare ad un'altra ipotesi"));
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

    for (int i = 1; i <= Slots; ++i) {
        const int top = FirstRowTop + (i - 1) * RowStep;
        numero[i] = new ClickableLabel(client);
        numero[i]->setAlignment(Qt::AlignCenter);
        numero[i]->setFrameStyle(QFrame::Panel | QFrame::Raised);
        setColours(numero[i], Cyan);
        placeTwips(numero[i], 120, top, 360, RowHeight);
        connect(numero[i], &ClickableLabel::clicked, this, [this, i] { numero_Click(i); });
        connect(numero[i], &ClickableLabel::hovered, this, [this, i] { setColours(numero[i], Red); });

        Check[i] = new QCheckBox(client);
        setColours(Check[i], Grey);
        placeTwips(Check[i], 540, top + 15, 270, RowHeight - 30);
        connect(Check[i], &QCheckBox::clicked, this, [this, i] { Check_Click(i); });

        requisito[i] = new QComboBox(client);
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

        giudizio[i] = valueLabel(client, Qt::AlignLeft);
        giudizio[i]->setIndent(3);
        placeTwips(giudizio[i], 3180, top, 1260, RowHeight);
        valore[i] = valueLabel(client);
        placeTwips(valore[i], 4500, top, 480, RowHeight);
        coefficiente[i] = valueLabel(client);
        placeTwips(coefficiente[i], 5040, top, 510, RowHeight);
        percentuale[i] = valueLabel(client);
        percentuale[i]->setToolTip(QStringLiteral("valore modificabile (da 0 a 100) cliccando sulle frecce"));
        placeTwips(percentuale[i], 5610, top, 540, RowHeight);

        scroll[i] = new WeightArrows(client);
        scroll[i]->setEnabled(false);
        placeTwips(scroll[i], 6180, top, 240, RowHeight);
        connect(scroll[i], &WeightArrows::changed, this, [this, i] { scroll_Change(i); });
    }

    VScroll1 = new QScrollBar(Qt::Vertical, client);
    VScroll1->setRange(1, MaxFirstVisibleRow);
    VScroll1->setPageStep(5);
    VScroll1->setSingleStep(1);
    placeTwips(VScroll1, 6480, FirstRowTop, 240, (Slots - 1) * RowStep + RowHeight);

    Frame1 = new QGroupBox(QStringLiteral("SCALA GIUDIZI"), client);
    Frame1->setToolTip(
        QStringLiteral("giudizi, in ordine decrescente, da esprimere cliccando sul tasto prescelto per "
                       "la caratteristica selezionata"));
    placeTwips(Frame1, 6840, 390, 2640, 3960);
    for (int n = 1; n <= JudgementSteps; ++n) {
        const JudgementStep& step = JudgementScale::step(n);
        scala[n] = new QPushButton(QString::fromUtf16(step.caption), Frame1);
        scala[n]->setToolTip(QString::fromUtf16(step.tooltip));
        scala[n]->setStyleSheet(QStringLiteral("text-align: left; padding-left: 6px;"));
        scala[n]->setEnabled(false);
        placeTwips(scala[n], 120, 300 + (n - 1) * 330, 2400, 315);
        connect(scala[n], &QPushButton::clicked, this, [this, n] { scala_Click(n); });
    }

    const int figuresTop = FirstRowTop + Slots * RowStep + 90;
    auto figure = [&](QLabel*& target, int left, const QString& text, const QString& tooltip) {
        QLabel* label = caption(client, text, tooltip);
        label->setWordWrap(false);
        placeTwips(label, left, figuresTop, 2220, 240);
        target = valueLabel(client);
        target->setToolTip(tooltip);
        placeTwips(target, left, figuresTop + 240, 2100, 300);
    };
    figure(media, 120, QStringLiteral("media dei coefficienti"),
           QStringLiteral("la media dei coefficienti associati ai giudizi sulle caratteristiche"));
    figure(resto, 2400, QStringLiteral("resto da assegnare in %"),
           QStringLiteral("la rimanente parte di percentuale da assegnare alle caratteristiche"));
    figure(ponderata, 4680, QStringLiteral("coeff. ponderato"),
           QStringLiteral("la media dei coefficienti ponderata con le percentuali associate"));

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
    for (std::size_t b = 0; b < buttons.size(); ++b) {
        auto* button = new QPushButton(buttons[b].second.first, client);
        button->setToolTip(buttons[b].second.second);
        button->setEnabled(b == 0);
        placeTwips(button, 120 + int(b) * 1890, buttonsTop, 1800, 390);
        *buttons[b].first = button;
    }
    connect(aiuto, &QPushButton::clicked, this, &requisiti::aiuto_Click);

    passo = valueLabel(client, Qt::AlignLeft);
    passo->setIndent(4);
    placeTwips(passo, 120, buttonsTop + 480, 9360, 300);

    connect(HScroll1, &QScrollBar::valueChanged, this, &requisiti::HScroll1_Change);
    connect(VScroll1, &QScrollBar::valueChanged, this, &requisiti::VScroll1_Change);
    connect(ipotesi, &QLineEdit::textChanged, this, &requisiti::ipotesi_Change);

    auto* previous = new QShortcut(QKeySequence(Qt::Key_PageUp), this);
    connect(previous, &QShortcut::activated, this, [this] { HScroll1->setValue(HScroll1->value() - 1); });
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
    Study& study = m_module.study();
    study.FirstVisibleRow = 1;
    study.CurrentHypothesis = 1;
    setStep(QStringLiteral("prelevare un file dall'archivio o iniziare a digitare l'ipotesi"));
    HScroll1->setValue(1);
    resto->setText(QStringLiteral("0"));

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
    // A window loaded again over a study still in memory shows its first hypothesis with the
    // figures of its rows, so that a tick cannot silently overwrite rows the screen did not show.
    {
        const QSignalBlocker blocker(ipotesi);
        ipotesi->setText(study.hypothesis(1).name.toDisplayText());
    }
    if (NothingEntered(study)) {
        ShowRows();
    } else {
        showCurrentHypothesis();
        showFigures(Recalculate(study));
    }
}

int requisiti::rowOfSlot(int index) const
{
    return m_module.study().FirstVisibleRow + index - 1;
}

void requisiti::setStep(const QString& text)
{
    passo->setText(text);
}

void requisiti::ShowRows()
{
    const Study& study = m_module.study();
    const int h = study.CurrentHypothesis;
    for (int i = 1; i <= Slots; ++i) {
        const int r = rowOfSlot(i);
        const CharacteristicEntry& row = study.row(h, r);
        numero[i]->setText(QString::number(r));
        Check[i]->setChecked(row.isTicked());
        {
            // Showing a stored name is not an edit of it.
            const QSignalBlocker blocker(requisito[i]);
            requisito[i]->setEditText(row.name.toDisplayText());
        }
        giudizio[i]->setText(row.judgement.toDisplayText());
        valore[i]->setText(row.judgementNumber.toDisplayText());
        coefficiente[i]->setText(row.coefficient.toDisplayText());
        percentuale[i]->setText(row.weight.toDisplayText());
        scroll[i]->setPosition(arrowPosition(row.weight));
        requisito[i]->setEnabled(row.isTicked());
        scroll[i]->setEnabled(row.isTicked());
    }
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

void requisiti::setNameField(int index, const QString& text)
{
    // A setting by the program that leaves the text as it is runs nothing.
    if (requisito[index]->currentText() != text) {
        requisito[index]->setEditText(text);
    }
}

void requisiti::Check_Click(int index)
{
    Study& study = m_module.study();
    const int r = rowOfSlot(index);
    const bool ticked = Check[index]->isChecked();
    const auto edit =
        m_module.history().edit((ticked ? QStringLiteral("spunta caratteristica n. %1")
                                        : QStringLiteral("rimozione spunta caratteristica n. %1"))
                                    .arg(r));
    if (ticked) {
        // An empty row takes the name of the same row of the previous hypothesis, stored at once.
        if (const std::optional<QString> offered = NameOfferedOnTick(study, r)) {
            {
                const QSignalBlocker blocker(requisito[index]);
                requisito[index]->setEditText(*offered);
            }
            requisito_Change(index);
        }
    }
    CurrentRowSlot = index;
    SetRowTicked(study, r, ticked);
    if (ticked) {
        EnableScale();
        scroll[index]->setEnabled(true);
        requisito[index]->setEnabled(true);
        requisito[index]->setFocus();
        setStep(QStringLiteral("scegliere la caratteristica"));
    } else {
        setNameField(index, QString());
        CloseRow();
    }
}

void requisiti::requisito_Change(int index)
{
    const QString text = requisito[index]->currentText();
    const int r = rowOfSlot(index);
    // The letters typed into one name make one step.
    const auto edit = m_module.history().edit(QStringLiteral("nome caratteristica n. %1").arg(r),
                                              StudyHistory::Merge::RowName, r);
    SetRowName(m_module.study(), r, text);
    if (text.isEmpty()) {
        for (QLabel* label : {giudizio[index], valore[index], coefficiente[index], percentuale[index]}) {
            label->clear();
        }
    }
    setStep(QStringLiteral("scegliere il giudizio"));
}

void requisiti::CloseRow()
{
    DisableScale();
    if (CurrentRowSlot) {
        scroll[*CurrentRowSlot]->setEnabled(false);
        requisito[*CurrentRowSlot]->setEnabled(false);
    }
    ShowRows();
    showFigures(Recalculate(m_module.study()));
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
    Study& study = m_module.study();
    const auto edit =
        m_module.history().edit(QStringLiteral("giudizio caratteristica n. %1").arg(rowOfSlot(i)));
    JudgeRow(study, rowOfSlot(i), index);
    giudizio[i]->setText(JudgementScale::adjective(index));
    coefficiente[i]->setText(JudgementScale::coefficientText(index));
    valore[i]->setText(QString::number(index));
    showFigures(Recalculate(study));
    DisableScale();
    setStep(QStringLiteral("spuntare un'altra caratteristica o indicare la successiva ipotesi"));
}

void requisiti::numero_Click(int index)
{
    // Only the labels are blanked: the stored judgement stays until a scale button is clicked.
    giudizio[index]->clear();
    valore[index]->clear();
    coefficiente[index]->clear();
    CurrentRowSlot = index;
    EnableScale();
}

void requisiti::scroll_Change(int index)
{
    // The clicks on one row's arrows make one step.
    const int r = rowOfSlot(index);
    const auto edit = m_module.history().edit(QStringLiteral("peso caratteristica n. %1").arg(r),
                                              StudyHistory::Merge::Weight, r);
    const int weight = scroll[index]->position();
    percentuale[index]->setText(QString::number(weight));
    SetRowWeight(m_module.study(), rowOfSlot(index), weight);
    showFigures(Recalculate(m_module.study()));
}

void requisiti::VScroll1_Change()
{
    m_module.study().FirstVisibleRow = VScroll1->value();
    ShowRows();
}

void requisiti::HScroll1_Change()
{
    Study& study = m_module.study();
    study.CurrentHypothesis = HScroll1->value();
    study.recountHypotheses();
    showCurrentHypothesis();
    showFigures(Recalculate(study));
}

void requisiti::showCurrentHypothesis()
{
    const Study& study = m_module.study();
    const int h = study.CurrentHypothesis;
    {
        const QSignalBlocker blocker(HScroll1);
        HScroll1->setValue(h);
    }
    Label9->setText(QStringLiteral("Ipotesi n.") + signBlankText(h));
    const QString name = study.hypothesis(h).name.toDisplayText();
    if (ipotesi->text() != name) {
        // The study already holds this name: showing it only counts and guides.
        const QSignalBlocker blocker(ipotesi);
        ipotesi->setText(name);
        setStep(QStringLiteral("spuntare una caratteristica, sceglierla e indicarne il giudizio"));
    }
    ShowRows();
    DisableScale();
}

void requisiti::ipotesi_Change()
{
    const int h = m_module.study().CurrentHypothesis;
    const auto edit = m_module.history().edit(QStringLiteral("nome ipotesi n. %1").arg(h),
                                              StudyHistory::Merge::HypothesisName, h);
    SetHypothesisName(m_module.study(), ipotesi->text());
    setStep(QStringLiteral("spuntare una caratteristica, sceglierla e indicarne il giudizio"));
}

void requisiti::showFigures(const ScoreFigures& figures)
{
    media->setText(figures.media);
    resto->setText(figures.resto);
    ponderata->setText(figures.ponderata);
}

void requisiti::controllodati_Click()
{
    const DataCheckResult result = CheckData(m_module.study());
    if (result.movedHypothesis) {
        showCurrentHypothesis();
    }
    if (result.figures) {
        showFigures(*result.figures);
    }
    if (!result.passed) {
        m_module.showMessage(this, result.message, m_module.identity().CheckTitle);
        return;
    }
    if (m_module.CheckRequested == 1) {
        m_module.CheckRequested = 0;
        return;
    }
    m_module.showMessage(this, result.message, m_module.identity().CheckTitle);
}

void requisiti::cancellare_Click()
{
    const auto edit = m_module.history().edit(
        QStringLiteral("cancellazione ipotesi n. %1").arg(m_module.study().CurrentHypothesis));
    ponderata->setText(QStringLiteral("0"));
    resto->setText(QStringLiteral("0"));
    ClearShownHypothesis(m_module.study());
    ShowRows();
    showFigures(Recalculate(m_module.study()));
}

void requisiti::aiuto_Click()
{
    const QString title = m_module.identity().HelpTitle;
    if (!requisito[1]->currentText().isEmpty() || Check[1]->isChecked()) {
        m_module.CheckRequested = 1;
        controllodati_Click();
        if (m_module.CheckRequested == 0) {
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
                        "- modificare a piacere, con le frecce laterali, i pesi in %;\r"
                        "- o aprire un file archiviato, del tipo Pondra-dati-..., per prelevare i dati."),
         MessageIcon::Information},
        title);
}

std::optional<int> requisiti::scaleStepForKey(const QKeyEvent& key) const
{
    if (!scala[1]->isEnabled()) {
        return std::nullopt;
    }
    for (int n = 1; n <= JudgementSteps; ++n) {
        if (QKeySequence::mnemonic(scala[n]->text()) == QKeySequence(key.keyCombination())) {
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

bool requisiti::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
        return scaleKey(watched, event);
    case QEvent::MouseMove:
        if (watched == centralWidget()) {
            for (int i = 1; i <= Slots; ++i) {
                setColours(numero[i], Yellow);
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

bool requisiti::rowAreaWheel(QObject* watched, QWheelEvent* event)
{
    // Over a name field the wheel never changes the name. An open list is a window of its own
    // and scrolls as usual.
    for (int i = 1; i <= Slots; ++i) {
        if (watched == requisito[i]) {
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
