#pragma once

#include "pairwisecomparison.h"

#include "value.h"

#include <array>
#include <optional>
#include <vector>

namespace pondra {

constexpr int MaxHypotheses = 100;
constexpr int MaxRows = 100;

// One characteristic row of a hypothesis, as the Data window fills it.
struct CharacteristicEntry {
    Value ticked; // 16-bit 1 or 0; never set until the box is first touched
    Value name;
    Value judgement;       // adjective of the chosen step
    Value judgementNumber; // 16-bit step number
    Value coefficient;     // coefficient text of the step, or the 0 an older scoring wrote
    Value weight;          // whole percent as text

    bool isTicked() const { return ticked.toNumberOr(0.0) == 1.0; }
    // Worth a line in a printout or a sheet: a row with neither name nor judgement is not listed.
    bool holdsData() const { return !name.isEmpty() || !judgement.isEmpty(); }
    bool operator==(const CharacteristicEntry&) const = default;
};

// Slot 1..100 of the study; an empty name marks a free slot. Row 0 exists and is never used.
struct Hypothesis {
    Value name;
    std::array<CharacteristicEntry, MaxRows + 1> rows;
    Value LastNamedRow;
    Value EvaluationPercent;
    Value OverallJudgement;
    // The pairwise comparison its weights came from, when the user made one.
    std::optional<PairwiseComparison> comparison;

    bool operator==(const Hypothesis&) const = default;
};

// The one study in memory. Slot 0 exists so that "the hypothesis before the first" reads empty.
class Study {
public:
    Study() : m_hypotheses(MaxHypotheses + 1) {}

    // Counts the edits of the study: every change the user makes to its data moves it forward,
    // and so does replacing the whole study. Moving between hypotheses, scoring and ranking are
    // not edits. Comparing it with the revision last opened or saved tells whether the study in
    // memory differs from its file; a revision names one state of the study for the whole run.
    quint64 revision() const { return m_revision; }
    // A new state: a number never used before, even after going back to an earlier one.
    void noteEdit() { m_revision = ++m_lastIssued; }
    // Back (or forward again) to a state this study had, by undoing or redoing edits: it takes
    // the revision that state had.
    void returnToRevision(quint64 revision) { m_revision = revision; }

    // Takes the data of another study (a file just read) as one edit, keeping the revision count.
    void replaceWith(Study&& other);

    Hypothesis& hypothesis(int h) { return m_hypotheses.at(std::size_t(h)); }
    const Hypothesis& hypothesis(int h) const { return m_hypotheses.at(std::size_t(h)); }
    CharacteristicEntry& row(int h, int r) { return hypothesis(h).rows.at(std::size_t(r)); }
    const CharacteristicEntry& row(int h, int r) const { return hypothesis(h).rows.at(std::size_t(r)); }

    // Number of slots whose name is not empty: a count, not the highest slot. The data check,
    // the printouts and the file go through hypotheses 1 to this count.
    int countNamedHypotheses() const;
    // Highest slot with a name, 0 when none.
    int highestNamedSlot() const;

    // LastNamedRow as a row count: 0 when never set, clamped to the row range.
    int lastNamedRowOf(int h) const;

    // Same data; the revision is history, not content.
    bool operator==(const Study& other) const;

private:
    std::vector<Hypothesis> m_hypotheses;
    quint64 m_revision = 0;
    quint64 m_lastIssued = 0;
};

// The highest row of hypothesis h with a name becomes its LastNamedRow; with no named row the
// old value stays.
void UpdateLastNamedRow(Study& study, int h);

} // namespace pondra
