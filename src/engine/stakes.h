// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

#include "catalogue/chance_groups.h"
#include "engine/applied_settings.h"

namespace zentora {

// The item index of an "Einsatz Technik:" box; any other value (-1: no item selected) stakes nothing.
enum class StakeProgression : std::int32_t {
    Constant = 0,         // "Einsatz bleibt gleich"
    Martingale = 1,       // "Einfache Martingale"
    American = 2,         // "Amerikanische Martingale"
    Supermartingale = 3,  // "Supermartingale"
    Whittacker = 4,       // "Whittacker-Progression"
    Tripling = 5,         // "Verdreifachung"
};
inline constexpr int kStakeProgressionCount = 6;

// Fibonacci number F(c) as round(phi^c / sqrt5 - psi^c) in extended precision.
std::int64_t FibonacciFormula(int c);

// Exact progression value without any step clamp, saturated at +-2^62. Invalid technique or step: 0.
std::int64_t ProgressionValueExact(std::int32_t technique, int step, std::int32_t base);

// Step-clamped form, saturated to 32 bits.
std::int32_t ProgressionValue(std::int32_t technique, int step, std::int32_t base);

// Form capped by `maximum`: techniques 1..5 give min(exact value, maximum), technique 0 the base.
std::int32_t ProgressionValue(std::int32_t technique, int step, std::int32_t base, std::int32_t maximum);

// The stakes of the small steps of every group, kept from spin to spin while the group's rule stays the
// same: a spin then stakes every slot with one lookup. Entries are filled on demand.
class StakeCache {
  public:
    static constexpr int kEntries = 130;  // entry k + 1 holds step k; entry 0 "not signalled"

    // A group's rule with the split series resolved by CheckBox31, and the maximum it is capped by.
    struct GroupRule {
        std::uint8_t rule = 0;
        std::int32_t technique = 0, base = 0, maximum = 0;
        bool operator==(const GroupRule&) const = default;
    };
    static GroupRule RuleFor(GroupId id, const AppliedSettings& settings, bool splitSeries,
                             std::int32_t liveTechnique);
    static std::int32_t StakeAt(const GroupRule& rule, int step);

  private:
    struct GroupTable {
        GroupRule rule;
        int filled = 0;    // entries 0..filled-1 are valid
        int sameFrom = 1;  // entries sameFrom..filled-1 hold the same stake
        std::array<std::int32_t, kEntries> byEntry;
    };
    std::array<GroupTable, kGroupCount> groups_;  // tables start empty (filled = 0)

    friend void ComputeSlotStakes(const SignalArray&, const AppliedSettings&, const LiveSettings&,
                                  StakeArray&, StakeCache&);
};

// The stake of a slot of `group` at progression step `step` as ComputeSlotStakes gives it (0 for a negative
// step); with CheckBox31 ticked the split series stake by `es637sTechnique`, the technique of ES637S read at
// the moment of use.
std::int32_t StakeAtStep(GroupId group, int step, const AppliedSettings& settings,
                         std::int32_t es637sTechnique);

// SlotStake[0..1784] from the progression steps in SignalBuffer; SlotStake[1785] is left alone.
void ComputeSlotStakes(const SignalArray& signalBuffer, const AppliedSettings& settings,
                       const LiveSettings& live, StakeArray& slotStake);
// The same with a cache that lives as long as the caller's play state.
void ComputeSlotStakes(const SignalArray& signalBuffer, const AppliedSettings& settings,
                       const LiveSettings& live, StakeArray& slotStake, StakeCache& cache);

}  // namespace zentora
