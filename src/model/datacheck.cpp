#include "datacheck.h"

#include "textrules.h"

#include <algorithm>

namespace pondra {

namespace {

QString hypothesisPrefix(int h)
{
    return QStringLiteral("Ipotesi n.") + signBlankText(h) + QStringLiteral(": ");
}

bool hasTickedRow(const Hypothesis& hyp)
{
    return std::any_of(hyp.rows.begin() + 1, hyp.rows.end(),
                       [](const CharacteristicEntry& row) { return row.isTicked(); });
}

// Neither ticked nor named: the hypothesis has no row at all.
bool hasNoRow(const Hypothesis& hyp)
{
    return std::none_of(hyp.rows.begin() + 1, hyp.rows.end(),
                        [](const CharacteristicEntry& row) { return row.isTicked() || !row.name.isEmpty(); });
}

// What to do about a remainder that is not zero, from the remainder as the window shows it.
QString remainderAdvice(const QString& resto)
{
    if (resto.startsWith(u'-')) {
        const QString excess = resto.mid(1);
        return QStringLiteral("i pesi superano 100 di ") + excess +
               (excess == QLatin1String("1") ? QStringLiteral(" punto") : QStringLiteral(" punti")) +
               QStringLiteral("; ridurli fino ad ottenere resto zero.");
    }
    return QStringLiteral("se non si hanno altre caratteristiche da aggiungere assegnare le percentuali "
                          "fino ad ottenere resto zero.");
}

class Checker {
public:
    Checker(Study& study, int shown) : m_study(study) { m_result.shown = shown; }

    // Shows h unless it already is shown; a shown hypothesis is not scored again. True when it
    // moved, and so scored h.
    bool show(int h)
    {
        if (h == m_result.shown) {
            return false;
        }
        m_result.shown = h;
        m_result.figures = Recalculate(m_study, h);
        m_result.movedHypothesis = true;
        return true;
    }

    DataCheckResult fail(int h, const QString& text, const QString& todo)
    {
        show(h);
        m_result.passed = false;
        m_result.message = {text, MessageIcon::Critical};
        m_result.todo = QStringLiteral("Ipotesi n. %1, %2").arg(h).arg(todo);
        return m_result;
    }

    DataCheckResult run();

private:
    std::optional<DataCheckResult> checkRows(int h);

    Study& m_study;
    DataCheckResult m_result;
};

std::optional<DataCheckResult> Checker::checkRows(int h)
{
    const Hypothesis& hyp = m_study.hypothesis(h);
    const QString prefix = hypothesisPrefix(h);
    if (!hyp.name.isEmpty() && hasNoRow(hyp)) {
        return fail(h, prefix + QStringLiteral("immettere almeno una caratteristica."),
                    QStringLiteral("nessuna caratteristica"));
    }
    const int last = m_study.lastNamedRowOf(h);
    for (int r = 1; r <= last; ++r) {
        const CharacteristicEntry& row = hyp.rows.at(std::size_t(r));
        const QString n = signBlankText(r);
        if (!row.isTicked() && !row.name.isEmpty()) {
            return fail(h, prefix + QStringLiteral("spuntare la caratteristica digitata n.") + n,
                        QStringLiteral("spunta della caratteristica n. %1").arg(r));
        }
        if (row.isTicked() && row.name.isEmpty()) {
            return fail(h, prefix + QStringLiteral("digitare la denominazione della caratteristica n.") + n,
                        QStringLiteral("nome della caratteristica n. %1").arg(r));
        }
        if (row.isTicked() && row.judgement.isEmpty()) {
            return fail(
                h, prefix + QStringLiteral("cliccare sul giudizio da assegnare alla caratteristica n.") + n,
                QStringLiteral("giudizio della caratteristica n. %1").arg(r));
        }
        if (row.isTicked() && hyp.name.isEmpty()) {
            return fail(h, prefix + QStringLiteral("digitare il nome dell'ipotesi n.") + signBlankText(h),
                        QStringLiteral("nome dell'ipotesi"));
        }
    }
    return std::nullopt;
}

DataCheckResult Checker::run()
{
    UpdateLastNamedRow(m_study, m_result.shown);

    if (NothingEntered(m_study)) {
        m_result.message = {noDataText(), MessageIcon::Critical};
        return m_result;
    }

    const int count = m_study.countNamedHypotheses();
    for (int h = 1; h <= count; ++h) {
        if (auto failed = checkRows(h)) {
            return *failed;
        }
    }
    // Ticked rows in an unnamed slot past the named ones would be left out of the next save.
    for (int h = count + 1; h <= MaxHypotheses; ++h) {
        const Hypothesis& hyp = m_study.hypothesis(h);
        if (hyp.name.isEmpty() && hasTickedRow(hyp)) {
            return fail(h,
                        hypothesisPrefix(h) + QStringLiteral("digitare il nome dell'ipotesi n.") +
                            signBlankText(h),
                        QStringLiteral("nome dell'ipotesi"));
        }
    }
    for (int h = 1; h <= count; ++h) {
        // Scoring twice in a row gives the same figures: a move has just scored h.
        if (!show(h)) {
            m_result.figures = Recalculate(m_study, h);
        }
        const ScoreFigures& figures = *m_result.figures;
        if (parseDisplayNumber(figures.resto).value_or(0.0) != 0.0) {
            m_result.message = {hypothesisPrefix(h) + remainderAdvice(figures.resto), MessageIcon::Critical};
            return m_result;
        }
    }
    m_result.passed = true;
    m_result.message = {dataCorrectText(), MessageIcon::Information};
    return m_result;
}

} // namespace

bool NothingEntered(const Study& study)
{
    for (int h = 1; h <= MaxHypotheses; ++h) {
        const Hypothesis& hyp = study.hypothesis(h);
        if (!hyp.name.isEmpty() || hasTickedRow(hyp)) {
            return false;
        }
    }
    return true;
}

DataCheckResult CheckData(Study& study, int shown)
{
    DataCheckResult result = Checker(study, shown).run();
    if (result.passed || !result.todo.isEmpty()) {
        return result;
    }
    // Not a row or a name: nothing entered at all, or the weights of the hypothesis where the
    // check stopped, whose figures it scored last.
    if (!result.figures) {
        result.todo = QStringLiteral("tutti i dati");
        return result;
    }
    const QString& rest = result.figures->resto;
    result.todo =
        rest.startsWith(u'-')
            ? QStringLiteral("Ipotesi n. %1, pesi oltre 100 di %2 %").arg(result.shown).arg(rest.mid(1))
            : QStringLiteral("Ipotesi n. %1, resto %2 %").arg(result.shown).arg(rest);
    return result;
}

} // namespace pondra
