#include "engine/stakes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace zentora {

namespace {

// Exact values are kept up to this bound; anything beyond cannot fit a stake anyway.
constexpr std::int64_t kWide = std::int64_t{1} << 62;

constexpr std::int64_t SaturatedProduct(std::int64_t base, std::int64_t factor) {
    const __int128 product = static_cast<__int128>(base) * factor;
    if (product > kWide) return kWide;
    if (product < -kWide) return -kWide;
    return static_cast<std::int64_t>(product);
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

constexpr int kSplitSeriesBox = 31;  // "Serien 6/37"

// "Große Serie 0/2/3" lies twice on the transversale pleine 0/2/3, so its stake is bounded by half of
// Maximum3.
std::int32_t GrandSeriesStake(std::int32_t technique, int step, std::int32_t base, std::int32_t maximum3) {
    if (!ValidTechnique(technique)) return 0;
    if (technique == 0) return base;
    const std::int64_t x = ProgressionValueExact(technique, step, base);
    if (static_cast<__int128>(x) * 2 < maximum3) return ToStake(x);
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
    return SaturatedProduct(base, Factor(technique, step, false));
}

std::int32_t ProgressionValue(std::int32_t technique, int step, std::int32_t base) {
    if (!ValidTechnique(technique) || step < 0) return 0;
    return ToStake(SaturatedProduct(base, Factor(technique, step, true)));
}

std::int32_t ProgressionValue(std::int32_t technique, int step, std::int32_t base, std::int32_t maximum) {
    if (!ValidTechnique(technique) || step < 0) return 0;
    if (technique == 0) return base;
    return ToStake(std::min<std::int64_t>(ProgressionValueExact(technique, step, base), maximum));
}

namespace {

// A group's stake rule with the split series resolved by CheckBox31.
struct GroupStakeRule {
    StakeRule rule;
    std::int32_t technique;
    std::int32_t base;
};

GroupStakeRule ResolveStakeRule(GroupId id, const AppliedSettings& settings, bool splitSeries,
                                std::int32_t es637sTechnique) {
    const GroupSettings& gs = settings.Of(id);
    GroupStakeRule r{RuleOf(id), gs.stakeTechnique, gs.initialStake};
    if (r.rule == StakeRule::SplitSeries) {
        if (splitSeries) {
            r.technique = es637sTechnique;
            r.rule = StakeRule::StepClamped;
        } else {
            r.rule = StakeRule::SeriesCap;
        }
    }
    return r;
}

std::int32_t StakeOfRule(const GroupStakeRule& r, int k, const AppliedSettings& settings) {
    switch (r.rule) {
        case StakeRule::StepClamped:
            return ProgressionValue(r.technique, k, r.base);
        case StakeRule::SeriesCap:
            return ProgressionValue(r.technique, k, r.base, settings.maximum2);
        case StakeRule::GrandSeries:
            return GrandSeriesStake(r.technique, k, r.base, settings.maximum3);
        case StakeRule::SplitSeries:
            break;  // resolved
    }
    return 0;
}

}  // namespace

std::int32_t StakeAtStep(GroupId group, int step, const AppliedSettings& settings,
                         std::int32_t es637sTechnique) {
    if (step < 0) return 0;
    return StakeOfRule(ResolveStakeRule(group, settings, settings.Flag(kSplitSeriesBox), es637sTechnique),
                       step, settings);
}

void ComputeSlotStakes(const SignalArray& signalBuffer, const AppliedSettings& settings,
                       const LiveSettings& live, StakeArray& slotStake) {
    const bool splitSeries = settings.Flag(kSplitSeriesBox);
    std::int32_t liveTechnique = -1;
    bool liveRead = false;

    for (const ChanceGroup& g : kChanceGroups) {
        if (splitSeries && RuleOf(g.id) == StakeRule::SplitSeries && !liveRead) {
            liveTechnique = live.Es637sTechnique();
            liveRead = true;
        }
        const GroupStakeRule rule = ResolveStakeRule(g.id, settings, splitSeries, liveTechnique);
        for (int s = g.firstSlot; s <= g.lastSlot; ++s) {
            const int k = signalBuffer[s];
            slotStake[s] = k < 0 ? 0 : StakeOfRule(rule, k, settings);
        }
    }
}

}  // namespace zentora
