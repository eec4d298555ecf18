// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

#include "engine/applied_settings.h"
#include "options/options_model.h"

namespace zentora {

// The quick settings of the options window. Both replay the permanence (newest spin first, as the play state
// holds it) from its oldest spin with counters of their own, honouring the group switches of the applied
// settings, and apply the model into `applied` at the end. Rows beyond the permanence are never read: a rate
// window without any spin in it keeps its "von".

// Lowers every "von" to the smallest hit rate that the group's chances had in the window's spins.
void AdaptMinimumRates(OptionsModel& model, AppliedSettings& applied,
                       std::span<const std::uint8_t> newestFirst);

// Raises every "Ab Runde" of the absence rule to the longest absence of the group's chances (at most 999).
void AdaptMaximumAbsences(OptionsModel& model, AppliedSettings& applied,
                          std::span<const std::uint8_t> newestFirst);

}  // namespace zentora
