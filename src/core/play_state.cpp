// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/play_state.h"

namespace zentora {

PlayState::PlayState() {
    signalBuffer.fill(-1);
    positionStakeRaw.fill(0);
    signalList.reserve(kSlotCount);  // so that refilling the list never allocates
    ResetCounters(*this);
}

void ResetCounters(PlayState& state) {
    state.playedSlot = kNoSlot;
    state.absenceCounter.fill(0);
    state.rateSignal.fill(0);
    state.hitRate.fill(0);
    state.slotStake.fill(0);
    state.progressionStep.fill(-1);
    state.hitCounter.fill(0);
    state.positionStake.fill(0);
    state.countingSync.Clear();
}

std::uint8_t StoreNewestSpin(PlayState& state, std::uint8_t number) {
    state.permanence.PushNewest(number);
    return number;
}

void ResetPlay(PlayState& state) {
    state.permanence.Clear();
    state.signalList.clear();
    ResetCounters(state);
}

}  // namespace zentora
