// SPDX-License-Identifier: GPL-3.0-or-later
// Money evaluation over a long permanence: the shipped settings, every rule of every group on, and the same
// with every group under a stake progression.
#include <benchmark/benchmark.h>

#include <random>

#include "../tests/evaluation/straightforward_evaluation.h"
#include "engine/stakes.h"
#include "evaluation/money_evaluation.h"
#include "shipped_settings.h"

namespace {

using namespace zentora;

std::vector<std::uint8_t> RandomPermanence(std::size_t length) {
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> pick(0, 36);
    std::vector<std::uint8_t> perm(length);
    for (auto& v : perm) v = static_cast<std::uint8_t>(pick(rng));
    return perm;
}

using bench::Settings;
using bench::Shipped;

// Both rules of all 27 groups, rate windows spread up to 9,500,000 spins, splitting on.
Settings AllOn() {
    Settings s = Shipped();
    for (const ChanceGroup& g : kChanceGroups) {
        s.applied.optionFlags[g.absenceCheckBox - 1] = 1;
        s.applied.optionFlags[g.rateCheckBox - 1] = 1;
        for (int w = 0; w < kRateWindowCount; ++w) s.applied.Of(g.id).rateUntil[w] = 9500000 / 12 * (w + 1);
        s.applied.Of(g.id).rateUntil[kRateWindowCount - 1] = 9500000;
    }
    s.applied.optionFlags[31] = 1;  // CheckBox32: splitting
    return s;
}

// As AllOn, with every group under a stake technique (each of the six on several groups, the split series
// by ES637S) and maxima high enough for the progressions to climb. The absence bands reach from 0 to 999
// spins, so that nearly every chance is in play all along, a hit starting its progression afresh.
Settings Progressions() {
    Settings s = AllOn();
    int i = 0;
    for (const ChanceGroup& g : kChanceGroups) {
        GroupSettings& gs = s.applied.Of(g.id);
        gs.stakeTechnique = i % kStakeProgressionCount;
        gs.initialStake = 1 + i % 3;
        gs.absenceHigh = 999;
        gs.absenceSpan = 1000;
        gs.absenceLow = 0;
        ++i;
    }
    for (std::int32_t* m :
         {&s.applied.maximum1, &s.applied.maximum2, &s.applied.maximum3, &s.applied.maximum4,
          &s.applied.maximum6, &s.applied.maximum12, &s.applied.maximum18})
        *m = 5000;
    s.applied.optionFlags[30] = 1;  // CheckBox31: the split series by ES637S
    s.live.es637sTechnique = 4;
    return s;
}

void BM_Evaluation(benchmark::State& state, Settings (*make)()) {
    const Settings s = make();
    const auto perm = RandomPermanence(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        auto result = EvaluateMoney(perm, s.applied, s.live);
        benchmark::DoNotOptimize(result.balance.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_StraightforwardEvaluation(benchmark::State& state, Settings (*make)()) {
    const Settings s = make();
    const auto perm = RandomPermanence(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        auto result = testing::StraightforwardEvaluation(perm, s.applied, s.live);
        benchmark::DoNotOptimize(result.balance.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// One thread, once: the same settings over 50,000 spins through a MoneyEvaluator built beforehand, for an
// instruction counter (valgrind --tool=callgrind --benchmark_filter=OneThread/progressions), whose count does
// not depend on how two threads shared the stretches. Its time says little.
void BM_EvaluationOneThread(benchmark::State& state, Settings (*make)()) {
    const Settings s = make();
    const auto perm = RandomPermanence(static_cast<std::size_t>(state.range(0)));
    const MoneyEvaluator evaluator(s.applied, s.live, state.range(0));
    for (auto _ : state) {
        auto result = evaluator.Evaluate(perm);
        benchmark::DoNotOptimize(result.balance.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Wall time: long runs share their work with a second thread.
BENCHMARK_CAPTURE(BM_Evaluation, shipped, Shipped)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Evaluation, all_on, AllOn)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Evaluation, progressions, Progressions)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_EvaluationOneThread, shipped, Shipped)
    ->Arg(50000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EvaluationOneThread, all_on, AllOn)
    ->Arg(50000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EvaluationOneThread, progressions, Progressions)
    ->Arg(50000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
// The defining form, for comparison: a shorter run, per spin as fast as a long one.
BENCHMARK_CAPTURE(BM_StraightforwardEvaluation, shipped, Shipped)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StraightforwardEvaluation, all_on, AllOn)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StraightforwardEvaluation, progressions, Progressions)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
