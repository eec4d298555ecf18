// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/signal_detection.h"

#include <algorithm>

#include "catalogue/platform.h"
#include "catalogue/slot_mask.h"

namespace zentora {

namespace {

constexpr std::int16_t Increment(std::int16_t value) {
    return value < kSignalCounterMax ? static_cast<std::int16_t>(value + 1) : kSignalCounterMax;
}

// S837 is evaluated over 1429..1435; 1436 takes the Orphelin result afterwards.
constexpr int LastRuleSlot(const ChanceGroup& g) {
    return g.id == GroupId::S837 ? kOrphelinPleinSlot : g.lastSlot;
}

constexpr std::int32_t Clamp32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

void ClearBuffer(SignalArray& signalBuffer) {
    std::fill_n(signalBuffer.begin(), kSlotCount, std::int16_t{-1});
}

// The per-slot rule loops, written without branches so that they run on whole vectors of slots.
ZENTORA_VECTOR_CLONES
void AbsenceWindow(const std::int16_t* absence, std::int16_t* buffer, int count, std::int32_t low,
                   std::int32_t high) {
    for (int i = 0; i < count; ++i) {
        const std::int32_t a = absence[i];
        buffer[i] = ((low <= a) & (a <= high)) ? std::int16_t{1} : std::int16_t{-1};
    }
}

ZENTORA_VECTOR_CLONES
void RateWindow(const std::int32_t* rate, std::int16_t* signal, int count, std::int32_t low,
                std::int32_t high) {
    for (int i = 0; i < count; ++i) {
        const std::int32_t r = rate[i];
        const std::int16_t grown =
            static_cast<std::int16_t>(std::min<std::int16_t>(signal[i], kSignalCounterMax - 1) + 1);
        signal[i] = ((low <= r) & (r <= high)) ? grown : std::int16_t{0};
    }
}

// The weight of every slot's chance group in single-chance mode.
constexpr std::array<std::int32_t, kSlotArraySize> BuildSlotWeights() {
    std::array<std::int32_t, kSlotArraySize> table{};
    for (int s = 0; s < kSlotArraySize; ++s) table[s] = Group(kSlotGroups[s]).chanceWeight;
    return table;
}
constexpr auto kSlotWeights = BuildSlotWeights();

}  // namespace

std::int64_t RateLimit(std::int32_t fromMilli, std::int32_t span, std::int32_t spins) {
    const std::int64_t factor = std::int64_t{span} + spins - 1;
    // The value is q = (2 V F + n) / (2 n) truncated. Unless q is an integer, it lies at least 1 / (2 n)
    // from one, further than the rounding of the extended formula reaches while V F + n < 2^62; so the
    // integer quotient is the same. Integers q (and other signs or sizes) take the formula itself.
    if (fromMilli >= 0 && factor >= 0 && spins > 0) {
        const std::int64_t product = std::int64_t{fromMilli} * factor;  // below 2^31 * 2^32
        if (product < (std::int64_t{1} << 62) - spins) {
            const std::int64_t numerator = 2 * product + spins, denominator = 2 * std::int64_t{spins};
            std::int64_t quotient, rest;
            if (numerator < (std::int64_t{1} << 53)) {
                // Both exact as doubles, so the rounded quotient is off by at most one; the remainder
                // decides.
                quotient = static_cast<std::int64_t>(static_cast<double>(numerator) /
                                                     static_cast<double>(denominator));
                rest = numerator - quotient * denominator;
                if (rest < 0) {
                    --quotient;
                    rest += denominator;
                } else if (rest >= denominator) {
                    ++quotient;
                    rest -= denominator;
                }
            } else {
                quotient = numerator / denominator;
                rest = numerator % denominator;
            }
            if (rest != 0) return quotient;
        }
    }
    const long double value = static_cast<long double>(fromMilli) * static_cast<long double>(factor) /
                                  static_cast<long double>(spins) +
                              0.5L;
    return static_cast<std::int64_t>(value);  // truncation toward zero
}

RateRuleBounds RateRuleBoundsOf(const GroupSettings& gs, bool ruleActive, std::int32_t rateStart,
                                std::int32_t spins, LastWindowLimit lastWindow) {
    const std::int64_t span = gs.absenceSpan;
    if (!ruleActive || spins > gs.rateUntil[kRateWindowCount - 1] || spins < rateStart - span) return {};

    int w = 0;  // 0-based window index; one exists since spins <= until12
    while (spins > gs.rateUntil[w]) ++w;

    if (w == 0 && spins < rateStart)  // below "Ab Runde" only the upper bound applies
        return {true, INT64_MIN, RateLimit(gs.rateFromMilli[0], gs.absenceSpan, spins)};
    if (w == kRateWindowCount - 1) {
        const std::int64_t upper = lastWindow == LastWindowLimit::Full
                                       ? 100000
                                       : RateLimit(gs.rateFromMilli[w], gs.absenceSpan, spins);
        return {true, gs.rateFromMilli[w], upper};
    }
    const bool nearEnd = std::int64_t{spins} > std::int64_t{gs.rateUntil[w]} - span;
    return {true, gs.rateFromMilli[w],
            RateLimit(gs.rateFromMilli[nearEnd ? w + 1 : w], gs.absenceSpan, spins)};
}

void DetectAbsenceSignals(const AbsenceArray& absenceCounter, const AppliedSettings& settings,
                          const LiveSettings& live, SignalArray& signalBuffer) {
    for (const ChanceGroup& g : kChanceGroups) {
        if (!settings.AbsenceRuleActive(g.id)) continue;
        const GroupSettings& gs = settings.Of(g.id);
        AbsenceWindow(absenceCounter.data() + g.firstSlot, signalBuffer.data() + g.firstSlot,
                      LastRuleSlot(g) - g.firstSlot + 1, gs.absenceLow, gs.absenceHigh);
        if (g.id == GroupId::S837 && !live.OrphelinPlein()) {
            signalBuffer[kOrphelinChevalSlot] = signalBuffer[kOrphelinPleinSlot];
            signalBuffer[kOrphelinPleinSlot] = -1;
        }
    }
}

void DetectRateSignals(const CountArray& hitRate, std::int32_t spins, const AppliedSettings& settings,
                       const LiveSettings& live, SignalArray& rateSignal) {
    for (const ChanceGroup& g : kChanceGroups) {
        const bool isS837 = g.id == GroupId::S837;
        const bool cheval = isS837 && !live.OrphelinPlein();
        // With "a Cheval" the running count of the Orphelin chance lives on 1436.
        if (cheval) rateSignal[kOrphelinPleinSlot] = rateSignal[kOrphelinChevalSlot];

        const int last = LastRuleSlot(g);
        const bool ruleActive = settings.RateRuleActive(g.id);
        const RateRuleBounds bounds =
            RateRuleBoundsOf(settings.Of(g.id), ruleActive, ruleActive ? live.RateStart(g.id) : 0, spins);
        if (!bounds.applies) {
            std::fill(rateSignal.begin() + g.firstSlot, rateSignal.begin() + last + 1, std::int16_t{0});
        } else {
            // Every rate is a 32-bit value, so bounds beyond that range compare the same when clamped.
            RateWindow(hitRate.data() + g.firstSlot, rateSignal.data() + g.firstSlot, last - g.firstSlot + 1,
                       Clamp32(bounds.lower), Clamp32(bounds.upper));
        }

        if (cheval) {
            rateSignal[kOrphelinChevalSlot] = rateSignal[kOrphelinPleinSlot];
            rateSignal[kOrphelinPleinSlot] = -1;
        }
    }
}

namespace {

ZENTORA_VECTOR_CLONES
void StepSlots(const std::int16_t* __restrict absence, std::int16_t* __restrict buffer,
               const std::int16_t* __restrict rate, std::int16_t* __restrict step) {
    for (int s = 0; s < kSlotCount; ++s) {
        const std::int16_t previous = step[s];
        const std::int16_t climbed =
            static_cast<std::int16_t>(previous + (previous < kSignalCounterMax ? 1 : 0));
        const std::int16_t next = absence[s] == 0 ? std::int16_t{0} : climbed;
        const bool signalled = (buffer[s] > 0) | (rate[s] > 0);
        const std::int16_t value = signalled ? next : std::int16_t{-1};
        step[s] = value;
        buffer[s] = value;
    }
}

}  // namespace

void UpdateProgressionSteps(const AbsenceArray& absenceCounter, SignalArray& signalBuffer,
                            const SignalArray& rateSignal, SignalArray& progressionStep) {
    // Not signalled: -1; signalled on a hit: 0; signalled after a miss: one step further. The buffer takes
    // the same value in every case. Written without branches so that it runs on whole vectors of slots.
    StepSlots(absenceCounter.data(), signalBuffer.data(), rateSignal.data(), progressionStep.data());
}

bool ContinuePlayedSlot(int c, const AppliedSettings& settings, const AbsenceArray& absenceCounter,
                        SignalArray& signalBuffer, const SignalArray& rateSignal,
                        SignalArray& progressionStep, std::int32_t& playedSlot) {
    if (c == playedSlot && absenceCounter[c] > 0) {
        progressionStep[c] = Increment(progressionStep[c]);
        if (progressionStep[c] < settings.Of(kSlotGroups[c]).absenceSpan) {
            ClearBuffer(signalBuffer);
            signalBuffer[c] = progressionStep[c];
            playedSlot = c;
            return true;
        }
        progressionStep[c] = -1;
        playedSlot = kNoSlot;
        return false;
    }
    if (absenceCounter[c] > 0 || rateSignal[c] > 0) {
        ClearBuffer(signalBuffer);
        std::fill_n(progressionStep.begin(), kSlotCount, std::int16_t{-1});
        signalBuffer[c] = 0;
        progressionStep[c] = 0;
        playedSlot = c;
        return true;
    }
    playedSlot = kNoSlot;
    signalBuffer[c] = -1;
    progressionStep[c] = -1;
    return false;
}

void SelectSingleChance(const AppliedSettings& settings, const CountArray& hitCounter,
                        const AbsenceArray& absenceCounter, SignalArray& signalBuffer,
                        const SignalArray& rateSignal, SignalArray& progressionStep,
                        std::int32_t& playedSlot) {
    const bool shift = settings.Flag(kShiftOthersBox);
    const auto isSlot = [](std::int32_t p) { return p >= 0 && p < kSlotCount; };

    if (shift && isSlot(playedSlot) &&
        ContinuePlayedSlot(playedSlot, settings, absenceCounter, signalBuffer, rateSignal, progressionStep,
                           playedSlot))
        return;

    const std::int32_t played = playedSlot;
    if (isSlot(played) && signalBuffer[played] > 0) {
        const std::int16_t kept = signalBuffer[played];
        ClearBuffer(signalBuffer);
        signalBuffer[played] = kept;
        return;
    }

    // Smallest weight wins; on equal weights the highest slot, so walking up the last one of equal weight.
    int chosen = kNoSlot;
    std::int64_t best = INT64_MAX;
    ForEachSetSlot(MaskOfEitherPositive(signalBuffer, rateSignal), [&](int s) {
        const std::int64_t weight = std::int64_t{kSlotWeights[s]} * hitCounter[s];
        const bool better = weight <= best;
        chosen = better ? s : chosen;
        best = better ? weight : best;
    });
    ClearBuffer(signalBuffer);
    if (chosen == kNoSlot) {
        playedSlot = kNoSlot;
        return;
    }
    signalBuffer[chosen] = 1;
    if (shift)
        ContinuePlayedSlot(chosen, settings, absenceCounter, signalBuffer, rateSignal, progressionStep,
                           playedSlot);
    playedSlot = chosen;
}

}  // namespace zentora
