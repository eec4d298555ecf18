#include "catalogue/signal_list.h"

#include <algorithm>

#include "catalogue/catalogue.h"

namespace zentora {

namespace {

struct NameTable {
    std::array<std::string, kSlotCount> text;
    std::array<bool, kSlotCount> hasNumber{};
    NameTable() {
        for (int s = 0; s < kSlotCount; ++s) {
            SlotName name = ChanceSlotName(s);
            text[s] = std::move(name.text);
            hasNumber[s] = name.nameHasNumber;
        }
    }
};

const NameTable& Names() {
    static const NameTable table;
    return table;
}

}  // namespace

void CollectSignalSlots(int first, int last, const StakeArray& slotStake, SignalSlots& out) {
    const auto& hasNumber = Names().hasNumber;
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

const std::string& SignalNameOf(int slot) {
    return Names().text[slot];
}

SignalNames SignalNamesOf(const SignalSlots& slots) {
    SignalNames names;
    for (int i = 0; i < slots.individuallyNamedCount; ++i)
        names.individuallyNamed.push_back(SignalNameOf(slots.individuallyNamed[i]));
    for (int i = 0; i < slots.groupNamedCount; ++i)
        names.groupNamed.push_back(SignalNameOf(slots.groupNamed[i]));
    return names;
}

void WriteSignalList(const SignalSlots& slots, std::vector<std::string_view>& list) {
    list.clear();
    for (int i = slots.individuallyNamedCount - 1; i >= 0; --i)
        list.push_back(SignalNameOf(slots.individuallyNamed[i]));
    for (int i = slots.groupNamedCount - 1; i >= 0; --i) list.push_back(SignalNameOf(slots.groupNamed[i]));
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
