// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The play state of the main window with the live settings it is run with. The window only calls these;
// every rule behind them lives in the core.

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/signal_list.h"
#include "core/play_state.h"
#include "engine/applied_settings.h"

namespace zentora {

class PlaySession {
  public:
    PlaySession() : live_(&fixed_live_) {}

    PlayState& State() { return state_; }
    const PlayState& State() const { return state_; }
    const Permanence& GetPermanence() const { return state_.permanence; }
    // The options window hands its live store over once it exists.
    void SetLiveSettings(const LiveSettings* live) { live_ = live ? live : &fixed_live_; }
    // ApplySettings: takes effect with the next spin or replay.
    void SetAppliedSettings(const AppliedSettings& settings) { state_.settings = settings; }
    const LiveSettings& Live() const { return *live_; }

    void EnterSpin(std::uint8_t number);
    void AppendNewest(std::uint8_t number) { state_.permanence.PushNewest(number); }
    void Replay();
    void New();
    void RemoveLastNumber();
    void ReplacePermanence(const std::vector<std::uint8_t>& newestFirst);

    // The German names of the staked slots, in their two kinds.
    SignalNames SignalList() const;

  private:
    PlayState state_;
    FixedLiveSettings fixed_live_;
    const LiveSettings* live_;
};

}  // namespace zentora
