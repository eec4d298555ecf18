// SPDX-License-Identifier: GPL-3.0-or-later
#include "statistics/statistics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "catalogue/catalogue.h"
#include "catalogue/extended_rate.h"
#include "statistics/rate_sum.h"

namespace zentora {
namespace {

FixedLiveSettings Live() {
    FixedLiveSettings live;
    live.rateStart.fill(37);
    return live;
}

// Newest first, as the play state keeps it.
std::vector<std::uint8_t> NewestFirst(std::vector<std::uint8_t> oldestFirst) {
    std::reverse(oldestFirst.begin(), oldestFirst.end());
    return oldestFirst;
}

StatisticsResult Stats(const std::vector<std::uint8_t>& oldestFirst, GroupId group, StatisticsKind kind) {
    AppliedSettings settings;
    return ComputeStatistics(NewestFirst(oldestFirst), group, kind, settings, Live());
}

// The defining form: every counter and every rate per slot and spin.
StatisticsResult Straightforward(std::span<const std::uint8_t> permanence, GroupId group,
                                 StatisticsKind kind) {
    StatisticsResult r;
    const ChartedRange range = ChartedRangeOf(group);
    const int count = range.lastSlot - range.firstSlot + 1;
    std::vector<std::int64_t> absence(count), hits(count), rate(count);
    const auto length = static_cast<std::int64_t>(permanence.size());
    for (std::int64_t i = 1; i <= length; ++i) {
        const unsigned z = permanence[length - i];
        for (int j = 0; j < count; ++j) {
            if (NumberSetOfSlot(range.firstSlot + j).Contains(z)) {
                absence[j] = 0;
                ++hits[j];
            } else {
                ++absence[j];
            }
            rate[j] = ExtendedHitRate32(hits[j], i);
        }
        r.x.push_back(static_cast<double>(i));
        std::int64_t sumAbsence = 0, sumRate = 0;
        for (int j = 0; j < count; ++j) sumAbsence += absence[j], sumRate += rate[j];
        const double maxRate = *std::max_element(rate.begin(), rate.end()) / 1000.0;
        const double minRate = *std::min_element(rate.begin(), rate.end()) / 1000.0;
        switch (kind) {
            case StatisticsKind::MaxAbsence:
                r.y.push_back(static_cast<double>(*std::max_element(absence.begin(), absence.end())));
                break;
            case StatisticsKind::MeanAbsence:
                r.y.push_back(static_cast<double>(sumAbsence) / count);
                break;
            case StatisticsKind::MaxRate:
                r.y.push_back(maxRate);
                break;
            case StatisticsKind::MinRate:
                r.y.push_back(minRate);
                break;
            case StatisticsKind::RateOverview:
                r.y.push_back(maxRate);
                r.y2.push_back(static_cast<double>(sumRate) / count / 1000.0);
                r.y3.push_back(minRate);
                break;
        }
    }
    return r;
}

TEST(Statistics, ExamplesOfTheChart) {
    struct Case {
        GroupId group;
        StatisticsKind kind;
        std::vector<std::uint8_t> spins;
        std::vector<double> y;
    };
    const std::vector<Case> cases{
        {GroupId::G137, StatisticsKind::MaxAbsence, {5, 17, 5}, {1, 2, 3}},
        {GroupId::G137, StatisticsKind::MaxRate, {5, 17, 5}, {100, 50, 66.667}},
        {GroupId::G137, StatisticsKind::MinRate, {5, 17, 5}, {0, 0, 0}},
        {GroupId::G137, StatisticsKind::MeanAbsence, {5}, {36.0 / 37}},
        // Neighbours 1/1 of 0 is {0, 26, 32}: never hit by these spins, so the smallest rate stays 0.
        {GroupId::N337, StatisticsKind::MinRate, {1, 2, 3, 4}, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        const StatisticsResult r = Stats(c.spins, c.group, c.kind);
        EXPECT_EQ(r.y, c.y);
        ASSERT_EQ(r.x.size(), c.spins.size());
        EXPECT_EQ(r.x.back(), static_cast<double>(c.spins.size()));
    }
}

TEST(Statistics, SingleSlotGroupHasOneValueForAllThreeCurves) {
    const StatisticsResult r = Stats({0, 1, 2, 5, 4}, GroupId::S1737, StatisticsKind::RateOverview);
    EXPECT_EQ(r.inputs.firstSlot, 1454);
    EXPECT_EQ(r.inputs.lastSlot, 1454);
    EXPECT_EQ(r.y, (std::vector<double>{100, 50, 66.667, 50, 60}));
    EXPECT_EQ(r.y2, r.y);
    EXPECT_EQ(r.y3, r.y);
    EXPECT_FALSE(r.marker);
}

TEST(Statistics, EmptyPermanenceGivesEmptyCurvesAndKeepsTheInputs) {
    AppliedSettings settings;
    settings.Of(GroupId::S837).absenceSpan = 4;
    settings.Of(GroupId::S837).rateUntil[11] = 900;
    FixedLiveSettings live = Live();
    live.rateStart[GroupIndex(GroupId::S837)] = 12;
    const StatisticsResult r = ComputeStatistics({}, GroupId::S837, StatisticsKind::MinRate, settings, live);
    EXPECT_TRUE(r.x.empty());
    EXPECT_TRUE(r.y.empty());
    EXPECT_EQ(r.inputs.firstSlot, 1429);
    EXPECT_EQ(r.inputs.lastSlot, 1435);  // "Orphelins en plein" whatever the Orphelin choice
    EXPECT_EQ(r.inputs.absenceSpan, 4);
    EXPECT_EQ(r.inputs.rateUntil[11], 900);
    EXPECT_EQ(r.inputs.rateStart, 12);
    EXPECT_EQ(r.inputs.absenceStartField, "S837T");
    EXPECT_EQ(r.inputs.groupKey, "S837");
}

TEST(Statistics, FastCountingMatchesTheDefiningForm) {
    std::mt19937 rng(7);
    const std::vector<GroupId> groups{GroupId::G137, GroupId::Z1237, GroupId::G1837,
                                      GroupId::S837, GroupId::N937,  GroupId::S1737};
    for (const GroupId group : groups) {
        // Biased permanences as well, so that slots stay away long and rates spread.
        for (const int bias : {37, 5}) {
            std::uniform_int_distribution<int> pick(0, bias - 1);
            std::vector<std::uint8_t> perm(3000);
            for (auto& v : perm) v = static_cast<std::uint8_t>(pick(rng));
            for (int k = 0; k < 5; ++k) {
                const auto kind = static_cast<StatisticsKind>(k);
                AppliedSettings settings;
                const StatisticsResult fast = ComputeStatistics(perm, group, kind, settings, Live());
                const StatisticsResult slow = Straightforward(perm, group, kind);
                EXPECT_EQ(fast.x, slow.x);
                EXPECT_EQ(fast.y, slow.y) << Group(group).key << " kind " << k;
                EXPECT_EQ(fast.y2, slow.y2) << Group(group).key;
                EXPECT_EQ(fast.y3, slow.y3) << Group(group).key;
            }
        }
    }
}

TEST(Statistics, OverviewMarksTheSmallestRateAtSpin50000) {
    std::vector<std::uint8_t> oldestFirst(50001);
    for (std::size_t i = 0; i < oldestFirst.size(); ++i)
        oldestFirst[i] = static_cast<std::uint8_t>(i % 36 + 1);
    const StatisticsResult r = Stats(oldestFirst, GroupId::G137, StatisticsKind::RateOverview);
    ASSERT_TRUE(r.marker);
    EXPECT_EQ(r.marker->spin, 50000);
    EXPECT_EQ(r.marker->value, 0);  // zero never came
    EXPECT_EQ(r.marker->slot, 0);
    oldestFirst.pop_back();
    EXPECT_FALSE(Stats(oldestFirst, GroupId::G137, StatisticsKind::RateOverview).marker);
}

TEST(RateSum, SpinBySpinSumEqualsTheSumOfExtendedRates) {
    // Slots hit by most numbers, by few and by none; past spin 100000 the rates move by single steps.
    const std::vector<std::uint64_t> masks{(std::uint64_t{1} << 37) - 2, 0x7FFFF, 1, 0x1111111, 0,
                                           (std::uint64_t{1} << 37) - 1};
    for (const int bias : {37, 3}) {
        std::mt19937 rng(3);
        std::uniform_int_distribution<int> pick(0, bias - 1);
        HitRateSum sum(masks);
        std::vector<std::int32_t> hits(masks.size());
        for (int spin = 1; spin <= 250000; ++spin) {
            const unsigned z = static_cast<unsigned>(pick(rng));
            for (std::size_t j = 0; j < masks.size(); ++j) hits[j] += masks[j] >> z & 1u;
            const HitRateSum::Spin got = sum.Advance(z);
            std::int64_t want = 0;
            for (const auto h : hits) want += ExtendedHitRate(h, spin);
            ASSERT_EQ(got.rateSum, want) << spin;
            ASSERT_EQ(got.minHits, *std::min_element(hits.begin(), hits.end()));
            ASSERT_EQ(got.maxHits, *std::max_element(hits.begin(), hits.end()));
        }
    }
}

TEST(RateSum, EqualsTheSumOfExtendedRates) {
    auto straightforward = [](std::span<const std::int32_t> hits, std::int64_t spins) {
        std::int64_t sum = 0;
        for (const auto h : hits) sum += ExtendedHitRate(h, spins);
        return sum;
    };
    // Every hit count for the small spin counts, then ties of the rounding, where the
    // extended formula gives one less than the exact rounding (1 in 8000).
    std::vector<std::int32_t> hits;
    for (std::int64_t spins = 1; spins <= 400; ++spins) {
        hits.clear();
        for (std::int32_t h = 0; h <= spins; ++h) hits.push_back(h);
        ASSERT_EQ(SumOfHitRates(hits, spins), straightforward(hits, spins)) << spins;
    }
    for (const auto& [h, spins] :
         {std::pair{1, 200000}, {1, 8000}, {3, 24000}, {28571, 200000}, {7, 1400000}}) {
        const std::int32_t one[] = {h};
        EXPECT_EQ(SumOfHitRates(one, spins), ExtendedHitRate(h, spins));
    }
    std::mt19937_64 rng(11);
    for (int round = 0; round < 20000; ++round) {
        const std::int64_t spins = std::uniform_int_distribution<std::int64_t>(1, 2147483647)(rng);
        hits.assign(8, 0);
        for (auto& h : hits)
            h = static_cast<std::int32_t>(std::uniform_int_distribution<std::int64_t>(0, spins)(rng));
        ASSERT_EQ(SumOfHitRates(hits, spins), straightforward(hits, spins)) << spins;
    }
}

}  // namespace
}  // namespace zentora
