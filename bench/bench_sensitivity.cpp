// Times the weight sensitivity of a full-size study (100 hypotheses of 100 characteristics):
// every characteristic's lines, intervals and every crossing of every pair. Figures only; the
// target is printed alongside.

#include "fullstudy.h"
#include "measure.h"
#include "model/weightsensitivity.h"

#include <cstdio>

int main()
{
    const std::unique_ptr<pondra::Study> study = bench::fullStudy();
    pondra::WeightSensitivity sensitivity;
    constexpr int repetitions = 30;
    const bench::Figures f = bench::measure(
        repetitions, [](int) {}, [&] { sensitivity = pondra::analyseWeightSensitivity(*study); });
    std::size_t crossings = 0;
    for (const pondra::CharacteristicSensitivity& c : sensitivity.characteristics) {
        crossings += c.crossings.size();
    }
    bench::report("sensibilità dei pesi (100x100)", f, repetitions, 20);
    std::printf("  %zu caratteristiche, %zu incroci\n", sensitivity.characteristics.size(), crossings);
    return sensitivity.characteristics.size() == 100 ? 0 : 1;
}
