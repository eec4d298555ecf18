// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/signal_list.h"

#include <algorithm>
#include <bit>

#include "catalogue/catalogue.h"
#include "catalogue/slot_mask.h"

namespace zentora {

namespace {

struct NameTable {
    std::array<std::string, kSlotCount> text;
    SlotMask hasNumberMask{};
    NameTable() {
        for (int s = 0; s < kSlotCount; ++s) {
            SlotName name = ChanceSlotName(s);
            text[s] = std::move(name.text);
            if (name.nameHasNumber) hasNumberMask[s >> 6] |= std::uint64_t{1} << (s & 63);
        }
    }
};

const NameTable& Names() {
    static const NameTable table;
    return table;
}

}  // namespace

void CollectSignalSlots(int first, int last, const StakeArray& slotStake, SignalSlots& out) {
    const NameTable& names = Names();
    SlotMask listed = MaskOfPositive(slotStake);
    first = std::max(first, 0);
    last = std::min(last, kSlotCount - 1);
    for (int w = 0; w < kSlotMaskWords; ++w) {  // keep first..last only
        const int lo = w * 64, hi = lo + 63;
        if (hi < first || lo > last) {
            listed[w] = 0;
            continue;
        }
        if (first > lo) listed[w] &= ~std::uint64_t{0} << (first - lo);
        if (last < hi) listed[w] &= ~std::uint64_t{0} >> (hi - last);
    }
    int individual = 0, group = 0;
    for (int w = 0; w < kSlotMaskWords; ++w) {
        for (std::uint64_t bits = listed[w] & names.hasNumberMask[w]; bits != 0; bits &= bits - 1)
            out.individuallyNamed[individual++] = static_cast<std::uint16_t>(w * 64 + std::countr_zero(bits));
        for (std::uint64_t bits = listed[w] & ~names.hasNumberMask[w]; bits != 0; bits &= bits - 1)
            out.groupNamed[group++] = static_cast<std::uint16_t>(w * 64 + std::countr_zero(bits));
    }
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

void WriteSignalList(const StakeArray& slotStake, std::vector<std::uint16_t>& list) {
    const NameTable& names = Names();
    const SlotMask listed = MaskOfPositive(slotStake);
    int individual = 0, count = 0;
    for (int w = 0; w < kSlotMaskWords; ++w) {
        individual += std::popcount(listed[w] & names.hasNumberMask[w]);
        count += std::popcount(listed[w]);
    }
    list.resize(static_cast<std::size_t>(count));
    // Walking up the slots, each kind fills its part of the list from the bottom: highest slot on top, the
    // individually named part above the other.
    std::uint16_t* const out = list.data();
    int lowIndividual = individual, lowGroup = count;
    for (int w = 0; w < kSlotMaskWords; ++w) {
        for (std::uint64_t bits = listed[w] & names.hasNumberMask[w]; bits != 0; bits &= bits - 1)
            out[--lowIndividual] = static_cast<std::uint16_t>(w * 64 + std::countr_zero(bits));
        for (std::uint64_t bits = listed[w] & ~names.hasNumberMask[w]; bits != 0; bits &= bits - 1)
            out[--lowGroup] = static_cast<std::uint16_t>(w * 64 + std::countr_zero(bits));
    }
}

std::vector<std::string_view> SignalListNames(const std::vector<std::uint16_t>& list) {
    std::vector<std::string_view> names;
    names.reserve(list.size());
    for (std::uint16_t slot : list) names.push_back(SignalNameOf(slot));
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
