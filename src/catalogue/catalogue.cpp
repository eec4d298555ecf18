// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/catalogue.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace zentora {

namespace {

struct FixedSlot {
    const char* name;
    std::initializer_list<std::uint8_t> components;
};

// Slots 1407..1454: names and component lists in counting order. Pleins are given by their number.
const FixedSlot kFixedSlots[] = {
    {"19-36", {43, 45, 47}},
    {"1-18", {37, 39, 41}},
    {"Gerade", {2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30, 32, 34, 36}},
    {"Ungerade", {1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31, 33, 35}},
    {"Schwarz", {2, 4, 6, 8, 124, 13, 15, 103, 22, 24, 106, 95, 33, 35}},
    {"Rot", {1, 3, 5, 7, 9, 12, 14, 16, 18, 19, 21, 23, 25, 27, 30, 32, 34, 36}},
    {"1. Dutzend", {37, 39}},
    {"2. Dutzend", {41, 43}},
    {"3. Dutzend", {45, 47}},
    {"1. Kolonne", {86, 88, 90, 92, 94, 96}},
    {"2. Kolonne", {98, 100, 102, 104, 106, 108}},
    {"3. Kolonne", {110, 112, 114, 116, 118, 120}},
    {"Finales en plein 0", {0, 10, 20, 30}},
    {"Finales en plein 1", {1, 11, 21, 31}},
    {"Finales en plein 2", {2, 12, 22, 32}},
    {"Finales en plein 3", {3, 13, 23, 33}},
    {"Finales en plein 4", {4, 14, 24, 34}},
    {"Finales en plein 5", {5, 15, 25, 35}},
    {"Finales en plein 6", {6, 16, 26, 36}},
    {"Finales en plein 7", {7, 17, 27}},
    {"Finales en plein 8", {8, 18, 28}},
    {"Finales en plein 9", {9, 19, 29}},
    {"Finales à cheval 0/1", {85, 124, 139, 30, 31}},
    {"Finales à cheval 1/2", {121, 136, 21, 22, 131}},
    {"Finales à cheval 2/3", {133, 12, 13, 128, 143}},
    {"Finales à cheval 3/4", {3, 4, 125, 140, 33, 34}},
    {"Finales à cheval 4/5", {122, 137, 24, 25, 132}},
    {"Finales à cheval 5/6", {134, 15, 16, 129, 144}},
    {"Orphelins en plein", {1, 111, 102, 103, 96}},
    {"Orphelins à cheval", {1, 111, 102, 103, 96}},
    {"Kleine Serie 5/8", {99, 124, 90, 140, 118, 120}},
    {"Finales à cheval 6/7", {6, 7, 126, 141, 36}},
    {"Finales à cheval 4/7", {87, 102, 117, 34}},
    {"Finales à cheval 5/8", {99, 114, 94, 35}},
    {"Finales à cheval 6/9", {111, 91, 106, 36}},
    {"Jeu 0", {109, 113, 26, 108}},
    {"Finales à cheval 7/8", {123, 138, 27, 28}},
    {"Finales à cheval 8/9", {135, 18, 19, 130}},
    {"Finales à cheval 9/10", {9, 10, 127, 142}},
    {"Finales à cheval 0/3", {109, 89, 119, 104}},
    {"Finales à cheval 1/4", {86, 101, 116, 96}},
    {"Finales à cheval 2/5", {98, 113, 93, 108}},
    {"Finales à cheval 3/6", {110, 90, 105, 120}},
    {"Finales à cheval 7/10", {88, 103, 118}},
    {"Finales à cheval 8/11", {100, 115, 95}},
    {"Finales à cheval 9/12", {112, 92, 107}},
    {"Jeu 7/9", {123, 9, 138, 19, 27, 130}},
    {"Große Serie 0/2/3", {57, 71, 87, 108, 113, 115, 92}},
};
constexpr int kFirstFixedSlot = 1407;
constexpr int kFixedSlotCount = 48;
static_assert(sizeof(kFixedSlots) / sizeof(kFixedSlots[0]) == kFixedSlotCount);

// Placement lists that differ from the component list.
constexpr std::uint8_t kOrphelinPleinPlacement[] = {1, 6, 9, 14, 17, 20, 31, 34};
constexpr std::uint8_t kJeu79Placement[] = {123, 135, 138, 130, 19, 27};
constexpr std::uint8_t kGrosseSeriePlacement[] = {57, 57, 71, 71, 87, 108, 113, 115, 92};

// Number in row r (1..12), column c (1..3) of the table grid.
constexpr int Cell(int r, int c) {
    return 3 * (r - 1) + c;
}

// Row of a carré: 48 is row 0, 48+r and 59+r are row r.
constexpr int CarreRow(int carre) {
    return carre == 48 ? 0 : carre <= 59 ? carre - 48 : carre - 59;
}

struct Tables {
    std::array<NumberSet, kSlotCount> sets{};
    std::array<std::uint16_t, kSlotCount + 1> componentBegin{};
    std::vector<std::uint8_t> components;
    std::array<std::uint16_t, kSlotCount + 1> placementBegin{};
    std::vector<std::uint8_t> placements;

    void AddSlot(std::initializer_list<int> comps) {
        AddSlotList(std::span<const int>(comps.begin(), comps.size()));
    }
    void AddSlotList(std::span<const int> comps) {
        for (int c : comps) components.push_back(static_cast<std::uint8_t>(c));
        ++filled;
        componentBegin[filled] = static_cast<std::uint16_t>(components.size());
    }
    int filled = 0;
};

std::array<NumberSet, kBaseSetCount> MakeBaseSets() {
    std::array<NumberSet, kBaseSetCount> b{};
    for (int n = 0; n <= 36; ++n) b[n] = {n};
    for (int j = 0; j <= 10; ++j) {
        for (int c = 1; c <= 3; ++c) {
            b[37 + j].Insert(Cell(j + 1, c));
            b[37 + j].Insert(Cell(j + 2, c));
        }
        b[49 + j] = {Cell(j + 1, 1), Cell(j + 1, 2), Cell(j + 2, 1), Cell(j + 2, 2)};
        b[60 + j] = {Cell(j + 1, 2), Cell(j + 1, 3), Cell(j + 2, 2), Cell(j + 2, 3)};
    }
    b[48] = {0, 1, 2, 3};
    b[71] = {0, 2, 3};
    b[72] = {0, 1, 2};
    for (int j = 0; j <= 11; ++j) b[73 + j] = {Cell(j + 1, 1), Cell(j + 1, 2), Cell(j + 1, 3)};
    for (int c = 1; c <= 3; ++c) {
        const int first = 85 + 12 * (c - 1);
        b[first] = {0, Cell(1, c)};
        for (int j = 0; j <= 10; ++j) b[first + 1 + j] = {Cell(j + 1, c), Cell(j + 2, c)};
    }
    for (int j = 0; j <= 11; ++j) {
        b[121 + j] = {Cell(j + 1, 1), Cell(j + 1, 2)};
        b[133 + j] = {Cell(j + 1, 2), Cell(j + 1, 3)};
    }
    return b;
}

Tables Build() {
    Tables t;
    t.components.reserve(6000);
    const auto base = MakeBaseSets();
    for (int i = 0; i < kBaseSetCount; ++i) t.AddSlot({i});

    // Carrés row by row, left before right; the third carré of a (3x4) chance runs left ones, then right
    // ones.
    std::vector<int> interleaved{48};
    for (int r = 1; r <= 11; ++r) {
        interleaved.push_back(48 + r);
        interleaved.push_back(59 + r);
    }
    std::vector<int> leftThenRight;
    for (int c = 49; c <= 70; ++c) leftThenRight.push_back(c);

    for (int a : interleaved)  // Z1237
        for (int b : interleaved) {
            if (CarreRow(b) < CarreRow(a) + 2) continue;
            for (int c : leftThenRight)
                if (CarreRow(c) >= CarreRow(b) + 2) t.AddSlot({a, b, c});
        }
    for (int a : interleaved)  // Z837
        for (int b : leftThenRight)
            if (CarreRow(b) >= CarreRow(a) + 2) t.AddSlot({a, b});
    for (int f : {85, 97, 109})  // Z437
        for (int j = 0; j <= 9; ++j) t.AddSlot({f + j, f + j + 2});
    for (int k = 0; k <= 9; ++k) t.AddSlot({3 * k + 1, 3 * k + 3, 3 * k + 5, 3 * k + 7, 3 * k + 9});  // Z537
    for (int k = 0; k <= 7; ++k) t.AddSlot({3 * k + 1, 3 * k + 5, 3 * k + 9, 3 * k + 11, 3 * k + 13});
    for (int k = 0; k <= 7; ++k) t.AddSlot({3 * k + 3, 3 * k + 5, 3 * k + 7, 3 * k + 11, 3 * k + 15});
    for (int a = 37; a <= 47; ++a)  // Z12637: pairs whose union is not a dozen
        for (int b = a + 2; b <= 47; ++b)
            if (!(b == a + 2 && (a == 37 || a == 41 || a == 45))) t.AddSlot({a, b});
    for (int k = 1; k <= 4; ++k)  // neighbours
        for (int n = 0; n <= 36; ++n) {
            const int at =
                static_cast<int>(std::find(kWheelOrder.begin(), kWheelOrder.end(), n) - kWheelOrder.begin());
            std::vector<int> pleins;
            for (int d = -k; d <= k; ++d) pleins.push_back(kWheelOrder[(at + d + 37) % 37]);
            std::sort(pleins.begin(), pleins.end());
            t.AddSlotList(pleins);
        }
    for (const FixedSlot& f : kFixedSlots) {
        std::vector<int> comps(f.components.begin(), f.components.end());
        t.AddSlotList(comps);
    }
    for (int a = 73; a <= 84; ++a)  // Z937
        for (int b = a + 1; b <= 84; ++b)
            for (int c = b + 1; c <= 84; ++c) t.AddSlot({a, b, c});
    for (int a : {71, 72})
        for (int b = 74; b <= 84; ++b)
            for (int c = b + 1; c <= 84; ++c) t.AddSlot({a, b, c});

    for (int s = 0; s < kSlotCount; ++s)
        for (int i = t.componentBegin[s]; i < t.componentBegin[s + 1]; ++i)
            t.sets[s] |= base[t.components[i]];

    t.placements.reserve(5400);
    for (int s = 0; s < kSlotCount; ++s) {
        const int position = PositionOfBaseSlot(s);
        if (position >= 0) {
            t.placements.push_back(static_cast<std::uint8_t>(position));
        } else if (s == kOrphelinPleinSlot) {
            t.placements.insert(t.placements.end(), std::begin(kOrphelinPleinPlacement),
                                std::end(kOrphelinPleinPlacement));
        } else if (s == 1453) {
            t.placements.insert(t.placements.end(), std::begin(kJeu79Placement), std::end(kJeu79Placement));
        } else if (s == 1454) {
            t.placements.insert(t.placements.end(), std::begin(kGrosseSeriePlacement),
                                std::end(kGrosseSeriePlacement));
        } else {
            t.placements.insert(t.placements.end(), t.components.begin() + t.componentBegin[s],
                                t.components.begin() + t.componentBegin[s + 1]);
        }
        t.placementBegin[s + 1] = static_cast<std::uint16_t>(t.placements.size());
    }
    return t;
}

const Tables& Data() {
    static const Tables tables = Build();
    return tables;
}

}  // namespace

const NumberSet& NumberSetOfSlot(int slot) {
    return Data().sets[slot];
}

bool NumberSetOfSlot(int slot, NumberSet& out) {
    if (!IsSlot(slot)) return false;
    out = Data().sets[slot];
    return true;
}

std::span<const NumberSet, kBaseSetCount> BaseSetTable() {
    return std::span<const NumberSet, kBaseSetCount>(Data().sets.data(), kBaseSetCount);
}

std::span<const std::uint8_t> ComponentList(int slot) {
    if (!IsSlot(slot)) return {};
    const Tables& t = Data();
    return {t.components.data() + t.componentBegin[slot],
            static_cast<std::size_t>(t.componentBegin[slot + 1] - t.componentBegin[slot])};
}

std::span<const std::uint8_t> PlacementList(int slot) {
    if (!IsSlot(slot)) return {};
    const Tables& t = Data();
    return {t.placements.data() + t.placementBegin[slot],
            static_cast<std::size_t>(t.placementBegin[slot + 1] - t.placementBegin[slot])};
}

SlotName ChanceSlotName(int slot) {
    if (slot <= 36) return {"Nummer " + std::to_string(slot), true};
    if (slot >= 1259 && slot <= 1406) {
        const int k = (slot - 1259) / 37 + 1;
        const int n = (slot - 1259) % 37;
        return {std::to_string(n) + " Nachbarzahlen " + std::to_string(k) + "/" + std::to_string(k), true};
    }
    if (slot >= kFirstFixedSlot && slot < kFirstFixedSlot + kFixedSlotCount)
        return {kFixedSlots[slot - kFirstFixedSlot].name, false};
    switch (GroupOfSlot(slot)) {
        case GroupId::G637:
            return {"Chance 6/37", false};
        case GroupId::G437:
            return {"Chance 4/37", false};
        case GroupId::G337:
            return {"Chance 3/37", false};
        case GroupId::G237:
            return {"Chance 2/37", false};
        case GroupId::Z1237:
            return {"Zusätzliche (3x4)12er Chance", false};
        case GroupId::Z837:
            return {"Zusätzliche 8er Chance", false};
        case GroupId::Z437:
            return {"Zusätzliche 4er Chance", false};
        case GroupId::Z537:
            return {"Zusätzliche 5er Chance", false};
        case GroupId::Z12637:
            return {"Zusätzliche (2x6)12er Chance", false};
        default:
            return {"Zusätzliche 9er Chance", false};
    }
}

bool ChanceSlotName(int slot, SlotName& out) {
    if (!IsSlot(slot)) return false;
    out = ChanceSlotName(slot);
    return true;
}

int PositionOfBaseSlot(int slot) {
    if (slot >= 0 && slot < kBaseSetCount) return slot;
    if (slot >= 1407 && slot <= 1418) return slot - 1407 + kBaseSetCount;
    return -1;
}

int SlotOfPosition(int position) {
    if (position >= 0 && position < kBaseSetCount) return position;
    if (position >= kBaseSetCount && position < kPositionCount) return position - kBaseSetCount + 1407;
    return -1;
}

}  // namespace zentora
