#pragma once

#include <cstdint>

#include "catalogue/chance_groups.h"
#include "options/applied_settings.h"

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

// The stake of a slot of `group` at progression step `step` as ComputeSlotStakes gives it (0 for a negative
// step); with CheckBox31 ticked the split series stake by `es637sTechnique`, the technique of ES637S read at
// the moment of use.
std::int32_t StakeAtStep(GroupId group, int step, const AppliedSettings& settings,
                         std::int32_t es637sTechnique);

// SlotStake[0..1784] from the progression steps in SignalBuffer; SlotStake[1785] is left alone.
void ComputeSlotStakes(const SignalArray& signalBuffer, const AppliedSettings& settings,
                       const LiveSettings& live, StakeArray& slotStake);

}  // namespace zentora
