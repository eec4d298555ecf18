#include "evaluation/settlement.h"

#include <gtest/gtest.h>

namespace zentora {
namespace {

TEST(Gewinnermittlung, ReturnsStakeTimesFactorOfTheWinningPositions) {
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
        EXPECT_EQ(Gewinnermittlung(table, c.number, c.halve), c.returned) << c.number;
    }
}

TEST(Gewinnermittlung, TableSumCountsOnlyStakesAboveZero) {
    PositionArray table{};
    table[0] = 5;
    table[150] = -1;
    table[156] = 2147483647;
    EXPECT_EQ(TableSum(table), 2147483652LL);
}

}  // namespace
}  // namespace zentora
