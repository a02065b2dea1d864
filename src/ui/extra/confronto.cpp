#include "confronto.h"

#include "dialogparts.h"

#include "ui/core/modulopondra.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace pondra {

namespace {

enum WeightColumn { NameColumn, PercentColumn, WholeColumn, WeightColumns };

// The rows of hypothesis h that have a name, in order.
std::vector<int> namedRows(const Study& study, int h)
{
    std::vector<int> rows;
    for (int r = 1; r <= study.lastNamedRowOf(h); ++r) {
        if (!study.row(h, r).name.isEmpty()) {
            rows.push_back(r);
        }
    }
    return rows;
}

QString withComma(double value, int decimals)
{
    return QString::number(value, 'f', decimals).replace(u'.', u',');
}

// A matrix entry as the scale writes it: "5", "1", "1/5".
QString entryText(int step)
{
    return step >= 0 ? QString::number(step + 1) : QStringLiteral("1/%1").arg(1 - step);
}

// A typed entry: "5", "1/5", "0,2", "0.2"; nothing when it is no positive number.
std::optional<double> readEntry(const QString& typed)
{
    QString text = typed.trimmed();
    text.replace(u',', u'.');
    bool ok = false;
    if (const qsizetype slash = text.indexOf(u'/'); slash >= 0) {
        bool okDenominator = false;
        const double numerator = text.left(slash).trimmed().toDouble(&ok);
        const double denominator = text.mid(slash + 1).trimmed().toDouble(&okDenominator);
        if (ok && okDenominator && numerator > 0 && denominator > 0) {
            return numerator / denominator;
        }
        return std::nullopt;
    }
    const double value = text.toDouble(&ok);
    return ok && value > 0 ? std::optional(value) : std::nullopt;
}

// The pair (i, j), i < j, of steps index k among n.
std::pair<int, int> pairOf(int n, int k)
{
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            if (PairwiseComparison::pairIndex(n, i, j) == k) {
                return {i, j};
            }
        }
    }
    return {0, 1};
}

QTableWidgetItem* fixedItem(const QString& text, Qt::Alignment alignment = Qt::AlignCenter)
{
    auto* cell = new QTableWidgetItem(text);
    cell->setTextAlignment(alignment | Qt::AlignVCenter);
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return cell;
}

} // namespace

std::optional<QString> pairwiseComparisonProblem(const Study& study, int h)
{
    const int count = int(namedRows(study, h).size());
    if (count < MinCompared) {
        return QStringLiteral("Per confrontare i pesi a coppie servono almeno %1 caratteristiche con il "
                              "nome nell'ipotesi visualizzata; ora ne ha %2.")
            .arg(MinCompared)
            .arg(count);
    }
    if (count > MaxCompared) {
        return QStringLiteral("Si possono confrontare a coppie al più %1 caratteristiche; l'ipotesi "
                              "visualizzata ne ha %2. Conviene raggrupparle o assegnare i pesi nella "
                              "finestra Dati.")
            .arg(MaxCompared)
            .arg(count);
    }
    return std::nullopt;
}

confronto::confronto(ModuloPondra& module) : m_module(module)
{
    setWindowTitle(QStringLiteral("Pondra: pesi a confronto"));

    auto* banner = windowBanner(this, QStringLiteral("pesi delle caratteristiche, confrontate a coppie"));

    Ipotesi = new QLabel(this);
    Ipotesi->setTextFormat(Qt::PlainText);
    Coppia = new QLabel(this);
    Domanda = new QLabel(this);
    // Names come from the study: never markup.
    Domanda->setTextFormat(Qt::PlainText);
    Domanda->setWordWrap(true);
    QFont questionFont = Domanda->font();
    questionFont.setBold(true);
    Domanda->setFont(questionFont);

    Scala = new QSlider(Qt::Horizontal, this);
    Scala->setRange(-MaxStep, MaxStep);
    // The first of the pair on the left, as the question names it first.
    Scala->setInvertedAppearance(true);
    Scala->setInvertedControls(false);
    Scala->setTickPosition(QSlider::TicksBelow);
    Scala->setTickInterval(1);
    Scala->setPageStep(2);
    Scala->setAccessibleName(QStringLiteral("scala dell'importanza tra le due caratteristiche"));
    Scala->setToolTip(QStringLiteral("a sinistra la prima caratteristica più importante, a destra la "
                                     "seconda, al centro ugualmente importanti (frecce per spostarsi)"));
    Prima = new QLabel(this);
    Prima->setTextFormat(Qt::PlainText);
    Seconda = new QLabel(this);
    Seconda->setTextFormat(Qt::PlainText);
    Giudizio = new QLabel(this);
    Giudizio->setTextFormat(Qt::PlainText);
    Giudizio->setAlignment(Qt::AlignCenter);
    Domanda->setBuddy(Scala);

    cmdindietro = new QPushButton(QStringLiteral("&Indietro"), this);
    cmdindietro->setToolTip(QStringLiteral("la coppia precedente"));
    cmdavanti = new QPushButton(QStringLiteral("A&vanti"), this);
    cmdavanti->setToolTip(QStringLiteral("la coppia successiva"));
    connect(cmdindietro, &QPushButton::clicked, this, &confronto::Indietro);
    connect(cmdavanti, &QPushButton::clicked, this, &confronto::Avanti);
    connect(Scala, &QSlider::valueChanged, this, [this](int step) {
        if (!m_showing) {
            setStep(m_pair, step);
        }
    });

    auto* matrixCaption = new QLabel(QStringLiteral("&Matrice dei confronti (riga rispetto a colonna, "
                                                    "da 1/9 a 9; si scrive sopra la diagonale)"),
                                     this);
    matrixCaption->setWordWrap(true);
    Matrice = new QTableWidget(this);
    matrixCaption->setBuddy(Matrice);
    Matrice->setAccessibleName(QStringLiteral("matrice dei confronti"));
    Matrice->setToolTip(QStringLiteral("quante volte la caratteristica della riga è più importante di "
                                       "quella della colonna: 3, 1/3, 1 ..."));
    connect(Matrice, &QTableWidget::cellChanged, this, &confronto::matrixEdited);

    Pesi = new QTableWidget(0, WeightColumns, this);
    Pesi->setHorizontalHeaderLabels(
        {QStringLiteral("caratteristica"), QStringLiteral("peso in %"), QStringLiteral("peso intero")});
    Pesi->verticalHeader()->hide();
    Pesi->setAccessibleName(QStringLiteral("pesi ricavati dai confronti"));
    Pesi->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Pesi->horizontalHeader()->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    Pesi->horizontalHeader()->setSectionResizeMode(PercentColumn, QHeaderView::ResizeToContents);
    Pesi->horizontalHeader()->setSectionResizeMode(WholeColumn, QHeaderView::ResizeToContents);
    Pesi->setToolTip(QStringLiteral("i pesi che i giudizi danno alle caratteristiche; Applica scrive quelli "
                                    "interi, che sommano a 100"));
    Indici = new QLabel(this);
    Indici->setToolTip(QStringLiteral("autovalore massimo, indice di coerenza (CI) e rapporto di coerenza "
                                      "(CR); sotto 0,100 i giudizi sono coerenti"));
    Coerenza = new QLabel(this);
    Coerenza->setTextFormat(Qt::PlainText);
    Coerenza->setWordWrap(true);

    AncheAltre =
        new QCheckBox(QStringLiteral("anche alle altre ipotesi con le &stesse caratteristiche"), this);
    AncheAltre->setToolTip(
        QStringLiteral("scrive gli stessi pesi in ogni altra ipotesi che ha caratteristiche "
                       "con gli stessi nomi, ciascuna nelle proprie righe"));
    cmdapplica = new QPushButton(QStringLiteral("&Applica"), this);
    cmdapplica->setToolTip(QStringLiteral("scrive i pesi interi nell'ipotesi visualizzata (si annulla con "
                                          "Annulla della finestra Dati)"));
    cmdchiudi = new QPushButton(QStringLiteral("&Chiudi"), this);
    cmdchiudi->setToolTip(QStringLiteral("cliccare per chiudere la finestra"));
    cmdguida = new QPushButton(QStringLiteral("&Guida"), this);
    cmdguida->setToolTip(QStringLiteral("la pagina della guida di questa finestra"));
    connect(cmdapplica, &QPushButton::clicked, this, &confronto::Applica);
    connect(cmdchiudi, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdguida, &QPushButton::clicked, this, &confronto::helpRequested);

    auto* steps = new QHBoxLayout;
    steps->addWidget(cmdindietro);
    steps->addWidget(Coppia, 1, Qt::AlignCenter);
    steps->addWidget(cmdavanti);

    auto* left = new QVBoxLayout;
    left->addWidget(Domanda);
    left->addWidget(Scala);
    auto* ends = new QHBoxLayout;
    ends->addWidget(Prima);
    ends->addWidget(Giudizio, 1);
    ends->addWidget(Seconda);
    left->addLayout(ends);
    left->addLayout(steps);
    left->addWidget(matrixCaption);
    left->addWidget(Matrice, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(Pesi, 1);
    right->addWidget(Indici);
    right->addWidget(Coerenza);

    auto* middle = new QHBoxLayout;
    middle->addLayout(left, 3);
    middle->addLayout(right, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(AncheAltre);
    buttons->addStretch();
    buttons->addWidget(cmdapplica);
    buttons->addWidget(cmdguida);
    buttons->addWidget(cmdchiudi);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(banner);
    layout->addWidget(Ipotesi);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);
    resize(900, 560);

    const std::initializer_list<std::pair<QWidget*, const char*>> names{
        {Ipotesi, "Ipotesi"},       {Coppia, "Coppia"},       {Domanda, "Domanda"},
        {Scala, "Scala"},           {Giudizio, "Giudizio"},   {cmdindietro, "cmdindietro"},
        {cmdavanti, "cmdavanti"},   {Matrice, "Matrice"},     {Pesi, "Pesi"},
        {Indici, "Indici"},         {Coerenza, "Coerenza"},   {AncheAltre, "AncheAltre"},
        {cmdapplica, "cmdapplica"}, {cmdchiudi, "cmdchiudi"}, {cmdguida, "cmdguida"}};
    for (const auto& [widget, name] : names) {
        widget->setObjectName(QString::fromLatin1(name));
    }
    const std::array<QWidget*, 9> tabOrder{Scala,      cmdindietro, cmdavanti, Matrice,  Pesi,
                                           AncheAltre, cmdapplica,  cmdguida,  cmdchiudi};
    for (std::size_t t = 1; t < tabOrder.size(); ++t) {
        setTabOrder(tabOrder[t - 1], tabOrder[t]);
    }

    // Another hypothesis shown, a step undone, another study: the judgements start again from
    // what the document holds.
    StudyDocument& document = m_module.document();
    const auto reload = [this] {
        if (isVisible() && !Carica()) {
            close();
        }
    };
    connect(&document, &StudyDocument::shownHypothesisChanged, this, reload);
    connect(&document, &StudyDocument::studyReplaced, this, reload);
}

confronto::~confronto() = default;

QString confronto::nameOf(int i) const
{
    return m_names.value(i);
}

bool confronto::Carica()
{
    const Study& study = m_module.study();
    const int h = m_module.document().shownHypothesis();
    if (pairwiseComparisonProblem(study, h)) {
        return false;
    }
    m_hypothesis = h;
    const std::vector<int> rows = namedRows(study, h);
    const int n = int(rows.size());
    m_names.clear();
    for (int r : rows) {
        m_names << study.row(h, r).name.toDisplayText().trimmed();
    }
    const std::optional<PairwiseComparison>& stored = study.hypothesis(h).comparison;
    if (stored && stored->rows == rows && int(stored->steps.size()) == n * (n - 1) / 2) {
        m_comparison = *stored;
    } else {
        m_comparison = PairwiseComparison{rows, std::vector<int>(std::size_t(n * (n - 1) / 2), 0)};
    }
    Ipotesi->setText(
        QStringLiteral("Ipotesi n. %1: %2").arg(h).arg(study.hypothesis(h).name.toDisplayText()));

    {
        const QSignalBlocker blocker(Matrice);
        Matrice->clear();
        Matrice->setRowCount(n);
        Matrice->setColumnCount(n);
        QStringList headers;
        for (int i = 0; i < n; ++i) {
            headers << QString::number(i + 1);
        }
        QStringList rowHeaders;
        for (int i = 0; i < n; ++i) {
            rowHeaders << QStringLiteral("%1 %2").arg(i + 1).arg(m_names.at(i));
        }
        Matrice->setHorizontalHeaderLabels(headers);
        Matrice->setVerticalHeaderLabels(rowHeaders);
        Matrice->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    }
    Pesi->setRowCount(n);
    m_pair = 0;
    showMatrix();
    showPair();
    showFigures();
    // Ready for the arrow keys on the first pair.
    Scala->setFocus();
    return true;
}

void confronto::showPair()
{
    const int n = m_comparison.size();
    const auto [i, j] = pairOf(n, m_pair);
    const int pairs = int(m_comparison.steps.size());
    m_showing = true;
    Coppia->setText(QStringLiteral("coppia %1 di %2").arg(m_pair + 1).arg(pairs));
    Domanda->setText(
        QStringLiteral("Quanto è più importante «%1» rispetto a «%2»?").arg(nameOf(i), nameOf(j)));
    Scala->setValue(m_comparison.steps.at(std::size_t(m_pair)));
    Prima->setText(QStringLiteral("«%1»").arg(nameOf(i)));
    Seconda->setText(QStringLiteral("«%1»").arg(nameOf(j)));
    Giudizio->setText(stepText(m_comparison.steps.at(std::size_t(m_pair)), nameOf(i), nameOf(j)));
    m_showing = false;
    cmdindietro->setEnabled(m_pair > 0);
    cmdavanti->setEnabled(m_pair < pairs - 1);
}

void confronto::setStep(int pair, int step)
{
    if (pair < 0 || pair >= int(m_comparison.steps.size())) {
        return;
    }
    m_comparison.steps.at(std::size_t(pair)) = std::clamp(step, -MaxStep, MaxStep);
    showMatrix();
    if (pair == m_pair) {
        showPair();
    }
    showFigures();
}

void confronto::showMatrix()
{
    const QSignalBlocker blocker(Matrice);
    const int n = m_comparison.size();
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            if (i == j) {
                Matrice->setItem(i, j, fixedItem(QStringLiteral("1")));
                continue;
            }
            const int step =
                i < j ? m_comparison.steps.at(std::size_t(PairwiseComparison::pairIndex(n, i, j)))
                      : -m_comparison.steps.at(std::size_t(PairwiseComparison::pairIndex(n, j, i)));
            if (i < j) {
                auto* cell = new QTableWidgetItem(entryText(step));
                cell->setTextAlignment(Qt::AlignCenter);
                cell->setToolTip(stepText(step, nameOf(i), nameOf(j)));
                Matrice->setItem(i, j, cell);
            } else {
                // The reciprocal follows the entry above the diagonal.
                QTableWidgetItem* cell = fixedItem(entryText(step));
                cell->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
                Matrice->setItem(i, j, cell);
            }
        }
    }
}

void confronto::matrixEdited(int row, int column)
{
    if (row >= column) {
        return;
    }
    const int n = m_comparison.size();
    const int pair = PairwiseComparison::pairIndex(n, row, column);
    const std::optional<double> value = readEntry(Matrice->item(row, column)->text());
    // A number that is no entry of the scale gives the one nearest; anything else is undone.
    const int step = value ? stepOf(*value) : m_comparison.steps.at(std::size_t(pair));
    m_pair = pair;
    setStep(pair, step);
    showPair();
}

void confronto::showFigures()
{
    const int n = m_comparison.size();
    m_figures = pairwiseFigures(m_comparison.matrix(), n);
    const std::vector<int> whole = wholePercents(m_figures.weights);
    for (int i = 0; i < n; ++i) {
        Pesi->setItem(i, NameColumn, fixedItem(nameOf(i), Qt::AlignLeft));
        Pesi->setItem(i, PercentColumn, fixedItem(withComma(m_figures.weights.at(std::size_t(i)) * 100, 1)));
        Pesi->setItem(i, WholeColumn, fixedItem(QString::number(whole.at(std::size_t(i)))));
    }
    Indici->setText(QStringLiteral("λmax %1    CI %2    CR %3")
                        .arg(withComma(m_figures.lambdaMax, 3), withComma(m_figures.consistencyIndex, 3),
                             withComma(m_figures.consistencyRatio, 3)));
    if (m_figures.reviseFirst >= 0 && m_figures.reviseSecond >= 0) {
        Coerenza->setText(QStringLiteral("poco coerenti: rivedere il confronto tra «%1» e «%2»")
                              .arg(nameOf(m_figures.reviseFirst), nameOf(m_figures.reviseSecond)));
        Coerenza->setStyleSheet(QStringLiteral("color: #b00000;"));
    } else {
        Coerenza->setText(QStringLiteral("giudizi coerenti"));
        Coerenza->setStyleSheet(QString());
    }
}

void confronto::Avanti()
{
    if (m_pair + 1 < int(m_comparison.steps.size())) {
        ++m_pair;
        showPair();
    }
    Scala->setFocus();
}

void confronto::Indietro()
{
    if (m_pair > 0) {
        --m_pair;
        showPair();
    }
    Scala->setFocus();
}

void confronto::Applica()
{
    // The rows compared must still be those named: the Data window may have changed them.
    const std::vector<int> rows = namedRows(m_module.study(), m_module.document().shownHypothesis());
    if (m_module.document().shownHypothesis() != m_hypothesis || rows != m_comparison.rows) {
        m_module.showMessage(this,
                             {QStringLiteral("Le caratteristiche dell'ipotesi visualizzata sono cambiate: il "
                                             "confronto riparte da quelle attuali."),
                              MessageIcon::Exclamation},
                             QStringLiteral("Pondra: pesi a confronto"));
        if (!Carica()) {
            close();
        }
        return;
    }
    m_module.document().applyPairwiseWeights(m_comparison, AncheAltre->isChecked());
}

} // namespace pondra
