// SPDX-License-Identifier: GPL-3.0-or-later
// One live spin through the whole pipeline, and the replay of a long permanence.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>
#include <random>
#include <vector>

#include "catalogue/signal_list.h"
#include "core/play_state.h"
#include "core/spin_pipeline.h"
#include "engine/counting.h"
#include "engine/placement.h"
#include "engine/signal_detection.h"
#include "engine/stakes.h"
#include "options/options_model.h"

namespace {

std::atomic<long> gAllocations{0};

}  // namespace

void* operator new(std::size_t size) {
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
// GCC cannot see that these pair with the operator new above.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
#pragma GCC diagnostic pop

namespace zentora {
namespace {

// The options as the window starts with them, every group on with both rules, splitting on.
void FormSettings(AppliedSettings& s, FixedLiveSettings& live, bool singleChance) {
    OptionsModel model;
    for (const ChanceGroup& g : kChanceGroups) {
        model.Set(model.CheckBox(g.absenceCheckBox), 1);
        model.Set(model.CheckBox(g.rateCheckBox), 1);
    }
    model.Set(model.CheckBox(32), 1);
    model.Set(model.CheckBox(1), singleChance ? 1 : 0);
    // The form's maxima are 0; a table with real limits splits what exceeds them.
    const std::array<int, 7> maxima{100, 200, 300, 400, 600, 1200, 1800};
    for (std::size_t i = 0; i < maxima.size(); ++i) model.Set(model.Maxima()[i], maxima[i]);
    s = ApplySettings(model);
    live = TakeLiveSettings(model);
}

// Stress: windows so wide that most slots are signalled on every spin, with climbing steps.
void BusySettings(AppliedSettings& s, FixedLiveSettings& live, bool singleChance) {
    s.optionFlags.fill(0);
    for (const ChanceGroup& g : kChanceGroups) {
        s.optionFlags[g.absenceCheckBox - 1] = 1;
        s.optionFlags[g.rateCheckBox - 1] = 1;
        GroupSettings& gs = s.Of(g.id);
        const int numbers = [&] {
            NumberSet set = NumberSetOfSlot(g.firstSlot);
            int n = 0;
            for (int x = 0; x <= 36; ++x) n += set.Contains(static_cast<unsigned>(x)) ? 1 : 0;
            return n;
        }();
        gs.absenceHigh = 2 * 37 / numbers;
        gs.absenceSpan = 7;
        gs.absenceLow = gs.absenceHigh - gs.absenceSpan + 1;
        gs.initialStake = 1;
        gs.stakeTechnique = GroupIndex(g.id) % 6;
        const int expected = numbers * 100000 / 37;
        for (int w = 0; w < kRateWindowCount; ++w) {
            gs.rateUntil[w] = 100 * (w + 1) * (w + 1) * 1000;
            gs.rateFromMilli[w] = expected * (60 + 3 * w) / 100;
        }
        live.rateStart[GroupIndex(g.id)] = 37;
    }
    s.optionFlags[1 - 1] = singleChance ? 1 : 0;
    s.optionFlags[32 - 1] = 1;
    s.optionFlags[31 - 1] = 1;
    s.maximum1 = 20;
    s.maximum2 = 40;
    s.maximum3 = 60;
    s.maximum4 = 80;
    s.maximum6 = 120;
    s.maximum12 = 240;
    s.maximum18 = 360;
    live.orphelinPlein = false;
    live.es637sTechnique = 3;
}

std::vector<std::uint8_t> RandomSpins(std::size_t count, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<std::uint8_t> spins(count);
    for (auto& s : spins) s = static_cast<std::uint8_t>(rng() % 37);
    return spins;
}

double Min(const std::vector<double>& v) {
    return *std::min_element(v.begin(), v.end());
}

void LiveSpin(benchmark::State& st, bool busy) {
    PlayState state;
    FixedLiveSettings live;
    (busy ? BusySettings : FormSettings)(state.settings, live, st.range(0) != 0);
    const auto warmup = RandomSpins(2000, 1);
    state.permanence.Reserve(warmup.size() + (std::size_t{1} << 24));
    for (auto s : warmup) EnterSpin(state, live, s);
    const auto spins = RandomSpins(1 << 16, 2);
    std::size_t i = 0;
    long staked = 0;
    const long before = gAllocations.load();
    for (auto _ : st) {
        const std::uint8_t number = spins[i++ & 0xFFFF];
        state.permanence.PushNewest(number);  // StoreNewestSpin, within the reserved capacity
        PlaySpin(state, live, number);
        staked += static_cast<long>(state.signalList.size());
    }
    st.counters["allocs_per_spin"] = benchmark::Counter(static_cast<double>(gAllocations.load() - before) /
                                                        static_cast<double>(st.iterations()));
    st.counters["listed_per_spin"] =
        benchmark::Counter(static_cast<double>(staked) / static_cast<double>(st.iterations()));
}
void BM_LiveSpin(benchmark::State& st) {
    LiveSpin(st, false);
}
void BM_LiveSpinBusy(benchmark::State& st) {
    LiveSpin(st, true);
}
BENCHMARK(BM_LiveSpin)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("single_chance")
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", Min);
BENCHMARK(BM_LiveSpinBusy)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("single_chance")
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", Min);

// A live spin cut after its first `phases` steps (1 counting, 2 rates, 3 signals and progression, 4 stakes,
// 5 placement, 6 table limits, 7 the signal list): the differences show what each step costs.
void BM_LiveSpinPhases(benchmark::State& st) {
    PlayState state;
    FixedLiveSettings live;
    (st.range(1) != 0 ? BusySettings : FormSettings)(state.settings, live, st.range(2) != 0);
    const auto warmup = RandomSpins(2000, 1);
    state.permanence.Reserve(warmup.size() + (std::size_t{1} << 24));
    for (auto s : warmup) EnterSpin(state, live, s);
    const auto spins = RandomSpins(1 << 16, 2);
    const int phases = static_cast<int>(st.range(0));
    std::size_t i = 0;
    for (auto _ : st) {
        const std::uint8_t number = spins[i++ & 0xFFFF];
        state.permanence.PushNewest(number);
        const auto counted = static_cast<std::int32_t>(state.permanence.size());
        state.signalBuffer.fill(-1);
        state.positionStake.fill(0);
        CountSpin(number, state.settings, state.absenceCounter, state.hitCounter, state.countingSync);
        if (phases >= 2) ComputeHitRates(state.settings, state.hitCounter, state.hitRate, counted);
        if (phases >= 3) DetectAndStep(state, live, counted);
        if (phases >= 4)
            ComputeSlotStakes(state.signalBuffer, state.settings, live, state.slotStake, state.stakeCache);
        if (phases >= 5) PlacementTable::Instance().PlaceByRuns(state.slotStake, state.positionStakeRaw);
        if (phases >= 6) ApplyTableLimits(state.positionStakeRaw, state.settings, state.positionStake);
        if (phases >= 7) WriteSignalList(state.slotStake, state.signalList);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_LiveSpinPhases)
    ->ArgsProduct({benchmark::CreateDenseRange(1, 7, 1), {0, 1}, {0, 1}})
    ->ArgNames({"phases", "busy", "single_chance"})
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", Min);

// The betting steps one by one, on the state a busy live play leaves.
void BM_Step(benchmark::State& st) {
    PlayState state;
    FixedLiveSettings live;
    (st.range(1) != 0 ? BusySettings : FormSettings)(state.settings, live, false);
    for (auto s : RandomSpins(2000, 1)) EnterSpin(state, live, s);
    const SignalArray buffer = state.signalBuffer;
    static SignalSlots slots;
    const std::int32_t spins = static_cast<std::int32_t>(state.permanence.size());
    for (auto _ : st) {
        switch (st.range(0)) {
            case 0:
                DetectAbsenceSignals(state.absenceCounter, state.settings, live, state.signalBuffer);
                break;
            case 1:
                DetectRateSignals(state.hitRate, spins, state.settings, live, state.rateSignal);
                break;
            case 2:
                state.signalBuffer = buffer;
                UpdateProgressionSteps(state.absenceCounter, state.signalBuffer, state.rateSignal,
                                       state.progressionStep);
                break;
            case 3:
                ComputeSlotStakes(buffer, state.settings, live, state.slotStake, state.stakeCache);
                break;
            case 4:
                PlaceSlotStakes(state.slotStake, state.positionStakeRaw);
                break;
            case 5:
                ApplyTableLimits(state.positionStakeRaw, state.settings, state.positionStake);
                break;
            case 6:
                CollectSignalSlots(0, kSlotCount - 1, state.slotStake, slots);
                break;
            case 7:
                WriteSignalList(state.slotStake, state.signalList);
                break;
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Step)
    ->ArgsProduct({benchmark::CreateDenseRange(0, 7, 1), {0, 1}})
    ->ArgNames({"step", "busy"})
    ->ComputeStatistics("min", Min);

void BM_Replay(benchmark::State& st) {
    PlayState state;
    FixedLiveSettings live;
    FormSettings(state.settings, live, false);
    const auto spins = RandomSpins(static_cast<std::size_t>(st.range(0)), 3);
    state.permanence = Permanence::FromOldestFirst(spins);
    for (auto _ : st) {
        ReplayPermanence(state, live);
        benchmark::DoNotOptimize(state.positionStake);
    }
}
BENCHMARK(BM_Replay)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Min);

}  // namespace
}  // namespace zentora

BENCHMARK_MAIN();
