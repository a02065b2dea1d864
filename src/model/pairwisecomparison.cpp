#include "pairwisecomparison.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace pondra {

namespace {

// Saaty's random indices for n = 1..15.
constexpr std::array<double, MaxCompared + 1> RandomIndices = {
    0, 0, 0, 0.58, 0.90, 1.12, 1.24, 1.32, 1.41, 1.45, 1.49, 1.51, 1.48, 1.56, 1.57, 1.59};

// Power iteration on a positive matrix converges to the Perron vector; the iterations stop when a
// step moves no weight by more than this.
constexpr double Settled = 1e-15;
constexpr int MaxIterations = 100000;

struct Eigen {
    std::vector<double> vector;
    double value = 0;
};

// From start, or from equal weights; a revised matrix starts from the weights before the
// revision, one judgement away, and settles in fewer steps.
Eigen principal(const std::vector<double>& a, int n, const std::vector<double>* start = nullptr)
{
    Eigen e;
    if (start) {
        e.vector = *start;
    } else {
        e.vector.assign(std::size_t(n), 1.0 / n);
    }
    std::vector<double> next(static_cast<std::size_t>(n));
    for (int iteration = 0; iteration < MaxIterations; ++iteration) {
        double sum = 0;
        for (int i = 0; i < n; ++i) {
            double row = 0;
            for (int j = 0; j < n; ++j) {
                row += a[std::size_t(i * n + j)] * e.vector[std::size_t(j)];
            }
            next[std::size_t(i)] = row;
            sum += row;
        }
        double moved = 0;
        for (int i = 0; i < n; ++i) {
            next[std::size_t(i)] /= sum;
            moved = std::max(moved, std::abs(next[std::size_t(i)] - e.vector[std::size_t(i)]));
        }
        e.vector.swap(next);
        if (moved < Settled) {
            break;
        }
    }
    // lambda as the mean of (A w)_i / w_i, exact for the eigenvector.
    double lambda = 0;
    for (int i = 0; i < n; ++i) {
        double row = 0;
        for (int j = 0; j < n; ++j) {
            row += a[std::size_t(i * n + j)] * e.vector[std::size_t(j)];
        }
        lambda += row / e.vector[std::size_t(i)];
    }
    // A positive reciprocal matrix has lambda max >= n, equal only when consistent: what falls
    // under n is rounding.
    e.value = std::max(lambda / n, double(n));
    return e;
}

double ratioOf(double lambda, int n)
{
    if (n <= 2) {
        return 0;
    }
    const double ci = (lambda - n) / (n - 1);
    const double ri = randomIndex(n);
    return ri > 0 ? ci / ri : 0;
}

const char16_t* const StepWords[MaxStep + 1] = {
    u"ugualmente importanti",           u"appena più importante",
    u"moderatamente più importante",    u"da moderatamente a fortemente più importante",
    u"fortemente più importante",       u"da fortemente a molto fortemente più importante",
    u"molto fortemente più importante", u"da molto fortemente a estremamente più importante",
    u"estremamente più importante",
};

} // namespace

double stepValue(int step)
{
    step = std::clamp(step, -MaxStep, MaxStep);
    return step >= 0 ? step + 1.0 : 1.0 / (1 - step);
}

int stepOf(double value)
{
    if (!(value > 0)) {
        return 0;
    }
    const int step = value >= 1 ? int(std::lround(value)) - 1 : -(int(std::lround(1 / value)) - 1);
    return std::clamp(step, -MaxStep, MaxStep);
}

QString stepText(int step, const QString& first, const QString& second)
{
    step = std::clamp(step, -MaxStep, MaxStep);
    if (step == 0) {
        return QString::fromUtf16(StepWords[0]);
    }
    return QString::fromUtf16(StepWords[std::abs(step)]) + QStringLiteral(" «") +
           (step > 0 ? first : second) + u'»';
}

int PairwiseComparison::pairIndex(int n, int i, int j)
{
    // Pairs before row i: (n-1) + (n-2) + ... + (n-i).
    return i * (2 * n - i - 1) / 2 + (j - i - 1);
}

std::vector<double> PairwiseComparison::matrix() const
{
    const int n = size();
    std::vector<double> a(std::size_t(n * n), 1.0);
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            const std::size_t k = std::size_t(pairIndex(n, i, j));
            const double v = stepValue(k < steps.size() ? steps[k] : 0);
            a[std::size_t(i * n + j)] = v;
            a[std::size_t(j * n + i)] = 1 / v;
        }
    }
    return a;
}

double randomIndex(int n)
{
    return n >= 1 && n <= MaxCompared ? RandomIndices[std::size_t(n)] : 0;
}

PairwiseFigures pairwiseFigures(const std::vector<double>& matrix, int n)
{
    PairwiseFigures f;
    if (n < 1 || matrix.size() != std::size_t(n * n)) {
        return f;
    }
    const Eigen e = principal(matrix, n);
    f.weights = e.vector;
    f.lambdaMax = e.value;
    f.consistencyIndex = n > 2 ? (e.value - n) / (n - 1) : 0;
    f.consistencyRatio = ratioOf(e.value, n);
    if (f.consistencyRatio < ConsistentRatio) {
        return f;
    }
    // The judgement that, brought in line with the weights, leaves the lowest ratio.
    double best = f.consistencyRatio;
    std::vector<double> revised = matrix;
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            const double wasIJ = revised[std::size_t(i * n + j)];
            const double wasJI = revised[std::size_t(j * n + i)];
            revised[std::size_t(i * n + j)] = e.vector[std::size_t(i)] / e.vector[std::size_t(j)];
            revised[std::size_t(j * n + i)] = e.vector[std::size_t(j)] / e.vector[std::size_t(i)];
            const double ratio = ratioOf(principal(revised, n, &e.vector).value, n);
            if (ratio < best - 1e-12) {
                best = ratio;
                f.reviseFirst = i;
                f.reviseSecond = j;
            }
            revised[std::size_t(i * n + j)] = wasIJ;
            revised[std::size_t(j * n + i)] = wasJI;
        }
    }
    return f;
}

std::vector<int> wholePercents(const std::vector<double>& weights)
{
    const double total = std::accumulate(weights.begin(), weights.end(), 0.0);
    std::vector<int> whole(weights.size(), 0);
    if (weights.empty() || !(total > 0)) {
        return whole;
    }
    // Remainders kept to 1e-9, so that equal ones compare equal and the sort has a strict order.
    std::vector<qint64> remainder(weights.size());
    int given = 0;
    for (std::size_t i = 0; i < weights.size(); ++i) {
        const double exact = 100 * weights[i] / total;
        // A hair above a whole number from rounding counts as that number.
        whole[i] = int(std::floor(exact + 1e-9));
        remainder[i] = std::llround((exact - whole[i]) * 1e9);
        given += whole[i];
    }
    std::vector<std::size_t> order(weights.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return remainder[a] > remainder[b]; });
    for (std::size_t k = 0; given < 100 && k < order.size(); ++k, ++given) {
        ++whole[order[k]];
    }
    return whole;
}

} // namespace pondra
