#include "core/spin_pipeline.h"

#include <algorithm>
#include <limits>

#include "catalogue/counting.h"

namespace zentora {

namespace {

std::int32_t SpinsCounted(std::size_t spins) {
    return static_cast<std::int32_t>(std::min<std::size_t>(spins, std::numeric_limits<std::int32_t>::max()));
}

// Counting and signals of one spin on top of the counters of the spins before it.
void CountAndDetect(PlayState& state, const LiveSettings& live, unsigned number, std::int32_t spinsCounted) {
    CountSpin(number, state.settings, state.absenceCounter, state.hitCounter);
    ComputeHitRates(state.settings, state.hitCounter, state.hitRate, spinsCounted);
    DetectAndStep(state, live, spinsCounted);
}

}  // namespace

// ---- Betting steps
// ------------------------------------------------------------------------------------------ Called after the
// counters and rates of every spin (live and the newest 1000 of a replay), with the spins counted so far: the
// absence rule into signalBuffer, the rate rule into rateSignal, then the single-chance selection (CheckBox1)
// or the progression steps, which leave their result in signalBuffer.
void DetectAndStep(PlayState&, const LiveSettings&, std::int32_t) {}

// Called once per spin and once at the end of a replay: slotStake from signalBuffer, positionStakeRaw from
// slotStake, positionStake within the table limits, and the signal list.
void StakeAndPlace(PlayState&, const LiveSettings&) {}

// ---- Pipeline
// -----------------------------------------------------------------------------------------------

void AddMyItem(PlayState& state, const LiveSettings& live, unsigned number) {
    state.signalBuffer.fill(-1);
    state.positionStake.fill(0);
    CountAndDetect(state, live, number, SpinsCounted(state.permanence.size()));
    StakeAndPlace(state, live);
}

void EnterSpin(PlayState& state, const LiveSettings& live, std::uint8_t number) {
    AddMyItem(state, live, ArrayInsert(state, number));
}

void AllAddMyItem(PlayState& state, const LiveSettings& live) {
    VariablenZuruecksetzen(state);
    state.signalBuffer.fill(-1);
    const auto spins = state.permanence.OldestFirst();
    const std::size_t n = spins.size();
    const std::size_t older = n > kFullReplaySpins ? n - kFullReplaySpins : 0;
    BaseUpdateRun(spins.first(older), state.absenceCounter, state.hitCounter);
    for (std::size_t j = older; j < n; ++j) {
        // A fresh buffer per spin, as in live entry, so that a replay ends where entering the spins would.
        state.signalBuffer.fill(-1);
        CountAndDetect(state, live, spins[j], SpinsCounted(j + 1));
    }
    StakeAndPlace(state, live);
}

bool Zahlentfernen1Click(PlayState& state, const LiveSettings& live) {
    if (state.permanence.empty()) return false;
    state.permanence.RemoveNewest();
    // Replayed whatever the length, so that counters and chips always belong to the permanence shown.
    AllAddMyItem(state, live);
    return true;
}

void ReplacePermanence(PlayState& state, const LiveSettings& live,
                       std::span<const std::uint8_t> newestFirst) {
    Neu2Click(state);
    state.permanence = Permanence::FromNewestFirst(newestFirst);
    AllAddMyItem(state, live);
}

}  // namespace zentora
