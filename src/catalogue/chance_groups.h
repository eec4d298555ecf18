// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace zentora {

// The columns of these tables line up slots, groups and their names: kept as laid out.
// clang-format off
inline constexpr int kSlotCount = 1785;       // ChanceSlot 0..1784
inline constexpr int kSlotArraySize = 1786;   // per-slot arrays; index 1785 belongs to no slot
inline constexpr int kNoSlot = 1785;          // PlayedSlot "none"
inline constexpr int kBaseSetCount = 145;     // BaseSets are slots 0..144
inline constexpr int kPositionCount = 157;    // TablePosition 0..156
inline constexpr int kGroupCount = 27;
inline constexpr int kRateWindowCount = 12;
inline constexpr int kOptionFlagCount = 66;   // CheckBox1..CheckBox66

// Per-slot and per-position arrays of the play state and of every other caller that counts.
using AbsenceArray = std::array<std::int16_t, kSlotArraySize>;  // AbsenceCounter
using CountArray = std::array<std::int32_t, kSlotArraySize>;    // HitCounter, HitRate
using SignalArray = std::array<std::int16_t, kSlotArraySize>;   // SignalBuffer, RateSignal, ProgressionStep
using StakeArray = std::array<std::int32_t, kSlotArraySize>;    // SlotStake
using PositionArray = std::array<std::int32_t, kPositionCount>; // PositionStakeRaw, PositionStake

// The 27 chance groups, in ascending slot order.
enum class GroupId : std::uint8_t {
    G137, G637, G437, G337, G237, Z1237, Z837, Z437, Z537, Z12637, N337, N537, N737, N937,
    G1837, G1237, P437, P337, S837, S1237, S737, S637, SS837, SS637, S937, S1737, Z937,
};

struct ChanceGroup {
    GroupId id;
    std::string_view key;   // GroupKey as used in control names ("137", "Z437", ...)
    int firstSlot;
    int lastSlot;           // inclusive
    int absenceCheckBox;    // AbsenceRuleActive: CheckBox number
    int rateCheckBox;       // RateRuleActive: CheckBox number
    int chanceWeight;       // single-chance mode weight factor
    constexpr int SlotCount() const { return lastSlot - firstSlot + 1; }
};

inline constexpr std::array<ChanceGroup, kGroupCount> kChanceGroups{{
    {GroupId::G137, "137", 0, 36, 3, 42, 50},
    {GroupId::G637, "637", 37, 47, 7, 41, 7},
    {GroupId::G437, "437", 48, 70, 6, 43, 12},
    {GroupId::G337, "337", 71, 84, 5, 44, 15},
    {GroupId::G237, "237", 85, 144, 4, 45, 25},
    {GroupId::Z1237, "Z1237", 145, 960, 15, 50, 3},
    {GroupId::Z837, "Z837", 961, 1160, 13, 47, 5},
    {GroupId::Z437, "Z437", 1161, 1190, 10, 49, 12},
    {GroupId::Z537, "Z537", 1191, 1216, 11, 46, 9},
    {GroupId::Z12637, "Z12637", 1217, 1258, 16, 51, 3},
    {GroupId::N337, "N337", 1259, 1295, 18, 57, 15},
    {GroupId::N537, "N537", 1296, 1332, 19, 54, 9},
    {GroupId::N737, "N737", 1333, 1369, 20, 55, 6},
    {GroupId::N937, "N937", 1370, 1406, 21, 56, 4},
    {GroupId::G1837, "1837", 1407, 1412, 9, 39, 2},
    {GroupId::G1237, "1237", 1413, 1418, 8, 40, 3},
    {GroupId::P437, "P437", 1419, 1425, 22, 53, 12},
    {GroupId::P337, "P337", 1426, 1428, 23, 52, 15},
    {GroupId::S837, "S837", 1429, 1436, 24, 62, 5},
    {GroupId::S1237, "S1237", 1437, 1437, 12, 64, 3},
    {GroupId::S737, "S737", 1438, 1442, 25, 60, 6},
    {GroupId::S637, "S637", 1443, 1445, 26, 59, 7},
    {GroupId::SS837, "SS837", 1446, 1449, 27, 58, 5},
    {GroupId::SS637, "SS637", 1450, 1452, 28, 61, 7},
    {GroupId::S937, "S937", 1453, 1453, 17, 63, 4},
    {GroupId::S1737, "S1737", 1454, 1454, 29, 65, 2},
    {GroupId::Z937, "Z937", 1455, 1784, 14, 48, 9},
}};

constexpr const ChanceGroup& Group(GroupId id) { return kChanceGroups[static_cast<int>(id)]; }
constexpr int GroupIndex(GroupId id) { return static_cast<int>(id); }

// The group of every slot; kNoSlot maps to the last group so that per-slot passes need no test.
inline constexpr std::array<GroupId, kSlotArraySize> kSlotGroups = [] {
    std::array<GroupId, kSlotArraySize> table{};
    for (const ChanceGroup& g : kChanceGroups)
        for (int s = g.firstSlot; s <= g.lastSlot; ++s) table[s] = g.id;
    table[kNoSlot] = GroupId::Z937;
    return table;
}();

// Precondition: 0 <= slot <= kNoSlot.
constexpr GroupId GroupOfSlot(int slot) { return kSlotGroups[slot]; }

// Slot 1435 "Orphelins en plein" and 1436 "Orphelins à cheval".
inline constexpr int kOrphelinPleinSlot = 1435;
inline constexpr int kOrphelinChevalSlot = 1436;

// clang-format on

}  // namespace zentora
