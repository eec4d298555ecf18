#pragma once

// The group of every slot as a table, for the per-slot passes.

#include <array>
#include <cstdint>

#include "catalogue/chance_groups.h"

namespace zentora::scan {

using SlotGroupTable = std::array<GroupId, kSlotArraySize>;

constexpr SlotGroupTable BuildSlotGroups() {
    SlotGroupTable table{};
    for (const ChanceGroup& g : kChanceGroups)
        for (int s = g.firstSlot; s <= g.lastSlot; ++s) table[s] = g.id;
    table[kNoSlot] = GroupId::Z937;
    return table;
}

// The group of every slot (1785 maps to the last group; nobody asks for it).
inline constexpr SlotGroupTable kSlotGroups = BuildSlotGroups();

}  // namespace zentora::scan
