// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/signal_detection.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

namespace zentora {
namespace {

struct Arrays {
    AbsenceArray absence{};
    CountArray hits{};
    CountArray rate{};
    SignalArray buffer;
    SignalArray rateSignal{};
    SignalArray step;
    std::int32_t played = kNoSlot;
    Arrays() {
        buffer.fill(-1);
        step.fill(-1);
    }
};

void SetFlag(AppliedSettings& s, int box, bool on = true) {
    s.optionFlags[box - 1] = on ? 1 : 0;
}

void SetAbsenceRule(AppliedSettings& s, GroupId id, int from, int span) {
    GroupSettings& g = s.Of(id);
    g.absenceHigh = from;
    g.absenceSpan = span;
    g.absenceLow = from - span + 1;
    SetFlag(s, Group(id).absenceCheckBox);
}

// Windows ending at 50, 100, ..., 600 with "von" values v1, v1 + 100, ...
void SetRateRule(AppliedSettings& s, FixedLiveSettings& live, GroupId id, int start, int span, int v1) {
    GroupSettings& g = s.Of(id);
    g.absenceSpan = span;
    for (int w = 0; w < kRateWindowCount; ++w) {
        g.rateUntil[w] = 50 * (w + 1);
        g.rateFromMilli[w] = v1 + 100 * w;
    }
    live.rateStart[GroupIndex(id)] = start;
    SetFlag(s, Group(id).rateCheckBox);
}

TEST(AbsenceRule, WindowEndsAtRateStartAndMayIncludeTheHit) {
    struct Case {
        int from, span, absence;
        std::int16_t expected;
    };
    const Case cases[] = {
        {3, 7, 0, 1},   {3, 7, 3, 1},   {3, 7, 4, -1},   {3, 7, -3, 1}, {3, 7, -4, -1},
        {10, 1, 9, -1}, {10, 1, 10, 1}, {10, 1, 11, -1}, {10, 3, 8, 1}, {10, 3, 7, -1},
    };
    for (const Case& c : cases) {
        AppliedSettings s;
        FixedLiveSettings live;
        SetAbsenceRule(s, GroupId::G137, c.from, c.span);
        Arrays a;
        a.absence[17] = static_cast<std::int16_t>(c.absence);
        DetectAbsenceSignals(a.absence, s, live, a.buffer);
        EXPECT_EQ(a.buffer[17], c.expected) << c.from << "/" << c.span << " absence " << c.absence;
    }
}

TEST(AbsenceRule, GroupWithRuleOffKeepsItsEntries) {
    AppliedSettings s;
    FixedLiveSettings live;
    SetAbsenceRule(s, GroupId::G237, 0, 1);
    Arrays a;
    a.buffer[17] = 5;
    DetectAbsenceSignals(a.absence, s, live, a.buffer);
    EXPECT_EQ(a.buffer[17], 5);
    EXPECT_EQ(a.buffer[85], 1);
}

TEST(AbsenceRule, OrphelinACheval) {
    for (bool plein : {true, false}) {
        AppliedSettings s;
        FixedLiveSettings live;
        live.orphelinPlein = plein;
        SetAbsenceRule(s, GroupId::S837, 5, 2);
        Arrays a;
        a.absence[kOrphelinPleinSlot] = 5;
        a.absence[kOrphelinChevalSlot] = 0;
        DetectAbsenceSignals(a.absence, s, live, a.buffer);
        EXPECT_EQ(a.buffer[kOrphelinPleinSlot], plein ? 1 : -1);
        EXPECT_EQ(a.buffer[kOrphelinChevalSlot], plein ? -1 : 1);
    }
}

TEST(RateRule, RateLimitExamples) {
    EXPECT_EQ(RateLimit(2703, 7, 30), 3244);
    EXPECT_EQ(RateLimit(2703, 7, 100), 2865);
    EXPECT_EQ(RateLimit(1000, 1, 3), 1000);
    EXPECT_EQ(RateLimit(0, 7, 30), 0);
}

// The integer path of RateLimit must give the extended-precision formula's value for every input,
// including exact halves (where the formula itself decides) and products near the 64-bit range.
TEST(RateRule, RateLimitEqualsTheExtendedFormula) {
    const auto formula = [](std::int64_t v, std::int64_t span, std::int64_t n) {
        return static_cast<std::int64_t>(static_cast<long double>(v) *
                                             static_cast<long double>(span + n - 1) /
                                             static_cast<long double>(n) +
                                         0.5L);
    };
    std::mt19937_64 rng(4);
    const auto pick = [&](std::int64_t lo, std::int64_t hi) {
        return lo + static_cast<std::int64_t>(rng() % static_cast<std::uint64_t>(hi - lo + 1));
    };
    for (int i = 0; i < 400000; ++i) {
        std::int64_t v, span, n;
        switch (i % 5) {
            case 0:  // everyday windows
                v = pick(0, 100000), span = pick(1, 200), n = pick(1, 5000);
                break;
            case 1:  // large counts and values
                v = pick(0, INT32_MAX), span = pick(-100, INT32_MAX), n = pick(1, INT32_MAX);
                break;
            case 2:  // exact halves: 2 V F + n divisible by 2 n
                n = 2 * pick(1, 5000);
                span = n * pick(0, 50) + n / 2 - n + 1;  // F = n (k + 1/2) with V = 1
                v = 1;
                break;
            case 3:  // negative values and spans
                v = pick(INT32_MIN, INT32_MAX), span = pick(INT32_MIN, INT32_MAX), n = pick(1, INT32_MAX);
                break;
            default:  // small spin counts
                v = pick(0, 1000000), span = pick(-10, 10000), n = pick(1, 40);
                break;
        }
        ASSERT_EQ(RateLimit(static_cast<std::int32_t>(v), static_cast<std::int32_t>(span),
                            static_cast<std::int32_t>(n)),
                  formula(v, span, n))
            << v << " " << span << " " << n;
    }
}

TEST(RateRule, WindowsAndBounds) {
    // A = 37, S = 7, windows end at 50, 100, ...; V1 = 2703, V2 = 2803.
    struct Case {
        int spins;
        std::int64_t rate;
        std::int16_t expected;  // from a previous count of 0
    };
    const Case cases[] = {
        {29, 0, 0},  // n < A - S
        {30, 0, 1},  // below A: only the upper bound R(V1) = 3244
        {30, 3244, 1},
        {30, 3245, 0},  // the upper bound is inclusive
        {36, 0, 1},     // still below A
        {37, 0, 0},     // from A on, V1 is the lower bound
        {37, 2703, 1},
        {37, 2702, 0},
        {43, RateLimit(2703, 7, 43), 1},  // n = U1 - S: limit still from V1
        {43, RateLimit(2703, 7, 43) + 1, 0},
        {44, RateLimit(2803, 7, 44), 1},  // the last S spins of a window take the next "von" value
        {44, RateLimit(2703, 7, 44) + 1, 1},
        {44, 2702, 0},  // ... while the lower bound stays V1
        {51, 2802, 0},
        {51, 2803, 1},     // second window
        {560, 100000, 1},  // twelfth window: up to 100 %
        {600, 3803, 1},
        {601, 5000, 0},  // above U12 nothing holds
    };
    for (const Case& c : cases) {
        AppliedSettings s;
        FixedLiveSettings live;
        SetRateRule(s, live, GroupId::G137, 37, 7, 2703);
        Arrays a;
        a.rate[4] = static_cast<std::int32_t>(c.rate);
        DetectRateSignals(a.rate, c.spins, s, live, a.rateSignal);
        EXPECT_EQ(a.rateSignal[4], c.expected) << "n " << c.spins << " rate " << c.rate;
    }
}

TEST(RateRule, BoundsOfTheEvaluationDifferOnlyInWindow12) {
    AppliedSettings s;
    FixedLiveSettings live;
    SetRateRule(s, live, GroupId::G137, 37, 7, 2703);
    const GroupSettings& g = s.Of(GroupId::G137);
    for (int n = 1; n <= 620; ++n) {
        const RateRuleBounds play = RateRuleBoundsOf(g, true, 37, n);
        const RateRuleBounds eval = RateRuleBoundsOf(g, true, 37, n, LastWindowLimit::OwnValue);
        EXPECT_EQ(play.applies, n >= 30 && n <= 600) << n;
        EXPECT_EQ(eval.applies, play.applies);
        EXPECT_EQ(eval.lower, play.lower);
        if (n > 550 && n <= 600) {
            EXPECT_EQ(play.upper, 100000);
            EXPECT_EQ(eval.upper, RateLimit(3803, 7, n));
        } else {
            EXPECT_EQ(eval.upper, play.upper) << n;
        }
    }
    EXPECT_FALSE(RateRuleBoundsOf(g, false, 37, 100).applies);
}

TEST(RateRule, CountsConsecutiveSpinsAndSaturates) {
    AppliedSettings s;
    FixedLiveSettings live;
    SetRateRule(s, live, GroupId::G137, 1, 1, 0);
    Arrays a;  // "von" 0: only a rate of 0 lies in the window
    for (int n = 1; n <= 5; ++n) DetectRateSignals(a.rate, n, s, live, a.rateSignal);
    EXPECT_EQ(a.rateSignal[4], 5);
    a.rate[4] = 1;
    DetectRateSignals(a.rate, 6, s, live, a.rateSignal);
    EXPECT_EQ(a.rateSignal[4], 0);

    a.rate[4] = 0;
    a.rateSignal[4] = kSignalCounterMax;
    DetectRateSignals(a.rate, 7, s, live, a.rateSignal);
    EXPECT_EQ(a.rateSignal[4], kSignalCounterMax);
}

TEST(RateRule, RuleOffClearsTheGroup) {
    AppliedSettings s;
    FixedLiveSettings live;
    Arrays a;
    a.rateSignal.fill(9);
    DetectRateSignals(a.rate, 10, s, live, a.rateSignal);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (slot == kOrphelinChevalSlot) continue;
        ASSERT_EQ(a.rateSignal[slot], 0) << slot;
    }
    EXPECT_EQ(a.rateSignal[kOrphelinChevalSlot], 9);  // "Plein": 1436 keeps its value
}

TEST(RateRule, OrphelinAChevalCountsOnSlot1436) {
    AppliedSettings s;
    FixedLiveSettings live;
    live.orphelinPlein = false;
    SetRateRule(s, live, GroupId::S837, 1, 1, 0);
    Arrays a;  // both Orphelin slots at rate 0, inside the window
    for (int n = 1; n <= 3; ++n) {
        DetectRateSignals(a.rate, n, s, live, a.rateSignal);
        EXPECT_EQ(a.rateSignal[kOrphelinPleinSlot], -1);
        EXPECT_EQ(a.rateSignal[kOrphelinChevalSlot], n);
    }
    // With the rule off the result still moves to 1436.
    s.optionFlags[Group(GroupId::S837).rateCheckBox - 1] = 0;
    DetectRateSignals(a.rate, 4, s, live, a.rateSignal);
    EXPECT_EQ(a.rateSignal[kOrphelinPleinSlot], -1);
    EXPECT_EQ(a.rateSignal[kOrphelinChevalSlot], 0);
}

TEST(Progression, StartsClimbsRestartsAndLeaves) {
    struct SpinCase {
        std::int16_t signal, rateSignal, absence, expected;
    };
    // Slot signalled at absence 5, a further miss, a signalled hit, then no signal.
    const SpinCase spins[] = {{1, 0, 5, 0}, {1, 0, 6, 1}, {1, 0, 0, 0}, {-1, 3, 1, 1}, {-1, 0, 2, -1}};
    Arrays a;
    for (const SpinCase& c : spins) {
        a.buffer.fill(-1);
        a.buffer[90] = c.signal;
        a.rateSignal[90] = c.rateSignal;
        a.absence[90] = c.absence;
        UpdateProgressionSteps(a.absence, a.buffer, a.rateSignal, a.step);
        EXPECT_EQ(a.step[90], c.expected);
        EXPECT_EQ(a.buffer[90], c.expected);
    }
    a.buffer[90] = 1;
    a.absence[90] = 3;
    a.step[90] = kSignalCounterMax;
    UpdateProgressionSteps(a.absence, a.buffer, a.rateSignal, a.step);
    EXPECT_EQ(a.step[90], kSignalCounterMax);
}

TEST(SingleChance, SmallestWeightWinsAndTiesGoToTheHigherSlot) {
    AppliedSettings s;
    SetFlag(s, 1);
    {
        Arrays a;
        a.buffer[90] = 1;  // group 237, weight 25 x 3 = 75
        a.hits[90] = 3;
        a.rateSignal[17] = 2;  // plein, weight 50 x 2 = 100
        a.hits[17] = 2;
        SelectSingleChance(s, a.hits, a.absence, a.buffer, a.rateSignal, a.step, a.played);
        EXPECT_EQ(a.played, 90);
        EXPECT_EQ(a.buffer[90], 1);
        EXPECT_EQ(a.buffer[17], -1);
        EXPECT_EQ(a.step[90], -1);  // steps are untouched without CheckBox35
    }
    {
        Arrays a;
        a.buffer[90] = 1;  // weight 25 x 2 = 50
        a.hits[90] = 2;
        a.buffer[17] = 1;  // weight 50 x 1 = 50
        a.hits[17] = 1;
        SelectSingleChance(s, a.hits, a.absence, a.buffer, a.rateSignal, a.step, a.played);
        EXPECT_EQ(a.played, 90);
    }
    {
        Arrays a;
        SelectSingleChance(s, a.hits, a.absence, a.buffer, a.rateSignal, a.step, a.played);
        EXPECT_EQ(a.played, kNoSlot);
    }
}

TEST(SingleChance, PlayedSlotStaysWhileItsAbsenceRuleHolds) {
    AppliedSettings s;
    SetFlag(s, 1);
    Arrays a;
    a.played = 17;
    a.buffer[17] = 1;
    a.hits[17] = 100;
    a.buffer[90] = 1;  // lighter, but waits
    SelectSingleChance(s, a.hits, a.absence, a.buffer, a.rateSignal, a.step, a.played);
    EXPECT_EQ(a.played, 17);
    EXPECT_EQ(a.buffer[17], 1);
    EXPECT_EQ(a.buffer[90], -1);

    // Only the rate rule holds for the played slot: it competes again.
    a.buffer.fill(-1);
    a.buffer[90] = 1;
    a.rateSignal[17] = 4;
    SelectSingleChance(s, a.hits, a.absence, a.buffer, a.rateSignal, a.step, a.played);
    EXPECT_EQ(a.played, 90);
}

TEST(SingleChance, WithShiftTheSlotRunsItsStepsThenIsReleased) {
    AppliedSettings s;
    SetFlag(s, 1);
    SetFlag(s, 35);
    s.Of(GroupId::G137).absenceSpan = 3;
    Arrays a;
    a.hits[17] = 1;  // weight 50
    a.hits[90] = 4;  // weight 100
    // Spins 1..3: slot 17 misses and is signalled; it carries steps 0, 1, 2 while 90 waits.
    for (int spin = 0; spin < 3; ++spin) {
        a.buffer.fill(-1);
        a.buffer[17] = 1;
        a.buffer[90] = 1;
        a.absence[17] = static_cast<std::int16_t>(5 + spin);
        a.absence[90] = 5;
        SelectSingleChance(s, a.hits, a.absence, a.buffer, a.rateSignal, a.step, a.played);
        EXPECT_EQ(a.played, 17);
        EXPECT_EQ(a.buffer[17], spin);
        EXPECT_EQ(a.buffer[90], -1);
    }
    // Fourth miss: released, and the other candidate starts on the same spin.
    a.buffer.fill(-1);
    a.buffer[90] = 1;
    a.absence[17] = 8;
    SelectSingleChance(s, a.hits, a.absence, a.buffer, a.rateSignal, a.step, a.played);
    EXPECT_EQ(a.step[17], -1);
    EXPECT_EQ(a.played, 90);
    EXPECT_EQ(a.buffer[90], 0);
    EXPECT_EQ(a.step[90], 0);
}

TEST(SingleChance, WithShiftAHitWithoutRateRuleReleases) {
    AppliedSettings s;
    SetFlag(s, 1);
    SetFlag(s, 35);
    s.Of(GroupId::G137).absenceSpan = 5;
    Arrays a;
    a.played = 17;
    a.step[17] = 1;
    a.absence[17] = 0;  // hit
    a.buffer[17] = 1;   // absence rule holds on the hit (negative AbsenceLow)
    SelectSingleChance(s, a.hits, a.absence, a.buffer, a.rateSignal, a.step, a.played);
    // Released, and its absence signal is withdrawn before the candidates are collected.
    EXPECT_EQ(a.played, kNoSlot);
    EXPECT_EQ(a.buffer[17], -1);
    EXPECT_EQ(a.step[17], -1);

    // A hit with the rate rule holding restarts at step 0.
    a.played = 17;
    a.step[17] = 2;
    a.rateSignal[17] = 1;
    a.step[30] = 4;
    SelectSingleChance(s, a.hits, a.absence, a.buffer, a.rateSignal, a.step, a.played);
    EXPECT_EQ(a.played, 17);
    EXPECT_EQ(a.buffer[17], 0);
    EXPECT_EQ(a.step[17], 0);
    EXPECT_EQ(a.step[30], -1);
}

}  // namespace
}  // namespace zentora
