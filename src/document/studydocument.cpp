#include "studydocument.h"

#include "archive/datafile.h"
#include "model/fairness.h"
#include "model/rowediting.h"
#include "model/textrules.h"
#include "model/weight.h"
#include "model/weightshift.h"

#include <QFileInfo>

#include <algorithm>

namespace pondra {

StudyDocument::StudyDocument(const QDate& today, QObject* parent)
    : QObject(parent), m_study(std::make_unique<Study>()), m_today(today),
      m_ranking(std::make_unique<Ranking>())
{
    m_titlePage.data = italianLongDate(today);
    m_savedRevision = m_study->revision();
    m_history.onRestored = [this](const ChangePlace& place) {
        Q_EMIT titlePageChanged();
        Q_EMIT stepRestored(place);
        Q_EMIT edited();
    };
}

StudyDocument::~StudyDocument() = default;

bool StudyDocument::isCurrentFile(const QString& path) const
{
    // Compared by canonical path while both exist, so links and "." do not hide the match.
    return !m_fileName.isEmpty() && QFileInfo(path) == QFileInfo(m_fileName);
}

void StudyDocument::showHypothesis(int h)
{
    m_shown = std::clamp(h, 1, MaxHypotheses);
    const ScoreFigures figures = Recalculate(*m_study, m_shown);
    Q_EMIT shownHypothesisChanged(m_shown);
    Q_EMIT figuresChanged(figures);
}

void StudyDocument::showRowsFrom(int firstRow)
{
    m_firstRow = std::clamp(firstRow, 1, MaxFirstShownRow);
    Q_EMIT firstShownRowChanged(m_firstRow);
}

void StudyDocument::returnToStart()
{
    m_shown = 1;
    showRowsFrom(1);
    Q_EMIT shownHypothesisChanged(m_shown);
}

ScoreFigures StudyDocument::scoreShown()
{
    const ScoreFigures figures = Recalculate(*m_study, m_shown);
    Q_EMIT figuresChanged(figures);
    return figures;
}

void StudyDocument::tickRow(int r, bool ticked)
{
    {
        const auto edit =
            m_history.edit(m_shown, (ticked ? QStringLiteral("spunta caratteristica n. %1")
                                            : QStringLiteral("rimozione spunta caratteristica n. %1"))
                                        .arg(r));
        if (ticked) {
            if (const std::optional<QString> offered = NameOfferedOnTick(*m_study, m_shown, r)) {
                SetRowName(*m_study, m_shown, r, *offered);
            }
        }
        SetRowTicked(*m_study, m_shown, r, ticked);
        // An unticked row keeps nothing: its name goes, and its judgement and weight with it.
        if (!ticked && !m_study->row(m_shown, r).name.isEmpty()) {
            SetRowName(*m_study, m_shown, r, QString());
        }
        Q_EMIT rowChanged(m_shown, r);
        if (!ticked) {
            scoreShown();
        }
    }
    Q_EMIT edited();
}

void StudyDocument::nameRow(int r, const QString& name)
{
    {
        const auto edit = m_history.edit(m_shown, QStringLiteral("nome caratteristica n. %1").arg(r),
                                         StudyHistory::Merge::RowName, r);
        SetRowName(*m_study, m_shown, r, name);
        Q_EMIT rowChanged(m_shown, r);
    }
    Q_EMIT edited();
}

void StudyDocument::judgeRow(int r, int step)
{
    {
        const auto edit = m_history.edit(m_shown, QStringLiteral("giudizio caratteristica n. %1").arg(r));
        JudgeRow(*m_study, m_shown, r, step);
        Q_EMIT rowChanged(m_shown, r);
        scoreShown();
    }
    Q_EMIT edited();
}

void StudyDocument::putRowWeight(int r, Decimal weight, const QString& stepText, StudyHistory::Merge merge)
{
    {
        const auto edit = m_history.edit(m_shown, stepText.arg(r), merge, r);
        SetRowWeight(*m_study, m_shown, r, weight);
        Q_EMIT rowChanged(m_shown, r);
        scoreShown();
    }
    Q_EMIT edited();
}

void StudyDocument::weighRow(int r, Decimal weight)
{
    putRowWeight(r, weight, QStringLiteral("peso caratteristica n. %1"), StudyHistory::Merge::Weight);
}

void StudyDocument::typeRowWeight(int r, Decimal weight)
{
    putRowWeight(r, weight, QStringLiteral("peso caratteristica n. %1"), StudyHistory::Merge::None);
}

std::optional<QString> StudyDocument::completeRowTo100(int r)
{
    const WeightReading completing = weightCompleting100(*m_study, m_shown, r);
    if (!completing.weight) {
        return completing.problem;
    }
    putRowWeight(r, *completing.weight, QStringLiteral("completamento a 100 della caratteristica n. %1"),
                 StudyHistory::Merge::None);
    return std::nullopt;
}

void StudyDocument::nameHypothesis(const QString& name)
{
    {
        const auto edit = m_history.edit(m_shown, QStringLiteral("nome ipotesi n. %1").arg(m_shown),
                                         StudyHistory::Merge::HypothesisName, m_shown);
        SetHypothesisName(*m_study, m_shown, name);
        Q_EMIT hypothesisNameChanged(m_shown);
    }
    Q_EMIT edited();
}

void StudyDocument::clearShownHypothesis()
{
    {
        const auto edit = m_history.edit(m_shown, QStringLiteral("cancellazione ipotesi n. %1").arg(m_shown));
        ClearHypothesis(*m_study, m_shown);
        Q_EMIT hypothesisCleared(m_shown);
        scoreShown();
    }
    Q_EMIT edited();
}

namespace {

// The row of hypothesis h named as `key`, 0 when none is.
int rowNamed(const Study& study, int h, const QString& key)
{
    for (int r = 1; r <= study.lastNamedRowOf(h); ++r) {
        if (!study.row(h, r).name.isEmpty() && characteristicKey(study.row(h, r).name) == key) {
            return r;
        }
    }
    return 0;
}

QStringList namedKeys(const Study& study, int h)
{
    QStringList keys;
    for (int r = 1; r <= study.lastNamedRowOf(h); ++r) {
        if (!study.row(h, r).name.isEmpty()) {
            keys << characteristicKey(study.row(h, r).name);
        }
    }
    keys.sort();
    return keys;
}

} // namespace

void StudyDocument::putHypotheses(const QString& text, const std::vector<std::pair<int, Hypothesis>>& changed)
{
    std::vector<std::pair<int, const Hypothesis*>> differing;
    for (const auto& [h, target] : changed) {
        const Hypothesis& now = m_study->hypothesis(h);
        if (!(now.rows == target.rows && now.LastNamedRow == target.LastNamedRow &&
              now.comparison == target.comparison)) {
            differing.emplace_back(h, &target);
        }
    }
    if (differing.empty()) {
        return;
    }
    {
        const auto group = m_history.group(text);
        for (const auto& [h, target] : differing) {
            const auto edit = m_history.edit(h, text);
            Hypothesis& hyp = m_study->hypothesis(h);
            const Hypothesis before = hyp;
            hyp.rows = target->rows;
            hyp.LastNamedRow = target->LastNamedRow;
            hyp.comparison = target->comparison;
            m_study->noteEdit();
            Recalculate(*m_study, h);
            for (int r = 1; r <= MaxRows; ++r) {
                if (!(before.rows.at(std::size_t(r)) == hyp.rows.at(std::size_t(r)))) {
                    Q_EMIT rowChanged(h, r);
                }
            }
        }
        scoreShown();
    }
    Q_EMIT edited();
}

void StudyDocument::applyPairwiseWeights(const PairwiseComparison& comparison,
                                         bool everyHypothesisWithThoseNames)
{
    const int n = comparison.size();
    if (n < MinCompared || int(comparison.steps.size()) != n * (n - 1) / 2) {
        return;
    }
    const std::vector<int> percents = wholePercents(pairwiseFigures(comparison.matrix(), n).weights);
    std::vector<std::pair<int, Hypothesis>> changed;
    Hypothesis shown = m_study->hypothesis(m_shown);
    QStringList keys;
    for (int i = 0; i < n; ++i) {
        const int r = comparison.rows.at(std::size_t(i));
        shown.rows.at(std::size_t(r)).weight = Value::text(storedWeightText(percents.at(std::size_t(i))));
        keys << characteristicKey(shown.rows.at(std::size_t(r)).name);
    }
    shown.comparison = comparison;
    changed.emplace_back(m_shown, std::move(shown));
    if (everyHypothesisWithThoseNames) {
        QStringList sortedKeys = keys;
        sortedKeys.sort();
        for (int h = 1; h <= MaxHypotheses; ++h) {
            if (h == m_shown || m_study->hypothesis(h).name.isEmpty() ||
                namedKeys(*m_study, h) != sortedKeys) {
                continue;
            }
            Hypothesis other = m_study->hypothesis(h);
            for (int i = 0; i < n; ++i) {
                const int r = rowNamed(*m_study, h, keys.at(i));
                other.rows.at(std::size_t(r)).weight =
                    Value::text(storedWeightText(percents.at(std::size_t(i))));
            }
            changed.emplace_back(h, std::move(other));
        }
    }
    putHypotheses(QStringLiteral("pesi a confronto"), changed);
}

void StudyDocument::applyCharacteristicWeight(const QString& key, Decimal weight)
{
    std::vector<std::pair<int, Hypothesis>> changed;
    QString name;
    for (int h = 1; h <= MaxHypotheses; ++h) {
        const Hypothesis& hyp = m_study->hypothesis(h);
        if (!hyp.name.isEmpty()) {
            changed.emplace_back(h, withCharacteristicWeight(hyp, key, weight));
        }
        for (int r = 1; name.isEmpty() && r <= m_study->lastNamedRowOf(h); ++r) {
            if (characteristicKey(hyp.rows.at(std::size_t(r)).name) == key) {
                name = hyp.rows.at(std::size_t(r)).name.toDisplayText().trimmed();
            }
        }
    }
    putHypotheses(QStringLiteral("peso di «%1»").arg(name), changed);
}

void StudyDocument::copyCharacteristicsToOtherHypotheses()
{
    const Hypothesis& shown = m_study->hypothesis(m_shown);
    const int shownLast = m_study->lastNamedRowOf(m_shown);
    std::vector<std::pair<int, Hypothesis>> changed;
    for (int h = 1; h <= MaxHypotheses; ++h) {
        if (h == m_shown || m_study->hypothesis(h).name.isEmpty()) {
            continue;
        }
        const Hypothesis& was = m_study->hypothesis(h);
        Hypothesis other = was;
        const int last = std::max(shownLast, m_study->lastNamedRowOf(h));
        for (int r = 1; r <= last; ++r) {
            const CharacteristicEntry& model = shown.rows.at(std::size_t(r));
            CharacteristicEntry& row = other.rows.at(std::size_t(r));
            if (model.name.isEmpty()) {
                row = CharacteristicEntry();
                row.ticked = Value::integer(0);
                row.name = row.judgement = row.judgementNumber = row.coefficient = row.weight =
                    Value::text(QString());
                continue;
            }
            const int from = rowNamed(*m_study, h, characteristicKey(model.name));
            if (from > 0) {
                row = was.rows.at(std::size_t(from));
            } else {
                row = CharacteristicEntry();
                row.judgement = row.judgementNumber = row.coefficient = Value::text(QString());
            }
            row.ticked = model.ticked;
            row.name = model.name;
            row.weight = model.weight;
        }
        other.LastNamedRow = shown.LastNamedRow;
        // Its weights are now the shown one's, and so is where they came from.
        other.comparison = shown.comparison;
        changed.emplace_back(h, std::move(other));
    }
    putHypotheses(QStringLiteral("copia caratteristiche e pesi nelle altre ipotesi"), changed);
}

void StudyDocument::putTitlePage(const TitlePage& page)
{
    if (page == m_titlePage) {
        return;
    }
    m_titlePage = page;
    // The title page is saved with the study, so its changes are the study's.
    m_study->noteEdit();
    Q_EMIT titlePageChanged();
}

void StudyDocument::setTitleField(int i, const QString& text)
{
    {
        const auto edit =
            m_history.edit(m_shown, QStringLiteral("modifica «%1»").arg(TitlePage::fieldCaption(i)),
                           StudyHistory::Merge::TitleField, i);
        TitlePage page = m_titlePage;
        page.field(i) = text;
        putTitlePage(page);
    }
    Q_EMIT edited();
}

void StudyDocument::clearTitlePage()
{
    {
        const auto edit = m_history.edit(m_shown, QStringLiteral("cancellazione frontespizio"));
        putTitlePage(TitlePage());
    }
    Q_EMIT edited();
}

DataCheckResult StudyDocument::checkData()
{
    const DataCheckResult result = CheckData(*m_study, m_shown);
    // The check goes through the hypotheses unseen. Data that pass leave the user where they
    // were; a problem is shown where it is.
    if (result.passed) {
        Q_EMIT figuresChanged(scoreFigures(m_study->hypothesis(m_shown)));
        return result;
    }
    if (result.movedHypothesis) {
        m_shown = result.shown;
        Q_EMIT shownHypothesisChanged(m_shown);
    }
    if (result.figures) {
        Q_EMIT figuresChanged(*result.figures);
    }
    return result;
}

void StudyDocument::rank()
{
    ordina(*m_study, *m_ranking);
    Q_EMIT rankingChanged();
}

void StudyDocument::setFileName(const QString& path)
{
    m_fileNameOnlyProposed = false;
    if (path != m_fileName) {
        m_fileName = path;
        Q_EMIT fileNameChanged(m_fileName);
    }
}

void StudyDocument::replaceStudy(Study&& study, const TitlePage& titlePage, std::optional<QString> fileName)
{
    m_study->replaceWith(std::move(study));
    m_titlePage = titlePage;
    m_history.stack().clear();
    if (fileName) {
        m_savedRevision = m_study->revision();
    } else {
        m_savedRevision.reset();
    }
    setFileName(fileName.value_or(QString()));
    // Shown again, at the same place. A file opened is scored there as showing always scores; a
    // recovered study is kept as it was written until the user shows a hypothesis.
    const ScoreFigures figures =
        fileName ? Recalculate(*m_study, m_shown) : scoreFigures(m_study->hypothesis(m_shown));
    Q_EMIT studyReplaced();
    Q_EMIT shownHypothesisChanged(m_shown);
    Q_EMIT figuresChanged(figures);
    Q_EMIT titlePageChanged();
}

bool StudyDocument::open(const QString& path, QString* error)
{
    // Read beside the study in memory, which a failed read must leave as it was.
    auto read = std::make_unique<Study>();
    TitlePage page;
    if (!loadStudyFile(path, *read, page, error)) {
        return false;
    }
    replaceStudy(std::move(*read), page, path);
    Q_EMIT storedIn(path);
    Q_EMIT edited();
    return true;
}

bool StudyDocument::save(const QString& path, QString* error)
{
    Q_EMIT aboutToSave();
    if (!saveStudyFile(path, *m_study, m_titlePage, error)) {
        return false;
    }
    m_savedRevision = m_study->revision();
    setFileName(path);
    Q_EMIT storedIn(path);
    return true;
}

void StudyDocument::forgetFileName()
{
    setFileName(QString());
}

void StudyDocument::fileDeleted()
{
    m_savedRevision.reset();
    setFileName(QString());
}

void StudyDocument::importStudy(const Study& study, const std::optional<TitlePage>& titlePage)
{
    TitlePage blank;
    blank.data = italianLongDate(m_today);
    replaceStudy(Study(), blank, std::nullopt);
    const QString text = QStringLiteral("importazione dal foglio di calcolo");
    {
        const auto group = m_history.group(text);
        for (int h = 1; h <= MaxHypotheses; ++h) {
            const bool titleChanges = h == 1 && titlePage && !(*titlePage == m_titlePage);
            if (study.hypothesis(h) == m_study->hypothesis(h) && !titleChanges) {
                continue;
            }
            const auto edit = m_history.edit(h, text);
            m_study->hypothesis(h) = study.hypothesis(h);
            if (titleChanges) {
                m_titlePage = *titlePage;
            }
            m_study->noteEdit();
            Recalculate(*m_study, h);
        }
    }
    const ScoreFigures figures = Recalculate(*m_study, m_shown);
    Q_EMIT studyReplaced();
    Q_EMIT shownHypothesisChanged(m_shown);
    Q_EMIT figuresChanged(figures);
    Q_EMIT titlePageChanged();
    Q_EMIT edited();
}

void StudyDocument::adoptRecovered(Study&& study, const TitlePage& titlePage, const QString& fileName)
{
    replaceStudy(std::move(study), titlePage, std::nullopt);
    setFileName(fileName);
    m_fileNameOnlyProposed = !fileName.isEmpty();
    Q_EMIT edited();
}

void StudyDocument::showPlace(const ChangePlace& place)
{
    if (place.row > 0 && (place.row < m_firstRow || place.row >= m_firstRow + VisibleRows)) {
        // The changed row a few rows down from the top, where there is room.
        showRowsFrom(place.row - 4);
    }
    showHypothesis(place.hypothesis);
}

} // namespace pondra
