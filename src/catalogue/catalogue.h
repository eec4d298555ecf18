// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The fixed vocabulary of chances: 1785 slots built from 145 BaseSets, their component lists, names, table
// positions and placement lists. Built once on first use; read-only afterwards and safe to read from any
// thread.

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "catalogue/chance_groups.h"
#include "catalogue/number_set.h"

namespace zentora {

// The single-zero wheel, clockwise from zero.
inline constexpr std::array<int, 37> kWheelOrder{0,  32, 15, 19, 4,  21, 2,  25, 17, 34, 6, 27, 13,
                                                 36, 11, 30, 8,  23, 10, 5,  24, 16, 33, 1, 20, 14,
                                                 31, 9,  22, 18, 29, 7,  28, 12, 35, 3,  26};

constexpr bool IsSlot(int slot) {
    return slot >= 0 && slot < kSlotCount;
}

// NumberSet of a slot 0..1784. Precondition: IsSlot(slot).
const NumberSet& NumberSetOfSlot(int slot);
// Fills `out` for a slot 0..1784 and returns true; any other value leaves `out` untouched and returns false.
bool NumberSetOfSlot(int slot, NumberSet& out);

// The NumberSets of the 145 BaseSets, contiguous, in slot order.
std::span<const NumberSet, kBaseSetCount> BaseSetTable();

// The BaseSet indices whose union is the slot (a BaseSet is its own single component), in counting order.
// Empty for a value outside 0..1784.
std::span<const std::uint8_t> ComponentList(int slot);

struct SlotName {
    std::string text;            // German, UTF-8
    bool nameHasNumber = false;  // the text carries a number of its own (pleins, neighbour chances)
};
// Precondition: IsSlot(slot).
SlotName ChanceSlotName(int slot);
// Sets `out` for a slot 0..1784 and returns true; any other value leaves `out` untouched and returns false.
bool ChanceSlotName(int slot, SlotName& out);

// TablePosition of slots 0..144 (identity) and 1407..1418 (145..156); -1 for every other value.
int PositionOfBaseSlot(int slot);
// The slot whose chip place a position is (inverse of PositionOfBaseSlot); -1 outside 0..156.
int SlotOfPosition(int position);

// The positions that receive a slot's stake, with multiplicity. Empty for a value outside 0..1784.
std::span<const std::uint8_t> PlacementList(int slot);

}  // namespace zentora
