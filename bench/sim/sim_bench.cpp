// Throughput of whole simulated games: plays per second with the pauses
// counted and not waited, no trace, and the record file's writes left out.
#include <benchmark/benchmark.h>

#include "files/layout.h"
#include "tools/sim/simulator.h"

namespace {

void BM_WholeYear(benchmark::State& state) {
    koikoi::SlotPositions positions{};
    if (koikoi::LoadLayout(KOIKOI_DATA_DIR "/allocation.dat", positions) != koikoi::LayoutStatus::Ok) {
        state.SkipWithError("allocation.dat not found");
        return;
    }
    koikoi::sim::Options options;
    options.opponent = static_cast<int32_t>(state.range(0));
    int64_t plays = 0;
    uint64_t seed = 1;
    for (auto _ : state) {
        options.seed = seed++;
        const koikoi::sim::GameResult result = koikoi::sim::PlayGame(options, positions);
        plays += result.plays;
        benchmark::DoNotOptimize(result.humanKan);
    }
    state.counters["plays_per_second"] =
        benchmark::Counter(static_cast<double>(plays), benchmark::Counter::kIsRate);
    state.counters["plays_per_game"] =
        benchmark::Counter(static_cast<double>(plays), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_WholeYear)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
