// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace zentora {
namespace {

NumberSet Set(std::initializer_list<int> numbers) {
    return NumberSet(numbers);
}

std::vector<int> Members(const NumberSet& set) {
    std::vector<int> out;
    for (int n = 0; n < 256; ++n)
        if (set.Contains(n)) out.push_back(n);
    return out;
}

std::vector<int> Components(int slot) {
    auto c = ComponentList(slot);
    return {c.begin(), c.end()};
}

TEST(Catalogue, SlotsHoldTheirNumbers) {
    struct Case {
        int slot;
        std::vector<int> numbers;
    };
    const Case cases[] = {
        {0, {0}},
        {36, {36}},
        {37, {1, 2, 3, 4, 5, 6}},
        {47, {31, 32, 33, 34, 35, 36}},
        {48, {0, 1, 2, 3}},
        {59, {31, 32, 34, 35}},
        {60, {2, 3, 5, 6}},
        {70, {32, 33, 35, 36}},
        {71, {0, 2, 3}},
        {72, {0, 1, 2}},
        {84, {34, 35, 36}},
        {85, {0, 1}},
        {96, {31, 34}},
        {97, {0, 2}},
        {109, {0, 3}},
        {120, {33, 36}},
        {121, {1, 2}},
        {132, {34, 35}},
        {133, {2, 3}},
        {144, {35, 36}},
        {145, {0, 1, 2, 3, 4, 5, 7, 8, 10, 11, 13, 14}},
        {399, {1, 2, 4, 5, 26, 27, 29, 30, 31, 32, 34, 35}},
        {971, {0, 1, 2, 3, 5, 6, 8, 9}},
        {1161, {0, 1, 4, 7}},
        {1190, {27, 30, 33, 36}},
        {1201, {1, 5, 9, 11, 13}},
        {1209, {3, 5, 7, 11, 15}},
        {1259, {0, 26, 32}},
        {1279, {1, 14, 20}},
        {1296, {0, 3, 15, 26, 32}},
        {1316, {1, 14, 20, 31, 33}},
        {1353, {1, 9, 14, 16, 20, 31, 33}},
        {1390, {1, 9, 14, 16, 20, 22, 24, 31, 33}},
        {1370, {0, 3, 4, 12, 15, 19, 26, 32, 35}},
        {1455, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {1532, {4, 5, 6, 13, 14, 15, 31, 32, 33}},
    };
    for (const Case& c : cases) EXPECT_EQ(Members(NumberSetOfSlot(c.slot)), c.numbers) << "slot " << c.slot;
}

TEST(Catalogue, ComponentListsFollowTheEnumeration) {
    struct Case {
        int slot;
        std::vector<int> components;
    };
    const Case cases[] = {
        {5, {5}},
        {145, {48, 50, 52}},
        {397, {49, 57, 59}},
        {399, {49, 68, 59}},
        {511, {60, 68, 59}},
        {867, {63, 66, 69}},
        {868, {63, 66, 70}},
        {960, {66, 68, 70}},
        {961, {48, 50}},
        {971, {48, 61}},
        {1160, {68, 70}},
        {1161, {85, 87}},
        {1190, {118, 120}},
        {1217, {37, 40}},
        {1225, {38, 40}},
        {1233, {39, 41}},
        {1240, {40, 42}},
        {1246, {41, 44}},
        {1250, {42, 44}},
        {1254, {43, 45}},
        {1257, {44, 46}},
        {1258, {44, 47}},
        {1441, {111, 91, 106, 36}},
        {1454, {57, 71, 87, 108, 113, 115, 92}},
        {1674, {82, 83, 84}},
        {1675, {71, 74, 75}},
        {1729, {71, 83, 84}},
        {1730, {72, 74, 75}},
        {1784, {72, 83, 84}},
    };
    for (const Case& c : cases) EXPECT_EQ(Components(c.slot), c.components) << "slot " << c.slot;
    EXPECT_TRUE(ComponentList(-1).empty());
    EXPECT_TRUE(ComponentList(kSlotCount).empty());
}

TEST(Catalogue, EveryGroupHasItsSizeAndNoDuplicates) {
    const int numbersPerSlot[kGroupCount] = {1,  6,  4, 3, 2, 12, 8, 4, 5, 12, 3, 5,  7, 9,
                                             18, 12, 4, 3, 8, 12, 7, 6, 8, 6,  9, 17, 9};
    int next = 0;
    for (const ChanceGroup& g : kChanceGroups) {
        EXPECT_EQ(g.firstSlot, next);
        next = g.lastSlot + 1;
        std::set<std::vector<int>> seen;
        for (int s = g.firstSlot; s <= g.lastSlot; ++s) {
            EXPECT_EQ(GroupOfSlot(s), g.id);
            EXPECT_EQ(NumberSetOfSlot(s).Count(), numbersPerSlot[GroupIndex(g.id)]) << "slot " << s;
            EXPECT_LE(Members(NumberSetOfSlot(s)).back(), 36);
            // The two Orphelin slots are one chance under two names.
            if (s != kOrphelinChevalSlot) {
                EXPECT_TRUE(seen.insert(Members(NumberSetOfSlot(s))).second) << s;
            }
        }
    }
    EXPECT_EQ(next, kSlotCount);
}

TEST(Catalogue, CompositesAreDisjointUnionsOfBaseSets) {
    const auto base = BaseSetTable();
    for (int s = kBaseSetCount; s < kSlotCount; ++s) {
        NumberSet u;
        int sizes = 0;
        for (auto c : ComponentList(s)) {
            ASSERT_LT(c, kBaseSetCount) << "slot " << s;
            u |= base[c];
            sizes += base[c].Count();
        }
        EXPECT_EQ(u, NumberSetOfSlot(s)) << "slot " << s;
        const bool orphelin = s == kOrphelinPleinSlot || s == kOrphelinChevalSlot;
        EXPECT_EQ(sizes, u.Count() + (orphelin ? 1 : 0)) << "slot " << s;
    }
    EXPECT_EQ(Members(NumberSetOfSlot(1435)), (std::vector<int>{1, 6, 9, 14, 17, 20, 31, 34}));
    for (int s = 0; s < kBaseSetCount; ++s) EXPECT_EQ(base[s], NumberSetOfSlot(s));
}

struct FixedSlot {
    int slot;
    const char* name;
    std::vector<int> numbers;
};
const FixedSlot kFixed[] = {
    {1407, "19-36", {19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36}},
    {1408, "1-18", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}},
    {1409, "Gerade", {2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30, 32, 34, 36}},
    {1410, "Ungerade", {1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31, 33, 35}},
    {1411, "Schwarz", {2, 4, 6, 8, 10, 11, 13, 15, 17, 20, 22, 24, 26, 28, 29, 31, 33, 35}},
    {1412, "Rot", {1, 3, 5, 7, 9, 12, 14, 16, 18, 19, 21, 23, 25, 27, 30, 32, 34, 36}},
    {1413, "1. Dutzend", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
    {1414, "2. Dutzend", {13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24}},
    {1415, "3. Dutzend", {25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36}},
    {1416, "1. Kolonne", {1, 4, 7, 10, 13, 16, 19, 22, 25, 28, 31, 34}},
    {1417, "2. Kolonne", {2, 5, 8, 11, 14, 17, 20, 23, 26, 29, 32, 35}},
    {1418, "3. Kolonne", {3, 6, 9, 12, 15, 18, 21, 24, 27, 30, 33, 36}},
    {1419, "Finales en plein 0", {0, 10, 20, 30}},
    {1420, "Finales en plein 1", {1, 11, 21, 31}},
    {1421, "Finales en plein 2", {2, 12, 22, 32}},
    {1422, "Finales en plein 3", {3, 13, 23, 33}},
    {1423, "Finales en plein 4", {4, 14, 24, 34}},
    {1424, "Finales en plein 5", {5, 15, 25, 35}},
    {1425, "Finales en plein 6", {6, 16, 26, 36}},
    {1426, "Finales en plein 7", {7, 17, 27}},
    {1427, "Finales en plein 8", {8, 18, 28}},
    {1428, "Finales en plein 9", {9, 19, 29}},
    {1429, "Finales à cheval 0/1", {0, 1, 10, 11, 20, 21, 30, 31}},
    {1430, "Finales à cheval 1/2", {1, 2, 11, 12, 21, 22, 31, 32}},
    {1431, "Finales à cheval 2/3", {2, 3, 12, 13, 22, 23, 32, 33}},
    {1432, "Finales à cheval 3/4", {3, 4, 13, 14, 23, 24, 33, 34}},
    {1433, "Finales à cheval 4/5", {4, 5, 14, 15, 24, 25, 34, 35}},
    {1434, "Finales à cheval 5/6", {5, 6, 15, 16, 25, 26, 35, 36}},
    {1435, "Orphelins en plein", {1, 6, 9, 14, 17, 20, 31, 34}},
    {1436, "Orphelins à cheval", {1, 6, 9, 14, 17, 20, 31, 34}},
    {1437, "Kleine Serie 5/8", {5, 8, 10, 11, 13, 16, 23, 24, 27, 30, 33, 36}},
    {1438, "Finales à cheval 6/7", {6, 7, 16, 17, 26, 27, 36}},
    {1439, "Finales à cheval 4/7", {4, 7, 14, 17, 24, 27, 34}},
    {1440, "Finales à cheval 5/8", {5, 8, 15, 18, 25, 28, 35}},
    {1441, "Finales à cheval 6/9", {6, 9, 16, 19, 26, 29, 36}},
    {1442, "Jeu 0", {0, 3, 12, 15, 26, 32, 35}},
    {1443, "Finales à cheval 7/8", {7, 8, 17, 18, 27, 28}},
    {1444, "Finales à cheval 8/9", {8, 9, 18, 19, 28, 29}},
    {1445, "Finales à cheval 9/10", {9, 10, 19, 20, 29, 30}},
    {1446, "Finales à cheval 0/3", {0, 3, 10, 13, 20, 23, 30, 33}},
    {1447, "Finales à cheval 1/4", {1, 4, 11, 14, 21, 24, 31, 34}},
    {1448, "Finales à cheval 2/5", {2, 5, 12, 15, 22, 25, 32, 35}},
    {1449, "Finales à cheval 3/6", {3, 6, 13, 16, 23, 26, 33, 36}},
    {1450, "Finales à cheval 7/10", {7, 10, 17, 20, 27, 30}},
    {1451, "Finales à cheval 8/11", {8, 11, 18, 21, 28, 31}},
    {1452, "Finales à cheval 9/12", {9, 12, 19, 22, 29, 32}},
    {1453, "Jeu 7/9", {7, 8, 9, 17, 18, 19, 27, 28, 29}},
    {1454, "Große Serie 0/2/3", {0, 2, 3, 4, 7, 12, 15, 18, 19, 21, 22, 25, 26, 28, 29, 32, 35}},
};

TEST(Catalogue, NamedSlotsHaveTheirNamesAndNumbers) {
    for (const FixedSlot& f : kFixed) {
        EXPECT_EQ(Members(NumberSetOfSlot(f.slot)), f.numbers) << "slot " << f.slot;
        const SlotName name = ChanceSlotName(f.slot);
        EXPECT_EQ(name.text, f.name);
        EXPECT_FALSE(name.nameHasNumber);
    }
    // The chance "Schwarz" is built from BaseSets; it must be the table's black numbers.
    EXPECT_EQ(NumberSetOfSlot(1411), kBlackNumbers);
    EXPECT_FALSE(IsBlack(0));
    EXPECT_FALSE(IsBlack(-1));
}

TEST(Catalogue, SlotNames) {
    struct Case {
        int slot;
        std::string text;
        bool hasNumber;
    };
    const Case cases[] = {
        {0, "Nummer 0", true},
        {5, "Nummer 5", true},
        {36, "Nummer 36", true},
        {37, "Chance 6/37", false},
        {70, "Chance 4/37", false},
        {71, "Chance 3/37", false},
        {100, "Chance 2/37", false},
        {145, "Zusätzliche (3x4)12er Chance", false},
        {960, "Zusätzliche (3x4)12er Chance", false},
        {961, "Zusätzliche 8er Chance", false},
        {1190, "Zusätzliche 4er Chance", false},
        {1191, "Zusätzliche 5er Chance", false},
        {1258, "Zusätzliche (2x6)12er Chance", false},
        {1259, "0 Nachbarzahlen 1/1", true},
        {1279, "20 Nachbarzahlen 1/1", true},
        {1353, "20 Nachbarzahlen 3/3", true},
        {1370, "0 Nachbarzahlen 4/4", true},
        {1406, "36 Nachbarzahlen 4/4", true},
        {1455, "Zusätzliche 9er Chance", false},
        {1784, "Zusätzliche 9er Chance", false},
    };
    for (const Case& c : cases) {
        const SlotName name = ChanceSlotName(c.slot);
        EXPECT_EQ(name.text, c.text) << "slot " << c.slot;
        EXPECT_EQ(name.nameHasNumber, c.hasNumber) << "slot " << c.slot;
    }
    SlotName untouched{"x", true};
    EXPECT_FALSE(ChanceSlotName(1785, untouched));
    EXPECT_FALSE(ChanceSlotName(-1, untouched));
    EXPECT_EQ(untouched.text, "x");
    EXPECT_TRUE(untouched.nameHasNumber);
}

TEST(Catalogue, OutOfRangeSlotLeavesTheBufferUntouched) {
    NumberSet buffer{7};
    EXPECT_FALSE(NumberSetOfSlot(1785, buffer));
    EXPECT_FALSE(NumberSetOfSlot(-3, buffer));
    EXPECT_EQ(buffer, Set({7}));
    EXPECT_TRUE(NumberSetOfSlot(1279, buffer));
    EXPECT_EQ(buffer, Set({1, 14, 20}));
}

TEST(Catalogue, Positions) {
    EXPECT_EQ(PositionOfBaseSlot(0), 0);
    EXPECT_EQ(PositionOfBaseSlot(144), 144);
    EXPECT_EQ(PositionOfBaseSlot(145), -1);
    EXPECT_EQ(PositionOfBaseSlot(1406), -1);
    EXPECT_EQ(PositionOfBaseSlot(1407), 145);
    EXPECT_EQ(PositionOfBaseSlot(1418), 156);
    EXPECT_EQ(PositionOfBaseSlot(1419), -1);
    EXPECT_EQ(PositionOfBaseSlot(-1), -1);
    for (int p = 0; p < kPositionCount; ++p) EXPECT_EQ(PositionOfBaseSlot(SlotOfPosition(p)), p);
    EXPECT_EQ(SlotOfPosition(157), -1);
}

TEST(Catalogue, PlacementLists) {
    auto list = [](int slot) {
        auto p = PlacementList(slot);
        return std::vector<int>(p.begin(), p.end());
    };
    EXPECT_EQ(list(17), (std::vector<int>{17}));
    EXPECT_EQ(list(144), (std::vector<int>{144}));
    EXPECT_EQ(list(1412), (std::vector<int>{150}));
    EXPECT_EQ(list(1407), (std::vector<int>{145}));
    EXPECT_EQ(list(1418), (std::vector<int>{156}));
    EXPECT_EQ(list(1296), (std::vector<int>{0, 3, 15, 26, 32}));
    EXPECT_EQ(list(867), (std::vector<int>{63, 66, 69}));
    EXPECT_EQ(list(868), (std::vector<int>{63, 66, 70}));
    EXPECT_EQ(list(1435), (std::vector<int>{1, 6, 9, 14, 17, 20, 31, 34}));
    EXPECT_EQ(list(1436), (std::vector<int>{1, 111, 102, 103, 96}));
    EXPECT_EQ(list(1453), (std::vector<int>{123, 135, 138, 130, 19, 27}));
    EXPECT_EQ(list(1454), (std::vector<int>{57, 57, 71, 71, 87, 108, 113, 115, 92}));
    EXPECT_TRUE(PlacementList(1785).empty());
    // 5315 distinct (slot, position) pairs; the doubled carré and transversale of 1454 add two more units.
    std::size_t units = 0;
    std::set<std::pair<int, int>> pairs;
    for (int s = 0; s < kSlotCount; ++s) {
        units += PlacementList(s).size();
        for (auto p : PlacementList(s)) {
            EXPECT_LT(p, kPositionCount);
            pairs.insert({s, p});
        }
    }
    EXPECT_EQ(pairs.size(), 5315u);
    EXPECT_EQ(units, 5317u);
}

}  // namespace
}  // namespace zentora
