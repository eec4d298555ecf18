// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/settlement.h"

#include <gtest/gtest.h>

#include <random>

namespace zentora {
namespace {

TEST(SettleSpin, ReturnsStakeTimesFactorOfTheWinningPositions) {
    struct Case {
        std::vector<std::pair<int, std::int32_t>> stakes;  // position, stake
        unsigned number;
        bool halve;
        std::int64_t returned;
    };
    const Case cases[] = {
        {{{150, 1}}, 1, false, 2},             // 1 on "Rot", 1 is red
        {{{150, 1}}, 2, false, 0},             // 2 is black
        {{{150, 10}, {151, 4}}, 0, false, 0},  // zero: even chances and dozens lose
        {{{150, 10}, {151, 4}}, 0, true, 5},   // ... or half of the even chances comes back
        {{{149, 3}, {150, 4}}, 0, true, 3},    // 7 / 2 rounds down
        {{{85, 3}}, 1, false, 54},             // cheval 0/1
        {{{37, 2}}, 6, false, 12},             // transversale simple 1-6
        {{{0, 1}, {85, 1}, {97, 1}, {109, 1}, {71, 1}, {72, 1}, {48, 1}}, 0, false, 36 + 3 * 18 + 2 * 12 + 9},
        {{{17, 2}, {102, 1}, {53, 1}, {78, 1}, {41, 1}, {155, 1}, {151, 1}},
         17,
         false,
         72 + 18 + 9 + 12 + 6 + 3 + 0},
        {{{17, -1}, {150, 0}}, 17, false, 0},  // stakes of 0 or less are nothing bet
        {{{17, 5}}, 37, false, 0},             // no such number
    };
    for (const Case& c : cases) {
        PositionArray table{};
        for (const auto& [p, v] : c.stakes) table[p] = v;
        EXPECT_EQ(SettleSpin(table, c.number, c.halve), c.returned) << c.number;
    }
}

TEST(SettleSpin, TableSumCountsOnlyStakesAboveZero) {
    PositionArray table{};
    table[0] = 5;
    table[150] = -1;
    table[156] = 2147483647;
    EXPECT_EQ(TableSum(table), 2147483652LL);
}

// Worked by hand: every position pays 36 of 37 units back on average, so a table loses its sum / 37; with
// halving, zero (1 spin in 37) pays half of the even chances back, rounded down.
TEST(ExpectedChange, HandWorkedTablesWithAndWithoutHalving) {
    struct Case {
        std::vector<std::pair<int, std::int32_t>> stakes;  // position, stake
        std::int64_t plain, halved;                        // 37 x the expected change
    };
    const Case cases[] = {
        {{{150, 10}}, -10, -10 + 5},                      // 10 on "Rot": -10/37, or -10/74 halved
        {{{150, 11}, {17, 5}}, -16, -16 + 5},             // 11 / 2 comes back as 5; the plein keeps its -5/37
        {{{145, 4}, {150, 4}, {151, 12}}, -20, -20 + 4},  // two even chances, a dozen that loses on zero
        {{{85, 3}, {0, 2}, {150, -4}}, -5, -5},  // cheval 0/1 and plein 0; a negative stake is no bet
        {{}, 0, 0},
    };
    for (const Case& c : cases) {
        PositionArray table{};
        for (const auto& [p, v] : c.stakes) table[p] = v;
        EXPECT_EQ(ExpectedChange37(table, false), c.plain) << c.plain;
        EXPECT_EQ(ExpectedChange37(table, true), c.halved) << c.halved;
    }
}

// The expectation is the mean of what is paid: on any table, 37 x it is the sum of the returns over the 37
// numbers less 37 x the stakes.
TEST(ExpectedChange, IsTheMeanOfTheReturnsOverAllNumbers) {
    std::mt19937 random(21);
    std::uniform_int_distribution<std::int32_t> stake(-3, 50);
    std::uniform_int_distribution<int> empty(0, 3);
    for (int round = 0; round < 200; ++round) {
        PositionArray table{};
        for (std::int32_t& s : table) s = empty(random) == 0 ? stake(random) : 0;
        for (const bool halve : {false, true}) {
            std::int64_t returns = 0;
            for (unsigned z = 0; z <= 36; ++z) returns += SettleSpin(table, z, halve);
            EXPECT_EQ(ExpectedChange37(table, halve), returns - 37 * TableSum(table)) << round;
        }
    }
}

}  // namespace
}  // namespace zentora
