// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/stakes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "catalogue/platform.h"

namespace zentora {

namespace {

// Exact values are kept up to this bound; anything beyond cannot fit a stake anyway.
constexpr std::int64_t kWide = std::int64_t{1} << 62;

// base is a 32-bit value and 0 <= factor <= 2^62.
constexpr std::int64_t SaturatedProduct(std::int64_t base, std::int64_t factor) {
    // Small factors cannot leave the range; else |base * factor| > kWide exactly when |base| > kWide / factor
    // (rounded down).
    if (factor <= (std::int64_t{1} << 31)) return base * factor;
    if (base > kWide / factor || base < -(kWide / factor)) return base < 0 ? -kWide : kWide;
    return base * factor;
}

constexpr std::int32_t ToStake(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

template <int Base>
constexpr std::array<std::int64_t, 64> BuildPowers() {
    std::array<std::int64_t, 64> table{};
    std::int64_t v = 1;
    for (auto& entry : table) {
        entry = v;
        v = v > kWide / Base ? kWide : v * Base;
    }
    return table;
}

constexpr std::array<std::int64_t, 96> BuildFibonacci() {
    std::array<std::int64_t, 96> table{};  // table[c] = F(c), F(1) = F(2) = 1
    table[1] = 1;
    for (std::size_t c = 2; c < table.size(); ++c)
        table[c] = table[c - 1] > kWide - table[c - 2] ? kWide : table[c - 1] + table[c - 2];
    return table;
}

constexpr auto kPow2 = BuildPowers<2>();
constexpr auto kPow3 = BuildPowers<3>();
constexpr auto kFib = BuildFibonacci();

constexpr std::int64_t Pow2(int k) {
    return k < 64 ? kPow2[k] : kWide;
}
constexpr std::int64_t Pow3(int k) {
    return k < 64 ? kPow3[k] : kWide;
}
constexpr std::int64_t Fib(int c) {
    return c < static_cast<int>(kFib.size()) ? kFib[c] : kWide;
}

constexpr bool ValidTechnique(std::int32_t t) {
    return t >= 0 && t < kStakeProgressionCount;
}

// Factor of the base; `clamped` selects the step-clamped form.
constexpr std::int64_t Factor(std::int32_t technique, int step, bool clamped) {
    switch (static_cast<StakeProgression>(technique)) {
        case StakeProgression::Constant:
            return 1;
        case StakeProgression::Martingale:
            return Pow2(clamped ? std::min(step, 16) : step);
        case StakeProgression::American:
            return std::int64_t{step} + 1;
        case StakeProgression::Supermartingale: {
            const std::int64_t p = Pow2(step + 1);
            return p >= kWide ? kWide : p - 1;
        }
        case StakeProgression::Whittacker:
            return Fib(clamped && step >= 20 ? 20 : step + 2);
        case StakeProgression::Tripling:
            return Pow3(clamped ? std::min(step, 16) : step);
    }
    return 0;
}

// Factors of the steps below kTableSteps, both forms, for every technique.
constexpr int kTableSteps = 128;
struct FactorTable {
    std::array<std::array<std::int64_t, kTableSteps>, kStakeProgressionCount> clamped{}, exact{};
};
constexpr FactorTable BuildFactorTable() {
    FactorTable t{};
    for (int tech = 0; tech < kStakeProgressionCount; ++tech)
        for (int k = 0; k < kTableSteps; ++k) {
            t.clamped[tech][k] = Factor(tech, k, true);
            t.exact[tech][k] = Factor(tech, k, false);
        }
    return t;
}
constexpr FactorTable kFactors = BuildFactorTable();

constexpr std::int64_t ClampedFactor(std::int32_t technique, int step) {
    return step < kTableSteps ? kFactors.clamped[technique][step] : Factor(technique, step, true);
}
constexpr std::int64_t ExactFactor(std::int32_t technique, int step) {
    return step < kTableSteps ? kFactors.exact[technique][step] : Factor(technique, step, false);
}

enum class StakeRule : std::uint8_t { StepClamped, SeriesCap, SplitSeries, GrandSeries };

constexpr StakeRule RuleOf(GroupId id) {
    switch (id) {
        case GroupId::S837:
        case GroupId::S737:
        case GroupId::S637:
        case GroupId::S937:
            return StakeRule::SeriesCap;
        case GroupId::S1237:
        case GroupId::SS837:
        case GroupId::SS637:
            return StakeRule::SplitSeries;
        case GroupId::S1737:
            return StakeRule::GrandSeries;
        default:
            return StakeRule::StepClamped;
    }
}

// "Große Serie 0/2/3" lies twice on the transversale pleine 0/2/3, so its stake is bounded by half of
// Maximum3.
std::int32_t GrandSeriesStake(std::int32_t technique, int step, std::int32_t base, std::int32_t maximum3) {
    if (!ValidTechnique(technique)) return 0;
    if (technique == 0) return base;
    const std::int64_t x = ProgressionValueExact(technique, step, base);
    // |x| <= 2^62: doubled, it fits 64 bits unless it is far above any maximum.
    if (x < kWide / 2 && x * 2 < maximum3) return ToStake(x);
    return maximum3 / 2;
}

}  // namespace

std::int64_t FibonacciFormula(int c) {
    const long double sqrt5 = std::sqrt(5.0L);
    const long double phi = (1.0L + sqrt5) / 2.0L;
    const long double psi = (1.0L - sqrt5) / 2.0L;
    return std::llround(std::pow(phi, static_cast<long double>(c)) / sqrt5 -
                        std::pow(psi, static_cast<long double>(c)));
}

std::int64_t ProgressionValueExact(std::int32_t technique, int step, std::int32_t base) {
    if (!ValidTechnique(technique) || step < 0) return 0;
    return SaturatedProduct(base, ExactFactor(technique, step));
}

std::int32_t ProgressionValue(std::int32_t technique, int step, std::int32_t base) {
    if (!ValidTechnique(technique) || step < 0) return 0;
    return ToStake(SaturatedProduct(base, ClampedFactor(technique, step)));
}

std::int32_t ProgressionValue(std::int32_t technique, int step, std::int32_t base, std::int32_t maximum) {
    if (!ValidTechnique(technique) || step < 0) return 0;
    if (technique == 0) return base;
    return ToStake(std::min<std::int64_t>(ProgressionValueExact(technique, step, base), maximum));
}

StakeCache::GroupRule StakeCache::RuleFor(GroupId id, const AppliedSettings& settings, bool splitSeries,
                                          std::int32_t liveTechnique) {
    const GroupSettings& gs = settings.Of(id);
    GroupRule r{static_cast<std::uint8_t>(RuleOf(id)), gs.stakeTechnique, gs.initialStake, 0};
    switch (RuleOf(id)) {
        case StakeRule::SplitSeries:
            if (splitSeries) {
                r.rule = static_cast<std::uint8_t>(StakeRule::StepClamped);
                r.technique = liveTechnique;
            } else {
                r.rule = static_cast<std::uint8_t>(StakeRule::SeriesCap);
                r.maximum = settings.maximum2;
            }
            break;
        case StakeRule::SeriesCap:
            r.maximum = settings.maximum2;
            break;
        case StakeRule::GrandSeries:
            r.maximum = settings.maximum3;
            break;
        case StakeRule::StepClamped:
            break;
    }
    return r;
}

std::int32_t StakeCache::StakeAt(const GroupRule& r, int step) {
    if (step < 0) return 0;
    switch (static_cast<StakeRule>(r.rule)) {
        case StakeRule::StepClamped:
            return ProgressionValue(r.technique, step, r.base);
        case StakeRule::SeriesCap:
            return ProgressionValue(r.technique, step, r.base, r.maximum);
        case StakeRule::GrandSeries:
            return GrandSeriesStake(r.technique, step, r.base, r.maximum);
        case StakeRule::SplitSeries:
            break;  // resolved by RuleFor
    }
    return 0;
}

std::int32_t StakeAtStep(GroupId group, int step, const AppliedSettings& settings,
                         std::int32_t es637sTechnique) {
    return StakeCache::StakeAt(
        StakeCache::RuleFor(group, settings, settings.Flag(kSplitSeriesBox), es637sTechnique), step);
}

void ComputeSlotStakes(const SignalArray& signalBuffer, const AppliedSettings& settings,
                       const LiveSettings& live, StakeArray& slotStake) {
    StakeCache cache;
    ComputeSlotStakes(signalBuffer, settings, live, slotStake, cache);
}

namespace {

// One group's stakes from its steps: entry min(step + 1, last) of the table, 0 for "not signalled".
ZENTORA_VECTOR_CLONES
void LookUpStakes(const std::int16_t* steps, std::int32_t* out, int count, const std::int32_t* byEntry) {
    for (int i = 0; i < count; ++i) {
        const int entry = std::min<int>(std::max<int>(steps[i], -1) + 1, StakeCache::kEntries - 1);
        out[i] = byEntry[entry];
    }
}

// The same for a group whose signalled steps all stake `stake`.
ZENTORA_VECTOR_CLONES
void SelectStakes(const std::int16_t* steps, std::int32_t* out, int count, std::int32_t stake) {
    for (int i = 0; i < count; ++i) out[i] = steps[i] >= 0 ? stake : 0;
}

ZENTORA_VECTOR_CLONES
std::int16_t HighestStep(const std::int16_t* steps, int count) {
    std::int16_t highest = -1;
    for (int i = 0; i < count; ++i) highest = std::max(highest, steps[i]);
    return highest;
}

}  // namespace

void ComputeSlotStakes(const SignalArray& signalBuffer, const AppliedSettings& settings,
                       const LiveSettings& live, StakeArray& slotStake, StakeCache& cache) {
    const bool splitSeries = settings.Flag(kSplitSeriesBox);
    const std::int32_t liveTechnique = splitSeries ? live.Es637sTechnique() : -1;
    for (const ChanceGroup& g : kChanceGroups) {
        StakeCache::GroupTable& table = cache.groups_[GroupIndex(g.id)];
        const StakeCache::GroupRule rule = StakeCache::RuleFor(g.id, settings, splitSeries, liveTechnique);
        if (!(rule == table.rule) || table.filled == 0) {
            table.rule = rule;
            table.byEntry[0] = 0;  // entry 0: not signalled
            table.filled = 1;
            table.sameFrom = 1;
        }
        // Every step of the group below the table's end gets its entry first; then each slot is one lookup.
        const std::int16_t* steps = signalBuffer.data() + g.firstSlot;
        const int count = g.SlotCount();
        const std::int16_t highest = HighestStep(steps, count);
        const int needed = std::min<int>(highest + 2, StakeCache::kEntries);
        for (; table.filled < needed; ++table.filled) {
            table.byEntry[table.filled] = StakeCache::StakeAt(rule, table.filled - 1);
            if (table.byEntry[table.filled] != table.byEntry[table.filled - 1] || table.filled == 1)
                table.sameFrom = table.filled;
        }
        std::int32_t* out = slotStake.data() + g.firstSlot;
        if (highest + 1 >= StakeCache::kEntries - 1) {  // steps beyond the table: rare, computed one by one
            LookUpStakes(steps, out, count, table.byEntry.data());
            for (int i = 0; i < count; ++i)
                if (steps[i] + 1 >= StakeCache::kEntries - 1) out[i] = StakeCache::StakeAt(rule, steps[i]);
        } else if (table.sameFrom == 1) {  // every step up to the highest stakes the same
            SelectStakes(steps, out, count, highest >= 0 ? table.byEntry[1] : 0);
        } else {
            LookUpStakes(steps, out, count, table.byEntry.data());
        }
    }
}

}  // namespace zentora
