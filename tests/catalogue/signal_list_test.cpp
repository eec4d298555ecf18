// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/signal_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zentora {
namespace {

using Names = std::vector<std::string>;

Names ListOf(std::initializer_list<std::pair<int, int>> stakes) {
    StakeArray slotStake{};
    for (auto [s, v] : stakes) slotStake[s] = v;
    return FillSignalList(0, kSlotCount - 1, slotStake);
}

TEST(SignalList, IndividuallyNamedAboveGroupNamedEachDescending) {
    EXPECT_EQ(ListOf({{5, 1}, {20, 3}, {100, 2}, {1412, 1}}),
              (Names{"Nummer 20", "Nummer 5", "Rot", "Chance 2/37"}));
    EXPECT_EQ(ListOf({{1259, 1}, {1454, 1}}), (Names{"0 Nachbarzahlen 1/1", "Große Serie 0/2/3"}));
    EXPECT_EQ(ListOf({{85, 1}, {86, 1}, {1435, 1}, {0, 1}}),
              (Names{"Nummer 0", "Orphelins en plein", "Chance 2/37", "Chance 2/37"}));
}

TEST(SignalList, OnlyStakesAboveZeroAreListed) {
    EXPECT_TRUE(ListOf({}).empty());
    EXPECT_TRUE(ListOf({{5, 0}, {100, -1}}).empty());
    EXPECT_EQ(ListOf({{5, -1}, {1400, 2}, {kNoSlot, 4}}), (Names{"30 Nachbarzahlen 4/4"}));
}

TEST(SignalList, KindsStaySeparateForTranslation) {
    StakeArray slotStake{};
    slotStake[3] = 1;
    slotStake[1300] = 1;
    slotStake[40] = 1;
    SignalSlots slots;
    CollectSignalSlots(0, kSlotCount - 1, slotStake, slots);
    const SignalNames names = SignalNamesOf(slots);
    EXPECT_EQ(names.individuallyNamed, (Names{"Nummer 3", "4 Nachbarzahlen 2/2"}));
    EXPECT_EQ(names.groupNamed, (Names{"Chance 6/37"}));
    CollectSignalSlots(10, 100, slotStake, slots);
    EXPECT_EQ(slots.individuallyNamedCount, 0);
    EXPECT_EQ(slots.groupNamedCount, 1);
}

}  // namespace
}  // namespace zentora
