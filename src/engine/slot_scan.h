#pragma once

// Small shared tables and scans of the per-slot passes.

#include <algorithm>
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

inline constexpr int kChunk = 16;

// Calls f(slot) for every slot 0..1784 whose value satisfies `keep`, skipping whole chunks of slots that hold
// none: signals and stakes are sparse, and the chunk test runs on vectors.
template <class T, class Keep, class F>
void ForEachSlot(const std::array<T, kSlotArraySize>& values, Keep keep, F f) {
    int c = 0;
    for (; c + kChunk <= kSlotCount; c += kChunk) {
        bool any = false;
        for (int j = 0; j < kChunk; ++j) any |= keep(values[c + j]);
        if (!any) continue;
        for (int j = 0; j < kChunk; ++j)
            if (keep(values[c + j])) f(c + j);
    }
    for (; c < kSlotCount; ++c)
        if (keep(values[c])) f(c);
}

}  // namespace zentora::scan
