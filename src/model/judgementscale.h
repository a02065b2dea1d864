#pragma once

#include <QString>

namespace pondra {

constexpr int JudgementSteps = 11;

// One step of the eleven-step judgement scale, 1 (best) to 11 (worst).
struct JudgementStep {
    const char16_t* adjective;
    const char16_t* caption;         // button caption, '&' before the accelerator
    const char16_t* coefficientText; // (11 - n) / 10 as the windows show it
    const char16_t* tooltip;
};

namespace JudgementScale {

// Step n, 1..11.
const JudgementStep& step(int n);
QString adjective(int n);
QString coefficientText(int n);

// The step a weighted coefficient x falls on: 11 - floor(10 x + 0.5). It lies outside 1..11
// when the weights of a hypothesis add up to more than 100.
int stepForWeightedCoefficient(double x);

} // namespace JudgementScale

} // namespace pondra
