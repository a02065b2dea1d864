#pragma once

#include <QString>

#include <vector>

namespace pondra {

// The pairwise comparison of a hypothesis's characteristics (the analytic hierarchy method): a
// reciprocal matrix of judgements on Saaty's 1-9 scale, the weights from its principal
// eigenvector and the consistency ratio that says how far the judgements contradict each other.

// The fewest and the most characteristics compared.
constexpr int MinCompared = 2;
constexpr int MaxCompared = 15;

// One judgement of the 17-step scale, from -8 to 8: 0 "ugualmente importanti"; k > 0 the first of
// the pair more important, Saaty value k + 1 (8: "estremamente più importante"); k < 0 the second,
// value 1 / (1 - k).
constexpr int MaxStep = 8;
double stepValue(int step);
// The step nearest a matrix entry (1/9..9), for a matrix typed in.
int stepOf(double value);
// "estremamente più importante «A»", ..., "ugualmente importanti", ..., for the pair A, B.
QString stepText(int step, const QString& first, const QString& second);

// What a hypothesis keeps of its comparison: the rows compared, in order, and the judgement of
// every pair i < j, row by row of the upper triangle ((0,1), (0,2), ..., (1,2), ...).
struct PairwiseComparison {
    std::vector<int> rows;
    std::vector<int> steps;

    int size() const { return int(rows.size()); }
    // Index of the pair (i, j), i < j, in steps.
    static int pairIndex(int n, int i, int j);
    // The full reciprocal matrix, n x n, row by row.
    std::vector<double> matrix() const;
    bool operator==(const PairwiseComparison&) const = default;
};

// The figures of a reciprocal matrix.
struct PairwiseFigures {
    // Normalised principal eigenvector, adding up to 1; to within 1e-9 of the exact one.
    std::vector<double> weights;
    double lambdaMax = 0;
    // (lambdaMax - n) / (n - 1); 0 for n <= 2.
    double consistencyIndex = 0;
    // consistencyIndex / randomIndex(n); 0 where the random index is 0.
    double consistencyRatio = 0;
    // The pair (i < j) whose judgement, set to what the weights say, lowers the ratio most; -1
    // when the judgements are consistent (ratio under 0,10).
    int reviseFirst = -1;
    int reviseSecond = -1;
};

// Saaty's random index for n criteria, 1..15.
double randomIndex(int n);
// The figures of a square reciprocal matrix of positive entries, n x n row by row (2..15).
PairwiseFigures pairwiseFigures(const std::vector<double>& matrix, int n);
// Judgements under this ratio are consistent enough.
constexpr double ConsistentRatio = 0.10;

// Whole percents adding up to exactly 100: the floors, then one more to the largest remainders,
// the earlier row first among equal ones.
std::vector<int> wholePercents(const std::vector<double>& weights);

} // namespace pondra
