// A live spin and the replay of a long permanence, every chance group switched on.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "catalogue/counting.h"
#include "core/play_state.h"
#include "core/spin_pipeline.h"

namespace {

using namespace zentora;

AppliedSettings AllOn() {
    AppliedSettings s;
    s.optionFlags.fill(1);
    return s;
}

std::vector<std::uint8_t> RandomSpins(std::size_t count) {
    std::mt19937 rng(42);
    std::vector<std::uint8_t> spins(count);
    for (auto& s : spins) s = static_cast<std::uint8_t>(rng() % 37);
    return spins;
}

// The counting part of a spin: base update, composite absences and hits, hit rates.
void BM_CountSpin(benchmark::State& bench) {
    const AppliedSettings settings = AllOn();
    const auto spins = RandomSpins(4096);
    AbsenceArray absence{};
    CountArray hits{};
    CountArray rates{};
    std::int32_t counted = 1000;
    std::size_t i = 0;
    for (auto _ : bench) {
        CountSpin(spins[i++ & 4095], settings, absence, hits);
        ComputeHitRates(settings, hits, rates, ++counted);
        benchmark::DoNotOptimize(rates.data());
    }
}
BENCHMARK(BM_CountSpin);

// A whole live spin through the pipeline (AddMyItem after ArrayInsert).
void BM_LiveSpin(benchmark::State& bench) {
    PlayState state;
    state.settings = AllOn();
    const FixedLiveSettings live;
    const auto spins = RandomSpins(4096);
    state.permanence = Permanence::FromOldestFirst(spins);
    AllAddMyItem(state, live);
    std::size_t i = 0;
    for (auto _ : bench) {
        EnterSpin(state, live, spins[i++ & 4095]);
        benchmark::DoNotOptimize(state.positionStake.data());
    }
}
BENCHMARK(BM_LiveSpin);

void BM_Replay(benchmark::State& bench) {
    PlayState state;
    state.settings = AllOn();
    const FixedLiveSettings live;
    state.permanence = Permanence::FromOldestFirst(RandomSpins(static_cast<std::size_t>(bench.range(0))));
    for (auto _ : bench) {
        AllAddMyItem(state, live);
        benchmark::DoNotOptimize(state.hitCounter.data());
    }
}
BENCHMARK(BM_Replay)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
