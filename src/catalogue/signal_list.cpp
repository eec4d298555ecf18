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
    first = std::max(first, 0);
    last = std::min(last, kSlotCount - 1);
    int individual = 0, group = 0;
    // Both lists are written at every listed slot and only the right one advances: no branch to mispredict.
    const auto take = [&](int s) {
        const bool listed = slotStake[s] > 0;
        out.individuallyNamed[individual] = static_cast<std::uint16_t>(s);
        out.groupNamed[group] = static_cast<std::uint16_t>(s);
        individual += (listed && hasNumber[s]) ? 1 : 0;
        group += (listed && !hasNumber[s]) ? 1 : 0;
    };
    // Stakes are sparse: chunks without a stake above 0 are skipped whole.
    constexpr int kChunk = 16;
    int s = first;
    for (; s + kChunk <= last + 1; s += kChunk) {
        bool any = false;
        for (int j = 0; j < kChunk; ++j) any |= slotStake[s + j] > 0;
        if (!any) continue;
        for (int j = 0; j < kChunk; ++j) take(s + j);
    }
    for (; s <= last; ++s) take(s);
    out.individuallyNamedCount = individual;
    out.groupNamedCount = group;
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
    const auto& text = Names().text;
    list.clear();
    for (int i = slots.individuallyNamedCount - 1; i >= 0; --i)
        list.push_back(text[slots.individuallyNamed[i]]);
    for (int i = slots.groupNamedCount - 1; i >= 0; --i) list.push_back(text[slots.groupNamed[i]]);
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
