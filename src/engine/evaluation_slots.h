// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "catalogue/number_set.h"
#include "engine/applied_settings.h"

namespace zentora {

// Two parallel lists of equal length, handed to the money evaluation.
struct EvaluationSlotList {
    std::vector<std::int32_t> slots;
    std::vector<NumberSet> sets;
};
// Every slot of each group with either switch on, in ascending slot order; group S837 contributes one
// Orphelin slot only: 1435 when `orphelinPlein`, else 1436.
EvaluationSlotList BuildEvaluationSlotList(const AppliedSettings& settings, bool orphelinPlein);

}  // namespace zentora
