// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/stakes.h"

#include <gtest/gtest.h>

#include <limits>

namespace zentora {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

TEST(ProgressionValue, StepClampedForms) {
    struct Case {
        int technique, step, base, expected;
    };
    const Case cases[] = {
        {0, 0, 7, 7},          {0, 500, 7, 7},       {1, 0, 1, 1},          {1, 5, 1, 32},
        {1, 16, 1, 65536},     {1, 17, 1, 65536},    {1, 32767, 1, 65536},  {2, 5, 1, 6},
        {2, 9, 3, 30},         {3, 0, 1, 1},         {3, 5, 1, 63},         {3, 40, 1, kMax},
        {3, 40, -1, kMin},     {4, 0, 1, 1},         {4, 3, 2, 10},         {4, 5, 1, 13},
        {4, 19, 2, 2 * 10946}, {4, 20, 2, 2 * 6765}, {4, 999, 2, 2 * 6765}, {5, 5, 1, 243},
        {5, 16, 1, 43046721},  {5, 17, 1, 43046721}, {5, 16, 999, kMax},    {-1, 3, 5, 0},
        {6, 3, 5, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProgressionValue(c.technique, c.step, c.base), c.expected)
            << "technique " << c.technique << " step " << c.step << " base " << c.base;
}

TEST(ProgressionValue, CappedFormsCompareTheExactValue) {
    struct Case {
        int technique, step, base, maximum, expected;
    };
    const Case cases[] = {
        {1, 4, 5, 50, 50},  {0, 4, 100, 50, 100},   {1, 20, 1, 9999, 9999}, {1, 20, 1, kMax, 1048576},
        {1, 40, 1, 50, 50}, {5, 30, 1, 9999, 9999}, {4, 60, 1, 9999, 9999}, {4, 25, 1, kMax, 196418},
        {2, 3, 4, 100, 16}, {3, 70, 1, 7, 7},       {1, 3, -1, 50, -8},     {1, 62, -1, 50, kMin},
        {1, 3, 1, -1, -1},  {-1, 3, 1, 50, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProgressionValue(c.technique, c.step, c.base, c.maximum), c.expected)
            << "technique " << c.technique << " step " << c.step << " base " << c.base << " max "
            << c.maximum;
}

TEST(ProgressionValue, FibonacciTableMatchesTheFormula) {
    // The table stands in for round(phi^c / sqrt5 - psi^c); every value that can reach a stake must agree.
    for (int step = 0; step <= 58; ++step)
        EXPECT_EQ(ProgressionValueExact(4, step, 1), FibonacciFormula(step + 2)) << "F(" << step + 2 << ")";
}

struct StakeFixture : ::testing::Test {
    AppliedSettings settings;
    FixedLiveSettings live;
    SignalArray buffer;
    StakeArray stakes{};
    StakeFixture() {
        buffer.fill(-1);
        for (GroupSettings& g : settings.groups) {
            g.initialStake = 1;
            g.stakeTechnique = 1;
        }
        settings.maximum2 = 50;
        settings.maximum3 = 40;
    }
    std::int32_t StakeAt(int slot, std::int16_t step) {
        buffer[slot] = step;
        ComputeSlotStakes(buffer, settings, live, stakes);
        return stakes[slot];
    }
};

TEST_F(StakeFixture, StakeOfOneSlotEqualsTheWholeComputation) {
    for (const int split : {0, 1}) {
        settings.optionFlags[30] = static_cast<std::uint8_t>(split);  // CheckBox31
        live.es637sTechnique = 3;
        for (int t = -1; t < 6; ++t) {
            for (GroupSettings& g : settings.groups) g.stakeTechnique = t, g.initialStake = 3;
            for (int step = -1; step < 40; step += 3) {
                buffer.fill(static_cast<std::int16_t>(step));
                ComputeSlotStakes(buffer, settings, live, stakes);
                for (const ChanceGroup& g : kChanceGroups)
                    ASSERT_EQ(StakeAtStep(g.id, step, settings, live.es637sTechnique), stakes[g.firstSlot])
                        << g.key << " technique " << t << " step " << step;
            }
        }
    }
}

TEST_F(StakeFixture, UnsignalledSlotsStakeNothingAndStepZeroStakesTheBase) {
    stakes.fill(77);
    settings.Of(GroupId::G237).initialStake = 4;
    buffer[90] = 0;
    ComputeSlotStakes(buffer, settings, live, stakes);
    EXPECT_EQ(stakes[90], 4);
    EXPECT_EQ(stakes[91], 0);
    EXPECT_EQ(stakes[kNoSlot], 77);
}

TEST_F(StakeFixture, SeriesCapsByMaximum2) {
    settings.Of(GroupId::S837).initialStake = 5;
    EXPECT_EQ(StakeAt(1430, 4), 50);
    EXPECT_EQ(StakeAt(1436, 4), 50);
    settings.Of(GroupId::S837).stakeTechnique = 0;
    settings.Of(GroupId::S837).initialStake = 100;
    EXPECT_EQ(StakeAt(1430, 4), 100);
    settings.Of(GroupId::S737).initialStake = 1;
    settings.maximum2 = 9999;
    EXPECT_EQ(StakeAt(1438, 20), 9999);  // no step clamp under a cap
    settings.maximum2 = -1;
    EXPECT_EQ(StakeAt(1453, 0), -1);
    EXPECT_EQ(StakeAt(1443, 3), -1);
    // The plein groups are not capped.
    EXPECT_EQ(StakeAt(17, 10), 1024);
}

TEST_F(StakeFixture, SplitSeriesUseTheLiveTechniqueWhenCheckBox31IsTicked) {
    settings.Of(GroupId::SS837).stakeTechnique = 0;
    settings.Of(GroupId::SS837).initialStake = 3;
    live.es637sTechnique = 3;
    settings.maximum2 = 10;
    EXPECT_EQ(StakeAt(1446, 2), 3);  // unticked: own technique, capped form
    settings.optionFlags[31 - 1] = 1;
    EXPECT_EQ(StakeAt(1446, 2), 21);  // uncapped
    EXPECT_EQ(StakeAt(1437, 2), 7);
    EXPECT_EQ(StakeAt(1451, 2), 7);
    live.es637sTechnique = -1;
    EXPECT_EQ(StakeAt(1446, 2), 0);
}

TEST_F(StakeFixture, GrandSeriesStaysBelowHalfOfMaximum3) {
    settings.Of(GroupId::S1737).initialStake = 3;
    EXPECT_EQ(StakeAt(1454, 3), 20);  // 2 x 24 is not below 40
    settings.maximum3 = 49;
    EXPECT_EQ(StakeAt(1454, 3), 24);
    settings.maximum3 = 40;
    settings.Of(GroupId::S1737).initialStake = 1;
    settings.Of(GroupId::S1737).stakeTechnique = 4;
    const int expected[] = {1, 2, 3, 5, 8};
    for (int step = 0; step < 5; ++step) EXPECT_EQ(StakeAt(1454, step), expected[step]);
    EXPECT_EQ(StakeAt(1454, 40), 20);  // no step clamp: F(42) is compared exactly
    settings.Of(GroupId::S1737).stakeTechnique = 0;
    settings.Of(GroupId::S1737).initialStake = 500;
    EXPECT_EQ(StakeAt(1454, 9), 500);
    settings.Of(GroupId::S1737).stakeTechnique = -1;
    EXPECT_EQ(StakeAt(1454, 0), 0);
}

}  // namespace
}  // namespace zentora
