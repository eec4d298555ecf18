// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "catalogue/chance_groups.h"
#include "engine/applied_settings.h"

namespace zentora {

// Saturation bound of RateSignal and ProgressionStep.
inline constexpr std::int16_t kSignalCounterMax = 32767;

// RateLimit R(V) = trunc(V * (S + n - 1) / n + 0.5), evaluated in extended precision in this order.
std::int64_t RateLimit(std::int32_t fromMilli, std::int32_t span, std::int32_t spins);

// The bounds of a group's rate rule for the spin count `spins`: the rule holds for a slot whose rate lies in
// [lower, upper]. In window 12 live play takes 100 % as the upper bound; the money evaluation takes the
// RateLimit of that window's own "von" value.
enum class LastWindowLimit : std::uint8_t { Full, OwnValue };
struct RateRuleBounds {
    bool applies = false;  // false: flag clear, spins < RateStart - S or spins above window 12
    std::int64_t lower = 0;
    std::int64_t upper = 0;
};
RateRuleBounds RateRuleBoundsOf(const GroupSettings& group, bool ruleActive, std::int32_t rateStart,
                                std::int32_t spins, LastWindowLimit lastWindow = LastWindowLimit::Full);

// Absence rule: SignalBuffer := 1 / -1 for the slots of every group whose absence rule is on.
void DetectAbsenceSignals(const AbsenceArray& absenceCounter, const AppliedSettings& settings,
                          const LiveSettings& live, SignalArray& signalBuffer);

// Rate rule: RateSignal of every group for the spin count `spins` (>= 1).
void DetectRateSignals(const CountArray& hitRate, std::int32_t spins, const AppliedSettings& settings,
                       const LiveSettings& live, SignalArray& rateSignal);

// Normal play: turns the rule results into progression steps, left in SignalBuffer.
void UpdateProgressionSteps(const AbsenceArray& absenceCounter, SignalArray& signalBuffer,
                            const SignalArray& rateSignal, SignalArray& progressionStep);

// Keeping one played slot with "Andere Chancen verschieben". Returns true when it decided the spin.
bool ContinuePlayedSlot(int slot, const AppliedSettings& settings, const AbsenceArray& absenceCounter,
                        SignalArray& signalBuffer, const SignalArray& rateSignal,
                        SignalArray& progressionStep, std::int32_t& playedSlot);

// "Nur eine Chance anspielen": at most one slot stays in SignalBuffer.
void SelectSingleChance(const AppliedSettings& settings, const CountArray& hitCounter,
                        const AbsenceArray& absenceCounter, SignalArray& signalBuffer,
                        const SignalArray& rateSignal, SignalArray& progressionStep,
                        std::int32_t& playedSlot);

}  // namespace zentora
