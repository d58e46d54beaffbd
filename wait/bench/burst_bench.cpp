// Time of one burst at each default level, and time per addition. The per-addition time
// staying the same from level to level shows that every addition is really performed.
#include <benchmark/benchmark.h>

#include "burst.h"
#include "level_counts.h"

namespace {

void BM_Burst(benchmark::State& state) {
    const auto count = static_cast<int32_t>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(lindrow::RunBurst(count));
    }
    state.counters["per_addition"] = benchmark::Counter(
        static_cast<double>(count) + 1,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_Burst)
    ->ArgName("count")
    ->Arg(lindrow::kDefaultLevelCounts[0])
    ->Arg(lindrow::kDefaultLevelCounts[1])
    ->Arg(lindrow::kDefaultLevelCounts[2])
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
