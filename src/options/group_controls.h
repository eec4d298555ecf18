// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

#include "catalogue/chance_groups.h"

namespace zentora {

// The controls of one chance group's row in the options window and their keys in option files.
struct GroupControls {
    GroupId id;
    std::string_view abRunde;    // "Ab Runde" of the absence rule
    std::string_view soOft;      // "So oft angespielt"
    std::string_view technique;  // "Einsatz Technik" box
    std::string_view stake;      // "Anfangseinsatz"
    int soOftMin, soOftForm;
    int stakeMin, stakeForm;
    bool firstRow;  // first row of its box: other RateStart and BisRunde form values
    std::string_view absenceSection, abRundeKey, soOftKey;
    std::string_view einsatzKey, einstellungKey;
};

// In GroupId order, so kGroupControls[GroupIndex(id)] belongs to id.
inline constexpr std::array<GroupControls, kGroupCount> kGroupControls{{
    {GroupId::G137, "Chance137blau", "Chance137pink", "E137", "A137", 1, 7, 1, 1, true, "Chance1/37", "blau",
     "pink", "A137", "E137"},
    {GroupId::G637, "Chance637blau", "Chance637pink", "E637", "A637", 1, 3, 1, 1, false, "Chance6/37", "blau",
     "pink", "A637", "E637"},
    {GroupId::G437, "Chance437blau", "Chance437pink", "E437", "A437", 1, 3, 1, 1, false, "Chance4/37", "blau",
     "pink", "A437", "E437"},
    {GroupId::G337, "Chance337blau", "Chance337pink", "E337", "A337", 1, 3, 1, 1, false, "Chance3/37", "blau",
     "pink", "A337", "E337"},
    {GroupId::G237, "Chance237blau", "Chance237pink", "E237", "A237", 1, 3, 1, 1, false, "Chance2/37", "blau",
     "pink", "A237", "E237"},
    {GroupId::Z1237, "Chance1237blau", "Chance1237pink", "E1237Z", "A1237Z", 2, 3, 1, 3, false, "Chance12/37",
     "blau", "pink", "A1237z", "E1237z"},
    {GroupId::Z837, "Chance837blau", "Chance837pink", "E837Z", "A837Z", 1, 3, 1, 3, false, "Chance8/37",
     "blau", "pink", "A837z", "E837z"},
    {GroupId::Z437, "Chance437blauz", "Chance437pinkz", "E437Z", "A437Z", 1, 3, 1, 3, true, "Chance4/37",
     "blauz", "pinkz", "A437z", "E437z"},
    {GroupId::Z537, "Chance537blau", "Chance537pink", "E537Z", "A537Z", 1, 3, 1, 3, false, "Chance5/37",
     "blau", "pink", "A537z", "E537z"},
    {GroupId::Z12637, "Chance1237blauz", "Chance1237pinkz", "E12376", "A12376", 2, 3, 1, 3, false,
     "Chance12/37", "blauz", "pinkz", "A12376", "E12376"},
    {GroupId::N337, "NB11T", "NB11H", "EN11", "AN11", 2, 3, 0, 3, true, "Nachbarzahlen11", "Tief", "Hoch",
     "AN11", "EN11"},
    {GroupId::N537, "NB22T", "NB22H", "EN22", "AN22", 2, 3, 1, 3, false, "Nachbarzahlen22", "Tief", "Hoch",
     "AN22", "EN22"},
    {GroupId::N737, "NB33T", "NB33H", "EN33", "AN33", 2, 3, 1, 3, false, "Nachbarzahlen33", "Tief", "Hoch",
     "AN33", "EN33"},
    {GroupId::N937, "NB44T", "NB44H", "EN44", "AN44", 2, 3, 1, 3, false, "Nachbarzahlen44", "Tief", "Hoch",
     "AN44", "EN44"},
    {GroupId::G1837, "Chance1837blau", "Chance1837pink", "E1837", "A1837", 1, 3, 1, 1, false, "Chance18/37",
     "blau", "pink", "A1837", "E1837"},
    {GroupId::G1237, "Chance1237b", "Chance1237p", "E1237", "A1237", 1, 3, 1, 1, false, "Chance12/37", "b",
     "p", "A1237", "E1237"},
    {GroupId::P437, "P437T", "P437H", "E437P", "A437P", 1, 7, 1, 1, true, "Plein437", "Tief", "Hoch", "P437",
     "P437"},
    {GroupId::P337, "P337T", "P337H", "E337P", "A337P", 1, 7, 1, 1, false, "Plein337", "Tief", "Hoch", "P337",
     "P337"},
    {GroupId::S837, "S837T", "S837H", "ES837", "AS837", 1, 3, 1, 3, false, "Serien837", "Tief", "Hoch",
     "S837", "S837"},
    {GroupId::S1237, "S1237T", "S1237H", "ES1237", "AS1237", 2, 3, 1, 3, false, "Serien1237", "Tief", "Hoch",
     "S1237", "S1237"},
    {GroupId::S737, "S737T", "S737H", "ES737", "AS737", 1, 3, 1, 3, false, "Serien737", "Tief", "Hoch",
     "S737", "S737"},
    {GroupId::S637, "S637T", "S637H", "ES637", "AS637", 1, 3, 1, 3, false, "Serien637", "Tief", "Hoch",
     "S637", "S637"},
    {GroupId::SS837, "S837ST", "S837SH", "ES837S", "AS837S", 1, 3, 1, 3, false, "Serien837S", "Tief", "Hoch",
     "S837S", "S837S"},
    {GroupId::SS637, "S637ST", "S637SH", "ES637S", "AS637S", 1, 3, 1, 3, true, "Serien637S", "Tief", "Hoch",
     "S637S", "S637S"},
    {GroupId::S937, "S937T", "S937H", "ES937", "AS937", 2, 3, 1, 3, false, "Serien937", "Tief", "Hoch",
     "S937", "S937"},
    {GroupId::S1737, "S1737T", "S1737H", "ES1737", "AS1737", 2, 3, 1, 3, false, "Serien1737", "Tief", "Hoch",
     "S1737", "S1737"},
    {GroupId::Z937, "Chance937blau", "Chance937pink", "E937Z", "A937Z", 1, 3, 1, 3, false, "Chance9/37",
     "blau", "pink", "A937z", "E937z"},
}};

constexpr const GroupControls& Controls(GroupId id) {
    return kGroupControls[GroupIndex(id)];
}

// The rows of the options window, top to bottom (also the order of the "Einsatz" and "Einstellung" keys).
inline constexpr std::array<GroupId, kGroupCount> kRowOrder = [] {
    using enum GroupId;
    return std::array<GroupId, kGroupCount>{G137, G237,  G337,  G437,   G637, G1237, G1837, Z437,  Z537,
                                            Z837, Z937,  Z1237, Z12637, P437, P337,  N337,  N537,  N737,
                                            N937, SS637, SS837, S637,   S737, S837,  S937,  S1237, S1737};
}();

// The order in which the rate blocks are loaded and saved and the quick settings walk the groups.
inline constexpr std::array<GroupId, kGroupCount> kRateBlockOrder = [] {
    using enum GroupId;
    return std::array<GroupId, kGroupCount>{G137, G237, G337,  G437,   G637,  G1237, G1837, Z437,  Z537,
                                            Z837, Z937, Z1237, Z12637, P437,  P337,  SS637, SS837, S637,
                                            S737, S837, S937,  S1237,  S1737, N337,  N537,  N737,  N937};
}();

// The groups inside each window number of the "Value" section (P337 comes before P437 there).
inline constexpr std::array<GroupId, kGroupCount> kValueSectionOrder = [] {
    using enum GroupId;
    return std::array<GroupId, kGroupCount>{G137, G237, G337,  G437,   G637,  G1237, G1837, Z437,  Z537,
                                            Z837, Z937, Z1237, Z12637, P337,  P437,  SS637, SS837, S637,
                                            S737, S837, S937,  S1237,  S1737, N337,  N537,  N737,  N937};
}();

// The absence values in the order a save writes them, which gives the sections and keys their file order.
inline constexpr std::array<GroupId, kGroupCount> kAbsenceKeyOrder = [] {
    using enum GroupId;
    return std::array<GroupId, kGroupCount>{G137,  G237,   G337,  G437,  Z437, Z537, G637,  Z837,  Z937,
                                            Z1237, Z12637, G1237, G1837, N337, N537, N737,  N937,  P437,
                                            P337,  S1237,  S937,  S837,  S737, S637, SS837, SS637, S1737};
}();

// BisRunde ranges and form values per window number 1..12.
struct RateWindowBounds {
    int minimum, maximum, formFirstRow, formOtherRows;
};
inline constexpr std::array<RateWindowBounds, kRateWindowCount> kRateWindowBounds{{
    {2, 9500001, 7, 3},
    {3, 9500002, 7, 3},
    {4, 9500003, 7, 4},
    {5, 9500000, 7, 5},
    {6, 9500005, 7, 6},
    {7, 9500006, 7, 7},
    {8, 9500007, 8, 8},
    {2, 9500008, 7, 3},
    {10, 9500000, 10, 10},
    {11, 9500010, 11, 11},
    {12, 9500011, 12, 12},
    {13, 9500012, 13, 13},
}};

// The group whose switch carries this CheckBox number (3..29 absence, 39..65 rate), if any.
constexpr const ChanceGroup* GroupOfSwitch(int checkBox) {
    for (const auto& g : kChanceGroups)
        if (g.absenceCheckBox == checkBox || g.rateCheckBox == checkBox) return &g;
    return nullptr;
}

}  // namespace zentora
