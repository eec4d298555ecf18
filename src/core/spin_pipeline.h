// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The spin pipeline and the replay that rebuild the play state from the permanence.

#include <cstdint>
#include <span>

#include "core/play_state.h"
#include "engine/applied_settings.h"

namespace zentora {

// Spins replayed through the full pipeline; older ones only move the BaseSet counters.
inline constexpr std::size_t kFullReplaySpins = 1000;

// Runs the pipeline for one spin. The caller has already stored `number` as the most recent spin.
void PlaySpin(PlayState& state, const LiveSettings& live, unsigned number);

// StoreNewestSpin followed by PlaySpin: a spin entered on the table.
void EnterSpin(PlayState& state, const LiveSettings& live, std::uint8_t number);

// Resets the play state and replays the whole permanence: the newest 1000 spins through the full pipeline
// (a fresh SignalBuffer for each), the older ones with the base update only; stakes, placement and the signal
// list once at the end, also for an empty permanence. The counters equal those of entering every spin.
void ReplayPermanence(PlayState& state, const LiveSettings& live);

// Removes the most recent spin and replays what is left. Returns false (and changes nothing) when the
// permanence is empty.
bool RemoveLastSpin(PlayState& state, const LiveSettings& live);

// New, then the given spins (newest first) as the permanence, then the replay: opening a file or an import.
void ReplacePermanence(PlayState& state, const LiveSettings& live, std::span<const std::uint8_t> newestFirst);

// Betting steps of the pipeline, in this order after the counting of every spin.
// Signal detection and progression (absence signals into SignalBuffer, rate signals into RateSignal, then
// the single-chance selection or the progression steps). spinsCounted counts the spin just counted.
void DetectAndStep(PlayState& state, const LiveSettings& live, std::int32_t spinsCounted);
// Stakes, placement, table limits and the signal list: SlotStake, PositionStakeRaw, PositionStake,
// signalList.
void StakeAndPlace(PlayState& state, const LiveSettings& live);

}  // namespace zentora
