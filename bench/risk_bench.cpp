// SPDX-License-Identifier: GPL-3.0-or-later
// The risk analysis: 1,000 random permanences of 10,000 spins on two threads, with the shipped settings and
// with every group under a stake progression. A few runs on one thread give the cost of one run, also under
// an instruction counter (callgrind), where 1,000 would take too long.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "engine/stakes.h"
#include "evaluation/risk_analysis.h"
#include "shipped_settings.h"

namespace {

using namespace zentora;

using bench::Settings;
using bench::Shipped;

// Both rules of every group on (rate windows spread as in the evaluation bench), the six stake techniques in
// turn over the groups (each on four or five of them), splitting on.
Settings Progressions() {
    Settings s = Shipped();
    int i = 0;
    for (const ChanceGroup& g : kChanceGroups) {
        s.applied.optionFlags[g.absenceCheckBox - 1] = 1;
        s.applied.optionFlags[g.rateCheckBox - 1] = 1;
        GroupSettings& gs = s.applied.Of(g.id);
        for (int w = 0; w < kRateWindowCount; ++w) gs.rateUntil[w] = 9500000 / 12 * (w + 1);
        gs.rateUntil[kRateWindowCount - 1] = 9500000;
        gs.stakeTechnique = i++ % kStakeProgressionCount;
        gs.initialStake = std::max(gs.initialStake, 1);
    }
    s.applied.optionFlags[kSplitOnTableBox - 1] = 1;
    return s;
}

void BM_Risk(benchmark::State& state, Settings (*make)()) {
    const Settings s = make();
    const auto threads = static_cast<int>(state.range(0));
    const std::int64_t runs = state.range(1);
    double staked = 0;
    for (auto _ : state) {
        const RiskResult r = AnalyseRisk(RandomRuns(1, 0, runs, 10000), s.applied, s.live,
                                         {.bankroll = 1000, .threads = threads});
        staked = Summarise(r.runs).meanStakedPerSpin;
        benchmark::DoNotOptimize(r.runs.data());
    }
    // That the settings stake at all: the mean laid per spin.
    state.counters["staked_per_spin"] = staked;
    state.SetItemsProcessed(state.iterations() * runs * 10000);
}

// Arguments: threads, runs.
BENCHMARK_CAPTURE(BM_Risk, shipped, Shipped)
    ->Args({1, 1000})
    ->Args({2, 1000})
    ->Args({1, 4})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Risk, progressions, Progressions)
    ->Args({2, 1000})
    ->Args({1, 4})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
// Four runs on one thread, once each: for an instruction counter (valgrind --tool=callgrind
// --benchmark_filter=counted), which otherwise runs as many iterations as its slowness asks for.
BENCHMARK_CAPTURE(BM_Risk, counted_shipped, Shipped)
    ->Args({1, 4})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Risk, counted_progressions, Progressions)
    ->Args({1, 4})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
