// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace zentora {

// The German names of the 157 table positions: "Plein 17", "Cheval 17/20", "Transversale pleine 0/2/3",
// "Carré 25/26/28/29", "Transversale simple 1-6", and the chance names of the outside positions ("Rot",
// "1. Dutzend"). Empty outside 0..156.
struct PositionName {
    std::string kind;     // the word to translate: "Cheval", "Rot", ...
    std::string numbers;  // what follows it, untranslated: "17/20"; empty for the outside positions
};
PositionName NameOfPosition(int position);

// Every distinct word NameOfPosition uses, so one lookup translates them all.
const std::vector<std::string>& PositionKindWords();

}  // namespace zentora
