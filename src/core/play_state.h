// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The working data of one play: the permanence and every per-slot and per-position array of the engine.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/chance_groups.h"
#include "catalogue/signal_list.h"
#include "core/permanence.h"
#include "engine/applied_settings.h"
#include "engine/counting.h"
#include "engine/placement.h"
#include "engine/stakes.h"

namespace zentora {

struct PlayState {
    PlayState();

    Permanence permanence;

    AbsenceArray absenceCounter;  // AbsenceCounter
    CountArray hitCounter;        // HitCounter
    CountArray hitRate;           // HitRate, 1/100000
    SignalArray rateSignal;       // RateSignal
    SignalArray progressionStep;  // ProgressionStep, -1 = not in play
    StakeArray slotStake;         // SlotStake
    PositionArray positionStake;  // PositionStake (the chips)
    std::int32_t playedSlot;      // PlayedSlot, kNoSlot = none

    // The 145 BaseSet NumberSets; constant for the life of the program.
    std::span<const NumberSet, kBaseSetCount> baseSetTable = BaseSetTable();

    AppliedSettings settings;  // written only by ApplySettings

    // The composite groups whose counters follow from the BaseSet counters; cleared by the reset.
    CountingSync countingSync;

    // Scratch of one pipeline run, kept here so that a spin allocates nothing. positionStakeRaw keeps the
    // result of the last run for display and checking.
    SignalArray signalBuffer;        // SignalBuffer; index 1785 stays -1
    PositionArray positionStakeRaw;  // PositionStakeRaw

    // Stakes of the small progression steps per group, recomputed only when the settings change them.
    StakeCache stakeCache;
    // The signal list as the last pipeline run left it: its slots top to bottom (SignalListNames gives the
    // German lines).
    std::vector<std::uint16_t> signalList;
};

// Reset of the play state; the permanence, the BaseSet table and the settings stay as they are.
void ResetCounters(PlayState& state);

// Stores the number as the most recent spin and returns it.
std::uint8_t StoreNewestSpin(PlayState& state, std::uint8_t number);

// Starts a new, empty permanence: empties it and the signal list and resets the play state.
void ResetPlay(PlayState& state);

}  // namespace zentora
