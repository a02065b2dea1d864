#include "study.h"

#include <algorithm>

namespace pondra {

void Study::replaceWith(Study&& other)
{
    const quint64 revision = std::max(m_lastIssued, other.m_lastIssued) + 1;
    *this = std::move(other);
    m_revision = m_lastIssued = revision;
}

bool Study::operator==(const Study& other) const
{
    return m_hypotheses == other.m_hypotheses;
}

int Study::countNamedHypotheses() const
{
    int count = 0;
    for (int h = 1; h <= MaxHypotheses; ++h) {
        count += hypothesis(h).name.isEmpty() ? 0 : 1;
    }
    return count;
}

int Study::highestNamedSlot() const
{
    for (int h = MaxHypotheses; h >= 1; --h) {
        if (!hypothesis(h).name.isEmpty()) {
            return h;
        }
    }
    return 0;
}

int Study::lastNamedRowOf(int h) const
{
    const double r = hypothesis(h).LastNamedRow.toNumberOr(0.0);
    return r >= 1.0 ? int(std::min(r, double(MaxRows))) : 0;
}

void UpdateLastNamedRow(Study& study, int h)
{
    Hypothesis& hyp = study.hypothesis(h);
    for (int r = MaxRows; r >= 1; --r) {
        if (!hyp.rows.at(std::size_t(r)).name.isEmpty()) {
            hyp.LastNamedRow = Value::integer(qint16(r));
            return;
        }
    }
}

} // namespace pondra
