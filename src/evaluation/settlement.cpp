// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/settlement.h"

#include <algorithm>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/platform.h"
#include "engine/placement.h"

namespace zentora {

namespace {

constexpr int kFirstEvenChance = 145;
constexpr int kLastEvenChance = 150;

// Per number, the positions that win with it and what they return per unit.
struct WinningPositions {
    struct Entry {
        std::uint8_t position;
        std::uint8_t factor;
    };
    std::array<std::vector<Entry>, 37> byNumber;

    WinningPositions() {
        for (int p = 0; p < kPositionCount; ++p) {
            const NumberSet& numbers = NumberSetOfSlot(SlotOfPosition(p));
            for (unsigned z = 0; z <= 36; ++z)
                if (numbers.Contains(z))
                    byNumber[z].push_back(
                        {static_cast<std::uint8_t>(p), static_cast<std::uint8_t>(ReturnFactor(p))});
        }
    }
};

const WinningPositions& Winning() {
    static const WinningPositions table;
    return table;
}

// What zero pays back with halving: half the stakes on the even chances, rounded down.
std::int64_t HalfOfTheEvenChances(const PositionArray& table) {
    std::int64_t even = 0;
    for (int p = kFirstEvenChance; p <= kLastEvenChance; ++p) even += std::max(table[p], 0);
    return even / 2;
}

}  // namespace

int ReturnFactor(int position) {
    switch (PositionKindOf(position)) {
        case PositionKind::Plein:
            return 36;
        case PositionKind::Cheval:
            return 18;
        case PositionKind::TransversalePleine:
            return 12;
        case PositionKind::Carre:
            return 9;
        case PositionKind::TransversaleSimple:
            return 6;
        case PositionKind::DozenColumn:
            return 3;
        case PositionKind::SimpleChance:
            return 2;
    }
    return 0;
}

std::int64_t SettleSpin(const PositionArray& table, unsigned number, bool halveOnZero) {
    if (number > 36) return 0;
    std::int64_t returned = 0;
    // Without a branch: whether a position carries a stake is a coin toss in a long evaluation.
    for (const auto& e : Winning().byNumber[number])
        returned += std::int64_t{std::max(table[e.position], 0)} * e.factor;
    if (number == 0 && halveOnZero) returned += HalfOfTheEvenChances(table);
    return returned;
}

std::int64_t ExpectedChange37(const PositionArray& table, std::int64_t tableSum, bool halveOnZero) {
    return halveOnZero ? HalfOfTheEvenChances(table) - tableSum : -tableSum;
}

ZENTORA_VECTOR_CLONES std::int64_t TableSum(const PositionArray& table) {
    std::int64_t sum = 0;
    for (const std::int32_t stake : table) sum += std::max(stake, 0);
    return sum;
}

}  // namespace zentora
