#include "catalogue/signal_list.h"

#include <algorithm>

#include "catalogue/catalogue.h"

namespace zentora {

namespace {

const std::array<bool, kSlotCount>& NameHasNumberTable() {
    static const std::array<bool, kSlotCount> table = [] {
        std::array<bool, kSlotCount> t{};
        for (int s = 0; s < kSlotCount; ++s) t[s] = ChanceSlotName(s).nameHasNumber;
        return t;
    }();
    return table;
}

}  // namespace

void CollectSignalSlots(int first, int last, const StakeArray& slotStake, SignalSlots& out) {
    const auto& hasNumber = NameHasNumberTable();
    out.individuallyNamedCount = 0;
    out.groupNamedCount = 0;
    for (int s = std::max(first, 0); s <= std::min(last, kSlotCount - 1); ++s) {
        if (slotStake[s] <= 0) continue;
        if (hasNumber[s])
            out.individuallyNamed[out.individuallyNamedCount++] = static_cast<std::uint16_t>(s);
        else
            out.groupNamed[out.groupNamedCount++] = static_cast<std::uint16_t>(s);
    }
}

SignalNames SignalNamesOf(const SignalSlots& slots) {
    SignalNames names;
    for (int i = 0; i < slots.individuallyNamedCount; ++i)
        names.individuallyNamed.push_back(ChanceSlotName(slots.individuallyNamed[i]).text);
    for (int i = 0; i < slots.groupNamedCount; ++i)
        names.groupNamed.push_back(ChanceSlotName(slots.groupNamed[i]).text);
    return names;
}

std::vector<std::string> SignalListTopToBottom(const std::vector<std::string>& individuallyNamed,
                                               const std::vector<std::string>& groupNamed) {
    std::vector<std::string> list(individuallyNamed.rbegin(), individuallyNamed.rend());
    list.insert(list.end(), groupNamed.rbegin(), groupNamed.rend());
    return list;
}

std::vector<std::string> FillSignalList(int first, int last, const StakeArray& slotStake) {
    SignalSlots slots;
    CollectSignalSlots(first, last, slotStake, slots);
    const SignalNames names = SignalNamesOf(slots);
    return SignalListTopToBottom(names.individuallyNamed, names.groupNamed);
}

}  // namespace zentora
