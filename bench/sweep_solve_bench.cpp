// Sweeps and solves in the session layer: a sweep of 100,000 points of the
// self-diffusion formula over the temperature, the loan rate that makes the monthly
// payment 500 (1,001 samples), and every root of sin(x) on [0, 1000] from a million
// samples. Each compiles once and changes the swept value point by point.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "session/predefined_formulas.h"
#include "session/solver.h"
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

void SolveLoanRate(benchmark::State& state) {
    const std::string payment = PredefinedFormulas().front().Formula;
    const std::vector<std::string> names{"L", "c", "n"}, values{"20000", "6", "48"};
    for (auto _ : state) {
        TSolver solver(payment, names, values, {"c", "0.1", "30", DefaultSolvePoints, false},
                       "500");
        solver.Run();
        benchmark::DoNotOptimize(solver.Solution().RootCount);
    }
}
BENCHMARK(SolveLoanRate)->Name("solve/loan-rate/1001")->Unit(benchmark::kMillisecond);

void SolveSineRoots(benchmark::State& state) {
    const std::vector<std::string> names{"x"}, values{"0"};
    for (auto _ : state) {
        TSolver solver("sin(x)", names, values, {"x", "0", "1000", 1000000, false}, "0");
        solver.Run();
        benchmark::DoNotOptimize(solver.Solution().RootCount);
    }
}
BENCHMARK(SolveSineRoots)->Name("solve/sin/1000000")->Unit(benchmark::kMillisecond);

} // namespace
