// A series of 400 small cases (MERANT, 3 lobes x 13 points, speeds rising)
// read as lobus-render --series reads it: the files found in their folder,
// every case on the pool of threads (one per core), then the JSON array.

#include "examples/casegen.h"
#include "series/seriesread.h"
#include "series/seriestable.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

using namespace lobus;

std::filesystem::path writeSeriesFolder(int cases)
{
    const auto root
        = std::filesystem::temp_directory_path() / ("lobus-bench-series-" + std::to_string(cases));
    if (std::filesystem::exists(root / "DANE" / ("s" + std::to_string(cases) + ".dan")))
        return root;
    for (int i = 1; i <= cases; ++i) {
        casegen::Bearing b;
        b.name = "s" + std::to_string(i);
        b.description = "seria";
        b.points = 13;
        b.model = casegen::PressureModel::ShortBearing;
        b.speed = 500.0 + 10.0 * i;
        b.ekscen = 0.55 - 0.001 * i;
        casegen::writeCase(b, casegen::solve(b), root);
    }
    return root;
}

void BM_Series(benchmark::State& state)
{
    const auto root = writeSeriesFolder(static_cast<int>(state.range(0))).string();
    for (auto _ : state) {
        const Series series = readSeries(seriesInputs({root}));
        std::string json = seriesJson(series);
        benchmark::DoNotOptimize(json);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Series)->Arg(400)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
