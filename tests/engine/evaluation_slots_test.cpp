// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/evaluation_slots.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "catalogue/catalogue.h"

namespace zentora {
namespace {

AppliedSettings WithFlags(std::initializer_list<int> checkBoxes) {
    AppliedSettings s;
    for (int k : checkBoxes) s.optionFlags[k - 1] = 1;
    return s;
}

TEST(EvaluationSlotList, EveryActiveGroupWithOneOrphelinSlot) {
    const auto only137 = BuildEvaluationSlotList(WithFlags({42}), true);
    ASSERT_EQ(only137.slots.size(), 37u);
    ASSERT_EQ(only137.sets.size(), 37u);
    for (int s = 0; s <= 36; ++s) {
        EXPECT_EQ(only137.slots[s], s);
        EXPECT_EQ(only137.sets[s], NumberSetOfSlot(s));
    }

    for (int flag : {24, 62}) {
        AppliedSettings settings = WithFlags({flag});
        const auto cheval = BuildEvaluationSlotList(settings, false);
        EXPECT_EQ(cheval.slots, (std::vector<std::int32_t>{1429, 1430, 1431, 1432, 1433, 1434, 1436}));
        EXPECT_EQ(cheval.sets.back(), NumberSetOfSlot(1435));
        const auto plein = BuildEvaluationSlotList(settings, true);
        EXPECT_EQ(plein.slots, (std::vector<std::int32_t>{1429, 1430, 1431, 1432, 1433, 1434, 1435}));
    }

    // A flag byte other than 1 does not count as set.
    AppliedSettings two;
    two.optionFlags[41] = 2;
    EXPECT_TRUE(BuildEvaluationSlotList(two, true).slots.empty());

    AppliedSettings all;
    all.optionFlags.fill(1);
    const auto everything = BuildEvaluationSlotList(all, true);
    ASSERT_EQ(everything.slots.size(), static_cast<std::size_t>(kSlotCount - 1));
    EXPECT_TRUE(std::is_sorted(everything.slots.begin(), everything.slots.end()));
    EXPECT_EQ(std::count(everything.slots.begin(), everything.slots.end(), 1436), 0);
    for (std::size_t i = 0; i < everything.slots.size(); ++i)
        EXPECT_EQ(everything.sets[i], NumberSetOfSlot(everything.slots[i]));
}

}  // namespace
}  // namespace zentora
