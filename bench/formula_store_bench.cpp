// The saved-formula store at the size of a heavy user's: reading 10,000 formulas
// (parsed, and unchanged since the last read), saving one into them (checked again
// under the lock, written, flushed, renamed), and reading a store that does not
// exist yet, as every start-up without one does.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "bench/bench_store_file.h"
#include "session/formula_store.h"

namespace {

// A folder of its own, filled with count formulas of realistic size.
class TBenchStore {
public:
    explicit TBenchStore(int count) {
        char pattern[] = "/tmp/zentavo-bench-XXXXXX";
        FFolder = ::mkdtemp(pattern);
        FStore = TFormulaStore(FFolder + "/zentavo/formulas.json");
        if (count > 0) WriteBenchStore(FStore.Path(), count);
    }
    ~TBenchStore() { std::filesystem::remove_all(FFolder); }
    const TFormulaStore& Store() const { return FStore; }

private:
    std::string FFolder;
    TFormulaStore FStore{""};
};

// A store object of its own each time, so the file is read and parsed every time.
void LoadTenThousand(benchmark::State& state) {
    const TBenchStore bench(10000);
    for (auto _ : state)
        benchmark::DoNotOptimize(TFormulaStore(bench.Store().Path()).Load().size());
}
BENCHMARK(LoadTenThousand)->Name("store/load/10000")->Unit(benchmark::kMillisecond);

// Read again without a change, as each opening of the window's list does.
void LoadUnchanged(benchmark::State& state) {
    const TBenchStore bench(10000);
    for (auto _ : state)
        benchmark::DoNotOptimize(bench.Store().Load().size());
}
BENCHMARK(LoadUnchanged)->Name("store/load-unchanged/10000")->Unit(benchmark::kMillisecond);

void SaveIntoTenThousand(benchmark::State& state) {
    const TBenchStore bench(10000);
    TSavedFormula formula{"New one", "x;y", {"1", "2"}, "x+y", {}};
    for (auto _ : state)
        bench.Store().Save(formula, true);
}
BENCHMARK(SaveIntoTenThousand)->Name("store/save/10000")->Unit(benchmark::kMillisecond);

void LoadMissing(benchmark::State& state) {
    const TBenchStore bench(0);
    for (auto _ : state)
        benchmark::DoNotOptimize(bench.Store().Load().size());
}
BENCHMARK(LoadMissing)->Name("store/load/missing")->Unit(benchmark::kMicrosecond);

} // namespace
