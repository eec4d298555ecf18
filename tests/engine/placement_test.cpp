// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/placement.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <random>
#include <vector>

namespace zentora {
namespace {

std::map<int, int> Place(const std::map<int, int>& stakes) {
    StakeArray slotStake{};
    for (auto [s, v] : stakes) slotStake[s] = v;
    PositionArray raw{};
    PlaceSlotStakes(slotStake, raw);
    std::map<int, int> nonZero;
    for (int p = 0; p < kPositionCount; ++p)
        if (raw[p] != 0) nonZero[p] = raw[p];
    return nonZero;
}

TEST(PlaceSlotStakes, SlotsLieOnTheirPositions) {
    struct Case {
        std::map<int, int> stakes;
        std::map<int, int> expected;
    };
    const std::vector<Case> cases = {
        {{{17, 5}, {1296, 2}}, {{0, 2}, {3, 2}, {15, 2}, {26, 2}, {32, 2}, {17, 5}}},
        {{{1454, 3}}, {{71, 6}, {57, 6}, {87, 3}, {108, 3}, {113, 3}, {115, 3}, {92, 3}}},
        {{{1435, 1}}, {{1, 1}, {6, 1}, {9, 1}, {14, 1}, {17, 1}, {20, 1}, {31, 1}, {34, 1}}},
        {{{1436, 1}}, {{1, 1}, {111, 1}, {102, 1}, {103, 1}, {96, 1}}},
        {{{1453, 2}}, {{123, 2}, {135, 2}, {138, 2}, {130, 2}, {19, 2}, {27, 2}}},
        {{{867, 1}}, {{63, 1}, {66, 1}, {69, 1}}},
        {{{868, 1}}, {{63, 1}, {66, 1}, {70, 1}}},
        {{{1407, 4}, {1412, 7}, {1418, 9}}, {{145, 4}, {150, 7}, {156, 9}}},
        {{{85, -1}, {1429, 1}}, {{30, 1}, {31, 1}, {124, 1}, {139, 1}}},  // 85 (0/1): -1 + 1
    };
    for (const Case& c : cases) EXPECT_EQ(Place(c.stakes), c.expected);
}

TEST(PlaceSlotStakes, SumsAreExactAndSaturatedOnce) {
    constexpr int kMax = std::numeric_limits<std::int32_t>::max();
    constexpr int kMin = std::numeric_limits<std::int32_t>::min();
    // Plein 1, "Finales en plein 1" and "1 Nachbarzahlen 1/1" all lie on plein 1.
    const auto raw = Place({{1, kMax}, {1420, kMax}, {1279, kMin}});
    EXPECT_EQ(raw.at(1), kMax - 1);
    EXPECT_EQ(Place({{1, kMax}, {1420, kMax}}).at(1), kMax);
    EXPECT_EQ(Place({{1, kMin}, {1420, kMin}}).at(1), kMin);
}

TEST(PlaceSlotStakes, ByRunsEqualsTheSumPerPosition) {
    const PlacementTable& table = PlacementTable::Instance();
    EXPECT_EQ(table.TermCount(), 5315);
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> value(-3, 9);
    for (int round = 0; round < 20; ++round) {
        StakeArray stakes{};
        for (int s = 0; s < kSlotCount; ++s) stakes[s] = rng() % 4 == 0 ? value(rng) : 0;
        if (round == 0) stakes.fill(std::numeric_limits<std::int32_t>::max());  // sums beyond 32 bits
        if (round == 1) stakes.fill(std::numeric_limits<std::int32_t>::min());
        PositionArray dense{}, byRuns{};
        table.PlaceDense(stakes, dense);
        table.PlaceByRuns(stakes, byRuns);
        ASSERT_EQ(dense, byRuns);
    }
}

}  // namespace
}  // namespace zentora
