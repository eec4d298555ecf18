// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/play_session.h"

#include "core/spin_pipeline.h"

namespace zentora {

SignalNames PlaySession::SignalList() const {
    static SignalSlots staked;  // large; filled afresh on every call on the main thread
    CollectSignalSlots(0, kSlotCount - 1, state_.slotStake, staked);
    return SignalNamesOf(staked);
}

void PlaySession::EnterSpin(std::uint8_t number) {
    zentora::EnterSpin(state_, *live_, number);
}

void PlaySession::Replay() {
    ReplayPermanence(state_, *live_);
}

void PlaySession::New() {
    ResetPlay(state_);
}

void PlaySession::RemoveLastNumber() {
    RemoveLastSpin(state_, *live_);
}

void PlaySession::ReplacePermanence(const std::vector<std::uint8_t>& newestFirst) {
    zentora::ReplacePermanence(state_, *live_, newestFirst);
}

}  // namespace zentora
