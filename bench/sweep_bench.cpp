// A sweep of 100,000 points of the self-diffusion formula over the temperature:
// compiled once, the temperature changed point by point.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "session/sweep.h"

namespace {

void SweepSelfDiffusion(benchmark::State& state) {
    const std::vector<std::string> names{"A", "Q", "T"}, values{"3.726E-8", "185999", "1141"};
    for (auto _ : state) {
        TSweep sweep("A*exp(-Q/(Gas*T))", names, values, {"T", "800", "1400", 100000, false});
        TSweepSummary summary;
        for (long i = 0; i < sweep.PointCount(); ++i)
            summary.Add(sweep.Evaluate(i));
        benchmark::DoNotOptimize(summary.Failed);
    }
}
BENCHMARK(SweepSelfDiffusion)->Name("sweep/100000")->Unit(benchmark::kMillisecond);

} // namespace
