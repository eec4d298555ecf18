// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/spin_pipeline.h"

#include <algorithm>
#include <limits>

#include "catalogue/signal_list.h"
#include "engine/counting.h"
#include "engine/placement.h"
#include "engine/signal_detection.h"
#include "engine/stakes.h"

namespace zentora {

namespace {

std::int32_t SpinsCounted(std::size_t spins) {
    return static_cast<std::int32_t>(std::min<std::size_t>(spins, std::numeric_limits<std::int32_t>::max()));
}

// Counting and signals of one spin on top of the counters of the spins before it.
void CountAndDetect(PlayState& state, const LiveSettings& live, unsigned number, std::int32_t spinsCounted) {
    CountSpin(number, state.settings, state.absenceCounter, state.hitCounter, state.countingSync);
    ComputeHitRates(state.settings, state.hitCounter, state.hitRate, spinsCounted);
    DetectAndStep(state, live, spinsCounted);
}

}  // namespace

// ---- Betting steps -------------------------------------------------------------------------------------

// Called after the counters and rates of every spin (live and the newest 1000 of a replay).
void DetectAndStep(PlayState& state, const LiveSettings& live, std::int32_t spinsCounted) {
    DetectAbsenceSignals(state.absenceCounter, state.settings, live, state.signalBuffer);
    DetectRateSignals(state.hitRate, spinsCounted, state.settings, live, state.rateSignal);
    if (state.settings.Flag(kOneChanceBox))
        SelectSingleChance(state.settings, state.hitCounter, state.absenceCounter, state.signalBuffer,
                           state.rateSignal, state.progressionStep, state.playedSlot);
    else
        UpdateProgressionSteps(state.absenceCounter, state.signalBuffer, state.rateSignal,
                               state.progressionStep);
}

// Called once per spin and once at the end of a replay.
void StakeAndPlace(PlayState& state, const LiveSettings& live) {
    ComputeSlotStakes(state.signalBuffer, state.settings, live, state.slotStake, state.stakeCache);
    PlaceSlotStakes(state.slotStake, state.positionStakeRaw);
    ApplyTableLimits(state.positionStakeRaw, state.settings, state.positionStake);
    WriteSignalList(state.slotStake, state.signalList);
}

// ---- Pipeline
// -----------------------------------------------------------------------------------------------

void PlaySpin(PlayState& state, const LiveSettings& live, unsigned number) {
    state.signalBuffer.fill(-1);
    state.positionStake.fill(0);
    CountAndDetect(state, live, number, SpinsCounted(state.permanence.size()));
    StakeAndPlace(state, live);
}

void EnterSpin(PlayState& state, const LiveSettings& live, std::uint8_t number) {
    PlaySpin(state, live, StoreNewestSpin(state, number));
}

void ReplayPermanence(PlayState& state, const LiveSettings& live) {
    ResetCounters(state);
    state.signalBuffer.fill(-1);
    const auto spins = state.permanence.OldestFirst();
    const std::size_t n = spins.size();
    const std::size_t older = n > kFullReplaySpins ? n - kFullReplaySpins : 0;
    BaseUpdateRun(spins.first(older), state.absenceCounter, state.hitCounter);
    state.countingSync.Clear();  // the composites have not seen the older spins
    for (std::size_t j = older; j < n; ++j) {
        // A fresh buffer per spin, as in live entry, so that a replay ends where entering the spins would.
        state.signalBuffer.fill(-1);
        CountAndDetect(state, live, spins[j], SpinsCounted(j + 1));
    }
    StakeAndPlace(state, live);
}

bool RemoveLastSpin(PlayState& state, const LiveSettings& live) {
    if (state.permanence.empty()) return false;
    state.permanence.RemoveNewest();
    // Replayed whatever the length, so that counters and chips always belong to the permanence shown.
    ReplayPermanence(state, live);
    return true;
}

void ReplacePermanence(PlayState& state, const LiveSettings& live,
                       std::span<const std::uint8_t> newestFirst) {
    ResetPlay(state);
    state.permanence = Permanence::FromNewestFirst(newestFirst);
    ReplayPermanence(state, live);
}

}  // namespace zentora
