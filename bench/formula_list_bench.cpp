// The window's side of the saved formulas: reading a store of 10,000 and filling the
// drop-down with them (what an opening of the list does after a change elsewhere), the same with no
// store (what start-up adds when the user has saved nothing), and the whole main window's
// construction without a store. Runs offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/application.h"
#include "app/main_window.h"
#include "bench/bench_store_file.h"

namespace {

void ReloadList(benchmark::State& state) {
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    if (state.range(0) > 0)
        WriteBenchStore(home.path().toStdString() + "/zentavo/formulas.json",
                        static_cast<int>(state.range(0)));
    TF_Main_LSF window;
    const std::filesystem::path file = home.path().toStdString() + "/zentavo/formulas.json";
    long tick = 0;
    for (auto _ : state) {
        // A new modification time each round: the file is read and parsed again.
        if (state.range(0) > 0)
            std::filesystem::last_write_time(file, std::filesystem::file_time_type::clock::now() +
                                                       std::chrono::seconds(++tick));
        window.ReloadSavedFormulas();
    }
    state.counters["items"] = window.CbDropList->count();
}
BENCHMARK(ReloadList)->Name("list/reload/10000")->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(ReloadList)->Name("list/reload/missing")->Arg(0)->Unit(benchmark::kMicrosecond);

void MainWindowWithoutStore(benchmark::State& state) {
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    for (auto _ : state) {
        TF_Main_LSF window;
        benchmark::DoNotOptimize(window.CbDropList->count());
    }
}
BENCHMARK(MainWindowWithoutStore)->Name("window/create/missing")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TZentavoApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
