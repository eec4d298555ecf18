// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The content of the signal list: the names of the slots that carry a stake.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/chance_groups.h"

namespace zentora {

// The staked slots of one fill, in ascending slot order, split by the kind of their name: the pleins and
// neighbour chances are named individually, every other slot by a text it shares with its group. Fixed size,
// so the spin pipeline can keep it without allocating.
struct SignalSlots {
    std::array<std::uint16_t, kSlotCount> individuallyNamed{};
    int individuallyNamedCount = 0;
    std::array<std::uint16_t, kSlotCount> groupNamed{};
    int groupNamedCount = 0;
};

// Slots first..last (clamped to 0..1784) whose stake is greater than 0.
void CollectSignalSlots(int first, int last, const StakeArray& slotStake, SignalSlots& out);

// The German names of one fill, each list in ascending slot order. The two lists are translated differently
// (whole texts and word by word) before they are shown.
struct SignalNames {
    std::vector<std::string> individuallyNamed;
    std::vector<std::string> groupNamed;
};
SignalNames SignalNamesOf(const SignalSlots& slots);

// The list as it reads from top to bottom: each list is inserted entry by entry at the top, the group-named
// list first, so both end up in descending slot order with the individually named entries above.
std::vector<std::string> SignalListTopToBottom(const std::vector<std::string>& individuallyNamed,
                                               const std::vector<std::string>& groupNamed);

// The German name of a slot 0..1784, from a table built once.
const std::string& SignalNameOf(int slot);

// The list straight from the stakes of slots 0..1784, as the spin pipeline fills it: the slots top to
// bottom, each shown by SignalNameOf. With the capacity reserved for kSlotCount lines a fill allocates
// nothing.
void WriteSignalList(const StakeArray& slotStake, std::vector<std::uint16_t>& list);

// The German names of such a list, in its order.
std::vector<std::string_view> SignalListNames(const std::vector<std::uint16_t>& list);

// The untranslated (German) list, top to bottom.
std::vector<std::string> FillSignalList(int first, int last, const StakeArray& slotStake);

}  // namespace zentora
