#pragma once

// Timing helpers shared by the benchmarks: they print figures, never judge them.

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace bench {

struct Figures {
    double medianMs = 0.0;
    double maxMs = 0.0;
};

// Runs `prepare` untimed and `measured` timed, `repetitions` times after a few warm-up runs.
inline Figures measure(int repetitions, const std::function<void(int)>& prepare,
                       const std::function<void()>& measured)
{
    for (int i = 0; i < 3; ++i) {
        prepare(i);
        measured();
    }
    std::vector<qint64> samples;
    samples.reserve(std::size_t(repetitions));
    QElapsedTimer timer;
    for (int i = 0; i < repetitions; ++i) {
        prepare(i);
        timer.start();
        measured();
        samples.push_back(timer.nsecsElapsed());
    }
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    const double median =
        n % 2 ? double(samples[n / 2]) : (double(samples[n / 2 - 1]) + double(samples[n / 2])) / 2.0;
    return {median / 1e6, double(samples.back()) / 1e6};
}

inline void report(const char* what, const Figures& f, int repetitions, double targetMs)
{
    std::printf("%s: mediana %.3f ms, massimo %.3f ms su %d ripetizioni", what, f.medianMs, f.maxMs,
                repetitions);
    if (targetMs > 0) {
        std::printf(" (obiettivo < %g ms)", targetMs);
    }
    std::printf("\n");
}

} // namespace bench
