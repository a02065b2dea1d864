#include "model/pairwisecomparison.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <numeric>

using namespace pondra;

namespace {

using Matrix = std::vector<double>;

// A reciprocal matrix whose upper judgements are drawn from the 17 steps.
Matrix randomReciprocal(int n, quint32 seed)
{
    QRandomGenerator random(seed);
    Matrix a(std::size_t(n * n), 1.0);
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            const double v = stepValue(random.bounded(-MaxStep, MaxStep + 1));
            a[std::size_t(i * n + j)] = v;
            a[std::size_t(j * n + i)] = 1 / v;
        }
    }
    return a;
}

Matrix consistentFrom(const std::vector<double>& w)
{
    const int n = int(w.size());
    Matrix a(std::size_t(n * n));
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            a[std::size_t(i * n + j)] = w[std::size_t(i)] / w[std::size_t(j)];
        }
    }
    return a;
}

// The Perron vector another way: A^(2^k) by repeated squaring in long double has every column
// along it, whatever the other eigenvalues are, complex ones included.
std::vector<double> perronBySquaring(const Matrix& a, int n)
{
    std::vector<long double> b(a.begin(), a.end());
    std::vector<long double> next(b.size());
    for (int k = 0; k < 64; ++k) {
        long double largest = 0;
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) {
                long double s = 0;
                for (int m = 0; m < n; ++m) {
                    s += b[std::size_t(i * n + m)] * b[std::size_t(m * n + j)];
                }
                next[std::size_t(i * n + j)] = s;
                largest = std::max(largest, s);
            }
        }
        for (long double& x : next) {
            x /= largest;
        }
        b.swap(next);
    }
    std::vector<long double> rows(static_cast<std::size_t>(n), 0);
    long double total = 0;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            rows[std::size_t(i)] += b[std::size_t(i * n + j)];
        }
        total += rows[std::size_t(i)];
    }
    std::vector<double> w(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        w[std::size_t(i)] = double(rows[std::size_t(i)] / total);
    }
    return w;
}

// With weights adding up to 1, the eigenvalue is the sum of A w.
double eigenvalueOf(const Matrix& a, int n, const std::vector<double>& w)
{
    long double sum = 0;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            sum += (long double)a[std::size_t(i * n + j)] * w[std::size_t(j)];
        }
    }
    return double(sum);
}

const double RandomIndexOf[MaxCompared + 1] = {0,    0,    0,    0.58, 0.90, 1.12, 1.24, 1.32,
                                               1.41, 1.45, 1.49, 1.51, 1.48, 1.56, 1.57, 1.59};

} // namespace

Q_DECLARE_METATYPE(std::vector<double>)
Q_DECLARE_METATYPE(std::vector<int>)

class TestPairwiseComparison : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void randomMatrix_weightsAndRatio_asThePerronVector_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<quint32>("seed");
        for (int n = MinCompared; n <= MaxCompared; ++n) {
            for (quint32 seed : {1u, 7u, 2026u}) {
                QTest::addRow("n=%d seed=%u", n, seed) << n << seed;
            }
        }
    }

    void randomMatrix_weightsAndRatio_asThePerronVector()
    {
        QFETCH(int, n);
        QFETCH(quint32, seed);
        const Matrix a = randomReciprocal(n, seed);
        const PairwiseFigures f = pairwiseFigures(a, n);
        const std::vector<double> w = perronBySquaring(a, n);
        QCOMPARE(int(f.weights.size()), n);
        for (int i = 0; i < n; ++i) {
            QVERIFY2(std::abs(f.weights[std::size_t(i)] - w[std::size_t(i)]) < 1e-9,
                     qPrintable(QStringLiteral("peso %1: %2 invece di %3")
                                    .arg(i)
                                    .arg(f.weights[std::size_t(i)], 0, 'g', 17)
                                    .arg(w[std::size_t(i)], 0, 'g', 17)));
        }
        const double lambda = eigenvalueOf(a, n, w);
        QVERIFY(std::abs(f.lambdaMax - lambda) < 1e-9 * lambda);
        // A w = lambda w, row by row, for the weights given.
        for (int i = 0; i < n; ++i) {
            double row = 0;
            for (int j = 0; j < n; ++j) {
                row += a[std::size_t(i * n + j)] * f.weights[std::size_t(j)];
            }
            QVERIFY(std::abs(row - f.lambdaMax * f.weights[std::size_t(i)]) < 1e-9);
        }
        const double ci = n > 2 ? (lambda - n) / (n - 1) : 0;
        const double cr = n > 2 ? ci / RandomIndexOf[n] : 0;
        QVERIFY(std::abs(f.consistencyIndex - ci) < 1e-9);
        QVERIFY(std::abs(f.consistencyRatio - cr) < 1e-9);
        // A reciprocal matrix never has its largest eigenvalue under n.
        QVERIFY(f.lambdaMax >= n);
        QCOMPARE(f.reviseFirst >= 0, f.consistencyRatio >= ConsistentRatio);
    }

    void consistentMatrix_ratioZero_lambdaN_data()
    {
        QTest::addColumn<std::vector<double>>("weights");
        QTest::newRow("two") << std::vector<double>{3, 1};
        QTest::newRow("three equal") << std::vector<double>{1, 1, 1};
        QTest::newRow("five") << std::vector<double>{0.4, 0.1, 0.2, 0.25, 0.05};
        for (int n : {7, 11, 15}) {
            QRandomGenerator random{quint32(n)};
            std::vector<double> w(static_cast<std::size_t>(n));
            for (double& x : w) {
                x = 0.01 + random.generateDouble();
            }
            QTest::addRow("random %d", n) << w;
        }
        // Steps apart by a factor that stays on the scale: 1, 2, 4, 8.
        QTest::newRow("doubling") << std::vector<double>{8, 4, 2, 1};
    }

    void consistentMatrix_ratioZero_lambdaN()
    {
        QFETCH(std::vector<double>, weights);
        const int n = int(weights.size());
        const PairwiseFigures f = pairwiseFigures(consistentFrom(weights), n);
        const double total = std::accumulate(weights.begin(), weights.end(), 0.0);
        for (int i = 0; i < n; ++i) {
            QVERIFY(std::abs(f.weights[std::size_t(i)] - weights[std::size_t(i)] / total) < 1e-12);
        }
        QVERIFY(std::abs(f.lambdaMax - n) < 1e-9);
        QVERIFY(std::abs(f.consistencyIndex) < 1e-9);
        QVERIFY(std::abs(f.consistencyRatio) < 1e-9);
        QCOMPARE(f.reviseFirst, -1);
        QCOMPARE(f.reviseSecond, -1);
    }

    // Published examples: Saaty's three criteria, and his choice of a house on eight (European
    // Journal of Operational Research 48, 1990), to the three decimals printed there.
    void textbookExample_data()
    {
        QTest::addColumn<std::vector<double>>("matrix");
        QTest::addColumn<std::vector<double>>("weights");
        QTest::addColumn<double>("lambda");
        QTest::addColumn<double>("index");
        QTest::addColumn<double>("ratio");
        QTest::newRow("three criteria")
            << std::vector<double>{1, 3, 5, 1. / 3, 1, 2, 1. / 5, 1. / 2, 1}
            << std::vector<double>{0.648, 0.230, 0.122} << 3.004 << 0.002 << 0.003;
        const double t = 1. / 3, q = 1. / 4, f = 1. / 5, s = 1. / 6, v = 1. / 7, e = 1. / 8, h = 1. / 2;
        QTest::newRow("house") << std::vector<double>{1, 5, 3, 7, 6, 6, t, q, //
                                                      f, 1, t, 5, 3, 3, f, v, //
                                                      t, 3, 1, 6, 3, 4, 6, f, //
                                                      v, f, s, 1, t, q, v, e, //
                                                      s, t, t, 3, 1, h, f, s, //
                                                      s, t, q, 4, 2, 1, f, s, //
                                                      3, 5, s, 7, 5, 5, 1, h, //
                                                      4, 7, 5, 8, 6, 6, 2, 1}
                               << std::vector<double>{0.173, 0.054, 0.188, 0.018, 0.031, 0.036, 0.167, 0.333}
                               << 9.669 << 0.238 << 0.169;
    }

    void textbookExample()
    {
        QFETCH(std::vector<double>, matrix);
        QFETCH(std::vector<double>, weights);
        QFETCH(double, lambda);
        QFETCH(double, index);
        QFETCH(double, ratio);
        const int n = int(weights.size());
        const PairwiseFigures f = pairwiseFigures(matrix, n);
        const auto near = [](double got, double printed) {
            return std::abs(got - printed) <= 0.0005 + 1e-12;
        };
        for (int i = 0; i < n; ++i) {
            QVERIFY2(near(f.weights[std::size_t(i)], weights[std::size_t(i)]),
                     qPrintable(QString::number(f.weights[std::size_t(i)])));
        }
        QVERIFY2(near(f.lambdaMax, lambda), qPrintable(QString::number(f.lambdaMax)));
        QVERIFY2(near(f.consistencyIndex, index), qPrintable(QString::number(f.consistencyIndex)));
        QVERIFY2(near(f.consistencyRatio, ratio), qPrintable(QString::number(f.consistencyRatio)));
    }

    void wholePercents_addUpTo100_largestRemaindersFirst_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 300; ++seed) {
            QTest::addRow("%u", seed) << seed;
        }
    }

    void wholePercents_addUpTo100_largestRemaindersFirst()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        const int n = random.bounded(1, MaxCompared + 1);
        std::vector<double> w(static_cast<std::size_t>(n));
        for (double& x : w) {
            // Some rows repeat a value, so that equal remainders come up.
            x = random.bounded(4) == 0 ? 0.25 : random.generateDouble();
        }
        const std::vector<int> whole = wholePercents(w);
        QCOMPARE(std::accumulate(whole.begin(), whole.end(), 0), 100);
        const double total = std::accumulate(w.begin(), w.end(), 0.0);
        double lowestRaised = 2;
        double highestKept = -1;
        for (int i = 0; i < n; ++i) {
            const double exact = 100 * w[std::size_t(i)] / total;
            const int floor = int(std::floor(exact));
            QVERIFY(whole[std::size_t(i)] == floor || whole[std::size_t(i)] == floor + 1);
            const double remainder = exact - floor;
            if (whole[std::size_t(i)] > floor) {
                lowestRaised = std::min(lowestRaised, remainder);
            } else {
                highestKept = std::max(highestKept, remainder);
            }
        }
        QVERIFY(lowestRaised >= highestKept - 1e-9);
    }

    void wholePercents_equalRemainders_toTheEarlierRow_data()
    {
        QTest::addColumn<std::vector<double>>("weights");
        QTest::addColumn<std::vector<int>>("percents");
        QTest::newRow("thirds") << std::vector<double>{1, 1, 1} << std::vector<int>{34, 33, 33};
        QTest::newRow("sixths") << std::vector<double>{1, 1, 1, 1, 1, 1}
                                << std::vector<int>{17, 17, 17, 17, 16, 16};
        QTest::newRow("sevenths, unequal")
            << std::vector<double>{1, 2, 1, 2, 1} << std::vector<int>{14, 29, 14, 29, 14};
        QTest::newRow("largest remainder wins over order")
            << std::vector<double>{1, 2} << std::vector<int>{33, 67};
        QTest::newRow("exact") << std::vector<double>{0.5, 0.3, 0.2} << std::vector<int>{50, 30, 20};
        QTest::newRow("tenths from rounding")
            << std::vector<double>{0.1, 0.2, 0.7} << std::vector<int>{10, 20, 70};
    }

    void wholePercents_equalRemainders_toTheEarlierRow()
    {
        QFETCH(std::vector<double>, weights);
        QFETCH(std::vector<int>, percents);
        QCOMPARE(wholePercents(weights), percents);
    }

    void steps_roundTrip_data()
    {
        QTest::addColumn<int>("step");
        for (int step = -MaxStep; step <= MaxStep; ++step) {
            QTest::addRow("%d", step) << step;
        }
    }

    void steps_roundTrip()
    {
        QFETCH(int, step);
        const double value = stepValue(step);
        QCOMPARE(stepOf(value), step);
        // A value typed a little off, as 0,333 for 1/3, is still the same step.
        QCOMPARE(stepOf(value * 1.01), step);
        QCOMPARE(stepOf(value / 1.01), step);
        QCOMPARE(stepValue(-step), 1 / value);
        QVERIFY(value >= 1. / 9 && value <= 9);
    }

    void reviseFirst_namesTheSpoiledJudgement_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::addColumn<double>("judgement");
        QTest::newRow("4: 1 over 3 reversed") << 4 << 1 << 3 << 1. / 9;
        QTest::newRow("4: 0 over 1 too strong") << 4 << 0 << 1 << 9.0;
        QTest::newRow("5: 0 over 1 reversed") << 5 << 0 << 1 << 1. / 9;
        QTest::newRow("6: 2 over 5 reversed") << 6 << 2 << 5 << 1. / 9;
        QTest::newRow("7: 3 over 4 reversed") << 7 << 3 << 4 << 1. / 9;
        QTest::newRow("8: 0 over 7 reversed") << 8 << 0 << 7 << 1. / 9;
        QTest::newRow("10: 2 over 6 reversed") << 10 << 2 << 6 << 1. / 9;
    }

    void reviseFirst_namesTheSpoiledJudgement()
    {
        QFETCH(int, n);
        QFETCH(int, first);
        QFETCH(int, second);
        QFETCH(double, judgement);
        // Weights falling from the first row to the last, all judgements consistent but one.
        std::vector<double> w(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) {
            w[std::size_t(i)] = std::pow(1.5, n - 1 - i);
        }
        Matrix a = consistentFrom(w);
        a[std::size_t(first * n + second)] = judgement;
        a[std::size_t(second * n + first)] = 1 / judgement;
        const PairwiseFigures f = pairwiseFigures(a, n);
        QVERIFY2(f.consistencyRatio >= ConsistentRatio, qPrintable(QString::number(f.consistencyRatio)));
        QCOMPARE(f.reviseFirst, first);
        QCOMPARE(f.reviseSecond, second);
    }

    void comparison_matrixIsReciprocal_pairsRowByRow()
    {
        PairwiseComparison c;
        c.rows = {4, 1, 9, 2};
        c.steps = {2, -3, 0, 8, -8, 1};
        const Matrix a = c.matrix();
        const int n = c.size();
        int k = 0;
        for (int i = 0; i < n; ++i) {
            QCOMPARE(a[std::size_t(i * n + i)], 1.0);
            for (int j = i + 1; j < n; ++j, ++k) {
                QCOMPARE(PairwiseComparison::pairIndex(n, i, j), k);
                QCOMPARE(a[std::size_t(i * n + j)], stepValue(c.steps[std::size_t(k)]));
                QCOMPARE(a[std::size_t(j * n + i)] * a[std::size_t(i * n + j)], 1.0);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestPairwiseComparison)
#include "tst_pairwisecomparison.moc"
