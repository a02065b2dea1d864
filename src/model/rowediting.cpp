#include "rowediting.h"

#include "judgementscale.h"
#include "weight.h"

namespace pondra {

std::optional<QString> NameOfferedOnTick(const Study& study, int h, int r)
{
    if (!study.row(h, r).name.isEmpty()) {
        return std::nullopt;
    }
    return study.row(h - 1, r).name.toDisplayText();
}

void SetRowTicked(Study& study, int h, int r, bool ticked)
{
    study.row(h, r).ticked = Value::integer(ticked ? 1 : 0);
    study.noteEdit();
}

void SetRowName(Study& study, int h, int r, const QString& name)
{
    CharacteristicEntry& row = study.row(h, r);
    row.name = Value::text(name);
    if (name.isEmpty()) {
        row.judgement = row.judgementNumber = row.coefficient = row.weight = Value::text(QString());
    }
    UpdateLastNamedRow(study, h);
    study.noteEdit();
}

void JudgeRow(Study& study, int h, int r, int step)
{
    CharacteristicEntry& row = study.row(h, r);
    row.judgement = Value::text(JudgementScale::adjective(step));
    row.coefficient = Value::text(JudgementScale::coefficientText(step));
    row.judgementNumber = Value::integer(qint16(step));
    study.noteEdit();
}

void SetRowWeight(Study& study, int h, int r, Decimal weight)
{
    study.row(h, r).weight = Value::text(storedWeightText(weight));
    study.noteEdit();
}

void SetHypothesisName(Study& study, int h, const QString& name)
{
    study.hypothesis(h).name = Value::text(name);
    study.noteEdit();
}

void ClearHypothesis(Study& study, int h)
{
    const int last = study.lastNamedRowOf(h);
    for (int r = 1; r <= last; ++r) {
        CharacteristicEntry& row = study.row(h, r);
        row.ticked = Value::integer(0);
        row.name = row.judgement = row.judgementNumber = row.coefficient = row.weight =
            Value::text(QString());
    }
    // Its weights are gone: so is the comparison they came from.
    study.hypothesis(h).comparison.reset();
    study.noteEdit();
}

} // namespace pondra
