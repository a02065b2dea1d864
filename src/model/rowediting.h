#pragma once

#include "decimal.h"
#include "study.h"

#include <QString>

#include <optional>

namespace pondra {

// How the Data window's edits change the rows of hypothesis h. Each writes through to the study
// at once, as one edit of its revision.

// The name a tick writes into row r of hypothesis h: the name of the same row of the hypothesis
// before (the empty text for hypothesis 1, which has none before it). A row that has a name of
// its own keeps it, with its judgement and weight: nothing is offered.
std::optional<QString> NameOfferedOnTick(const Study& study, int h, int r);

void SetRowTicked(Study& study, int h, int r, bool ticked);

// Stores the name; an emptied name empties the judgement, its number, the coefficient and the
// weight with it. The last named row follows.
void SetRowName(Study& study, int h, int r, const QString& name);

// A scale click: judgement, step number and coefficient always belong to the same step.
void JudgeRow(Study& study, int h, int r, int step);

// Stored as the data file keeps weights: "35", "12.5".
void SetRowWeight(Study& study, int h, int r, Decimal weight);

void SetHypothesisName(Study& study, int h, const QString& name);

// Empties rows 1..LastNamedRow of hypothesis h (unticked, every text empty). The hypothesis
// keeps its name and its LastNamedRow.
void ClearHypothesis(Study& study, int h);

} // namespace pondra
