// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Absence, hit and hit-rate counting on caller-owned arrays. Nothing here allocates.

#include <array>
#include <cstdint>
#include <span>

#include "catalogue/chance_groups.h"
#include "engine/applied_settings.h"

namespace zentora {

inline constexpr std::int16_t kAbsenceLimit = 32767;  // AbsenceCounter saturates here instead of wrapping

// The base update of the 145 BaseSets for one spin; a value outside 0..36 hits nothing but still counts.
void BaseUpdate(unsigned number, AbsenceArray& absence, CountArray& hits);

// The base update for a run of spins, oldest first: the same BaseSet counters as calling BaseUpdate for each
// spin in turn, in time linear in the run with a small constant (the counters depend only on how often each
// number came and how long ago it was last seen).
void BaseUpdateRun(std::span<const std::uint8_t> spinsOldestFirst, AbsenceArray& absence, CountArray& hits);

// Composite absences (minimum over the components) of every composite group with either switch on.
void DeriveCompositeAbsences(const AppliedSettings& settings, AbsenceArray& absence);

// Composite hit counts (sum over the components) of groups 1837 and 1237 always, and of every other composite
// group whose rate rule is on.
void DeriveCompositeHits(const AppliedSettings& settings, CountArray& hits);

// BaseUpdate, DeriveCompositeAbsences, DeriveCompositeHits.
void CountSpin(unsigned number, const AppliedSettings& settings, AbsenceArray& absence, CountArray& hits);

// Which composite groups of a pair of counter arrays already hold the values derived from their BaseSets.
// Those can follow a spin in place: a hit sets the absence to 0 and adds the number's multiplicity to the
// count, a miss adds 1 to the absence, which is exactly what deriving again would give. Must be cleared
// whenever the arrays change other than through CountSpin with this record.
struct CountingSync {
    std::array<bool, kGroupCount> absence{};
    std::array<bool, kGroupCount> hits{};
    void Clear() { *this = CountingSync{}; }
};

// The same result as CountSpin, moving the groups that `sync` holds in place and deriving the others;
// afterwards `sync` holds every group derived on this spin.
void CountSpin(unsigned number, const AppliedSettings& settings, AbsenceArray& absence, CountArray& hits,
               CountingSync& sync);

// trunc(hits / spinsCounted * 100000 + 0.5), evaluated in extended precision in this order.
std::int32_t HitRateOf(std::int32_t hits, std::int32_t spinsCounted);

// Rates of slots 0..36 and 1407..1418 always, and of every other group whose rate rule is on; the others keep
// their values. spinsCounted >= 1. Gives exactly HitRateOf for every slot.
void ComputeHitRates(const AppliedSettings& settings, const CountArray& hits, CountArray& rates,
                     std::int32_t spinsCounted);

}  // namespace zentora
