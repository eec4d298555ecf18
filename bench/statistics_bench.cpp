// SPDX-License-Identifier: GPL-3.0-or-later
// Statistics of the widest group over a long permanence.
#include <benchmark/benchmark.h>

#include <random>

#include "statistics/statistics.h"

namespace {

std::vector<std::uint8_t> RandomPermanence(std::size_t length) {
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> pick(0, 36);
    std::vector<std::uint8_t> perm(length);
    for (auto& v : perm) v = static_cast<std::uint8_t>(pick(rng));
    return perm;
}

void BM_Statistics(benchmark::State& state, zentora::GroupId group, zentora::StatisticsKind kind) {
    const auto perm = RandomPermanence(static_cast<std::size_t>(state.range(0)));
    zentora::AppliedSettings settings;
    zentora::FixedLiveSettings live;
    for (auto _ : state) {
        auto result = zentora::ComputeStatistics(perm, group, kind, settings, live);
        benchmark::DoNotOptimize(result.y.data());
    }
}

BENCHMARK_CAPTURE(BM_Statistics, Z1237_overview, zentora::GroupId::Z1237,
                  zentora::StatisticsKind::RateOverview)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Statistics, Z1237_mean_absence, zentora::GroupId::Z1237,
                  zentora::StatisticsKind::MeanAbsence)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Statistics, Z1237_max_absence, zentora::GroupId::Z1237,
                  zentora::StatisticsKind::MaxAbsence)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
