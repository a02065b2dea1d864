#pragma once

#include "model/judgementscale.h"
#include "model/study.h"

#include <QString>

// Fills study rows the way the Data window leaves them after a tick, a name, a scale click
// and a weight.
namespace testsupport {

inline void enterRow(pondra::Study& study, int h, int r, const QString& name, int step, int weight)
{
    using pondra::Value;
    pondra::CharacteristicEntry& row = study.row(h, r);
    row.ticked = Value::integer(1);
    row.name = Value::text(name);
    row.judgement = Value::text(pondra::JudgementScale::adjective(step));
    row.judgementNumber = Value::integer(qint16(step));
    row.coefficient = Value::text(pondra::JudgementScale::coefficientText(step));
    row.weight = Value::text(QString::number(weight));
    if (study.lastNamedRowOf(h) < r) {
        study.hypothesis(h).LastNamedRow = Value::integer(qint16(r));
    }
}

inline void nameHypothesis(pondra::Study& study, int h, const QString& name)
{
    study.hypothesis(h).name = pondra::Value::text(name);
}

} // namespace testsupport
