// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Settling the stakes on the table against a spun number.

#include <cstdint>

#include "catalogue/chance_groups.h"

namespace zentora {

// The amount returned per unit on a winning position, stake included.
int ReturnFactor(int position);

// SettleSpin: the money returned for the stakes of `table` when `number` is spun. A position stake of
// 0 or less is nothing bet. On zero the even chances are lost, or with `halveOnZero` (CheckBox2) half of
// their sum comes back (integer division). A number outside 0..36 returns nothing.
std::int64_t SettleSpin(const PositionArray& table, unsigned number, bool halveOnZero);

// The sum of the stakes on the table; positions with 0 or less add nothing.
std::int64_t TableSum(const PositionArray& table);

// 37 times what the stakes of `table` change the balance by on average over one spin, every number 0..36
// equally likely: the mean of SettleSpin over the 37 numbers less the table's sum. Every position
// returns 36 units over the 37 numbers for each unit on it (36 x 1, 18 x 2, ..., 2 x 18), so that is minus
// the table's sum, plus with `halveOnZero` the half of the even chances that zero pays back (integer
// division, as paid). Exact. `tableSum` is TableSum(table), where it is known.
std::int64_t ExpectedChange37(const PositionArray& table, std::int64_t tableSum, bool halveOnZero);
inline std::int64_t ExpectedChange37(const PositionArray& table, bool halveOnZero) {
    return ExpectedChange37(table, TableSum(table), halveOnZero);
}

}  // namespace zentora
