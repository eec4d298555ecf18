// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessibility/position_names.h"

#include "catalogue/catalogue.h"

namespace zentora {

namespace {

// Position ranges of the BaseSets, in position order.
const char* KindOfBasePosition(int position) {
    if (position <= 36) return "Plein";
    if (position <= 47) return "Transversale simple";
    if (position <= 70) return "Carré";
    if (position <= 84) return "Transversale pleine";
    return "Cheval";
}

}  // namespace

PositionName NameOfPosition(int position) {
    if (position < 0 || position >= kPositionCount) return {};
    const int slot = SlotOfPosition(position);
    if (position >= kBaseSetCount) return {ChanceSlotName(slot).text, {}};
    const NumberSet& set = NumberSetOfSlot(slot);
    std::vector<int> numbers;
    for (int n = 0; n <= 36; ++n)
        if (set.Contains(static_cast<unsigned>(n))) numbers.push_back(n);
    std::string text;
    if (position >= 37 && position <= 47) {
        // Two whole rows: first and last number say it all.
        text = std::to_string(numbers.front()) + "-" + std::to_string(numbers.back());
    } else {
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            if (i) text += '/';
            text += std::to_string(numbers[i]);
        }
    }
    return {KindOfBasePosition(position), text};
}

const std::vector<std::string>& PositionKindWords() {
    static const std::vector<std::string> words = [] {
        std::vector<std::string> w = {"Plein", "Transversale simple", "Carré", "Transversale pleine",
                                      "Cheval"};
        for (int p = kBaseSetCount; p < kPositionCount; ++p) w.push_back(NameOfPosition(p).kind);
        return w;
    }();
    return words;
}

}  // namespace zentora
