#include "studyhistory.h"

#include <algorithm>
#include <vector>

namespace pondra {

namespace {

// Steps kept; typing and arrow clicks merge, so this is an afternoon's work and more.
constexpr int StepLimit = 1000;

// The cells of a hypothesis besides its rows. The scoring's two are carried along with an
// edit but never make a step by themselves.
struct Heading {
    Value name;
    Value LastNamedRow;
    Value EvaluationPercent;
    Value OverallJudgement;
    std::optional<PairwiseComparison> comparison;

    static Heading of(const Hypothesis& h)
    {
        return {h.name, h.LastNamedRow, h.EvaluationPercent, h.OverallJudgement, h.comparison};
    }
    void applyTo(Hypothesis& h) const
    {
        h.name = name;
        h.LastNamedRow = LastNamedRow;
        h.EvaluationPercent = EvaluationPercent;
        h.OverallJudgement = OverallJudgement;
        h.comparison = comparison;
    }
    bool sameEntry(const Heading& other) const
    {
        return name == other.name && LastNamedRow == other.LastNamedRow && comparison == other.comparison;
    }
};

struct RowChange {
    int row;
    CharacteristicEntry before;
    CharacteristicEntry after;
};

} // namespace

struct StudyHistory::Pending {
    QString text;
    Merge merge;
    int place;
    int hypothesis;
    Hypothesis before;
    TitlePage titleBefore;
    quint64 revisionBefore;
};

class StudyHistory::Step : public QUndoCommand {
public:
    Step(StudyHistory& history, const Pending& pending) : QUndoCommand(pending.text), m_history(history)
    {
        m_merge = pending.merge;
        m_place = pending.place;
        m_hypothesis = pending.hypothesis;
        const Hypothesis& now = history.m_study.hypothesis(m_hypothesis);
        m_before = Heading::of(pending.before);
        m_after = Heading::of(now);
        for (int r = 1; r <= MaxRows; ++r) {
            const CharacteristicEntry& was = pending.before.rows.at(std::size_t(r));
            const CharacteristicEntry& is = now.rows.at(std::size_t(r));
            if (!(was == is)) {
                m_rows.push_back({r, was, is});
            }
        }
        if (!(pending.titleBefore == history.m_titlePage)) {
            m_titleBefore = pending.titleBefore;
            m_titleAfter = history.m_titlePage;
        }
        m_revisionBefore = pending.revisionBefore;
        m_revisionAfter = history.m_study.revision();
    }

    quint64 revisionBefore() const { return m_revisionBefore; }

    bool changesNothing() const { return m_rows.empty() && m_before.sameEntry(m_after) && !m_titleBefore; }

    int id() const override { return m_merge == Merge::None ? -1 : 1; }

    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* next = static_cast<const Step*>(other);
        if (next->m_merge != m_merge || next->m_place != m_place || next->m_hypothesis != m_hypothesis) {
            return false;
        }
        for (const RowChange& change : next->m_rows) {
            const auto mine = std::find_if(m_rows.begin(), m_rows.end(),
                                           [&](const RowChange& c) { return c.row == change.row; });
            if (mine == m_rows.end()) {
                m_rows.push_back(change);
            } else {
                mine->after = change.after;
            }
        }
        std::erase_if(m_rows, [](const RowChange& c) { return c.before == c.after; });
        std::sort(m_rows.begin(), m_rows.end(),
                  [](const RowChange& a, const RowChange& b) { return a.row < b.row; });
        m_after = next->m_after;
        m_revisionAfter = next->m_revisionAfter;
        if (next->m_titleBefore) {
            if (!m_titleBefore) {
                m_titleBefore = next->m_titleBefore;
            }
            m_titleAfter = next->m_titleAfter;
            if (*m_titleBefore == *m_titleAfter) {
                m_titleBefore.reset();
                m_titleAfter.reset();
            }
        }
        // Back where the step started (up, then down again): no step at all, and the study is
        // again the state it was.
        setObsolete(changesNothing());
        if (isObsolete()) {
            m_history.m_study.returnToRevision(m_revisionBefore);
        }
        return true;
    }

    void undo() override { put(false); }

    void redo() override
    {
        // Pushed right after the edit itself made the change.
        if (m_pushed) {
            m_pushed = false;
            return;
        }
        put(true);
    }

private:
    void put(bool after)
    {
        Study& study = m_history.m_study;
        Hypothesis& hyp = study.hypothesis(m_hypothesis);
        (after ? m_after : m_before).applyTo(hyp);
        for (const RowChange& change : m_rows) {
            hyp.rows.at(std::size_t(change.row)) = after ? change.after : change.before;
        }
        if (m_titleBefore) {
            m_history.m_titlePage = after ? *m_titleAfter : *m_titleBefore;
        }
        study.returnToRevision(after ? m_revisionAfter : m_revisionBefore);
        const bool onlyTitle = m_rows.empty() && m_before.sameEntry(m_after);
        m_history.restored({onlyTitle ? 0 : m_hypothesis, m_rows.empty() ? 0 : m_rows.front().row});
    }

    StudyHistory& m_history;
    Merge m_merge = Merge::None;
    int m_place = 0;
    int m_hypothesis = 0;
    Heading m_before;
    Heading m_after;
    std::vector<RowChange> m_rows;
    std::optional<TitlePage> m_titleBefore;
    std::optional<TitlePage> m_titleAfter;
    quint64 m_revisionBefore = 0;
    quint64 m_revisionAfter = 0;
    bool m_pushed = true;
};

StudyHistory::StudyHistory(Study& study, TitlePage& titlePage) : m_study(study), m_titlePage(titlePage)
{
    m_stack.setUndoLimit(StepLimit);
}

StudyHistory::~StudyHistory() = default;

StudyHistory::Edit::~Edit()
{
    if (m_history) {
        m_history->close();
    }
}

StudyHistory::Edit StudyHistory::edit(int h, const QString& text, Merge merge, int place)
{
    if (m_restoring) {
        return Edit(nullptr);
    }
    if (m_depth++ == 0) {
        m_pending.reset(
            new Pending{text, merge, place, h, m_study.hypothesis(h), m_titlePage, m_study.revision()});
    }
    return Edit(this);
}

StudyHistory::Group::~Group()
{
    if (m_stack) {
        m_stack->endMacro();
    }
}

StudyHistory::Group StudyHistory::group(const QString& text)
{
    if (m_restoring || m_depth > 0) {
        return Group(nullptr);
    }
    m_stack.beginMacro(text);
    return Group(&m_stack);
}

void StudyHistory::close()
{
    if (--m_depth > 0) {
        return;
    }
    auto step = std::make_unique<Step>(*this, *m_pending);
    m_pending.reset();
    if (step->changesNothing()) {
        // An edit that left everything as it was (a name set to the text it had) is no new state.
        m_study.returnToRevision(step->revisionBefore());
    } else {
        m_stack.push(step.release());
    }
}

void StudyHistory::restored(const ChangePlace& place)
{
    m_restoring = true;
    if (onRestored) {
        onRestored(place);
    }
    m_restoring = false;
}

} // namespace pondra
