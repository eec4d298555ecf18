#pragma once

#include <cstdint>

#include "catalogue/chance_groups.h"
#include "options/applied_settings.h"

namespace zentora {

// Saturation bound of RateSignal and ProgressionStep.
inline constexpr std::int16_t kSignalCounterMax = 32767;

// The group of every slot 0..1785 (1785 maps to the last group; callers never ask for it).
GroupId GroupIdOfSlot(int slot);

// RateLimit R(V) = trunc(V * (S + n - 1) / n + 0.5), evaluated in extended precision in this order.
std::int64_t RateLimit(std::int32_t fromMilli, std::int32_t span, std::int32_t spins);

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
