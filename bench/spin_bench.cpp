// SPDX-License-Identifier: GPL-3.0-or-later
// A live spin and the replay of a long permanence, every chance group switched on.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "core/play_state.h"
#include "core/spin_pipeline.h"
#include "engine/counting.h"

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

double Min(const std::vector<double>& v) {
    return *std::min_element(v.begin(), v.end());
}

// The counting part of a live spin as the pipeline runs it: base update, composite absences and hits moved
// in place, hit rates.
void BM_CountSpin(benchmark::State& bench) {
    const AppliedSettings settings = AllOn();
    const auto spins = RandomSpins(4096);
    AbsenceArray absence{};
    CountArray hits{};
    CountArray rates{};
    CountingSync sync;
    std::int32_t counted = 1000;
    std::size_t i = 0;
    for (auto _ : bench) {
        CountSpin(spins[i++ & 4095], settings, absence, hits, sync);
        ComputeHitRates(settings, hits, rates, ++counted);
        benchmark::DoNotOptimize(rates.data());
    }
}
BENCHMARK(BM_CountSpin)->ComputeStatistics("min", Min);

// The same with every composite derived from its components, as on the first spin after a replay or a
// change of the switches.
void BM_CountSpinDerived(benchmark::State& bench) {
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
BENCHMARK(BM_CountSpinDerived)->ComputeStatistics("min", Min);

void BM_HitRates(benchmark::State& bench) {
    const AppliedSettings settings = AllOn();
    AbsenceArray absence{};
    CountArray hits{};
    CountArray rates{};
    const auto spins = RandomSpins(4096);
    for (auto s : spins) CountSpin(s, settings, absence, hits);
    for (auto _ : bench) {
        ComputeHitRates(settings, hits, rates, 4096);
        benchmark::DoNotOptimize(rates.data());
    }
}
BENCHMARK(BM_HitRates)->ComputeStatistics("min", Min);

// A whole live spin through the pipeline (PlaySpin after StoreNewestSpin).
void BM_LiveSpin(benchmark::State& bench) {
    PlayState state;
    state.settings = AllOn();
    const FixedLiveSettings live;
    const auto spins = RandomSpins(4096);
    state.permanence = Permanence::FromOldestFirst(spins);
    ReplayPermanence(state, live);
    std::size_t i = 0;
    for (auto _ : bench) {
        EnterSpin(state, live, spins[i++ & 4095]);
        benchmark::DoNotOptimize(state.positionStake.data());
    }
}
BENCHMARK(BM_LiveSpin)->ComputeStatistics("min", Min);

void BM_Replay(benchmark::State& bench) {
    PlayState state;
    state.settings = AllOn();
    const FixedLiveSettings live;
    state.permanence = Permanence::FromOldestFirst(RandomSpins(static_cast<std::size_t>(bench.range(0))));
    for (auto _ : bench) {
        ReplayPermanence(state, live);
        benchmark::DoNotOptimize(state.hitCounter.data());
    }
}
BENCHMARK(BM_Replay)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
