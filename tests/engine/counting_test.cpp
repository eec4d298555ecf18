// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/counting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <random>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/extended_rate.h"

namespace zentora {
namespace {

struct Counters {
    AbsenceArray absence{};
    CountArray hits{};
    CountArray rates{};
};

AppliedSettings AllOn() {
    AppliedSettings s;
    s.optionFlags.fill(1);
    return s;
}

AppliedSettings WithFlags(std::initializer_list<int> checkBoxes) {
    AppliedSettings s;
    for (int k : checkBoxes) s.optionFlags[k - 1] = 1;
    return s;
}

TEST(Counting, OneSpinOfSeventeen) {
    Counters c;
    CountSpin(17, AllOn(), c.absence, c.hits);
    const std::vector<int> holding17{17, 41, 42, 53, 54, 64, 65, 78, 102, 103, 126, 138};
    for (int i = 0; i < kBaseSetCount; ++i) {
        const bool holds = std::find(holding17.begin(), holding17.end(), i) != holding17.end();
        EXPECT_EQ(c.absence[i], holds ? 0 : 1) << i;
        EXPECT_EQ(c.hits[i], holds ? 1 : 0) << i;
    }
}

TEST(Counting, ZeroHitsTheSetsHoldingZeroAndLargeValuesHitNothing) {
    Counters c;
    BaseUpdate(0, c.absence, c.hits);
    for (int i = 0; i < kBaseSetCount; ++i) {
        const bool holds = i == 0 || i == 48 || i == 71 || i == 72 || i == 85 || i == 97 || i == 109;
        EXPECT_EQ(c.hits[i], holds ? 1 : 0) << i;
    }
    for (unsigned value : {37u, 200u, 255u, 256u, 1000u}) {
        Counters d;
        BaseUpdate(value, d.absence, d.hits);
        for (int i = 0; i < kBaseSetCount; ++i) {
            EXPECT_EQ(d.absence[i], 1);
            EXPECT_EQ(d.hits[i], 0);
        }
    }
}

TEST(Counting, AbsenceSaturates) {
    Counters c;
    c.absence.fill(kAbsenceLimit - 1);
    BaseUpdate(40, c.absence, c.hits);
    BaseUpdate(40, c.absence, c.hits);
    for (int i = 0; i < kBaseSetCount; ++i) EXPECT_EQ(c.absence[i], kAbsenceLimit);
}

TEST(Counting, SwitchedOffGroupsKeepTheirCounters) {
    // Only the rate rule of the pleins on: group 1837's hits are still derived, its absence is not.
    Counters c;
    const AppliedSettings pleinsOnly = WithFlags({42});
    const std::vector<unsigned> spins{1, 2, 3, 0, 5, 36, 10, 12};
    for (std::size_t i = 0; i < spins.size(); ++i) {
        CountSpin(spins[i], pleinsOnly, c.absence, c.hits);
        ComputeHitRates(pleinsOnly, c.hits, c.rates, static_cast<int>(i + 1));
    }
    EXPECT_EQ(c.hits[1412], 5);  // Rot: 1, 3, 5, 36, 12
    EXPECT_EQ(c.absence[1412], 0);
    EXPECT_EQ(c.rates[1412], 62500);  // the simple chances always get their rates
    EXPECT_EQ(c.hits[1259], 0);
    EXPECT_EQ(c.absence[1259], 0);
    EXPECT_EQ(c.rates[1259], 0);

    // Either switch of 1837 derives the correct absence at once: 2 is black, the last red was 12.
    CountSpin(2, WithFlags({39}), c.absence, c.hits);
    EXPECT_EQ(c.absence[1412], 1);
    EXPECT_EQ(c.absence[1411], 0);

    // A group that goes off keeps what it had, rates included.
    const AppliedSettings n337 = WithFlags({18, 57});
    CountSpin(26, n337, c.absence, c.hits);
    ComputeHitRates(n337, c.hits, c.rates, 10);
    EXPECT_EQ(c.hits[1259], 2);  // the 0 of the fourth spin and this 26
    EXPECT_EQ(c.rates[1259], 20000);
    const auto absenceBefore = c.absence;
    const auto hitsBefore = c.hits;
    CountSpin(0, pleinsOnly, c.absence, c.hits);
    ComputeHitRates(pleinsOnly, c.hits, c.rates, 11);
    for (int s = 1259; s <= 1295; ++s) {
        EXPECT_EQ(c.absence[s], absenceBefore[s]);
        EXPECT_EQ(c.hits[s], hitsBefore[s]);
    }
    EXPECT_EQ(c.rates[1259], 20000);
}

TEST(Counting, OrphelinsCountSeventeenTwice) {
    Counters c;
    const AppliedSettings s837 = WithFlags({24, 62});
    CountSpin(17, s837, c.absence, c.hits);
    CountSpin(5, s837, c.absence, c.hits);
    EXPECT_EQ(c.hits[1435], 2);
    EXPECT_EQ(c.hits[1436], 2);
    EXPECT_EQ(c.absence[1435], 1);
}

TEST(Counting, NeighboursOfZero) {
    Counters c;
    const AppliedSettings n337 = WithFlags({18, 57});
    for (unsigned x : {0u, 32u, 15u}) CountSpin(x, n337, c.absence, c.hits);
    EXPECT_EQ(c.absence[1259], 1);
    EXPECT_EQ(c.hits[1259], 2);
}

TEST(Counting, HitRates) {
    EXPECT_EQ(HitRateOf(1, 37), 2703);
    EXPECT_EQ(HitRateOf(37, 37), 100000);
    EXPECT_EQ(HitRateOf(1, 3), 33333);
    EXPECT_EQ(HitRateOf(2, 3), 66667);
    EXPECT_EQ(HitRateOf(0, 5), 0);
    EXPECT_EQ(HitRateOf(1, 200000), 1);  // exactly half a unit rounds up
    // Exact halves where the 80-bit steps round below the exact value: alike on every processor.
    EXPECT_EQ(HitRateOf(13, 320), 4062);
}

#if defined(__SIZEOF_INT128__)
// The integer model of the 80-bit formula (used where long double is wider) against the x87 itself.
TEST(Counting, IntegerModelOfTheExtendedFormula) {
    if constexpr (LDBL_MANT_DIG != 64) GTEST_SKIP() << "no 80-bit long double to compare with";
    const auto x87 = [](std::int64_t h, std::int64_t s) {
        return static_cast<std::int32_t>(
            static_cast<long double>(h) / static_cast<long double>(s) * 100000.0L + 0.5L);
    };
    for (std::uint32_t s = 1; s <= 2000; ++s)
        for (std::uint32_t h = 1; h <= 2 * s; ++h)
            ASSERT_EQ(extended_rate::HitRate(h, s), x87(h, s)) << h << " / " << s;
    for (const auto& [h, s] : {std::pair<std::uint32_t, std::uint32_t>{4, 999999},
                               {1, 200000},
                               {1, 400000},
                               {1, 0x7fffffff},
                               {3, 600000},
                               {0x7fffffff, 0x7fffffff}})
        EXPECT_EQ(extended_rate::HitRate(h, s), x87(h, s)) << h << " / " << s;
    std::mt19937_64 random(7);
    for (int i = 0; i < 200000; ++i) {
        const auto s = static_cast<std::uint32_t>(random() % 0x7fffffff + 1);
        const std::uint64_t most = i % 2 ? std::min<std::uint64_t>(2ull * s, 0x7fffffff) : s / 50000 + 1;
        const auto h = static_cast<std::uint32_t>(random() % most + 1);
        ASSERT_EQ(extended_rate::HitRate(h, s), x87(h, s)) << h << " / " << s;
    }
}
#endif

// The fast rate path must agree with the extended-precision formula everywhere.
TEST(Counting, FastRatesEqualTheExtendedFormula) {
    const AppliedSettings all = AllOn();
    CountArray hits{};
    CountArray rates{};
    auto check = [&](std::int32_t spins) {
        ComputeHitRates(all, hits, rates, spins);
        for (int s = 0; s < kSlotCount; ++s)
            ASSERT_EQ(rates[s], HitRateOf(hits[s], spins)) << hits[s] << "/" << spins;
    };
    // Every hit count up to twice the spins (the Orphelins can exceed the spins) for short permanences.
    for (std::int32_t spins = 1; spins <= 3000; ++spins) {
        for (std::int32_t h = 0; h <= 2 * spins; h += kSlotCount) {
            for (int s = 0; s < kSlotCount; ++s) hits[s] = std::min(h + s, 2 * spins);
            check(spins);
        }
    }
    // Divisors of 200000 and their multiples give exact halves; plus random long permanences.
    std::mt19937_64 rng(7);
    const std::int32_t spinsList[] = {160000, 200000,    400000,    3200000,    6400000,   1000000,
                                      999999, 536870911, 536870912, 1073741824, 2147483647};
    for (std::int32_t spins : spinsList) {
        for (int s = 0; s < kSlotCount; ++s)
            hits[s] = static_cast<std::int32_t>(rng() % (static_cast<std::uint64_t>(spins) + 1));
        hits[0] = spins / 2;
        hits[1] = spins / 200000;
        hits[2] = spins / 400000 * 3;
        check(spins);
    }
    // Counts no permanence produces (negative, far above the spins) still give the formula's result.
    for (std::int32_t spins : {1, 7, 1000, 123456789}) {
        for (int s = 0; s < kSlotCount; ++s) hits[s] = static_cast<std::int32_t>(rng());
        hits[3] = 2 * spins + 1;
        check(spins);
    }
}

// Composite counters against their meaning: spins since any number of the chance came, spins it came in.
TEST(Counting, CompositesMeanWhatTheySay) {
    const AppliedSettings all = AllOn();
    std::mt19937 rng(11);
    std::vector<unsigned> history;
    Counters c;
    for (int spin = 0; spin < 400; ++spin) {
        const unsigned x = rng() % 40;  // some values above 36
        history.push_back(x);
        CountSpin(x, all, c.absence, c.hits);
    }
    for (int s = 0; s < kSlotCount; ++s) {
        const NumberSet& set = NumberSetOfSlot(s);
        int since = -1;
        int hits = 0;
        for (std::size_t i = 0; i < history.size(); ++i) {
            if (!set.Contains(history[i])) continue;
            ++hits;
            since = static_cast<int>(history.size() - 1 - i);
        }
        if (s == kOrphelinPleinSlot || s == kOrphelinChevalSlot)
            hits += static_cast<int>(std::count(history.begin(), history.end(), 17u));
        EXPECT_EQ(c.hits[s], hits) << "slot " << s;
        EXPECT_EQ(c.absence[s], since < 0 ? 400 : since) << "slot " << s;
    }
}

// CountSpin derives absences and hits in one pass; the separate operations must agree with it, for any mix of
// switches (each neighbour group on its own switch, for instance).
TEST(Counting, SeparateDerivationsAgreeWithCountSpin) {
    std::mt19937 rng(5);
    for (int trial = 0; trial < 20; ++trial) {
        AppliedSettings settings;
        for (auto& flag : settings.optionFlags) flag = rng() % 2;
        Counters fused;
        Counters separate;
        for (int spin = 0; spin < 60; ++spin) {
            const unsigned x = rng() % 37;
            CountSpin(x, settings, fused.absence, fused.hits);
            BaseUpdate(x, separate.absence, separate.hits);
            DeriveCompositeAbsences(settings, separate.absence);
            DeriveCompositeHits(settings, separate.hits);
        }
        EXPECT_EQ(fused.absence, separate.absence);
        EXPECT_EQ(fused.hits, separate.hits);
        for (const ChanceGroup& g : kChanceGroups) {
            if (g.firstSlot < kBaseSetCount) continue;
            const bool absence = settings.AbsenceRuleActive(g.id) || settings.RateRuleActive(g.id);
            const bool hits =
                settings.RateRuleActive(g.id) || g.id == GroupId::G1837 || g.id == GroupId::G1237;
            if (!absence) {
                EXPECT_EQ(fused.absence[g.lastSlot], 0) << g.key;
            }
            if (hits) {
                EXPECT_GT(fused.hits[g.lastSlot] + fused.hits[g.firstSlot], 0) << g.key;
            } else {
                EXPECT_EQ(fused.hits[g.lastSlot], 0) << g.key;
            }
        }
    }
}

// Moving the counters in place must give what deriving them gives, also across switches turned off and on
// again (the group's counters are stale meanwhile), saturated absences and values outside 0..36.
TEST(Counting, CountingInPlaceEqualsDeriving) {
    std::mt19937 rng(8);
    AppliedSettings settings;
    for (auto& flag : settings.optionFlags) flag = rng() % 2;
    Counters derived, moved;
    CountingSync sync;
    for (int spin = 0; spin < 3000; ++spin) {
        if (rng() % 3 == 0) settings.optionFlags[rng() % kOptionFlagCount] ^= 1;
        if (spin == 1000) {  // near the limit, so that a run of misses saturates
            for (int s = 0; s < kSlotCount; s += 7) derived.absence[s] = moved.absence[s] = kAbsenceLimit - 2;
            sync.Clear();
        }
        const unsigned x =
            spin > 1000 && spin < 1010 ? 255 : (rng() % 40 == 0 ? 37 + rng() % 219 : rng() % 37);
        CountSpin(x, settings, derived.absence, derived.hits);
        CountSpin(x, settings, moved.absence, moved.hits, sync);
        ASSERT_EQ(moved.absence, derived.absence) << "spin " << spin;
        ASSERT_EQ(moved.hits, derived.hits) << "spin " << spin;
    }
}

TEST(Counting, BaseUpdateRunEqualsSpinBySpin) {
    std::mt19937 rng(3);
    std::vector<std::uint8_t> run;
    for (int i = 0; i < 5000; ++i) run.push_back(static_cast<std::uint8_t>(rng() % 37));
    for (int i = 0; i < 40000; ++i) run.push_back(static_cast<std::uint8_t>(i % 3 == 0 ? 255 : 1 + i % 2));
    for (int i = 0; i < 3000; ++i) run.push_back(static_cast<std::uint8_t>(rng() % 256));

    for (std::size_t cut : {std::size_t{0}, std::size_t{1}, std::size_t{4999}, run.size()}) {
        Counters one;
        Counters batch;
        // Start from a state that is not the reset state.
        for (int i = 0; i < 50; ++i) {
            BaseUpdate(i % 5, one.absence, one.hits);
            BaseUpdate(i % 5, batch.absence, batch.hits);
        }
        batch.absence[100] = one.absence[100] = kAbsenceLimit - 3;
        for (std::size_t i = 0; i < cut; ++i) BaseUpdate(run[i], one.absence, one.hits);
        BaseUpdateRun(std::span(run).first(cut), batch.absence, batch.hits);
        EXPECT_EQ(one.absence, batch.absence) << "cut " << cut;
        EXPECT_EQ(one.hits, batch.hits) << "cut " << cut;
    }
}

}  // namespace
}  // namespace zentora
